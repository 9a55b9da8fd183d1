#include "controls/utility/rtti/RtTypeInfo.h"

#include "controls/utility/rtti/RtClassTypeInfo.h"
#include "controls/utility/rtti/RtDynArrayTypeInfo.h"
#include "controls/utility/rtti/RtEnumerationTypeInfo.h"
#include "controls/utility/rtti/RtEventTypeInfo.h"
#include "controls/utility/rtti/RtInterfaceTypeInfo.h"
#include "controls/utility/rtti/RtScalarTypeInfo.h"
#include "controls/utility/rtti/RtSetTypeInfo.h"
#include "controls/utility/detail/Text.h"
#include "controls/utility/rtti/RtTypeText.h"

namespace {

// Whether iid names I or one of the interfaces I derives from.
template <class I>
bool InChain(const GUID& iid)
{
  if (I::IID == iid && !(iid == GUID{}))
    return true;
  if constexpr (std::is_same_v<I, IUnknown>)
    return false;
  else
    return InChain<typename I::Parent>(iid);
}

}  // namespace

std::string OrdTypeText(TOrdType type)
{
  return OrdinalToText(::TypeInfo<TOrdType>(), &type);
}

template <class I>
HRESULT TRtTypeInfoT<I>::QueryInterface(const GUID& iid, void** object)
{
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (!InChain<I>(iid))
    return E_NOINTERFACE;
  // The interfaces form one chain of single inheritance, so the most derived
  // one's address serves every interface of the chain.
  *object = static_cast<I*>(this);
  AddRef();
  return S_OK;
}

template <class I>
ULONG TRtTypeInfoT<I>::Release()
{
  LONG count = --FRefCount;
  if (count == 0)
    delete this;
  return ULONG(count);
}

template <class I>
void TRtTypeInfoT<I>::WriteInfo(IRtInfoOutput* Output)
{
  TTypeKind kind = FTypeInfo->Kind;
  Output->Writeln("Name: " + FTypeInfo->Name);
  Output->Writeln("Type kind: " + OrdinalToText(::TypeInfo<TTypeKind>(), &kind));
  // The descriptor's address, printed as the platform prints a pointer: its
  // low 32 bits in eight hexadecimal digits.
  Output->Writeln("Type info: " + ut_detail::Hex8(std::uint32_t(reinterpret_cast<std::uintptr_t>(FTypeInfo))));
}

template <class I>
void TRtTypeInfoT<I>::WriteDeclaration(IRtInfoOutput* Output)
{
  Output->Write("// Declaration for '" + FTypeInfo->Name + "' not supported.");
}

template <class I>
void TRtOrdinalTypeInfoT<I>::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT<I>::WriteInfo(Output);
  Output->Writeln("Ordinal type: " + OrdTypeText(this->FTypeInfo->Data.OrdType));
}

template <class I>
void TRtOrdinalRangeTypeInfoT<I>::WriteInfo(IRtInfoOutput* Output)
{
  TRtOrdinalTypeInfoT<I>::WriteInfo(Output);
  Output->Writeln("Min value: " + std::to_string(MinValue()));
  Output->Writeln("Max value: " + std::to_string(MaxValue()));
}

namespace {

std::string CharBound(std::int64_t code)
{
  if (code >= 32 && code <= 126)
    return std::string("'") + char(code) + "'";
  return "#" + std::to_string(code);
}

}  // namespace

template <class I>
void TRtOrdinalRangeTypeInfoT<I>::WriteDeclaration(IRtInfoOutput* Output)
{
  PTypeInfo info = this->FTypeInfo;
  Output->Write(info->Name + " = ");
  if (info->Kind == tkChar || info->Kind == tkWChar) {
    Output->Write(CharBound(MinValue()) + " .. ");
    Output->Write(CharBound(MaxValue()) + "; // ");
  } else {
    Output->Write(std::to_string(MinValue()) + " .. " + std::to_string(MaxValue()) + "; // ");
  }
  Output->Write(OrdTypeText(info->Data.OrdType));
  Output->Writeln("");
}

template class TRtTypeInfoT<IRtTypeInfo>;
template class TRtTypeInfoT<IRtOrdinalTypeInfo>;
template class TRtTypeInfoT<IRtOrdinalRangeTypeInfo>;
template class TRtTypeInfoT<IRtEnumerationTypeInfo>;
template class TRtTypeInfoT<IRtSetInfo>;
template class TRtTypeInfoT<IRtFloatInfo>;
template class TRtTypeInfoT<IRtStringInfo>;
template class TRtTypeInfoT<IRtClassInfo>;
template class TRtTypeInfoT<IRtEventInfo>;
template class TRtTypeInfoT<IRtInterfaceInfo>;
template class TRtTypeInfoT<IRtInt64Info>;
template class TRtTypeInfoT<IRtDynArrayInfo>;
template class TRtOrdinalTypeInfoT<IRtOrdinalTypeInfo>;
template class TRtOrdinalTypeInfoT<IRtOrdinalRangeTypeInfo>;
template class TRtOrdinalTypeInfoT<IRtEnumerationTypeInfo>;
template class TRtOrdinalTypeInfoT<IRtSetInfo>;
template class TRtOrdinalRangeTypeInfoT<IRtOrdinalRangeTypeInfo>;
template class TRtOrdinalRangeTypeInfoT<IRtEnumerationTypeInfo>;

InterfacePtr<IRtTypeInfo> RtTypeInfoFor(PTypeInfo Descriptor)
{
  if (!Descriptor)
    return {};
  IRtTypeInfo* wrapper;
  switch (Descriptor->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
      wrapper = new TRtOrdinalRangeTypeInfo(Descriptor);
      break;
    case tkEnumeration:
      wrapper = new TRtEnumerationTypeInfo(Descriptor);
      break;
    case tkFloat:
      wrapper = new TRtFloatTypeInfo(Descriptor);
      break;
    case tkString:
      wrapper = new TRtStringTypeInfo(Descriptor);
      break;
    case tkSet:
      wrapper = new TRtSetTypeInfo(Descriptor);
      break;
    case tkClass:
      wrapper = new TRtClassTypeInfo(Descriptor);
      break;
    case tkMethod:
      wrapper = new TRtEventTypeInfo(Descriptor);
      break;
    case tkInterface:
      wrapper = new TRtInterfaceTypeInfo(Descriptor);
      break;
    case tkInt64:
      wrapper = new TRtInt64TypeInfo(Descriptor);
      break;
    case tkDynArray:
      wrapper = new TRtDynArrayTypeInfo(Descriptor);
      break;
    default:
      wrapper = new TRtTypeInfo(Descriptor);
      break;
  }
  return InterfacePtr<IRtTypeInfo>(wrapper);
}
