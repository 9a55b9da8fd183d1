#include "RecordingSink.h"

#include <cstdio>

#include "TestFonts.h"

#include "controls/html/parser/HtmlParser.h"
#include "controls/html/parser/MarkupTables.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/text/TokenObj.h"
#include "platform/base/Utf.h"

namespace {

std::string SymbolName(Symb Sy)
{
  if (IsStartTagSymbol(Sy))
    return "<" + TagNameOfStart(Sy) + ">";
  if (IsEndTagSymbol(Sy))
    return "</" + TagNameOfEnd(Sy) + ">";
  switch (Sy) {
  case TextSy: return "text";
  case CommandSy: return "unknown-tag";
  case EofSy: return "eof";
  case EolSy: return "eol";
  case TextAreaClosedSy: return "textarea-closed";
  case ScriptClosedSy: return "script-closed";
  default: return "symbol " + std::to_string(int(Sy));
  }
}

bool IsColorProp(int I)
{
  return I == piColor || I == piBackgroundColor || I == piBorderColor || (I >= piBorderTopColor && I <= piBorderLeftColor);
}

std::string ValueText(int Index, const TPropValue& V)
{
  if (V.IsInteger() && V.AsInteger() == IntNull)
    return "IntNull";
  if (V.IsInteger() && V.AsInteger() == AutoParagraph)
    return "AutoParagraph";
  if (V.IsInteger() && IsColorProp(Index)) {
    char Buffer[16];
    std::snprintf(Buffer, sizeof Buffer, "0x%08X", unsigned(V.AsInteger()));
    return Buffer;
  }
  return V.Dump();
}

std::string AttributesText(const TAttributeList& Attributes)
{
  std::string S;
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    S += " ";
    if (A->Which == OtherAttribute)
      S += "?";
    S += A->WhichName + "=" + Quoted(A->Name);
    if (A->Value != 0)
      S += "#" + std::to_string(A->Value);
  }
  return S;
}

}  // namespace

namespace {

// Bytes of 8-bit text in an unknown code page are shown as escapes; wide
// text comes as UTF-8 and is shown as it is.
std::string Escaped(const std::string& Text, bool EscapeHighBytes)
{
  std::string S = "\"";
  for (unsigned char C : Text) {
    if (C < 32 || C == '"' || C == '\\' || (EscapeHighBytes && C >= 0x80)) {
      char Buffer[8];
      std::snprintf(Buffer, sizeof Buffer, "\\x%02X", C);
      S += Buffer;
    } else {
      S += char(C);
    }
  }
  return S + "\"";
}

}  // namespace

std::string Quoted(const std::string& Text)
{
  return Escaped(Text, true);
}

std::string Quoted(const std::u16string& Text)
{
  return Escaped(UTF8Encode(Text), false);
}

std::string PositionRuns(const std::vector<int>& Positions)
{
  std::string S;
  for (std::size_t I = 0; I < Positions.size();) {
    std::size_t J = I;
    while (J + 1 < Positions.size() && Positions[J + 1] == Positions[J] + 1)
      ++J;
    if (!S.empty())
      S += ",";
    S += std::to_string(Positions[I]);
    if (J > I)
      S += "-" + std::to_string(Positions[J]);
    I = J + 1;
  }
  return S;
}

std::string DescribeSymbol(const THtmlReader& R)
{
  if (R.Sy == TextSy)
    return "text " + Quoted(R.Token.Text()) + " @" + PositionRuns(R.Token.Positions());
  std::string S = SymbolName(R.Sy);
  if (IsStartTagSymbol(R.Sy) || IsEndTagSymbol(R.Sy) || R.Sy == CommandSy) {
    S += " @" + std::to_string(R.TagPos);
    if (R.HeadingNumber)
      S += " h" + std::to_string(R.HeadingNumber);
    S += AttributesText(R.Attributes);
  }
  return S;
}

TRecordingSink::TRecordingSink()
{
  Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, 1, true, 0x0000FF, 0x800080, 0xFF0000, 0, 12);
}

void TRecordingSink::Line(const std::string& Text)
{
  ++Calls;
  if (Record)
    Journal += Text + "\n";
}

void TRecordingSink::Progress(int Percent) { Line("progress " + std::to_string(Percent)); }
void TRecordingSink::AddIdName(const std::string& Name, int Position) { Line("id " + Quoted(Name) + " @" + std::to_string(Position)); }
void TRecordingSink::StartInlineBox(TProperties* Props, int Position) { Line("inline-box start " + Props->PropTag + " @" + std::to_string(Position)); }
void TRecordingSink::EndInlineBox(TProperties* Props, int Position) { Line("inline-box end " + Props->PropTag + " @" + std::to_string(Position)); }
void TRecordingSink::SetManyLinks(bool Value) { Line(std::string("many-links ") + (Value ? "yes" : "no")); }

void TRecordingSink::OpenElement(Symb Sy, TAttributeList& Attributes, TProperties* Props, int Position)
{
  if (!Record) {
    ++Calls;
    return;
  }
  std::string S = "open " + SymbolName(Sy) + " @" + std::to_string(Position) + AttributesText(Attributes);
  // What the element's property set changed from its parent's.
  const TProperties* Parent = nullptr;
  if (Stack)
    for (int I = Stack->Count() - 1; I > 0; --I)
      if (Stack->Items(I) == Props)
        Parent = Stack->Items(I - 1);
  if (Parent) {
    std::string Changes;
    for (int I = 0; I < PropCount; ++I)
      if (!(Props->Props[std::size_t(I)] == Parent->Props[std::size_t(I)]))
        Changes += " " + std::string(PropName(I)) + "=" + ValueText(I, Props->Props[std::size_t(I)]);
    if (Props->CodePage() != Parent->CodePage())
      Changes += " codepage=" + std::to_string(Props->CodePage());
    if (!Changes.empty())
      S += " |" + Changes;
  }
  Line(S);
}

void TRecordingSink::CloseElement(Symb EndSy, int Position) { Line("close " + SymbolName(EndSy) + " @" + std::to_string(Position)); }
void TRecordingSink::Text(const TokenObj& Token) { Line("text " + Quoted(Token.Text()) + " @" + PositionRuns(Token.Positions())); }
void TRecordingSink::LineEnd(int Position) { Line("line-end @" + std::to_string(Position)); }

bool TRecordingSink::StyleRule(const std::string& Selector, const std::string& PropName, const std::string& Value)
{
  Line("rule " + Quoted(Selector) + " " + PropName + "=" + Quoted(Value));
  return TDocumentSink::StyleRule(Selector, PropName, Value);
}

void TRecordingSink::Title(const std::u16string& Title) { Line("title " + Quoted(Title)); }
void TRecordingSink::Base(const std::string& Href, const std::string& Target) { Line("base " + Quoted(Href) + " " + Quoted(Target)); }
void TRecordingSink::Meta(const std::string& HttpEquiv, const std::string& Name, const std::string& Content)
{
  Line("meta " + Quoted(HttpEquiv) + " " + Quoted(Name) + " " + Quoted(Content));
}
void TRecordingSink::Link(const std::string& Rel, const std::string& Rev, const std::string& Href)
{
  Line("link " + Quoted(Rel) + " " + Quoted(Rev) + " " + Quoted(Href));
}
void TRecordingSink::Script(const std::string& Name, const std::string& Language, const std::string& Text)
{
  Line("script " + Quoted(Name) + " " + Quoted(Language) + " " + Quoted(Text));
}

std::string SymbolStream(const std::string& Text, UINT CodePage)
{
  TRecordingSink Sink;
  THtmlReader Reader(TestFonts());
  Reader.Start(Text, &Sink);
  auto* Base = new TProperties(TestFonts());
  Base->CopyDefault(*Sink.Styles.DefProp());
  if (CodePage == 65001)
    Base->AssignUTF8();
  else if (CodePage == 1252)
    Base->AssignCharSet(0);
  else if (CodePage == 932)
    Base->AssignCharSet(128);
  Reader.PropStack.Add(Base);
  std::string Dump;
  Reader.GetCh();
  for (;;) {
    Reader.Next();
    if (!Sink.Journal.empty()) {
      Dump += Sink.Journal;
      Sink.Journal.clear();
    }
    Dump += DescribeSymbol(Reader) + "\n";
    if (Reader.Sy == EofSy)
      break;
  }
  return Dump;
}

std::string ParseJournal(const std::string& Text)
{
  TRecordingSink Sink;
  THtmlParser Parser(TestFonts());
  Sink.Stack = &Parser.Reader.PropStack;
  Parser.Parse(Text, Sink);
  return Sink.Journal;
}
