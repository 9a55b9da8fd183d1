// Small text helpers private to the utility library.
#pragma once

#include <cstdint>
#include <string>

namespace ut_detail {

// The 32-bit value as eight upper-case hexadecimal digits, as "%p" prints
// the platform's pointers.
std::string Hex8(std::uint32_t value);
// "Indice de liste hors limites (n)" as an EListError.
[[noreturn]] void ListIndexError(std::int64_t index);
// "Erreur de vérification d'étendue" as an ERangeError.
[[noreturn]] void RangeError();

}  // namespace ut_detail
