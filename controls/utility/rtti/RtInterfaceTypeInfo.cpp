#include "controls/utility/rtti/RtInterfaceTypeInfo.h"

#include "controls/utility/detail/Text.h"
#include "controls/utility/rtti/RtTypeText.h"
#include "platform/base/StringRoutines.h"

InterfacePtr<IRtInterfaceInfo> TRtInterfaceTypeInfo::ParentInfo()
{
  return RtTypeInfoAs<IRtInterfaceInfo>(FTypeInfo->Data.ParentInfo);
}

GUID TRtInterfaceTypeInfo::IntfGuid()
{
  return IntfFlags().Contains(ifHasGuid) ? FTypeInfo->Data.Guid : GUID{};
}

void TRtInterfaceTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  if (IntfFlags().Contains(ifHasGuid))
    Output->Writeln("GUID: " + GuidToText(IntfGuid()));
  Output->Writeln("Flags: " + SetToText(IntfFlags(), true, false));
  Output->Writeln("Unit name: " + UnitName());
  if (PTypeInfo parent = FTypeInfo->Data.ParentInfo)
    Output->Writeln("Parent: " + parent->Name);
  Output->Writeln("Property count: " + std::to_string(PropertyCount()));
}

void TRtInterfaceTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  bool dispatch = IntfFlags().Contains(ifDispInterface);
  PTypeInfo parent = FTypeInfo->Data.ParentInfo;
  Output->Write(FTypeInfo->Name + " = ");
  Output->Write(dispatch ? "dispinterface" : "interface");
  if (parent && !dispatch && !SameText(parent->Name, "IUnknown"))
    Output->Write("(" + parent->Name + ")");
  Output->Writeln(" // unit " + UnitName());
  Output->AddIndent();
  if (IntfFlags().Contains(ifHasGuid))
    Output->Writeln("['" + GuidToText(IntfGuid()) + "']");
  Output->RemoveIndent();
  Output->Writeln("end;");
}
