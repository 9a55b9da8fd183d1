#include "controls/utility/tray/UtTrayIcon.h"

#include <cstring>

#include "controls/utility/UtUtilityWindow.h"
#include "controls/utility/UtUtils.h"
#include "controls/utility/tray/UtShellNotify.h"
#include "platform/base/Clock.h"
#include "platform/base/Utf.h"
#include "platform/classes/Hints.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Timer.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

constexpr UINT FlagsAll = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;  // 0x17
constexpr UINT FlagsNoInfo = NIF_MESSAGE | NIF_ICON | NIF_TIP;         // 7
constexpr std::uint32_t Shell5 = 0x00050000;

const DWORD BalloonFlags[4] = {NIIF_NONE, NIIF_ERROR, NIIF_INFO, NIIF_WARNING};

// Copies at most Max bytes of Text into a field, cut at a character boundary.
template <std::size_t N>
void PutField(char (&Field)[N], const std::string& Text, std::size_t Max)
{
  std::string_view cut = Text.size() > Max ? WithoutPartialLastChar(std::string_view(Text).substr(0, Max)) : Text;
  std::memset(Field, 0, N);
  std::memcpy(Field, cut.data(), cut.size());
}

std::string ReplaceLineBreaks(const std::string& Text)
{
  std::string out;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') {
      out += " - ";
      ++i;
    } else {
      out += Text[i];
    }
  }
  return out;
}

TShiftState CurrentShiftState()
{
  TShiftState shift = KeyboardStateToShiftState();
  if (GetKeyState(VK_LBUTTON) < 0)
    shift.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0)
    shift.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0)
    shift.Include(ssMiddle);
  return shift;
}

}  // namespace

TUtTrayIcon::TUtTrayIcon(TComponent* AOwner) : TUtComponent(AOwner), FIcon(std::make_unique<TIcon>())
{
  FIcon->OnChange = TNotifyEvent(this, &TUtTrayIcon::IconChanged);
  FWindow = AllocateUtilityWindow(TUtWndMethod(this, &TUtTrayIcon::WndProc));
  FHideTimer = new TTimer(nullptr);
  FHideTimer->SetEnabled(false);
  FHideTimer->OnTimer = TNotifyEvent(this, &TUtTrayIcon::HideBalloonTimer);
  // No kernel entry hides a process from the task list here; the flag is kept.
  FTaskbarCreated = RegisterWindowMessage("TaskbarCreated");
}

TUtTrayIcon::~TUtTrayIcon()
{
  HookMainWindow(false);
  delete FAnimateTimer;
  FAnimateTimer = nullptr;
  // Only the icon goes: the task-list visibility is not touched on the way out.
  if (FActive)
    SendIcon(NIM_DELETE);
  FActive = false;
  FHideTimer->SetEnabled(false);
  delete FHideTimer;
  FIcon->OnChange = nullptr;
  if (FWindow)
    DeallocateUtilityWindow(FWindow);
}

bool TUtTrayIcon::Designing() const
{
  return ComponentState().Contains(csDesigning);
}

bool TUtTrayIcon::ShellHasBalloons() const
{
  return ShellVersion() >= Shell5;
}

bool TUtTrayIcon::SendIcon(DWORD Code)
{
  return UtShellNotify(Code, &FData) != FALSE;
}

bool TUtTrayIcon::BalloonHideTimerRunning() const
{
  return FHideTimer->Enabled();
}

void TUtTrayIcon::SetActive(bool Value)
{
  if (!Designing())
    HookMainWindow(Value);
  if (!Value || (Designing() && !FVisibility.Contains(tvVisibleDesign))) {
    SendIcon(NIM_DELETE);
  } else {
    FTaskBar = FindWindow("Shell_TrayWnd", nullptr);
    bool balloons = ShellHasBalloons();
    FData.cbSize = balloons ? NOTIFYICONDATA_V2_SIZE : NOTIFYICONDATA_V1_SIZE;
    if (balloons)
      FData.uVersion = NOTIFYICON_VERSION;
    FData.hWnd = FWindow;
    FData.uID = IconId;
    FData.uCallbackMessage = CallbackMessage;
    // Without an icon of its own the tray shows the application's.
    FData.hIcon = FIcon->Empty() ? Application()->Icon()->Handle() : FIcon->Handle();
    // The older layout holds a 64-byte tip.
    PutField(FData.szTip, GetShortHint(FHint), balloons ? 127 : 63);
    FLastHint = FHint;
    FData.uFlags = FlagsAll;
    TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
    bool mainShown = main && main->Visible();
    if (!(FVisibility.Contains(tvAutoHideIcon) && mainShown))
      SendIcon(NIM_ADD);
    if (balloons)
      SendIcon(NIM_SETVERSION);
  }
  FActive = Value;
}

void TUtTrayIcon::SetIcon(TIcon* Value)
{
  FIcon->Assign(Value);  // the change event applies it
  ApplyIcon();
}

void TUtTrayIcon::IconChanged(TObject*)
{
  ApplyIcon();
}

void TUtTrayIcon::ApplyIcon()
{
  FData.hIcon = FIcon->Handle();
  if (FActive)
    SendIcon(NIM_MODIFY);
}

void TUtTrayIcon::SetIconIndex(int Value)
{
  FIconIndex = Value;
  if (FIcons && Value >= 0 && Value < FIcons->Count()) {
    TIcon image;
    FIcons->GetIcon(Value, &image);
    // No balloon is repeated by this modify.
    FData.uFlags = FlagsNoInfo;
    FIcon->OnChange = nullptr;
    FIcon->Assign(&image);
    FIcon->OnChange = TNotifyEvent(this, &TUtTrayIcon::IconChanged);
    ApplyIcon();
  } else {
    FIconIndex = -1;
  }
}

void TUtTrayIcon::SetIcons(TCustomImageList* Value)
{
  if (FIcons == Value)
    return;
  if (FIcons)
    FIcons->RemoveFreeNotification(this);
  FIcons = Value;
  if (FIcons)
    FIcons->FreeNotification(this);
}

void TUtTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TUtTrayIcon::SetDropDownMenu(TPopupMenu* Value)
{
  if (FDropDownMenu)
    FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TUtTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
  TUtComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FIcons)
    FIcons = nullptr;
  if (AComponent == FPopupMenu)
    FPopupMenu = nullptr;
  if (AComponent == FDropDownMenu)
    FDropDownMenu = nullptr;
}

void TUtTrayIcon::Loaded()
{
  TUtComponent::Loaded();
}

void TUtTrayIcon::SetHint(const std::string& Value)
{
  FHint = ShellHasBalloons() ? Value : ReplaceLineBreaks(Value);
}

void TUtTrayIcon::SendEmptyBalloon()
{
  ShowBalloonTip("", "", btNone, 5000, false);
}

void TUtTrayIcon::ShowBalloonTip(const std::string& Title, const std::string& Text, int BalloonType, int Delay,
                                 bool CancelPrevious)
{
  if (!ShellHasBalloons())
    return;
  FBalloonStart = GetTickCount64();
  FBalloonDelaySeconds = Delay / 1000;
  FData.uFlags = NIF_INFO;
  if (CancelPrevious)
    SendEmptyBalloon();
  PutField(FData.szInfoTitle, Title, 63);
  PutField(FData.szInfo, Text, 255);
  FData.uFlags = FlagsAll;
  FData.uTimeout = UINT(Delay);
  FData.dwInfoFlags = BalloonFlags[BalloonType >= 0 && BalloonType <= 3 ? BalloonType : 0];
  SendIcon(NIM_MODIFY);
  if (Delay < 10000 && !Title.empty() && !Text.empty()) {
    FHideTimer->SetEnabled(false);
    FHideTimer->SetInterval(unsigned(Delay > 0 ? Delay : 1));
    FHideTimer->SetEnabled(true);
  }
  if (OnBalloonShow)
    OnBalloonShow(this);
}

void TUtTrayIcon::HideBalloonTimer(TObject*)
{
  FHideTimer->SetEnabled(false);
  SendEmptyBalloon();
}

// The utility window

void TUtTrayIcon::WndProc(TMessage& Message)
{
  try {
    if (Message.Msg == WM_QUERYENDSESSION) {
      Message.Result = 1;
    } else if (Message.Msg == WM_ENDSESSION) {
      bool active = FActive;
      SetActive(false);
      FActive = active;
    } else if (FTaskbarCreated && Message.Msg == FTaskbarCreated) {
      // The notification area started again: the icon has to be added anew.
      if (FActive)
        SetActive(true);
      Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
    } else if (Message.Msg == CallbackMessage) {
      HandleCallback(Message);
    } else {
      Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
    }
  } catch (...) {
    if (Application())
      Application()->HandleException(this);
  }
}

void TUtTrayIcon::HandleCallback(TMessage& Message)
{
  TPoint pos;
  GetCursorPos(&pos);
  TShiftState shift = CurrentShiftState();
  switch (UINT(Message.LParam)) {
  case WM_MOUSEMOVE: MouseMove(shift, pos.x, pos.y); break;
  case WM_LBUTTONDOWN: MouseDown(mbLeft, shift, pos.x, pos.y); break;
  case WM_RBUTTONDOWN: MouseDown(mbRight, shift, pos.x, pos.y); break;
  case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, pos.x, pos.y); break;
  case WM_LBUTTONUP: MouseUp(mbLeft, shift, pos.x, pos.y); break;
  case WM_RBUTTONUP:
  case NIN_KEYSELECT: MouseUp(mbRight, shift, pos.x, pos.y); break;
  case WM_MBUTTONUP: MouseUp(mbMiddle, shift, pos.x, pos.y); break;
  case WM_LBUTTONDBLCLK: DblClick(mbLeft, shift, pos.x, pos.y); break;
  case WM_RBUTTONDBLCLK: DblClick(mbRight, shift, pos.x, pos.y); break;
  case WM_MBUTTONDBLCLK: DblClick(mbMiddle, shift, pos.x, pos.y); break;
  case NIN_BALLOONHIDE:
    try {
      if (OnBalloonHide)
        OnBalloonHide(this);
    } catch (...) {
    }
    Message.Result = 1;
    break;
  case NIN_BALLOONTIMEOUT: {
    std::uint64_t seconds = (GetTickCount64() - FBalloonStart) / 1000;
    if (seconds > std::uint64_t(FBalloonDelaySeconds < 0 ? 0 : FBalloonDelaySeconds))
      SendEmptyBalloon();
    Message.Result = 1;
    break;
  }
  case NIN_BALLOONUSERCLICK:
    try {
      if (OnBalloonClick)
        OnBalloonClick(this);
    } catch (...) {
    }
    Message.Result = 1;
    SendEmptyBalloon();
    break;
  }
}

void TUtTrayIcon::MouseMove(TShiftState Shift, int X, int Y)
{
  if (FHint != FLastHint) {
    FLastHint = FHint;
    PutField(FData.szTip, GetShortHint(FHint), FData.cbSize >= NOTIFYICONDATA_V2_SIZE ? 127 : 63);
    FData.uFlags = FlagsNoInfo;
    if (FActive)
      SendIcon(NIM_MODIFY);
  }
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TUtTrayIcon::PopupAt(TPopupMenu* Menu, int X, int Y)
{
  SetForegroundWindow(FWindow);
  Menu->Popup(X, Y);
  PostMessage(FWindow, WM_NULL, 0, 0);
}

void TUtTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
  if (Button == mbLeft && FDropDownMenu)
    PopupAt(FDropDownMenu, X, Y);
}

void TUtTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbRight && FPopupMenu)
    PopupAt(FPopupMenu, X, Y);
  if (Button == mbLeft) {
    TTrayVisibilities v = FVisibility;
    if (FApplicationVisible && v.Contains(tvMinimizeClick))
      SetVisibility(v.Exclude(tvVisibleTaskBar));
    else if (!FApplicationVisible && v.Contains(tvRestoreClick))
      SetVisibility(v.Include(tvVisibleTaskBar));
  }
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
  if (OnClick)
    OnClick(this, Button, Shift, X, Y);
}

void TUtTrayIcon::DblClick(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnDblClick) {
    OnDblClick(this, Button, Shift, X, Y);
    return;
  }
  if (Button != mbLeft)
    return;
  if (FPopupMenu)
    for (int i = 0; i < FPopupMenu->Items()->Count(); ++i)
      if (TMenuItem* item = FPopupMenu->Items()->Items(i); item->Default()) {
        item->Click();
        break;
      }
  TTrayVisibilities v = FVisibility;
  if (FApplicationVisible && v.Contains(tvMinimizeDbClick))
    SetVisibility(v.Exclude(tvVisibleTaskBar));
  else if (!FApplicationVisible && v.Contains(tvRestoreDbClick))
    SetVisibility(v.Include(tvVisibleTaskBar));
}

// Visibility

void TUtTrayIcon::SetVisibility(TTrayVisibilities Value)
{
  FVisibility = Value;
  SetTaskListVisible(Value.Contains(tvVisibleTaskList));
  SetApplicationVisible(Value.Contains(tvVisibleTaskBar));
  SetActive(FActive);
  SetAnimated(FAnimated);
}

void TUtTrayIcon::SetTaskListVisible(bool Value)
{
  // Hiding a process from the task list needs a kernel entry this system
  // does not have, so only the flag changes.
  FTaskListVisible = Value;
}

void TUtTrayIcon::SetApplicationVisible(bool Value)
{
  FApplicationVisible = Value;
  TApplication* app = Application();
  if (Designing() || !app)
    return;
  if (ComponentState().Contains(csLoading)) {
    app->SetShowMainForm(Value);
    return;
  }
  TCustomForm* main = app->MainForm();
  if (!Value) {
    if (main) {
      // The main form carries the task-bar button here: it hides, minimised or not.
      if (FSnap)
        app->SetShowMainForm(false);
      main->Hide();
    }
    if (FVisibility.Contains(tvAutoHideIcon) && FActive)
      SendIcon(NIM_ADD);
  } else {
    if (main) {
      main->Show();
      if (main->HandleAllocated() && IsIconic(main->Handle()))
        ShowWindow(main->Handle(), SW_RESTORE);
      main->SetWindowState(wsNormal);
      SetForegroundWindow(main->Handle());
    }
    if (FVisibility.Contains(tvAutoHideIcon) && FActive)
      SendIcon(NIM_DELETE);
  }
}

// The main window's minimise command hides the application when asked to.
bool TUtTrayIcon::MainWindowHook(TMessage& Message)
{
  if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_MINIMIZE && FVisibility.Contains(tvAutoHide) &&
      FActive)
    SetVisibility(TTrayVisibilities(FVisibility).Exclude(tvVisibleTaskBar));
  return false;
}

void TUtTrayIcon::HookMainWindow(bool Value)
{
  if (Value == FMainWindowHooked || !Application())
    return;
  if (Value)
    Application()->HookMainWindow(TWindowHook(this, &TUtTrayIcon::MainWindowHook));
  else
    Application()->UnhookMainWindow(TWindowHook(this, &TUtTrayIcon::MainWindowHook));
  FMainWindowHooked = Value;
}

// Animation

void TUtTrayIcon::SetAnimated(bool Value)
{
  FAnimated = Value;
  if (Designing() && !FVisibility.Contains(tvVisibleDesign))
    return;
  if (Value) {
    if (!FAnimateTimer) {
      FAnimateTimer = new TTimer(nullptr);
      FAnimateTimer->OnTimer = TNotifyEvent(this, &TUtTrayIcon::AnimateTimer);
    }
    FAnimateTimer->SetInterval(FDelay);
    FAnimateTimer->SetEnabled(true);
  } else {
    delete FAnimateTimer;
    FAnimateTimer = nullptr;
  }
}

void TUtTrayIcon::SetDelay(unsigned Value)
{
  FDelay = Value;
  if (FAnimateTimer)
    FAnimateTimer->SetInterval(Value);
}

void TUtTrayIcon::AnimateTimer(TObject*)
{
  if (!FActive || !FIcons || FIcons->Count() == 0)
    return;
  SetIconIndex(FIconIndex < 0 ? 0 : (FIconIndex + 1) % FIcons->Count());
  if (OnAnimate)
    OnAnimate(this, FIconIndex);
}
