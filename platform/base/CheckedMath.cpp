#include "platform/base/CheckedMath.h"

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

void RaiseIntOverflow() { throw EIntOverflow(SIntOverflow); }
void RaiseRangeError() { throw ERangeError(SRangeError); }
void RaiseDivByZero() { throw EDivByZero(SDivByZero); }
