#include "platform/base/Exception.h"

#include "platform/base/RtlConsts.h"

void Abort()
{
  throw EAbort(SOperationAborted);
}
