#include "chatwin/widgets/UtSimpleXMLElems.h"

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElemCData.h"
#include "chatwin/widgets/UtSimpleXMLElemClassic.h"
#include "chatwin/widgets/UtSimpleXMLElemComment.h"
#include "chatwin/widgets/UtSimpleXMLElemText.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "platform/base/ScopeGuard.h"

namespace {

// After "<!": how the tag goes on decides a comment or a CDATA section.
enum class TBangKind { Comment, CData, Other };

TBangKind ReadBangKind(TXmlSource& source)
{
  static constexpr std::string_view comment = "--";
  static constexpr std::string_view cdata = "[CDATA[";
  bool maybeComment = true;
  bool maybeCData = true;
  char c;
  for (std::size_t i = 0; (maybeComment || maybeCData) && source.Next(c); ++i) {
    maybeComment = maybeComment && i < comment.size() && c == comment[i];
    maybeCData = maybeCData && i < cdata.size() && c == cdata[i];
    if (maybeComment && i + 1 == comment.size())
      return TBangKind::Comment;
    if (maybeCData && i + 1 == cdata.size())
      return TBangKind::CData;
  }
  return TBangKind::Other;
}

}  // namespace

TUtSimpleXMLElems::TUtSimpleXMLElems(TUtSimpleXMLElem* Parent) : FParent(Parent) {}

TUtSimpleXMLElems::~TUtSimpleXMLElems()
{
  Clear();
}

TUtSimpleXMLElemClassic* TUtSimpleXMLElems::Add(const std::string& Name)
{
  auto elem = std::make_unique<TUtSimpleXMLElemClassic>(FParent);
  elem->SetName(Name);
  return static_cast<TUtSimpleXMLElemClassic*>(Add(std::move(elem)));
}

TUtSimpleXMLElemClassic* TUtSimpleXMLElems::Add(const std::string& Name, const std::string& Value)
{
  TUtSimpleXMLElemClassic* elem = Add(Name);
  elem->SetValue(Value);
  return elem;
}

TUtSimpleXMLElem* TUtSimpleXMLElems::Add(std::unique_ptr<TUtSimpleXMLElem> Elem)
{
  TUtSimpleXMLElem* elem = Elem.get();
  FElems.AddObject(elem->Name(), elem);
  Elem.release();
  elem->FContainer = this;
  return elem;
}

TUtSimpleXMLElem* TUtSimpleXMLElems::ItemNamed(const std::string& Name)
{
  int index = FElems.IndexOf(Name);
  if (index >= 0)
    return Item(index);
  TUtSimpleXML* document = FParent ? FParent->SimpleXML() : nullptr;
  if (document && document->Options().Contains(sxoAutoCreate))
    return Add(Name);
  return nullptr;
}

TUtSimpleXMLElem* TUtSimpleXMLElems::Item(int Index) const
{
  if (Index < 0 || Index >= FElems.Count())
    return nullptr;
  return static_cast<TUtSimpleXMLElem*>(FElems.Objects(Index));
}

void TUtSimpleXMLElems::Clear()
{
  for (int i = FElems.Count() - 1; i >= 0; --i)
    delete static_cast<TUtSimpleXMLElem*>(FElems.Objects(i));
  FElems.Clear();
}

void TUtSimpleXMLElems::Renamed(TUtSimpleXMLElem* Elem)
{
  int index = FElems.IndexOfObject(Elem);
  if (index >= 0)
    FElems.SetStrings(index, Elem->Name());
}

std::string TUtSimpleXMLElems::ReadChildren(TXmlSource& Source, TUtSimpleXMLElem& Parent, int Depth,
                                            std::unique_ptr<TUtSimpleXMLElem>& OnlyText)
{
  // Most elements hold one text: it waits here, so that no list is made for it.
  std::unique_ptr<TUtSimpleXMLElem> firstText;
  // Unless it is the only child, it joins the list however the reading ends.
  ScopeExit keepFirstText([&] {
    if (firstText)
      Parent.Items()->Add(std::move(firstText));
  });
  std::string closing;
  if (ReadChildList(Source, Parent, Depth, firstText, closing)) {
    OnlyText = std::move(firstText);
    return closing;
  }
  return {};
}

bool TUtSimpleXMLElems::ReadChildList(TXmlSource& Source, TUtSimpleXMLElem& Parent, int Depth,
                                      std::unique_ptr<TUtSimpleXMLElem>& FirstText, std::string& Closing)
{
  char c;
  while (Source.Next(c)) {
    if (IsXmlBlank(c))
      continue;
    std::int64_t start = Source.Position() - 1;
    std::unique_ptr<TUtSimpleXMLElem> child;
    if (c != '<') {
      child = std::make_unique<TUtSimpleXMLElemText>(&Parent);
    } else if (!Source.Next(c)) {
      child = std::make_unique<TUtSimpleXMLElemClassic>(&Parent);  // its reader reports the end
    } else if (c == '/') {
      // The closing tag: its name, up to ">".
      std::string name;
      while (Source.Next(c) && c != '>')
        name.push_back(c);
      if (c != '>')
        XmlError(SInvalidElementEnd, "");
      Closing = std::move(name);
      return true;
    } else if (c == '!') {
      switch (ReadBangKind(Source)) {
      case TBangKind::Comment:
        child = std::make_unique<TUtSimpleXMLElemComment>(&Parent);
        break;
      case TBangKind::CData:
        child = std::make_unique<TUtSimpleXmlElemCData>(&Parent);
        break;
      case TBangKind::Other:
        child = std::make_unique<TUtSimpleXMLElemClassic>(&Parent);
        break;
      }
    } else {
      child = std::make_unique<TUtSimpleXMLElemClassic>(&Parent);
    }
    // Every node is read by its own reader from its first character; nested
    // nodes hear of no document, so they fire no events.
    Source.Reset(start);
    child->ReadFrom(Source, nullptr, Depth);
    if (FirstText) {
      Parent.Items()->Add(std::move(FirstText));
    } else if (Parent.ItemCount() == 0 && dynamic_cast<TUtSimpleXMLElemText*>(child.get())) {
      FirstText = std::move(child);
      continue;
    }
    Parent.Items()->Add(std::move(child));
  }
  return false;
}

void TUtSimpleXMLElems::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  for (int i = 0, n = FElems.Count(); i < n; ++i)
    Item(i)->WriteTo(Sink, Level, Progress);
}
