#include "plugins/smileys/SmileyReplacer.h"

#include <cctype>

#include "api/HtmlText.h"

TSmileyReplacer::TSmileyReplacer(const std::vector<TSmiley>& Table, std::string_view DataFolder)
{
  FRoot.fill(-1);
  FNodes.emplace_back();  // node 0 stands for the root; its children live in FRoot
  FMarkup.reserve(Table.size());
  for (const TSmiley& smiley : Table) {
    std::string source = std::string(DataFolder) + "config/" + smiley.Image;
    // The folder and the name come from outside files: escaped, a quote in
    // them cannot end the attribute.
    std::string markup = "<IMG src=\"";
    AppendHtmlEscaped(markup, source);
    markup += "\">";
    FMarkup.push_back(std::move(markup));
    Add(smiley.Text, int(FMarkup.size()) - 1);
  }
}

int TSmileyReplacer::Child(int Node, unsigned char Byte) const
{
  if (Node == 0)
    return FRoot[Byte];
  for (const auto& [byte, child] : FNodes[std::size_t(Node)].Children)
    if (byte == Byte)
      return child;
  return -1;
}

void TSmileyReplacer::Add(std::string_view Smiley, int Entry)
{
  if (Smiley.empty())
    return;
  int node = 0;
  for (char c : Smiley) {
    auto byte = static_cast<unsigned char>(c);
    int next = Child(node, byte);
    if (next < 0) {
      next = int(FNodes.size());
      FNodes.emplace_back();
      if (node == 0)
        FRoot[byte] = next;
      else
        FNodes[std::size_t(node)].Children.emplace_back(byte, next);
    }
    node = next;
  }
  // The same smiley on a later line does not replace the earlier one.
  if (FNodes[std::size_t(node)].Entry < 0)
    FNodes[std::size_t(node)].Entry = Entry;
}

int TSmileyReplacer::LongestMatch(std::string_view Text, std::size_t& Length) const
{
  int found = -1;
  int node = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    node = Child(node, static_cast<unsigned char>(Text[i]));
    if (node < 0)
      break;
    if (FNodes[std::size_t(node)].Entry >= 0) {
      found = FNodes[std::size_t(node)].Entry;
      Length = i + 1;
    }
  }
  return found;
}

// One run of message text: smileys become markup, the text between them goes
// through Copy (escaping for plain text, as it is for HTML).
template <class CopyText>
void TSmileyReplacer::ReplaceRun(std::string_view Run, std::string& Out, int& Budget, CopyText&& Copy) const
{
  std::size_t plain = 0;
  std::size_t i = 0;
  while (i < Run.size() && Budget > 0) {
    if (FRoot[static_cast<unsigned char>(Run[i])] < 0) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    int entry = LongestMatch(Run.substr(i), length);
    if (entry < 0) {
      ++i;
      continue;
    }
    Copy(Out, Run.substr(plain, i - plain));
    Out += FMarkup[std::size_t(entry)];
    --Budget;
    i += length;
    plain = i;
  }
  Copy(Out, Run.substr(plain));
}

namespace {

// Plain text as HTML: escaped, with CR as a line break as the chat window
// shows a plain message.
void CopyPlainText(std::string& Out, std::string_view Text)
{
  std::size_t start = 0;
  for (std::size_t cr; (cr = Text.find('\r', start)) != std::string_view::npos; start = cr + 1) {
    AppendHtmlEscaped(Out, Text.substr(start, cr - start));
    Out += "<BR>";
  }
  AppendHtmlEscaped(Out, Text.substr(start));
}

void CopyHtml(std::string& Out, std::string_view Text) { Out.append(Text); }

// Where the markup unit starting at Text[0] ("<" or "&") ends: a tag runs to
// its ">" (or the end), a character reference to its ";"; 0 when the "&"
// starts no reference.
std::size_t MarkupLength(std::string_view Text)
{
  if (Text[0] == '<') {
    std::size_t close = Text.find('>');
    return close == std::string_view::npos ? Text.size() : close + 1;
  }
  std::size_t i = 1;
  if (i < Text.size() && Text[i] == '#')
    ++i;
  std::size_t nameStart = i;
  while (i < Text.size() && i < 40 && std::isalnum(static_cast<unsigned char>(Text[i])))
    ++i;
  if (i > nameStart && i < Text.size() && Text[i] == ';')
    return i + 1;
  return 0;
}

}  // namespace

TReplacedMessage TSmileyReplacer::Replace(std::string_view Text, MessageKind Kind) const
{
  int budget = MaxReplacementsPerMessage;
  std::string out;
  out.reserve(Text.size() + Text.size() / 2);
  switch (Kind) {
  case mkText:
    ReplaceRun(Text, out, budget, CopyPlainText);
    return {mkHtml, std::move(out)};
  case mkHtml: {
    // Smileys are looked for only in the text between tags and references,
    // never inside them.
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < Text.size()) {
      if (Text[i] != '<' && Text[i] != '&') {
        ++i;
        continue;
      }
      std::size_t unit = MarkupLength(Text.substr(i));
      if (unit == 0) {
        ++i;
        continue;
      }
      ReplaceRun(Text.substr(start, i - start), out, budget, CopyHtml);
      out.append(Text.substr(i, unit));
      i += unit;
      start = i;
    }
    ReplaceRun(Text.substr(start), out, budget, CopyHtml);
    return {mkHtml, std::move(out)};
  }
  default:
    // RTF is shown by the chat window after its own conversion, and a kind
    // not known here is not ours to change.
    return {Kind, std::string(Text)};
  }
}
