// A node of the simple XML document: a CDATA section; its value is the section's text.
#pragma once

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXmlElemCData : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;
};
