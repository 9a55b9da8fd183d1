// The character level of the tokenizer: reading, line ends, progress,
// comments, declarations and server-side include comments.
#include "controls/html/parser/HtmlReader.h"

#include <algorithm>

#include "controls/html/parser/DocumentSink.h"
#include "controls/html/parser/MarkupTables.h"
#include "controls/html/parser/detail/AttributeText.h"
#include "controls/html/text/JapaneseText.h"
#include "platform/base/StringList.h"

namespace {

bool IsUpperNameChar(char Upper)
{
  return (Upper >= 'A' && Upper <= 'Z') || (Upper >= '0' && Upper <= '9') || Upper == '_';
}

}  // namespace

THtmlReader::THtmlReader(const THtmlFontService& Fonts)
    : PropStack(Fonts), FNoCommentEndFrom(std::string::npos), FNoDeclarationEndFrom(std::string::npos)
{
  PropStack.OnEndInlineBox = Method<void(TProperties*)>(this, &THtmlReader::EndInlineBox);
  SetFontSizeTables(12);
}

THtmlReader::~THtmlReader() = default;

void THtmlReader::EndInlineBox(TProperties* Props)
{
  if (FDocument)
    FDocument->EndInlineBox(Props, ChPos);
}

namespace {
// A document ends at its first NUL.
std::string_view UpToNul(std::string_view Text) { return Text.substr(0, Text.find('\0')); }
// The same for a text whose first Clean characters are known to hold no
// zero character (what was read before it grew): a conversation read on
// message after message is searched only where it grew.
std::string_view UpToNulFrom(std::string_view Text, std::size_t Clean)
{
  return Text.substr(0, Text.find('\0', std::min(Clean, Text.size())));
}
}  // namespace

void THtmlReader::Start(std::string Text, TDocumentSink* Document, std::size_t Offset)
{
  // Swapped rather than moved: a short text moved in would keep the room of
  // the last long one (a reader that counted a large message's links).
  FOwnText.swap(Text);
  std::string().swap(FGivenText);
  FBorrowed = false;
  FText = UpToNul(FOwnText);
  FDocument = Document;
  PropStack.Styles = Document ? Document->StyleList() : nullptr;
  FFrames.clear();
  FIncludedBytes = 0;
  Converted = false;
  Rewind(Offset);
}

void THtmlReader::StartBorrowed(std::string_view Text, TDocumentSink* Document, std::size_t Offset)
{
  Start(std::string(), Document, Offset);
  FBorrowed = true;
  FText = UpToNul(Text);
  Rewind(Offset);
}

const std::string* THtmlReader::GivenText() const
{
  if (FBorrowed)
    return nullptr;
  return Converted ? &FGivenText : &FOwnText;
}

void THtmlReader::Rebase(std::string_view Moved)
{
  if (FBorrowed && !Converted)
    FText = Moved.substr(0, FText.size());
}

void THtmlReader::Rewind(std::size_t Offset)
{
  FPos = std::min(Offset, FText.size());
  FActiveFrames = 0;
  FLineEnd = 0;
  ChPos = -1;
  TagPos = 0;
  LCh = Ch = 0;
  Sy = EofSy;
  HeadingNumber = 0;
  InComment = false;
  LiteralMode = false;
  CutAtEnd = false;
  FNoCommentEndFrom = FNoDeclarationEndFrom = std::string::npos;
  Token.Clear();
}

void THtmlReader::Extend(std::string_view More)
{
  if (FBorrowed && !Converted) {
    // Only the reader's own text is added to: a borrowed one is taken over.
    FOwnText.assign(FText);
    FBorrowed = false;
  }
  // A text read on message after message grows by an eighth at least: it
  // keeps little unused room for long, where doubling would keep up to as
  // much again as the text.
  const std::size_t Read = FText.size();
  FOwnText.resize(Read);
  if (FOwnText.size() + More.size() > FOwnText.capacity())
    FOwnText.reserve(std::max(FOwnText.size() + More.size(), FOwnText.capacity() + FOwnText.capacity() / 8));
  FOwnText.append(More);
  FText = UpToNulFrom(FOwnText, Read);
}

void THtmlReader::ReadOnTo(std::string_view Grown)
{
  if (!FBorrowed || Converted || Grown.size() < FText.size()) {
    // Not the borrowed text grown: what was added is read from the reader's own text.
    Extend(Grown.substr(std::min(Grown.size(), FText.size())));
    return;
  }
  // The text read so far is Grown's beginning, and holds no zero character.
  FText = UpToNulFrom(Grown, FText.size());
}

void THtmlReader::OwnConverted(std::string Text)
{
  if (!FBorrowed && !Converted)
    FGivenText.swap(FOwnText);
  FOwnText = std::move(Text);
  FText = FOwnText;
  Converted = true;
}

void THtmlReader::StartConverted(std::string Text)
{
  OwnConverted(std::move(Text));
  FText = UpToNul(FOwnText);
  FFrames.clear();
  FIncludedBytes = 0;
  Rewind(0);
}

void THtmlReader::ConvertRestFromEucJp()
{
  OwnConverted(std::string(FText.substr(0, FPos)) + EucJpToShiftJis(FText.substr(FPos)));
  FNoCommentEndFrom = FNoDeclarationEndFrom = std::string::npos;
}

void THtmlReader::SetFontSizeTables(double DefaultSize)
{
  for (int I = 0; I < 7; ++I) {
    FontConv[I] = FontConvBase[I] * DefaultSize / 12;
    PreFontConv[I] = PreFontConvBase[I] * DefaultSize / 12;
  }
}

void THtmlReader::ReportProgress()
{
  if (LinkSearch || !FDocument || FText.empty())
    return;
  const long long Share = FDocument->ParseShare();
  FDocument->Progress(int(Share * (long long)FPos / (long long)FText.size()));
}

char THtmlReader::RawChar()
{
  while (FActiveFrames > 0) {
    TIncludeFrame& Frame = FFrames[FActiveFrames - 1];
    if (Frame.Pos < Frame.Text.size())
      return Frame.Text[Frame.Pos++];
    --FActiveFrames;
  }
  if (FPos >= FText.size())
    return '\0';
  const char C = FText[FPos++];
  ChPos = int(FPos - 1);
  if ((FPos & 4095) == 0)
    ReportProgress();
  return C;
}

char THtmlReader::PeekChar() const
{
  for (std::size_t F = FActiveFrames; F > 0; --F) {
    const TIncludeFrame& Frame = FFrames[F - 1];
    if (Frame.Pos < Frame.Text.size())
      return Frame.Text[Frame.Pos];
  }
  return FPos < FText.size() ? FText[FPos] : '\0';
}

void THtmlReader::ReadChar()
{
  for (;;) {
    char C = RawChar();
    if (C == '\n') {
      if (FLineEnd == 1) {
        FLineEnd = 0;
        continue;
      }
      FLineEnd = 2;
      C = '\r';
    } else if (C == '\r') {
      if (FLineEnd == 2) {
        FLineEnd = 0;
        continue;
      }
      FLineEnd = 1;
    } else {
      FLineEnd = 0;
      if (C == '\t')
        C = ' ';
    }
    LCh = C;
    Ch = C >= 'a' && C <= 'z' ? char(C - 32) : C;
    return;
  }
}

char THtmlReader::ReadCharForCss()
{
  ReadChar();
  return LCh;
}

void THtmlReader::SkipWhite()
{
  while (LCh == ' ' || LCh == '\r')
    GetCh();
}

THtmlReader::TMark THtmlReader::Mark() const
{
  TMark M{FPos, ChPos, FActiveFrames, {}, FLineEnd};
  for (std::size_t F = 0; F < FActiveFrames; ++F)
    M.FramePos[F] = FFrames[F].Pos;
  return M;
}

void THtmlReader::Restore(const TMark& M)
{
  FPos = M.Pos;
  ChPos = M.ChPos;
  FActiveFrames = M.ActiveFrames;
  for (std::size_t F = 0; F < M.ActiveFrames; ++F)
    FFrames[F].Pos = M.FramePos[F];
  FLineEnd = M.LineEnd;
}

bool THtmlReader::AtDocumentFrom(std::size_t Memo) const
{
  return FActiveFrames == 0 && Memo != std::string::npos && FPos > Memo;
}

void THtmlReader::GetChSlow()
{
  for (;;) {
    ReadChar();
    if (LiteralMode || LCh != '<' || PeekChar() != '!')
      return;
    const TMark AfterLessThan = Mark();
    ReadChar();  // "!"
    InComment = true;
    ReadChar();
    bool Closed;
    if (LCh == '-' && PeekChar() == '-') {
      ReadChar();
      if (OnInclude && PeekChar() == '#') {
        Closed = ReadInclude();
      } else {
        ReadChar();
        Closed = SkipComment();
      }
    } else {
      Closed = SkipDeclaration();
    }
    InComment = false;
    if (!Closed) {
      // Not a comment after all: its "<" is text, and reading goes on after it.
      Restore(AfterLessThan);
      LCh = Ch = '<';
      return;
    }
  }
}

// From the character at hand to the end of a comment: "--", any further "-",
// blanks and an optional "!", then ">". False at the end of the text.
bool THtmlReader::SkipComment()
{
  const bool FromDocument = FActiveFrames == 0;
  const std::size_t Start = FPos == 0 ? 0 : FPos - 1;
  for (;;) {
    while (LCh != '-' && LCh != '\0' && !AtDocumentFrom(FNoCommentEndFrom))
      ReadChar();
    if (LCh != '-')
      break;  // the end of the text, or a stretch known to hold no end
    ReadChar();
    if (LCh != '-')
      continue;
    do
      ReadChar();
    while (LCh == '-');
    while (LCh == ' ' || LCh == '\r')
      ReadChar();
    if (LCh == '!')
      ReadChar();
    if (LCh == '>')
      return true;
  }
  if (FromDocument)
    FNoCommentEndFrom = std::min(FNoCommentEndFrom, Start);
  CutAtEnd = true;
  return false;
}

// From the character at hand to the next ">". False at the end of the text.
bool THtmlReader::SkipDeclaration()
{
  const bool FromDocument = FActiveFrames == 0;
  const std::size_t Start = FPos == 0 ? 0 : FPos - 1;
  while (LCh != '>') {
    if (LCh == '\0' || AtDocumentFrom(FNoDeclarationEndFrom)) {
      if (FromDocument) {
        FNoDeclarationEndFrom = std::min(FNoDeclarationEndFrom, Start);
        FNoCommentEndFrom = std::min(FNoCommentEndFrom, Start);
      }
      CutAtEnd = true;
      return false;
    }
    ReadChar();
  }
  return true;
}

// A comment "<!--#COMMAND NAME="value" ...-->": the include event gets the
// command and its parameters, and the text it answers is read next, followed
// by whatever followed the comment.
bool THtmlReader::ReadInclude()
{
  ReadChar();  // "#"
  ReadChar();
  std::string Command;
  while (IsUpperNameChar(Ch)) {
    Command += LCh;
    ReadChar();
  }
  TStringList Params;
  const UINT CodePage = CurrentCodePage();
  for (;;) {
    while (LCh == ' ' || LCh == '\r')
      ReadChar();
    if (!(Ch >= 'A' && Ch <= 'Z'))
      break;
    std::string Name;
    while (IsUpperNameChar(Ch)) {
      Name += Ch;
      ReadChar();
    }
    while (LCh == ' ' || LCh == '\r')
      ReadChar();
    std::string Raw;
    if (LCh == '=') {
      ReadChar();
      while (LCh == ' ' || LCh == '\r')
        ReadChar();
      if (LCh == '"' || LCh == '\'') {
        const char Quote = LCh;
        ReadChar();
        while (LCh != Quote && LCh != '\0') {
          Raw += LCh == '\r' ? ' ' : LCh;
          ReadChar();
        }
        if (LCh == Quote)
          ReadChar();
      } else {
        while (LCh != '\0' && LCh != ' ' && LCh != '\r' && LCh != '-' && LCh != '>') {
          Raw += LCh;
          ReadChar();
        }
      }
    }
    Params.Add(Name + "=" + DecodeAttributeEntities(Raw, CodePage));
  }
  if (!SkipComment())
    return false;

  if (FActiveFrames >= std::size_t(MaxIncludeDepth))
    return true;
  std::string IString;
  OnInclude(IncludeSender, Command, &Params, IString);
  std::size_t Zero = IString.find('\0');
  if (Zero != std::string::npos)
    IString.resize(Zero);
  if (IString.empty() || FIncludedBytes + IString.size() > MaxIncludeBytes)
    return true;
  FIncludedBytes += IString.size();
  // The frames below the new one keep the unread rest of their texts.
  FFrames.resize(FActiveFrames);
  FFrames.push_back({std::move(IString), 0});
  FActiveFrames = FFrames.size();
  return true;
}
