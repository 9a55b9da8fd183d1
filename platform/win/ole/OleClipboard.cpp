#include "platform/win/ole/OleClipboard.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win/ole/HGlobalStream.h"
#include "platform/win/ole/detail/OleThread.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/WindowClass.h"
#include "platform/win/window/WindowTree.h"
#include "platform/base/ThreadId.h"

namespace {

constexpr DWORD ClipboardMedia = TYMED_HGLOBAL | TYMED_ISTREAM;

// The object on the clipboard, with the thread and window that put it there.
struct TOleClipboard {
  std::mutex Lock;
  IDataObject* Object = nullptr;  // one reference held
  DWORD Thread = 0;
  HWND Window = nullptr;
  std::vector<FORMATETC> Promised;
};

TOleClipboard& ClipboardState()
{
  static auto* s = new TOleClipboard;
  return *s;
}

// Takes the object off the state; the caller releases it (outside the lock:
// its destructor may ask the clipboard again).
IDataObject* Detach()
{
  std::lock_guard<std::mutex> lock(ClipboardState().Lock);
  IDataObject* object = ClipboardState().Object;
  ClipboardState().Object = nullptr;
  ClipboardState().Promised.clear();
  return object;
}

// A new reference to the object, when it is on the clipboard.
InterfacePtr<IDataObject> CurrentObject()
{
  std::lock_guard<std::mutex> lock(ClipboardState().Lock);
  return InterfacePtr<IDataObject>(ClipboardState().Object);
}

// The bytes of a stream from its start, in a new moveable block.
HGLOBAL BlockFromStream(IStream* stream)
{
  STATSTG stat;
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize > (UInt64(1) << 31) ||
      FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr)))
    return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::size_t(stat.cbSize));
  if (!block)
    return nullptr;
  ULONG read = 0;
  void* p = GlobalLock(block);
  HRESULT hr = stat.cbSize ? stream->Read(p, ULONG(stat.cbSize), &read) : S_OK;
  GlobalUnlock(block);
  if (FAILED(hr) || read != stat.cbSize) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

// The object's data in one format as a block the clipboard may own.
HGLOBAL Render(IDataObject* object, const FORMATETC& promised)
{
  for (DWORD tymed : {TYMED_HGLOBAL, TYMED_ISTREAM}) {
    if (!(promised.tymed & tymed))
      continue;
    FORMATETC format = promised;
    format.tymed = tymed;
    STGMEDIUM medium;
    if (FAILED(object->GetData(&format, &medium)))
      continue;
    HGLOBAL block = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && !medium.pUnkForRelease) {
      block = medium.hGlobal;  // ours now
      medium.hGlobal = nullptr;
    } else if (medium.tymed == TYMED_HGLOBAL) {
      STGMEDIUM copy;
      if (SUCCEEDED(CopyStgMedium(&medium, &copy)))
        block = copy.hGlobal;
    } else if (medium.tymed == TYMED_ISTREAM && medium.pstm) {
      block = BlockFromStream(medium.pstm);
    }
    ReleaseStgMedium(&medium);
    if (block)
      return block;
  }
  return nullptr;
}

FORMATETC PromisedFormat(UINT format)
{
  std::lock_guard<std::mutex> lock(ClipboardState().Lock);
  for (const FORMATETC& f : ClipboardState().Promised)
    if (f.cfFormat == format)
      return f;
  return FORMATETC{CLIPFORMAT(format), nullptr, DVASPECT_CONTENT, -1, ClipboardMedia};
}

// Renders every promised format into the open clipboard.
void RenderAll(IDataObject* object)
{
  std::vector<FORMATETC> promised;
  {
    std::lock_guard<std::mutex> lock(ClipboardState().Lock);
    promised = ClipboardState().Promised;
  }
  for (const FORMATETC& f : promised)
    if (HGLOBAL block = Render(object, f))
      if (!SetClipboardData(f.cfFormat, block))
        GlobalFree(block);
}

LRESULT ClipboardWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
  case WM_RENDERFORMAT:
    if (InterfacePtr<IDataObject> object = CurrentObject()) {
      FORMATETC f = PromisedFormat(UINT(wParam));
      if (HGLOBAL block = Render(object.Get(), f))
        if (!SetClipboardData(UINT(wParam), block))
          GlobalFree(block);
    }
    return 0;
  case WM_RENDERALLFORMATS:
    if (InterfacePtr<IDataObject> object = CurrentObject())
      RenderAll(object.Get());
    return 0;
  case WM_DESTROYCLIPBOARD: {
    // The clipboard was emptied: the object is no longer on it.
    bool mine;
    {
      std::lock_guard<std::mutex> lock(ClipboardState().Lock);
      mine = ClipboardState().Window == hwnd;
    }
    if (mine)
      if (IDataObject* object = Detach())
        object->Release();
    return 0;
  }
  default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

HWND ClipboardWindow() { return ole_detail::ThreadWindow("CorvaneOleClipboard", ClipboardWindowProc); }

// The clipboard, for a caller that keeps trying briefly while another thread has it open.
bool OpenFor(HWND window)
{
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(window))
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // never the virtual clock
  }
  return false;
}

// IDataObject over the clipboard as it is at each call.
class TClipboardDataObject : public TInterfacedObject<IDataObject> {
public:
  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override
  {
    if (!format || !medium)
      return E_INVALIDARG;
    *medium = STGMEDIUM();
    if (InterfacePtr<IDataObject> object = CurrentObject())
      return object->GetData(format, medium);
    HRESULT verdict = Verdict(*format);
    if (verdict != S_OK)
      return verdict;
    if (!OpenFor(nullptr))
      return CLIPBRD_E_CANT_OPEN;
    HANDLE data = GetClipboardData(format->cfFormat);
    STGMEDIUM source;
    source.tymed = TYMED_HGLOBAL;
    source.hGlobal = data;
    STGMEDIUM copy;
    HRESULT hr = data ? CopyStgMedium(&source, &copy) : DV_E_FORMATETC;
    CloseClipboard();
    if (FAILED(hr))
      return hr;
    if (format->tymed & TYMED_HGLOBAL) {
      *medium = copy;
      return S_OK;
    }
    IStream* stream = nullptr;
    hr = CreateStreamOnHGlobal(copy.hGlobal, TRUE, &stream);
    if (FAILED(hr)) {
      ReleaseStgMedium(&copy);
      return hr;
    }
    medium->tymed = TYMED_ISTREAM;
    medium->pstm = stream;
    return S_OK;
  }

  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }

  HRESULT QueryGetData(FORMATETC* format) override
  {
    if (!format)
      return E_INVALIDARG;
    if (InterfacePtr<IDataObject> object = CurrentObject())
      return object->QueryGetData(format);
    return Verdict(*format);
  }

  HRESULT GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override
  {
    if (!format || !canonical)
      return E_INVALIDARG;
    *canonical = *format;
    canonical->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }

  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }

  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override
  {
    if (!enumerator)
      return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction != DATADIR_GET)
      return E_NOTIMPL;
    if (InterfacePtr<IDataObject> object = CurrentObject())
      return object->EnumFormatEtc(direction, enumerator);
    std::vector<FORMATETC> formats;
    if (OpenFor(nullptr)) {
      for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats.push_back(FORMATETC{CLIPFORMAT(f), nullptr, DVASPECT_CONTENT, -1, ClipboardMedia});
      CloseClipboard();
    }
    auto* e = new TFormatEtcEnumerator(std::move(formats));
    e->AddRef();
    *enumerator = e;
    return S_OK;
  }

  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  static HRESULT Verdict(const FORMATETC& format)
  {
    if (!IsClipboardFormatAvailable(format.cfFormat))
      return DV_E_FORMATETC;
    if (!(format.tymed & ClipboardMedia))
      return DV_E_TYMED;
    if (format.dwAspect != DVASPECT_CONTENT)
      return DV_E_DVASPECT;
    if (format.lindex != -1)
      return DV_E_LINDEX;
    return S_OK;
  }
};

}  // namespace

HRESULT OleSetClipboard(IDataObject* data)
{
  if (!IsOleInitialized())
    return CO_E_NOTINITIALIZED;
  // Setting the object already there: emptying must not free it first.
  InterfacePtr<IDataObject> keep(data);
  std::vector<FORMATETC> promised;
  if (data) {
    IEnumFORMATETC* raw = nullptr;
    HRESULT hr = data->EnumFormatEtc(DATADIR_GET, &raw);
    if (FAILED(hr) || !raw)
      return FAILED(hr) ? hr : E_FAIL;
    InterfacePtr<IEnumFORMATETC> formats = InterfacePtr<IEnumFORMATETC>::Adopt(raw);
    FORMATETC f;
    ULONG fetched = 0;
    while (formats->Next(1, &f, &fetched) == S_OK && fetched == 1)
      if ((f.tymed & ClipboardMedia) && f.cfFormat)
        promised.push_back(f);
  }
  HWND window = ClipboardWindow();
  if (!window || !OpenFor(window))
    return CLIPBRD_E_CANT_OPEN;
  // Emptying tells the previous owner: our window lets go of its object then.
  if (!EmptyClipboard()) {
    CloseClipboard();
    return CLIPBRD_E_CANT_EMPTY;
  }
  if (data) {
    data->AddRef();
    {
      std::lock_guard<std::mutex> lock(ClipboardState().Lock);
      ClipboardState().Object = data;
      ClipboardState().Thread = GetCurrentThreadId();
      ClipboardState().Window = window;
      ClipboardState().Promised = promised;
    }
    for (const FORMATETC& f : promised)
      SetClipboardData(f.cfFormat, nullptr);
  }
  return CloseClipboard() ? S_OK : CLIPBRD_E_CANT_CLOSE;
}

HRESULT OleGetClipboard(IDataObject** data)
{
  if (!data)
    return E_INVALIDARG;
  auto* object = new TClipboardDataObject;
  object->AddRef();
  *data = object;
  return S_OK;
}

HRESULT OleFlushClipboard()
{
  InterfacePtr<IDataObject> object;
  HWND window;
  {
    std::lock_guard<std::mutex> lock(ClipboardState().Lock);
    if (!ClipboardState().Object || ClipboardState().Thread != GetCurrentThreadId())
      return S_OK;
    object = ClipboardState().Object;
    window = ClipboardState().Window;
  }
  if (!OpenFor(window))
    return CLIPBRD_E_CANT_OPEN;
  RenderAll(object.Get());
  if (IDataObject* held = Detach())
    held->Release();
  return CloseClipboard() ? S_OK : CLIPBRD_E_CANT_CLOSE;
}

HRESULT OleIsCurrentClipboard(IDataObject* data)
{
  if (!data)
    return S_FALSE;
  InterfacePtr<IDataObject> current = CurrentObject();
  return current && CanonicalUnknown(current.Get()) == CanonicalUnknown(data) ? S_OK : S_FALSE;
}

void ole_detail::FlushClipboardOfThread() { OleFlushClipboard(); }
