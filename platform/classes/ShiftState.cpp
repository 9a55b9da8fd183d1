#include "platform/classes/ShiftState.h"

#include "platform/win/window/Input.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/VirtualKeys.h"

namespace {
constexpr std::int32_t AltMask = 0x20000000;
}

TShiftState KeysToShiftState(WORD Keys)
{
  TShiftState s;
  if (Keys & MK_SHIFT)
    s += ssShift;
  if (Keys & MK_CONTROL)
    s += ssCtrl;
  if (Keys & MK_LBUTTON)
    s += ssLeft;
  if (Keys & MK_RBUTTON)
    s += ssRight;
  if (Keys & MK_MBUTTON)
    s += ssMiddle;
  if (GetKeyState(VK_MENU) < 0)
    s += ssAlt;
  return s;
}

TShiftState KeyDataToShiftState(std::int32_t KeyData)
{
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0)
    s += ssShift;
  if (GetKeyState(VK_CONTROL) < 0)
    s += ssCtrl;
  if (KeyData & AltMask)
    s += ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState()
{
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0)
    s += ssShift;
  if (GetKeyState(VK_CONTROL) < 0)
    s += ssCtrl;
  if (GetKeyState(VK_MENU) < 0)
    s += ssAlt;
  return s;
}
