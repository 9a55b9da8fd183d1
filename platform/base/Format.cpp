#include "platform/base/Format.h"

#include <cctype>

#include "platform/base/Exception.h"
#include "platform/base/FloatConversions.h"
#include "platform/base/SysConsts.h"
#include "platform/base/Utf.h"

TVarRec::TVarRec(std::u16string_view s) : VType(vtString), VOwned(UTF8Encode(s))
{
  VString = VOwned;
}

TVarRec& TVarRec::operator=(const TVarRec& other)
{
  if (this == &other)
    return *this;
  VType = other.VType;
  Wide32 = other.Wide32;
  VInteger = other.VInteger;
  VUInt64 = other.VUInt64;
  VExtended = other.VExtended;
  VOwned = other.VOwned;
  VPointer = other.VPointer;
  // A view of the other's own text must follow the copy.
  bool ownText = !other.VOwned.empty() && other.VString.data() == other.VOwned.data();
  VString = ownText ? std::string_view(VOwned) : other.VString;
  return *this;
}

namespace {

// Widths and precisions beyond this are refused: no format string of the
// system asks for more, and a larger one would only exhaust memory.
constexpr int MaxWidth = 1 << 20;

[[noreturn]] void Raise(const char* text, std::string_view format)
{
  std::string message = text;
  message.replace(message.find("%s"), 2, format);
  throw EConvertError(message);
}

class Formatter {
public:
  Formatter(std::string_view format, const TVarRec* args, std::size_t count, const TFormatSettings& settings)
      : F(format), Args(args), Count(count), Settings(settings)
  {
  }

  std::string Run()
  {
    while (I < F.size()) {
      char c = F[I++];
      if (c != '%') {
        Out += c;
        continue;
      }
      Specifier();
    }
    return Out;
  }

private:
  const TVarRec& NextArg()
  {
    if (ArgIndex >= Count)
      Raise(SArgumentMissing, F);
    return Args[ArgIndex++];
  }

  [[noreturn]] void Bad() { Raise(SInvalidFormat, F); }

  // Digits or "*"; false when neither is there.
  bool Number(int& value)
  {
    if (I < F.size() && F[I] == '*') {
      ++I;
      const TVarRec& arg = NextArg();
      if (arg.VType != TVarRec::vtInteger && arg.VType != TVarRec::vtInt64)
        Bad();
      if (arg.VInteger > MaxWidth || arg.VInteger < -MaxWidth)
        Bad();
      value = int(arg.VInteger);
      return true;
    }
    if (I >= F.size() || !std::isdigit(static_cast<unsigned char>(F[I])))
      return false;
    value = 0;
    while (I < F.size() && std::isdigit(static_cast<unsigned char>(F[I]))) {
      value = value * 10 + (F[I++] - '0');
      if (value > MaxWidth)
        Bad();
    }
    return true;
  }

  void Specifier()
  {
    if (I >= F.size())
      Bad();
    if (F[I] == '%') {
      Out += '%';
      ++I;
      return;
    }
    int value = 0, width = 0, precision = -1;
    bool left = false;
    bool have = Number(value);
    if (have && I < F.size() && F[I] == ':') {
      ++I;
      if (value < 0)
        Bad();
      ArgIndex = std::size_t(value);
      have = false;
    }
    if (!have) {
      if (I < F.size() && F[I] == '-') {
        left = true;
        ++I;
      }
      Number(width);
    } else {
      width = value;
    }
    if (width < 0) {
      left = true;
      width = -width;
    }
    if (I < F.size() && F[I] == '.') {
      ++I;
      precision = 0;
      Number(precision);
      if (precision < 0)
        precision = -1;
    }
    if (I >= F.size())
      Bad();
    char type = char(std::toupper(static_cast<unsigned char>(F[I++])));
    const TVarRec& arg = NextArg();
    std::string text = Convert(type, arg, precision);
    std::size_t length = Utf8Length(text);
    std::string pad = length < std::size_t(width) ? std::string(std::size_t(width) - length, ' ') : std::string();
    Out += left ? text + pad : pad + text;
  }

  static bool IsInteger(const TVarRec& a)
  {
    return a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtInt64 || a.VType == TVarRec::vtUInt64;
  }

  static std::string LeastDigits(std::string digits, int precision)
  {
    if (int(digits.size()) < precision)
      digits.insert(0, std::size_t(precision) - digits.size(), '0');
    return digits;
  }

  // The value as an unsigned number in its own width (two's complement).
  static std::uint64_t Unsigned(const TVarRec& a)
  {
    if (a.VType == TVarRec::vtUInt64)
      return a.VUInt64;
    if (a.Wide32)
      return std::uint32_t(a.VInteger);
    return std::uint64_t(a.VInteger);
  }

  std::string Convert(char type, const TVarRec& a, int precision)
  {
    switch (type) {
    case 'D': {
      if (!IsInteger(a))
        Bad();
      if (a.VType == TVarRec::vtUInt64)
        return LeastDigits(std::to_string(a.VUInt64), precision);
      std::uint64_t magnitude = a.VInteger < 0 ? 0 - std::uint64_t(a.VInteger) : std::uint64_t(a.VInteger);
      return (a.VInteger < 0 ? "-" : "") + LeastDigits(std::to_string(magnitude), precision);
    }
    case 'U':
      if (!IsInteger(a))
        Bad();
      return LeastDigits(std::to_string(Unsigned(a)), precision);
    case 'X': {
      if (!IsInteger(a))
        Bad();
      return LeastDigits(Hex(Unsigned(a)), precision);
    }
    case 'E':
    case 'F':
    case 'G':
    case 'N':
    case 'M': {
      if (a.VType != TVarRec::vtExtended)
        Bad();
      double v = a.VExtended;
      switch (type) {
      case 'E': return FloatToStrF(v, ffExponent, precision < 0 ? 15 : precision, 3, Settings);
      case 'F': return FloatToStrF(v, ffFixed, 17, precision < 0 ? 2 : precision, Settings);
      case 'G': return FloatToStrF(v, ffGeneral, precision < 0 ? 15 : precision, 0, Settings);
      case 'N': return FloatToStrF(v, ffNumber, 17, precision < 0 ? 2 : precision, Settings);
      default: return FloatToStrF(v, ffCurrency, 17, precision < 0 ? Settings.CurrencyDecimals : precision, Settings);
      }
    }
    case 'S': {
      if (a.VType != TVarRec::vtString && a.VType != TVarRec::vtChar)
        Bad();
      if (precision < 0)
        return std::string(a.VString);
      // At most precision characters, never cutting one.
      std::size_t pos = 0;
      for (int n = 0; n < precision && pos < a.VString.size(); ++n)
        DecodeUtf8Char(a.VString, pos);
      return std::string(a.VString.substr(0, pos));
    }
    case 'P':
      if (a.VType != TVarRec::vtPointer)
        Bad();
      return LeastDigits(Hex(reinterpret_cast<std::uintptr_t>(a.VPointer)), int(sizeof(void*) * 2));
    default:
      Bad();
    }
  }

  static std::string Hex(std::uint64_t v)
  {
    static const char digits[] = "0123456789ABCDEF";
    std::string r;
    do {
      r.insert(r.begin(), digits[v & 15]);
      v >>= 4;
    } while (v);
    return r;
  }

  std::string_view F;
  const TVarRec* Args;
  std::size_t Count;
  const TFormatSettings& Settings;
  std::size_t I = 0, ArgIndex = 0;
  std::string Out;
};

}  // namespace

std::string FormatArgs(std::string_view Format, const TVarRec* Args, std::size_t Count, const TFormatSettings& Settings)
{
  return Formatter(Format, Args, Count, Settings).Run();
}
