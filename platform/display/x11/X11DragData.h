// The data of a drag that another program runs over our windows, as the
// data object our drop targets read: the formats of the layer that the
// source's X types become (X11Formats.h), fetched from the XdndSelection
// when a target asks, once each.
#pragma once

#include <atomic>
#include <map>

#include "platform/display/x11/X11Transfer.h"
#include "platform/win/ole/DataObject.h"

namespace x11 {

class TX11DragData : public TInterfacedObject<IDataObject> {
public:
  TX11DragData(TCore& core, TX11Transfer& transfer, std::vector<std::string> types)
      : FCore(core), FTransfer(transfer), FTypes(std::move(types))
  {
  }

  // The server time the source gave last (its position or its drop): the
  // selection is asked for as of then.
  void SetTime(Time time) { FTime = time; }

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC* format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  // The X types the source offers for a layer format, best first.
  std::vector<std::string> SourcesOf(const std::string& layerFormat) const;
  bool Fetch(const std::string& layerFormat, std::vector<BYTE>& bytes);

  TCore& FCore;
  TX11Transfer& FTransfer;
  const std::vector<std::string> FTypes;
  std::atomic<Time> FTime{CurrentTime};
  std::mutex FLock;
  std::map<std::string, std::vector<BYTE>> FFetched;
};

}  // namespace x11
