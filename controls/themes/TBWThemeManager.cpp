#include "controls/themes/TBWThemeManager.h"

#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWVisualStyles.h"
#include "controls/themes/TBWGradients.h"
#include "platform/base/Exception.h"
#include "platform/classes/MessageDispatch.h"
#include "platform/classes/forms/AllocateHWnd.h"

namespace {

constexpr const char16_t* VisualStyleClasses[9] = {u"BUTTON", u"SCROLLBAR", u"REBAR",       u"TOOLBAR", u"WINDOW",
                                                   u"COMBOBOX", u"EXPLORERBAR", u"STATUS", u"SPIN"};
constexpr int TMT_FILLCOLOR_ = 3802, TMT_TEXTCOLOR_ = 3803;

class TThemeManager {
public:
  TThemeManager();
  ~TThemeManager();

  void WndProc(TMessage& Message);
  void UpdateSystemState();
  void Broadcast(WPARAM SubCode);
  void OpenVisualStyleHandles();
  void CloseVisualStyleHandles();

  bool EnableVisualStyles = true;
  int FlatMenuStyle = 0;
  std::vector<TObject*> Notifications;
  HWND Window = nullptr;
  TThemeSystemState State;
};

TThemeManager* Manager = nullptr;

TThemeManager& TheManager()
{
  if (!Manager) {
    Manager = new TThemeManager;
    Manager->UpdateSystemState();
  }
  return *Manager;
}

bool IsNT51OrLater()
{
  OSVERSIONINFO info;
  if (!GetVersionEx(&info))
    return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1));
}

TThemeManager::TThemeManager()
{
  State.HotLightColor = GetSysColorBrush(COLOR_HOTLIGHT) ? TColor(0x8000001A) : clHighlight;
  Window = AllocateHWnd(TWndMethod(this, &TThemeManager::WndProc));
}

TThemeManager::~TThemeManager()
{
  CloseVisualStyleHandles();
  if (Window)
    DeallocateHWnd(Window);
}

void TThemeManager::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
      UpdateSystemState();
      ClearDrawingCaches();
      if (!Notifications.empty())
        for (WPARAM code : {TSC_BEFOREVIEWCHANGE, TSC_VIEWCHANGE, TSC_AFTERVIEWCHANGE})
          Broadcast(code);
      break;
    case WM_ACTIVATEAPP:
      Broadcast(Message.WParam ? TSC_APPACTIVATE : TSC_APPDEACTIVATE);
      break;
    default:
      break;
  }
  Message.Result = DefWindowProc(Window, Message.Msg, Message.WParam, Message.LParam);
}

void TThemeManager::Broadcast(WPARAM SubCode)
{
  // A listener may remove itself or others (a theme freed by a switch, a
  // control destroyed by a handler): walk a copy and skip whoever left.
  const std::vector<TObject*> snapshot = Notifications;
  for (TObject* listener : snapshot) {
    if (std::find(Notifications.begin(), Notifications.end(), listener) == Notifications.end())
      continue;
    TMessage message;
    message.Msg = TBWM_SYSCHANGE;
    message.WParam = SubCode;
    DispatchToObject(listener, message);
  }
}

void TThemeManager::UpdateSystemState()
{
  RecreateStockObjects();
  HDC screen = GetDC(nullptr);
  State.LowColorDisplay = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) < 12;
  ReleaseDC(nullptr, screen);
  State.WhiteButtonFace = GetSysColor(COLOR_BTNFACE) == 0xFFFFFF;

  CloseVisualStyleHandles();
  OpenVisualStyleHandles();

  State.ToolbarColor = clBtnFace;
  State.ToolbarTextColor = clBtnText;
  if (State.VisualStylesActive) {
    COLORREF color;
    if (VisualStyles().GetThemeColor(State.ToolbarTheme(), 0, 0, TMT_FILLCOLOR_, &color) >= 0)
      State.ToolbarColor = TColor(color);
    if (VisualStyles().GetThemeColor(State.ToolbarTheme(), 0, 0, TMT_TEXTCOLOR_, &color) >= 0)
      State.ToolbarTextColor = TColor(color);
  }

  BOOL systemFlatMenus = FALSE;
  if (IsNT51OrLater())
    SystemParametersInfo(SPI_GETFLATMENU, 0, &systemFlatMenus, 0);
  if (systemFlatMenus) {
    State.FlatMenus = FlatMenuStyle != 1;
    State.MenuColor = State.FlatMenus ? clMenu : State.ToolbarColor;
    State.MenuTextColor = State.FlatMenus ? clMenuText : State.ToolbarTextColor;
  } else {
    State.FlatMenus = FlatMenuStyle == 2;
    State.MenuColor = State.FlatMenus ? clWindow : clMenu;
    State.MenuTextColor = State.FlatMenus ? clWindowText : clMenuText;
  }
}

void TThemeManager::OpenVisualStyleHandles()
{
  State.VisualStylesActive = false;
  if (!IsNT51OrLater() || !EnableVisualStyles)
    return;
  BindVisualStyles();
  State.VisualStylesActive = ThemesUsable();
  if (!State.VisualStylesActive)
    return;
  try {
    for (int i = 0; i < 9; ++i)
      State.Handles[i] = VisualStyles().OpenThemeData(Window, VisualStyleClasses[i]);
  } catch (...) {
    // A failure leaves classic painting: no handle stays open.
    CloseVisualStyleHandles();
  }
}

void TThemeManager::CloseVisualStyleHandles()
{
  if (State.VisualStylesActive) {
    for (HTHEME& handle : State.Handles) {
      if (handle && VisualStyles().CloseThemeData)
        VisualStyles().CloseThemeData(handle);
      handle = nullptr;
    }
  }
  State.VisualStylesActive = false;
  UnbindVisualStyles();
}

}  // namespace

const TThemeSystemState& ThemeSystemState() { return TheManager().State; }

void AddThemeNotification(TObject* Object) { TheManager().Notifications.push_back(Object); }

void RemoveThemeNotification(TObject* Object)
{
  if (!Manager)
    return;
  auto& list = Manager->Notifications;
  auto it = std::find(list.begin(), list.end(), Object);
  if (it != list.end())
    list.erase(it);
}

void SetThemeOption(int Kind, int Value)
{
  TThemeManager& manager = TheManager();
  bool changed = false;
  if (Kind == 1 && manager.FlatMenuStyle != Value) {
    manager.FlatMenuStyle = Value;
    changed = true;
  } else if (Kind == 2 && manager.EnableVisualStyles != (Value == 0)) {
    manager.EnableVisualStyles = Value == 0;
    changed = true;
  }
  if (changed) {
    manager.UpdateSystemState();
    BroadcastSystemChange();
  }
}

int GetThemeOption(int Kind)
{
  TThemeManager& manager = TheManager();
  switch (Kind) {
    case 1: return manager.FlatMenuStyle;
    case 2: return manager.EnableVisualStyles ? 0 : 2;
    default: return -1;
  }
}

void UpdateSystemState() { TheManager().UpdateSystemState(); }

void BroadcastSystemChange()
{
  TThemeManager& manager = TheManager();
  if (manager.Notifications.empty())
    return;
  for (WPARAM code : {TSC_BEFOREVIEWCHANGE, TSC_VIEWCHANGE, TSC_AFTERVIEWCHANGE})
    manager.Broadcast(code);
}

void BroadcastThemeNotification(WPARAM SubCode) { TheManager().Broadcast(SubCode); }

HWND ThemeManagerWindow() { return TheManager().Window; }

void FreeThemeManager()
{
  delete Manager;
  Manager = nullptr;
}
