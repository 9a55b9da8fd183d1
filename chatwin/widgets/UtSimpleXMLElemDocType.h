// A node of the simple XML document: a document type declaration; its value is its inner text, trimmed.
#pragma once

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXmlElemDocType : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;
};
