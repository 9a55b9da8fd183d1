#include "controls/html/parser/HtmlParser.h"

#include "controls/html/parser/CharsetTable.h"
#include "controls/html/parser/DocumentSink.h"
#include "controls/html/parser/MarkupTables.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/StyleList.h"
#include "controls/html/text/JapaneseText.h"
#include "platform/base/FreedMemory.h"
#include "platform/base/StringRoutines.h"

namespace {

// The style sheet of a STYLE element goes to the document.
class TDocumentCssSink : public TCssSink {
public:
  explicit TDocumentCssSink(TDocumentSink& Document) : FDocument(Document) {}
  std::string NextSequence() override
  {
    TStyleList* Styles = FDocument.StyleList();
    return Styles ? Styles->NextSequence() : std::to_string(FSequence++);
  }
  bool AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value) override
  {
    return FDocument.StyleRule(Selector, PropName, Value);
  }

private:
  TDocumentSink& FDocument;
  int FSequence = 10;
};

// The reader as the character source of a style sheet.
class TReaderCssSource {
public:
  explicit TReaderCssSource(THtmlReader& Reader) : FReader(Reader) {}
  char Next() { return FReader.ReadCharForCss(); }
  char Peek() { return FReader.PeekCharForCss(); }

private:
  THtmlReader& FReader;
};

// Inline elements whose drawn border makes an inline box.
bool IsInline(Symb Sy)
{
  switch (Sy) {
  case BSy: case ISy: case EmSy: case StrongSy: case USy: case CiteSy: case VarSy: case SSy: case StrikeSy:
  case TTSy: case CodeSy: case KbdSy: case SampSy: case SpanSy: case LabelSy: case SubSy: case SupSy:
  case BigSy: case SmallSy: case ASy: case FontSy:
    return true;
  default:
    return false;
  }
}

// Elements that carry no properties of their own.
bool IsFrame(Symb Sy)
{
  return Sy == HtmlSy || Sy == HeadSy || Sy == HtmlEndSy || Sy == HeadEndSy;
}

}  // namespace

std::string THtmlParser::AttributeText(Symb Sy) const
{
  const TAttribute* A = Reader.Attributes.Find(Sy);
  return A ? A->Name : std::string();
}

void THtmlParser::Parse(std::string Text, TDocumentSink& Document)
{
  Begin(std::move(Text), Document);
  End();
}

bool THtmlParser::CountLinks(THtmlReader& R, std::size_t Offset)
{
  R.LinkSearch = true;
  R.Rewind(Offset);
  R.GetCh();
  R.Next();
  while (R.Sy != EofSy) {
    if (R.Sy == ASy && R.Attributes.Find(HrefSy) && LinkCount <= 400)
      ++LinkCount;
    R.Next();
  }
  R.LinkSearch = false;
  return !R.CutAtEnd;
}

void THtmlParser::Begin(std::string Text, TDocumentSink& Document)
{
  // Text cut at a NUL would show nothing of what is added after it.
  const bool WholeText = Text.find('\0') == std::string::npos;
  Reader.Start(std::move(Text), &Document);
  ReadStarted(WholeText, Document);
}

void THtmlParser::BeginBorrowed(std::string_view Text, TDocumentSink& Document)
{
  Reader.StartBorrowed(Text, &Document);
  ReadStarted(Text.find('\0') == std::string_view::npos, Document);
}

void THtmlParser::ReadStarted(bool WholeText, TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  FEndsClean = false;
  Title.clear();
  BaseUrl.clear();
  BaseTarget.clear();
  R.PropStack.Clear();
  R.PropStack.ForgetFonts();
  auto* Base = new TProperties(R.PropStack.Fonts());
  if (const TProperties* Default = Document.DefaultProperties())
    Base->CopyDefault(*Default);
  R.PropStack.Add(Base);

  std::size_t Offset = 0;
  const std::string_view Doc = R.DocText();
  if (Doc.starts_with("\xEF\xBB\xBF")) {
    Base->AssignUTF8();
    Offset = 3;
  } else if (Doc.find("\x1B$@") != std::string::npos || Doc.find("\x1B$B") != std::string::npos) {
    R.StartConverted(Iso2022JpToShiftJis(Doc));
    Base->AssignCharSet(128);
  }

  // The link pre-pass: a document with more than 400 links gets no focus
  // objects for them.
  const TIncludeType Include = R.OnInclude;
  R.OnInclude = nullptr;
  LinkCount = 0;
  const bool LinksClean = CountLinks(R, Offset);
  Document.SetManyLinks(LinkCount > 400);
  R.OnInclude = Include;

  // The main pass starts after the byte order mark, as the first did.
  R.Rewind(Offset);
  R.GetCh();
  R.Next();
  while (R.Sy != EofSy)
    Dispatch(Document);
  FEndsClean = WholeText && LinksClean && !R.CutAtEnd && !R.Converted;
}

void THtmlParser::End()
{
  Reader.Attributes.Clear();
  Reader.PropStack.Clear();
  FEndsClean = false;
}

bool THtmlParser::ReadOn(std::string_view More, TDocumentSink& Document)
{
  if (!CanReadOn(More))
    return false;
  Reader.Extend(More);
  ReadAdded(Document);
  return true;
}

bool THtmlParser::ReadOnTo(std::string_view Grown, TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  const std::size_t Read = R.DocText().size();
  if (Grown.size() < Read || !CanReadOn(Grown.substr(Read))) {
    R.Rebase(Grown);
    return false;
  }
  R.ReadOnTo(Grown);
  ReadAdded(Document);
  return true;
}

bool THtmlParser::CanReadOn(std::string_view More)
{
  THtmlReader& R = Reader;
  if (!FEndsClean || R.Sy != EofSy || R.LCh != '\0' || R.ReadOffset() != R.DocText().size())
    return false;
  // A text ending in a run of text reads that run the same when a tag follows.
  if (More.size() < 2 || More[0] != '<' || !((More[1] | 0x20) >= 'a' && (More[1] | 0x20) <= 'z'))
    return false;
  if (More.find('\0') != std::string_view::npos || More.find("\x1B$@") != std::string_view::npos ||
      More.find("\x1B$B") != std::string_view::npos)
    return false;
  // The links of More, counted as the pre-pass over the whole text would;
  // More is read where it is.
  if (!FLinkReader)
    FLinkReader = std::make_unique<THtmlReader>(R.PropStack.Fonts());
  const int Before = LinkCount;
  FLinkReader->StartBorrowed(More, nullptr);
  FAddedLinksClean = CountLinks(*FLinkReader, 0);
  FLinkReader->Start(std::string(), nullptr);
  if ((Before > 400) != (LinkCount > 400)) {
    LinkCount = Before;
    return false;
  }
  return true;
}

void THtmlParser::ReadAdded(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  R.GetCh();
  R.Next();
  while (R.Sy != EofSy)
    Dispatch(Document);
  FEndsClean = FAddedLinksClean && !R.CutAtEnd && !R.Converted;
}

void THtmlParser::Dispatch(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  switch (R.Sy) {
  case TextSy:
    Document.Text(R.Token);
    R.Next();
    return;
  case TitleSy:
    ReadTitle(Document);
    return;
  case StyleSy:
    ReadStyle(Document);
    return;
  case MetaSy:
    ReadMeta(Document);
    R.Next();
    return;
  case BaseSy:
    if (const TAttribute* Href = R.Attributes.Find(HrefSy))
      BaseUrl = Href->Name;
    if (const TAttribute* Target = R.Attributes.Find(TargetSy))
      BaseTarget = Target->Name;
    Document.Base(BaseUrl, BaseTarget);
    R.Next();
    return;
  case LinkSy:
    Document.Link(AttributeText(RelSy), AttributeText(RevSy), AttributeText(HrefSy));
    R.Next();
    return;
  case ScriptSy: {
    const std::string Name = AttributeText(NameSy);
    const std::string Language = AttributeText(LanguageSy);
    Document.Script(Name, Language, R.ReadScriptText());
    if (R.LCh == '\0')
      R.CutAtEnd = true;
    R.Next();
    return;
  }
  case TextAreaSy:
    ReadTextArea(Document);
    return;
  default:
    break;
  }
  if (IsStartTagSymbol(R.Sy))
    OpenElement(Document);
  else if (IsEndTagSymbol(R.Sy))
    CloseElement(Document);
  R.Next();
}

void THtmlParser::OpenElement(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  if (IsFrame(R.Sy)) {
    Document.OpenElement(R.Sy, R.Attributes, R.PropStack.Last(), R.TagPos);
    return;
  }
  // A heading is "h1" to "h6" to the style sheet; "H" with another number is no element.
  if (R.Sy == HSy && (R.HeadingNumber < 1 || R.HeadingNumber > 6))
    return;
  const std::string Pseudo = R.Sy == ASy && R.Attributes.Find(HrefSy) ? "link" : "";
  const std::string Tag = R.Sy == HSy ? "h" + std::to_string(R.HeadingNumber) : TagNameOfStart(R.Sy);
  TProperties* Props = R.PropStack.Push(Tag, R.Attributes.TheClass(), R.Attributes.TheID(), Pseudo,
                                        R.Attributes.TheTitle(), R.Attributes.TheStyle(R.PropStack.Fonts()));
  if (IsInline(R.Sy) && Props->HasBorderStyle())
    Document.StartInlineBox(Props, R.ChPos);
  Document.OpenElement(R.Sy, R.Attributes, Props, R.TagPos);
  if (EndSymbolOf(R.Sy) == CommandSy)
    R.PropStack.Pop();  // no end tag will come for it
}

void THtmlParser::CloseElement(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  Document.CloseElement(R.Sy, R.TagPos);
  if (R.Sy == HEndSy)
    PopHeading();
  else if (!IsFrame(R.Sy))
    R.PropStack.PopAName(TagNameOfEnd(R.Sy));
}

// Any heading end closes the nearest open heading, whatever its number.
void THtmlParser::PopHeading()
{
  TPropStack& Stack = Reader.PropStack;
  for (int I = Stack.Count() - 1; I >= 1; --I) {
    const std::string& Tag = Stack.Items(I)->PropTag;
    if (Tag.size() == 2 && Tag[0] == 'h' && Tag[1] >= '1' && Tag[1] <= '6') {
      Stack.PopAName(Tag);
      return;
    }
  }
}

void THtmlParser::ReadTitle(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  std::u16string Text;
  R.Next();
  while (R.Sy == TextSy) {
    Text += R.Token.Text();
    R.Next();
  }
  Title = Text;
  Document.Title(Title);
  if (R.Sy == TitleEndSy)
    R.Next();
}

void THtmlParser::ReadStyle(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  TDocumentCssSink Sink(Document);
  TReaderCssSource Source(R);
  char Ch = R.LCh;
  ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TReaderCssSource::Next),
                  TCssGetChar(&Source, &TReaderCssSource::Peek), std::string());
  // The reader stands on the "<" of the closing tag, or at the end.
  if (R.LCh == '\0')
    R.CutAtEnd = true;
  R.Next();
  if (R.Sy == StyleEndSy)
    R.Next();
}

void THtmlParser::ReadMeta(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  const std::string HttpEquiv = AttributeText(HttpEqSy);
  const std::string Content = AttributeText(ContentSy);
  if (SameText(HttpEquiv, "content-type")) {
    int CharSet = 0;
    if (TranslateCharset(Content, CharSet)) {
      if (CharSet == EucJpMark) {
        if (!R.Converted)
          R.ConvertRestFromEucJp();
        R.PropStack.Last()->AssignCharSet(128);
      } else {
        R.PropStack.Last()->AssignCharSet(CharSet);
      }
    } else if (LowerCase(Content).find("utf-8") != std::string::npos) {
      R.PropStack.Last()->AssignUTF8();
    }
  }
  Document.Meta(HttpEquiv, AttributeText(NameSy), Content);
}

void THtmlParser::ReadTextArea(TDocumentSink& Document)
{
  THtmlReader& R = Reader;
  OpenElement(Document);
  R.LiteralMode = true;
  R.NextTextAreaSymbol();
  while (R.Sy == TextSy || R.Sy == EolSy) {
    if (R.Sy == TextSy)
      Document.Text(R.Token);
    else
      Document.LineEnd(R.TagPos);
    R.NextTextAreaSymbol();
  }
  R.LiteralMode = false;
  if (R.LCh == '\0')
    R.CutAtEnd = true;
  // A TEXTAREA left open runs to the end of the text, and is closed there.
  Document.CloseElement(TextAreaEndSy, R.TagPos);
  R.PropStack.PopAName("textarea");
  R.Next();
}
