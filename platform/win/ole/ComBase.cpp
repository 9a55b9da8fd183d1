#include "platform/win/ole/ComBase.h"

#include <cstdlib>

#include "platform/win/ole/detail/OleThread.h"

namespace {

struct TThreadInit {
  int Com = 0;  // CoInitialize calls, OleInitialize's included
  int Ole = 0;
};
thread_local TThreadInit tlsInit;

}  // namespace

HRESULT CoInitializeEx(void*, DWORD)
{
  return tlsInit.Com++ == 0 ? S_OK : S_FALSE;
}

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize()
{
  if (tlsInit.Com > 0)
    --tlsInit.Com;
}

HRESULT OleInitialize(void* reserved)
{
  HRESULT hr = CoInitialize(reserved);
  ++tlsInit.Ole;
  return hr;
}

void OleUninitialize()
{
  if (tlsInit.Ole == 0)
    return;
  if (tlsInit.Ole == 1) {
    // Our data object must not outlive the thread's OLE: its data go to the
    // plain clipboard first.
    ole_detail::FlushClipboardOfThread();
    ole_detail::ReleaseStaleDropTargets();
  }
  --tlsInit.Ole;
  CoUninitialize();
}

bool IsOleInitialized() { return tlsInit.Ole > 0; }

HRESULT CoCreateInstance(const CLSID&, IUnknown* outer, DWORD, const IID&, void** object)
{
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (tlsInit.Com == 0)
    return CO_E_NOTINITIALIZED;
  (void)outer;
  return REGDB_E_CLASSNOTREG;
}

HRESULT CoDisconnectObject(IUnknown* object, DWORD) { return object ? S_OK : E_INVALIDARG; }

void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size ? size : 1); }

void* CoTaskMemRealloc(void* memory, std::size_t size) { return std::realloc(memory, size ? size : 1); }

void CoTaskMemFree(void* memory) { std::free(memory); }

IUnknown* CanonicalUnknown(IUnknown* object)
{
  if (!object)
    return nullptr;
  void* unknown = nullptr;
  if (SUCCEEDED(object->QueryInterface(IUnknown::IID, &unknown)) && unknown) {
    auto* canonical = static_cast<IUnknown*>(unknown);
    canonical->Release();
    return canonical;
  }
  return object;
}
