#include "controls/toolbar/TBModalHandler.h"

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/Hints.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"
#include "platform/win/window/ModalLoop.h"

namespace {

using TLockSetForegroundWindow = BOOL (*)(UINT);

// Bound once per process: absent, the foreground is simply not locked.
TLockSetForegroundWindow LockForeground()
{
  static TLockSetForegroundWindow bound = [] {
    HMODULE user32 = GetModuleHandle("user32.dll");
    return user32 ? reinterpret_cast<TLockSetForegroundWindow>(GetProcAddress(user32, "LockSetForegroundWindow"))
                  : nullptr;
  }();
  return bound;
}

TPoint MessagePos()
{
  DWORD pos = GetMessagePos();
  return TPoint(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos)));
}

// The views of one running menu: the root and the chain of open submenus.
class TMenuSession {
public:
  TMenuSession(TTBView* Root, bool TrackRightButton) : FRoot(Root), FTrackRight(TrackRightButton) {}

  // False when the message ends the loop.
  bool Handle(MSG& Msg);
  // Whether a press still queued lies outside the menu (the loop ends and
  // leaves it for the window under it).
  bool PressOutside(const MSG& Msg);
  void AfterMessage();
  TTBView* Deepest();
  bool Ended() const { return FRoot->PendingOutcome().Kind != tbmoNone; }

private:
  void UpdateAllSelections(bool AllowNew);
  void MouseMoved();
  TTBItemViewer* ViewerUnderMouse();
  TTBView* ViewUnderMouse();
  bool TrackedButtonDown();
  void HandleKeyDown(MSG& Msg);
  void HandleChar(const MSG& Msg);

  TTBView* FRoot;
  bool FTrackRight;
  bool FMouseDownOnMenu = false;
};

TTBView* TMenuSession::Deepest()
{
  TTBView* v = FRoot;
  while (v->OpenViewerView())
    v = v->OpenViewerView();
  return v;
}

bool TMenuSession::TrackedButtonDown()
{
  return GetKeyState(VK_LBUTTON) < 0 || (FTrackRight && GetKeyState(VK_RBUTTON) < 0);
}

void TMenuSession::UpdateAllSelections(bool AllowNew)
{
  for (TTBView* v = FRoot; v; v = v->OpenViewerView())
    if (v->MouseCaptured()) {
      v->TrackMousePosition(&LastMousePos, AllowNew);
      return;
    }
  // From the deepest up, so a submenu keeps its parent's selection in step.
  std::vector<TTBView*> chain;
  for (TTBView* v = FRoot; v; v = v->OpenViewerView())
    chain.push_back(v);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    (*it)->TrackMousePosition(&LastMousePos, AllowNew);
}

TTBItemViewer* TMenuSession::ViewerUnderMouse()
{
  for (TTBView* v = FRoot; v; v = v->OpenViewerView())
    if (v->MouseCaptured())
      return v->Selected();
  for (TTBView* v = FRoot; v; v = v->OpenViewerView()) {
    if (v->Selected() && v->MouseOnSelected())
      return v->Selected();
    if (v->Flags() & vfMouseInWindow)
      return nullptr;
  }
  return nullptr;
}

TTBView* TMenuSession::ViewUnderMouse()
{
  for (TTBView* v = FRoot; v; v = v->OpenViewerView())
    if (v->Flags() & vfMouseInWindow)
      return v;
  return nullptr;
}

void TMenuSession::MouseMoved()
{
  UpdateAllSelections(true);
  TTBView* deepest = Deepest();
  TTBItemViewer* selected = deepest->Selected();
  HCURSOR cursor = nullptr;
  if (selected) {
    bool wantsHint = (deepest->Traits() & vtShowHints) || (selected->Item()->EffectiveOptions() & tboShowHint);
    if (wantsHint && !deepest->MouseCaptured()) {
      if (deepest->Window())
        deepest->Window()->Update();
      Application()->ActivateHint(LastMousePos);
    } else {
      Application()->CancelHint();
    }
    selected->CursorAt(selected->ScreenToViewer(LastMousePos), cursor);
  }
  SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_ARROW));
}

bool TMenuSession::PressOutside(const MSG& Msg)
{
  bool left = Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK;
  if (!left && Msg.message != WM_RBUTTONDOWN && Msg.message != WM_RBUTTONDBLCLK)
    return false;
  TPoint pt(Msg.pt.x, Msg.pt.y);
  HWND under = WindowFromPoint(pt);
  if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(under)))
    if (popup->View() && FRoot->ContainsView(popup->View()))
      return false;
  TWinControl* rootWindow = FRoot->Window();
  if (FRoot->IsToolbar() && rootWindow && rootWindow->HandleAllocated()) {
    TPoint client = rootWindow->ScreenToClient(pt);
    TRect area(0, 0, rootWindow->ClientWidth(), rootWindow->ClientHeight());
    if (under == rootWindow->Handle() && area.Contains(client)) {
      if (!left)
        return false;
      LastMousePos = pt;
      UpdateAllSelections(true);
      TTBItemViewer* v = ViewerUnderMouse();
      return !v || (v->Item()->ItemStyle() & tbsfPassClicks);
    }
  }
  return true;
}

void TMenuSession::HandleKeyDown(MSG& Msg)
{
  Application()->CancelHint();
  WORD key = WORD(Msg.wParam);
  if (TrackedButtonDown() && key != VK_F1)
    return;
  TShiftState shift = KeyDataToShiftState(std::int32_t(Msg.lParam));
  TTBView* view = Deepest();
  if (view->Selected())
    view->Selected()->PreviewKey(key, shift);
  if (key != 0)
    view->HandleMenuKey(key, shift);
  if (!Ended() && key != 0)
    TranslateMessage(&Msg);
}

void TMenuSession::HandleChar(const MSG& Msg)
{
  if (TrackedButtonDown())
    return;
  char32_t ch = char32_t(Msg.wParam);
  TTBView* view = Deepest();
  bool only = false;
  if (TTBItemViewer* match = view->FindByAccelerator(view->Selected(), ch, false, only)) {
    view->SetSelectedViewer(match, false);
    view->ScrollSelectionIntoView();
    if (only)
      view->ActivateSelected(true);
    return;
  }
  if ((ch == ' ' || ch == '-') && view == FRoot && !FRoot->IsPopup() && GetActiveWindow())
    FRoot->FinishWithSystemMenu(GetActiveWindow(), int(ch));
  else
    MessageBeep(0);
}

bool TMenuSession::Handle(MSG& Msg)
{
  TPoint pt(Msg.pt.x, Msg.pt.y);
  switch (Msg.message) {
  case 0x004D:
  case WM_CONTEXTMENU:
  case 0x0118:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    return true;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    HandleKeyDown(Msg);
    return true;
  case WM_CHAR:
  case WM_SYSCHAR:
    HandleChar(Msg);
    return true;
  case WM_TIMER:
    if (Msg.wParam >= ViewTimerBaseID && Msg.wParam <= ViewTimerBaseID + tiScrollDown)
      if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(Msg.hwnd)))
        if (popup->View()) {
          popup->View()->TimerExpired(TTBViewTimer(Msg.wParam - ViewTimerBaseID));
          return true;
        }
    DispatchMessage(&Msg);
    return true;
  case WM_MOUSEMOVE:
    if (pt != LastMousePos) {
      LastMousePos = pt;
      MouseMoved();
    }
    if (TTBItemViewer* v = ViewerUnderMouse()) {
      TPoint local = v->ScreenToViewer(pt);
      v->MouseMove(local.x, local.y);
    }
    return true;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN: {
    if (Msg.message == WM_RBUTTONDOWN && !FTrackRight)
      return true;
    Application()->CancelHint();
    FMouseDownOnMenu = false;
    FRoot->ExcludeFlags(vfIgnoreFirstButtonUp);
    LastMousePos = pt;
    UpdateAllSelections(true);
    if (TTBItemViewer* v = ViewerUnderMouse()) {
      TPoint local = v->ScreenToViewer(pt);
      TShiftState shift = KeysToShiftState(WORD(Msg.wParam));
      if (Msg.message == WM_LBUTTONDBLCLK)
        shift.Include(ssDouble);
      v->MouseDown(shift, local.x, local.y, FMouseDownOnMenu);
    }
    LastMousePos = MessagePos();
    return true;
  }
  case WM_LBUTTONUP:
  case WM_RBUTTONUP: {
    if (Msg.message == WM_RBUTTONUP && !FTrackRight)
      return true;
    LastMousePos = pt;
    UpdateAllSelections(false);
    if (TTBItemViewer* v = ViewerUnderMouse()) {
      TPoint local = v->ScreenToViewer(pt);
      v->MouseUp(local.x, local.y, FMouseDownOnMenu);
      return true;
    }
    TTBView* under = ViewUnderMouse();
    if (under && (under != FRoot || !FRoot->IsToolbar()))
      return true;
    // The release of the right click that opened a popup menu is not a
    // choice: only a later release outside ends the menu.
    if (FRoot->Flags() & vfIgnoreFirstButtonUp) {
      FRoot->ExcludeFlags(vfIgnoreFirstButtonUp);
      return true;
    }
    return false;
  }
  case WM_MOUSEWHEEL:
    if (TTBItemViewer* v = ViewerUnderMouse()) {
      TPoint local = v->ScreenToViewer(pt);
      v->MouseWheel(short(HIWORD(Msg.wParam)), local.x, local.y);
    }
    return true;
  default:
    if (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) {
      Application()->CancelHint();
      return true;
    }
    DispatchMessage(&Msg);
    return true;
  }
}

void TMenuSession::AfterMessage()
{
  if (LastMousePos.x == ForceMouseReread) {
    GetCursorPos(&LastMousePos);
    MouseMoved();
  }
  std::string hint;
  for (TTBView* v = FRoot; v; v = v->OpenViewerView())
    if (v->Selected())
      hint = GetLongHint(v->Selected()->Item()->Hint());
  Application()->SetHint(hint);
}

}  // namespace

TTBModalHandler::TTBModalHandler(HWND ExistingWindow)
{
  TLockSetForegroundWindow lock = LockForeground();
  LastMousePos = MessagePos();
  if (ExistingWindow) {
    FWnd = ExistingWindow;
  } else {
    FWnd = AllocateHWnd(TWndMethod(this, &TTBModalHandler::WndProc));
    FCreatedWnd = true;
  }
  if (lock)
    lock(LSFW_LOCK);
  SetCapture(FWnd);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  CallNotifyWinEvent(EVENT_SYSTEM_MENUSTART, FWnd, OBJID_CLIENT, 0);
  FInitialized = true;
}

TTBModalHandler::~TTBModalHandler()
{
  if (TLockSetForegroundWindow lock = LockForeground())
    lock(LSFW_UNLOCK);
  if (FWnd && GetCapture() == FWnd)
    ReleaseCapture();
  ReplayPress();
  if (FInitialized)
    CallNotifyWinEvent(EVENT_SYSTEM_MENUEND, FWnd, OBJID_CLIENT, 0);
  if (FCreatedWnd)
    DeallocateHWnd(FWnd);
}

void TTBModalHandler::WndProc(TMessage& Message)
{
  Message.Result = DefWindowProc(FWnd, Message.Msg, Message.WParam, Message.LParam);
}

void TTBModalHandler::Run(TTBView* RootView, bool MouseDown, bool ActivateSelected, bool FromAccessibility,
                          bool TrackRightButton)
{
  TMenuSession session(RootView, TrackRightButton);
  RootView->PendingOutcome() = TTBMenuOutcome();
  RootView->EnsureLayout();
  RootView->SetCaptureWnd(FWnd);
  struct TExit {
    TTBView* Root;
    ~TExit()
    {
      Root->EndCapture();
      Root->SetCaptureWnd(nullptr);
      Application()->SetHint("");
      // Characters typed into the menu must not reach the window below it.
      FlushMessages(WM_CHAR, WM_DEADCHAR);
      FlushMessages(WM_SYSCHAR, WM_SYSDEADCHAR);
      FlushMessages(0x004D, 0x004D);
    }
  } exit{RootView};

  if (MouseDown) {
    if (TTBItemViewer* v = RootView->Selected()) {
      TPoint local = v->ScreenToViewer(MessagePos());
      bool downOnMenu = false;
      v->MouseDown(TShiftState(), local.x, local.y, downOnMenu);
    }
    if (session.Ended())
      return;
  }
  if (ActivateSelected) {
    RootView->ActivateSelected(!FromAccessibility);
    if (session.Ended())
      return;
  }
  bool pressedOutside = false;
  MSG press{};
  // Each round looks at what is queued before it is taken, so a press
  // outside the menu can be left where it is.
  auto ended = [&] {
    MSG peeked;
    if (!PeekMessage(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
      if (GetCapture() != FWnd)
        return false;
      WaitMessage();
      if (!PeekMessage(&peeked, nullptr, 0, 0, PM_NOREMOVE))
        return false;
    }
    pressedOutside = session.PressOutside(peeked);
    press = peeked;
    return pressedOutside || session.Ended();
  };
  TModalLoop loop(FWnd, NoMessageFilter, ended);
  MSG msg;
  while (loop.Next(msg)) {
    if (!session.Handle(msg) || session.Ended())
      break;
    session.AfterMessage();
    if (session.Ended())
      break;
  }
  if (pressedOutside) {
    // The press was addressed to the capture; it goes again to the window
    // under it once the capture is given back.
    MSG taken;
    if (PeekMessage(&taken, nullptr, press.message, press.message, PM_REMOVE)) {
      FReplay = taken;
      FHasReplay = true;
    }
  }
}

void TTBModalHandler::ReplayPress()
{
  if (!FHasReplay)
    return;
  FHasReplay = false;
  POINT pt = FReplay.pt;
  HWND target = WindowFromPoint(pt);
  if (!target)
    return;
  LPARAM screen = MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y)));
  LRESULT hit = SendMessage(target, WM_NCHITTEST, 0, screen);
  if (hit == HTCLIENT) {
    POINT client = pt;
    ScreenToClient(target, &client);
    PostMessage(target, FReplay.message, FReplay.wParam, MAKELPARAM(WORD(SHORT(client.x)), WORD(SHORT(client.y))));
  } else if (hit != HTNOWHERE && hit != HTERROR) {
    PostMessage(target, FReplay.message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN, WPARAM(hit), screen);
  }
}
