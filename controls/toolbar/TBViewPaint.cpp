// The view's painting: every viewer, or one viewer off-screen, and the
// flicker-free repaint after a layout change.
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"

void TTBView::PaintAllViewers(TCanvas* Canvas)
{
  EnsureLayout();
  bool firstPaint = FFlags & vfFirstPaint;
  for (TTBItemViewer* v : std::vector<TTBItemViewer*>(FViewers))
    if (firstPaint || v != FSelected)
      PaintViewer(v, Canvas, false);
  // The selection last, so its look lies over its neighbours.
  if (!firstPaint && FSelected)
    PaintViewer(FSelected, Canvas, false);
  ExcludeFlags(vfFirstPaint);
}

void TTBView::PaintViewer(TTBItemViewer* Viewer, TCanvas* Canvas, bool Offscreen)
{
  EnsureLayout();
  if (Viewer->FViewerFlags & TTBItemViewer::RepaintRequestedFlag) {
    Viewer->FViewerFlags &= BYTE(~TTBItemViewer::RepaintRequestedFlag);
    Offscreen = true;
  }
  const TRect& bounds = Viewer->BoundsRect;
  if (!Viewer->Shown() || bounds.IsEmpty() || dynamic_cast<TTBControlItem*>(Viewer->Item()))
    return;
  HDC dc = Canvas->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
  TRect clip;
  if (GetClipBox(dc, &clip) == NULLREGION || clip.IsEmpty()) {
    RestoreDC(dc, saved);
    return;
  }
  TCanvas* target = Canvas;
  TCanvas offscreenCanvas;
  HDC memDC = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  if (Offscreen) {
    memDC = CreateCompatibleDC(dc);
    bitmap = CreateCompatibleBitmap(dc, bounds.Width(), bounds.Height());
    oldBitmap = SelectObject(memDC, bitmap);
    SetWindowOrgEx(memDC, bounds.Left, bounds.Top, nullptr);
    if (FWindow && FWindow->HandleAllocated())
      SendMessage(FWindow->Handle(), WM_ERASEBKGND, WPARAM(memDC), 0);
    SetWindowOrgEx(memDC, 0, 0, nullptr);
    offscreenCanvas.SetHandle(memDC);
    target = &offscreenCanvas;
  } else {
    OffsetWindowOrgEx(dc, -bounds.Left, -bounds.Top, nullptr);
    SetBrushOrgEx(dc, bounds.Left & 1, bounds.Top & 1, nullptr);
  }
  bool selected = Viewer == FSelected;
  bool toolbarStyle = Viewer->UsesToolbarStyle();
  if (selected && !toolbarStyle) {
    target->Brush()->SetColor(FlatMenusEnabled() ? TColor(clSystemColor | COLOR_MENUHILIGHT) : clHighlight);
  } else {
    target->Brush()->SetStyle(bsClear);
  }
  target->Font()->Assign(CaptionFont());
  bool shadow = false;
  if (Viewer->Item()->Enabled()) {
    target->Font()->SetColor(selected && !toolbarStyle ? clHighlightText : toolbarStyle ? clBtnText : clMenuText);
  } else {
    target->Font()->SetColor(clGrayText);
    TColor windowColor = FWindow ? FWindow->Color() : clMenu;
    if (toolbarStyle)
      shadow = true;
    else if (selected)
      shadow = windowColor == clGrayText;
    else
      shadow = windowColor == clBtnFace || windowColor == clGrayText;
  }
  bool pushed = selected && (FOpenViewer == Viewer || (FMouseOnSelected && FMouseCaptured));
  Viewer->Paint(target, TRect(0, 0, bounds.Width(), bounds.Height()), selected, pushed, shadow);
  if (Offscreen) {
    offscreenCanvas.SetHandle(nullptr);
    BitBlt(dc, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), memDC, 0, 0, SRCCOPY);
    SelectObject(memDC, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memDC);
  } else {
    // The canvas selected objects of its own into the DC: give them back.
    Canvas->Refresh();
  }
  RestoreDC(dc, saved);
}

void TTBView::InvalidateViewer(TTBItemViewer* Viewer)
{
  if (!FLayoutValid || !FWindow || !FWindow->HandleAllocated())
    return;
  if (!Viewer->Shown() || Viewer->BoundsRect.IsEmpty() || dynamic_cast<TTBControlItem*>(Viewer->Item()))
    return;
  Viewer->FViewerFlags |= TTBItemViewer::RepaintRequestedFlag;
  InvalidateRect(FWindow->Handle(), &Viewer->BoundsRect, FALSE);
}

void TTBView::RepaintAfterLayout()
{
  HWND wnd = FWindow->Handle();
  TRect client;
  GetClientRect(wnd, &client);
  if (!IsWindowVisible(wnd) || client.IsEmpty())
    return;
  HDC dc = GetDC(wnd);
  HDC memDC = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.Width(), client.Height());
  HGDIOBJ old = SelectObject(memDC, bitmap);
  SendMessage(wnd, WM_ERASEBKGND, WPARAM(memDC), 0);
  SendMessage(wnd, WM_PAINT, WPARAM(memDC), 0);
  BitBlt(dc, 0, 0, client.Width(), client.Height(), memDC, 0, 0, SRCCOPY);
  SelectObject(memDC, old);
  DeleteObject(bitmap);
  DeleteDC(memDC);
  ReleaseDC(wnd, dc);
  ValidateRect(wnd, nullptr);
}
