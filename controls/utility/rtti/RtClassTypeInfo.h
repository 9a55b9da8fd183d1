// The wrappers of class descriptors and of their property records.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtPropInfo : public TInterfacedObject<IRtPropertyInfo> {
public:
  explicit TRtPropInfo(const TPropInfo* prop) : FPropInfo(prop) {}

  // A specifier's kind and value from its stored 32-bit encoding.
  static TRtPropSpecKind SpecKind(std::uint32_t spec);
  static std::int32_t SpecValue(std::uint32_t spec);

  InterfacePtr<IRtTypeInfo> PropType() override { return RtTypeInfoFor(FPropInfo->PropType); }
  std::uint32_t ReaderSpec() override { return FPropInfo->GetProc; }
  std::uint32_t WriterSpec() override { return FPropInfo->SetProc; }
  std::uint32_t StoredSpec() override { return FPropInfo->StoredProc; }
  std::int32_t PropIndex() override { return FPropInfo->Index; }
  std::int32_t PropDefault() override { return FPropInfo->Default; }
  std::int16_t NameIndex() override { return FPropInfo->NameIndex; }
  std::string PropName() override { return FPropInfo->Name; }
  TRtPropSpecKind ReaderKind() override { return SpecKind(ReaderSpec()); }
  TRtPropSpecKind WriterKind() override { return SpecKind(WriterSpec()); }
  TRtPropSpecKind StoredKind() override { return SpecKind(StoredSpec()); }
  std::int32_t ReaderValue() override { return SpecValue(ReaderSpec()); }
  std::int32_t WriterValue() override { return SpecValue(WriterSpec()); }
  std::int32_t StoredValue() override { return SpecValue(StoredSpec()); }
  bool IsStoredIn(TObject* Instance) override { return IsStoredProp(Instance, FPropInfo); }
  bool HasDefaultValue() override { return FPropInfo->Default != NoPropValue; }
  bool HasIndexValue() override { return FPropInfo->Index != NoPropValue; }

private:
  const TPropInfo* FPropInfo;
};

class TRtClassTypeInfo : public TRtTypeInfoT<IRtClassInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;

  const std::type_info* ClassRef() override { return FTypeInfo->Data.ClassType; }
  InterfacePtr<IRtClassInfo> ParentInfo() override;
  int TotalPropertyCount() override { return FTypeInfo->Data.PropCount; }
  int PropertyCount() override { return int(FTypeInfo->Data.Props.size()); }
  InterfacePtr<IRtPropertyInfo> Properties(int Index) override;
  std::string UnitName() override { return FTypeInfo->Data.UnitName; }

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
