// TZDecompressionStream: a read-only stream that inflates an underlying
// stream. A source that ends early gives a short read (the caller decides
// whether that is an error); the end of the compressed data ends reading
// even when more bytes follow it in the source.
#pragma once

#include "controls/html/images/CustomZStream.h"

class TZDecompressionStream : public TCustomZStream {
public:
  using TStream::Seek;
  explicit TZDecompressionStream(TStream* Source);
  ~TZDecompressionStream() override;

  Integer Read(void* Buffer, Integer Count) override;
  // Always fails: the stream is read-only.
  Integer Write(const void* Buffer, Integer Count) override;
  // (0, beginning) starts again from where the compressed data started; a
  // forward move reads and discards; a move to the current place does
  // nothing. Backward moves and moves from the end fail. Answers the bytes
  // delivered so far.
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;

private:
  Int64 FStartPos;
  bool FEnded = false;  // inflate reported the end of the data
};
