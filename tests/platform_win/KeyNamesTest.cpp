#include <gtest/gtest.h>

#include <string>

#include "platform/win/window/Input.h"
#include "platform/win/window/VirtualKeys.h"

namespace {

std::string KeyName(LONG lParam, int size = 256)
{
  char buffer[256];
  int length = GetKeyNameText(lParam, buffer, size);
  EXPECT_EQ(std::size_t(length), std::string(buffer).size());
  return buffer;
}

LONG KeyLParam(UINT scan, bool extended) { return LONG((scan << 16) | (extended ? KF_EXTENDED_BIT : 0)); }

}  // namespace

TEST(KeyNames, MapVirtualKeyBetweenKeysScanCodesAndCharacters)
{
  struct Case {
    UINT Code;
    UINT Type;
    UINT Expected;
  } cases[] = {
      {VK_MENU, MAPVK_VK_TO_VSC, 0x38},          {VK_RMENU, MAPVK_VK_TO_VSC, 0x38},
      {VK_SHIFT, MAPVK_VK_TO_VSC, 0x2A},         {VK_RSHIFT, MAPVK_VK_TO_VSC, 0x36},
      {'A', MAPVK_VK_TO_VSC, 0x1E},              {'0', MAPVK_VK_TO_VSC, 0x0B},
      {VK_HOME, MAPVK_VK_TO_VSC, 0x47},          {VK_NUMPAD0 + 7, MAPVK_VK_TO_VSC, 0x47},
      {VK_F12, MAPVK_VK_TO_VSC, 0x58},           {0x07, MAPVK_VK_TO_VSC, 0},
      {0x36, MAPVK_VSC_TO_VK, VK_SHIFT},         {0x36, MAPVK_VSC_TO_VK_EX, VK_RSHIFT},
      {0xE038, MAPVK_VSC_TO_VK_EX, VK_RMENU},    {0xE01D, MAPVK_VSC_TO_VK, VK_CONTROL},
      {0x47, MAPVK_VSC_TO_VK, VK_HOME},          {0x1E, MAPVK_VSC_TO_VK, 'A'},
      {0x1E1E, MAPVK_VSC_TO_VK, 0},              {0x1000038, MAPVK_VSC_TO_VK_EX, 0},
      {VK_NUMLOCK, MAPVK_VK_TO_VSC_EX, 0xE045},  {VK_PAUSE, MAPVK_VK_TO_VSC_EX, 0x45},
      {VK_RCONTROL, MAPVK_VK_TO_VSC_EX, 0xE01D}, {'A', MAPVK_VK_TO_VSC_EX, 0x1E},
      {VK_HOME, MAPVK_VK_TO_VSC_EX, 0xE047},     {VK_RETURN, MAPVK_VK_TO_VSC_EX, 0x1C},
      {VK_NUMPAD0 + 7, MAPVK_VK_TO_VSC_EX, 0x47},
      {0x56, MAPVK_VSC_TO_VK, VK_OEM_102},       {VK_OEM_102, MAPVK_VK_TO_VSC, 0x56},
      {'A', MAPVK_VK_TO_CHAR, 'A'},              {VK_OEM_1, MAPVK_VK_TO_CHAR, ';'},
      {'5', MAPVK_VK_TO_CHAR, '5'},              {VK_SPACE, MAPVK_VK_TO_CHAR, ' '},
      {VK_F1, MAPVK_VK_TO_CHAR, 0},              {0x141, MAPVK_VK_TO_CHAR, 0},
      {'A', 9, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapVirtualKey(c.Code, c.Type), c.Expected) << std::hex << c.Code << " type " << c.Type;
}

TEST(KeyNames, KeysAreNamedByScanCodeAndExtendedBit)
{
  // How the menu bar names its key: the scan code of VK_MENU in bits 16-23.
  EXPECT_EQ(KeyName(LONG(MapVirtualKey(VK_MENU, MAPVK_VK_TO_VSC) << 16)), "Alt");
  struct Case {
    UINT Scan;
    bool Extended;
    const char* Name;
  } cases[] = {
      {0x1D, false, "Ctrl"},      {0x1D, true, "Right Ctrl"}, {0x2A, false, "Shift"},
      {0x38, true, "Right Alt"},  {0x1C, false, "Enter"},     {0x1C, true, "Num Enter"},
      {0x01, false, "Esc"},       {0x0E, false, "Backspace"}, {0x0F, false, "Tab"},
      {0x39, false, "Space"},     {0x3B, false, "F1"},        {0x58, false, "F12"},
      {0x49, true, "Page Up"},    {0x49, false, "Num 9"},     {0x53, true, "Delete"},
      {0x1E, false, "A"},         {0x27, false, ";"},         {0x0B, false, "0"},
      {0x45, true, "Num Lock"},   {0x45, false, "Pause"},     {0x48, true, "Up"},
      {0x7F, false, ""},          {0x1E, true, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeyName(KeyLParam(c.Scan, c.Extended)), c.Name) << std::hex << c.Scan << " " << c.Extended;
  // The repeat count and the state bits are not part of the key.
  EXPECT_EQ(KeyName(KeyLParam(0x38, false) | 3 | LONG(KF_ALTDOWN_BIT) | LONG(KF_REPEAT_BIT)), "Alt");
}

TEST(KeyNames, NamesAreCutToTheBuffer)
{
  EXPECT_EQ(KeyName(KeyLParam(0x1D, true), 4), "Rig");
  char buffer[4] = "xyz";
  EXPECT_EQ(GetKeyNameText(KeyLParam(0x1D, true), buffer, 0), 0);
  EXPECT_STREQ(buffer, "xyz");
  EXPECT_EQ(GetKeyNameText(KeyLParam(0x1D, true), nullptr, 10), 0);
}
