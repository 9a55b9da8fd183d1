// Strings and variants of the automation calls: BSTR (a counted, zero-ended
// UTF-16 string whose length sits just before its first character) and
// VARIANT (a tagged value), with the functions that make, copy and free them.
#pragma once

#include "platform/base/Interface.h"
#include "platform/base/Types.h"

struct IDispatch;

using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
using VARTYPE = WORD;
using VARIANT_BOOL = SHORT;
using SCODE = LONG;
using DISPID = LONG;
using LCID = DWORD;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005);
constexpr HRESULT DISP_E_BADVARTYPE = HRESULT(0x80020008);
constexpr HRESULT E_ACCESSDENIED = HRESULT(0x80070005);

// The kinds of value a VARIANT carries here.
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_UNKNOWN = 13;

// 24 bytes on this machine: the tag, three reserved words, then the value.
struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  WORD wReserved1 = 0;
  WORD wReserved2 = 0;
  WORD wReserved3 = 0;
  union {
    LONG lVal;
    SHORT iVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    void* byref;
    LONGLONG llVal;
    void* pad[2];
  };
  VARIANT() : pad{nullptr, nullptr} {}
};
using VARIANTARG = VARIANT;

// A new string holding a copy of text up to its terminating zero; null for a
// null text or when memory runs out.
BSTR SysAllocString(LPCOLESTR text);
// A new string of length characters copied from text, or zeroed when text is
// null; null when memory runs out or the length is beyond what a BSTR counts.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Frees a string made by the calls above; null is allowed.
void SysFreeString(BSTR text);
// The length in characters (the stored count, not the first zero); 0 for null.
UINT SysStringLen(BSTR text);

// Sets the variant empty without looking at what it held.
void VariantInit(VARIANT* value);
// Frees what the variant owns (a string, a reference) and sets it empty.
// DISP_E_BADVARTYPE, and the variant left as it was, for a kind not known here.
HRESULT VariantClear(VARIANT* value);
// Clears target, then makes it an independent copy of source (a string
// copied, a reference added). target may be source.
HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
