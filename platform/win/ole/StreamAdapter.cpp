#include "platform/win/ole/StreamAdapter.h"

#include <algorithm>
#include <vector>

#include "platform/base/Exception.h"

TStreamAdapter::TStreamAdapter(TStream* stream, TStreamOwnership ownership) : FStream(stream), FOwnership(ownership) {}

TStreamAdapter::~TStreamAdapter()
{
  if (FOwnership == TStreamOwnership::soOwned)
    delete FStream;
}

HRESULT TStreamAdapter::QueryInterface(const GUID& iid, void** object)
{
  if (object && iid == ISequentialStream::IID) {
    *object = static_cast<ISequentialStream*>(this);
    AddRef();
    return S_OK;
  }
  return TInterfacedObject<IStream>::QueryInterface(iid, object);
}

// Every method catches: an exception never crosses an interface.
HRESULT TStreamAdapter::Read(void* buffer, ULONG count, ULONG* read)
{
  if (read)
    *read = 0;
  if (!buffer)
    return STG_E_INVALIDPOINTER;
  try {
    ULONG total = 0;
    while (total < count) {
      Integer chunk = Integer(std::min<ULONG>(count - total, 0x40000000));
      Integer n = FStream->Read(static_cast<char*>(buffer) + total, chunk);
      if (n <= 0)
        break;
      total += ULONG(n);
    }
    if (read)
      *read = total;
    return total == count ? S_OK : S_FALSE;
  } catch (...) {
    return STG_E_READFAULT;
  }
}

HRESULT TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* written)
{
  if (written)
    *written = 0;
  if (!buffer)
    return STG_E_INVALIDPOINTER;
  try {
    Integer n = FStream->Write(buffer, Integer(std::min<ULONG>(count, 0x7FFFFFFF)));
    if (written)
      *written = ULONG(std::max(n, 0));
    return ULONG(n) == count ? S_OK : STG_E_MEDIUMFULL;
  } catch (...) {
    return STG_E_WRITEFAULT;
  }
}

HRESULT TStreamAdapter::Seek(Int64 move, DWORD origin, UInt64* newPosition)
{
  if (origin > STREAM_SEEK_END)
    return STG_E_INVALIDFUNCTION;
  try {
    TSeekOrigin o = origin == STREAM_SEEK_SET ? soBeginning : origin == STREAM_SEEK_CUR ? soCurrent : soEnd;
    Int64 position = FStream->Seek(move, o);
    if (position < 0)
      return STG_E_INVALIDFUNCTION;
    if (newPosition)
      *newPosition = UInt64(position);
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDFUNCTION;
  }
}

HRESULT TStreamAdapter::SetSize(UInt64 size)
{
  try {
    FStream->SetSize(Int64(size));
    return FStream->Size() == Int64(size) ? S_OK : E_FAIL;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT TStreamAdapter::CopyTo(IStream* dest, UInt64 count, UInt64* read, UInt64* written)
{
  if (!dest)
    return STG_E_INVALIDPOINTER;
  UInt64 total = 0, out = 0;
  std::vector<char> buffer(65536);
  HRESULT hr = S_OK;
  while (total < count) {
    ULONG got = 0, put = 0;
    ULONG want = ULONG(std::min<UInt64>(count - total, buffer.size()));
    Read(buffer.data(), want, &got);
    if (got == 0)
      break;
    total += got;
    hr = dest->Write(buffer.data(), got, &put);
    out += put;
    if (FAILED(hr))
      break;
  }
  if (read)
    *read = total;
  if (written)
    *written = out;
  return hr;
}

HRESULT TStreamAdapter::Commit(DWORD) { return S_OK; }  // a class-library stream writes through at once
HRESULT TStreamAdapter::Revert() { return STG_E_INVALIDFUNCTION; }
HRESULT TStreamAdapter::LockRegion(UInt64, UInt64, DWORD) { return STG_E_INVALIDFUNCTION; }
HRESULT TStreamAdapter::UnlockRegion(UInt64, UInt64, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT TStreamAdapter::Stat(STATSTG* stat, DWORD)
{
  if (!stat)
    return STG_E_INVALIDPOINTER;
  try {
    *stat = STATSTG();
    stat->cbSize = UInt64(FStream->Size());
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT TStreamAdapter::Clone(IStream** stream)
{
  if (stream)
    *stream = nullptr;
  return STG_E_INVALIDFUNCTION;
}
