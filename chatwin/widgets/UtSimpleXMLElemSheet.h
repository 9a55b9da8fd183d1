// A node of the simple XML document: a style-sheet processing instruction with its attributes.
#pragma once

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXMLElemSheet : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;
};
