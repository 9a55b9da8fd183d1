#include "HtmlFuzzTargets.h"

#include <stdexcept>
#include <string>

#include "FuzzSupport.h"
#include "RecordingSink.h"
#include "TestFonts.h"
#include "controls/html/parser/HtmlParser.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/StringList.h"

namespace {

// The recording sink, with the expectations every parse must meet.
class TCheckingSink : public TRecordingSink {
public:
  const THtmlReader* Reader = nullptr;

  void Text(const TokenObj& Token) override
  {
    const std::vector<int>& Positions = Token.Positions();
    FuzzCheck(Positions.size() == Token.Text().size(), "a position for every character");
    const int Length = int(Reader->DocText().size());
    for (std::size_t I = 0; I < Positions.size(); ++I) {
      FuzzCheck(Positions[I] >= 0 && Positions[I] < Length, "positions lie in the text");
      FuzzCheck(I == 0 || Positions[I] >= Positions[I - 1], "positions never go back within a token");
    }
    TRecordingSink::Text(Token);
  }
};

const int CharSets[4] = {1, 0, 128, 204};

// A STYLE element's characters, then NUL for ever; counts the reads.
class TNulSource : public TObject {
public:
  explicit TNulSource(const std::string& Text) : FText(Text) {}
  char Next()
  {
    ++Reads;
    return FAt < FText.size() ? FText[FAt++] : '\0';
  }
  char Peek() { return FAt < FText.size() ? FText[FAt] : '\0'; }
  std::size_t Reads = 0;

private:
  const std::string& FText;
  std::size_t FAt = 0;
};

// The declarations a sheet hands over, with their expectations.
class TCheckingCssSink : public TCssSink {
public:
  explicit TCheckingCssSink(TStyleList& Styles) : FStyles(Styles) {}
  std::string NextSequence() override { return FStyles.NextSequence(); }
  bool AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value) override
  {
    for (char C : PropName)
      FuzzCheck((C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '-', "property names are lower-case words");
    for (char C : Selector)
      FuzzCheck(!(C >= 'A' && C <= 'Z'), "selectors are lower-cased");
    ++Calls;
    return FStyles.AddModifyProp(Selector, PropName, Value);
  }
  std::size_t Calls = 0;

private:
  TStyleList& FStyles;
};

// Elements of every kind of key, combined with whatever the sheet holds.
void Cascade(TStyleList& Styles, TProperties* Style)
{
  TPropStack Stack(TestFonts());
  Stack.Styles = &Styles;
  auto* Base = new TProperties(TestFonts());
  if (Styles.DefProp())
    Base->CopyDefault(*Styles.DefProp());
  Stack.Add(Base);
  Stack.Push("body", "", "", "", "", nullptr);
  Stack.Push("div", "moi", "x", "", "", Style);
  Stack.Push("ul", "", "", "", "", nullptr);
  Stack.Push("li", "item", "", "", "", nullptr);
  Stack.Push("a", "", "", "link", "title", Style);
  Stack.Push("p", "note", "y", "hover", "", nullptr);
  for (int I = 1; I < Stack.Count(); ++I) {
    TProperties* P = Stack.Items(I);
    TVMarginArray VM;
    TMarginArray M{};
    int Autos = 0;
    bool TopAuto = false, BottomAuto = false;
    P->GetVMarginArray(VM);
    ConvMargArray(VM, 600, 400, 16, 8, 96, M, Autos);
    ConvVertMargins(VM, 600, 16, 8, 96, M, TopAuto, BottomAuto);
    TBackgroundPosRec Position;
    P->GetBackgroundPos(16, 8, Position);
    P->GetFont();
  }
  Stack.PopAName("div");
  Stack.PopAName("body");
}

}  // namespace

void FuzzHtml(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  const std::uint8_t Mode = Data[0];
  const std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);

  TCheckingSink Sink;
  Sink.Record = false;
  Sink.Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, CharSets[Mode & 3], true, 0xFF,
                                0x800080, 0xFF0000, 0, 12);
  THtmlParser Parser(TestFonts());
  Sink.Reader = &Parser.Reader;
  Sink.Stack = &Parser.Reader.PropStack;
  TFuzzIncluder Includer(32);
  if (Mode & 4) {
    Includer.Source = Text;
    Parser.Reader.OnInclude = TIncludeType(&Includer, &TFuzzIncluder::Include);
  }
  Parser.Parse(Text, Sink);
  if (!(Mode & 4))
    FuzzCheck(Sink.Calls <= 8 * Text.size() + 64, "events stay in proportion to the text");

  // The bare symbol loop: each symbol takes at least one character.
  THtmlReader Reader(TestFonts());
  Reader.Start(Text, &Sink);
  Reader.PropStack.Add(new TProperties(TestFonts()));
  Reader.GetCh();
  std::size_t Symbols = 0;
  for (Reader.Next(); Reader.Sy != EofSy; Reader.Next())
    FuzzCheck(++Symbols <= Text.size(), "every symbol reads something");
}

void FuzzCss(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  const std::uint8_t Mode = Data[0];
  const std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  TStyleList Styles(TestFonts());
  Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, 1, true, 0xFF, 0x800080, 0xFF0000, 0, 12);
  TProperties Attribute(TestFonts());
  TProperties* Style = nullptr;
  switch (Mode % 3) {
  case 0: {
    TCheckingCssSink Sink(Styles);
    TNulSource Source(Text);
    char Ch = '>';
    ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TNulSource::Next), TCssGetChar(&Source, &TNulSource::Peek), "");
    FuzzCheck(Source.Reads <= Text.size() + 8, "the sheet stops at the end of the text");
    FuzzCheck(Ch == '\0' || Ch == '<', "the sheet stops at the end or at a tag");
    break;
  }
  case 1: {
    TCheckingCssSink Sink(Styles);
    ParseStyleSheetText(Sink, Text, Mode & 8 ? "http://host/css/" : "c:\\site\\css\\");
    break;
  }
  default:
    ParseStyleAttribute(Text, Attribute);
    Style = &Attribute;
    break;
  }
  Cascade(Styles, Style);
}
