// The wrapper of enumeration descriptors (full enumerations and sub-ranges).
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtEnumerationTypeInfo : public TRtOrdinalRangeTypeInfoT<IRtEnumerationTypeInfo> {
public:
  using TRtOrdinalRangeTypeInfoT::TRtOrdinalRangeTypeInfoT;

  InterfacePtr<IRtEnumerationTypeInfo> BaseType() override;
  std::string Names(std::int64_t Index) override;
  std::string UnitName() override { return FTypeInfo->Data.UnitName; }
  // The first value, from the highest down, whose name equals Name without
  // regard to case; -1 when none does.
  std::int64_t IndexOfName(const std::string& Name) override;

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
