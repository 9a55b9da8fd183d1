#include "chatwin/widgets/UtSimpleXMLElemText.h"

#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "chatwin/widgets/detail/XmlText.h"

void TUtSimpleXMLElemText::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  std::string text;
  char c;
  while (Source.Next(c)) {
    if (c == '<') {
      Source.Reset(Source.Position() - 1);
      break;
    }
    // A run of blanks becomes one blank.
    if (c == ' ' && !text.empty() && text.back() == ' ')
      continue;
    text.push_back(c);
  }
  SetValue(XmlDecode(text));
}

void TUtSimpleXMLElemText::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  if (!Value().empty()) {
    std::string& out = Sink.Text();
    out.append(Level);
    AppendXmlEscaped(out, Value());
    out.append("\r\n");
    Sink.Check();
  }
  NodeWritten(Progress);
}
