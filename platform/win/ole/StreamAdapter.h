// IStream, the platform's byte-stream interface, and TStreamAdapter, which
// offers a class-library TStream through it (the image-list stream calls read
// and write through this).
#pragma once

#include "platform/base/Interface.h"
#include "platform/base/Stream.h"

// Offsets and sizes are the 64-bit integers the stream calls take.
constexpr DWORD STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0, STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;
constexpr HRESULT STG_E_INVALIDFUNCTION = HRESULT(0x80030001), STG_E_READFAULT = HRESULT(0x8003001E),
                  STG_E_WRITEFAULT = HRESULT(0x8003001D), STG_E_MEDIUMFULL = HRESULT(0x80030070),
                  STG_E_INVALIDPOINTER = HRESULT(0x80030009);

struct STATSTG {
  char16_t* pwcsName = nullptr;
  DWORD type = STGTY_STREAM;
  UInt64 cbSize = 0;
  Int64 mtime = 0;
  Int64 ctime = 0;
  Int64 atime = 0;
  DWORD grfMode = 0;
  DWORD grfLocksSupported = 0;
  GUID clsid;
  DWORD grfStateBits = 0;
  DWORD reserved = 0;
};

struct ISequentialStream : IUnknown {
  static constexpr GUID IID = MakeGUID("{0C733A30-2A1C-11CE-ADE5-00AA0044773D}");
  virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
};

struct IStream : ISequentialStream {
  static constexpr GUID IID = MakeGUID("{0000000C-0000-0000-C000-000000000046}");
  virtual HRESULT Seek(Int64 move, DWORD origin, UInt64* newPosition) = 0;
  virtual HRESULT SetSize(UInt64 size) = 0;
  virtual HRESULT CopyTo(IStream* dest, UInt64 count, UInt64* read, UInt64* written) = 0;
  virtual HRESULT Commit(DWORD flags) = 0;
  virtual HRESULT Revert() = 0;
  virtual HRESULT LockRegion(UInt64 offset, UInt64 count, DWORD lockType) = 0;
  virtual HRESULT UnlockRegion(UInt64 offset, UInt64 count, DWORD lockType) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
  virtual HRESULT Clone(IStream** stream) = 0;
};

enum class TStreamOwnership { soReference, soOwned };

// Reads, writes, seeks and sizes the stream; frees it at the end when owned.
// Locking, transactions and cloning are not offered (STG_E_INVALIDFUNCTION).
class TStreamAdapter : public TInterfacedObject<IStream> {
public:
  HRESULT QueryInterface(const GUID& iid, void** object) override;
  explicit TStreamAdapter(TStream* stream, TStreamOwnership ownership = TStreamOwnership::soReference);
  ~TStreamAdapter() override;

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override;
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override;
  HRESULT Seek(Int64 move, DWORD origin, UInt64* newPosition) override;
  HRESULT SetSize(UInt64 size) override;
  HRESULT CopyTo(IStream* dest, UInt64 count, UInt64* read, UInt64* written) override;
  HRESULT Commit(DWORD flags) override;
  HRESULT Revert() override;
  HRESULT LockRegion(UInt64 offset, UInt64 count, DWORD lockType) override;
  HRESULT UnlockRegion(UInt64 offset, UInt64 count, DWORD lockType) override;
  HRESULT Stat(STATSTG* stat, DWORD flags) override;
  HRESULT Clone(IStream** stream) override;

  TStream* Stream() const { return FStream; }

private:
  TStream* FStream;
  TStreamOwnership FOwnership;
};
