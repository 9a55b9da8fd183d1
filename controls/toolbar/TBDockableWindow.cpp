// The dockable window's properties, its change of parent (the single path of
// every dock, undock and float), its own sizing, floating frames and the
// visibility of floating windows.
#include "controls/toolbar/TBDockableWindow.h"

#include <algorithm>
#include <cstdio>

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBThreadHooks.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

std::vector<TTBCustomDockableWindow*>& FloatingList()
{
  static std::vector<TTBCustomDockableWindow*> list;
  return list;
}

// Dockable windows follow activation, owner moves and destruction of owner
// windows through the shared thread hooks.
void DockHookClient(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM LParam)
{
  switch (Kind) {
  case hnActivateAppSent:
    TTBCustomDockableWindow::DockWindowHookProc(TTBCustomDockableWindow::hnActivateAppSent, WParam, LParam);
    break;
  case hnPosChangedSent:
    TTBCustomDockableWindow::DockWindowHookProc(TTBCustomDockableWindow::hnPosChangedSent, WPARAM(Wnd), LParam);
    break;
  case hnWindowDestroying:
    TTBCustomDockableWindow::DockWindowHookProc(TTBCustomDockableWindow::hnWindowDestroying, WPARAM(Wnd), 0);
    break;
  default:
    break;
  }
}

constexpr THookProcKinds DockHookKinds =
    HookKindBit(hnActivateAppSent) | HookKindBit(hnPosChangedSent) | HookKindBit(hnWindowDestroying);

// Drops a window from a dock's lists without asking the window anything (it
// may be half destroyed), then lets the dock arrange the others.
void ForgetInDock(TTBDock* Dock, TTBCustomDockableWindow* Window)
{
  if (!Dock)
    return;
  Dock->RemoveFreeNotification(Window);
  Dock->ForgetWindow(Window);
}

}  // namespace

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
  TControlStyle style = ControlStyle();
  style += csAcceptsControls;
  style += csClickEvents;
  style += csSetCaption;
  style += csDoubleClicks;
  style -= csCaptureMouse;
  style -= csOpaque;
  SetControlStyle(style);
  SetColor(clBtnFace);
  InstallHookClient(&DockHookClient, DockHookKinds, ComponentState().Contains(csDesigning));
}

TTBCustomDockableWindow::~TTBCustomDockableWindow()
{
  UninstallHookClient(&DockHookClient);
  auto& floating = FloatingList();
  floating.erase(std::remove(floating.begin(), floating.end(), this), floating.end());
  TTBDock* current = FCurrentDock;
  TTBDock* last = FLastDock != current ? FLastDock : nullptr;
  FCurrentDock = FLastDock = FDefaultDock = nullptr;
  FDocked = FFloating = false;
  if (TTBFloatingWindowParent* frame = FFloatFrame) {
    FFloatFrame = nullptr;
    frame->FDockableWindow = nullptr;
    if (Parent() == frame)
      TCustomControl::SetParent(nullptr);
    delete frame;
  }
  if (current && Parent() == current)
    TCustomControl::SetParent(nullptr);
  ForgetInDock(current, this);
  ForgetInDock(last, this);
}

void TTBCustomDockableWindow::DockDestroying(TTBDock* Dock)
{
  if (FCurrentDock == Dock) {
    FCurrentDock = nullptr;
    FDocked = false;
  }
  if (FLastDock == Dock)
    FLastDock = nullptr;
  if (FDefaultDock == Dock)
    FDefaultDock = nullptr;
}

// Properties

void TTBCustomDockableWindow::SetAutoResize(bool Value)
{
  if (FAutoResize == Value)
    return;
  FAutoResize = Value;
  if (Value)
    Arrange();
}

void TTBCustomDockableWindow::SetDockPos(int Value)
{
  if (FDockPos == Value)
    return;
  FDockPos = Value;
  if (FDocked)
    FCurrentDock->ArrangeWindows();
}

void TTBCustomDockableWindow::SetDockRow(int Value)
{
  if (FDockRow == Value)
    return;
  FDockRow = Value;
  if (FDocked)
    FCurrentDock->ArrangeWindows();
}

void TTBCustomDockableWindow::SetCurrentDock(TTBDock* Value)
{
  if (ComponentState().Contains(csLoading))
    return;
  if (Value) {
    SetParent(Value);
    return;
  }
  TCustomForm* form = TopForm();
  if (!form)
    throw EInvalidOperation(Format(STBNoParentWindow, Name().c_str()));
  SetParent(form);
}

void TTBCustomDockableWindow::SetDefaultDock(TTBDock* Value)
{
  if (FDefaultDock == Value)
    return;
  FDefaultDock = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TTBCustomDockableWindow::SetLastDock(TTBDock* Value)
{
  if (FUseLastDock && FCurrentDock)
    Value = FCurrentDock;
  if (FLastDock == Value)
    return;
  if (FLastDock && FLastDock != Parent())
    FLastDock->AddMember(this, false);
  FLastDock = Value;
  if (Value) {
    FUseLastDock = true;
    Value->FreeNotification(this);
    Value->AddMember(this, true);
  }
}

void TTBCustomDockableWindow::SetUseLastDock(bool Value)
{
  if (FUseLastDock == Value)
    return;
  FUseLastDock = Value;
  SetLastDock(Value ? FCurrentDock : nullptr);
}

void TTBCustomDockableWindow::SetHideWhenInactive(bool Value)
{
  if (FHideWhenInactive == Value)
    return;
  FHideWhenInactive = Value;
  RefreshVisibility();
}

void TTBCustomDockableWindow::SetCloseButton(bool Value)
{
  if (FCloseButton == Value)
    return;
  FCloseButton = Value;
  if (FFloating && FFloatFrame)
    FFloatFrame->RedrawNCArea(TTBFloatingWindowParent::rpCaption | TTBFloatingWindowParent::rpCloseButton);
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool Value)
{
  if (FCloseButtonWhenDocked == Value)
    return;
  FCloseButtonWhenDocked = Value;
  if (FDocked)
    RefreshFrame();
}

void TTBCustomDockableWindow::SetFullSize(bool Value)
{
  if (FFullSize == Value)
    return;
  FFullSize = Value;
  if (FDocked)
    FCurrentDock->ArrangeWindows();
}

void TTBCustomDockableWindow::SetStretch(bool Value)
{
  if (FStretch == Value)
    return;
  FStretch = Value;
  if (FDocked)
    FCurrentDock->ArrangeWindows();
}

void TTBCustomDockableWindow::SetResizable(bool Value)
{
  if (FResizable == Value)
    return;
  FResizable = Value;
  if (FFloating && FFloatFrame && FFloatFrame->HandleAllocated())
    FFloatFrame->RecreateWnd();
}

void TTBCustomDockableWindow::SetShowCaption(bool Value)
{
  if (FShowCaption == Value)
    return;
  FShowCaption = Value;
  if (FFloating && FFloatFrame) {
    if (FFloatFrame->HandleAllocated())
      SetWindowPos(FFloatFrame->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Arrange();
  }
}

void TTBCustomDockableWindow::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  if (FDocked)
    RefreshFrame();
}

void TTBCustomDockableWindow::SetDragHandleStyle(TTBDragHandleStyle Value)
{
  if (FDragHandleStyle == Value)
    return;
  FDragHandleStyle = Value;
  if (FDocked)
    RefreshFrame();
}

void TTBCustomDockableWindow::SetFloatingMode(TTBFloatingMode Value)
{
  if (FFloatingMode == Value)
    return;
  FFloatingMode = Value;
  if (HandleAllocated())
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

// State

TTBDockType TTBCustomDockableWindow::CurrentDockType() const
{
  if (FFloating)
    return dtFloating;
  if (FDocked)
    return FCurrentDock->IsVertical() ? dtLeftRight : dtTopBottom;
  return dtNotDocked;
}

TCustomForm* TTBCustomDockableWindow::TopForm() const
{
  if (FFloatFrame && Parent() == FFloatFrame)
    return FFloatFrame->FParentForm;
  if (TCustomForm* form = GetParentForm(const_cast<TTBCustomDockableWindow*>(this)))
    return form;
  return dynamic_cast<TCustomForm*>(Owner());
}

const std::vector<TTBCustomDockableWindow*>& TTBCustomDockableWindow::FloatingWindows() { return FloatingList(); }

void TTBCustomDockableWindow::RefreshFrame()
{
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTBCustomDockableWindow::RepaintWhole()
{
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_NOCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

// Sizing

void TTBCustomDockableWindow::EndArrange()
{
  if (FArrangeLock > 0 && --FArrangeLock == 0 && FArrangePending)
    Arrange();
}

void TTBCustomDockableWindow::Arrange()
{
  if (FArrangeLock > 0 || ComponentState().Contains(csLoading) || !Parent()) {
    FArrangePending = true;
    return;
  }
  FArrangePending = false;
  TPoint size(0, 0);
  SizeForPlacement(true, CurrentDockType(), size, FCurrentDock, FFloating);
  if (FAutoResize || FDocked || FFloating)
    ChangeSize(size.x, size.y);
}

void TTBCustomDockableWindow::ChangeSize(int AWidth, int AHeight)
{
  if (FDocked) {
    FCurrentDock->ArrangeWindows();
    return;
  }
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  AWidth += frame.x;
  AHeight += frame.y;
  if (!FFloating) {
    if (Anchors().Contains(akLeft) && Anchors().Contains(akRight))
      AWidth = Width();
    if (Anchors().Contains(akTop) && Anchors().Contains(akBottom))
      AHeight = Height();
  }
  ++FBoundsLock;
  ScopeExit unlock([this] { --FBoundsLock; });
  SetBounds(Left(), Top(), AWidth, AHeight);
}

void TTBCustomDockableWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FFloating && FFloatFrame && !ComponentState().Contains(csDesigning)) {
    TTBFloatingWindowParent* frame = FFloatFrame;
    int dw = AWidth - frame->ClientWidth(), dh = AHeight - frame->ClientHeight();
    if (dw != 0 || dh != 0)
      frame->SetBounds(frame->Left(), frame->Top(), frame->Width() + dw, frame->Height() + dh);
    // While loading the window keeps the place read from the stream: Loaded
    // moves the frame there.
    if (!ComponentState().Contains(csLoading))
      ALeft = ATop = 0;
  }
  if (FBoundsLock == 0 && (AWidth != Width() || AHeight != Height()))
    BeforeResize(AWidth, AHeight);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TTBCustomDockableWindow::DragHandleSize() const
{
  static const int widths[2][3] = {{9, 0, 6}, {14, 14, 14}};
  return widths[FCloseButtonWhenDocked ? 1 : 0][FDragHandleStyle];
}

void TTBCustomDockableWindow::DockedFrameSize(TPoint& Size)
{
  if (!FDocked) {
    Size = TPoint(0, 0);
    return;
  }
  Size = TPoint(4, 4);
  if (FCurrentDock->AllowDrag()) {
    if (FCurrentDock->IsVertical())
      Size.y += DragHandleSize();
    else
      Size.x += DragHandleSize();
  }
}

bool TTBCustomDockableWindow::CanDockTo(TTBDock* Dock) { return FDockableTo.Contains(Dock->Position()); }

bool TTBCustomDockableWindow::HitsChildControl(const TPoint& P)
{
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (!child->Visible() || IgnoredChildControl(child))
      continue;
    if (P.x >= child->Left() && P.x < child->Left() + child->Width() && P.y >= child->Top() &&
        P.y < child->Top() + child->Height())
      return true;
  }
  return false;
}

void TTBCustomDockableWindow::DockedCloseBox(bool Vertical, TRect& R)
{
  int s = DragHandleSize() - 3;
  int left = Vertical ? ClientWidth() - s + 2 : 3, top = Vertical ? 3 : 2;
  R = TRect(left, top, left + s, top + s);
}

void TTBCustomDockableWindow::FloatingFrameSize(TPoint& Size)
{
  Size = FResizable ? TPoint(GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME))
                    : TPoint(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
}

HPALETTE TTBCustomDockableWindow::GetPalette()
{
  return FDocked ? FCurrentDock->GetPalette() : nullptr;
}

bool TTBCustomDockableWindow::CanDrag() const
{
  return (FDocked && FCurrentDock->AllowDrag()) || FFloating;
}

// Docking and floating

void TTBCustomDockableWindow::ToggleDocking()
{
  if (FDocked) {
    if (FDblClickUndock && FDockMode == dmCanFloat) {
      MakeFloating(true);
      KeepFrameOnScreen(true);
    }
  } else if (FFloating) {
    if (FLastDock) {
      SetCurrentDock(FLastDock);
    } else if (FDefaultDock) {
      FDockRow = 0;
      FDockPos = -8;
      SetCurrentDock(FDefaultDock);
    }
    // With neither dock there is nowhere to go: the window stays floating
    // rather than dropping into the form as a free child.
  }
}

TTBFloatingWindowParent* TTBCustomDockableWindow::NewFloatingFrame() { return new TTBFloatingWindowParent(nullptr); }

TTBFloatingWindowParent* TTBCustomDockableWindow::CreateFloatingFrame(TCustomForm* ParentForm)
{
  auto* frame = NewFloatingFrame();
  OnFailure freeFrame([frame] { delete frame; });
  frame->FDockableWindow = this;
  frame->FParentForm = ParentForm;
  // The full address: eight hex digits would repeat on 64-bit systems.
  char name[64];
  std::snprintf(name, sizeof name, "NBFloatingWindowParent_%.*llx", int(sizeof(void*) * 2),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(frame)));
  frame->SetName(name);
  frame->SetText(Text());
  frame->SetBorderStyle(bsToolWindow);
  frame->SetShowHint(true);
  TRect nc = frame->NonClientSizes();
  frame->SetBounds(frame->Left(), frame->Top(), Width() + nc.Left + nc.Right, Height() + nc.Top + nc.Bottom);
  frame->SetVisible(true);
  return frame;
}

void TTBCustomDockableWindow::MakeFloating(bool Value)
{
  if (Value == FFloating)
    return;
  TCustomForm* top = TopForm();
  if (!top)
    throw EInvalidOperation(Format(STBNoParentWindow, Name().c_str()));
  if (!Value || ComponentState().Contains(csDesigning)) {
    SetParent(top);
    return;
  }
  if (!FFloatFrame || FFloatFrame->FParentForm != top) {
    TTBFloatingWindowParent* old = FFloatFrame;
    FFloatFrame = CreateFloatingFrame(top);
    if (old && old != Parent())
      old->Release();
  }
  top->FreeNotification(this);
  int l = Left(), t = Top(), w = Width(), h = Height();
  SetParent(FFloatFrame);
  SetBounds(l, t, w, h);
}

void TTBCustomDockableWindow::MoveFrameTo(const TRect& R)
{
  FFrameOrigin = TPoint(R.Left, R.Top);
  if (FFloating && FFloatFrame)
    FFloatFrame->SetBounds(R.Left, R.Top, FFloatFrame->Width(), FFloatFrame->Height());
}

void TTBCustomDockableWindow::KeepFrameOnScreen(bool OnlyIfFullyOff)
{
  if (!FFloating || !FFloatFrame)
    return;
  TTBFloatingWindowParent* frame = FFloatFrame;
  TRect r(frame->Left(), frame->Top(), frame->Left() + frame->Width(), frame->Top() + frame->Height());
  TRect work = MonitorRectOfRect(r, true), common;
  if (OnlyIfFullyOff && IntersectRect(&common, &r, &work))
    return;
  if (r.Right > work.Right)
    OffsetRect(&r, work.Right - r.Right, 0);
  if (r.Bottom > work.Bottom)
    OffsetRect(&r, 0, work.Bottom - r.Bottom);
  if (r.Left < work.Left)
    OffsetRect(&r, work.Left - r.Left, 0);
  if (r.Top < work.Top)
    OffsetRect(&r, 0, work.Top - r.Top);
  frame->SetBounds(r.Left, r.Top, frame->Width(), frame->Height());
}

void TTBCustomDockableWindow::RequestClose()
{
  bool canClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, canClose);
  if (!canClose)
    return;
  Hide();
  if (OnClose)
    OnClose(this);
}

void TTBCustomDockableWindow::NotifyHiddenDockChange(bool Floating, TTBDock* DockingTo)
{
  if (OnDockChangingHidden && !ComponentState().Contains(csDestroying))
    OnDockChangingHidden(this, Floating, DockingTo);
}

void TTBCustomDockableWindow::SetFloatingState(TWinControl* NewParent)
{
  FCurrentDock = dynamic_cast<TTBDock*>(NewParent);
  FDocked = FCurrentDock != nullptr;
  FFloating = dynamic_cast<TTBFloatingWindowParent*>(NewParent) != nullptr;
}

void TTBCustomDockableWindow::UpdateFloatingList()
{
  auto& list = FloatingList();
  auto it = std::find(list.begin(), list.end(), this);
  if (FFloating) {
    if (it == list.end())
      list.push_back(this);
    if (FFloatFrame)
      FFloatFrame->SetBounds(FFrameOrigin.x, FFrameOrigin.y, FFloatFrame->Width(), FFloatFrame->Height());
  } else if (it != list.end()) {
    list.erase(it);
  }
}

void TTBCustomDockableWindow::SetParent(TWinControl* AParent)
{
  TWinControl* oldParent = Parent();
  // 2. The same parent only refreshes the state.
  if (AParent == oldParent) {
    SetFloatingState(AParent);
    UpdateFloatingList();
    return;
  }
  // 1.
  auto* oldDock = dynamic_cast<TTBDock*>(oldParent);
  auto* newDock = dynamic_cast<TTBDock*>(AParent);
  const bool toFloating = dynamic_cast<TTBFloatingWindowParent*>(AParent) != nullptr;
  const bool destroying = ComponentState().Contains(csDestroying);
  // 3.
  if (!destroying && AParent) {
    if (OnDockChanging)
      OnDockChanging(this, toFloating, newDock);
    if (OnRecreating)
      OnRecreating(this);
  }
  // 4. Hidden while it moves.
  ++FHideLock;
  ++FMoveEventLock;
  {
    ScopeExit showAgain([this] {
      --FMoveEventLock;
      --FHideLock;
      RefreshVisibility();
    });
    RefreshVisibility();
    // 5.
    if (oldDock)
      oldDock->BeginUpdate();
    if (newDock)
      newDock->BeginUpdate();
    ++FBoundsLock;
    ScopeExit unlockDocks([=, this] {
      --FBoundsLock;
      if (newDock)
        newDock->EndUpdate();
      if (oldDock)
        oldDock->EndUpdate();
    });
    // 6.
    if (AParent)
      NotifyHiddenDockChange(toFloating, newDock);
    // 7.
    BeginArrange();
    ScopeExit endArrange([this] { EndArrange(); });
    FCurrentLength = 0;
    if (oldDock) {
      if (!(FUseLastDock && FLastDock == oldDock))
        oldDock->AddMember(this, false);
      oldDock->UpdateShownEntry(this, true);
    }
    // 8. The window keeps its handle, and so its child windows.
    try {
      if (AParent) {
        HWND handle = WindowHandle();
        SetWindowHandle(nullptr);
        TCustomControl::SetParent(nullptr);
        SetFloatingState(AParent);
        SetWindowHandle(handle);
        if (handle) {
          ::SetParent(handle, AParent->Handle());
          SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        TCustomControl::SetParent(AParent);
      } else {
        TCustomControl::SetParent(nullptr);
        SetFloatingState(nullptr);
      }
      FArrangedRow = -1;
    } catch (...) {
      SetFloatingState(Parent());
      throw;
    }
    // 9. A frame left behind goes (a live drag keeps it until the drag ends).
    if (!FLiveDragActive)
      if (auto* oldFrame = dynamic_cast<TTBFloatingWindowParent*>(oldParent)) {
        if (FFloatFrame == oldFrame)
          FFloatFrame = nullptr;
        oldFrame->FDockableWindow = nullptr;
        oldFrame->Release();
      }
    // 10.
    if (newDock) {
      if (!FUseLastDock || FLiveDragActive) {
        newDock->AddMember(this, true);
      } else {
        SetLastDock(newDock);
        newDock->UpdateShownEntry(this, false);
      }
    }
    UpdateFloatingList();
    Arrange();
    // 11. Cleanup in reverse order (the guards).
  }
  // 12.
  if (AParent && FMoveEventLock == 0 && OnMove)
    OnMove(this);
  if (!destroying && AParent) {
    if (OnRecreated)
      OnRecreated(this);
    if (OnDockChanged)
      OnDockChanged(this);
  }
}

// Visibility

bool TTBCustomDockableWindow::ShouldBeVisible()
{
  if (!Visible() || FHideLock != 0)
    return false;
  if (!FFloating || ComponentState().Contains(csDesigning))
    return true;
  if (FFloatingMode == fmOnTopOfParentForm) {
    TCustomForm* top = TopForm();
    if (!top || !top->HandleAllocated() || IsIconic(Application()->Handle()) || !top->Visible() ||
        IsIconic(top->Handle()))
      return false;
  }
  if (FHideWhenInactive && !ApplicationHasActiveWindow())
    return false;
  return true;
}

void TTBCustomDockableWindow::RefreshVisibility()
{
  if (ComponentState().Contains(csDesigning))
    return;
  bool dimmed = FFloating && !FHideWhenInactive && !ApplicationHasActiveWindow();
  if (dimmed != FCaptionDimmed) {
    FCaptionDimmed = dimmed;
    if (FFloatFrame)
      FFloatFrame->RedrawNCArea(TTBFloatingWindowParent::rpCaption);
  }
  if (!HandleAllocated())
    return;
  bool shown = (GetWindowLongPtr(WindowHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
  bool frameShown = FFloatFrame && FFloatFrame->ShouldShow();
  bool wanted = ShouldBeVisible();
  if (shown != wanted || (FFloating && frameShown != wanted))
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TTBCustomDockableWindow::ShowFloatingFrame(bool Show)
{
  TTBFloatingWindowParent* frame = FFloatFrame;
  if (!frame || Parent() != frame)
    return;
  if (Show) {
    HWND owner = nullptr;
    if (FFloatingMode == fmOnTopOfAllForms)
      owner = Application()->Handle();
    else if (TCustomForm* top = TopForm(); top && top->HandleAllocated())
      owner = top->Handle();
    HWND frameWnd = frame->Handle();
    if (owner && HWND(GetWindowLongPtr(frameWnd, GWLP_HWNDPARENT)) != owner)
      SetWindowLongPtr(frameWnd, GWLP_HWNDPARENT, LONG_PTR(owner));
    SyncTopmost();
  }
  frame->SetShouldShow(Show);
  frame->Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TTBCustomDockableWindow::SyncTopmost()
{
  TTBFloatingWindowParent* frame = FFloatFrame;
  if (!frame || !frame->HandleAllocated())
    return;
  HWND wnd = frame->Handle();
  bool wanted = false;
  if (FFloatingMode == fmOnTopOfAllForms)
    wanted = Enabled();
  else if (HWND owner = HWND(GetWindowLongPtr(wnd, GWLP_HWNDPARENT)))
    wanted = (GetWindowLongPtr(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  bool topmost = (GetWindowLongPtr(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (wanted != topmost)
    SetWindowPos(wnd, wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TTBCustomDockableWindow::DockWindowHookProc(int Code, WPARAM WParam, LPARAM LParam)
{
  std::vector<TTBCustomDockableWindow*> list = FloatingList();
  auto stillFloating = [](TTBCustomDockableWindow* w) {
    const auto& live = FloatingList();
    return std::find(live.begin(), live.end(), w) != live.end();
  };
  for (TTBCustomDockableWindow* w : list) {
    if (!stillFloating(w))
      continue;
    switch (Code) {
    case hnActivateAppSent:
      w->RefreshVisibility();
      break;
    case hnPosChangedSent: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      if (w->FFloatingMode != fmOnTopOfParentForm || !w->HandleAllocated() ||
          !(pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)))
        break;
      TCustomForm* top = w->TopForm();
      if (top && top->HandleAllocated() && (HWND(WParam) == top->Handle() || IsChild(HWND(WParam), top->Handle())))
        w->RefreshVisibility();
      break;
    }
    case hnWindowDestroying:
      if (w->FFloatFrame && w->FFloatFrame->HandleAllocated()) {
        HWND frame = w->FFloatFrame->Handle();
        if (HWND(GetWindowLongPtr(frame, GWLP_HWNDPARENT)) == HWND(WParam))
          SetWindowLongPtr(frame, GWLP_HWNDPARENT, LONG_PTR(Application()->Handle()));
      }
      break;
    }
  }
}

// Notifications and input

void TTBCustomDockableWindow::DefineProperties(TFiler* Filer)
{
  TCustomControl::DefineProperties(Filer);
  TComponent* root = Filer->Root() ? Filer->Root() : this;
  Filer->DefineProperty("SavedAtRunTime", TReaderProc(this, &TTBCustomDockableWindow::ReadSavedAtRunTime),
                        TWriterProc(this, &TTBCustomDockableWindow::WriteSavedAtRunTime),
                        !root->ComponentState().Contains(csDesigning));
}

void TTBCustomDockableWindow::ReadSavedAtRunTime(TReader* Reader) { FSavedAtRunTime = Reader->ReadBoolean(); }

void TTBCustomDockableWindow::WriteSavedAtRunTime(TWriter* Writer) { Writer->WriteBoolean(true); }

void TTBCustomDockableWindow::Loaded()
{
  TCustomControl::Loaded();
  if (!ComponentState().Contains(csDesigning) && FFloating && FFloatFrame && Parent() == FFloatFrame) {
    // A form designed with a floating window holds the window's place in the
    // form's client coordinates: its frame goes there on the screen.
    TRect r = BoundsRect();
    if (!FSavedAtRunTime) {
      if (TCustomForm* top = TopForm()) {
        const TPoint origin = top->ClientToScreen(TPoint(0, 0));
        OffsetRect(&r, origin.x, origin.y);
      }
      MoveFrameTo(r);
    }
    // Whatever was read, the window fills its frame from the frame's origin.
    SetBounds(0, 0, r.Width(), r.Height());
    if (!FSavedAtRunTime)
      KeepFrameOnScreen(false);
  }
  Arrange();
}

void TTBCustomDockableWindow::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (static_cast<TComponent*>(FDefaultDock) == AComponent)
    FDefaultDock = nullptr;
  if (static_cast<TComponent*>(FLastDock) == AComponent)
    FLastDock = nullptr;
  if (static_cast<TComponent*>(FCurrentDock) == AComponent) {
    FCurrentDock = nullptr;
    FDocked = false;
  }
  if (static_cast<TComponent*>(FFloatFrame) == AComponent)
    FFloatFrame = nullptr;
  if (FFloatFrame && static_cast<TComponent*>(FFloatFrame->FParentForm) == AComponent)
    FFloatFrame->FParentForm = nullptr;
}

void TTBCustomDockableWindow::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_VREDRAW | CS_HREDRAW);
}

void TTBCustomDockableWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !CanDrag() || HitsChildControl(TPoint(X, Y)))
    return;
  if (Shift.Contains(ssDouble)) {
    ToggleDocking();
  } else {
    RunDragLoop(X, Y);
    MouseUp(mbLeft, TShiftState(), -1, -1);
  }
}

void TTBCustomDockableWindow::SetCloseBoxPressed(bool Value)
{
  if (FCloseBoxPressed == Value)
    return;
  FCloseBoxPressed = Value;
  if (FFloating && FFloatFrame)
    FFloatFrame->RedrawNCArea(TTBFloatingWindowParent::rpCloseButton);
  else if (FDocked)
    RepaintWhole();
}

// The control's own handling covers the client area and the keyboard form;
// a press on the frame (the drag handle, the floating caption) offers the
// window's own menu here.
void TTBCustomDockableWindow::ContextMenuMessage(TMessage& Message)
{
  TCustomControl::Dispatch(Message);
  if (Message.Result != 0 || ComponentState().Contains(csDesigning))
    return;
  TPoint screen(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  // The keyboard form went through the same steps in the control's handling:
  // asking again would only repeat OnContextPopup.
  if (screen.x == -1 && screen.y == -1)
    return;
  TPoint local = ScreenToClient(screen);
  TRect client = ClientRect();
  if (PtInRect(&client, local))
    return;
  bool handled = false;
  DoContextPopup(local, handled);
  if (handled) {
    Message.Result = 1;
    return;
  }
  TPopupMenu* popup = GetPopupMenu();
  if (!popup || !popup->AutoPopup())
    return;
  SendCancelMode(nullptr);
  popup->SetPopupComponent(this);
  popup->Popup(screen.x, screen.y);
  Message.Result = 1;
}

void TTBCustomDockableWindow::Dispatch(TMessage& Message)
{
  if (DockedFrameMessage(Message))
    return;
  switch (Message.Msg) {
  case CM_SHOWINGCHANGED: {
    bool show = ShouldBeVisible();
    if (FFloating)
      ShowFloatingFrame(show);
    if (HandleAllocated()) {
      HWND wnd = WindowHandle();
      bool wasActive = GetActiveWindow() == wnd;
      SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
      (void)wasActive;
    }
    FShowing = show;
    return;
  }
  case CM_TEXTCHANGED:
    TCustomControl::Dispatch(Message);
    if (FFloating && FFloatFrame)
      FFloatFrame->SetText(Text());
    return;
  case CM_VISIBLECHANGED:
    if (FDocked && !ComponentState().Contains(csDesigning)) {
      TCustomControl::Dispatch(Message);
      FCurrentDock->UpdateShownEntry(this, false);
    } else {
      TCustomControl::Dispatch(Message);
    }
    RefreshVisibility();
    if (OnVisibleChanged)
      OnVisibleChanged(this);
    return;
  case WM_ENABLE:
    TCustomControl::Dispatch(Message);
    if (FFloatingMode == fmOnTopOfAllForms)
      SyncTopmost();
    return;
  case WM_NCRBUTTONUP:
    SendMessage(Handle(), WM_CONTEXTMENU, WPARAM(Handle()), Message.LParam);
    return;
  case WM_CONTEXTMENU:
    ContextMenuMessage(Message);
    return;
  default:
    TCustomControl::Dispatch(Message);
  }
}
