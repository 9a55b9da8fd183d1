// Thread hooks shared by every component that needs them: a component
// registers a client procedure with the notifications it wants, and the
// platform hook behind them is installed for the calling thread while at
// least one client needs it. Dockable windows follow activation, owner moves
// and window destruction this way; menu bars watch WM_SYSCHAR leaving the
// queue.
#pragma once

#include "platform/base/Types.h"
#include "platform/win/window/WindowTypes.h"

enum THookProcKind : BYTE {
  hnActivateAppSent,    // WM_ACTIVATEAPP being sent: (target window, wParam, lParam)
  hnPosChangedSent,     // WM_WINDOWPOSCHANGED being sent: (target window, wParam, the WINDOWPOS)
  hnWindowDestroying,   // a window being destroyed: (that window, 0, 0)
  hnMessageRetrieved    // a message leaving the queue: (0, PM_REMOVE or PM_NOREMOVE, the MSG)
};
using THookProcKinds = BYTE;
constexpr THookProcKinds HookKindBit(THookProcKind Kind) { return THookProcKinds(1u << Kind); }

using THookClientProc = void (*)(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM LParam);

// Registers Proc, or adds a reference to its registration. A procedure keeps
// the kinds of its first registration for its whole life. CountOnly (a
// component being designed) records the registration without installing any
// platform hook.
void InstallHookClient(THookClientProc Proc, THookProcKinds Kinds, bool CountOnly);
// Drops one reference to Proc's registration; an unknown procedure changes
// nothing. A platform hook goes when no counted registration needs it.
void UninstallHookClient(THookClientProc Proc);

// The three platform hooks: WH_CALLWNDPROC, WH_CBT, WH_GETMESSAGE (tests).
enum TSharedHook : BYTE { shCallWndProc, shCbt, shGetMessage };
bool SharedHookInstalled(TSharedHook Hook);
int SharedHookUseCount(TSharedHook Hook);
