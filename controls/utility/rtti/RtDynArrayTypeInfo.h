// The wrapper of dynamic-array descriptors.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtDynArrayTypeInfo : public TRtTypeInfoT<IRtDynArrayInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;

  int ElementSize() override { return FTypeInfo->Data.ElSize; }
  // The clean-up element type when there is one, else the plain one.
  InterfacePtr<IRtTypeInfo> ElementType() override;
  bool ElementsNeedCleanup() override { return FTypeInfo->Data.ElType != nullptr; }
  int VarType() override { return FTypeInfo->Data.VarType; }
  std::string UnitName() override { return FTypeInfo->Data.UnitName; }

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;

private:
  PTypeInfo Element() const;
};
