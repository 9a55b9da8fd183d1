// A node of the simple XML document: the XML declaration, with its version,
// encoding and standalone flag.
#pragma once

#include <string>

#include "chatwin/widgets/UtSimpleXMLElem.h"

class TUtSimpleXMLElemHeader : public TUtSimpleXMLElem {
public:
  using TUtSimpleXMLElem::TUtSimpleXMLElem;

  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) override;
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) override;

  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& Value) { FVersion = Value; }
  const std::string& Encoding() const { return FEncoding; }
  void SetEncoding(const std::string& Value) { FEncoding = Value; }
  bool StandAlone() const { return FStandAlone; }
  void SetStandAlone(bool Value) { FStandAlone = Value; }

private:
  std::string FVersion = "1.0";
  std::string FEncoding = "iso-8859-1";
  bool FStandAlone = false;
};
