// The key state, the translation of keys into characters, and the built-in
// layout's scan codes and key names.
#include "platform/win/window/Input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/ScanCodes.h"

using namespace wincore;

SHORT GetKeyState(int vk)
{
  if (vk < 0 || vk > 255)
    return 0;
  BYTE k = CurrentThread().Keys[vk];
  return SHORT(((k & 0x80) ? 0xFF80 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int vk)
{
  if (vk < 0 || vk > 255)
    return 0;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return (Core().AsyncKeys[vk] & 0x80) ? SHORT(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* keys)
{
  if (!keys)
    return FALSE;
  std::memcpy(keys, CurrentThread().Keys, 256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* keys)
{
  if (!keys)
    return FALSE;
  std::memcpy(CurrentThread().Keys, keys, 256);
  return TRUE;
}

namespace {

// The character a key gives with the current shift state, on the layer's
// built-in layout (letters, digits, the common punctuation keys).
DWORD LayoutChar(BYTE vk, const BYTE* keys, bool& control)
{
  bool shift = keys[VK_SHIFT] & 0x80;
  bool caps = keys[VK_CAPITAL] & 1;
  bool ctrl = keys[VK_CONTROL] & 0x80;
  control = false;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl && !(keys[VK_MENU] & 0x80)) {
      control = true;
      return DWORD(vk - 'A' + 1);
    }
    return (shift != caps) ? vk : DWORD(vk - 'A' + 'a');
  }
  if (ctrl)
    return 0;
  if (vk >= '0' && vk <= '9') {
    static const char shifted[] = ")!@#$%^&*(";
    return shift ? DWORD(shifted[vk - '0']) : vk;
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
    return DWORD('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 8;
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
  }
}

// Shift, Ctrl and Alt without their side.
UINT SidelessKey(BYTE vk)
{
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

}  // namespace

UINT MapVirtualKey(UINT code, UINT mapType)
{
  switch (mapType) {
    case MAPVK_VK_TO_VSC:
      return ScanCodeOfKey(code) & 0xFF;
    case MAPVK_VK_TO_VSC_EX:
      return ScanCodeOfKey(code);
    case MAPVK_VSC_TO_VK:
      return SidelessKey(KeyOfScanCode(code));
    case MAPVK_VSC_TO_VK_EX:
      return KeyOfScanCode(code);
    case MAPVK_VK_TO_CHAR: {
      if (code > 0xFF)
        return 0;
      if (code >= 'A' && code <= 'Z')
        return code;
      const BYTE noKeys[256] = {};
      bool control = false;
      return LayoutChar(BYTE(code), noKeys, control);
    }
    default:
      return 0;
  }
}

int GetKeyNameText(LONG lParam, LPSTR buffer, int size)
{
  if (!buffer || size <= 0)
    return 0;
  UINT scan = (UINT(lParam) >> 16) & 0xFF;
  if (lParam & KF_EXTENDED_BIT)
    scan |= 0xE000;
  std::string name = KeyNameOfScanCode(scan);
  std::size_t length = std::min(name.size(), std::size_t(size - 1));
  std::memcpy(buffer, name.data(), length);
  buffer[length] = 0;
  return int(length);
}

BOOL TranslateMessage(const MSG* msg)
{
  if (!msg)
    return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP)
    return FALSE;
  if (m == WM_KEYUP || m == WM_SYSKEYUP)
    return TRUE;
  TThread& t = CurrentThread();
  bool control = false;
  DWORD ch = msg->lPrivate;
  if (!ch) {
    if (msg->wParam > 255)
      return TRUE;
    ch = LayoutChar(BYTE(msg->wParam), t.Keys, control);
  }
  if (!ch)
    return TRUE;
  MSG c = *msg;
  c.message = m == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  // Alt with a letter names the letter, as menus expect it (lower case).
  if (m == WM_SYSKEYDOWN && !msg->lPrivate && ch >= 'A' && ch <= 'Z' && !(t.Keys[VK_SHIFT] & 0x80))
    ch = ch - 'A' + 'a';
  c.wParam = ch;
  c.lPrivate = 0;
  // The character comes before anything else queued.
  std::lock_guard<std::mutex> lock(t.M);
  t.Posted.push_front(c);
  Wake(t);
  return TRUE;
}
