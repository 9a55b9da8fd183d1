// The length-prefixed 8-bit string: one length byte and up to 255 bytes of
// UTF-8, 256 bytes in records. Longer text is cut at the last whole UTF-8
// character that fits, never inside one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct ShortString {
  std::uint8_t Length = 0;
  char Data[255] = {};

  ShortString() = default;
  ShortString(std::string_view text) { Assign(text); }
  ShortString(const std::string& text) { Assign(text); }
  ShortString(const char* text) { Assign(text ? std::string_view(text) : std::string_view()); }

  void Assign(std::string_view text);
  std::string str() const { return std::string(Data, Length); }
  operator std::string() const { return str(); }
  std::string_view view() const { return std::string_view(Data, Length); }
  bool empty() const { return Length == 0; }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
};
static_assert(sizeof(ShortString) == 256, "a length-prefixed string takes 256 bytes in records");
