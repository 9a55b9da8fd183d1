#include "controls/utility/rtti/RtSetTypeInfo.h"

#include "controls/utility/rtti/RtTypeText.h"

InterfacePtr<IRtOrdinalTypeInfo> TRtSetTypeInfo::BaseType()
{
  return RtTypeInfoAs<IRtOrdinalTypeInfo>(FTypeInfo->Data.CompType);
}

void TRtSetTypeInfo::ElementsToList(std::span<const std::uint8_t> Value, bool WantRanges,
                                    std::vector<std::string>& Strings)
{
  SetElementsToList(FTypeInfo, Value, WantRanges, Strings);
}

void TRtSetTypeInfo::ListToElements(std::span<std::uint8_t> Value, const std::vector<std::string>& Strings)
{
  SetListToElements(FTypeInfo, Value, Strings);
}

void TRtSetTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtOrdinalTypeInfoT::WriteInfo(Output);
  Output->Writeln("Based on: ");
  Output->AddIndent();
  if (auto element = RtTypeInfoFor(FTypeInfo->Data.CompType))
    element->WriteInfo(Output);
  Output->RemoveIndent();
}

void TRtSetTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  bool anonymous = IsAnonymous();
  if (!anonymous)
    Output->Write(FTypeInfo->Name + " = set of ");
  PTypeInfo element = FTypeInfo->Data.CompType;
  if (!element) {
    Output->Write("???");
  } else if (!element->Name.empty() && element->Name[0] == '.') {
    if (element->Kind == tkEnumeration)
      RtTypeInfoFor(element)->WriteDeclaration(Output);
    else
      Output->Write("???");
  } else {
    Output->Write(element->Name);
  }
  if (!anonymous) {
    Output->Write("; // " + OrdTypeText(FTypeInfo->Data.OrdType));
    Output->Writeln("");
  }
}
