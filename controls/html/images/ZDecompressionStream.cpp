#include "controls/html/images/ZDecompressionStream.h"

namespace {

int CheckInflate(int Code)
{
  if (Code < 0)
    throw EZDecompressionError(zError(Code));
  // A preset dictionary is something this stream never has: without the
  // check inflate would answer the same forever and Read would never end.
  if (Code == Z_NEED_DICT)
    throw EZDecompressionError(zError(Code));
  return Code;
}

}  // namespace

TZDecompressionStream::TZDecompressionStream(TStream* Source) : TCustomZStream(Source), FStartPos(FStrmPos)
{
  FZRec.next_in = FBuffer.get();
  FZRec.avail_in = 0;
  CheckInflate(inflateInit(&FZRec));
}

TZDecompressionStream::~TZDecompressionStream()
{
  inflateEnd(&FZRec);
}

Integer TZDecompressionStream::Read(void* Buffer, Integer Count)
{
  if (Count <= 0 || FEnded)
    return 0;
  FZRec.next_out = static_cast<Bytef*>(Buffer);
  FZRec.avail_out = uInt(Count);
  if (FStrm->Position() != FStrmPos)
    FStrm->SetPosition(FStrmPos);
  while (FZRec.avail_out > 0) {
    if (FZRec.avail_in == 0) {
      Integer got = FStrm->Read(FBuffer.get(), BufferSize);
      if (got <= 0)
        return Count - Integer(FZRec.avail_out);
      FZRec.next_in = FBuffer.get();
      FZRec.avail_in = uInt(got);
      FStrmPos = FStrm->Position();
      Progress(this);
    }
    if (CheckInflate(inflate(&FZRec, Z_NO_FLUSH)) == Z_STREAM_END) {
      FEnded = true;
      break;
    }
  }
  return Count - Integer(FZRec.avail_out);
}

Integer TZDecompressionStream::Write(const void*, Integer)
{
  throw EZDecompressionError(SInvalidZStreamOperation);
}

Int64 TZDecompressionStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
  const Int64 delivered = Int64(FZRec.total_out);
  if (Offset == 0 && Origin == soBeginning) {
    CheckInflate(inflateReset(&FZRec));
    FZRec.next_in = FBuffer.get();
    FZRec.avail_in = 0;
    FEnded = false;
    FStrm->SetPosition(FStartPos);
    FStrmPos = FStartPos;
    return 0;
  }
  Int64 skip;
  if (Origin == soCurrent && Offset >= 0)
    skip = Offset;
  else if (Origin == soBeginning && Offset >= delivered)
    skip = Offset - delivered;
  else
    throw EZDecompressionError(SInvalidZStreamOperation);
  Bytef scrap[4096];
  while (skip > 0) {
    Integer piece = skip > Int64(sizeof(scrap)) ? Integer(sizeof(scrap)) : Integer(skip);
    Integer got = Read(scrap, piece);
    if (got <= 0)
      break;
    skip -= got;
  }
  return Int64(FZRec.total_out);
}
