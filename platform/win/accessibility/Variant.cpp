#include "platform/win/accessibility/Variant.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/win/accessibility/Dispatch.h"

namespace {

// The stored count is the length in bytes, in the four bytes before the
// characters; the block ends with a zero character.
constexpr UINT MaxLength = (0x7FFFFFFFu - sizeof(std::uint32_t) - sizeof(OLECHAR)) / sizeof(OLECHAR);

std::uint32_t* Header(BSTR text) { return reinterpret_cast<std::uint32_t*>(text) - 1; }

bool KnownKind(VARTYPE vt)
{
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_BOOL:
    case VT_UNKNOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
  if (length > MaxLength)
    return nullptr;
  const std::size_t bytes = std::size_t(length) * sizeof(OLECHAR);
  auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
  if (!block)
    return nullptr;
  *block = std::uint32_t(bytes);
  auto* chars = reinterpret_cast<OLECHAR*>(block + 1);
  if (text)
    std::memcpy(chars, text, bytes);
  else
    std::memset(chars, 0, bytes);
  chars[length] = 0;
  return chars;
}

BSTR SysAllocString(LPCOLESTR text)
{
  if (!text)
    return nullptr;
  std::size_t length = 0;
  while (text[length])
    ++length;
  if (length > MaxLength)
    return nullptr;
  return SysAllocStringLen(text, UINT(length));
}

void SysFreeString(BSTR text)
{
  if (text)
    std::free(Header(text));
}

UINT SysStringLen(BSTR text) { return text ? *Header(text) / sizeof(OLECHAR) : 0; }

void VariantInit(VARIANT* value)
{
  if (!value)
    return;
  value->vt = VT_EMPTY;
  value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
  value->pad[0] = value->pad[1] = nullptr;
}

HRESULT VariantClear(VARIANT* value)
{
  if (!value)
    return E_INVALIDARG;
  if (!KnownKind(value->vt))
    return DISP_E_BADVARTYPE;
  switch (value->vt) {
    case VT_BSTR:
      SysFreeString(value->bstrVal);
      break;
    case VT_DISPATCH:
      if (value->pdispVal)
        value->pdispVal->Release();
      break;
    case VT_UNKNOWN:
      if (value->punkVal)
        value->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source)
{
  if (!target || !source)
    return E_INVALIDARG;
  if (target == source)
    return S_OK;
  if (!KnownKind(source->vt))
    return DISP_E_BADVARTYPE;
  VARIANT copy = *source;
  if (source->vt == VT_BSTR && source->bstrVal) {
    copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
    if (!copy.bstrVal)
      return E_OUTOFMEMORY;
  }
  const HRESULT cleared = VariantClear(target);
  if (FAILED(cleared)) {
    if (copy.vt == VT_BSTR)
      SysFreeString(copy.bstrVal);
    return cleared;
  }
  if (copy.vt == VT_DISPATCH && copy.pdispVal)
    copy.pdispVal->AddRef();
  if (copy.vt == VT_UNKNOWN && copy.punkVal)
    copy.punkVal->AddRef();
  *target = copy;
  return S_OK;
}
