// The wrappers of method-pointer descriptors and of their parameter records.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtEventParamInfo : public TInterfacedObject<IRtEventParameterInfo> {
public:
  explicit TRtEventParamInfo(const TParamRecord* record) : FRecord(record) {}
  TParamFlags ParamFlags() override { return FRecord->Flags; }
  std::string ParamName() override { return FRecord->ParamName; }
  // The stored record: its flags byte and the two texts with their lengths.
  int RecordSize() override { return int(FRecord->ParamName.size() + FRecord->TypeName.size() + 3); }
  std::string ParamTypeName() override { return FRecord->TypeName; }
  const TParamRecord* ParamRecord() override { return FRecord; }

private:
  const TParamRecord* FRecord;
};

class TRtEventTypeInfo : public TRtTypeInfoT<IRtEventInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;

  TMethodKind MethodKind() override { return FTypeInfo->Data.MethodKind; }
  int ParameterCount() override { return int(FTypeInfo->Data.Params.size()); }
  InterfacePtr<IRtEventParameterInfo> Parameters(int Index) override;
  // Only functions have a result type.
  std::string ResultTypeName() override;

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
