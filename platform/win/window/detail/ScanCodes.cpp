#include "platform/win/window/detail/ScanCodes.h"

#include <vector>

#include "platform/win/window/Input.h"
#include "platform/win/window/VirtualKeys.h"

namespace wincore {

namespace {

constexpr WORD Extended = 0xE000;

struct TScanKey {
  WORD Scan;
  BYTE Vk;
};

// Scan code order, then the keys that share a scan code with one before
// them (so a scan code finds its first key, and every key finds its code).
const std::vector<TScanKey>& ScanKeys()
{
  static const std::vector<TScanKey> keys = [] {
    std::vector<TScanKey> k = {{0x01, VK_ESCAPE}};
    for (BYTE i = 0; i < 10; ++i)
      k.push_back({WORD(0x02 + i), BYTE(i == 9 ? '0' : '1' + i)});
    k.insert(k.end(), {{0x0C, VK_OEM_MINUS}, {0x0D, VK_OEM_PLUS}, {0x0E, VK_BACK}, {0x0F, VK_TAB}});
    auto row = [&](WORD start, const char* letters) {
      for (WORD i = 0; letters[i]; ++i)
        k.push_back({WORD(start + i), BYTE(letters[i])});
    };
    row(0x10, "QWERTYUIOP");
    k.insert(k.end(), {{0x1A, VK_OEM_4}, {0x1B, VK_OEM_6}, {0x1C, VK_RETURN}, {0x1D, VK_LCONTROL}});
    row(0x1E, "ASDFGHJKL");
    k.insert(k.end(), {{0x27, VK_OEM_1}, {0x28, VK_OEM_7}, {0x29, VK_OEM_3}, {0x2A, VK_LSHIFT}, {0x2B, VK_OEM_5}});
    row(0x2C, "ZXCVBNM");
    k.insert(k.end(), {{0x33, VK_OEM_COMMA}, {0x34, VK_OEM_PERIOD}, {0x35, VK_OEM_2}, {0x36, VK_RSHIFT},
                       {0x37, VK_MULTIPLY}, {0x38, VK_LMENU}, {0x39, VK_SPACE}, {0x3A, VK_CAPITAL}});
    for (BYTE i = 0; i < 10; ++i)
      k.push_back({WORD(0x3B + i), BYTE(VK_F1 + i)});
    k.insert(k.end(), {{0x45, VK_PAUSE}, {0x46, VK_SCROLL}, {0x4A, VK_SUBTRACT}, {0x4C, VK_CLEAR}, {0x4E, VK_ADD},
                       {0x56, VK_OEM_102}, {0x57, VK_F11}, {0x58, VK_F12}});
    for (BYTE i = 0; i < 11; ++i)
      k.push_back({WORD(0x64 + i), BYTE(VK_F1 + 12 + i)});
    k.push_back({0x76, VK_F24});
    for (const TScanKey& e : std::initializer_list<TScanKey>{
             {0x1C, VK_RETURN}, {0x1D, VK_RCONTROL}, {0x35, VK_DIVIDE}, {0x37, VK_SNAPSHOT}, {0x38, VK_RMENU},
             {0x45, VK_NUMLOCK}, {0x46, VK_CANCEL}, {0x47, VK_HOME}, {0x48, VK_UP}, {0x49, VK_PRIOR},
             {0x4B, VK_LEFT}, {0x4D, VK_RIGHT}, {0x4F, VK_END}, {0x50, VK_DOWN}, {0x51, VK_NEXT},
             {0x52, VK_INSERT}, {0x53, VK_DELETE}, {0x5B, VK_LWIN}, {0x5C, VK_RWIN}, {0x5D, VK_APPS}})
      k.push_back({WORD(Extended | e.Scan), e.Vk});
    // The keypad's keys as the navigation keys they are with Num Lock off:
    // after the extended ones, as Home's own scan code is the extended 0x47.
    k.insert(k.end(), {{0x47, VK_HOME}, {0x48, VK_UP}, {0x49, VK_PRIOR}, {0x4B, VK_LEFT}, {0x4D, VK_RIGHT},
                       {0x4F, VK_END}, {0x50, VK_DOWN}, {0x51, VK_NEXT}, {0x52, VK_INSERT}, {0x53, VK_DELETE}});
    // Keys without a scan code of their own.
    k.insert(k.end(), {{0x2A, VK_SHIFT}, {0x1D, VK_CONTROL}, {0x38, VK_MENU}, {0x53, VK_DECIMAL}});
    const WORD keypadDigits[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (BYTE i = 0; i < 10; ++i)
      k.push_back({keypadDigits[i], BYTE(VK_NUMPAD0 + i)});
    return k;
  }();
  return keys;
}

struct TKeyName {
  WORD Scan;
  const char* Name;
};

// Keys named by a word; the others by the character they type (letters as
// capitals) or as function keys.
constexpr TKeyName KeyNames[] = {
    {0x01, "Esc"},          {0x0E, "Backspace"},     {0x0F, "Tab"},           {0x1C, "Enter"},
    {0x1D, "Ctrl"},         {0x2A, "Shift"},         {0x36, "Right Shift"},   {0x37, "Num *"},
    {0x38, "Alt"},          {0x39, "Space"},         {0x3A, "Caps Lock"},     {0x45, "Pause"},
    {0x46, "Scroll Lock"},  {0x47, "Num 7"},         {0x48, "Num 8"},         {0x49, "Num 9"},
    {0x4A, "Num -"},        {0x4B, "Num 4"},         {0x4C, "Num 5"},         {0x4D, "Num 6"},
    {0x4E, "Num +"},        {0x4F, "Num 1"},         {0x50, "Num 2"},         {0x51, "Num 3"},
    {0x52, "Num 0"},        {0x53, "Num Del"},       {0x54, "Sys Req"},       {0xE01C, "Num Enter"},
    {0xE01D, "Right Ctrl"}, {0xE035, "Num /"},       {0xE037, "Prnt Scrn"},   {0xE038, "Right Alt"},
    {0xE045, "Num Lock"},   {0xE046, "Break"},       {0xE047, "Home"},        {0xE048, "Up"},
    {0xE049, "Page Up"},    {0xE04B, "Left"},        {0xE04D, "Right"},       {0xE04F, "End"},
    {0xE050, "Down"},       {0xE051, "Page Down"},   {0xE052, "Insert"},      {0xE053, "Delete"},
    {0xE05D, "Application"},
};

}  // namespace

BYTE KeyOfScanCode(UINT scanCode)
{
  if (scanCode > 0xFFFF || ((scanCode & 0xFF00) != 0 && (scanCode & 0xFF00) != Extended))
    return 0;
  for (const TScanKey& k : ScanKeys())
    if (k.Scan == scanCode)
      return k.Vk;
  return 0;
}

WORD ScanCodeOfKey(UINT vk)
{
  for (const TScanKey& k : ScanKeys())
    if (k.Vk == vk)
      return k.Scan;
  return 0;
}

std::string KeyNameOfScanCode(UINT scanCode)
{
  for (const TKeyName& n : KeyNames)
    if (n.Scan == scanCode)
      return n.Name;
  BYTE vk = KeyOfScanCode(scanCode);
  if (vk >= VK_F1 && vk <= VK_F24)
    return "F" + std::to_string(vk - VK_F1 + 1);
  UINT ch = vk ? MapVirtualKey(vk, MAPVK_VK_TO_CHAR) : 0;
  if (ch > 0x20 && ch < 0x7F)
    return std::string(1, char(ch));
  return "";
}

}  // namespace wincore
