#include "chatwin/widgets/detail/XmlText.h"

#include <array>
#include <cstdint>

#include "platform/base/Utf.h"

namespace {

// The escape of each byte, or empty when the byte stays.
const std::array<std::string, 256>& Escapes()
{
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    t['"'] = "&quot;";
    t['&'] = "&amp;";
    t['\''] = "&apos;";
    t['<'] = "&lt;";
    t['>'] = "&gt;";
    const char* digits = "0123456789abcdef";
    for (int b = 128; b < 256; ++b)
      t[std::size_t(b)] = std::string("&#x") + digits[b >> 4] + digits[b & 15] + ";";
    return t;
  }();
  return table;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Whether Text at Pos begins with Word, compared without regard to case.
bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word)
{
  if (text.size() - pos < word.size())
    return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (Lower(text[pos + i]) != word[i])
      return false;
  return true;
}

struct TEntity {
  std::string_view Name;  // after the ampersand, with the semicolon
  char Char;
};
constexpr TEntity Entities[] = {{"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"apos;", '\''}, {"quot;", '"'}};

// Decodes a numeric reference "&#...;" at Pos (the ampersand). Answers the
// number of bytes it takes, or 0 when it is none (the text then stays).
std::size_t DecodeReference(std::string_view text, std::size_t pos, std::string& out)
{
  std::size_t i = pos + 2;
  bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex)
    ++i;
  std::uint32_t code = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] != ';'; ++i, ++digits) {
    char c = text[i];
    int d = c >= '0' && c <= '9' ? c - '0'
            : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
    if (d < 0)
      return 0;
    code = code * (hex ? 16 : 10) + std::uint32_t(d);
    if (code > 0x10FFFF)
      return 0;  // no character has that code
  }
  if (i >= text.size() || digits == 0 || code == 0)
    return 0;
  if (code < 256)
    out.push_back(char(code));  // one byte, as the writer's "&#xhh;" escapes
  else
    AppendUtf8(out, code);
  return i + 1 - pos;
}

}  // namespace

void AppendXmlEscaped(std::string& Out, std::string_view Text)
{
  const auto& escapes = Escapes();
  std::size_t run = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const std::string& escape = escapes[static_cast<unsigned char>(Text[i])];
    if (escape.empty())
      continue;
    Out.append(Text.substr(run, i - run));
    Out.append(escape);
    run = i + 1;
  }
  Out.append(Text.substr(run));
}

std::string XmlDecode(std::string_view Text)
{
  std::string out;
  out.reserve(Text.size());
  int previous = -1;  // the previous character taken as it stood, when below "!"
  for (std::size_t i = 0; i < Text.size();) {
    char c = Text[i];
    if (c == '&') {
      previous = -1;
      std::size_t taken = 0;
      if (i + 1 < Text.size() && Text[i + 1] == '#') {
        taken = DecodeReference(Text, i, out);
      } else {
        for (const TEntity& entity : Entities)
          if (StartsWithNoCase(Text, i + 1, entity.Name)) {
            out.push_back(entity.Char);
            taken = entity.Name.size() + 1;
            break;
          }
      }
      if (taken == 0) {
        out.push_back('&');
        taken = 1;
      }
      i += taken;
      continue;
    }
    if (c == '\r')
      c = '\n';
    auto byte = static_cast<unsigned char>(c);
    if (byte < '!') {
      if (previous == byte) {
        ++i;
        continue;
      }
      previous = byte;
    } else {
      previous = -1;
    }
    out.push_back(c);
    ++i;
  }
  return out;
}
