// The extended toolbar's messages: an immediate repaint after a size
// change, accelerators asked of its items, control items for dropped
// controls, backgrounds painted by the dock's or its own event, and hints
// drawn on the shared bitmap in wide text.
#include "controls/themes/TBWTheme.h"
#include "controls/themes/XTBBitmapHint.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/themes/XTBUnitObjects.h"
#include "controls/themes/XTBViewers.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"

TXTBDock* TXTBToolbar::PaintingDock() const
{
  auto* dock = Docked() ? dynamic_cast<TXTBDock*>(CurrentDock()) : nullptr;
  return dock && dock->OnDrawBackground ? dock : nullptr;
}

TRect TXTBToolbar::DockClientHere()
{
  TTBDock* dock = CurrentDock();
  TRect r = dock->ClientRect();
  const TPoint dockOrigin = dock->ClientOrigin(), origin = ClientOrigin();
  OffsetRect(&r, dockOrigin.x - origin.x, dockOrigin.y - origin.y);
  return r;
}

void TXTBToolbar::DialogCharMessage(TMessage& Message)
{
  // The items decide alone: the toolbar's own accelerator handling is not
  // asked.
  TTBRootItem* root = Items();
  for (int i = 0; i < root->Count(); ++i)
    if (auto* item = dynamic_cast<TXTBCustomItem*>(root->Items(i)); item && item->DialogChar(WORD(Message.WParam))) {
      Message.Result = 1;
      return;
    }
}

void TXTBToolbar::ControlListChanged(TMessage& Message)
{
  auto* control = reinterpret_cast<TControl*>(Message.WParam);
  const bool settled = !ComponentState().Contains(csLoading) && !ComponentState().Contains(csUpdating);
  if (FAutoControlItems && Message.LParam != 0 && control && settled && !ControlItemOf(control)) {
    AppendControlItem(Items()->Count(), control, Owner() ? Owner()->Owner() : nullptr);
    return;
  }
  TTBWToolbar::Dispatch(Message);
}

void TXTBToolbar::EraseBackground(TMessage& Message)
{
  HDC dc = HDC(Message.WParam);
  if (TXTBDock* dock = PaintingDock()) {
    dock->DrawBackground(dc, DockClientHere());
    Message.Result = 1;
    return;
  }
  if (!OnDrawBackground) {
    TTBWToolbar::Dispatch(Message);
    return;
  }
  TCanvas canvas;
  canvas.SetHandle(dc);
  ScopeExit release([&canvas] { canvas.SetHandle(nullptr); });
  const TRect r = Docked() && CurrentDock() ? DockClientHere() : ClientRect();
  bool paintDefault = true;
  DoDrawBackground(&canvas, r, pstPrePaint, paintDefault);
  if (paintDefault)
    TTBWToolbar::Dispatch(Message);
  paintDefault = true;
  DoDrawBackground(&canvas, r, pstPostPaint, paintDefault);
  Message.Result = 1;
}

void TXTBToolbar::PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip)
{
  TTBWToolbar::PaintDockedFrame(ForPrint, DC, Clip);
  TXTBDock* dock = PaintingDock();
  if (!dock || !HandleAllocated())
    return;
  // The dock's event paints over the whole frame, so the toolbar's edges
  // carry the same picture as the dock around it.
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  const int saved = SaveDC(dc);
  if (!ForPrint) {
    WindowPaintState state;
    GetWindowPaintState(state);
    ClipToDockedFrame(dc, Clip, state, r);
  }
  dock->DrawBackground(dc, r);
  RestoreDC(dc, saved);
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}

void TXTBToolbar::HintShow(TMessage& Message)
{
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  TBitmap* bitmap = SharedHintBitmap();
  auto* viewer = info && bitmap ? dynamic_cast<TXTBItemViewer*>(View()->ViewerFromPoint(info->CursorPos)) : nullptr;
  if (!viewer || viewer->BoundsRect.IsEmpty()) {
    TTBWToolbar::Dispatch(Message);
    return;
  }
  WideString hint = viewer->HintText();
  info->HintStr = WideToSystemText(hint);
  info->CursorRect = viewer->BoundsRect;
  info->HintWindowClass = &NewBitmapHint;
  info->HintData = bitmap;
  PrepareHintBitmap(bitmap, Font(), hint);
  bool paintDefault = true;
  static_cast<TXTBCustomItem*>(viewer->Item())->DoDrawHint(bitmap, hint, paintDefault);
  if (paintDefault)
    DoDrawHint(bitmap, hint, paintDefault);
  // Drawn in wide text: characters the system code page lacks still show.
  if (paintDefault)
    PaintHintBitmap(bitmap, hint);
  Message.Result = 0;
}

void TXTBToolbar::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_SIZE:
    TTBWToolbar::Dispatch(Message);
    Update();
    return;
  case CM_DIALOGCHAR:
    DialogCharMessage(Message);
    return;
  case CM_CONTROLLISTCHANGE:
    ControlListChanged(Message);
    return;
  case WM_ERASEBKGND:
    EraseBackground(Message);
    return;
  case CM_HINTSHOW:
    HintShow(Message);
    return;
  default:
    TTBWToolbar::Dispatch(Message);
  }
}
