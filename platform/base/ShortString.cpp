#include "platform/base/ShortString.h"

#include <cstring>

#include "platform/base/Utf.h"

void ShortString::Assign(std::string_view text)
{
  std::string_view kept = CutAtCharBoundary(text, sizeof(Data));
  Length = static_cast<std::uint8_t>(kept.size());
  std::memcpy(Data, kept.data(), kept.size());
}
