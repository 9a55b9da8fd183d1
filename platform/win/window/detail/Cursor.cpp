// The cursor: its position, its clipping and its shape.
#include "platform/win/window/Input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

BOOL GetCursorPos(TPoint* point)
{
  if (!point)
    return FALSE;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  *point = Core().CursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
  InputMouseMove(TPoint(x, y));
  if (TDisplayBackend* display = CurrentDisplayBackend())
    display->WarpPointer(TPoint(x, y));
  return TRUE;
}

BOOL ClipCursor(const TRect* rect)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    Core().CursorClipped = rect != nullptr;
    if (rect)
      Core().CursorClip = *rect;
  }
  if (rect) {
    TPoint p;
    GetCursorPos(&p);
    TPoint q(std::clamp(p.x, rect->Left, std::max(rect->Left, rect->Right - 1)),
             std::clamp(p.y, rect->Top, std::max(rect->Top, rect->Bottom - 1)));
    if (q != p)
      SetCursorPos(q.x, q.y);
  }
  return TRUE;
}

BOOL GetClipCursor(TRect* rect)
{
  if (!rect)
    return FALSE;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  *rect = Core().CursorClipped ? Core().CursorClip : Core().Desktop->Rect;
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
  HCURSOR old;
  TDisplayBackend* display;
  bool shown;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    old = Core().Cursor;
    Core().Cursor = cursor;
    display = Core().Display.get();
    shown = Core().CursorShowCount >= 0;
  }
  if (display && old != cursor)
    display->ShowCursor(shown ? cursor : nullptr);
  return old;
}

HCURSOR GetCursor()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return Core().Cursor;
}

int ShowCursor(BOOL show)
{
  int count;
  HCURSOR cursor;
  TDisplayBackend* display;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    count = Core().CursorShowCount += show ? 1 : -1;
    cursor = Core().Cursor;
    display = Core().Display.get();
  }
  if (display)
    display->ShowCursor(count >= 0 ? cursor : nullptr);
  return count;
}

UINT GetDoubleClickTime() { return 500; }
