#include "controls/utility/detail/Text.h"

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/IntConversions.h"
#include "platform/base/SysConsts.h"

namespace ut_detail {

std::string Hex8(std::uint32_t value)
{
  return IntToHex(unsigned(value), 8);
}

void ListIndexError(std::int64_t index)
{
  throw EListError(Format(SListIndexError, index));
}

void RangeError()
{
  throw ERangeError(SRangeError);
}

}  // namespace ut_detail
