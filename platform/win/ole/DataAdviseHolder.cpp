// The advise holder data objects keep their sinks in.
#include <vector>

#include "platform/win/ole/DataObject.h"

namespace {

class TDataAdviseHolder : public TInterfacedObject<IDataAdviseHolder> {
public:
  ~TDataAdviseHolder() override
  {
    for (auto& r : FSinks)
      r.pAdvSink->Release();
  }

  HRESULT Advise(IDataObject* data, FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override
  {
    if (connection)
      *connection = 0;
    if (!format || !sink || !connection)
      return E_INVALIDARG;
    STATDATA record;
    record.formatetc = *format;
    record.advf = flags;
    record.pAdvSink = sink;
    record.dwConnection = FNext++;
    sink->AddRef();
    FSinks.push_back(record);
    *connection = record.dwConnection;
    if ((flags & ADVF_PRIMEFIRST) && data)
      Notify(data, FSinks.size() - 1);
    return S_OK;
  }

  HRESULT Unadvise(DWORD connection) override
  {
    for (auto it = FSinks.begin(); it != FSinks.end(); ++it)
      if (it->dwConnection == connection) {
        IAdviseSink* sink = it->pAdvSink;
        FSinks.erase(it);
        sink->Release();
        return S_OK;
      }
    return OLE_E_NOCONNECTION;
  }

  HRESULT EnumAdvise(IEnumSTATDATA** enumerator) override
  {
    if (!enumerator)
      return E_POINTER;
    auto* e = new TStatDataEnumerator(FSinks, 0);
    e->AddRef();
    *enumerator = e;
    return S_OK;
  }

  HRESULT SendOnDataChange(IDataObject* data, DWORD, DWORD) override
  {
    // A sink may unadvise from its notice: walk a snapshot of the connections.
    std::vector<DWORD> connections;
    for (auto& r : FSinks)
      connections.push_back(r.dwConnection);
    for (DWORD c : connections)
      for (std::size_t i = 0; i < FSinks.size(); ++i)
        if (FSinks[i].dwConnection == c) {
          Notify(data, i);
          break;
        }
    return S_OK;
  }

private:
  // Tells one sink; an ADVF_ONLYONCE sink is dropped afterwards.
  void Notify(IDataObject* data, std::size_t index)
  {
    STATDATA record = FSinks[index];
    InterfacePtr<IAdviseSink> sink(record.pAdvSink);
    FORMATETC format = record.formatetc;
    STGMEDIUM medium;
    bool withData = !(record.advf & ADVF_NODATA) && data && SUCCEEDED(data->GetData(&format, &medium));
    sink->OnDataChange(&format, withData ? &medium : nullptr);
    if (withData)
      ReleaseStgMedium(&medium);
    if (record.advf & ADVF_ONLYONCE)
      Unadvise(record.dwConnection);
  }

  std::vector<STATDATA> FSinks;
  DWORD FNext = 1;
};

}  // namespace

HRESULT CreateDataAdviseHolder(IDataAdviseHolder** holder)
{
  if (!holder)
    return E_POINTER;
  auto* h = new TDataAdviseHolder;
  h->AddRef();
  *holder = h;
  return S_OK;
}
