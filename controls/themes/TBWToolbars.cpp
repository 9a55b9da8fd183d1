#include "controls/themes/TBWToolbars.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWFloating.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/TBWViewers.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"

// The view and the chevron

void TTBWToolbarView::LayoutMargins(TTBViewAxis AAxis, TRect& Margins)
{
  std::uint32_t kind = ViewKindOfComponent(Owner());
  if (kind & (VT_KINDMASK_TOOLBAR | VT_DOCKPANEL)) {
    if (AAxis == tbaFloating)
      kind |= VT_FLOATING;
    else
      kind &= ~VT_FLOATING;
  }
  ItemMarginSet m;
  ActiveTheme().GetViewMargins(kind, m);
  Margins = TRect(m.Left, m.Top, m.Right, m.Bottom);
}

TTBItemViewer* TTBWChevronItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBWChevronItemViewer(AView, this, InlineDepth);
}

TTBPopupWindow* TTBWChevronItem::NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing)
{
  return NewThemedPopupWindow<TTBWChevronPopupWindow>(ParentView, ShownItem, Customizing);
}

void TTBWChevronItem::FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Pl)
{
  FitPopupPositionOverlapping(this, ParentView, PopupWindow, Pl);
}

void TTBWChevronItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed, bool)
{
  TTBWItemInfo info{};
  info.ViewKind = ViewKindOf(View());
  info.ItemOptions = IO_TOOLBARSTYLE;
  if (Item()->ComponentState().Contains(csDesigning))
    info.ItemOptions |= IO_DESIGNING;
  info.Enabled = Item()->Enabled() || View()->Customizing();
  info.Pushed = IsPushed;
  info.HoverKind = HoverKindOf(View(), IsSelected, info.Enabled);
  info.IsVertical = View()->Axis() == tbaVertical;
  ActiveTheme().DrawChevronGlyph(Canvas, ClientAreaRect, info);
}

// The toolbar

namespace {

TTBChevronItem* NewThemedChevronItem(TTBCustomToolbar* Toolbar) { return new TTBWChevronItem(Toolbar); }
TTBToolbarView* NewThemedView(TTBCustomToolbar* Toolbar, TTBCustomItem* RootItem, bool UsePriorityList)
{
  return new TTBWToolbarView(Toolbar, RootItem, UsePriorityList);
}

}  // namespace

TTBWToolbar::TTBWToolbar(TComponent* AOwner)
    : TTBCustomToolbar(AOwner, TTBToolbarClasses{&NewThemedChevronItem, &NewThemedView}), FEffectiveColor(Color())
{
  AddThemeClient(this);
  SetColor(clNone);
  TControlStyle style = ControlStyle();
  style -= csOpaque;
  SetControlStyle(style);
  SetDblClickUndock(false);
}

TTBWToolbar::~TTBWToolbar() { RemoveThemeClient(this); }

std::uint32_t TTBWToolbar::ViewKind()
{
  std::uint32_t kind = MenuBar() ? VT_MENUBAR : VT_TOOLBAR;
  if (Floating()) {
    kind |= VT_FLOATING;
    // Only a floating toolbar can be resized by its frame.
    if (Resizable())
      kind |= VT_RESIZABLE;
  }
  if (FItemTransparency == itDisable || (FItemTransparency == itAuto && StandsOnForm()))
    kind |= VT_ITEMSOPAQUE;
  return kind;
}

void TTBWToolbar::UpdateEffectiveColor()
{
  if (Color() != clNone)
    FEffectiveColor = Color();
  else if (StandsOnForm() && Parent())
    FEffectiveColor = GetEffectiveColor(Parent());
  else
    FEffectiveColor = ActiveTheme().GetViewColor(ViewKind());
  View()->SetFillColor(FEffectiveColor);
}

void TTBWToolbar::TellChildrenColor()
{
  TMessage message;
  message.Msg = CM_PARENTCOLORCHANGED;
  message.WParam = 1;
  message.LParam = LPARAM(FEffectiveColor);
  Broadcast(message);
}

void TTBWToolbar::SetItemTransparency(TTBWItemTransparency Value)
{
  FItemTransparency = Value;
  Invalidate();
}

void TTBWToolbar::SetSnapDistance(int Value)
{
  FSnapDistance = Value < 0 ? 0 : Value;
  HandSnapDistance(Parent(), FSnapDistance);
}

void TTBWToolbar::SetParent(TWinControl* AParent)
{
  TTBCustomToolbar::SetParent(AParent);
  // Docked, floating or on a form, the toolbar takes another colour.
  UpdateEffectiveColor();
  HandSnapDistance(Parent(), FSnapDistance);
}

TTBFloatingWindowParent* TTBWToolbar::NewFloatingFrame() { return new TTBWFloatingWindowParent(nullptr); }

void TTBWToolbar::FloatingFrameSize(TPoint& Size)
{
  ActiveTheme().GetViewFrameSize(ViewKind() | VT_FLOATING, Size);
}

void TTBWToolbar::GetWindowPaintState(WindowPaintState& State)
{
  State = WindowPaintState();
  State.WindowHandle = HandleAllocated() ? Handle() : nullptr;
  State.ViewKind = ViewKind();
  TTBDock* dock = CurrentDock();
  State.IsVertical = dock && dock->IsVertical();
  State.AllowDrag = dock && dock->AllowDrag();
  State.DragHandleStyle = DragHandleStyle();
  State.ClientWidth = ClientWidth();
  State.ClientHeight = ClientHeight();
  if (State.AllowDrag && CloseButtonWhenDocked()) {
    State.CloseButtonState = CDBS_VISIBLE;
    if (CloseBoxPressed())
      State.CloseButtonState |= CDBS_PRESSED;
    else if (CloseBoxHot())
      State.CloseButtonState |= CDBS_HOT;
  }
  State.BorderStyle = std::uint8_t(BorderStyle());
  ActiveTheme().GetViewFrameSize(State.ViewKind, State.BorderSize);
  State.EffectiveColor = FEffectiveColor;
}

bool TTBWToolbar::DockBackgroundOnToolbar()
{
  TTBDock* dock = CurrentDock();
  return Docked() && dock->UsesBackground() && dock->BackgroundOnToolbars();
}

void TTBWToolbar::ClipToDockedFrame(HDC DC, HRGN Clip, const WindowPaintState& State, const TRect& WindowRect)
{
  ClipToNCUpdateRegion(Handle(), DC, Clip);
  TRect inner = WindowRect;
  InflateRect(&inner, -State.BorderSize.x, -State.BorderSize.y);
  (State.IsVertical ? inner.Top : inner.Left) += GetDragHandleSize(State);
  ExcludeClipRect(DC, inner.Left, inner.Top, inner.Right, inner.Bottom);
}

void TTBWToolbar::PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip)
{
  if (!Docked() || !HandleAllocated())
    return;
  TTBWTheme& theme = ActiveTheme();
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  WindowPaintState state;
  GetWindowPaintState(state);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  const int saved = SaveDC(dc);
  if (!ForPrint)
    ClipToDockedFrame(dc, Clip, state, r);
  TCanvas canvas;
  canvas.SetHandle(dc);
  TTBDock* dock = CurrentDock();
  if (theme.HasFeature(TBF_FILLNCAREA)) {
    canvas.Brush()->SetColor(FEffectiveColor);
  } else if (dock->UsesBackground()) {
    canvas.Brush()->SetColor(FEffectiveColor);
    // The window DC's (0, 0) is the toolbar's top-left in the dock.
    const int inDock = SaveDC(dc);
    SetWindowOrgEx(dc, Left(), Top(), nullptr);
    dock->DrawBackground(dc, TRect(Left(), Top(), Left() + Width(), Top() + Height()));
    RestoreDC(dc, inDock);
    if (Color() == clNone && dock->BackgroundOnToolbars())
      canvas.Brush()->SetStyle(bsClear);
  } else {
    HBRUSH fill = CreateSolidBrush(ColorToRGB(GetEffectiveColor(dock)));
    FillRect(dc, &r, fill);
    DeleteObject(fill);
    canvas.Brush()->SetColor(FEffectiveColor);
  }
  theme.DrawDockableFrame(&canvas, r, state);
  canvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}

void TTBWToolbar::EraseBackground(TMessage& Message)
{
  HDC dc = HDC(Message.WParam);
  const TRect client = ClientRect();
  bool painted = false;
  if (Color() == clNone) {
    if (DockBackgroundOnToolbar() && !ActiveTheme().HasFeature(TBF_DOCKBACKGROUNDNOTBEHINDTOOLBARS)) {
      PaintDockBackgroundBehind(CurrentDock(), this, dc, client);
      painted = true;
    } else if (StandsOnForm()) {
      PaintParentBackground(this, dc, client);
      painted = true;
    }
  }
  TCanvas canvas;
  canvas.SetHandle(dc);
  const TRect inDock = Docked() ? BoundsRect() : TRect();
  ActiveTheme().DrawViewBackground(&canvas, inDock, client, client, FEffectiveColor, painted, ViewKind());
  canvas.SetHandle(nullptr);
  Message.Result = 1;
}

void TTBWToolbar::ThemeChanged(WPARAM SubCode)
{
  switch (SubCode) {
  case TSC_BEFOREVIEWCHANGE:
    BeginUpdate();
    break;
  case TSC_AFTERVIEWCHANGE:
    // The new theme measures items and frames differently.
    View()->InvalidateLayout();
    EndUpdate();
    UpdateEffectiveColor();
    if (Floating() && FloatFrame())
      UpdateWindowFrame(FloatFrame());
    else
      UpdateWindowFrame(this);
    Invalidate();
    Arrange();
    TellChildrenColor();
    break;
  case TSC_APPACTIVATE:
  case TSC_APPDEACTIVATE:
    if (MenuBar())
      Invalidate();
    break;
  default:
    break;
  }
}

void TTBWToolbar::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case TBWM_GETVIEWKIND:
    Message.Result = LRESULT(ViewKind());
    return;
  case TBWM_GETEFFECTIVECOLOR:
    Message.WParam = WPARAM(FEffectiveColor);
    Message.Result = 1;
    return;
  case TBWM_THEMECHANGE:
    ThemeChanged(Message.WParam);
    return;
  case CM_COLORCHANGED:
    TTBCustomToolbar::Dispatch(Message);
    UpdateEffectiveColor();
    if (Docked() && HandleAllocated())
      RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    TellChildrenColor();
    Invalidate();
    return;
  case CM_PARENTCOLORCHANGED:
    if (StandsOnForm() && Color() == clNone) {
      UpdateEffectiveColor();
      if (Message.WParam == 0) {
        Message.WParam = 1;
        Message.LParam = LPARAM(FEffectiveColor);
      }
    }
    TTBCustomToolbar::Dispatch(Message);
    Invalidate();
    return;
  case CM_CONTROLCHANGE:
    TTBCustomToolbar::Dispatch(Message);
    if (Message.LParam != 0 && Color() == clNone)
      reinterpret_cast<TControl*>(Message.WParam)->Perform(CM_PARENTCOLORCHANGED, 1, LPARAM(FEffectiveColor));
    return;
  case WM_ERASEBKGND:
    EraseBackground(Message);
    return;
  case WM_SIZE: {
    TTBCustomToolbar::Dispatch(Message);
    auto* dock = dynamic_cast<TTBWDock*>(CurrentDock());
    if (Docked() && dock && dock->UsesBackground() && dock->BackgroundOnToolbars() && !dock->Resizing())
      RepaintBackgroundAroundItems(this, View());
    return;
  }
  default:
    TTBCustomToolbar::Dispatch(Message);
  }
}
