// The export of "Quenbyfx.mp": the host calls it once after loading the file.
#include "api/Boundary.h"
#include "plugins/smileys/QuenbyProcessor.h"

extern "C" __attribute__((visibility("default"))) void CreateMessageProcessor(IMessageProcessor** Intf)
{
  CatchAtBoundary(QuenbyfxSource(), "CreateMessageProcessor : ", [&] {
    auto* processor = new TIMessageProcessor;
    processor->AddRef();
    *Intf = processor;
  });
}
