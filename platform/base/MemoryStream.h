// Streams over memory. TCustomMemoryStream reads a block it does not own
// (SetPointer: a read-only view, whose Write moves nothing); TMemoryStream owns
// a block that grows in steps of 8 KiB as it is written. A position past the
// end reads nothing; writing there fills the gap with zeros.
#pragma once

#include <string_view>

#include "platform/base/Stream.h"

class TCustomMemoryStream : public TStream {
public:
  using TStream::Seek;
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return FSize; }

  void SaveToStream(TStream* Stream);
  void SaveToFile(std::string_view FileName);
  void* Memory() const { return FMemory; }

protected:
  // Makes the stream read the caller's block (a read-only view for a
  // descendant such as a resource stream).
  void SetPointer(void* Ptr, Int64 Size);

  void* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  ~TMemoryStream() override;

  Integer Write(const void* Buffer, Integer Count) override;
  void SetSize(Int64 NewSize) override;
  void Clear();
  // Replaces the content with the whole of Stream (from its start) or of the file.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(std::string_view FileName);
  Int64 Capacity() const { return FCapacity; }

protected:
  void SetCapacity(Int64 NewCapacity);

private:
  Int64 FCapacity = 0;
};
