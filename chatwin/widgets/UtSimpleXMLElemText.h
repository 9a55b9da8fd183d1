// A node of the simple XML document: character data between tags; it has no name.
#pragma once

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXMLElemText : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;
};
