// The toolbar: its parts (root item, chevron item, view), how it sizes itself
// in docks and floating, painting, and the mouse.
#include "controls/toolbar/TBToolbar.h"

#include <algorithm>

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBMenuFont.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/Hints.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/win.h"

namespace {

constexpr int ChevronSize = 12;

}  // namespace

// The toolbar view

TTBToolbarView::TTBToolbarView(TTBCustomToolbar* AToolbar, TTBCustomItem* ARootItem, bool AUsePriorityList)
    : TTBView(AToolbar, nullptr, ARootItem, AToolbar, true, false, AUsePriorityList), FToolbar(AToolbar)
{
  // The base made its viewers before the chevron item could be named.
  RecreateAllViewers();
}

void TTBToolbarView::SizeChanged(int AWidth, int AHeight)
{
  // The dock measures the row from the unshortened length (the items and the
  // view's margins), so that a toolbar longer than its row is shortened there
  // and shows its chevron.
  TRect margins;
  LayoutMargins(Axis(), margins);
  TPoint natural = NaturalSize();
  FToolbar->FNaturalContentSize =
      TPoint(natural.x + margins.Left + margins.Right, natural.y + margins.Top + margins.Bottom);
  if (FToolbar->AutoResize() || FToolbar->Docked() || FToolbar->Floating())
    FToolbar->ChangeSize(AWidth, AHeight);
}

void TTBToolbarView::ApplyLayout(TPoint& Size)
{
  TPoint minimum(0, 0);
  if (FToolbar->Docked()) {
    TTBDock* dock = FToolbar->CurrentDock();
    int thickness = dock->OtherRowExtent(FToolbar->DockRow(), FToolbar);
    if (dock->IsVertical())
      minimum.x = thickness;
    else
      minimum.y = thickness;
  }
  if (FToolbar->FullSize()) {
    if (Axis() == tbaVertical)
      minimum.y = std::max<LONG>(minimum.y, WrapLimit());
    else
      minimum.x = std::max<LONG>(minimum.x, WrapLimit());
  }
  ++FToolbar->FDisableAlignArrange;
  ScopeExit unlock([this] { --FToolbar->FDisableAlignArrange; });
  TTBView::ApplyLayout(Size);
  Size.x = std::max(Size.x, minimum.x);
  Size.y = std::max(Size.y, minimum.y);
}

TTBCustomItem* TTBToolbarView::ChevronItemForView() { return FToolbar->FChevronItem; }

TTBCustomItem* TTBToolbarView::TrailingItemsSource() { return FToolbar->FMDIButtonsItem; }

TTBCustomItem* TTBToolbarView::LeadingItem() { return FToolbar->FMDISystemMenuItem; }

TFont* TTBToolbarView::CaptionFont() { return FToolbar->FSystemFont ? MenuFont() : FToolbar->Font(); }

// Changed content has a new natural length: the length the dock imposed is
// dropped, and the dock imposes a new one when it arranges. New limits set
// by the toolbar itself keep it.
void TTBToolbarView::InvalidateLayout()
{
  if (LayoutValid() && FToolbar->FSettingLimits == 0)
    FToolbar->SetCurrentLength(0);
  TTBView::InvalidateLayout();
}

// The toolbar

namespace {

TTBChevronItem* NewPlainChevronItem(TTBCustomToolbar* Toolbar) { return new TTBChevronItem(Toolbar); }
TTBToolbarView* NewPlainView(TTBCustomToolbar* Toolbar, TTBCustomItem* RootItem, bool UsePriorityList)
{
  return new TTBToolbarView(Toolbar, RootItem, UsePriorityList);
}

}  // namespace

TTBCustomToolbar::TTBCustomToolbar(TComponent* AOwner)
    : TTBCustomToolbar(AOwner, TTBToolbarClasses{&NewPlainChevronItem, &NewPlainView})
{
}

TTBCustomToolbar::TTBCustomToolbar(TComponent* AOwner, const TTBToolbarClasses& Classes)
    : TTBCustomDockableWindow(AOwner)
{
  TControlStyle style = ControlStyle();
  style += csAcceptsControls;
  style += csActionClient;
  style -= csCaptureMouse;
  SetControlStyle(style);
  SetResizeBehaviour({});
  FItem = new TTBRootItem(this);
  FItem->SetRootParentComponent(this);
  FChevronItem = Classes.NewChevronItem(this);
  FChevronItem->SetLinkSubitems(FItem);
  FView = Classes.NewView(this, FItem, !ComponentState().Contains(csDesigning));
  FView->SetFillColor(clBtnFace);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 23, 22);
}

TTBCustomToolbar::~TTBCustomToolbar()
{
  if (FMDIButtonsItem)
    FMDIButtonsItem->UnregisterNotification(TTBItemChangedProc(this, &TTBCustomToolbar::MDIButtonsChanged));
  if (FMenuBarHooked) {
    UninstallHookClient(&MenuBarKeyHookProc);
    FMenuBarHooked = false;
  }
  FMenuBar = FProcessShortCuts = false;
  RefreshShortCutMembership();
  delete FView;
  FView = nullptr;
  delete FChevronItem;
  FChevronItem = nullptr;
  delete FItem;
  FItem = nullptr;
}

void TTBCustomToolbar::SetChevronHint(const std::string& Value)
{
  FChevronItem->SetHint(Value);
  FChevronItem->SetCaption(DoubleAmpersands(GetShortHint(Value)));
}

void TTBCustomToolbar::SetChevronMoveItems(bool Value)
{
  if (FChevronMoveItems == Value)
    return;
  FChevronMoveItems = Value;
  FView->SetPriorityOrdering(Value && !ComponentState().Contains(csDesigning));
}

void TTBCustomToolbar::SetShrinkMode(TTBShrinkMode Value)
{
  if (FShrinkMode == Value)
    return;
  FShrinkMode = Value;
  if (Docked())
    CurrentDock()->ArrangeWindows();
  else if (!Floating())
    Arrange();
}

void TTBCustomToolbar::SetSystemFont(bool Value)
{
  if (FSystemFont == Value)
    return;
  FSystemFont = Value;
  FView->InvalidateLayout();
  Arrange();
}

void TTBCustomToolbar::SetFloatWrapWidth(int Value)
{
  if (FFloatWrapWidth == Value)
    return;
  FFloatWrapWidth = Value;
  if (Floating()) {
    UpdateViewLimits();
    Arrange();
  }
}

// Sizing

TTBViewAxis TTBCustomToolbar::OrientationFor(TTBDock* Dock, bool Floating) const
{
  if (Floating)
    return tbaFloating;
  if (Dock && Dock->IsVertical())
    return tbaVertical;
  return tbaHorizontal;
}

int TTBCustomToolbar::WrapLimit(TTBDock* Dock)
{
  if (!Dock)
    return FFloatWrapWidth;
  if (FShrinkMode != tbsmWrap)
    return 0;
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  if (Dock->IsVertical())
    return Dock->Height() - Dock->BoundLineHeight() - frame.y;
  return Dock->Width() - Dock->BoundLineWidth() - frame.x;
}

int TTBCustomToolbar::ChevronLimit(TTBDock* Dock, TTBViewAxis Orientation)
{
  if (FShrinkMode != tbsmChevron || !Docked() || Dock != CurrentDock())
    return 0;
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  return std::max(0, CurrentLength() - int(Orientation == tbaVertical ? frame.y : frame.x));
}

void TTBCustomToolbar::UpdateViewLimits()
{
  ++FSettingLimits;
  ScopeExit unlock([this] { --FSettingLimits; });
  TTBViewAxis axis = OrientationFor(CurrentDock(), Floating());
  if (FView->Axis() != axis)
    FView->SetAxis(axis);
  auto setLimits = [this](int Chevron, int Wrap) {
    if (FView->ChevronExtent() != ChevronSize)
      FView->SetChevronExtent(ChevronSize);
    if (FView->ChevronPos() != Chevron)
      FView->SetChevronPos(Chevron);
    if (FView->WrapLimit() != Wrap)
      FView->SetWrapLimit(Wrap);
  };
  if (Docked() || Floating()) {
    TTBDock* dock = Floating() ? nullptr : CurrentDock();
    setLimits(ChevronLimit(dock, axis), WrapLimit(dock));
    return;
  }
  int chevron = 0, wrap = 0;
  if (!(AutoResize() && !(Anchors().Contains(akLeft) && Anchors().Contains(akRight)))) {
    TPoint frame(0, 0);
    DockedFrameSize(frame);
    if (FShrinkMode == tbsmChevron)
      chevron = Width() - frame.x;
    else if (FShrinkMode == tbsmWrap)
      wrap = Width() - frame.x;
  }
  setLimits(chevron, wrap);
}

void TTBCustomToolbar::SizeForPlacement(bool Arranging, TTBDockType, TPoint& Size, TTBDock* Dock, bool Floating)
{
  if (Arranging) {
    UpdateViewLimits();
    FView->RecalcLayout(Size);
    return;
  }
  TTBViewAxis axis = OrientationFor(Dock, Floating);
  Size = TPoint(0, 0);
  TPoint natural;
  int lines = 1;
  FView->ComputeLayout(false, axis, WrapLimit(Floating ? nullptr : Dock), ChevronLimit(Dock, axis), ChevronSize,
                       natural, Size, lines);
  FLastWrappedLines = lines;
}

void TTBCustomToolbar::NaturalContentSize(TPoint& Size)
{
  FView->EnsureLayout();
  Size = FNaturalContentSize;
}

void TTBCustomToolbar::MinimumRowLength(int& Length)
{
  TTBItemViewer* top = FView->TopPriorityViewer();
  if (!top)
    return;
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  bool vertical = Docked() && CurrentDock()->IsVertical();
  Length = (vertical ? top->BoundsRect.Height() + frame.y : top->BoundsRect.Width() + frame.x) + ChevronSize;
}

bool TTBCustomToolbar::HitsChildControl(const TPoint& P)
{
  if (TTBCustomDockableWindow::HitsChildControl(P))
    return true;
  if (ComponentState().Contains(csDesigning))
    return false;
  TPoint screen = ClientToScreen(P);
  FView->TrackMousePosition(&screen, true);
  TTBItemViewer* selected = FView->Selected();
  return selected && !(selected->Item()->ItemStyle() & tbsfPassClicks);
}

void TTBCustomToolbar::AlignControls(TControl* AControl, TRect& Rect)
{
  (void)AControl, (void)Rect;
  if (FDisableAlignArrange == 0)
    Arrange();
}

void TTBCustomToolbar::InitiateAction()
{
  TTBCustomDockableWindow::InitiateAction();
  if (FUpdateActions)
    for (int i = 0; i < FView->ViewerCount(); ++i)
      FView->Viewers(i)->Item()->InitiateAction();
}

void TTBCustomToolbar::GetChildren(TGetChildProc Proc, TComponent* Root)
{
  FItem->GetChildren(Proc, Root);
  TTBCustomDockableWindow::GetChildren(Proc, Root);
}

void TTBCustomToolbar::SetChildOrder(TComponent* Child, int Order)
{
  if (dynamic_cast<TTBCustomItem*>(Child))
    FItem->SetChildOrder(Child, Order);
  else
    TTBCustomDockableWindow::SetChildOrder(Child, Order);
}

// Painting and the mouse

void TTBCustomToolbar::Paint()
{
  if (ComponentState().Contains(csDesigning) && !Docked() && !Floating()) {
    TRect r = ClientRect();
    Canvas()->Pen()->SetColor(clBtnShadow);
    Canvas()->Pen()->SetStyle(psDot);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  }
  FView->PaintAllViewers(Canvas());
}

void TTBCustomToolbar::MouseMove(TShiftState Shift, int X, int Y)
{
  TTBCustomDockableWindow::MouseMove(Shift, X, Y);
  if (ComponentState().Contains(csDesigning))
    return;
  TPoint screen = ClientToScreen(TPoint(X, Y));
  FView->TrackMousePosition(&screen, true);
  TTBItemViewer* selected = FView->Selected();
  if (selected && !(selected->Item()->EffectiveOptions() & tboLongHintInMenuOnly))
    SetHint(selected->Item()->Hint());
  else
    SetHint("");
  if (selected)
    selected->MouseMove(X - selected->BoundsRect.Left, Y - selected->BoundsRect.Top);
  if (HandleAllocated())
    RequestMouseTracking(Handle(), TME_LEAVE);
}

void TTBCustomToolbar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TWinControl* parent = Parent();
  TTBCustomDockableWindow::MouseDown(Button, Shift, X, Y);
  // The inherited handling may have dragged the toolbar somewhere else.
  if (Button != mbLeft || Parent() != parent || ComponentState().Contains(csDesigning))
    return;
  TPoint screen = ClientToScreen(TPoint(X, Y));
  FView->TrackMousePosition(&screen, true);
  TTBItemViewer* selected = FView->Selected();
  if (!selected || (selected->Item()->ItemStyle() & tbsfPassClicks))
    return;
  FIgnoreMouseLeave = true;
  ScopeExit restore([this] { FIgnoreMouseLeave = false; });
  FView->RunToolbarMenuLoop(tbmlMouseDown);
}

void TTBCustomToolbar::ClearSelectionUnlessCaptured()
{
  if (!FView->MouseCaptured() && !(FView->Flags() & vfInMenuLoop))
    FView->SetSelectedViewer(nullptr, false);
}

void TTBCustomToolbar::DoContextPopup(TPoint MousePos, bool& Handled)
{
  ClearSelectionUnlessCaptured();
  TTBCustomDockableWindow::DoContextPopup(MousePos, Handled);
}

// Messages

void TTBCustomToolbar::Dispatch(TMessage& Message)
{
  if (ControlMessage(Message))
    return;
  switch (Message.Msg) {
  case CM_HINTSHOW:
    HintShow(Message);
    return;
  case WM_GETOBJECT:
    if (!AnswerAccessibleObject(FView, Message))
      TTBCustomDockableWindow::Dispatch(Message);
    return;
  case WM_SYSCOMMAND:
    if (!SysCommandMessage(Message))
      TTBCustomDockableWindow::Dispatch(Message);
    return;
  case CM_DIALOGKEY:
    if (FMenuBar && Message.WParam == VK_MENU)
      FView->ShowAccelerators(true);
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  case CM_DIALOGCHAR:
    if (!FMenuBar && Enabled() && Showing() && Message.WParam != 0 && OpenByKeyboard(char32_t(Message.WParam), true)) {
      Message.Result = 1;
      return;
    }
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  case CM_COLORCHANGED:
    TTBCustomDockableWindow::Dispatch(Message);
    FView->SetFillColor(Color());
    Invalidate();
    return;
  case CM_FONTCHANGED:
    TTBCustomDockableWindow::Dispatch(Message);
    if (!FSystemFont) {
      FView->InvalidateLayout();
      Arrange();
    }
    return;
  case CM_WININICHANGE:
    TTBCustomDockableWindow::Dispatch(Message);
    if (Message.WParam == SPI_SETNONCLIENTMETRICS) {
      RefreshMenuFont();
      FView->InvalidateLayout();
      Arrange();
    }
    return;
  case CM_SHOWHINTCHANGED:
    TTBCustomDockableWindow::Dispatch(Message);
    FView->SetTraits(ShowHint() ? TTBViewTraits(FView->Traits() | vtShowHints)
                                : TTBViewTraits(FView->Traits() & ~vtShowHints));
    return;
  case WM_SETCURSOR:
    if (!ComponentState().Contains(csDesigning) && HWND(Message.WParam) == WindowHandle() &&
        LOWORD(Message.LParam) == HTCLIENT) {
      TPoint cursor;
      GetCursorPos(&cursor);
      FView->TrackMousePosition(&cursor, true);
      if (TTBItemViewer* selected = FView->Selected()) {
        TPoint p = ScreenToClient(cursor);
        HCURSOR shape = nullptr;
        selected->CursorAt(TPoint(p.x - selected->BoundsRect.Left, p.y - selected->BoundsRect.Top), shape);
        if (shape) {
          ::SetCursor(shape);
          Message.Result = 1;
          return;
        }
      }
    }
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  case CM_MOUSELEAVE:
    TTBCustomDockableWindow::Dispatch(Message);
    ClearSelectionUnlessCaptured();
    return;
  case WM_MOUSELEAVE:
    TTBCustomDockableWindow::Dispatch(Message);
    if (!FIgnoreMouseLeave)
      ClearSelectionUnlessCaptured();
    return;
  case WM_NCMOUSEMOVE:
    TTBCustomDockableWindow::Dispatch(Message);
    SetHint("");
    ClearSelectionUnlessCaptured();
    return;
  default:
    TTBCustomDockableWindow::Dispatch(Message);
  }
}
