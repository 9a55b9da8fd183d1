// System metrics and parameters (the classic scheme at 96 dots per inch),
// monitors, version, locale and beeps.
#include "platform/win/window/SystemInfo.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/base/MulDiv.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

std::vector<TDisplayMonitor> MonitorList()
{
  TDisplayBackend* display = Display();
  std::vector<TDisplayMonitor> list;
  if (display)
    list = display->Monitors();
  if (list.empty()) {
    TDisplayMonitor m;
    m.Bounds = m.WorkArea = TRect(0, 0, 1024, 768);
    list.push_back(m);
  }
  return list;
}

// The non-client fonts SPI_SETNONCLIENTMETRICS gave, when it did: the
// sizes stay those of the classic scheme, which the frames are drawn at.
struct TNonClientFonts {
  std::mutex Lock;
  bool Set = false;
  LOGFONTA Caption, SmCaption, Menu, Status, Message;
};
TNonClientFonts& NonClientFonts()
{
  static TNonClientFonts* fonts = new TNonClientFonts;
  return *fonts;
}

// Monitor handles are the monitor's index plus one.
HMONITOR MonitorHandle(std::size_t index) { return reinterpret_cast<HMONITOR>(std::uintptr_t(index + 1)); }

// The system's own fonts are made for 96 pixels per inch and follow the
// user's font size.
LOGFONTA UiFont(int height, int weight)
{
  LOGFONTA f;
  f.lfHeight = MulDiv(height, ScreenPixelsPerInch(), 96);
  f.lfWeight = weight;
  f.lfCharSet = 1;  // DEFAULT_CHARSET
  std::strncpy(f.lfFaceName, "Tahoma", LF_FACESIZE - 1);
  return f;
}

std::atomic<int> gBeeps{0};

long Distance(const TRect& r, TPoint p)
{
  long dx = p.x < r.Left ? r.Left - p.x : p.x >= r.Right ? p.x - r.Right + 1 : 0;
  long dy = p.y < r.Top ? r.Top - p.y : p.y >= r.Bottom ? p.y - r.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

int GetSystemMetrics(int index)
{
  auto monitors = MonitorList();
  const TRect& primary = monitors.front().Bounds;
  const TRect& work = monitors.front().WorkArea;
  TRect all = primary;
  for (auto& m : monitors)
    UnionRect(&all, &all, &m.Bounds);
  switch (index) {
    case SM_CXSCREEN: return primary.Width();
    case SM_CYSCREEN: return primary.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return work.Width();
    case SM_CYFULLSCREEN: return work.Height() - 19;
    case SM_MOUSEPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_MENUDROPALIGNMENT: return 0;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 15;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXMAXTRACK: return all.Width() + 12;
    case SM_CYMAXTRACK: return all.Height() + 12;
    case SM_CXMAXIMIZED: return work.Width() + 8;
    case SM_CYMAXIMIZED: return work.Height() + 8;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_XVIRTUALSCREEN: return all.Left;
    case SM_YVIRTUALSCREEN: return all.Top;
    case SM_CXVIRTUALSCREEN: return all.Width();
    case SM_CYVIRTUALSCREEN: return all.Height();
    case SM_CMONITORS: return int(monitors.size());
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_REMOTESESSION: return 0;
    default: return 0;
  }
}

BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni)
{
  (void)param;
  (void)winIni;
  auto setBool = [&](bool v) {
    if (!data)
      return FALSE;
    *static_cast<BOOL*>(data) = v ? TRUE : FALSE;
    return TRUE;
  };
  auto setUint = [&](UINT v) {
    if (!data)
      return FALSE;
    *static_cast<UINT*>(data) = v;
    return TRUE;
  };
  switch (action) {
    case SPI_GETWORKAREA: {
      if (!data)
        return FALSE;
      *static_cast<TRect*>(data) = MonitorList().front().WorkArea;
      return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(data);
      if (!m || m->cbSize != sizeof(NONCLIENTMETRICS))
        return FALSE;
      m->iBorderWidth = 1;
      m->iScrollWidth = 16;
      m->iScrollHeight = 16;
      m->iCaptionWidth = 18;
      m->iCaptionHeight = 18;
      m->lfCaptionFont = UiFont(-11, 700);
      m->iSmCaptionWidth = 15;
      m->iSmCaptionHeight = 15;
      m->lfSmCaptionFont = UiFont(-11, 700);
      m->iMenuWidth = 18;
      m->iMenuHeight = 18;
      m->lfMenuFont = UiFont(-11, 400);
      m->lfStatusFont = UiFont(-11, 400);
      m->lfMessageFont = UiFont(-11, 400);
      TNonClientFonts& fonts = NonClientFonts();
      std::lock_guard<std::mutex> guard(fonts.Lock);
      if (fonts.Set) {
        m->lfCaptionFont = fonts.Caption;
        m->lfSmCaptionFont = fonts.SmCaption;
        m->lfMenuFont = fonts.Menu;
        m->lfStatusFont = fonts.Status;
        m->lfMessageFont = fonts.Message;
      }
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      if (!data)
        return FALSE;
      *static_cast<LOGFONTA*>(data) = UiFont(-11, 400);
      return TRUE;
    case SPI_GETMENUSHOWDELAY: return setUint(400);
    case SPI_GETWHEELSCROLLLINES: return setUint(3);
    case SPI_GETWHEELSCROLLCHARS: return setUint(3);
    case SPI_GETMOUSEHOVERTIME: return setUint(400);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: return setUint(4);
    case SPI_GETKEYBOARDSPEED: return setUint(31);
    case SPI_GETKEYBOARDDELAY: return setUint(1);
    case SPI_GETBORDER: return setUint(1);
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT: return setUint(1);
    // Keyboard cues hidden until the keyboard is used, flat menus off, the
    // classic animations on, as the classic scheme has them.
    case SPI_GETKEYBOARDCUES: return setBool(false);
    case SPI_GETFLATMENU: return setBool(false);
    case SPI_GETMENUANIMATION: return setBool(true);
    case SPI_GETMENUFADE: return setBool(false);
    case SPI_GETGRADIENTCAPTIONS: return setBool(true);
    case SPI_GETHOTTRACKING: return setBool(true);
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETTOOLTIPANIMATION: return setBool(true);
    case SPI_GETTOOLTIPFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETCURSORSHADOW: return setBool(false);
    // Drop shadows are layered windows: only a screen that composes shows them.
    case SPI_GETDROPSHADOW: return setBool(DropShadowsShown());
    case SPI_GETUIEFFECTS: return setBool(true);
    case SPI_GETDRAGFULLWINDOWS: return setBool(true);
    case SPI_GETMENUDROPALIGNMENT: return setBool(false);
    case SPI_GETSNAPTODEFBUTTON: return setBool(false);
    case SPI_GETSCREENREADER:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETSCREENSAVEACTIVE: return setBool(false);
    case SPI_GETBEEP: return setBool(true);
    case SPI_GETFONTSMOOTHING: return setBool(true);
    case SPI_SETNONCLIENTMETRICS: {
      const auto* m = static_cast<const NONCLIENTMETRICS*>(data);
      if (!m || m->cbSize != sizeof(NONCLIENTMETRICS))
        return FALSE;
      {
        TNonClientFonts& fonts = NonClientFonts();
        std::lock_guard<std::mutex> guard(fonts.Lock);
        fonts.Caption = m->lfCaptionFont;
        fonts.SmCaption = m->lfSmCaptionFont;
        fonts.Menu = m->lfMenuFont;
        fonts.Status = m->lfStatusFont;
        fonts.Message = m->lfMessageFont;
        fonts.Set = true;
      }
      if (winIni & SPIF_SENDCHANGE)
        SendMessageTimeout(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, SMTO_ABORTIFHUNG, 100, nullptr);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

HMONITOR MonitorFromPoint(TPoint point, DWORD flags)
{
  auto monitors = MonitorList();
  std::size_t best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    long d = Distance(monitors[i].Bounds, point);
    if (d == 0)
      return MonitorHandle(i);
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  if (flags == MONITOR_DEFAULTTONULL)
    return nullptr;
  return MonitorHandle(flags == MONITOR_DEFAULTTOPRIMARY ? 0 : best);
}

HMONITOR MonitorFromRect(const TRect* rect, DWORD flags)
{
  if (!rect)
    return nullptr;
  auto monitors = MonitorList();
  std::size_t best = 0;
  long bestArea = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    TRect r;
    if (IntersectRect(&r, rect, &monitors[i].Bounds)) {
      long area = long(r.Width()) * r.Height();
      if (area > bestArea) {
        bestArea = area;
        best = i;
      }
    }
  }
  if (bestArea > 0)
    return MonitorHandle(best);
  return MonitorFromPoint(CenterPoint(*rect), flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
  TRect r;
  if (!GetWindowRect(hwnd, &r))
    return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
  auto monitors = MonitorList();
  auto index = reinterpret_cast<std::uintptr_t>(monitor);
  if (!info || index == 0 || index > monitors.size() ||
      (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXA)))
    return FALSE;
  info->rcMonitor = monitors[index - 1].Bounds;
  info->rcWork = monitors[index - 1].WorkArea;
  info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEXA))
    std::snprintf(static_cast<MONITORINFOEXA*>(info)->szDevice, 32, "\\\\.\\DISPLAY%u", unsigned(index));
  return TRUE;
}

// The narrow-character name of the same function: one address under both names.
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) __attribute__((alias("GetMonitorInfo")));

DWORD GetVersion()
{
  // Major 5, minor 1 in the low word; build 2600 in the high word (the high
  // bit clear marks the NT family).
  return DWORD(5) | (DWORD(1) << 8) | (DWORD(2600) << 16);
}

BOOL GetVersionEx(OSVERSIONINFO* info)
{
  if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFO))
    return FALSE;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::strncpy(info->szCSDVersion, "Service Pack 2", sizeof info->szCSDVersion - 1);
  return TRUE;
}

BOOL MessageBeep(UINT)
{
  ++gBeeps;
  return TRUE;
}

int MessageBeepCount() { return gBeeps.load(); }

HKL GetKeyboardLayout(DWORD) { return reinterpret_cast<HKL>(std::uintptr_t(0x040C040C)); }

LCID GetUserDefaultLCID() { return 0x040C; }

int GetLocaleInfo(LCID, LCTYPE type, LPSTR buffer, int size)
{
  const char* value;
  switch (type & 0xFFFF) {
    case LOCALE_ILANGUAGE: value = "040c"; break;
    case LOCALE_SLANGUAGE: value = "Français (France)"; break;
    case LOCALE_SENGLANGUAGE: value = "French"; break;
    case LOCALE_SABBREVLANGNAME: value = "FRA"; break;
    case LOCALE_SDECIMAL: value = ","; break;
    case LOCALE_STHOUSAND: value = "\xC2\xA0"; break;
    case LOCALE_SLIST: value = ";"; break;
    case LOCALE_IDEFAULTCODEPAGE: value = "850"; break;
    case LOCALE_IDEFAULTANSICODEPAGE: value = "65001"; break;
    case LOCALE_SSHORTDATE: value = "dd/MM/yyyy"; break;
    case LOCALE_STIMEFORMAT: value = "HH:mm:ss"; break;
    default: return 0;
  }
  int need = int(std::strlen(value)) + 1;
  if (!buffer || size == 0)
    return need;
  if (size < need)
    return 0;
  std::memcpy(buffer, value, std::size_t(need));
  return need;
}
