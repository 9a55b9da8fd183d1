#include "chatwin/widgets/UtSimpleXMLElemComment.h"

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlExpect.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"

void TUtSimpleXMLElemComment::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  ExpectText(Source, "<!--", SInvalidCommentExpected, SInvalidCommentEnd);
  std::string text;
  char c;
  for (;;) {
    if (!Source.Next(c))
      XmlError(SInvalidCommentEnd);
    if (c != '-') {
      text.push_back(c);
      continue;
    }
    char second;
    if (!Source.Next(second))
      XmlError(SInvalidCommentEnd);
    if (second != '-') {
      // A single hyphen stays in the text; what follows it is read again.
      text.push_back('-');
      Source.Reset(Source.Position() - 1);
      continue;
    }
    char third;
    if (!Source.Next(third))
      XmlError(SInvalidCommentEnd);
    if (third == '>')
      break;
    char fourth;
    if (!Source.Next(fourth))
      XmlError(SInvalidCommentEnd);
    if (fourth != '>')
      XmlError(SInvalidCommentDashes);
    // "--x>": the hyphens and the character stay, and the ">" is read again.
    text.append("--");
    text.push_back(third);
    Source.Reset(Source.Position() - 1);
  }
  SetValue(text);
}

void TUtSimpleXMLElemComment::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  std::string& out = Sink.Text();
  out.append(Level);
  out.append("<!--");
  out.append(Value());
  out.append("-->\r\n");
  Sink.Check();
  NodeWritten(Progress);
}
