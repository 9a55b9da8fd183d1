#include "chatwin/widgets/UtSimpleXMLProp.h"

#include "chatwin/widgets/UtSimpleXMLProps.h"

TUtSimpleXMLProp::TUtSimpleXMLProp(TUtSimpleXMLProps* Parent, std::string Name, std::string Value)
    : FParent(Parent), FName(std::move(Name)), FValue(std::move(Value))
{
}

void TUtSimpleXMLProp::SetName(const std::string& Value)
{
  if (Value == FName)
    return;
  FName = Value;
  if (FParent)
    FParent->Renamed(this);
}
