// TUtTrayIcon: one icon in the shell notification area, with balloon
// notices, an animation through an image list, the mouse on the icon,
// popup menus, and hiding and restoring the application's main window.
// Its hidden utility window takes the area's callback (WM_USER + 1) and the
// "TaskbarCreated" message, after which an active icon is added again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/utility/UtComponent.h"
#include "platform/base/Set.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"
#include "platform/win/shell/ShellNotify.h"

class TIcon;
class TTimer;
class TPopupMenu;
class TCustomImageList;

CORVANE_ENUM(TTrayVisibility, "UtTrayIcon", tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide, tvAutoHideIcon,
             tvVisibleDesign, tvRestoreClick, tvRestoreDbClick, tvMinimizeClick, tvMinimizeDbClick);
using TTrayVisibilities = Set<TTrayVisibility>;

using TAnimateEvent = Method<void(TObject* Sender, int ImageIndex)>;

// Balloon types of ShowBalloonTip.
enum TBalloonType : int { btNone = 0, btError = 1, btInfo = 2, btWarning = 3 };

class TUtTrayIcon : public TUtComponent {
public:
  // The callback message of the icon.
  static constexpr UINT CallbackMessage = WM_USER + 1;
  static constexpr UINT IconId = 1;

  explicit TUtTrayIcon(TComponent* AOwner = nullptr);
  ~TUtTrayIcon() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* Value);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int Value);
  TCustomImageList* Icons() const { return FIcons; }
  void SetIcons(TCustomImageList* Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value);
  unsigned Delay() const { return FDelay; }
  void SetDelay(unsigned Value);
  bool Snap() const { return FSnap; }
  void SetSnap(bool Value) { FSnap = Value; }
  TTrayVisibilities Visibility() const { return FVisibility; }
  void SetVisibility(TTrayVisibilities Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);

  // Title cut to 63 characters, text to 255; types 0 none, 1 error, 2 info,
  // 3 warning; Delay in ms. Nothing on shells before 5.0.
  void ShowBalloonTip(const std::string& Title, const std::string& Text, int BalloonType, int Delay,
                      bool CancelPrevious);

  // Whether the application's windows are shown (tvVisibleTaskBar).
  bool ApplicationVisible() const { return FApplicationVisible; }
  bool TaskListVisible() const { return FTaskListVisible; }
  // The utility window that hears the notification area.
  HWND WindowHandle() const { return FWindow; }
  // The record sent to the shell, as it stands.
  const NOTIFYICONDATA& NotifyData() const { return FData; }
  // Whether the one-shot timer that ends a short balloon runs.
  bool BalloonHideTimerRunning() const;

  TAnimateEvent OnAnimate;
  TMouseEvent OnClick;
  TMouseEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnBalloonShow;
  TNotifyEvent OnBalloonHide;
  TNotifyEvent OnBalloonClick;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DblClick(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Whether the shell takes the newer record with balloons (shell 5.0 on).
  virtual bool ShellHasBalloons() const;

private:
  bool SendIcon(DWORD Code);
  void IconChanged(TObject* Sender);
  void ApplyIcon();
  void SetApplicationVisible(bool Value);
  void SetTaskListVisible(bool Value);
  void HideBalloonTimer(TObject* Sender);
  void AnimateTimer(TObject* Sender);
  void SendEmptyBalloon();
  void PopupAt(TPopupMenu* Menu, int X, int Y);
  void WndProc(TMessage& Message);
  void HandleCallback(TMessage& Message);
  bool MainWindowHook(TMessage& Message);
  void HookMainWindow(bool Value);
  bool Designing() const;

  UINT FTaskbarCreated = 0;
  bool FActive = false;
  std::unique_ptr<TIcon> FIcon;
  NOTIFYICONDATA FData;
  HWND FWindow = nullptr;
  std::string FHint;
  TTimer* FHideTimer = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  bool FApplicationVisible = true;
  bool FAnimated = false;
  unsigned FDelay = 100;
  TCustomImageList* FIcons = nullptr;
  TTimer* FAnimateTimer = nullptr;
  int FIconIndex = 0;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FTaskListVisible = true;
  std::uint64_t FBalloonStart = 0;  // tick count, ms
  int FBalloonDelaySeconds = 0;
  HWND FTaskBar = nullptr;
  TTrayVisibilities FVisibility{tvVisibleTaskBar, tvVisibleTaskList, tvAutoHide};
  std::string FLastHint;
  bool FSnap = false;
  bool FMainWindowHooked = false;
};
