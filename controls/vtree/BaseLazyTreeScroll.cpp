// Scrolling: the offsets, the scroll bars, the wheel, automatic scrolling near
// the edges and wheel panning toward the mouse.
#include <algorithm>
#include <cstdlib>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeDragManager.h"
#include "controls/vtree/WheelScroll.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

namespace {

// The dead zone around the panning anchor, in pixels.
constexpr int kPanningDeadZone = 8;
constexpr UINT kPanningInterval = 20;

}  // namespace

UINT TBaseLazyTree::WheelScrollLines()
{
  UINT lines = 3;
  if (!SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
    lines = 3;
  return lines;
}

bool TBaseLazyTree::DoSetOffsetXY(TPoint Value, unsigned Options, const TRect* ClipRect)
{
  int clientWidth = HasWindow() ? ClientWidth() : Width();
  int clientHeight = HasWindow() ? ClientHeight() : Height();
  int x = std::min(0, std::max(Value.x, clientWidth - FRangeX));
  int y = std::min(0, std::max(Value.y, clientHeight - RangeY()));
  int dx = x - FOffsetX, dy = y - FOffsetY;
  if (!dx && !dy)
    return false;
  FOffsetX = x;
  FOffsetY = y;
  ChangeStates({}, {tsHint});
  if (HasWindow() && !IsUpdating()) {
    if (Options & suoScrollClientArea) {
      if (HasPaintOption(toShowBackground) && FBackground) {
        Invalidate();
      } else {
        TRect clip = ClipRect ? *ClipRect : ClientRect();
        ScrollWindow(Handle(), dx, dy, &clip, &clip);
      }
    }
    if (Options & suoUpdateNCArea) {
      if (dx && !FStates.Contains(tsSizing))
        UpdateScrollBars((Options & suoRepaintScrollBars) != 0);
      if (dy && !FStates.Contains(tsSizing) && !FStates.Contains(tsThumbTracking))
        UpdateScrollBars((Options & suoRepaintScrollBars) != 0);
    }
    if (FMouseInside) {
      TPoint p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      TRect client = ClientRect();
      if (PtInRect(&client, p))
        HandleHotTrack(p.x, p.y);
    }
  }
  DoScroll(dx, dy);
  return true;
}

void TBaseLazyTree::HandleScrollMessage(TMessage& Message, bool Horizontal)
{
  auto& scroll = MessageAs<TWMScroll>(Message);
  int offset = Horizontal ? FOffsetX : FOffsetY;
  int increment = Horizontal ? FScrollBarOptions->HorizontalIncrement() : FScrollBarOptions->VerticalIncrement();
  int page = Horizontal ? ClientWidth() : ClientHeight();
  int target = offset;
  bool set = true;
  switch (scroll.ScrollCode) {
    case SB_LINEUP: target = offset + increment; break;
    case SB_LINEDOWN: target = offset - increment; break;
    case SB_PAGEUP: target = offset + page; break;
    case SB_PAGEDOWN: target = offset - page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = Horizontal ? -FRangeX : -int(FRoot->SubtreeHeight); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      ChangeStates({tsThumbTracking}, {});
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), Horizontal ? SB_HORZ : SB_VERT, &info);
      target = -info.nTrackPos;
      break;
    }
    case SB_ENDSCROLL:
      set = false;
      ChangeStates({}, {tsThumbTracking});
      UpdateScrollBars(!Horizontal);
      break;
    default: set = false;
  }
  if (set) {
    if (Horizontal)
      DoSetOffsetXY(TPoint(target, FOffsetY), suoAll);
    else
      DoSetOffsetXY(TPoint(FOffsetX, target), suoAll);
  }
  Message.Result = 0;
}

void TBaseLazyTree::HandleMouseWheel(TMessage& Message)
{
  StopWheelPanning();
  TAliveToken alive = AliveToken();
  TCustomControl::WndProc(Message);
  if (!*alive || Message.Result != 0)
    return;
  Message.Result = 1;
  auto& wheel = MessageAs<TWMMouseWheel>(Message);
  int delta = wheel.WheelDelta;
  bool ctrl = (wheel.Keys & MK_CONTROL) != 0;
  if (ClientHeight() < RangeY()) {
    int pixels;
    if (ctrl)
      pixels = ClientHeight() / int(FDefaultNodeHeight) * (delta / 120) * int(FDefaultNodeHeight);
    else
      pixels = WheelScrollPixels(delta, WheelScrollLines(), int(FDefaultNodeHeight), ClientHeight());
    DoSetOffsetXY(TPoint(FOffsetX, FOffsetY + pixels), suoAll);
  } else {
    int steps = ctrl ? ClientWidth() / int(FIndent) * (delta / 120) : delta / 120;
    DoSetOffsetXY(TPoint(FOffsetX + steps * int(FIndent), FOffsetY), suoAll);
  }
}

bool TBaseLazyTree::CanAutoScroll()
{
  bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
  if (!HasAutoOption(toAutoScroll) && !panning)
    return false;
  bool dropTarget = FDragManager && FDragManager->GetIsDropTarget();
  return IsMouseSelecting() || FStates.Contains(tsLibDragging) || panning || dropTarget;
}

unsigned TBaseLazyTree::AutoScrollSidesAt(TPoint P)
{
  if (!CanAutoScroll())
    return 0;
  unsigned sides = 0;
  if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
    int dx = P.x - FPanningAnchor.x, dy = P.y - FPanningAnchor.y;
    if (dx < -kPanningDeadZone)
      sides |= asLeft;
    else if (dx > kPanningDeadZone)
      sides |= asRight;
    if (dy < -kPanningDeadZone)
      sides |= asUp;
    else if (dy > kPanningDeadZone)
      sides |= asDown;
    return sides;
  }
  int edge = int(FDefaultNodeHeight);
  int width = ClientWidth(), height = ClientHeight();
  if (P.x < edge && FOffsetX != 0)
    sides |= asLeft;
  if (width - FOffsetX < FRangeX && P.x > width - edge)
    sides |= asRight;
  if (P.y < edge && FOffsetY != 0)
    sides |= asUp;
  if (height - FOffsetY < RangeY() && P.y > height - edge)
    sides |= asDown;
  if (!sides)
    return 0;
  // Inside the control the scroll waits for the delay; beyond it, it starts at once.
  TRect client = ClientRect();
  if (!PtInRect(&client, P))
    return sides;
  std::uint64_t now = GetTickCount64();
  if (FAutoScrollStart == 0)
    FAutoScrollStart = now;
  return now - FAutoScrollStart >= FAutoScrollDelay ? sides : 0;
}

void TBaseLazyTree::AutoScrollCheck(TPoint P)
{
  FAutoScrollSides = AutoScrollSidesAt(P);
  if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling))
    return;
  if (!FAutoScrollSides) {
    if (FStates.Contains(tsScrolling) || FStates.Contains(tsScrollPending))
      StopAutoScroll();
  } else if (!FStates.Contains(tsScrolling) && !FStates.Contains(tsScrollPending)) {
    ChangeStates({tsScrollPending}, {});
    SetTimer(Handle(), kScrollTimer, FAutoScrollDelay, nullptr);
  }
}

void TBaseLazyTree::StopAutoScroll()
{
  StopTimer(kScrollTimer);
  ChangeStates({}, {tsScrolling, tsScrollPending});
  FAutoScrollStart = 0;
}

void TBaseLazyTree::AutoScrollTimerElapsed()
{
  if (FStates.Contains(tsScrollPending)) {
    ChangeStates({tsScrolling}, {tsScrollPending, tsHint});
    SetTimer(Handle(), kScrollTimer, FAutoScrollInterval, nullptr);
  }
  TimerScrollStep();
}

void TBaseLazyTree::TimerScrollStep()
{
  TPoint cursor;
  GetCursorPos(&cursor);
  cursor = ScreenToClient(cursor);
  TRect client = ClientRect();
  bool inClient = PtInRect(&client, cursor);
  bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
  bool band = FStates.Contains(tsDrawSelecting);
  if (!inClient && !band && !panning)
    return;
  int dx = 0, dy = 0;
  unsigned sides = FAutoScrollSides;
  int vInc = std::min(FScrollBarOptions->VerticalIncrement(), ClientHeight());
  int hInc = FScrollBarOptions->HorizontalIncrement();
  if (sides & asUp) {
    dy = panning ? FPanningAnchor.y - cursor.y - kPanningDeadZone
                 : inClient ? vInc : vInc * std::abs(cursor.y - client.Top);
    if (FOffsetY == 0)
      sides &= ~asUp;
  }
  if (sides & asDown) {
    dy = panning ? FPanningAnchor.y - cursor.y + kPanningDeadZone
                 : inClient ? -vInc : -vInc * std::abs(cursor.y - client.Bottom);
    if (ClientHeight() - FOffsetY == RangeY())
      sides &= ~asDown;
  }
  if (sides & asLeft) {
    dx = panning ? FPanningAnchor.x - cursor.x - kPanningDeadZone
                 : inClient ? hInc : hInc * std::abs(cursor.x - client.Left);
    if (FOffsetX == 0)
      sides &= ~asLeft;
  }
  if (sides & asRight) {
    dx = panning ? FPanningAnchor.x - cursor.x + kPanningDeadZone
                 : inClient ? -hInc : -hInc * std::abs(cursor.x - client.Right);
    if (ClientWidth() - FOffsetX == FRangeX)
      sides &= ~asRight;
  }
  FAutoScrollSides = sides;
  if (dx || dy) {
    DoSetOffsetXY(TPoint(FOffsetX + dx, FOffsetY + dy), suoAll);
    if (band) {
      FLastSelRect = FNewSelRect;
      FNewSelRect.Right = std::clamp(cursor.x - FOffsetX, 0, std::max(ClientWidth(), FRangeX));
      FNewSelRect.Bottom = std::clamp(cursor.y - FOffsetY, 0, std::max(ClientHeight(), RangeY()));
      HandleBandSelection();
      Invalidate();
    }
  }
  UpdateWindow(Handle());
  if (!FAutoScrollSides && !panning)
    StopAutoScroll();
}

void TBaseLazyTree::StartWheelPanning(TPoint Anchor)
{
  StopTimer(kScrollTimer);
  FPanningAnchor = Anchor;
  ChangeStates({tsWheelPanning, tsWheelScrolling}, {});
  bool wider = FRangeX > ClientWidth(), taller = RangeY() > ClientHeight();
  FPanningWindow = std::make_unique<TPanningWindow>(Handle(), ClientToScreen(Anchor),
                                                    wider && taller ? "LT_MOVEALL" : wider ? "LT_MOVEEW" : "LT_MOVENS");
  SetMouseCapture(true);
  SetTimer(Handle(), kScrollTimer, kPanningInterval, nullptr);
  UpdatePanningCursor(Anchor);
}

HWND TBaseLazyTree::PanningWindow() const
{
  return FPanningWindow ? FPanningWindow->Handle() : nullptr;
}

void TBaseLazyTree::UpdatePanningCursor(TPoint P)
{
  HCURSOR cursor = LoadCursor(HInstance(), PanningCursorName(P));
  if (cursor == FPanningCursor) {
    if (cursor)
      DestroyCursor(cursor);
    return;
  }
  if (FPanningCursor)
    DestroyCursor(FPanningCursor);
  FPanningCursor = cursor;
  ::SetCursor(cursor);
}

void TBaseLazyTree::StopWheelPanning()
{
  if (!FStates.Contains(tsWheelPanning) && !FStates.Contains(tsWheelScrolling))
    return;
  StopTimer(kScrollTimer);
  SetMouseCapture(false);
  ChangeStates({}, {tsWheelPanning, tsWheelScrolling});
  FAutoScrollSides = 0;
  FPanningWindow.reset();
  if (FPanningCursor) {
    DestroyCursor(FPanningCursor);
    FPanningCursor = nullptr;
  }
  ::SetCursor(Screen()->Cursors(Cursor()));
}

const char* TBaseLazyTree::PanningCursorName(TPoint P)
{
  int dx = P.x - FPanningAnchor.x, dy = P.y - FPanningAnchor.y;
  bool wider = FRangeX > ClientWidth(), taller = RangeY() > ClientHeight();
  bool moved = std::abs(dx) > 7 || std::abs(dy) > 7;
  if (!moved)
    return !wider ? "LT_MOVENS" : taller ? "LT_MOVEALL" : "LT_MOVEEW";
  if (wider && taller) {
    if (dx < -8)
      return dy < -8 ? "LT_MOVENW" : dy < 9 ? "LT_MOVEW" : "LT_MOVESW";
    if (dx < 9)
      return P.y < FPanningAnchor.y ? "LT_MOVEN" : "LT_MOVES";
    return dy < -8 ? "LT_MOVENE" : dy < 9 ? "LT_MOVEE" : "LT_MOVESE";
  }
  if (wider)
    return P.x < FPanningAnchor.x ? "LT_MOVEW" : "LT_MOVEE";
  return P.y < FPanningAnchor.y ? "LT_MOVEN" : "LT_MOVES";
}
