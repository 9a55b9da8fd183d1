// Small helpers the accessible objects share: argument checks, strings and
// variants for answers, and the guard that turns an exception into
// E_UNEXPECTED so none leaves a method.
#pragma once

#include <string>

#include "controls/toolbar/TBView.h"
#include "platform/base/Utf.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

namespace tbacc {

// The view's window handle, null while it has none.
inline HWND ViewWindow(TTBView* View)
{
  TWinControl* w = View->Window();
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

inline bool IsSelf(const VARIANT& V) { return V.vt == VT_I4 && V.lVal == CHILDID_SELF; }

// "Valid": the object still has its client, and the child named is the
// object itself.
inline HRESULT CheckValid(const void* Client, const VARIANT& Child)
{
  if (!Client)
    return E_FAIL;
  return IsSelf(Child) ? S_OK : E_INVALIDARG;
}

inline BSTR NewBSTR(const std::string& Utf8)
{
  std::u16string wide = UTF8Decode(Utf8);
  return SysAllocStringLen(wide.data(), UINT(wide.size()));
}

// Puts Text in *Out (S_OK), or nothing when Out is null (E_POINTER).
inline HRESULT AnswerText(BSTR* Out, const std::string& Text)
{
  if (!Out)
    return E_POINTER;
  *Out = NewBSTR(Text);
  return S_OK;
}

// Clears the out-string and answers Result: for the members with nothing to say.
inline HRESULT NoText(BSTR* Out, HRESULT Result = S_FALSE)
{
  if (Out)
    *Out = nullptr;
  return Result;
}

inline void SetI4(VARIANT* Out, LONG Value)
{
  VariantInit(Out);
  Out->vt = VT_I4;
  Out->lVal = Value;
}

// Takes over a counted reference.
inline void SetDispatch(VARIANT* Out, IDispatch* Object)
{
  VariantInit(Out);
  Out->vt = VT_DISPATCH;
  Out->pdispVal = Object;
}

template <class F>
HRESULT Guarded(F&& Body)
{
  try {
    return Body();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace tbacc
