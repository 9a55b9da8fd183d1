// An attribute of a node: name, value and namespace prefix.
#pragma once

#include <string>

#include "chatwin/widgets/Forward.h"
#include "platform/base/Object.h"

class TUtSimpleXMLProp : public TObject {
public:
  TUtSimpleXMLProp(TUtSimpleXMLProps* Parent, std::string Name, std::string Value);

  const std::string& Name() const { return FName; }
  // Renames the attribute, and its key in its list.
  void SetName(const std::string& Value);
  const std::string& Value() const { return FValue; }
  void SetValue(const std::string& Value) { FValue = Value; }
  const std::string& NameSpace() const { return FNameSpace; }
  void SetNameSpace(const std::string& Value) { FNameSpace = Value; }
  TUtSimpleXMLProps* Parent() const { return FParent; }

private:
  TUtSimpleXMLProps* FParent;
  std::string FName;
  std::string FValue;
  std::string FNameSpace;
};
