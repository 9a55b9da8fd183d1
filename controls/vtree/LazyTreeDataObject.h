// The tree's data object: the formats a tree renders, offered to the
// clipboard or a drag; media given by SetData are kept and handed out again.
// It names its tree by the tree's token, so a data object that outlives its
// tree answers E_FAIL instead of reaching a freed tree.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win/ole/DataObject.h"

class TBaseLazyTree;

using TEnumFormatEtc = TFormatEtcEnumerator;

class TLTDataObject : public TInterfacedObject<IDataObject> {
public:
  TLTDataObject(TBaseLazyTree* Owner, bool ForClipboard);
  ~TLTDataObject() override;

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT QueryGetData(FORMATETC* format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
  HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  HRESULT DUnadvise(DWORD connection) override;
  HRESULT EnumDAdvise(IEnumSTATDATA** enumerator) override;

  bool ForClipboard() const { return FForClipboard; }
  // The tree, while it lives.
  TBaseLazyTree* Owner() const;
  const std::vector<FORMATETC>& Formats() const { return FFormats; }

private:
  int FindFormat(const FORMATETC& Format) const;
  STGMEDIUM* StoredMedium(CLIPFORMAT Format);
  // A medium of Source for Target: its kind, handle and release object,
  // with the handle copied or shared as the rules for each kind say.
  HRESULT MediumByReference(const STGMEDIUM& Source, STGMEDIUM& Target, bool Copy);

  std::uint32_t FOwnerToken;
  bool FForClipboard;
  std::vector<FORMATETC> FFormats;
  std::vector<std::pair<CLIPFORMAT, STGMEDIUM>> FMedia;
  InterfacePtr<IDataAdviseHolder> FAdviseHolder;
};
