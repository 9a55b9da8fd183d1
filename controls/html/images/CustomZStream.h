// Streams over zlib's deflate and inflate (the zlib format of RFC 1950):
// TCustomZStream holds what both directions share: the underlying stream (not
// owned), its position as last left, the 64 KiB exchange buffer and zlib's
// stream record. The two directions are TZCompressionStream and
// TZDecompressionStream. zlib errors raise EZCompressionError or
// EZDecompressionError with zlib's own text for the code.
#pragma once

#include <memory>

#include <zlib.h>

#include "platform/base/Exception.h"
#include "platform/base/Method.h"
#include "platform/base/Stream.h"

CORVANE_DECLARE_EXCEPTION(EZLibError, Exception);
CORVANE_DECLARE_EXCEPTION(EZCompressionError, EZLibError);
CORVANE_DECLARE_EXCEPTION(EZDecompressionError, EZLibError);

inline constexpr const char* SInvalidZStreamOperation = "Invalid ZStream operation!";

class TCustomZStream : public TStream {
public:
  static constexpr int BufferSize = 0x10000;

  explicit TCustomZStream(TStream* Strm);
  TCustomZStream(const TCustomZStream&) = delete;
  TCustomZStream& operator=(const TCustomZStream&) = delete;

  // Called after each exchange of the buffer with the underlying stream.
  TNotifyEvent OnProgress;

protected:
  virtual void Progress(TObject* Sender);

  TStream* FStrm;
  Int64 FStrmPos;
  z_stream FZRec{};
  std::unique_ptr<Bytef[]> FBuffer;
};
