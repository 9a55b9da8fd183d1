#include "chatwin/widgets/detail/XmlSource.h"

#include "chatwin/widgets/UtSimpleXML.h"

TXmlSource::TXmlSource(TStream& Stream, TUtSimpleXML* Document)
    : FStream(Stream), FDocument(Document), FBlockStart(Stream.Position())
{
}

bool TXmlSource::Refill()
{
  FBlockStart += std::int64_t(FLength);
  FPos = 0;
  FLength = 0;
  FStream.SetPosition(FBlockStart);
  Integer read = FStream.Read(FBlock.data(), Integer(FBlock.size()));
  if (read <= 0)
    return false;
  FLength = std::size_t(read);
  if (FDocument)
    FDocument->DoLoadProgress(FStream.Position(), FStream.Size());
  return true;
}

void TXmlSource::Reset(std::int64_t Position)
{
  if (Position >= FBlockStart && Position <= FBlockStart + std::int64_t(FLength)) {
    FPos = std::size_t(Position - FBlockStart);
    return;
  }
  // Before this block: read again from there.
  FBlockStart = Position;
  FPos = 0;
  FLength = 0;
}

void TXmlSource::Finish()
{
  FStream.SetPosition(Position());
}
