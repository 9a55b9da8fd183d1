#include "controls/utility/rtti/RtDynArrayTypeInfo.h"

PTypeInfo TRtDynArrayTypeInfo::Element() const
{
  return FTypeInfo->Data.ElType ? FTypeInfo->Data.ElType : FTypeInfo->Data.ElType2;
}

InterfacePtr<IRtTypeInfo> TRtDynArrayTypeInfo::ElementType()
{
  return RtTypeInfoFor(Element());
}

namespace {

bool Anonymous(PTypeInfo info)
{
  return !info->Name.empty() && info->Name[0] == '.';
}

}  // namespace

void TRtDynArrayTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  Output->Writeln("Element size: " + std::to_string(ElementSize()));
  PTypeInfo element = Element();
  if (!element) {
    Output->Writeln("Element type: ???");
  } else if (Anonymous(element)) {
    Output->Writeln("Element type: ");
    Output->AddIndent();
    RtTypeInfoFor(element)->WriteInfo(Output);
    Output->RemoveIndent();
  } else {
    Output->Writeln("Element type: " + element->Name);
  }
  Output->Write("Elements need clean up: ");
  Output->Writeln(ElementsNeedCleanup() ? "True" : "False");
  Output->Writeln("Variant type: " + std::to_string(VarType()));
  Output->Writeln("Unit name: " + UnitName());
}

void TRtDynArrayTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  bool anonymous = IsAnonymous();
  Output->Write(anonymous ? std::string("array of ") : FTypeInfo->Name + " = array of ");
  PTypeInfo element = Element();
  if (!element)
    Output->Write("???");
  else if (Anonymous(element))
    RtTypeInfoFor(element)->WriteDeclaration(Output);
  else
    Output->Write(element->Name);
  if (!anonymous)
    Output->Writeln("; // Unit " + UnitName());
}
