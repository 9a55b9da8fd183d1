// A named element with attributes and children. Its reader also reads the
// document's root.
#pragma once

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXMLElemClassic : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  // Elements nested deeper than this are refused (TUtSimpleXMLInvalid).
  static constexpr int MaxDepth = 1000;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;
};
