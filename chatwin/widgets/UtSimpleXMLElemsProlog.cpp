#include "chatwin/widgets/UtSimpleXMLElemsProlog.h"

#include <string_view>

#include "chatwin/widgets/UtSimpleXMLElemComment.h"
#include "chatwin/widgets/UtSimpleXMLElemDocType.h"
#include "chatwin/widgets/UtSimpleXMLElemHeader.h"
#include "chatwin/widgets/UtSimpleXMLElemSheet.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlSource.h"

namespace {

enum class TPrologNode { Comment, Sheet, Header, DocType, RootBegins };

struct TPrologMarker {
  std::string_view Text;
  TPrologNode Node;
};
constexpr TPrologMarker Markers[] = {
    {"<!--", TPrologNode::Comment},           {"<?xml-stylesheet", TPrologNode::Sheet},
    {"<?xml ", TPrologNode::Header},          {"<!DOCTYPE", TPrologNode::DocType},
    {"<![CDATA[", TPrologNode::RootBegins},
};

// Reads from a "<" until the collected text names a prolog node.
TPrologNode ReadMarker(TXmlSource& source)
{
  std::string collected = "<";
  char c;
  while (source.Next(c)) {
    collected.push_back(c);
    // A second character other than "!" and "?" begins the root element.
    if (collected.size() == 2 && c != '!' && c != '?')
      return TPrologNode::RootBegins;
    bool prefix = false;
    for (const TPrologMarker& marker : Markers) {
      if (collected == marker.Text)
        return marker.Node;
      prefix = prefix || marker.Text.substr(0, collected.size()) == collected;
    }
    if (!prefix)
      break;
  }
  XmlError(SInvalidDocumentProlog);
}

}  // namespace

TUtSimpleXMLElemsProlog::~TUtSimpleXMLElemsProlog() = default;

TUtSimpleXMLElem* TUtSimpleXMLElemsProlog::Item(int Index) const
{
  if (Index < 0 || Index >= Count())
    return nullptr;
  return FElems[std::size_t(Index)].get();
}

TUtSimpleXMLElem* TUtSimpleXMLElemsProlog::Add(std::unique_ptr<TUtSimpleXMLElem> Elem)
{
  FElems.push_back(std::move(Elem));
  return FElems.back().get();
}

void TUtSimpleXMLElemsProlog::Clear()
{
  FElems.clear();
}

void TUtSimpleXMLElemsProlog::ReadFrom(TXmlSource& Source, TUtSimpleXML* Document)
{
  char c;
  while (Source.Next(c)) {
    if (IsXmlBlank(c))
      continue;
    if (c != '<')
      XmlError(SInvalidDocumentProlog);
    std::int64_t start = Source.Position() - 1;
    std::unique_ptr<TUtSimpleXMLElem> node;
    switch (ReadMarker(Source)) {
    case TPrologNode::Comment:
      node = std::make_unique<TUtSimpleXMLElemComment>();
      break;
    case TPrologNode::Sheet:
      node = std::make_unique<TUtSimpleXMLElemSheet>();
      break;
    case TPrologNode::Header:
      node = std::make_unique<TUtSimpleXMLElemHeader>();
      break;
    case TPrologNode::DocType:
      node = std::make_unique<TUtSimpleXmlElemDocType>();
      break;
    case TPrologNode::RootBegins:
      Source.Reset(start);
      return;
    }
    Source.Reset(start);
    node->ReadFrom(Source, Document, 0);
    Add(std::move(node));
  }
}

void TUtSimpleXMLElemsProlog::WriteTo(TXmlSink& Sink, TUtSimpleXMLSaveProgress* Progress)
{
  for (auto& elem : FElems)
    elem->WriteTo(Sink, {}, Progress);
}
