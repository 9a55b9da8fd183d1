// Character references in attribute values, decoded into 8-bit text of the
// value's code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/Types.h"

// Decodes "&#n;", "&#xh;" and named references in Raw. A numeric code below
// 256 is that byte in a single-byte code page; other codes, and names (taken
// without ";" only when their code is below 256), become the code page's form
// of the character. TAB reads as a space, other codes below 32 as "?". Text
// that forms no reference stays as written.
std::string DecodeAttributeEntities(std::string_view Raw, UINT CodePage);
// The same into Out (replacing its text, keeping its buffer); Out must not
// hold Raw.
void DecodeAttributeEntities(std::string_view Raw, UINT CodePage, std::string& Out);

// The UTF-16 form of a code point: a surrogate pair above U+FFFF, U+FFFD for
// a surrogate or a value past U+10FFFF.
std::u16string CodePointText(std::uint32_t Code);

// Clamps the numeric value of an attribute to what its users can take:
// spans to 1000 columns and 65534 rows, sizes and spaces to 32767 pixels.
int ClampAttributeValue(BYTE Sy, int Value);
