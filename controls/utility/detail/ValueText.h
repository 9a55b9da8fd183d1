// Locale-independent text forms of stored values, private to the utility
// library: settings written under one locale must read back under another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/DateTime.h"

namespace ut_detail {

// The shortest text that reads back as the same double ("1.5", "-0.25", "1e+300").
std::string FloatToText(double value);
// Reads such a text (a decimal comma, as the French locale wrote it before,
// is accepted too: "1,5", "-2,5E-5"); EConvertError otherwise.
double TextToFloat(std::string_view text);

// A date-time as "yyyy-mm-dd hh:nn:ss.zzz", and back (the time part, the
// seconds and the milliseconds may be left out; the French locale's
// "dd/mm/yyyy hh:nn:ss" of older settings is read too); EConvertError otherwise.
std::string DateTimeToText(TDateTime value);
TDateTime TextToDateTime(std::string_view text);

// Bytes as upper-case hexadecimal pairs, and back (EConvertError on a bad digit).
std::string BytesToHex(const void* data, std::size_t size);
std::vector<std::uint8_t> HexToBytes(std::string_view text);

}  // namespace ut_detail
