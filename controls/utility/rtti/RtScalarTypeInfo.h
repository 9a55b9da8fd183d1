// The wrappers of float, short-string and 64-bit integer descriptors.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtFloatTypeInfo : public TRtTypeInfoT<IRtFloatInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;
  TFloatType FloatType() override { return FTypeInfo->Data.FloatType; }
  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};

class TRtStringTypeInfo : public TRtTypeInfoT<IRtStringInfo> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;
  int MaxLength() override { return FTypeInfo->Data.MaxLength; }
  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};

class TRtInt64TypeInfo : public TRtTypeInfoT<IRtInt64Info> {
public:
  using TRtTypeInfoT::TRtTypeInfoT;
  std::int64_t MinValue() override { return FTypeInfo->Data.MinInt64Value; }
  std::int64_t MaxValue() override { return FTypeInfo->Data.MaxInt64Value; }
  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
