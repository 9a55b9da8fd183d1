#include "controls/themes/TBWPopups.h"

#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWShadows.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/TBWViewers.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/base/Exception.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Canvas.h"

namespace {

constexpr int PopupShadowSize = 4;
constexpr BYTE PopupShadowOpacity = 61;

// The screen rectangle of a viewer.
TRect ScreenBoundsOf(TTBItemViewer* Viewer)
{
  const TRect& b = Viewer->BoundsRect;
  TWinControl* window = Viewer->View()->Window();
  TPoint tl = window ? window->ClientToScreen(TPoint(b.Left, b.Top)) : TPoint(b.Left, b.Top);
  return TRect(tl.x, tl.y, tl.x + b.Width(), tl.y + b.Height());
}

bool IsNT5OrLater()
{
  const DWORD v = GetVersion();
  return (v & 0x80000000u) == 0 && LOBYTE(LOWORD(v)) > 4;
}

}  // namespace

// The popup window

TTBWPopupWindow::TTBWPopupWindow(TComponent* AOwner, TTBView* ParentView, TTBCustomItem* Item, bool Customizing)
    : TTBPopupWindow(AOwner, ParentView, Item, Customizing)
{
}

TTBWPopupWindow::~TTBWPopupWindow() { FreeShadows(); }

TTBView* TTBWPopupWindow::CreatePopupView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing)
{
  return new TTBWPopupView(this, ParentView, Item, this, false, Customizing, false);
}

void TTBWPopupWindow::InitThemedView()
{
  const TColor color = ActiveTheme().GetViewColor(ViewKind());
  SetColor(color);
  View()->SetFillColor(color);
}

std::uint32_t TTBWPopupWindow::ViewKind()
{
  auto* item = View() ? dynamic_cast<TTBWCustomItem*>(View()->SourceItem()) : nullptr;
  return item && item->ToolBoxPopup() ? VT_TOOLBOXPOPUP : VT_POPUPMENU;
}

std::uint32_t TTBWChevronPopupWindow::ViewKind() { return VT_CHEVRONPOPUP; }

bool TTBWPopupWindow::WantsShadow() { return ViewKind() != VT_LISTBOX; }

TPoint TTBWPopupWindow::GetFrameSize()
{
  TPoint size;
  ActiveTheme().GetViewFrameSize(ViewKind(), size);
  return size;
}

void TTBWPopupWindow::CreateParams(TCreateParams& Params)
{
  TTBPopupWindow::CreateParams(Params);
  Params.WindowClass.style &= ~UINT(CS_DROPSHADOW | CS_SAVEBITS);
  if (WantsShadow() && ActiveTheme().GetPopupShadowKind() == PST_WINDOWSXP && IsNT51OrLater()) {
    // The system's shadow is a class style: shadowed popups get a class of their own.
    Params.WindowClass.style |= CS_DROPSHADOW;
    Params.AddClassNameSuffix('S');
  }
}

void TTBWPopupWindow::CreateShadows()
{
  const int kind = ActiveTheme().GetPopupShadowKind();
  if (kind == PST_WINDOWS2K && !IsNT5OrLater())
    return;
  FreeShadows();
  TRect parentRect;
  if (kind == PST_OFFICEXP) {
    if (TTBView* parentView = View()->ParentView()) {
      TTBItemViewer* opener = parentView->OpenViewer();
      const bool chevron = dynamic_cast<TTBWChevronPopupWindow*>(this) != nullptr;
      if (opener && (chevron || (dynamic_cast<TTBWItemViewer*>(opener) &&
                                 (ViewKindOf(parentView) & VT_POPUPMENU) != VT_POPUPMENU)))
        parentRect = ScreenBoundsOf(opener);
    } else if (!FExclusionRect.IsEmpty()) {
      parentRect = FExclusionRect;
    }
  }
  TRect bounds;
  GetWindowRect(Handle(), &bounds);
  FShadows = std::make_unique<TShadows>(parentRect, bounds, PopupShadowSize, PopupShadowOpacity,
                                        ThemeSystemState().LowColorDisplay);
  FShadows->Show(Handle());
}

void TTBWPopupWindow::FreeShadows() { FShadows.reset(); }

void TTBWPopupWindow::PaintFrame(HDC DC)
{
  if (!DC)
    throw EAssertionFailed("TTBWPopupWindow.WMNCPaint");
  TBWPopupNCPaintProc(Handle(), DC, View());
}

void TTBWPopupWindow::EraseBackground(TMessage& Message)
{
  StopShowAnimation(Handle());
  TCanvas canvas;
  canvas.SetHandle(HDC(Message.WParam));
  const TRect client = ClientRect();
  ActiveTheme().DrawViewBackground(&canvas, client, client, client, Color(), false, ViewKind());
  canvas.SetHandle(nullptr);
  Message.Result = 1;
}

void TTBWPopupWindow::WindowPosChanged(TMessage& Message)
{
  TTBPopupWindow::Dispatch(Message);
  const UINT flags = reinterpret_cast<WINDOWPOS*>(Message.LParam)->flags;
  if (flags & SWP_HIDEWINDOW) {
    FreeShadows();
  } else if (!(flags & SWP_SHOWWINDOW) && FShadows) {
    // A moved popup casts its shadow from where it is now.
    FreeShadows();
    CreateShadows();
  }
}

void TTBWPopupWindow::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case TBWM_GETVIEWKIND:
    Message.Result = LRESULT(ViewKind());
    return;
  case TBM_POPUPNOTIFY: {
    // 1: about to animate (left unanswered: animation allowed); 2 and 3:
    // shown, after or without an animation.
    const int kind = ActiveTheme().GetPopupShadowKind();
    if ((Message.WParam == 2 || Message.WParam == 3) && !ComponentState().Contains(csDestroying) &&
        HandleAllocated() && IsWindowVisible(Handle()) && WantsShadow() &&
        (kind == PST_OFFICEXP || kind == PST_WINDOWS2K))
      CreateShadows();
    Message.Result = 0;
    return;
  }
  case WM_WINDOWPOSCHANGED:
    WindowPosChanged(Message);
    return;
  case WM_ERASEBKGND:
    EraseBackground(Message);
    return;
  case CM_HINTSHOW:
    // The hint of the selected item, which then sees the query itself.
    TTBPopupWindow::Dispatch(Message);
    if (TTBView* view = View(); view && view->Selected())
      view->Selected()->Dispatch(Message);
    return;
  default:
    TTBPopupWindow::Dispatch(Message);
  }
}

void TBWPopupNCPaintProc(HWND Window, HDC DC, TTBView* View)
{
  if (!DC)
    throw EAssertionFailed("TBWPopupNCPaintProc");
  TTBWTheme& theme = ActiveTheme();
  PopupFramePaintState state;
  state.WindowHandle = Window;
  state.ViewKind = ViewKindOf(View);
  TRect windowRect;
  GetWindowRect(Window, &windowRect);
  auto toWindow = [&windowRect](TRect R) {
    OffsetRect(&R, -windowRect.Left, -windowRect.Top);
    return R;
  };
  if (TTBView* parentView = View->ParentView()) {
    TTBItemViewer* opener = parentView->OpenViewer();
    const bool chevron = state.ViewKind == VT_CHEVRONPOPUP;
    if (opener && (chevron || dynamic_cast<TTBWItemViewer*>(opener)) && opener->UsesToolbarStyle())
      state.ParentRect = toWindow(ScreenBoundsOf(opener));
  } else if (auto* root = dynamic_cast<TTBWRootItem*>(View->SourceItem());
             root && !root->PopupControlRect().IsEmpty()) {
    state.ParentRect = toWindow(root->PopupControlRect());
  }
  theme.GetViewFrameSize(state.ViewKind, state.BorderSize);
  state.Color = View->Window() ? View->Window()->Color() : clNone;
  TRect r(0, 0, windowRect.Width(), windowRect.Height());
  int saved = SaveDC(DC);
  ExcludeClipRect(DC, r.Left + state.BorderSize.x, r.Top + state.BorderSize.y, r.Right - state.BorderSize.x,
                  r.Bottom - state.BorderSize.y);
  TCanvas canvas;
  canvas.SetHandle(DC);
  theme.DrawPopupFrame(&canvas, r, state);
  canvas.SetHandle(nullptr);
  RestoreDC(DC, saved);
}

// The root item

void TTBWRootItem::Popup(bool SelectFirst, const TRect& ControlRect, TTBPopupAlignment Alignment)
{
  const TRect saved = FPopupControlRect;
  FPopupControlRect = ControlRect;
  ScopeExit restore([this, saved] { FPopupControlRect = saved; });
  RunPopup(SelectFirst, false, Alignment, TPoint(ControlRect.Left, ControlRect.Bottom));
}

TTBPopupWindow* TTBWRootItem::NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing)
{
  return NewThemedPopupWindow<TTBWPopupWindow>(ParentView, ShownItem, Customizing);
}

TTBPopupWindow* TTBWRootItem::CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                          bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                                          TTBPopupAlignment Alignment)
{
  TTBPopupWindow* window = TTBRootItem::CreatePopup(ParentView, ParentViewer, PositionAsSubmenu, SelectFirstItem,
                                                    Customizing, PopupPoint, Alignment);
  if (auto* themed = dynamic_cast<TTBWPopupWindow*>(window))
    themed->SetExclusionRect(FPopupControlRect);
  return window;
}

void TTBWRootItem::FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Pl)
{
  const TRect& C = FPopupControlRect;
  if (C.IsEmpty()) {
    TTBRootItem::FitPopupPosition(ParentView, PopupWindow, Pl);
  } else {
    Pl.ParentItemRect = C;
    const TRect& M = Pl.MonitorRect;
    if (Pl.Y + Pl.H > M.Bottom && C.Top - Pl.H >= M.Top)
      Pl.Y = C.Top - Pl.H;
    Pl.Y = std::max<int>(Pl.Y, M.Top);
    Pl.Y = std::min<int>(Pl.Y, M.Bottom - Pl.H);
    if (Pl.Alignment == tbpaRight)
      Pl.X = C.Right - Pl.W;
    Pl.X = std::min<int>(Pl.X, M.Right - Pl.W);
    Pl.X = std::max<int>(Pl.X, M.Left);
  }
  FitPopupPositionOverlapping(this, ParentView, PopupWindow, Pl);
}

// The popup menu

TTBWPopupMenu::TTBWPopupMenu(TComponent* AOwner)
    : TTBPopupMenu(AOwner, [](TTBPopupMenu* Menu) -> TTBRootItem* { return new TTBWRootItem(Menu); })
{
}

void TTBWPopupMenu::Dispatch(TMessage& Message)
{
  if (Message.Msg == TBWM_GETVIEWKIND)
    Message.Result = LRESULT(VT_POPUPMENU);
}
