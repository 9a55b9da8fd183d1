#include "chatwin/widgets/UtSimpleXML.h"

#include "chatwin/widgets/UtSimpleXMLElemClassic.h"
#include "chatwin/widgets/UtSimpleXMLElemsProlog.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/ScopeGuard.h"

TUtSimpleXML::TUtSimpleXML(TComponent* AOwner)
    : TComponent(AOwner), FRoot(std::make_unique<TUtSimpleXMLElemClassic>()), FProlog(std::make_unique<TUtSimpleXMLElemsProlog>())
{
  FRoot->SetSimpleXML(this);
}

TUtSimpleXML::~TUtSimpleXML() = default;

void TUtSimpleXML::LoadFromFile(const std::string& FileName)
{
  TMemoryStream stream;
  stream.LoadFromFile(FileName);
  LoadFromStream(stream);
}

void TUtSimpleXML::LoadFromStream(TStream& Stream)
{
  FRoot->Clear();
  FRoot->SetName({});
  FRoot->SetNameSpace({});
  FRoot->SetValue({});
  FProlog->Clear();
  // The readers hear of the document only when someone listens.
  TUtSimpleXML* document = OnLoadProgress || OnTagParsed || OnValueParsed ? this : nullptr;
  if (OnLoadProgress)
    OnLoadProgress(this, Stream.Position(), Stream.Size());
  TXmlSource source(Stream, document);
  {
    ScopeExit finishing([&] { source.Finish(); });
    FProlog->ReadFrom(source, document);
    FRoot->ReadFrom(source, document, 0);
  }
  if (OnLoadProgress)
    OnLoadProgress(this, Stream.Position(), Stream.Size());
}

void TUtSimpleXML::SaveToStream(TStream& Stream)
{
  TUtSimpleXMLSaveProgress progress;
  TUtSimpleXMLSaveProgress* counting = nullptr;
  if (OnSaveProgress) {
    progress.Document = this;
    // A root without a name writes only its children.
    progress.Total = FProlog->Count() + FRoot->NodeCount() - (FRoot->Name().empty() ? 1 : 0);
    counting = &progress;
  }
  TXmlSink sink(Stream);
  FProlog->WriteTo(sink, counting);
  FRoot->WriteTo(sink, {}, counting);
  sink.Flush();
}

void TUtSimpleXML::SetFileName(const std::string& Value)
{
  FFileName = Value;
  if (!Value.empty())
    LoadFromFile(Value);
}

void TUtSimpleXML::SetIndentString(const std::string& Value)
{
  for (char c : Value)
    if (c != ' ' && c != '\t')
      return;
  FIndentString = Value;
}

void TUtSimpleXML::DoTagParsed(const std::string& Name, const std::string& Value)
{
  if (OnTagParsed)
    OnTagParsed(this, Name);
  if (OnValueParsed)
    OnValueParsed(this, Name, Value);
}

void TUtSimpleXML::DoLoadProgress(std::int64_t Position, std::int64_t Total)
{
  if (OnLoadProgress)
    OnLoadProgress(this, Position, Total);
}

void TUtSimpleXML::DoSaveProgress(std::int64_t Position, std::int64_t Total)
{
  if (OnSaveProgress)
    OnSaveProgress(this, Position, Total);
}
