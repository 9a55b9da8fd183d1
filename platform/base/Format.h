// Format: the run-time library's printf. A specifier is
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with index, width and precision as digits or "*" (taken from the next
// argument). Types: d (integers, precision = least digits), u, x (upper-case
// hex, precision = least digits), e f g n m (floats, in the locale's form),
// s (text, precision = most characters), p (pointer), and "%%". Widths count
// characters. A bad specifier, a missing argument or an argument of the wrong
// kind raises EConvertError.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/FormatSettings.h"
#include "platform/base/ShortString.h"

// One argument of Format.
struct TVarRec {
  enum Kind : unsigned char { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };

  Kind VType = vtInteger;
  bool Wide32 = true;  // an integer of 32 bits: %u and %x show it in 32 bits
  std::int64_t VInteger = 0;
  std::uint64_t VUInt64 = 0;
  double VExtended = 0;
  std::string_view VString;
  std::string VOwned;  // text converted from wide text
  const void* VPointer = nullptr;

  template <std::integral T>
  TVarRec(T v)
  {
    if constexpr (std::same_as<T, bool>) {
      VType = vtBoolean;
      VInteger = v;
    } else if constexpr (std::same_as<T, char>) {
      VType = vtChar;
      VOwned.assign(1, v);
      VString = VOwned;
    } else if constexpr (std::is_signed_v<T>) {
      VType = sizeof(T) <= 4 ? vtInteger : vtInt64;
      Wide32 = sizeof(T) <= 4;
      VInteger = v;
    } else if constexpr (sizeof(T) <= 4) {
      VType = vtInt64;
      Wide32 = true;
      VInteger = std::int64_t(v);
    } else {
      VType = vtUInt64;
      Wide32 = false;
      VUInt64 = v;
    }
  }
  template <std::floating_point T>
  TVarRec(T v) : VType(vtExtended), VExtended(double(v)) {}
  TVarRec(const char* s) : VType(vtString), VString(s ? std::string_view(s) : std::string_view()) {}
  TVarRec(char* s) : TVarRec(static_cast<const char*>(s)) {}
  TVarRec(const std::string& s) : VType(vtString), VString(s) {}
  TVarRec(std::string_view s) : VType(vtString), VString(s) {}
  TVarRec(const ShortString& s) : VType(vtString), VString(s.view()) {}
  TVarRec(std::u16string_view s);
  TVarRec(const char16_t* s) : TVarRec(s ? std::u16string_view(s) : std::u16string_view()) {}
  TVarRec(const std::u16string& s) : TVarRec(std::u16string_view(s)) {}
  TVarRec(const void* p) : VType(vtPointer), VPointer(p) {}
  TVarRec(std::nullptr_t) : VType(vtPointer) {}

  TVarRec(const TVarRec& other) { *this = other; }
  TVarRec& operator=(const TVarRec& other);
};

std::string FormatArgs(std::string_view Format, const TVarRec* Args, std::size_t Count,
                       const TFormatSettings& Settings = FormatSettings);

template <class... A>
std::string Format(std::string_view Fmt, const A&... Args)
{
  if constexpr (sizeof...(A) == 0) {
    return FormatArgs(Fmt, nullptr, 0);
  } else {
    const TVarRec list[] = {TVarRec(Args)...};
    return FormatArgs(Fmt, list, sizeof...(A));
  }
}

template <class... A>
std::string Format(const TFormatSettings& Settings, std::string_view Fmt, const A&... Args)
{
  if constexpr (sizeof...(A) == 0) {
    return FormatArgs(Fmt, nullptr, 0, Settings);
  } else {
    const TVarRec list[] = {TVarRec(Args)...};
    return FormatArgs(Fmt, list, sizeof...(A), Settings);
  }
}
