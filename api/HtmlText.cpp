#include "api/HtmlText.h"

void AppendHtmlEscaped(std::string& Out, std::string_view Text)
{
  std::size_t plain = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char* reference = nullptr;
    switch (Text[i]) {
    case '&': reference = "&amp;"; break;
    case '<': reference = "&lt;"; break;
    case '>': reference = "&gt;"; break;
    case '"': reference = "&quot;"; break;
    default: continue;
    }
    Out.append(Text.substr(plain, i - plain));
    Out.append(reference);
    plain = i + 1;
  }
  Out.append(Text.substr(plain));
}

std::string HtmlEscape(std::string_view Text)
{
  std::string out;
  out.reserve(Text.size());
  AppendHtmlEscaped(out, Text);
  return out;
}
