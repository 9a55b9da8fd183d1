// Releasing and copying storage media.
#include <cstring>

#include "platform/base/FileSystem.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/ole/DataObject.h"

namespace {

std::size_t WideLength(const char16_t* s)
{
  std::size_t n = 0;
  while (s[n])
    ++n;
  return n;
}

}  // namespace

void ReleaseStgMedium(STGMEDIUM* medium)
{
  if (!medium)
    return;
  IUnknown* releaser = medium->pUnkForRelease;
  switch (medium->tymed) {
  case TYMED_HGLOBAL:
    if (!releaser && medium->hGlobal)
      GlobalFree(medium->hGlobal);
    break;
  case TYMED_FILE:
    if (medium->lpszFileName) {
      // The file itself belongs to the release object when there is one.
      if (!releaser)
        DeleteFile(UTF8Encode(std::u16string(medium->lpszFileName, WideLength(medium->lpszFileName))));
      CoTaskMemFree(medium->lpszFileName);
    }
    break;
  case TYMED_ISTREAM:
    if (medium->pstm)
      medium->pstm->Release();
    break;
  case TYMED_ISTORAGE:
    if (medium->pstg)
      medium->pstg->Release();
    break;
  case TYMED_GDI:
    if (!releaser && medium->hBitmap)
      DeleteObject(medium->hBitmap);
    break;
  default:  // no metafiles exist here: only a release object can own such a medium
    break;
  }
  if (releaser)
    releaser->Release();
  medium->tymed = TYMED_NULL;
  medium->hGlobal = nullptr;
  medium->pUnkForRelease = nullptr;
}

HRESULT CopyStgMedium(const STGMEDIUM* source, STGMEDIUM* target)
{
  if (!source || !target)
    return E_POINTER;
  STGMEDIUM copy;
  copy.tymed = source->tymed;
  switch (source->tymed) {
  case TYMED_NULL: break;
  case TYMED_HGLOBAL: {
    std::size_t size = GlobalSize(source->hGlobal);
    const void* from = GlobalLock(source->hGlobal);
    if (!from)
      return DV_E_TYMED;
    copy.hGlobal = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy.hGlobal) {
      GlobalUnlock(source->hGlobal);
      return E_OUTOFMEMORY;
    }
    std::memcpy(GlobalLock(copy.hGlobal), from, size);
    GlobalUnlock(copy.hGlobal);
    GlobalUnlock(source->hGlobal);
    break;
  }
  case TYMED_FILE: {
    if (!source->lpszFileName)
      return DV_E_TYMED;
    std::size_t bytes = (WideLength(source->lpszFileName) + 1) * sizeof(char16_t);
    copy.lpszFileName = static_cast<char16_t*>(CoTaskMemAlloc(bytes));
    if (!copy.lpszFileName)
      return E_OUTOFMEMORY;
    std::memcpy(copy.lpszFileName, source->lpszFileName, bytes);
    break;
  }
  case TYMED_ISTREAM:
    copy.pstm = source->pstm;
    if (copy.pstm)
      copy.pstm->AddRef();
    break;
  case TYMED_ISTORAGE:
    copy.pstg = source->pstg;
    if (copy.pstg)
      copy.pstg->AddRef();
    break;
  default: return DV_E_TYMED;
  }
  *target = copy;
  return S_OK;
}
