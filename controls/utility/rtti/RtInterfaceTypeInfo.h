// The wrapper of interface descriptors.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtInterfaceTypeInfo : public TRtTypeInfoT<IRtInterfaceInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;

  InterfacePtr<IRtInterfaceInfo> ParentInfo() override;
  TIntfFlagsBase IntfFlags() override { return FTypeInfo->Data.IntfFlags; }
  // The all-zero GUID unless the descriptor says it has one.
  GUID IntfGuid() override;
  int PropertyCount() override { return FTypeInfo->Data.PropCount; }
  std::string UnitName() override { return FTypeInfo->Data.UnitName; }

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
