// The children of a node, in order, keyed by name in a hashed string list
// (duplicates allowed, the first match wins). The list owns its nodes.
#pragma once

#include <memory>
#include <string>

#include "chatwin/widgets/Forward.h"
#include "platform/base/HashedStringList.h"
#include "platform/base/Object.h"

class TUtSimpleXMLElems : public TObject {
public:
  explicit TUtSimpleXMLElems(TUtSimpleXMLElem* Parent);
  ~TUtSimpleXMLElems() override;
  TUtSimpleXMLElems(const TUtSimpleXMLElems&) = delete;
  TUtSimpleXMLElems& operator=(const TUtSimpleXMLElems&) = delete;

  // Appends a new named element.
  TUtSimpleXMLElemClassic* Add(const std::string& Name);
  TUtSimpleXMLElemClassic* Add(const std::string& Name, const std::string& Value);
  // Appends a node under its name; the list takes it over.
  TUtSimpleXMLElem* Add(std::unique_ptr<TUtSimpleXMLElem> Elem);
  // The first child of that name; with the document's sxoAutoCreate a missing
  // one is created as an empty named element, otherwise none.
  TUtSimpleXMLElem* ItemNamed(const std::string& Name);
  int Count() const { return FElems.Count(); }
  // The child at Index, or none when Index is not below Count.
  TUtSimpleXMLElem* Item(int Index) const;
  void Clear();

  TUtSimpleXMLElem* Parent() const { return FParent; }

  // The child-list reader: reads the children of Parent up to its closing
  // tag, whose name it answers ("" at the end of the data). A text that turns
  // out to be the only child is handed back in OnlyText instead of being
  // added (it becomes the parent's value); on an error it is added.
  static std::string ReadChildren(TXmlSource& Source, TUtSimpleXMLElem& Parent, int Depth,
                                  std::unique_ptr<TUtSimpleXMLElem>& OnlyText);
  void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress);

private:
  friend class TUtSimpleXMLElem;
  // Reads children up to the closing tag (true, its name in Closing) or the
  // end of the data (false); the first child waits in FirstText while it is
  // a text and the only one.
  static bool ReadChildList(TXmlSource& Source, TUtSimpleXMLElem& Parent, int Depth,
                            std::unique_ptr<TUtSimpleXMLElem>& FirstText, std::string& Closing);
  // Keeps the key of a node in step with its new name.
  void Renamed(TUtSimpleXMLElem* Elem);

  TUtSimpleXMLElem* FParent;
  THashedStringList FElems;
};
