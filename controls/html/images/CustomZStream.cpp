#include "controls/html/images/CustomZStream.h"

TCustomZStream::TCustomZStream(TStream* Strm)
    : FStrm(Strm), FStrmPos(Strm->Position()), FBuffer(new Bytef[BufferSize])
{
}

void TCustomZStream::Progress(TObject* Sender)
{
  if (OnProgress)
    OnProgress(Sender);
}
