#include "platform/base/Utf.h"

char32_t DecodeUtf8Char(std::string_view text, std::size_t& pos, bool* valid)
{
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (valid)
    *valid = true;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = 0;
  char32_t c = 0;
  // The second byte's allowed range excludes overlong forms, surrogates and
  // values past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
    if (lead == 0xE0)
      low = 0xA0;
    else if (lead == 0xED)
      high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
    if (lead == 0xF0)
      low = 0x90;
    else if (lead == 0xF4)
      high = 0x8F;
  }
  std::size_t i = pos + 1;
  if (length > 0) {
    for (int k = 1; k < length; ++k, ++i) {
      if (i >= text.size())
        break;
      unsigned char b = byte(i);
      if (k == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF))
        break;
      c = (c << 6) | (b & 0x3F);
      if (k == length - 1) {
        pos = i + 1;
        return c;
      }
    }
  }
  // Ill-formed: skip the lead and the continuation bytes that were accepted.
  pos = i;
  if (valid)
    *valid = false;
  return ReplacementChar;
}

void AppendUtf8(std::string& out, char32_t c)
{
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
    c = ReplacementChar;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

char32_t DecodeUtf16Char(std::u16string_view text, std::size_t& pos, bool* valid)
{
  char16_t unit = text[pos++];
  if (valid)
    *valid = true;
  if (unit < 0xD800 || unit > 0xDFFF)
    return unit;
  if (unit <= 0xDBFF && pos < text.size() && text[pos] >= 0xDC00 && text[pos] <= 0xDFFF) {
    char16_t trail = text[pos++];
    return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (trail - 0xDC00);
  }
  if (valid)
    *valid = false;
  return ReplacementChar;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
    c = ReplacementChar;
  if (c < 0x10000) {
    out += char16_t(c);
  } else {
    c -= 0x10000;
    out += char16_t(0xD800 + (c >> 10));
    out += char16_t(0xDC00 + (c & 0x3FF));
  }
}

WideString UTF8Decode(std::string_view text)
{
  WideString result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();)
    AppendUtf16(result, DecodeUtf8Char(text, pos));
  return result;
}

std::string UTF8Encode(std::u16string_view text)
{
  std::string result;
  result.reserve(text.size() * 3 / 2);
  for (std::size_t pos = 0; pos < text.size();)
    AppendUtf8(result, DecodeUtf16Char(text, pos));
  return result;
}

std::size_t Utf8Length(std::string_view text)
{
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count)
    DecodeUtf8Char(text, pos);
  return count;
}

std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes)
{
  if (text.size() <= maxBytes)
    return text;
  std::size_t end = maxBytes;
  // Step back over continuation bytes (10xxxxxx) to the lead byte of the
  // character that crosses the limit, and cut before it.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

std::string_view WithoutPartialLastChar(std::string_view text)
{
  std::size_t end = text.size();
  while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
    --end;
  if (end > 0 && static_cast<unsigned char>(text[end - 1]) >= 0xC0) {
    unsigned char lead = static_cast<unsigned char>(text[end - 1]);
    std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (text.size() - (end - 1) < need)
      return text.substr(0, end - 1);
  }
  return text;
}
