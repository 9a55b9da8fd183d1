// The non-client area of a docked window: a two-pixel border, the drag
// handle with its grips at the leading edge and an optional close box; their
// hit codes, cursor, hot tracking and painting; and the modal loop of a
// pressed frame button.
#include <algorithm>

#include "controls/toolbar/TBCaptureLoop.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/classes/Messages.h"
#include "platform/win/win.h"

namespace {

// The close glyph, one row a byte, the high bit leftmost.
constexpr BYTE CloseGlyph[8] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00, 0x00};

void DrawCloseGlyph(HDC DC, int X, int Y)
{
  COLORREF color = GetSysColor(COLOR_BTNTEXT);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (CloseGlyph[y] & (0x80 >> x))
        SetPixel(DC, X + x, Y + y, color);
}

TPoint PointOfLParam(LPARAM L) { return TPoint(GET_X_LPARAM(L), GET_Y_LPARAM(L)); }

void DockedFramePainter(HWND, HDC DC, void* Data)
{
  static_cast<TTBCustomDockableWindow*>(Data)->PaintDockedFrame(true, DC, nullptr);
}

// The grip offsets of the handle: [CloseButtonWhenDocked][DragHandleStyle].
constexpr int GripOffsets[2][3] = {{2, 0, 1}, {3, 0, 5}};

}  // namespace

bool TTBCustomDockableWindow::TrackButton(HWND Window, const TRect& ScreenRect, Method<void(bool)> SetPressed)
{
  auto inside = [&ScreenRect] {
    TPoint p;
    GetCursorPos(&p);
    return PtInRect(&ScreenRect, p) != 0;
  };
  SetPressed(inside());
  SetCapture(Window);
  bool released = RunCaptureLoop(Window, [&] { SetPressed(inside()); }) == TCaptureLoopEnd::Released && inside();
  if (GetCapture() == Window)
    ReleaseCapture();
  SetPressed(false);
  return released;
}

void TTBCustomDockableWindow::SetCloseBoxHot(bool Value)
{
  if (FCloseBoxHot == Value)
    return;
  FCloseBoxHot = Value;
  RepaintWhole();
}

bool TTBCustomDockableWindow::DockedFrameMessage(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_NCCALCSIZE: {
    if (!FDocked)
      return false;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect& r = params->rgrc[0];
    InflateRect(&r, -2, -2);
    if (FCurrentDock->AllowDrag()) {
      if (FCurrentDock->IsVertical())
        r.Top += DragHandleSize();
      else
        r.Left += DragHandleSize();
    }
    Message.Result = 0;
    return true;
  }
  case WM_NCHITTEST: {
    if (!FDocked)
      return false;
    TCustomControl::Dispatch(Message);
    if (Message.Result == HTCLIENT)
      return true;
    TPoint p = PointOfLParam(Message.LParam);
    TRect wr;
    GetWindowRect(Handle(), &wr);
    p.x -= wr.Left;
    p.y -= wr.Top;
    TRect box;
    DockedCloseBox(FCurrentDock->IsVertical(), box);
    Message.Result = FCloseButtonWhenDocked && FCurrentDock->AllowDrag() && PtInRect(&box, p) ? HT_TB_CLOSE
                                                                                               : HT_TB_BORDER;
    return true;
  }
  case WM_SETCURSOR: {
    if (!FDocked || !FCurrentDock->AllowDrag() || HWND(Message.WParam) != Handle() ||
        LOWORD(Message.LParam) != HT_TB_BORDER || FDragHandleStyle == dhNone)
      return false;
    TPoint p;
    GetCursorPos(&p);
    TRect wr;
    GetWindowRect(Handle(), &wr);
    int along = FCurrentDock->IsVertical() ? p.y - wr.Top : p.x - wr.Left;
    if (along < DragHandleSize() + 2) {
      ::SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
      Message.Result = 1;
      return true;
    }
    return false;
  }
  case WM_NCLBUTTONDOWN: {
    if (!FDocked)
      return false;
    if (Message.WParam == WPARAM(HT_TB_BORDER)) {
      if (CanDrag()) {
        TPoint p = PointOfLParam(LPARAM(GetMessagePos()));
        ::ScreenToClient(Handle(), &p);
        RunDragLoop(p.x, p.y);
      }
      return true;
    }
    if (Message.WParam == WPARAM(HT_TB_CLOSE)) {
      TRect box, wr;
      DockedCloseBox(FCurrentDock->IsVertical(), box);
      GetWindowRect(Handle(), &wr);
      OffsetRect(&box, wr.Left, wr.Top);
      if (TrackButton(Handle(), box, Method<void(bool)>(this, &TTBCustomDockableWindow::SetCloseBoxPressed)))
        RequestClose();
      return true;
    }
    return false;
  }
  case WM_NCLBUTTONDBLCLK:
    if (!FDocked || Message.WParam != WPARAM(HT_TB_BORDER))
      return false;
    if (CanDrag())
      ToggleDocking();
    return true;
  case WM_NCMOUSEMOVE:
    if (!FDocked)
      return false;
    RequestMouseTracking(Handle(), TME_LEAVE | TME_NONCLIENT);
    SetCloseBoxHot(Message.WParam == WPARAM(HT_TB_CLOSE));
    return true;
  case WM_NCMOUSELEAVE:
    if (GetCapture() != Handle())
      SetCloseBoxHot(false);
    return false;
  case CM_MOUSELEAVE:
  case WM_MOUSEMOVE:
    SetCloseBoxHot(false);
    return false;
  case WM_NCPAINT:
    if (!FDocked)
      return false;
    PaintDockedFrame(false, nullptr, HRGN(Message.WParam));
    return true;
  case WM_PRINT:
    if (!FDocked)
      return false;
    Message.Result = PaintWindowToDC(Handle(), HDC(Message.WParam), Message.LParam, &DockedFramePainter, this);
    return true;
  case WM_ERASEBKGND:
    if (!FDocked || !FCurrentDock->UsesBackground())
      return false;
    FCurrentDock->DrawBackgroundAligned(this, HDC(Message.WParam));
    Message.Result = 1;
    return true;
  case WM_MOVE:
    TCustomControl::Dispatch(Message);
    if (FDocked && FCurrentDock->UsesBackground())
      RepaintWhole();
    if (!ComponentState().Contains(csLoading) && FMoveEventLock == 0 && OnMove)
      OnMove(this);
    return true;
  default:
    return false;
  }
}

void TTBCustomDockableWindow::PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip)
{
  if (!FDocked || !HandleAllocated())
    return;
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  if (!ForPrint)
    ClipToNCUpdateRegion(wnd, dc, Clip);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  const bool withBackground = FCurrentDock->UsesBackground() && FCurrentDock->BackgroundOnToolbars();
  const bool vertical = FCurrentDock->IsVertical();
  const int c = vertical ? ClientWidth() : ClientHeight();
  const int w = DragHandleSize();

  // 1. Outer ring.
  TRect ring = r;
  if (FBorderStyle == bsSingle)
    DrawEdge(dc, &ring, BDR_RAISEDINNER, BF_RECT);
  else
    FrameRect(dc, &ring, brush);
  // 2. Second ring: the brush, or the dock's background behind it.
  InflateRect(&ring, -1, -1);
  if (!withBackground)
    FrameRect(dc, &ring, brush);
  // 3. The drag handle and its grips.
  if (FCurrentDock->AllowDrag()) {
    if (FDragHandleStyle != dhNone) {
      int far = c + 2, nearEdge = 2;
      if (FCloseButtonWhenDocked) {
        if (vertical)
          far = c - w + 4;
        else
          nearEdge = w;
      }
      int grips = FDragHandleStyle == dhDouble ? 2 : 1, g = FDragHandleStyle == dhDouble ? 0 : 1;
      int start = GripOffsets[FCloseButtonWhenDocked ? 1 : 0][FDragHandleStyle] + 2;
      for (int i = 0; i < grips; ++i, start += 3) {
        TRect grip = vertical ? TRect(nearEdge + g, start, far - g, start + 3)
                              : TRect(start, nearEdge + g, start + 3, c + 2 - g);
        TRect edge = grip;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
        if (vertical)
          SetPixel(dc, far - g - 1, start, light);
        else
          SetPixel(dc, start, c + 2 - g - 1, light);
        ExcludeClipRect(dc, grip.Left, grip.Top, grip.Right, grip.Bottom);
      }
    }
    if (!withBackground) {
      TRect handle = vertical ? TRect(2, 2, c + 2, w + 2) : TRect(2, 2, w + 2, c + 2);
      FillRect(dc, &handle, brush);
    }
    // 4. The close box.
    if (FCloseButtonWhenDocked) {
      TRect box;
      DockedCloseBox(vertical, box);
      TRect edge = box;
      if (FCloseBoxPressed)
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
      else if (FCloseBoxHot)
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
      InflateRect(&box, -2, -2);
      if (FCloseBoxPressed)
        OffsetRect(&box, 1, 1);
      DrawCloseGlyph(dc, box.Left, box.Top);
    }
  }
  DeleteObject(brush);
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}
