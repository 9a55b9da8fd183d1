// The symbol level of the tokenizer: tags with their attributes, and text
// runs with their character references.
#include <algorithm>

#include "controls/html/parser/DocumentSink.h"
#include "controls/html/parser/EntityTable.h"
#include "controls/html/parser/HtmlReader.h"
#include "controls/html/parser/MarkupTables.h"
#include "controls/html/parser/detail/AttributeText.h"
#include "controls/html/styles/StyleNumbers.h"
#include "controls/html/text/CodePageText.h"
#include "platform/base/AsciiChars.h"
#include "platform/base/HexDigit.h"
#include "platform/base/StringRoutines.h"

namespace {

bool IsUpperLetter(char Upper) { return Upper >= 'A' && Upper <= 'Z'; }

// Trim in place: the attribute's buffer is kept for the next tag.
void TrimBlanks(std::string& S)
{
  std::size_t End = S.size();
  while (End > 0 && static_cast<unsigned char>(S[End - 1]) <= ' ')
    --End;
  std::size_t Start = 0;
  while (Start < End && static_cast<unsigned char>(S[Start]) <= ' ')
    ++Start;
  S.erase(End);
  S.erase(0, Start);
}

}  // namespace

UINT THtmlReader::CurrentCodePage() const
{
  return PropStack.Count() > 0 ? PropStack.Last()->CodePage() : 0;
}

void THtmlReader::Next()
{
  for (;;) {
    Token.Clear();
    if (LCh == '\0') {
      Sy = EofSy;
      return;
    }
    if (LCh == '<' && GetTag())
      return;
    if (GetText())
      return;
    if (Token.Count() > 0) {  // a "<" that starts no tag, before another "<"
      Sy = TextSy;
      return;
    }
    // Only dropped control characters were read: scan on.
  }
}

bool THtmlReader::GetTag()
{
  TagPos = ChPos;
  GetCh();
  bool EndTag = false;
  if (LCh == '/') {
    EndTag = true;
    GetCh();
  } else if (!IsUpperLetter(Ch)) {
    Sy = TextSy;
    Token.AddUnicodeChar(u'<', TagPos);
    return false;
  }
  char Name[255];
  std::size_t Length = 0;
  while ((IsUpperLetter(Ch) || IsAsciiDigit(Ch)) && Length < sizeof Name) {
    Name[Length++] = Ch;
    GetCh();
    if (Length == 1 && Name[0] == 'H' && LCh >= '1' && LCh <= '6')
      break;
  }
  Sy = TagSymbol(std::string_view(Name, Length), !EndTag);
  SkipWhite();
  HeadingNumber = 0;
  if ((Sy == HSy || Sy == HEndSy) && LCh >= '1' && LCh <= '6') {
    HeadingNumber = LCh - '0';
    GetCh();
  }
  Attributes.Clear();
  while (GetAttribute()) {
  }
  while (LCh != '>' && LCh != '\0')
    GetCh();
  if (LCh == '\0')
    CutAtEnd = true;
  // The content readers of SCRIPT and STYLE start on the ">".
  if (LCh == '>' && Sy != ScriptSy && Sy != StyleSy)
    GetCh();
  return true;
}

bool THtmlReader::GetAttribute()
{
  SkipWhite();
  if (!IsUpperLetter(Ch))
    return false;
  TAttribute& A = Attributes.AddAttribute();
  A.WhichName.clear();
  while (IsUpperLetter(Ch) || IsAsciiDigit(Ch) || Ch == '-') {
    A.WhichName += Ch;
    GetCh();
  }
  A.Which = AttributeSymbol(A.WhichName);
  A.Value = A.Which == BorderSy ? 1 : 0;
  A.Name.clear();
  SkipWhite();
  if (LCh == '=') {
    GetCh();
    SkipWhite();
    ReadAttributeValue(A.Value, A.Name);
  }
  A.Value = ClampAttributeValue(A.Which, A.Value);
  if (A.Which == IDSy && !A.Name.empty() && !LinkSearch && FDocument)
    FDocument->AddIdName(A.Name, ChPos);
  return true;
}

void THtmlReader::ReadAttributeValue(int& Value, std::string& Text)
{
  const UINT CodePage = CurrentCodePage();
  std::string& Raw = FRawAttributeValue;
  Raw.clear();
  double Number = 0;
  if (LCh == '"' || LCh == '\'') {
    const char Quote = LCh;
    GetCh();
    while (LCh != Quote && LCh != '\0') {
      if (LCh != '\r')
        Raw += LCh;
      TakeValueRun(Raw, std::string_view(&Quote, 1));
      GetCh();
    }
    if (LCh == Quote)
      GetCh();
    DecodeAttributeEntities(Raw, CodePage, Text);
    TrimBlanks(Text);
    std::string_view Numeric = Text;
    if (!Numeric.empty() && Numeric.back() == '%')
      Numeric.remove_suffix(1);
    Value = ReadNumber(Numeric, Number) ? RoundToInt(Number) : 0;
  } else if (LCh == '+' || LCh == '-' || IsAsciiDigit(LCh)) {
    while (LCh != '\0' && LCh != ' ' && LCh != '\r' && LCh != '%' && LCh != '>') {
      Raw += LCh;
      TakeValueRun(Raw, " %>");
      GetCh();
    }
    DecodeAttributeEntities(Raw, CodePage, Text);
    SkipWhite();
    Value = ReadNumber(Text, Number) ? RoundToInt(Number) : 0;
    if (LCh == '%') {
      Text += '%';
      GetCh();
    }
  } else {
    while (LCh != '\0' && LCh != ' ' && LCh != '\r' && LCh != '>') {
      Raw += LCh;
      TakeValueRun(Raw, " >");
      GetCh();
    }
    DecodeAttributeEntities(Raw, CodePage, Text);
  }
}

bool THtmlReader::GetText()
{
  Sy = TextSy;
  const UINT CodePage = CurrentCodePage();
  FCollection.Clear();
  while (LCh != '\0' && LCh != '<') {
    const unsigned char C = static_cast<unsigned char>(LCh);
    if (C < '\t') {
      // A control character is no text: it is dropped, and the rest of the
      // document is read as if it were not there.
      GetCh();
    } else if ((C == ' ' || C == '\r') && KeepWhiteSpace) {
      FCollection.Add(LCh, ChPos);
      GetCh();
    } else if (C == ' ' || C == '\r') {
      FCollection.Add(' ', ChPos);
      do
        GetCh();
      while (LCh == ' ' || LCh == '\r');
    } else if (C == '&') {
      TextEntity(FCollection, CodePage);
    } else {
      FCollection.Add(LCh, ChPos);
      TakePlainText(FCollection);
      GetCh();
    }
  }
  const int Before = Token.Count();
  Token.AddString(FCollection, CodePage);
  FCollection.Clear();
  return Token.Count() > Before;
}

void THtmlReader::TakeValueRun(std::string& Value, std::string_view Stops)
{
  // What GetCh would read one at a time on its quick path: everything but
  // "<", line ends, TAB and NUL, up to where a progress report is due.
  if (FActiveFrames != 0)
    return;
  const std::size_t Limit = QuickReadLimit();
  std::size_t End = FPos;
  while (End < Limit) {
    const char C = FText[End];
    if (C == '<' || C == '\r' || C == '\n' || C == '\t' || C == '\0')
      break;
    // The stops are one to three characters: compared in place, cheaper
    // than a search call per character.
    bool Stop = false;
    for (char S : Stops)
      Stop |= C == S;
    if (Stop)
      break;
    ++End;
  }
  if (End == FPos)
    return;
  Value.append(FText, FPos, End - FPos);
  FPos = End;
  FLineEnd = 0;
}

void THtmlReader::TakePlainText(TCharCollection& Collection)
{
  // What GetCh would read one at a time on its quick path and text would
  // add as it stands: everything but blanks, controls, "<" and "&", up to
  // where a progress report is due. A single space before a character that
  // is no blank stands too: collapsing leaves it as it is, so the words of a
  // line go over in one run. Not one before "<": a comment skipped there
  // would join the space to the blanks after it.
  if (FActiveFrames != 0)
    return;
  const std::size_t Limit = QuickReadLimit();
  std::size_t End = FPos;
  while (End < Limit) {
    const unsigned char C = static_cast<unsigned char>(FText[End]);
    if (C == ' ') {
      const char After = End + 1 < FText.size() ? FText[End + 1] : '\0';
      if (After == ' ' || After == '\r' || After == '\n' || After == '\t' || After == '<')
        break;
    } else if (C < ' ' || C == '<' || C == '&') {
      break;
    }
    ++End;
  }
  if (End == FPos)
    return;
  Collection.AddRun(std::string_view(FText).substr(FPos, End - FPos), int(FPos));
  FPos = End;
  FLineEnd = 0;
}

void THtmlReader::AddCode(TCharCollection& Collection, UINT CodePage, std::uint32_t Code, bool FromDigits,
                          int Position)
{
  if (FromDigits && Code < 256 && !IsMultiByteCodePage(CodePage)) {
    Collection.Add(Code == '\t' ? ' ' : Code < 32 ? '?' : char(Code), Position);
    return;
  }
  Token.AddString(Collection, CodePage);
  Collection.Clear();
  const std::u16string Units = CodePointText(Code == '\t' ? ' ' : Code < 32 ? '?' : Code);
  for (char16_t Unit : Units)
    Token.AddUnicodeChar(Unit, Position);
}

void THtmlReader::TextEntity(TCharCollection& Collection, UINT CodePage)
{
  const int AmpPos = ChPos;
  GetCh();
  if (LCh == '#') {
    const int HashPos = ChPos;
    GetCh();
    bool Hex = false;
    if (LCh == 'x' || LCh == 'X') {
      const char X = LCh;
      const int XPos = ChPos;
      GetCh();
      if (HexDigitValue(LCh) < 0) {
        Collection.Add('&', AmpPos);
        Collection.Add('#', HashPos);
        Collection.Add(X, XPos);
        return;
      }
      Hex = true;
    } else if (!IsAsciiDigit(LCh)) {
      Collection.Add('&', AmpPos);
      Collection.Add('#', HashPos);
      return;
    }
    std::uint32_t Code = 0;
    while (Hex ? HexDigitValue(LCh) >= 0 : IsAsciiDigit(LCh)) {
      Code = std::min<std::uint32_t>(Code * (Hex ? 16 : 10) + std::uint32_t(HexDigitValue(LCh)), 0x110000);
      GetCh();
    }
    if (LCh == ';')
      GetCh();
    AddCode(Collection, CodePage, Code, true, AmpPos);
    return;
  }
  if (!IsAsciiLetter(LCh)) {
    // "&" before anything but a name or "#" is an ampersand; what follows is
    // read as usual (it may start a tag).
    Collection.Add('&', AmpPos);
    return;
  }
  std::string Name;
  int Positions[11];
  do {
    Positions[Name.size()] = ChPos;
    Name += LCh;
    GetCh();
  } while (Name.size() < 11 && (IsAsciiLetter(LCh) || IsAsciiDigit(LCh)));
  const int Code = EntityCode(Name);
  if (Code >= 0) {
    if (LCh == ';')
      GetCh();
    AddCode(Collection, CodePage, std::uint32_t(Code), false, AmpPos);
    return;
  }
  Collection.Add('&', AmpPos);
  for (std::size_t I = 0; I < Name.size(); ++I)
    Collection.Add(Name[I], Positions[I]);
}
