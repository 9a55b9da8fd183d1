#include "controls/html/styles/CssParser.h"

#include <functional>
#include <vector>

#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/detail/CssWords.h"
#include "controls/html/url/UrlHelpers.h"
#include "platform/base/AsciiChars.h"
#include "platform/base/StringRoutines.h"

using namespace CssWords;

namespace {

constexpr char EofChar = 26;

using TPropSink = std::function<void(const std::string& Name, const std::string& Value)>;

bool IsCssNameChar(char C) { return C == '-' || IsAsciiDigit(C) || IsAsciiLetter(C); }
bool IsSelectorChar(char C) { return C == ' ' || C == '#' || C == '.' || C == ':' || C == '_' || IsCssNameChar(C); }

bool IsBorderStyleWord(const std::string& W)
{
  static constexpr std::string_view Words[] = {"none",   "solid", "dashed", "dotted", "double",
                                               "groove", "inset", "outset", "ridge"};
  for (std::string_view S : Words)
    if (W == S)
      return true;
  return false;
}

bool IsColor(const std::string& W)
{
  TColor Unused = 0;
  return ColorFromString(W, true, Unused);
}

// The longhands of the shorthands, and their expansion.
class TExpander {
public:
  TExpander(const TPropSink& Sink, const std::string& Base) : FSink(Sink), FBase(Base) {}

  // A declaration: a shorthand is expanded, anything else handed on.
  void Declare(const std::string& Name, const std::string& Value, const std::string& Raw)
  {
    if (Name == "margin" || Name == "padding")
      Box(Name + "-", "", Value);
    else if (Name == "border-width" || Name == "border-color" || Name == "border-style")
      Box("border-", Name.substr(6), Value);
    else if (Name == "border" || Name == "border-top" || Name == "border-right" || Name == "border-bottom" ||
             Name == "border-left")
      Border(Name, Value);
    else if (Name == "font")
      Font(Raw);
    else if (Name == "background")
      Background(Value);
    else if (Name == "list-style")
      ListStyle(Value);
    else
      FSink(Name, !FBase.empty() && Value.find("url(") != std::string::npos ? ExpandUrl(Value) : Value);
  }

private:
  // margin, padding and the border-width, -color and -style forms: one to
  // four words for the top, right, bottom and left sides.
  void Box(const std::string& Prefix, const std::string& Suffix, const std::string& Value)
  {
    std::vector<std::string> W = SplitWords(Value, 4);
    if (W.empty())
      return;
    const std::string& Top = W[0];
    const std::string& Right = W.size() > 1 ? W[1] : W[0];
    const std::string& Bottom = W.size() > 2 ? W[2] : W[0];
    const std::string& Left = W.size() > 3 ? W[3] : Right;
    FSink(Prefix + "top" + Suffix, Top);
    FSink(Prefix + "right" + Suffix, Right);
    FSink(Prefix + "bottom" + Suffix, Bottom);
    FSink(Prefix + "left" + Suffix, Left);
  }

  void Border(const std::string& Name, const std::string& Value)
  {
    std::string Rest = Value;
    for (const std::string& Group : ExtractGroups(Rest, 7))
      if (IsColor(Group))
        FSink(Name + "-color", Group);
    for (const std::string& W : SplitWords(Rest, 7)) {
      if (IsColor(W))
        FSink(Name + "-color", W);
      else if (IsBorderStyleWord(W))
        FSink(Name + "-style", W);
      else if (Name == "border")
        for (const char* Side : {"top", "right", "bottom", "left"})
          FSink(std::string("border-") + Side + "-width", W);
      else
        FSink(Name + "-width", W);
    }
  }

  void Font(const std::string& Raw)
  {
    for (const std::string& W : SplitWords(Raw, 7)) {
      if (W[0] == '/')
        FSink("line-height", W.substr(1));
      else if (W == "italic" || W == "oblique")
        FSink("font-style", W);
      else if (W == "normal" || W == "bolder" || W == "lighter" || W == "bold")
        FSink("font-weight", W);
      else if (W == "small-caps")
        FSink("font-variant", W);
      else if (W == "larger" || W == "smaller" || W == "xx-small" || W == "x-small" || W == "small" ||
               W == "medium" || W == "large" || W == "x-large" || W == "xx-large")
        FSink("font-size", W);
      else if (IsAsciiDigit(W[0]))
        FSink("font-size", W);
      else
        FSink("font-family", W);
    }
  }

  void Background(const std::string& Value)
  {
    std::string Rest = Value;
    for (const std::string& Group : ExtractGroups(Rest, 7)) {
      if (Group.compare(0, 4, "rgb(") == 0)
        FSink("background-color", Group);
      else
        FSink("background-image", FBase.empty() ? Group : ExpandUrl(Group));
    }
    std::vector<std::string> Words = SplitWords(Rest, 7);
    std::vector<std::string> Left;
    for (const std::string& W : Words) {
      if (IsColor(W))
        FSink("background-color", W);
      else if (W == "none")
        FSink("background-image", W);
      else
        Left.push_back(W);
    }
    Words.clear();
    for (const std::string& W : Left) {
      if (W.find("repeat") != std::string::npos)
        FSink("background-repeat", W);
      else if (W == "fixed" || W == "scroll")
        FSink("background-attachment", W);
      else
        Words.push_back(W);
    }
    if (Words.size() >= 2)
      FSink("background-position", Words[Words.size() - 2] + " " + Words.back() + " ");
    else if (Words.size() == 1)
      FSink("background-position", Words[0]);
  }

  void ListStyle(const std::string& Value)
  {
    for (const std::string& W : SplitWords(Value, 7)) {
      if (W.find("url(") != std::string::npos)
        FSink("list-style-image", FBase.empty() ? W : ExpandUrl(W));
      else
        FSink("list-style-type", W);
    }
  }

  // The reference of a url() value made absolute against the sheet's base: a
  // folder takes a file name, a URL a combined URL.
  std::string ExpandUrl(const std::string& Value) const
  {
    std::size_t Open = Value.find("url(");
    std::string Reference = Value.substr(Open + 4);
    Reference.erase(std::min(Reference.find(')'), Reference.size()));
    if (Reference.size() > 2 && (Reference[0] == '"' || Reference[0] == '\''))
      Reference = Reference.substr(1, Reference.size() - 2);
    if (FBase.find("://") == std::string::npos) {
      Reference = ReferenceToFileName(Reference);
      if (!(Reference.size() > 1 && Reference[1] == ':') && Reference.compare(0, 2, "\\\\") != 0)
        Reference = FBase + Reference;
    } else if (!IsAbsoluteReference(Reference)) {
      Reference = CombineUrl(FBase, Reference);
    }
    return "url(" + Reference + ")";
  }

  const TPropSink& FSink;
  const std::string& FBase;
};

// The reader of one style sheet.
class TSheetReader {
public:
  TSheetReader(TCssSink& Sink, TCssGetChar Source, TCssGetChar Peek, const std::string& Base)
      : FSink(Sink), FSource(Source), FPeek(Peek), FBase(Base)
  {
  }

  char Parse(char CallerCh)
  {
    PushBack(CallerCh == '\r' ? ' ' : CallerCh == 0 ? EofChar : CallerCh);
    FCh = ' ';
    // The HTML comment marks around the sheet; a "<" is one only with "!".
    for (;;) {
      if (FCh == ' ' || FCh == '!' || FCh == '-' || FCh == '>') {
        GetCh();
      } else if (FCh == '<') {
        const char After = FPushed ? FPushedCh : FPeek ? FPeek() : '\0';
        if (After != '!')
          break;  // the closing tag of an empty sheet
        GetCh();
      } else {
        break;
      }
    }
    while (FCh != EofChar && FCh != '<') {
      if (FCh == '@')
        SkipAtRule();
      else
        ReadRule();
      while (FCh == ' ' || FCh == '-' || FCh == '>')
        GetCh();
    }
    return FCh == EofChar ? '\0' : FCh;
  }

private:
  void PushBack(char C)
  {
    FPushed = true;
    FPushedCh = C;
  }

  void ReadCh()
  {
    char C;
    if (FPushed) {
      C = FPushedCh;
      FPushed = false;
    } else {
      C = FSource();
    }
    // A text that ends inside the sheet (a STYLE element left open) ends it.
    if (C == '\0')
      C = EofChar;
    else if (C == '\r')
      C = ' ';
    FCh = C;
  }

  // The comment-aware read.
  void GetCh()
  {
    for (;;) {
      ReadCh();
      if (FCh != '/')
        return;
      ReadCh();
      if (FCh != '*') {
        PushBack(FCh);
        FCh = '/';
        return;
      }
      for (;;) {
        do
          ReadCh();
        while (FCh != '*' && FCh != EofChar && FCh != '<');
        if (FCh != '*')
          return;  // cut short: the character that stopped it ends the sheet
        do
          ReadCh();
        while (FCh == '*');
        if (FCh == '/')
          break;
        if (FCh == EofChar || FCh == '<')
          return;
      }
    }
  }

  void SkipWhite()
  {
    while (FCh == ' ')
      GetCh();
  }

  void SkipAtRule()
  {
    while (FCh != EofChar && FCh != ';' && FCh != '<' && FCh != '{')
      GetCh();
    if (FCh == ';') {
      GetCh();
      return;
    }
    if (FCh != '{')
      return;
    // The block and the blocks nested in it, counted rather than recursed.
    int Depth = 0;
    do {
      if (FCh == '{')
        ++Depth;
      else if (FCh == '}')
        --Depth;
      GetCh();
    } while (Depth > 0 && FCh != EofChar && FCh != '<');
  }

  void ReadRule()
  {
    std::vector<std::string> Selectors;
    do {
      if (FCh == ',')
        GetCh();
      SkipWhite();
      std::string S;
      while (IsSelectorChar(FCh)) {
        S += FCh;
        GetCh();
      }
      Selectors.push_back(NormaliseSelector(Trim(LowerCase(S)), [this] { return FSink.NextSequence(); }));
    } while (FCh == ',');
    while (FCh != '{' && FCh != '<' && FCh != EofChar)
      GetCh();

    if (FCh != '{')
      return;
    GetCh();
    TPropSink Sink = [&](const std::string& Name, const std::string& Value) {
      for (const std::string& Selector : Selectors)
        FSink.AddModifyProp(Selector, Name, Value);
    };
    TExpander Expander(Sink, FBase);
    do {
      SkipWhite();
      std::string Name;
      while (IsCssNameChar(FCh)) {
        Name += FCh;
        GetCh();
      }
      Name = Trim(LowerCase(Name));
      SkipWhite();
      if (FCh == ':' || FCh == '=') {
        GetCh();
        std::string Value;
        while (FCh != ';' && FCh != '<' && FCh != '}' && FCh != EofChar) {
          Value += FCh;
          GetCh();
        }
        const std::string Raw = Trim(LowerCase(Value));
        Expander.Declare(Name, RemoveQuotes(Raw), Raw);
      }
      SkipWhite();
      if (FCh == ';')
        GetCh();
      while (FCh != EofChar && FCh != '<' && FCh != '}' && !IsCssNameChar(FCh))
        GetCh();
    } while (FCh != EofChar && FCh != '<' && FCh != '}');
    if (FCh == '}')
      GetCh();
  }

  TCssSink& FSink;
  TCssGetChar FSource;
  TCssGetChar FPeek;
  const std::string& FBase;
  bool FPushed = false;
  char FPushedCh = 0;
  char FCh = ' ';
};

// The characters of a sheet held as text.
class TTextSource {
public:
  explicit TTextSource(std::string_view Text) : FText(Text) {}
  char Next()
  {
    while (FAt < FText.size()) {
      char C = FText[FAt++];
      if (C == '\n') {
        if (FAt >= 2 && FText[FAt - 2] == '\r')
          continue;
        return '\r';
      }
      return C == '\t' ? ' ' : C;
    }
    return EofChar;
  }
  char Peek() { return FAt < FText.size() ? FText[FAt] : EofChar; }

private:
  std::string_view FText;
  std::size_t FAt = 0;
};

}  // namespace

void ParseStyleSheet(TCssSink& Sink, char& Ch, TCssGetChar Source, TCssGetChar Peek, const std::string& BaseUrl)
{
  TSheetReader Reader(Sink, Source, Peek, BaseUrl);
  Ch = char(UpperCase(std::string(1, Reader.Parse(Ch)))[0]);
}

void ParseStyleSheetText(TCssSink& Sink, std::string_view Text, const std::string& BaseUrl)
{
  TTextSource Source(Text);
  char Ch = ' ';
  ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TTextSource::Next), TCssGetChar(&Source, &TTextSource::Peek), BaseUrl);
}

void ParseStyleAttribute(std::string_view Text, TProperties& Props)
{
  const std::string S = LowerCase(Text);
  const std::string NoBase;
  TPropSink Sink = [&Props](const std::string& Name, const std::string& Value) { Props.AssignByName(Name, Value); };
  TExpander Expander(Sink, NoBase);
  std::size_t I = 0;
  auto SkipSpaces = [&] {
    while (I < S.size() && S[I] == ' ')
      ++I;
  };
  while (I < S.size()) {
    SkipSpaces();
    std::size_t Start = I;
    while (I < S.size() && IsCssNameChar(S[I]))
      ++I;
    const std::string Name = Trim(std::string_view(S).substr(Start, I - Start));
    SkipSpaces();
    if (I < S.size() && (S[I] == ':' || S[I] == '=')) {
      std::size_t End = S.find(';', ++I);
      if (End == std::string::npos)
        End = S.size();
      const std::string Raw = Trim(std::string_view(S).substr(I, End - I));
      I = End;
      Expander.Declare(Name, RemoveQuotes(Raw), Raw);
    }
    SkipSpaces();
    if (I < S.size() && S[I] == ';')
      ++I;
    while (I < S.size() && !IsCssNameChar(S[I]))
      ++I;
  }
}
