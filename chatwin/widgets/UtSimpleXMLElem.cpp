#include "chatwin/widgets/UtSimpleXMLElem.h"

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElems.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/StringStream.h"

TUtSimpleXMLElem::TUtSimpleXMLElem(TUtSimpleXMLElem* Parent) : FParent(Parent) {}

TUtSimpleXMLElem::~TUtSimpleXMLElem() = default;

void TUtSimpleXMLElem::Clear()
{
  if (FItems)
    FItems->Clear();
  if (FProps)
    FProps->Clear();
}

void TUtSimpleXMLElem::LoadFromStream(TStream& Stream, TUtSimpleXML* Document)
{
  TXmlSource source(Stream, Document);
  ScopeExit finishing([&] { source.Finish(); });
  ReadFrom(source, Document, 0);
}

void TUtSimpleXMLElem::SaveToStream(TStream& Stream, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  TXmlSink sink(Stream);
  WriteTo(sink, Level, Progress);
  sink.Flush();
}

std::string TUtSimpleXMLElem::SaveToString()
{
  TStringStream stream;
  SaveToStream(stream);
  return stream.DataString();
}

void TUtSimpleXMLElem::SetName(const std::string& Value)
{
  if (Value == FName)
    return;
  FName = Value;
  if (FContainer)
    FContainer->Renamed(this);
}

std::string TUtSimpleXMLElem::FullName() const
{
  return FNameSpace.empty() ? FName : FNameSpace + ":" + FName;
}

TUtSimpleXMLElems* TUtSimpleXMLElem::Items()
{
  if (!FItems)
    FItems = std::make_unique<TUtSimpleXMLElems>(this);
  return FItems.get();
}

TUtSimpleXMLProps* TUtSimpleXMLElem::Properties()
{
  if (!FProps)
    FProps = std::make_unique<TUtSimpleXMLProps>(this);
  return FProps.get();
}

int TUtSimpleXMLElem::ItemCount() const
{
  return FItems ? FItems->Count() : 0;
}

int TUtSimpleXMLElem::PropertyCount() const
{
  return FProps ? FProps->Count() : 0;
}

TUtSimpleXML* TUtSimpleXMLElem::SimpleXML() const
{
  const TUtSimpleXMLElem* node = this;
  while (node->FParent)
    node = node->FParent;
  return node->FSimpleXML;
}

int TUtSimpleXMLElem::NodeCount() const
{
  int count = 1;
  if (FItems)
    for (int i = 0, n = FItems->Count(); i < n; ++i)
      count += FItems->Item(i)->NodeCount();
  return count;
}

void TUtSimpleXMLElem::NodeWritten(TUtSimpleXMLSaveProgress* Progress)
{
  if (!Progress || !Progress->Document)
    return;
  ++Progress->Written;
  Progress->Document->DoSaveProgress(Progress->Written, Progress->Total);
}
