#include "controls/vtree/LazyTreeExport.h"

#include <cstdio>

std::string WideToUtf8Dropping(std::u16string_view Text)
{
  std::string out;
  out.reserve(Text.size());
  std::size_t pos = 0;
  while (pos < Text.size()) {
    bool valid = true;
    char32_t c = DecodeUtf16Char(Text, pos, &valid);
    if (valid)
      AppendUtf8(out, c);
  }
  return out;
}

std::string ColorToHex(TColor Color)
{
  COLORREF rgb = ColorToRGB(Color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(rgb & 0xFF), unsigned((rgb >> 8) & 0xFF),
                unsigned((rgb >> 16) & 0xFF));
  return text;
}

std::string HtmlEscape(std::string_view Text)
{
  std::string out;
  out.reserve(Text.size());
  for (char c : Text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string RtfEscapeName(std::string_view Name)
{
  std::string out;
  for (char c : Name) {
    if (c == '\\' || c == '{' || c == '}')
      out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

THtmlFragmentFrame HtmlFragmentFrame(std::size_t FragmentSize)
{
  static const std::string kDocStart =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body>"
      "<!--StartFragment-->";
  static const std::string kDocEnd = "<!--EndFragment--></body></html>";
  constexpr std::size_t kHeaderSize = 97;
  std::size_t startFragment = kHeaderSize + kDocStart.size();
  std::size_t endFragment = startFragment + FragmentSize;
  std::size_t endHtml = endFragment + kDocEnd.size();
  char header[160];
  std::snprintf(header, sizeof header,
                "Version:1.0\r\nStartHTML:%.8zu\r\nEndHTML:%.8zu\r\nStartFragment:%.8zu\r\nEndFragment:%.8zu\r\n",
                kHeaderSize, endHtml, startFragment, endFragment);
  return {header + kDocStart, kDocEnd};
}

std::string WrapHtmlFragment(const std::string& Fragment)
{
  THtmlFragmentFrame frame = HtmlFragmentFrame(Fragment.size());
  std::string block;
  block.reserve(frame.Head.size() + Fragment.size() + frame.Tail.size());
  block += frame.Head;
  block += Fragment;
  block += frame.Tail;
  return block;
}
