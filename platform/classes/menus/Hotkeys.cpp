#include "platform/classes/menus/Hotkeys.h"

#include "platform/base/AnsiStrings.h"

namespace {

// The length of the UTF-8 character starting with byte c (1 for a stray byte).
std::size_t CharLength(unsigned char c)
{
  if (c >= 0xF0 && c <= 0xF4)
    return 4;
  if (c >= 0xE0)
    return 3;
  if (c >= 0xC2)
    return 2;
  return 1;
}

}  // namespace

std::string StripHotkey(const std::string& Text)
{
  std::string result;
  result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == cHotkeyPrefix) {
      // The marker goes; the character after it stays, even a second marker.
      if (++i >= Text.size())
        break;
    }
    result += Text[i];
  }
  return result;
}

std::string GetHotkey(const std::string& Text)
{
  std::string result;
  for (std::size_t i = 0; i < Text.size();) {
    if (Text[i] == cHotkeyPrefix && i + 1 < Text.size()) {
      ++i;
      std::size_t n = CharLength(static_cast<unsigned char>(Text[i]));
      if (Text[i] != cHotkeyPrefix)
        result = Text.substr(i, n);
      i += n;
      continue;
    }
    i += CharLength(static_cast<unsigned char>(Text[i]));
  }
  return result;
}

bool AnsiSameCaption(const std::string& Text1, const std::string& Text2)
{
  return AnsiSameText(StripHotkey(Text1), StripHotkey(Text2));
}
