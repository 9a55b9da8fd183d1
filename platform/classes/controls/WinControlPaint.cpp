// The painting of a windowed control: its own paint (directly or double
// buffered), its graphic children, the background, and the non-client frame
// of its border and bevel.
#include <algorithm>

#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/win/win.h"

// Frame

void TWinControl::SetBevelKind(TBevelKind Value)
{
  if (FBevelKind == Value)
    return;
  FBevelKind = Value;
  FrameChanged();
}

void TWinControl::SetBevelInner(TBevelCut Value)
{
  if (FBevelInnerCut == Value)
    return;
  FBevelInnerCut = Value;
  FrameChanged();
}

void TWinControl::SetBevelOuter(TBevelCut Value)
{
  if (FBevelOuterCut == Value)
    return;
  FBevelOuterCut = Value;
  FrameChanged();
}

void TWinControl::SetBevelEdges(TBevelEdges Value)
{
  if (FBevelEdges == Value)
    return;
  FBevelEdges = Value;
  FrameChanged();
}

void TWinControl::SetBevelWidth(int Value)
{
  if (Value < 1 || FBevelWidthValue == Value)
    return;
  FBevelWidthValue = Value;
  FrameChanged();
}

void TWinControl::FrameChanged()
{
  Perform(CM_BORDERCHANGED, 0, 0);
  if (FHandle)
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Realign();
}

namespace {

int BevelEdgeSize(TBevelCut inner, TBevelCut outer, int width)
{
  return (inner != bvNone ? width : 0) + (outer != bvNone ? width : 0);
}

}  // namespace

void TWinControl::WMNCCalcSize(TMessage& Message)
{
  DefaultHandler(Message);
  if (!Message.LParam)
    return;
  // wParam TRUE: the parameters, whose first rectangle becomes the client area.
  TRect& r = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                            : *reinterpret_cast<TRect*>(Message.LParam);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  if (FBevelKind == bkNone)
    return;
  InsetByBevel(r);
}

void TWinControl::InsetByBevel(TRect& R) const
{
  int edge = BevelEdgeSize(FBevelInnerCut, FBevelOuterCut, FBevelWidthValue);
  if (FBevelEdges.Contains(beLeft))
    R.Left += edge;
  if (FBevelEdges.Contains(beTop))
    R.Top += edge;
  if (FBevelEdges.Contains(beRight))
    R.Right -= edge;
  if (FBevelEdges.Contains(beBottom))
    R.Bottom -= edge;
}

TRect TWinControl::FrameInnerRect()
{
  // The window's own frame (plain border, sizing or dialog frame, edges),
  // as the platform reserves it; scroll bars are not part of it.
  TRect window;
  GetWindowRect(FHandle, &window);
  DWORD style = DWORD(GetWindowLongPtr(FHandle, GWL_STYLE)) & ~DWORD(WS_HSCROLL | WS_VSCROLL);
  DWORD exStyle = DWORD(GetWindowLongPtr(FHandle, GWL_EXSTYLE)) & ~DWORD(WS_EX_LEFTSCROLLBAR);
  TRect frame(0, 0, 0, 0);
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return TRect(-frame.Left, -frame.Top, window.Width() - frame.Right, window.Height() - frame.Bottom);
}

void TWinControl::PaintBorderAndBevel(HDC WindowDC, HBRUSH Fill)
{
  if (FBevelKind == bkNone && FBorderWidth <= 0)
    return;
  static const UINT inner[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER, 0};
  static const UINT outer[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER, 0};
  static const UINT kinds[] = {0, 0, BF_SOFT, BF_FLAT};
  int saved = SaveDC(WindowDC);
  TRect r = FrameInnerRect();
  // What the bevel rings leave of their room, the BorderWidth band and the
  // window's background between them take the fill.
  TRect fillArea = r;
  if (FBevelKind != bkNone) {
    DrawEdge(WindowDC, &fillArea, inner[int(FBevelInnerCut)] | outer[int(FBevelOuterCut)],
             UINT(FBevelEdges.ToInteger()) | kinds[int(FBevelKind)] | (Ctl3D() ? 0 : BF_MONO) | BF_ADJUST);
    InsetByBevel(r);
  }
  IntersectClipRect(WindowDC, fillArea.Left, fillArea.Top, fillArea.Right, fillArea.Bottom);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  ExcludeClipRect(WindowDC, r.Left, r.Top, r.Right, r.Bottom);
  FillRect(WindowDC, &fillArea, Fill);
  RestoreDC(WindowDC, saved);
}

void TWinControl::WMNCPaint(TMessage& Message)
{
  if (FBevelKind != bkNone || FBorderWidth > 0) {
    // A WM_PRINT of the frame brings the DC to print into.
    HDC printDC = HDC(Message.LParam);
    HDC dc = printDC ? printDC : GetWindowDC(FHandle);
    PaintBorderAndBevel(dc, FBrush->Handle());
    if (!printDC)
      ReleaseDC(FHandle, dc);
  }
  DefaultHandler(Message);
}

// Painting

void TWinControl::Invalidate()
{
  if (FHandle)
    InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update()
{
  if (FHandle)
    UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
  Invalidate();
  Update();
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY)
{
  if (FHandle && IsWindowVisible(FHandle))
    ScrollWindow(FHandle, DeltaX, DeltaY, nullptr, nullptr);
  for (TControl* control : std::vector<TControl*>(FControls))
    control->SetBounds(control->Left() + DeltaX, control->Top() + DeltaY, control->Width(), control->Height());
  for (TWinControl* control : std::vector<TWinControl*>(FWinControls))
    if (!control->HandleAllocated())
      control->SetBounds(control->Left() + DeltaX, control->Top() + DeltaY, control->Width(), control->Height());
    else
      control->UpdateBounds();
  Realign();
}

void TWinControl::PaintWindow(HDC DC)
{
  TMessage message;
  message.Msg = WM_PAINT;
  message.WParam = WPARAM(DC);
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
  std::size_t start = 0;
  if (First) {
    auto it = std::find(FControls.begin(), FControls.end(), First);
    if (it != FControls.end())
      start = std::size_t(it - FControls.begin());
  }
  for (std::size_t i = start; i < FControls.size(); ++i) {
    TControl* control = FControls[i];
    TRect bounds = control->BoundsRect();
    if (!control->Visible() || !RectVisible(DC, &bounds))
      continue;
    if (FControlState.Contains(csPaintCopy))
      control->FControlState.Include(csPaintCopy);
    int saved = SaveDC(DC);
    TPoint origin;
    GetWindowOrgEx(DC, &origin);
    SetWindowOrgEx(DC, origin.x - control->Left(), origin.y - control->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, control->Width(), control->Height());
    control->Perform(WM_PAINT, WPARAM(DC), 0);
    RestoreDC(DC, saved);
    control->FControlState.Exclude(csPaintCopy);
  }
}

void TWinControl::PaintHandler(TMessage& Message)
{
  HDC dc = HDC(Message.WParam);
  PAINTSTRUCT ps;
  if (!dc)
    dc = BeginPaint(FHandle, &ps);
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* control : FControls) {
      if (control->Visible() && control->ControlStyle().Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                               control->Top() + control->Height());
        if (clip == NULLREGION)
          break;
      }
    }
    if (clip != NULLREGION)
      PaintWindow(dc);
    RestoreDC(dc, saved);
  }
  PaintControls(dc, nullptr);
  if (!Message.WParam)
    EndPaint(FHandle, &ps);
}

void TWinControl::WMPaint(TMessage& Message)
{
  if (!FDoubleBuffered || Message.WParam) {
    if (!FControlState.Contains(csCustomPaint) && FControls.empty())
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  // Double buffered: paint into memory, then copy the result at once.
  TRect client;
  ::GetClientRect(FHandle, &client);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(client.Right, 1), std::max(client.Bottom, 1));
  ReleaseDC(nullptr, screen);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  // wParam == lParam tells WM_ERASEBKGND that it paints into memory.
  Perform(WM_ERASEBKGND, WPARAM(memory), LPARAM(memory));
  Message.WParam = WPARAM(memory);
  WMPaint(Message);
  Message.WParam = 0;
  BitBlt(dc, 0, 0, client.Right, client.Bottom, memory, 0, 0, SRCCOPY);
  EndPaint(FHandle, &ps);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
  if (!FDoubleBuffered || Message.WParam == WPARAM(Message.LParam)) {
    TRect client;
    ::GetClientRect(FHandle, &client);
    FillRect(HDC(Message.WParam), &client, FBrush->Handle());
  }
  Message.Result = 1;
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
  if (!FHandle)
    return;
  int saved = SaveDC(DC);
  TPoint origin;
  GetViewportOrgEx(DC, &origin);
  SetViewportOrgEx(DC, origin.x + X, origin.y + Y, nullptr);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  SendMessage(FHandle, WM_PRINT, WPARAM(DC), PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
  RestoreDC(DC, saved);
  for (TWinControl* child : FWinControls)
    if (child->Visible() && child->HandleAllocated())
      child->PaintTo(DC, X + child->Left(), Y + child->Top());
}

