// The prolog of the document: the header, document type, style sheets and
// comments before the root element, in order. The list owns its nodes.
#pragma once

#include <memory>
#include <vector>

#include "chatwin/widgets/Forward.h"
#include "platform/base/Object.h"

class TUtSimpleXMLElemsProlog : public TObject {
public:
  TUtSimpleXMLElemsProlog() = default;
  ~TUtSimpleXMLElemsProlog() override;

  int Count() const { return int(FElems.size()); }
  // The node at Index, or none when Index is not below Count.
  TUtSimpleXMLElem* Item(int Index) const;
  TUtSimpleXMLElem* Add(std::unique_ptr<TUtSimpleXMLElem> Elem);
  void Clear();

  // The prolog reader: reads nodes up to the root element's "<", where it
  // leaves the source (TUtSimpleXMLInvalid on text that belongs to no node).
  void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document);
  void WriteTo(TXmlSink& Sink, TUtSimpleXMLSaveProgress* Progress);

private:
  std::vector<std::unique_ptr<TUtSimpleXMLElem>> FElems;
};
