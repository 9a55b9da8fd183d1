#include "platform/base/ShortString.h"

#include <cstring>

std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes)
{
  if (text.size() <= maxBytes)
    return text;
  std::size_t end = maxBytes;
  // Step back over continuation bytes (10xxxxxx) to the lead byte of the
  // character that crosses the limit, and cut before it.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

void ShortString::Assign(std::string_view text)
{
  std::string_view kept = CutAtCharBoundary(text, sizeof(Data));
  Length = static_cast<std::uint8_t>(kept.size());
  std::memcpy(Data, kept.data(), kept.size());
}
