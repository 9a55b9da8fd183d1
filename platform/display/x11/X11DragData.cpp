#include "platform/display/x11/X11DragData.h"

#include <algorithm>

#include "platform/display/x11/X11Formats.h"
#include "platform/win/ole/HGlobalStream.h"

namespace x11 {

namespace {

constexpr DWORD ReadableMedia = TYMED_HGLOBAL | TYMED_ISTREAM;

}  // namespace

std::vector<std::string> TX11DragData::SourcesOf(const std::string& layerFormat) const
{
  std::vector<std::string> offered;
  for (const std::string& source : XSourcesOf(layerFormat))
    if (std::find(FTypes.begin(), FTypes.end(), source) != FTypes.end())
      offered.push_back(source);
  return offered;
}

bool TX11DragData::Fetch(const std::string& layerFormat, std::vector<BYTE>& bytes)
{
  std::lock_guard<std::mutex> lock(FLock);
  auto known = FFetched.find(layerFormat);
  if (known != FFetched.end()) {
    bytes = known->second;
    return true;
  }
  for (const std::string& source : SourcesOf(layerFormat)) {
    Atom target;
    {
      TLocked x(FCore);
      target = FCore.Intern(source.c_str());
    }
    std::vector<unsigned char> data;
    Atom type;
    int format;
    if (FTransfer.Convert(FCore.A.XdndSelection, target, FTime, data, type, format) && format == 8 &&
        XToLayer(source, layerFormat, data, bytes)) {
      FFetched[layerFormat] = bytes;
      return true;
    }
  }
  return false;
}

HRESULT TX11DragData::QueryGetData(FORMATETC* format)
{
  if (!format)
    return E_INVALIDARG;
  if (SourcesOf(ClipboardFormatBridgeName(format->cfFormat)).empty())
    return DV_E_FORMATETC;
  if (!(format->tymed & ReadableMedia))
    return DV_E_TYMED;
  if (format->dwAspect != DVASPECT_CONTENT)
    return DV_E_DVASPECT;
  return format->lindex == -1 ? S_OK : DV_E_LINDEX;
}

HRESULT TX11DragData::GetData(FORMATETC* format, STGMEDIUM* medium)
{
  if (!format || !medium)
    return E_INVALIDARG;
  *medium = STGMEDIUM();
  HRESULT verdict = QueryGetData(format);
  if (verdict != S_OK)
    return verdict;
  std::vector<BYTE> bytes;
  if (!Fetch(ClipboardFormatBridgeName(format->cfFormat), bytes))
    return E_FAIL;
  HGLOBAL block = BlockOf(bytes);
  if (!block)
    return E_OUTOFMEMORY;
  if (format->tymed & TYMED_HGLOBAL) {
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
  }
  IStream* stream = nullptr;
  HRESULT hr = CreateStreamOnHGlobal(block, TRUE, &stream);
  if (FAILED(hr)) {
    GlobalFree(block);
    return hr;
  }
  medium->tymed = TYMED_ISTREAM;
  medium->pstm = stream;
  return S_OK;
}

HRESULT TX11DragData::GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical)
{
  if (!format || !canonical)
    return E_INVALIDARG;
  *canonical = *format;
  canonical->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TX11DragData::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
  if (!enumerator)
    return E_INVALIDARG;
  *enumerator = nullptr;
  if (direction != DATADIR_GET)
    return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (const std::string& type : FTypes)
    for (const std::string& name : LayerFormatsOf(type)) {
      CLIPFORMAT cf = CLIPFORMAT(ClipboardFormatFromBridgeName(name));
      bool listed = std::any_of(formats.begin(), formats.end(), [cf](const FORMATETC& f) { return f.cfFormat == cf; });
      if (cf && !listed)
        formats.push_back(FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, ReadableMedia});
    }
  auto* e = new TFormatEtcEnumerator(std::move(formats));
  e->AddRef();
  *enumerator = e;
  return S_OK;
}

}  // namespace x11
