// What both sides of the X drag-and-drop protocol share: the version we
// speak, the actions as drop effects, and sending the protocol's messages.
#pragma once

#include "platform/display/x11/X11Core.h"
#include "platform/win/ole/DragDrop.h"

namespace x11 {

constexpr long XdndVersion = 5;

// XdndActionCopy/Move/Link as DROPEFFECT_*; Ask offers all three; anything
// else (a private action) is taken as a copy. None is no effect.
inline DWORD EffectOfAction(const TAtoms& a, Atom action)
{
  if (action == 0)
    return DROPEFFECT_NONE;
  if (action == a.XdndActionMove)
    return DROPEFFECT_MOVE;
  if (action == a.XdndActionLink)
    return DROPEFFECT_LINK;
  if (action == a.XdndActionAsk)
    return DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  return DROPEFFECT_COPY;
}

// The action of one effect (none for DROPEFFECT_NONE).
inline Atom ActionOfEffect(const TAtoms& a, DWORD effect)
{
  if (effect & DROPEFFECT_MOVE)
    return a.XdndActionMove;
  if (effect & DROPEFFECT_COPY)
    return a.XdndActionCopy;
  if (effect & DROPEFFECT_LINK)
    return a.XdndActionLink;
  return 0;
}

// A protocol message of type to window (under the lock); the first item is
// always the sender's window.
inline void SendXdnd(TCore& core, Window to, Atom type, long l0, long l1 = 0, long l2 = 0, long l3 = 0, long l4 = 0)
{
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.display = core.Dpy;
  ev.xclient.window = to;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = l0;
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[3] = l3;
  ev.xclient.data.l[4] = l4;
  TErrorTrap trap(core.Dpy);
  XSendEvent(core.Dpy, to, False, NoEventMask, &ev);
}

}  // namespace x11
