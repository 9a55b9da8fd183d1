// The tree's window and its frame: the creation parameters (border, scroll
// bars, redraw and reading-direction styles), window creation, the border
// style, and the non-client painting of the header, border and bevels.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/win/win.h"

void TBaseLazyTree::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  static constexpr DWORD kScrollStyles[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  Params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS | kScrollStyles[int(FScrollBarOptions->ScrollBars())];
  if (HasMiscOption(toFullRepaintOnResize)) {
    Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
  } else {
    // Class styles belong to the class, which is registered once: trees that
    // repaint only what a resize uncovers get a class of their own.
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
    Params.AddClassNameSuffix('P');
  }
  Params.Style &= ~DWORD(WS_BORDER);
  Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  if (FBiDiMode != bdLeftToRight)
    Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
}

void TBaseLazyTree::CreateWnd()
{
  ChangeStates({tsWindowCreating}, {});
  {
    ScopeExit created([&] { ChangeStates({}, {tsWindowCreating}); });
    TCustomControl::CreateWnd();
  }
  UpdateThemeState();
  PrepareButtonBitmaps(true, true);
  if (HasMiscOption(toAcceptOLEDrop))
    RegisterAsDropTarget(true);
  // The scroll-bar styles show both bars at first: keep only those needed.
  UpdateScrollBars(true);
}

void TBaseLazyTree::RecreateWindowIfShown()
{
  if (HasWindow() && !ComponentState().Contains(csLoading))
    RecreateWnd();
}

void TBaseLazyTree::SetBorderStyle(TBorderStyle Value)
{
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  RecreateWindowIfShown();
}

void TBaseLazyTree::CMCtl3DChanged(TMessage& Message)
{
  TCustomControl::WndProc(Message);
  // Ctl3D decides between the client edge and the plain border.
  if (FBorderStyle == bsSingle)
    RecreateWindowIfShown();
}

void TBaseLazyTree::WMNCPaintFrame(TMessage& Message)
{
  // The platform's part first (client edge or plain border, scroll bars):
  // the class library's own bevel painting would use the control's colour.
  DefaultHandler(Message);
  auto region = reinterpret_cast<HRGN>(Message.WParam);
  // A WM_PRINT of the frame brings the DC to print into.
  HDC printDC = reinterpret_cast<HDC>(Message.LParam);
  HDC dc = printDC;
  if (!dc)
    dc = reinterpret_cast<std::uintptr_t>(region) > 1
             ? GetDCEx(Handle(), region, DCX_WINDOW | DCX_INTERSECTRGN | DCX_CACHE | DCX_CLIPSIBLINGS)
             : GetWindowDC(Handle());
  if (!dc)
    return;
  TRect header = HeaderRectInWindow();
  if (!header.IsEmpty())
    FHeader->PaintHeader(dc, header, FOffsetX, Enabled());
  HBRUSH border = CreateSolidBrush(ColorToRGB(FColors->Color(BorderColor)));
  PaintBorderAndBevel(dc, border);
  DeleteObject(border);
  if (!printDC)
    ReleaseDC(Handle(), dc);
}
