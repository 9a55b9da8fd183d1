// The wrapper classes of the plain, ordinal and ordinal-range descriptors, and
// the base from which every descriptor wrapper derives. Each class template
// implements the interface I it is instantiated for (the most derived one of
// its wrapper class); QueryInterface answers I and every interface I derives
// from, so one object serves every narrower and wider query.
#pragma once

#include <atomic>

#include "controls/utility/rtti/RtRTTI.h"

template <class I>
class TRtTypeInfoT : public TObject, public I {
public:
  explicit TRtTypeInfoT(PTypeInfo info) : FTypeInfo(info) {}

  HRESULT QueryInterface(const GUID& iid, void** object) override;
  ULONG AddRef() override { return ULONG(++FRefCount); }
  ULONG Release() override;

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
  std::string TypeName() override { return FTypeInfo->Name; }
  const TTypeData* TypeData() override { return &FTypeInfo->Data; }
  PTypeInfo TypeInfo() override { return FTypeInfo; }
  TTypeKind TypeKind() override { return FTypeInfo->Kind; }

protected:
  // Anonymous types have names beginning with ".".
  bool IsAnonymous() const { return !FTypeInfo->Name.empty() && FTypeInfo->Name[0] == '.'; }

  PTypeInfo FTypeInfo;

private:
  std::atomic<LONG> FRefCount{0};
};

template <class I>
class TRtOrdinalTypeInfoT : public TRtTypeInfoT<I> {
public:
  using TRtTypeInfoT<I>::TRtTypeInfoT;
  TOrdType OrdinalType() override { return this->FTypeInfo->Data.OrdType; }
  void WriteInfo(IRtInfoOutput* Output) override;
};

template <class I>
class TRtOrdinalRangeTypeInfoT : public TRtOrdinalTypeInfoT<I> {
public:
  using TRtOrdinalTypeInfoT<I>::TRtOrdinalTypeInfoT;
  std::int64_t MinValue() override { return OrdinalMin(this->FTypeInfo); }
  std::int64_t MaxValue() override { return OrdinalMax(this->FTypeInfo); }
  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};

using TRtTypeInfo = TRtTypeInfoT<IRtTypeInfo>;
using TRtOrdinalTypeInfo = TRtOrdinalTypeInfoT<IRtOrdinalTypeInfo>;
using TRtOrdinalRangeTypeInfo = TRtOrdinalRangeTypeInfoT<IRtOrdinalRangeTypeInfo>;

// Shared by the listings: the type's ordinal kind as its name.
std::string OrdTypeText(TOrdType type);
