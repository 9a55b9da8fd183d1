#include "chatwin/widgets/UtSimpleXMLElemClassic.h"

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElems.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "chatwin/widgets/detail/XmlText.h"

void TUtSimpleXMLElemClassic::ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth)
{
  if (Depth > MaxDepth)
    XmlError(SInvalidElementDepth);
  char c = 0;
  if (!Source.Next(c))
    XmlError(SInvalidElementBegin, "");
  if (c != '<')
    XmlError(SInvalidElementBegin, std::string(1, c));

  std::string name;
  std::string prefix;
  for (bool done = false; !done;) {
    if (!Source.Next(c))
      XmlError(SInvalidElementEnd, "");
    switch (c) {
    case ':':
      prefix = name;
      name.clear();
      break;
    case ' ':
    case '\t':
    case '\r':
    case '\n':
      if (name.empty())
        XmlError(SInvalidElementName);
      TUtSimpleXMLProps::ReadAttributes(Source, *this);
      break;
    case '/':
      // An empty element.
      if (!Source.Next(c))
        XmlError(SInvalidElementEnd, "");
      if (c != '>')
        XmlError(SInvalidElementEnd, std::string(1, c));
      done = true;
      break;
    case '>': {
      std::unique_ptr<TUtSimpleXMLElem> onlyText;
      std::string closing = TUtSimpleXMLElems::ReadChildren(Source, *this, Depth + 1, onlyText);
      // The closing tag carries the prefix as the opening one did.
      std::string qualified = prefix.empty() ? name : prefix + ":" + name;
      if (closing != qualified) {
        if (onlyText)
          Items()->Add(std::move(onlyText));
        XmlError(SInvalidElementEndTag, qualified, closing);
      }
      // An element holding only text keeps it as its value.
      if (onlyText)
        SetValue(onlyText->Value());
      done = true;
      break;
    }
    default:
      name.push_back(c);
      break;
    }
  }
  SetName(name);
  SetNameSpace(prefix);
  if (Document)
    Document->DoTagParsed(Name(), Value());
}

void TUtSimpleXMLElemClassic::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  TUtSimpleXML* document = SimpleXML();
  std::string childLevel = Level;
  if (!document || document->Options().Contains(sxoAutoIndent))
    childLevel += document ? document->IndentString() : std::string("  ");

  if (Name().empty() && !Parent()) {
    // A root without a name is only the place of its children.
    if (TUtSimpleXMLElems* items = ItemsIfAny())
      items->WriteTo(Sink, Level, Progress);
    return;
  }

  std::string& out = Sink.Text();
  std::string name = FullName();
  out.append(Level);
  out.push_back('<');
  out.append(name);
  if (TUtSimpleXMLProps* props = PropertiesIfAny())
    props->WriteTo(out);
  TUtSimpleXMLElems* items = ItemsIfAny();
  if (items && items->Count() > 0) {
    out.append(">\r\n");
    Sink.Check();
    items->WriteTo(Sink, childLevel, Progress);
    out.append(Level);
    out.append("</");
    out.append(name);
    out.append(">\r\n");
  } else if (!Value().empty()) {
    out.push_back('>');
    AppendXmlEscaped(out, Value());
    out.append("</");
    out.append(name);
    out.append(">\r\n");
  } else {
    out.append("/>\r\n");
  }
  Sink.Check();
  NodeWritten(Progress);
}
