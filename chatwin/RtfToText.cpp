#include "chatwin/RtfToText.h"

#include <vector>

#include "chatwin/RtfTokenizer.h"
#include "chatwin/detail/RtfCharacters.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"

namespace {

constexpr std::string_view RtfSignature = "{\\rtf1";
constexpr int DefaultCodePage = 1252;

// Destinations whose text is not message text.
constexpr std::string_view SkippedDestinations[] = {
    "fonttbl",  "colortbl",  "stylesheet", "info",    "pict",     "object",    "listtable",
    "listoverridetable",     "filetbl",    "revtbl",  "rsidtbl",  "themedata", "colorschememapping",
    "datastore", "latentstyles", "header", "headerl", "headerr",  "headerf",   "footer",
    "footerl",  "footerr",   "footerf",    "xmlnstbl", "fldinst", "generator", "mmathPr",
};

// Control words that stand for one character.
struct TSymbolWord {
  std::string_view Word;
  std::string_view Text;
};
constexpr TSymbolWord SymbolWords[] = {
    {"par", "\r\n"},           {"line", "\r\n"},          {"tab", "\t"},
    // Table cells, rows, pages and sections end words as paragraphs do.
    {"cell", "\t"},           {"row", "\r\n"},           {"page", "\r\n"},
    {"sect", "\r\n"},
    {"emdash", "\u2014"},      {"endash", "\u2013"},      {"bullet", "\u2022"},
    {"lquote", "\u2018"},      {"rquote", "\u2019"},      {"ldblquote", "\u201C"},
    {"rdblquote", "\u201D"},   {"emspace", " "},          {"enspace", " "},
};

struct TGroupState {
  bool Skip = false;     // inside a destination whose text is dropped
  int FallbackSize = 1;  // \ucN: characters that follow each \uN
};

class TRtfTextWriter {
public:
  std::string Finish()
  {
    FlushBytes();
    FlushUnits();
    return std::move(FOut);
  }

  void Convert(std::string_view source)
  {
    TRtfTokenizer tokenizer(source);
    // The signature's group is the document; its end ends the text.
    for (TRtfToken token = tokenizer.Next(); token.Kind != TRtfTokenKind::End; token = tokenizer.Next()) {
      switch (token.Kind) {
      case TRtfTokenKind::GroupStart:
        FFallbackLeft = 0;
        FStack.push_back(FState);
        break;
      case TRtfTokenKind::GroupEnd:
        FFallbackLeft = 0;
        if (FStack.empty())
          return;
        FState = FStack.back();
        FStack.pop_back();
        if (FStack.empty())
          return;
        break;
      case TRtfTokenKind::ControlWord:
        OnControlWord(token);
        break;
      case TRtfTokenKind::ControlSymbol:
        OnControlSymbol(token.Text);
        break;
      case TRtfTokenKind::HexByte:
        if (TakeFallback() || FState.Skip)
          break;
        FlushUnits();
        FBytes.push_back(char(token.Byte));
        break;
      case TRtfTokenKind::Text:
        OnText(token.Text);
        break;
      case TRtfTokenKind::End:
        return;
      }
    }
  }

private:
  // Whether the character at hand is the fallback of a \uN (and so dropped).
  bool TakeFallback()
  {
    if (FFallbackLeft == 0)
      return false;
    --FFallbackLeft;
    return true;
  }

  void OnControlWord(const TRtfToken& token)
  {
    if (TakeFallback())
      return;
    for (std::string_view skipped : SkippedDestinations)
      if (token.Text == skipped) {
        FState.Skip = true;
        return;
      }
    if (FState.Skip)
      return;
    if (token.Text == "ansicpg") {
      if (token.HasParameter && IsKnownCodePage(token.Parameter)) {
        FlushBytes();
        FCodePage = token.Parameter;
      }
      return;
    }
    if (token.Text == "uc") {
      if (token.HasParameter && token.Parameter >= 0)
        FState.FallbackSize = token.Parameter;
      return;
    }
    if (token.Text == "u") {
      if (!token.HasParameter)
        return;
      FlushBytes();
      // Values above 32767 are written as negative numbers.
      FUnits.push_back(char16_t(std::uint16_t(token.Parameter)));
      FFallbackLeft = FState.FallbackSize;
      return;
    }
    for (const TSymbolWord& symbol : SymbolWords)
      if (token.Text == symbol.Word) {
        Append(symbol.Text);
        return;
      }
  }

  void OnControlSymbol(std::string_view symbol)
  {
    if (symbol.empty())
      return;  // a malformed "\'" escape
    if (symbol[0] == '*') {
      FState.Skip = true;  // an optional destination this reader does not know
      return;
    }
    if (TakeFallback() || FState.Skip)
      return;
    switch (symbol[0]) {
    case '\\':
    case '{':
    case '}':
      Append(symbol);
      break;
    case '~':
      Append("\u00A0");
      break;
    case '_':
      Append("-");
      break;
    case '\r':
    case '\n':
      Append("\r\n");  // a backslash before a line end is a paragraph mark
      break;
    default:
      break;  // "\-", "\:" and the like carry no text
    }
  }

  void OnText(std::string_view run)
  {
    if (FState.Skip)
      return;
    for (char c : run) {
      // Line ends and zero bytes in the source are not text.
      if (c == '\r' || c == '\n' || c == '\0')
        continue;
      if (TakeFallback())
        continue;
      if (static_cast<unsigned char>(c) >= 0x80) {
        FlushUnits();
        FBytes.push_back(c);
      } else {
        FlushBytes();
        FlushUnits();
        FOut.push_back(c);
      }
    }
  }

  void Append(std::string_view text)
  {
    FlushBytes();
    FlushUnits();
    FOut.append(text);
  }

  void FlushBytes()
  {
    if (FBytes.empty())
      return;
    AppendCodePageText(FCodePage, FBytes, FOut);
    FBytes.clear();
  }

  void FlushUnits()
  {
    if (FUnits.empty())
      return;
    AppendUtf16Text(FUnits, FOut);
    FUnits.clear();
  }

  std::vector<TGroupState> FStack;
  TGroupState FState;
  int FFallbackLeft = 0;
  int FCodePage = DefaultCodePage;
  std::string FBytes;     // escaped or 8-bit characters awaiting their code page
  std::u16string FUnits;  // \uN characters awaiting their pair
  std::string FOut;
};

}  // namespace

bool IsRtfText(std::string_view Text)
{
  return Text.substr(0, RtfSignature.size()) == RtfSignature;
}

std::string RtfToText(std::string_view Text)
{
  if (!IsRtfText(Text))
    return std::string(Text);
  TRtfTextWriter writer;
  writer.Convert(Text);
  return writer.Finish();
}

int LowerHexToInt(std::string_view Digits)
{
  std::uint32_t value = 0;
  for (char c : Digits) {
    int digit = HexDigitValue(c);
    if (digit < 0)
      throw EConvertError(Format(SInvalidInteger, std::string(Digits)));
    // Sixteen times anything above 0x7FFFFFF leaves the positive 32-bit range.
    if (value > 0x7FFFFFF || value * 16 + std::uint32_t(digit) > 0x7FFFFFFF)
      throw EIntOverflow(SIntOverflow);
    value = value * 16 + std::uint32_t(digit);
  }
  return int(value);
}
