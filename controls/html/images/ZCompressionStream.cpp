#include "controls/html/images/ZCompressionStream.h"

namespace {

int CheckDeflate(int Code)
{
  if (Code < 0)
    throw EZCompressionError(zError(Code));
  return Code;
}

constexpr int Levels[4] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};

}  // namespace

TZCompressionStream::TZCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest) : TCustomZStream(Dest)
{
  FZRec.next_out = FBuffer.get();
  FZRec.avail_out = BufferSize;
  CheckDeflate(deflateInit(&FZRec, Levels[int(CompressionLevel) & 3]));
}

TZCompressionStream::~TZCompressionStream()
{
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report it: Finish is the caller's way to see it.
  }
  deflateEnd(&FZRec);
}

void TZCompressionStream::MoveBack()
{
  if (FStrm->Position() != FStrmPos)
    FStrm->SetPosition(FStrmPos);
}

Integer TZCompressionStream::Read(void*, Integer)
{
  throw EZCompressionError(SInvalidZStreamOperation);
}

Integer TZCompressionStream::Write(const void* Buffer, Integer Count)
{
  if (FFinished)
    throw EZCompressionError(SInvalidZStreamOperation);
  if (Count <= 0)
    return 0;
  FZRec.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
  FZRec.avail_in = uInt(Count);
  MoveBack();
  while (FZRec.avail_in > 0) {
    CheckDeflate(deflate(&FZRec, Z_NO_FLUSH));
    if (FZRec.avail_out == 0) {
      FStrm->WriteBuffer(FBuffer.get(), BufferSize);
      FZRec.next_out = FBuffer.get();
      FZRec.avail_out = BufferSize;
      FStrmPos = FStrm->Position();
      Progress(this);
    }
  }
  return Count;
}

void TZCompressionStream::Finish()
{
  if (FFinished)
    return;
  FFinished = true;
  FZRec.next_in = nullptr;
  FZRec.avail_in = 0;
  MoveBack();
  while (CheckDeflate(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END) {
    FStrm->WriteBuffer(FBuffer.get(), Integer(BufferSize - FZRec.avail_out));
    FZRec.next_out = FBuffer.get();
    FZRec.avail_out = BufferSize;
  }
  if (FZRec.avail_out < uInt(BufferSize)) {
    FStrm->WriteBuffer(FBuffer.get(), Integer(BufferSize - FZRec.avail_out));
    FZRec.next_out = FBuffer.get();
    FZRec.avail_out = BufferSize;
  }
  FStrmPos = FStrm->Position();
}

Int64 TZCompressionStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
  if (Offset == 0 && Origin == soCurrent)
    return Int64(FZRec.total_in);
  throw EZCompressionError(SInvalidZStreamOperation);
}

double TZCompressionStream::CompressionRate() const
{
  return FZRec.total_in == 0 ? 0.0 : double(FZRec.total_out) / double(FZRec.total_in);
}
