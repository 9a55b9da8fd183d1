// Content export of the text tree: which nodes go out, and the pieces of the
// renderings that need no tree (UTF-8 from UTF-16, colours as hex, the HTML
// clipboard envelope, escaping).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/Utf.h"
#include "platform/win/gdi/SysColors.h"

// Which nodes an export takes, in tree order.
enum TLTSTreeSource { tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible };

// UTF-8 of UTF-16 text; a surrogate without its partner is dropped.
std::string WideToUtf8Dropping(std::u16string_view Text);
// "#RRGGBB" of a colour (system colours resolved).
std::string ColorToHex(TColor Color);
// Text with & < > " written as entities, for HTML text and attribute values.
std::string HtmlEscape(std::string_view Text);
// A font name for an RTF font table: \ { } escaped.
std::string RtfEscapeName(std::string_view Name);
// A cell of separated text: enclosed in double quotes (inner ones doubled)
// when it holds the separator or a double quote.
template <class String>
String QuoteCell(const String& Text, typename String::value_type Separator)
{
  using Char = typename String::value_type;
  if (Text.find(Separator) == String::npos && Text.find(Char('"')) == String::npos)
    return Text;
  String quoted(1, Char('"'));
  for (Char c : Text) {
    quoted.push_back(c);
    if (c == Char('"'))
      quoted.push_back(c);
  }
  quoted.push_back(Char('"'));
  return quoted;
}

// The clipboard's HTML block: the header with its offsets, then the fragment
// inside a small document.
std::string WrapHtmlFragment(const std::string& Fragment);
// What goes before and after a fragment of FragmentSize bytes in that block.
struct THtmlFragmentFrame {
  std::string Head, Tail;
};
THtmlFragmentFrame HtmlFragmentFrame(std::size_t FragmentSize);
