#include "chatwin/widgets/UtSimpleXMLElemHeader.h"

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "chatwin/widgets/detail/XmlExpect.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"

void TUtSimpleXMLElemHeader::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  ExpectText(Source, "<?xml", SInvalidHeaderExpected, SInvalidDocumentEnd);
  TUtSimpleXMLProps::ReadAttributes(Source, *this);
  ExpectText(Source, "?>", SInvalidHeaderExpected, SInvalidDocumentEnd);
  TUtSimpleXMLProps* props = Properties();
  FVersion = props->Value("version", FVersion);
  FEncoding = props->Value("encoding", FEncoding);
  FStandAlone = props->Value("standalone") == "yes";
  props->Clear();
}

void TUtSimpleXMLElemHeader::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  std::string& out = Sink.Text();
  out.append(Level);
  out.append("<?xml version=\"");
  out.append(FVersion);
  out.push_back('"');
  if (FStandAlone)
    out.append(" standalone=\"yes\"");
  if (!FEncoding.empty()) {
    out.append(" encoding=\"");
    out.append(FEncoding);
    out.push_back('"');
  }
  out.append("?>\r\n");
  Sink.Check();
  NodeWritten(Progress);
}
