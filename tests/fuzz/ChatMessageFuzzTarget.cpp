// A contact's message on its way to the chat window: through the smiley
// processor, into the window's document (head and seven-line fragment), then
// built and laid out by the viewer as the window does. A plain-text message
// must come out as text: the only markup in it is the processor's pictures
// and line breaks, and every character typed reaches the viewer's text.
#include "tests/fuzz/FuzzTargets.h"

#include <climits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "chatwin/MessageDocument.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/text/FixedFontService.h"
#include "platform/base/Utf.h"
#include "plugins/smileys/SmileyReplacer.h"

namespace {

void Check(bool Condition, const char* What)
{
  if (!Condition)
    throw std::logic_error(What);
}

// Smileys that are markup characters themselves, or start like markup and
// like each other, beside the usual faces.
const std::vector<TSmiley>& Table()
{
  static const std::vector<TSmiley> table = {
      {":)", "smile.gif"}, {":-)", "smile2.gif"}, {"<3", "heart.gif"},     {"&", "and.gif"},
      {"\">", "q.gif"},    {"&lt;", "lt.gif"},    {"<img", "img.gif"},     {"<BR>", "br.gif"},
      {":'(", "cry.gif"},  {"x\"y", "quote.gif"}, {"\xC3\xA9t\xC3\xA9", "summer.gif"}};
  return table;
}

const TSmileyReplacer& Replacer()
{
  static const TSmileyReplacer replacer(Table(), "C:\\MesNews\\");
  return replacer;
}

// Reads back a plain message after the processor: its pictures become their
// smiley texts again, "<BR>" a CR, the four escapes their characters. Any
// other "<" or "&" is markup that came from the contact's text: a fault.
// Replaced collects the smiley texts that became pictures.
std::string ReadBack(std::string_view Html, std::vector<std::string>& Replaced)
{
  static const std::pair<std::string_view, char> escapes[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"<BR>", '\r'}};
  std::vector<std::pair<std::string, std::string>> pictures;  // markup, smiley
  for (const TSmiley& smiley : Table())
    pictures.emplace_back(Replacer().Replace(smiley.Text, mkText).Text, smiley.Text);
  std::string text;
  for (std::size_t i = 0; i < Html.size();) {
    if (Html[i] != '<' && Html[i] != '&') {
      text += Html[i++];
      continue;
    }
    bool known = false;
    for (const auto& [markup, smiley] : pictures)
      if (Html.substr(i).starts_with(markup)) {
        text += smiley;
        Replaced.push_back(smiley);
        i += markup.size();
        known = true;
        break;
      }
    for (const auto& [escape, character] : escapes)
      if (!known && Html.substr(i).starts_with(escape)) {
        text += character;
        i += escape.size();
        known = true;
      }
    Check(known, "a plain message holds markup that is not a picture of the processor");
  }
  return text;
}

// The characters the viewer is sure to show as they are: no blank, no
// control, no character the reader maps (U+FFFD stands for bad input).
bool Visible(char32_t C)
{
  return (C > 0x20 && C < 0x7F) || (C > 0xA0 && C != 0xAD && C != 0xFFFD && C != 0xFEFF && (C < 0x2000 || C > 0x206F));
}

std::u32string VisibleText(std::u32string_view Text)
{
  std::u32string out;
  for (char32_t c : Text)
    if (Visible(c))
      out += c;
  return out;
}

std::u32string Decoded(std::string_view Utf8, bool& Clean)
{
  std::u32string out;
  Clean = true;
  for (std::size_t i = 0; i < Utf8.size();) {
    bool valid = true;
    out += DecodeUtf8Char(Utf8, i, &valid);
    Clean = Clean && valid;
  }
  return out;
}

// The viewer's text of a document built and laid out as the chat window does.
std::u16string ShownText(const std::string& Html)
{
  static const TFixedFontService fonts;
  TSectionList doc(fonts);
  doc.SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  doc.RestrictFiles = true;  // no picture is read, as none is in the folder
  doc.LoadLinkedSheets = false;
  ParseHtmlIntoSections(Html, doc);
  Check(doc.DoLogic(600, 249) >= 0, "height at the window's width");
  Check(doc.DoLogic(1, 249) >= 0, "height at width 1");
  doc.SelStart = 0;
  doc.SelEnd = INT_MAX;
  doc.CopySelection();
  return doc.CopyBuffer;
}

}  // namespace

void FuzzChatMessage(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  static const MessageKind kinds[] = {mkText, mkRtf, mkHtml, MessageKind(7)};
  const MessageKind kind = kinds[Data[0] & 3];
  const bool own = (Data[0] & 4) != 0;
  const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);

  const TReplacedMessage replaced = Replacer().Replace(text, kind);
  std::vector<std::string> pictures;
  if (kind == mkText) {
    Check(replaced.Kind == mkHtml, "a plain message with pictures is HTML");
    Check(ReadBack(replaced.Text, pictures) == text, "a plain message reads back as typed");
    Check(pictures.size() <= std::size_t(TSmileyReplacer::MaxReplacementsPerMessage), "pictures per message");
  } else if (kind != mkHtml) {
    Check(replaced.Kind == kind && replaced.Text == text, "RTF and unknown kinds pass unchanged");
  }

  std::string html;
  for (const std::string& line : DocumentHead())
    html += line + "\r\n";
  for (const std::string& line : MessageFragment(own, "Bob", 46000.5, MessageHtml(own, replaced.Kind, replaced.Text)))
    html += line + "\r\n";
  const std::u16string shown = ShownText(html);

  // Every character of a plain message reaches the viewer's text, in order:
  // none was taken as a tag, an entity or a comment.
  bool clean = false;
  std::u32string expected = Decoded(text, clean);
  if (kind != mkText || !clean)
    return;
  // The pictures came in the order of their texts in the message.
  std::string withoutPictures = text;
  std::size_t from = 0;
  for (const std::string& smiley : pictures)
    if (from = withoutPictures.find(smiley, from); from != std::string::npos)
      withoutPictures.erase(from, smiley.size());
    else
      from = 0;
  expected = VisibleText(Decoded(withoutPictures, clean));
  bool cleanShown = true;
  const std::u32string viewer = VisibleText(Decoded(UTF8Encode(shown), cleanShown));
  Check(viewer.find(expected) != std::u32string::npos, "a plain message shows every character it holds");
}
