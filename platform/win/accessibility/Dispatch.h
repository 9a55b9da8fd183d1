// IDispatch, the late-binding interface that automation objects expose, and a
// base for objects that expose it without offering late binding.
#pragma once

#include "platform/base/Interface.h"
#include "platform/win/accessibility/Variant.h"

struct ITypeInfo;  // type libraries do not exist here; only pointers to it pass

struct DISPPARAMS {
  VARIANTARG* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  UINT cArgs = 0;
  UINT cNamedArgs = 0;
};

struct EXCEPINFO {
  WORD wCode = 0;
  WORD wReserved = 0;
  BSTR bstrSource = nullptr;
  BSTR bstrDescription = nullptr;
  BSTR bstrHelpFile = nullptr;
  DWORD dwHelpContext = 0;
  void* pvReserved = nullptr;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*) = nullptr;
  SCODE scode = 0;
};

// Invoke's kinds of call.
constexpr WORD DISPATCH_METHOD = 0x1, DISPATCH_PROPERTYGET = 0x2, DISPATCH_PROPERTYPUT = 0x4,
               DISPATCH_PROPERTYPUTREF = 0x8;

struct IDispatch : IUnknown {
  static constexpr GUID IID = MakeGUID("{00020400-0000-0000-C000-000000000046}");
  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argumentError) = 0;

protected:
  ~IDispatch() = default;
};
inline constexpr GUID IID_IDispatch = IDispatch::IID;

// A counted object implementing I (an interface derived from IDispatch) that
// is called through its slots only: it answers IDispatch as well as I, and its
// four IDispatch members answer E_NOTIMPL (no type information, no late
// binding). Out-parameters are cleared first, so callers never read garbage.
template <class I>
class TDispatchObject : public TInterfacedObject<I> {
public:
  HRESULT QueryInterface(REFIID iid, void** object) override
  {
    if (object && iid == IDispatch::IID) {
      *object = static_cast<IDispatch*>(static_cast<I*>(this));
      this->AddRef();
      return S_OK;
    }
    return TInterfacedObject<I>::QueryInterface(iid, object);
  }
  HRESULT GetTypeInfoCount(UINT* count) override
  {
    if (count)
      *count = 0;
    return E_NOTIMPL;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override
  {
    if (info)
      *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
};
