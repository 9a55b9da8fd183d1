#include "controls/toolbar/TBCommon.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryApi.h"
#include "platform/base/Utf.h"

namespace {

bool ParseInteger(const std::string& Text, int& Value)
{
  if (Text.empty())
    return false;
  char* end = nullptr;
  long v = std::strtol(Text.c_str(), &end, 10);
  if (*end != '\0' || v < INT32_MIN || v > INT32_MAX)
    return false;
  Value = int(v);
  return true;
}

int RegistryMenuShowDelay()
{
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return MenuShowDelayFromRegistryText(false, false, "");
  char buffer[33] = {};
  DWORD type = 0, size = 32;
  LSTATUS status = RegQueryValueEx(key, "MenuShowDelay", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status == ERROR_FILE_NOT_FOUND)
    return MenuShowDelayFromRegistryText(false, false, "");
  if (status != ERROR_SUCCESS)
    return 0;
  return MenuShowDelayFromRegistryText(true, type == REG_SZ, std::string(buffer, strnlen(buffer, size)));
}

}  // namespace

int MenuShowDelayFromRegistryText(bool Exists, bool IsString, const std::string& Text)
{
  if (!Exists)
    return 400;
  int value = 0;
  if (!IsString || Text.size() > 32 || !ParseInteger(Text, value))
    return 0;
  return value < 0 ? 0 : value;
}

int MenuShowDelay()
{
  if (LOBYTE(LOWORD(GetVersion())) < 4)
    return 400;
  int delay = 0;
  if (SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0))
    return delay < 0 ? 0 : delay;
  // The registry is read once per process.
  static const int registryDelay = RegistryMenuShowDelay();
  return registryDelay;
}

bool IsNT51OrLater()
{
  DWORD v = GetVersion();
  int major = LOBYTE(LOWORD(v)), minor = HIBYTE(LOWORD(v));
  return (v & 0x80000000u) == 0 && (major > 5 || (major == 5 && minor >= 1));
}

bool FlatMenusEnabled()
{
  BOOL flat = FALSE;
  return IsNT51OrLater() && SystemParametersInfo(SPI_GETFLATMENU, 0, &flat, 0) && flat;
}

bool KeyboardCuesShown()
{
  BOOL shown = FALSE;
  if (LOBYTE(LOWORD(GetVersion())) < 5 || !SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &shown, 0))
    return true;
  return shown != FALSE;
}

bool SoundSchemeHasSound(const std::string& EventName)
{
  DWORD v = GetVersion();
  if ((v & 0x80000000u) != 0 || LOBYTE(LOWORD(v)) <= 4)
    return true;
  HKEY key = nullptr;
  std::string path = "AppEvents\\Schemes\\Apps\\.Default\\" + EventName + "\\.Current";
  if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  char buffer[9] = {};
  DWORD type = 0, size = sizeof(buffer);
  LSTATUS status = RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  return status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && size > 0 && buffer[0] != '\0');
}

int InputLocaleCodePage()
{
  char buffer[16] = {};
  LCID locale = LCID(uintptr_t(GetKeyboardLayout(0)) & 0xFFFF);
  if (GetLocaleInfo(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof(buffer)) == 0)
    return 0;
  int page = 0;
  if (!ParseInteger(buffer, page) || page <= 0)
    return 0;
  return page;
}

bool ApplicationHasActiveWindow() { return GetActiveWindow() != nullptr; }

bool HasMultipleMonitors()
{
  int count = GetSystemMetrics(SM_CMONITORS);
  return count != 0 && count != 1;
}

namespace {

using TMonitorFromRect = HMONITOR (*)(const TRect*, DWORD);
using TMonitorFromPoint = HMONITOR (*)(TPoint, DWORD);
using TMonitorFromWindow = HMONITOR (*)(HWND, DWORD);
using TGetMonitorInfo = BOOL (*)(HMONITOR, MONITORINFO*);

TRect FallbackMonitorRect(bool WorkArea)
{
  TRect r;
  if (WorkArea && SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0))
    return r;
  return TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

template <class Find>
TRect MonitorRectOf(Find find, bool WorkArea)
{
  if (HasMultipleMonitors()) {
    auto fromRect = BindUser32<TMonitorFromRect>("MonitorFromRect");
    auto fromPoint = BindUser32<TMonitorFromPoint>("MonitorFromPoint");
    auto fromWindow = BindUser32<TMonitorFromWindow>("MonitorFromWindow");
    auto getInfo = BindUser32<TGetMonitorInfo>("GetMonitorInfoA");
    if (fromRect && fromPoint && fromWindow && getInfo) {
      HMONITOR monitor = find(fromRect, fromPoint);
      MONITORINFO info{};
      info.cbSize = sizeof(info);
      if (monitor && getInfo(monitor, &info))
        return WorkArea ? info.rcWork : info.rcMonitor;
    }
  }
  return FallbackMonitorRect(WorkArea);
}

}  // namespace

TRect MonitorRectOfRect(const TRect& R, bool WorkArea)
{
  return MonitorRectOf([&](TMonitorFromRect f, TMonitorFromPoint) { return f(&R, MONITOR_DEFAULTTONEAREST); },
                       WorkArea);
}

TRect MonitorRectOfPoint(const TPoint& P, bool WorkArea)
{
  return MonitorRectOf([&](TMonitorFromRect, TMonitorFromPoint f) { return f(P, MONITOR_DEFAULTTONEAREST); },
                       WorkArea);
}

bool RequestMouseTracking(HWND Window, DWORD Flags)
{
  using TTrack = BOOL (*)(TRACKMOUSEEVENT*);
  static const TTrack track = [] {
    if (auto f = BindUser32<TTrack>("TrackMouseEvent"))
      return f;
    // The loader here shows no error box, so no error mode is needed.
    HMODULE comctl = LoadLibrary("comctl32.dll");
    return comctl ? reinterpret_cast<TTrack>(GetProcAddress(comctl, "_TrackMouseEvent")) : TTrack(nullptr);
  }();
  if (!track)
    return false;
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = Flags;
  tme.hwndTrack = Window;
  tme.dwHoverTime = 0;
  return track(&tme) != FALSE;
}

int TextHeightOnDC(HDC DC)
{
  TEXTMETRICA tm{};
  GetTextMetrics(DC, &tm);
  return tm.tmHeight;
}

int PlainTextWidth(HDC DC, const std::string& Text)
{
  TSize size;
  GetTextExtentPoint32(DC, Text.c_str(), int(Text.size()), &size);
  return size.cx;
}

int TextWidthOnDC(HDC DC, const std::string& Text, bool StripAccel)
{
  return PlainTextWidth(DC, StripAccel ? RemoveAccelMarks(Text) : Text);
}

std::string RemoveAccelMarks(const std::string& Text)
{
  // UTF-8 trail bytes are never "&", so a plain byte scan is safe.
  std::string result;
  result.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&')
        result += '&', ++i;
      continue;
    }
    result += Text[i];
  }
  return result;
}

std::string DoubleAmpersands(const std::string& Text)
{
  std::string result;
  for (char c : Text) {
    result += c;
    if (c == '&')
      result += '&';
  }
  return result;
}

std::string TrimEllipsisOrColon(const std::string& Text)
{
  size_t n = Text.size();
  // A last byte above 0x7F belongs to a multi-byte character: leave it.
  if (n == 0 || static_cast<unsigned char>(Text[n - 1]) >= 0x80)
    return Text;
  if (n >= 2 && Text[n - 1] == ':')
    return Text.substr(0, n - 1);
  if (n >= 4 && Text.compare(n - 3, 3, "...") == 0)
    return Text.substr(0, n - 3);
  return Text;
}

namespace {

// The code point starting at byte I (advancing I past it).
char32_t DecodeAt(const std::string& Text, size_t& I)
{
  unsigned char c = Text[I];
  int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
  char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
  ++I;
  for (int k = 0; k < extra && I < Text.size(); ++k, ++I)
    cp = (cp << 6) | (static_cast<unsigned char>(Text[I]) & 0x3F);
  return cp;
}

}  // namespace

char32_t AccelCharOf(const std::string& Text)
{
  char32_t result = 0;
  for (size_t i = 0; i < Text.size();) {
    if (Text[i] == '&') {
      if (i + 1 >= Text.size())
        break;
      if (Text[i + 1] == '&') {
        i += 2;
        continue;
      }
      ++i;
      result = DecodeAt(Text, i);
      continue;
    }
    ++i;
  }
  return result;
}

HFONT CreateVerticalFont(HDC DC)
{
  LOGFONTA log{};
  HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  if (!font || GetObject(font, sizeof(log), &log) == 0)
    return nullptr;
  log.lfEscapement = 2700;
  log.lfOrientation = 2700;
  log.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  if (std::strcmp(log.lfFaceName, "MS Sans Serif") == 0 || std::strcmp(log.lfFaceName, "Microsoft Sans Serif") == 0)
    std::strcpy(log.lfFaceName, "Arial");
  return CreateFontIndirect(&log);
}

std::string FitRotatedCaption(HDC DC, const std::string& Text, int Height, UINT Format, int& AccelIndex)
{
  std::string text;
  AccelIndex = -1;
  if (Format & DT_NOPREFIX) {
    text = Text;
  } else {
    for (size_t i = 0; i < Text.size(); ++i) {
      if (Text[i] == '&' && i + 1 < Text.size()) {
        if (Text[i + 1] != '&')
          AccelIndex = int(text.size());
        text += Text[++i];
        continue;
      }
      if (Text[i] != '&')
        text += Text[i];
    }
  }
  if ((Format & DT_END_ELLIPSIS) && PlainTextWidth(DC, text) > Height) {
    size_t keep = 1;
    if (Height >= 3) {
      keep = text.size();
      while (keep > 1 && PlainTextWidth(DC, text.substr(0, keep) + "...") > Height)
        --keep;
    }
    // Never cut a multi-byte character in two.
    while (keep > 1 && keep < text.size() && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
      --keep;
    text = text.substr(0, keep) + "...";
    if (AccelIndex >= int(keep))
      AccelIndex = -1;
  }
  return text;
}

void DrawRotatedCaption(HDC DC, const std::string& Text, const TRect& R, UINT Format)
{
  if (Text.empty())
    return;
  HFONT vertical = CreateVerticalFont(DC);
  if (!vertical)
    return;
  HGDIOBJ oldFont = SelectObject(DC, vertical);
  TEXTMETRICA tm{};
  GetTextMetrics(DC, &tm);
  int accel = -1;
  std::string text = FitRotatedCaption(DC, Text, R.Height(), Format, accel);
  int textWidth = PlainTextWidth(DC, text);
  int x = R.Left + (R.Width() - tm.tmHeight) / 2;
  int y = (Format & DT_CENTER) ? R.Top + (R.Height() - textWidth) / 2 : R.Top;
  UINT oldAlign = SetTextAlign(DC, TA_BOTTOM);
  int saved = SaveDC(DC);
  if (!(Format & DT_NOCLIP))
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  TextOut(DC, x, y, text.c_str(), int(text.size()));
  if (accel >= 0 && !(Format & DT_HIDEPREFIX)) {
    size_t next = size_t(accel);
    DecodeAt(text, next);
    int before = PlainTextWidth(DC, text.substr(0, size_t(accel)));
    int width = PlainTextWidth(DC, text.substr(size_t(accel), next - size_t(accel)));
    HPEN pen = CreatePen(PS_SOLID, 1, GetTextColor(DC));
    HGDIOBJ oldPen = SelectObject(DC, pen);
    int lx = x + tm.tmDescent - 2;
    MoveToEx(DC, lx, y + before, nullptr);
    LineTo(DC, lx, y + before + width);
    SelectObject(DC, oldPen);
    DeleteObject(pen);
  }
  RestoreDC(DC, saved);
  SetTextAlign(DC, oldAlign);
  SelectObject(DC, oldFont);
  DeleteObject(vertical);
}

LRESULT PaintWindowToDC(HWND Window, HDC DC, LPARAM Flags, TTBFramePainter FramePainter, void* Data)
{
  if ((Flags & PRF_CHECKVISIBLE) && !IsWindowVisible(Window))
    return 1;
  TRect windowRect, clientRect;
  GetWindowRect(Window, &windowRect);
  TPoint clientOrigin(0, 0);
  ClientToScreen(Window, &clientOrigin);
  GetClientRect(Window, &clientRect);
  TPoint offset(clientOrigin.x - windowRect.Left, clientOrigin.y - windowRect.Top);
  if ((Flags & PRF_NONCLIENT) && FramePainter) {
    int saved = SaveDC(DC);
    FramePainter(Window, DC, Data);
    RestoreDC(DC, saved);
  }
  if (Flags & PRF_CLIENT) {
    auto sendShifted = [&](UINT msg, LPARAM l) {
      int saved = SaveDC(DC);
      if (Flags & PRF_NONCLIENT)
        OffsetWindowOrgEx(DC, -offset.x, -offset.y, nullptr);
      IntersectClipRect(DC, 0, 0, clientRect.Right, clientRect.Bottom);
      SendMessage(Window, msg, WPARAM(DC), l);
      RestoreDC(DC, saved);
    };
    if (Flags & PRF_ERASEBKGND)
      sendShifted(WM_ERASEBKGND, 0);
    sendShifted(WM_PRINTCLIENT, Flags);
    auto printAt = [&](HWND child, LPARAM childFlags) {
      TRect r;
      GetWindowRect(child, &r);
      int saved = SaveDC(DC);
      int dx = r.Left - windowRect.Left, dy = r.Top - windowRect.Top;
      OffsetWindowOrgEx(DC, -dx, -dy, nullptr);
      IntersectClipRect(DC, 0, 0, r.Width(), r.Height());
      SendMessage(child, WM_PRINT, WPARAM(DC), childFlags);
      RestoreDC(DC, saved);
    };
    if (Flags & PRF_CHILDREN) {
      for (HWND child = GetWindow(Window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
          printAt(child, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    }
    if (Flags & PRF_OWNED) {
      std::vector<HWND> owned;
      EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
        auto* list = reinterpret_cast<std::vector<HWND>*>(p);
        list->push_back(h);
        return TRUE;
      }, LPARAM(&owned));
      for (HWND h : owned)
        if (h != Window && GetWindow(h, GW_OWNER) == Window && IsWindowVisible(h))
          printAt(h, Flags);
    }
  }
  return 1;
}

void ClipToNCUpdateRegion(HWND Window, HDC DC, HRGN Region)
{
  if (uintptr_t(Region) <= 1)
    return;
  TRect r;
  GetWindowRect(Window, &r);
  if (SelectClipRgn(DC, Region) == ERROR) {
    IntersectClipRect(DC, 0, 0, r.Width(), r.Height());
    return;
  }
  OffsetClipRgn(DC, -r.Left, -r.Top);
}

void PumpPaintMessages()
{
  MSG msg;
  while (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
    if (!PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
      break;
    DispatchMessage(&msg);
  }
  if (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
    PostQuitMessage(int(msg.wParam));
}

void FlushMessages(UINT First, UINT Last)
{
  MSG msg;
  while (PeekMessage(&msg, nullptr, First, Last, PM_REMOVE | PM_NOYIELD)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
  }
}

HRGN CreateEmptyRegion() { return CreateRectRgn(0, 0, 0, 0); }

namespace {

HRGN RingRegion(const TRect& R, TSize Size)
{
  HRGN outer = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  HRGN inner = CreateRectRgn(R.Left + Size.cx, R.Top + Size.cy, R.Right - Size.cx, R.Bottom - Size.cy);
  CombineRgn(outer, outer, inner, RGN_DIFF);
  DeleteObject(inner);
  return outer;
}

void InvertRegion(HDC DC, HRGN Region, HBRUSH Brush)
{
  int saved = SaveDC(DC);
  ExtSelectClipRgn(DC, Region, RGN_AND);
  TRect box;
  GetRgnBox(Region, &box);
  HGDIOBJ old = SelectObject(DC, Brush);
  PatBlt(DC, box.Left, box.Top, box.Width(), box.Height(), PATINVERT);
  SelectObject(DC, old);
  RestoreDC(DC, saved);
}

}  // namespace

void DrawInvertFrame(HDC DC, const TRect& NewRect, const TRect* OldRect, HBRUSH NewBrush, HBRUSH OldBrush,
                     TSize NewSize, TSize OldSize)
{
  HRGN ring = RingRegion(NewRect, NewSize);
  if (OldRect && (!OldBrush || OldBrush == NewBrush)) {
    HRGN old = RingRegion(*OldRect, OldSize);
    CombineRgn(ring, ring, old, RGN_XOR);
    DeleteObject(old);
    InvertRegion(DC, ring, NewBrush);
  } else {
    if (OldRect) {
      HRGN old = RingRegion(*OldRect, OldSize);
      InvertRegion(DC, old, OldBrush);
      DeleteObject(old);
    }
    InvertRegion(DC, ring, NewBrush);
  }
  DeleteObject(ring);
}

void DrawHalftoneDragFrame(HDC DC, const TRect& NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize)
{
  static const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  DrawInvertFrame(DC, NewRect, OldRect, brush, nullptr, NewSize, OldSize);
  DeleteObject(brush);
  DeleteObject(pattern);
}

void SortList(TList* List, TTBListSortCompare Compare, void* UserData)
{
  if (!List || List->Count() < 2)
    return;
  std::vector<void*> items(List->List(), List->List() + List->Count());
  std::stable_sort(items.begin(), items.end(),
                   [&](void* a, void* b) { return Compare(a, b, UserData) < 0; });
  for (int i = 0; i < int(items.size()); ++i)
    List->SetItems(i, items[size_t(i)]);
}

bool AddToListOnce(TList*& List, void* Item)
{
  if (!List)
    List = new TList;
  if (List->IndexOf(Item) >= 0)
    return false;
  List->Add(Item);
  return true;
}

bool InsertAtFrontOnce(TList*& List, void* Item)
{
  if (!List)
    List = new TList;
  if (List->IndexOf(Item) >= 0)
    return false;
  List->Insert(0, Item);
  return true;
}

void RemoveFromListAndFree(TList*& List, void* Item)
{
  if (!List)
    return;
  List->Remove(Item);
  if (List->Count() == 0) {
    delete List;
    List = nullptr;
  }
}

int DivideAwayFromZero(int A, int B)
{
  int q = A / B;
  if (A % B != 0)
    q += ((A < 0) != (B < 0)) ? -1 : 1;
  return q;
}
