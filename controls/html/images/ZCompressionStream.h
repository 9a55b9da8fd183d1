// TZCompressionStream: a write-only stream that deflates what is written into
// an underlying stream, 64 KiB at a time. Finish completes the compressed
// data (the destructor does it when nobody did, swallowing a failure).
#pragma once

#include <cstdint>

#include "controls/html/images/CustomZStream.h"

// Index into zlib's levels: none 0, fastest 1, zlib's default, best 9.
enum class TCompressionLevel : std::uint8_t { clNone, clFastest, clDefault, clMax };

class TZCompressionStream : public TCustomZStream {
public:
  using TStream::Seek;
  TZCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
  ~TZCompressionStream() override;

  // Always fails: the stream is write-only.
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  // Only (0, current): answers the bytes taken in so far.
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  // Flushes the end of the compressed data; later writes fail. Idempotent.
  void Finish();
  // The compressed share: written out / taken in (0 before any input).
  double CompressionRate() const;

private:
  void MoveBack();

  bool FFinished = false;
};
