#include "chatwin/widgets/UtSimpleXMLElemSheet.h"

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "chatwin/widgets/detail/XmlExpect.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"

void TUtSimpleXMLElemSheet::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  ExpectText(Source, "<?xml-stylesheet", SInvalidStylesheetExpected, SInvalidStylesheetEnd);
  TUtSimpleXMLProps::ReadAttributes(Source, *this);
  ExpectText(Source, "?>", SInvalidStylesheetExpected, SInvalidStylesheetEnd);
}

void TUtSimpleXMLElemSheet::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  std::string& out = Sink.Text();
  out.append(Level);
  out.append("<?xml-stylesheet");
  if (TUtSimpleXMLProps* props = PropertiesIfAny())
    props->WriteTo(out);
  out.append("?>\r\n");
  Sink.Check();
  NodeWritten(Progress);
}
