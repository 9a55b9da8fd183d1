#include "platform/win/ole/HGlobalStream.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The block, shared by a stream and its clones.
struct TStreamBlock {
  HGLOBAL Handle = nullptr;
  bool DeleteOnRelease = false;
  ~TStreamBlock()
  {
    if (DeleteOnRelease && Handle)
      GlobalFree(Handle);
  }
};

class THGlobalStream : public TInterfacedObject<IStream> {
public:
  THGlobalStream(std::shared_ptr<TStreamBlock> block, UInt64 position) : FBlock(std::move(block)), FPosition(position) {}

  HRESULT QueryInterface(const GUID& iid, void** object) override
  {
    if (object && iid == ISequentialStream::IID) {
      *object = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject<IStream>::QueryInterface(iid, object);
  }

  HGLOBAL Block() const { return FBlock->Handle; }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override
  {
    if (read)
      *read = 0;
    if (!buffer)
      return STG_E_INVALIDPOINTER;
    UInt64 size = GlobalSize(FBlock->Handle);
    ULONG n = FPosition >= size ? 0 : ULONG(std::min<UInt64>(count, size - FPosition));
    if (n) {
      const BYTE* p = static_cast<const BYTE*>(GlobalLock(FBlock->Handle));
      if (!p)
        return STG_E_READFAULT;
      std::memcpy(buffer, p + FPosition, n);
      GlobalUnlock(FBlock->Handle);
      FPosition += n;
    }
    if (read)
      *read = n;
    return n == count ? S_OK : S_FALSE;
  }

  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override
  {
    if (written)
      *written = 0;
    if (!buffer)
      return STG_E_INVALIDPOINTER;
    if (count == 0)
      return S_OK;
    UInt64 end = FPosition + count;
    if (end > GlobalSize(FBlock->Handle) && FAILED(SetSize(end)))
      return STG_E_MEDIUMFULL;
    BYTE* p = static_cast<BYTE*>(GlobalLock(FBlock->Handle));
    if (!p)
      return STG_E_WRITEFAULT;
    std::memcpy(p + FPosition, buffer, count);
    GlobalUnlock(FBlock->Handle);
    FPosition = end;
    if (written)
      *written = count;
    return S_OK;
  }

  HRESULT Seek(Int64 move, DWORD origin, UInt64* newPosition) override
  {
    Int64 base;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = Int64(FPosition); break;
    case STREAM_SEEK_END: base = Int64(GlobalSize(FBlock->Handle)); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    if ((move < 0 && base + move < 0) || (move > 0 && base > INT64_MAX - move))
      return STG_E_INVALIDFUNCTION;
    FPosition = UInt64(base + move);
    if (newPosition)
      *newPosition = FPosition;
    return S_OK;
  }

  HRESULT SetSize(UInt64 size) override
  {
    if (size > (UInt64(1) << 31))
      return STG_E_MEDIUMFULL;
    return GlobalReAlloc(FBlock->Handle, std::size_t(size), GMEM_MOVEABLE) ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT CopyTo(IStream* dest, UInt64 count, UInt64* read, UInt64* written) override
  {
    if (!dest)
      return STG_E_INVALIDPOINTER;
    UInt64 size = GlobalSize(FBlock->Handle);
    UInt64 n = FPosition >= size ? 0 : std::min(count, size - FPosition);
    std::vector<BYTE> bytes(std::size_t(n), 0);
    ULONG got = 0, put = 0;
    HRESULT hr = n ? Read(bytes.data(), ULONG(n), &got) : S_OK;
    if (SUCCEEDED(hr) && got)
      hr = dest->Write(bytes.data(), got, &put);
    if (read)
      *read = got;
    if (written)
      *written = put;
    return FAILED(hr) ? hr : S_OK;
  }

  HRESULT Commit(DWORD) override { return S_OK; }  // writes go straight to the block
  HRESULT Revert() override { return S_OK; }       // nothing is ever held back
  HRESULT LockRegion(UInt64, UInt64, DWORD) override { return STG_E_INVALIDFUNCTION; }
  HRESULT UnlockRegion(UInt64, UInt64, DWORD) override { return STG_E_INVALIDFUNCTION; }

  HRESULT Stat(STATSTG* stat, DWORD) override
  {
    if (!stat)
      return STG_E_INVALIDPOINTER;
    *stat = STATSTG();
    stat->cbSize = GlobalSize(FBlock->Handle);
    return S_OK;
  }

  HRESULT Clone(IStream** stream) override
  {
    if (!stream)
      return STG_E_INVALIDPOINTER;
    auto* clone = new THGlobalStream(FBlock, FPosition);
    clone->AddRef();
    *stream = clone;
    return S_OK;
  }

private:
  std::shared_ptr<TStreamBlock> FBlock;
  UInt64 FPosition;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream)
{
  if (!stream)
    return E_INVALIDARG;
  *stream = nullptr;
  if (block && GlobalLock(block) == nullptr)
    return E_INVALIDARG;  // not a live block
  if (block)
    GlobalUnlock(block);
  else if (!(block = GlobalAlloc(GMEM_MOVEABLE, 0)))
    return E_OUTOFMEMORY;
  auto shared = std::make_shared<TStreamBlock>();
  shared->Handle = block;
  shared->DeleteOnRelease = deleteOnRelease;
  auto* s = new THGlobalStream(std::move(shared), 0);
  s->AddRef();
  *stream = s;
  return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block)
{
  if (!block)
    return E_INVALIDARG;
  *block = nullptr;
  auto* own = dynamic_cast<THGlobalStream*>(stream);
  if (!own)
    return E_INVALIDARG;
  *block = own->Block();
  return S_OK;
}
