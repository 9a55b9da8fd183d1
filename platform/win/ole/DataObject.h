// Data transfer: format descriptions, storage media and their release, the
// data-object interface with its format enumerator, and advise sinks with the
// holder that data objects keep them in.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/win/ole/ComBase.h"
#include "platform/win/ole/StreamAdapter.h"
#include "platform/win/window/Clipboard.h"

using CLIPFORMAT = WORD;
using POINTL = TPoint;

// Medium kinds (bits: a request may allow several).
constexpr DWORD TYMED_NULL = 0, TYMED_HGLOBAL = 1, TYMED_FILE = 2, TYMED_ISTREAM = 4, TYMED_ISTORAGE = 8,
                TYMED_GDI = 16, TYMED_MFPICT = 32, TYMED_ENHMF = 64;
constexpr DWORD DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8;
constexpr DWORD DATADIR_GET = 1, DATADIR_SET = 2;
constexpr DWORD ADVF_NODATA = 1, ADVF_PRIMEFIRST = 2, ADVF_ONLYONCE = 4;

// Compared by address only: no device ever describes a target here.
struct DVTARGETDEVICE {
  DWORD tdSize = 0;
  WORD tdDriverNameOffset = 0, tdDeviceNameOffset = 0, tdPortNameOffset = 0, tdExtDevmodeOffset = 0;
  BYTE tdData[1] = {};
};

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  DVTARGETDEVICE* ptd = nullptr;
  DWORD dwAspect = DVASPECT_CONTENT;
  LONG lindex = -1;
  DWORD tymed = TYMED_HGLOBAL;
};

// Reference counting only: no storage implementation lives in the layer.
struct IStorage : IUnknown {
  static constexpr GUID IID = MakeGUID("{0000000B-0000-0000-C000-000000000046}");
};

// A medium: its kind, its handle, and who releases it. With
// pUnkForRelease set, releasing the medium releases that object and leaves
// the handle alone (the object owns it).
struct STGMEDIUM {
  DWORD tymed = TYMED_NULL;
  union {
    HBITMAP hBitmap;
    HANDLE hMetaFilePict;
    HANDLE hEnhMetaFile;
    HGLOBAL hGlobal;
    char16_t* lpszFileName;
    IStream* pstm;
    IStorage* pstg;
  };
  IUnknown* pUnkForRelease = nullptr;
  STGMEDIUM() : hGlobal(nullptr) {}
};

// Frees the medium as its kind says and empties it: TYMED_HGLOBAL frees the
// block, TYMED_FILE deletes the file and frees the name (task memory),
// TYMED_ISTREAM and TYMED_ISTORAGE release the interface, TYMED_GDI deletes
// the bitmap. The layer has no metafiles, so TYMED_MFPICT and TYMED_ENHMF
// media can only come with a release object. With pUnkForRelease set, only
// that object is released (and the file name freed).
void ReleaseStgMedium(STGMEDIUM* medium);

// A copy of a medium that the receiver owns: a new block with the same bytes,
// a new reference to the same stream or storage, a copy of the file name in
// task memory (the same file). DV_E_TYMED for the picture kinds (GDI,
// metafiles) and unknown kinds, E_OUTOFMEMORY when memory runs out. The copy
// has no release object.
HRESULT CopyStgMedium(const STGMEDIUM* source, STGMEDIUM* target);

struct IEnumFORMATETC : IUnknown {
  static constexpr GUID IID = MakeGUID("{00000103-0000-0000-C000-000000000046}");
  virtual HRESULT Next(ULONG count, FORMATETC* records, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumFORMATETC** clone) = 0;
};

struct IAdviseSink : IUnknown {
  static constexpr GUID IID = MakeGUID("{0000010F-0000-0000-C000-000000000046}");
  virtual void OnDataChange(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual void OnViewChange(DWORD aspect, LONG index) = 0;
  virtual void OnRename(IUnknown* moniker) = 0;
  virtual void OnSave() = 0;
  virtual void OnClose() = 0;
};

struct STATDATA {
  FORMATETC formatetc;
  DWORD advf = 0;
  IAdviseSink* pAdvSink = nullptr;
  DWORD dwConnection = 0;
};

struct IEnumSTATDATA : IUnknown {
  static constexpr GUID IID = MakeGUID("{00000105-0000-0000-C000-000000000046}");
  virtual HRESULT Next(ULONG count, STATDATA* records, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumSTATDATA** clone) = 0;
};

struct IDataObject : IUnknown {
  static constexpr GUID IID = MakeGUID("{0000010E-0000-0000-C000-000000000046}");
  virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) = 0;
  virtual HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
  virtual HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) = 0;
  virtual HRESULT DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) = 0;
  virtual HRESULT DUnadvise(DWORD connection) = 0;
  virtual HRESULT EnumDAdvise(IEnumSTATDATA** enumerator) = 0;
};

struct IDataAdviseHolder : IUnknown {
  static constexpr GUID IID = MakeGUID("{00000110-0000-0000-C000-000000000046}");
  virtual HRESULT Advise(IDataObject* data, FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) = 0;
  virtual HRESULT Unadvise(DWORD connection) = 0;
  virtual HRESULT EnumAdvise(IEnumSTATDATA** enumerator) = 0;
  virtual HRESULT SendOnDataChange(IDataObject* data, DWORD reserved, DWORD flags) = 0;
};

// A holder that keeps sinks with their formats and tells them of changes
// (with the data unless ADVF_NODATA; once only with ADVF_ONLYONCE).
HRESULT CreateDataAdviseHolder(IDataAdviseHolder** holder);

// What an enumerator does with a record it keeps or hands out: a sink is
// counted by each holder (the receiver of Next releases its copy).
inline void RecordAcquire(const FORMATETC&) {}
inline void RecordRelease(const FORMATETC&) {}
inline void RecordAcquire(const STATDATA& r)
{
  if (r.pAdvSink)
    r.pAdvSink->AddRef();
}
inline void RecordRelease(const STATDATA& r)
{
  if (r.pAdvSink)
    r.pAdvSink->Release();
}

// An enumerator over its own copy of the records, from the given index.
// Next delivers min(count, remaining) records: S_OK when all asked for came,
// else S_FALSE; fetched may be null only when one record is asked for. Skip
// answers S_OK when count records remained, else goes to the end, S_FALSE.
template <class IEnum, class Record>
class TRecordEnumerator : public TInterfacedObject<IEnum> {
public:
  explicit TRecordEnumerator(std::vector<Record> records, std::size_t index = 0)
      : FRecords(std::move(records)), FIndex(std::min(index, FRecords.size()))
  {
    for (const Record& r : FRecords)
      RecordAcquire(r);
  }
  ~TRecordEnumerator() override
  {
    for (const Record& r : FRecords)
      RecordRelease(r);
  }
  HRESULT Next(ULONG count, Record* records, ULONG* fetched) override
  {
    if (fetched)
      *fetched = 0;
    if (!records || (!fetched && count != 1))
      return E_POINTER;
    ULONG delivered = 0;
    while (delivered < count && FIndex < FRecords.size()) {
      records[delivered] = FRecords[FIndex++];
      RecordAcquire(records[delivered++]);
    }
    if (fetched)
      *fetched = delivered;
    return delivered == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG count) override
  {
    if (count > FRecords.size() - FIndex) {
      FIndex = FRecords.size();
      return S_FALSE;
    }
    FIndex += count;
    return S_OK;
  }
  HRESULT Reset() override
  {
    FIndex = 0;
    return S_OK;
  }
  HRESULT Clone(IEnum** clone) override
  {
    if (!clone)
      return E_POINTER;
    auto* copy = new TRecordEnumerator(FRecords, FIndex);
    copy->AddRef();
    *clone = copy;
    return S_OK;
  }

private:
  std::vector<Record> FRecords;
  std::size_t FIndex;
};

using TFormatEtcEnumerator = TRecordEnumerator<IEnumFORMATETC, FORMATETC>;
using TStatDataEnumerator = TRecordEnumerator<IEnumSTATDATA, STATDATA>;
