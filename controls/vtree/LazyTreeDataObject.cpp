#include "controls/vtree/LazyTreeDataObject.h"

#include <cstring>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeRegistry.h"
#include "platform/base/Exception.h"
#include "platform/win/window/Clipboard.h"

namespace {

bool SameFormat(const FORMATETC& A, const FORMATETC& B)
{
  return A.cfFormat == B.cfFormat && A.ptd == B.ptd && A.dwAspect == B.dwAspect && A.lindex == B.lindex &&
         (A.tymed & B.tymed) != 0;
}

}  // namespace

TLTDataObject::TLTDataObject(TBaseLazyTree* Owner, bool ForClipboard)
    : FOwnerToken(Owner->TreeToken()), FForClipboard(ForClipboard), FFormats(Owner->NativeClipboardFormats())
{
}

TLTDataObject::~TLTDataObject()
{
  if (TBaseLazyTree* tree = Owner())
    tree->DataObjectGone(this);
  for (auto& m : FMedia)
    ReleaseStgMedium(&m.second);
}

TBaseLazyTree* TLTDataObject::Owner() const { return LiveTreeOf(FOwnerToken); }

int TLTDataObject::FindFormat(const FORMATETC& Format) const
{
  for (std::size_t i = 0; i < FFormats.size(); ++i)
    if (SameFormat(FFormats[i], Format))
      return int(i);
  return -1;
}

STGMEDIUM* TLTDataObject::StoredMedium(CLIPFORMAT Format)
{
  for (auto& m : FMedia)
    if (m.first == Format)
      return &m.second;
  return nullptr;
}

HRESULT TLTDataObject::MediumByReference(const STGMEDIUM& Source, STGMEDIUM& Target, bool Copy)
{
  STGMEDIUM result;
  result.tymed = Source.tymed;
  result.pUnkForRelease = Source.pUnkForRelease;
  switch (Source.tymed) {
    case TYMED_HGLOBAL:
      if (Copy) {
        STGMEDIUM copy;
        HRESULT hr = CopyStgMedium(&Source, &copy);
        if (FAILED(hr))
          return hr;
        result.hGlobal = copy.hGlobal;
      } else {
        result.hGlobal = Source.hGlobal;
        result.pUnkForRelease = static_cast<IDataObject*>(this);
      }
      break;
    case TYMED_FILE: {
      STGMEDIUM copy;
      HRESULT hr = CopyStgMedium(&Source, &copy);
      if (FAILED(hr))
        return hr;
      result.lpszFileName = copy.lpszFileName;
      break;
    }
    case TYMED_ISTREAM:
      result.pstm = Source.pstm;
      if (result.pstm)
        result.pstm->AddRef();
      break;
    case TYMED_ISTORAGE:
      result.pstg = Source.pstg;
      if (result.pstg)
        result.pstg->AddRef();
      break;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
      if (Copy)
        return DV_E_TYMED;
      result.hGlobal = Source.hGlobal;
      result.pUnkForRelease = static_cast<IDataObject*>(this);
      break;
    default:
      return DV_E_TYMED;
  }
  if (result.pUnkForRelease)
    result.pUnkForRelease->AddRef();
  Target = result;
  return S_OK;
}

HRESULT TLTDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
  if (!format || !medium)
    return E_INVALIDARG;
  try {
    *medium = STGMEDIUM();
    TBaseLazyTree* tree = Owner();
    if (format->cfFormat == CF_LTREFERENCE && CF_LTREFERENCE) {
      if (!tree || tree->TreeStates().Contains(tsClipboardFlushing))
        return E_FAIL;
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, TreeReferenceSize);
      if (!block)
        return E_OUTOFMEMORY;
      WriteTreeReference(static_cast<std::uint8_t*>(GlobalLock(block)), FOwnerToken);
      GlobalUnlock(block);
      medium->tymed = TYMED_HGLOBAL;
      medium->hGlobal = block;
      return S_OK;
    }
    HRESULT verdict = QueryGetData(format);
    if (verdict != S_OK)
      return verdict;
    int index = FindFormat(*format);
    if (index < 0)
      return DV_E_FORMATETC;
    if (STGMEDIUM* stored = StoredMedium(FFormats[std::size_t(index)].cfFormat); stored && stored->tymed != TYMED_NULL)
      return MediumByReference(*stored, *medium, false);
    if (!tree)
      return E_FAIL;
    HRESULT hr = tree->RenderOLEData(*format, *medium, FForClipboard);
    if (FAILED(hr))
      *medium = STGMEDIUM();
    return hr;
  } catch (...) {
    *medium = STGMEDIUM();
    return E_FAIL;
  }
}

HRESULT TLTDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TLTDataObject::QueryGetData(FORMATETC* format)
{
  if (!format)
    return E_INVALIDARG;
  HRESULT verdict = DV_E_FORMATETC;
  for (const FORMATETC& f : FFormats) {
    if (f.cfFormat != format->cfFormat)
      continue;
    if ((f.tymed & format->tymed) == 0)
      verdict = DV_E_TYMED;
    else if (f.dwAspect != format->dwAspect)
      verdict = DV_E_DVASPECT;
    else if (f.lindex != format->lindex)
      verdict = DV_E_LINDEX;
    else
      return S_OK;
  }
  return verdict;
}

HRESULT TLTDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical)
{
  if (canonical)
    canonical->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TLTDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
  if (!format || !medium)
    return E_INVALIDARG;
  // The new medium is made first, so a copy that fails leaves the old data in place.
  STGMEDIUM taken;
  if (release) {
    taken = *medium;
  } else {
    HRESULT hr = MediumByReference(*medium, taken, true);
    if (FAILED(hr))
      return hr;
    if (taken.pUnkForRelease &&
        CanonicalUnknown(taken.pUnkForRelease) == CanonicalUnknown(static_cast<IDataObject*>(this))) {
      // Holding ourselves would keep us alive forever.
      taken.pUnkForRelease->Release();
      taken.pUnkForRelease = nullptr;
    }
  }
  if (FindFormat(*format) < 0) {
    FFormats.push_back(*format);
    FMedia.emplace_back(format->cfFormat, taken);
  } else if (STGMEDIUM* stored = StoredMedium(format->cfFormat)) {
    STGMEDIUM old = *stored;
    *stored = taken;
    ReleaseStgMedium(&old);
  } else {
    FMedia.emplace_back(format->cfFormat, taken);
  }
  if (FAdviseHolder)
    FAdviseHolder->SendOnDataChange(this, 0, 0);
  return S_OK;
}

HRESULT TLTDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
  if (!enumerator)
    return E_INVALIDARG;
  *enumerator = nullptr;
  if (direction != DATADIR_GET)
    return OLE_S_USEREG;
  auto* e = new TEnumFormatEtc(FFormats);
  e->AddRef();
  *enumerator = e;
  return S_OK;
}

HRESULT TLTDataObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection)
{
  if (!FAdviseHolder) {
    IDataAdviseHolder* holder = nullptr;
    HRESULT hr = CreateDataAdviseHolder(&holder);
    if (FAILED(hr))
      return hr;
    FAdviseHolder = InterfacePtr<IDataAdviseHolder>::Adopt(holder);
  }
  return FAdviseHolder->Advise(this, format, flags, sink, connection);
}

HRESULT TLTDataObject::DUnadvise(DWORD connection)
{
  return FAdviseHolder ? FAdviseHolder->Unadvise(connection) : E_NOTIMPL;
}

HRESULT TLTDataObject::EnumDAdvise(IEnumSTATDATA** enumerator)
{
  return FAdviseHolder ? FAdviseHolder->EnumAdvise(enumerator) : OLE_E_ADVISENOTSUPPORTED;
}
