#include "platform/win/shell/ShellNotify.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/Icons.h"
#include "platform/win/shell/BalloonWindow.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowTree.h"

namespace {

using TKey = std::pair<HWND, UINT>;

struct TIcon {
  TNotifyIconInfo Info;
  bool HasCallback = false;
  // The last press, for double clicks.
  int LastButton = -1;
  DWORD LastDown = 0;
};

struct TArea {
  std::mutex Lock;
  std::map<TKey, TIcon> Icons;
  HWND Balloon = nullptr;
  TKey BalloonOwner{nullptr, 0};
  // The balloon last taken away, still standing until its queue is read:
  // the next notice reuses it.
  HWND Retired = nullptr;
  TKey Focus{nullptr, 0};  // the icon NIM_SETFOCUS gave the keyboard focus
};

TArea& Area()
{
  static auto* area = new TArea;
  return *area;
}

// At most size - 1 bytes of a field that may lack its terminator, cut at a
// UTF-8 character boundary.
std::string Field(const char* text, std::size_t size)
{
  std::size_t n = strnlen(text, size);
  if (n < size - 1)
    return std::string(text, n);
  return std::string(WithoutPartialLastChar(std::string_view(text, size - 1)));
}

void Notify(HWND window, UINT message, UINT id, UINT event)
{
  if (message)
    PostMessage(window, message, WPARAM(id), LPARAM(event));
}

void BalloonEnded(HWND balloon, UINT how)
{
  TKey owner;
  UINT message = 0;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    TArea& a = Area();
    if (a.Balloon != balloon)
      return;
    a.Balloon = nullptr;
    owner = a.BalloonOwner;
    auto it = a.Icons.find(owner);
    if (it == a.Icons.end())
      return;
    it->second.Info.BalloonShown = false;
    message = it->second.HasCallback ? it->second.Info.CallbackMessage : 0;
  }
  Notify(owner.first, message, owner.second, how);
}

// Closes the balloon on show when it belongs to key (or to anyone when
// key is null), telling its icon NIN_BALLOONHIDE.
void HideBalloon(const TKey* key)
{
  HWND balloon;
  TKey owner;
  UINT message = 0;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    TArea& a = Area();
    if (!a.Balloon || (key && a.BalloonOwner != *key))
      return;
    balloon = a.Balloon;
    owner = a.BalloonOwner;
    a.Balloon = nullptr;
    a.Retired = balloon;
    auto it = a.Icons.find(owner);
    if (it != a.Icons.end()) {
      it->second.Info.BalloonShown = false;
      message = it->second.HasCallback ? it->second.Info.CallbackMessage : 0;
    }
  }
  RetireBalloonWindow(balloon);
  Notify(owner.first, message, owner.second, NIN_BALLOONHIDE);
}

void ShowBalloon(const TKey& key)
{
  HideBalloon(nullptr);
  TNotifyIconInfo info;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    auto it = Area().Icons.find(key);
    if (it == Area().Icons.end())
      return;
    info = it->second.Info;
  }
  TRect anchor;
  TDisplayBackend* display = CurrentDisplayBackend();
  bool anchored = display && display->NotifyIconRect(key.first, key.second, anchor);
  HWND retired;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    retired = std::exchange(Area().Retired, nullptr);
  }
  // A notice that follows another updates its window in place.
  HWND balloon = RenewBalloonWindow(retired, info.BalloonTitle, info.BalloonText, info.BalloonFlags,
                                    info.BalloonTimeout, anchored ? &anchor : nullptr, &BalloonEnded)
                     ? retired
                     : OpenBalloonWindow(info.BalloonTitle, info.BalloonText, info.BalloonFlags,
                                         info.BalloonTimeout, anchored ? &anchor : nullptr, &BalloonEnded);
  if (!balloon)
    return;
  UINT message = 0;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    auto it = Area().Icons.find(key);
    if (it == Area().Icons.end()) {
      CloseBalloonWindow(balloon);
      return;
    }
    Area().Balloon = balloon;
    Area().BalloonOwner = key;
    it->second.Info.BalloonShown = true;
    message = it->second.HasCallback ? it->second.Info.CallbackMessage : 0;
  }
  Notify(key.first, message, key.second, NIN_BALLOONSHOW);
}

// Icons whose window went are taken off the display.
void ForgetDeadWindows()
{
  std::vector<std::pair<TKey, HICON>> dead;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    for (auto it = Area().Icons.begin(); it != Area().Icons.end();)
      if (!IsWindow(it->first.first)) {
        if (Area().Focus == it->first)
          Area().Focus = {nullptr, 0};
        dead.push_back({it->first, it->second.Info.Icon});
        it = Area().Icons.erase(it);
      } else {
        ++it;
      }
  }
  for (auto& [key, icon] : dead) {
    HideBalloon(&key);
    if (TDisplayBackend* display = CurrentDisplayBackend())
      display->RemoveNotifyIcon(key.first, key.second);
    if (icon)
      DestroyIcon(icon);
  }
}

}  // namespace

BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data)
{
  if (!data || data->cbSize < NOTIFYICONDATA_V1_SIZE)
    return FALSE;
  ForgetDeadWindows();
  bool full = data->cbSize >= NOTIFYICONDATA_V2_SIZE;
  TKey key{data->hWnd, data->uID};
  TArea& a = Area();
  if (message == NIM_DELETE) {
    HICON icon;
    {
      std::lock_guard<std::mutex> lock(a.Lock);
      auto it = a.Icons.find(key);
      if (it == a.Icons.end())
        return FALSE;
      icon = it->second.Info.Icon;
    }
    HideBalloon(&key);
    {
      std::lock_guard<std::mutex> lock(a.Lock);
      a.Icons.erase(key);
      if (a.Focus == key)
        a.Focus = {nullptr, 0};
    }
    if (TDisplayBackend* display = CurrentDisplayBackend())
      display->RemoveNotifyIcon(key.first, key.second);
    if (icon)
      DestroyIcon(icon);
    return TRUE;
  }
  if (message == NIM_SETFOCUS) {
    std::lock_guard<std::mutex> lock(a.Lock);
    if (a.Icons.find(key) == a.Icons.end())
      return FALSE;
    a.Focus = key;
    return TRUE;
  }
  if (message != NIM_ADD && message != NIM_MODIFY && message != NIM_SETVERSION)
    return FALSE;
  if (message == NIM_ADD && !IsWindow(data->hWnd))
    return FALSE;
  HICON newIcon = (data->uFlags & NIF_ICON) && data->hIcon ? CopyIcon(data->hIcon) : nullptr;
  HICON oldIcon = nullptr;
  bool balloonChange = false, balloonOn = false, shownChanged = false;
  HICON shownIcon;
  std::string shownTip;
  {
    std::lock_guard<std::mutex> lock(a.Lock);
    auto it = a.Icons.find(key);
    if ((message == NIM_ADD) == (it != a.Icons.end())) {
      if (newIcon)
        DestroyIcon(newIcon);
      return FALSE;
    }
    if (message == NIM_SETVERSION) {
      if (data->uVersion > NOTIFYICON_VERSION + 1)
        return FALSE;
      it->second.Info.Version = data->uVersion;
      return TRUE;
    }
    TIcon& icon = a.Icons[key];
    if (data->uFlags & NIF_MESSAGE) {
      icon.Info.CallbackMessage = data->uCallbackMessage;
      icon.HasCallback = true;
    }
    if (data->uFlags & NIF_ICON) {
      oldIcon = icon.Info.Icon;
      icon.Info.Icon = newIcon;
      shownChanged = true;
    }
    if (data->uFlags & NIF_TIP) {
      icon.Info.Tip = Field(data->szTip, full ? sizeof data->szTip : 64);
      shownChanged = true;
    }
    if (full && (data->uFlags & NIF_INFO)) {
      balloonChange = true;
      icon.Info.BalloonTitle = Field(data->szInfoTitle, sizeof data->szInfoTitle);
      icon.Info.BalloonText = Field(data->szInfo, sizeof data->szInfo);
      icon.Info.BalloonFlags = data->dwInfoFlags;
      // The shell keeps a notice between ten and thirty seconds.
      icon.Info.BalloonTimeout = std::min<UINT>(std::max<UINT>(data->uTimeout, 10000), 30000);
      balloonOn = !icon.Info.BalloonText.empty();
    }
    shownChanged = shownChanged || message == NIM_ADD;
    shownIcon = icon.Info.Icon;
    shownTip = icon.Info.Tip;
  }
  if (oldIcon)
    DestroyIcon(oldIcon);
  if (shownChanged)
    if (TDisplayBackend* display = CurrentDisplayBackend())
      display->ShowNotifyIcon(key.first, key.second, shownIcon, shownTip);
  if (balloonChange) {
    if (balloonOn)
      ShowBalloon(key);
    else
      HideBalloon(&key);
  }
  return TRUE;
}

bool GetNotifyIconInfo(HWND window, UINT id, TNotifyIconInfo& info)
{
  std::lock_guard<std::mutex> lock(Area().Lock);
  auto it = Area().Icons.find({window, id});
  if (it == Area().Icons.end())
    return false;
  info = it->second.Info;
  info.Focused = Area().Focus == it->first;
  return true;
}

HWND NotifyBalloonWindow()
{
  std::lock_guard<std::mutex> lock(Area().Lock);
  return Area().Balloon;
}

void InputNotifyIconMouse(HWND window, UINT id, int button, bool down)
{
  static const UINT downs[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  UINT event;
  UINT message;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    auto it = Area().Icons.find({window, id});
    if (it == Area().Icons.end() || !it->second.HasCallback || button > 2)
      return;
    TIcon& icon = it->second;
    message = icon.Info.CallbackMessage;
    if (button < 0) {
      event = WM_MOUSEMOVE;
    } else if (!down) {
      event = downs[button] + 1;
    } else {
      DWORD now = GetTickCount();
      bool dbl = icon.LastButton == button && now - icon.LastDown <= GetDoubleClickTime();
      event = downs[button] + (dbl ? 2 : 0);
      icon.LastButton = dbl ? -1 : button;
      icon.LastDown = now;
    }
  }
  Notify(window, message, id, event);
}

bool InputNotifyIconKey(BYTE vk, bool shift)
{
  TKey key;
  UINT message, event;
  {
    std::lock_guard<std::mutex> lock(Area().Lock);
    TArea& a = Area();
    auto it = a.Icons.find(a.Focus);
    if (it == a.Icons.end() || !it->second.HasCallback || it->second.Info.Version < NOTIFYICON_VERSION)
      return false;
    if (vk == VK_RETURN || vk == VK_SPACE)
      event = NIN_KEYSELECT;
    else if (vk == VK_APPS || (vk == VK_F10 && shift))
      event = WM_CONTEXTMENU;
    else
      return false;
    key = it->first;
    message = it->second.Info.CallbackMessage;
  }
  Notify(key.first, message, key.second, event);
  return true;
}
