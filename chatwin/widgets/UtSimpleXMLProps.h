// The attributes of a node, in order, keyed by name in a hashed string list.
// The list owns its attributes.
#pragma once

#include <string>

#include "chatwin/widgets/Forward.h"
#include "platform/base/HashedStringList.h"
#include "platform/base/Object.h"

class TUtSimpleXMLProps : public TObject {
public:
  explicit TUtSimpleXMLProps(TUtSimpleXMLElem* Parent);
  ~TUtSimpleXMLProps() override;
  TUtSimpleXMLProps(const TUtSimpleXMLProps&) = delete;
  TUtSimpleXMLProps& operator=(const TUtSimpleXMLProps&) = delete;

  TUtSimpleXMLProp* Add(const std::string& Name, const std::string& Value);
  // The first attribute of that name; with the document's sxoAutoCreate a
  // missing one is created with an empty value, otherwise none.
  TUtSimpleXMLProp* ItemNamed(const std::string& Name);
  // The value of the attribute of that name, or Default when there is none.
  std::string Value(const std::string& Name, const std::string& Default = {}) const;
  int Count() const { return FProps.Count(); }
  // The attribute at Index, or none when Index is not below Count.
  TUtSimpleXMLProp* Item(int Index) const;
  void Clear();

  TUtSimpleXMLElem* Parent() const { return FParent; }

  // The attribute reader: reads attributes into Owner up to "/", ">" or "?",
  // which it leaves unread; at the end of the data it stops, and the caller
  // reports the end.
  static void ReadAttributes(TXmlSource& Source, TUtSimpleXMLElem& Owner);
  // Each attribute as ' name="value"' or ' prefix:name="value"'.
  void WriteTo(std::string& Out) const;

private:
  friend class TUtSimpleXMLProp;
  void Renamed(TUtSimpleXMLProp* Prop);

  TUtSimpleXMLElem* FParent;
  THashedStringList FProps;
};
