#include "platform/win/shell/BalloonWindow.h"

#include <algorithm>

#include "platform/win/gdi/Cursors.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/shell/ShellNotify.h"
#include "platform/win/window/window.h"

namespace {

const char* const BalloonClass = "CorvaneNotifyBalloon";
constexpr int Margin = 8;
constexpr int IconSize = 16;
constexpr int TextWidth = 260;
constexpr UINT_PTR TimeoutTimer = 1;
// Posted to a retired balloon: it closes unless a new notice took it over.
constexpr UINT RetireMessage = WM_USER + 1;
// Posted to a renewed balloon: it takes the size and place of its newest
// notice. A burst renews it many times in one turn of the loop; measuring
// each notice's text would cost more than the notice itself.
constexpr UINT BalloonLayOutMessage = WM_USER + 2;

struct TBalloon {
  std::string Title;
  std::string Text;
  HICON Icon = nullptr;
  TBalloonEnded Ended = nullptr;
  bool Done = false;
  bool Retiring = false;
  // A renewed notice waits to be measured and placed (BalloonLayOutMessage).
  bool LayOutDue = false;
  bool Anchored = false;
  TRect Anchor;
};

HFONT MessageFont(bool bold)
{
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONT font = metrics.lfMessageFont;
  if (bold)
    font.lfWeight = 700;
  return CreateFontIndirect(&font);
}

HICON IconOf(DWORD flags)
{
  switch (flags & NIIF_ICON_MASK) {
    case NIIF_INFO: return LoadIcon(nullptr, IDI_INFORMATION);
    case NIIF_WARNING: return LoadIcon(nullptr, IDI_WARNING);
    case NIIF_ERROR: return LoadIcon(nullptr, IDI_ERROR);
    default: return nullptr;
  }
}

// The title's and the text's rectangles inside the window, and its size.
struct TLayout {
  TRect Title;
  TRect Text;
  TSize Size;
};

TLayout Measure(const TBalloon& b)
{
  TLayout l;
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT bold = MessageFont(true), plain = MessageFont(false);
  int left = Margin + (b.Icon ? IconSize + 6 : 0);
  TRect title(0, 0, TextWidth, 0);
  if (!b.Title.empty()) {
    HGDIOBJ old = SelectObject(dc, bold);
    DrawText(dc, b.Title.c_str(), int(b.Title.size()), &title, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  TRect text(0, 0, TextWidth, 0);
  HGDIOBJ old = SelectObject(dc, plain);
  DrawText(dc, b.Text.c_str(), int(b.Text.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(bold);
  DeleteObject(plain);
  DeleteDC(dc);
  int headHeight = std::max(title.Height(), b.Icon ? IconSize : 0);
  l.Title = TRect(left, Margin, left + title.Width(), Margin + headHeight);
  int textTop = Margin + (headHeight ? headHeight + 4 : 0);
  l.Text = TRect(Margin, textTop, Margin + text.Width(), textTop + text.Height());
  int width = std::max(l.Title.Right, l.Text.Right) + Margin;
  l.Size = TSize(width + 2, l.Text.Bottom + Margin + 2);  // and the border
  return l;
}

void Paint(HWND hwnd, const TBalloon& b)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  TRect client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  TLayout l = Measure(b);
  if (b.Icon)
    DrawIconEx(dc, Margin, Margin, b.Icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  HFONT bold = MessageFont(true), plain = MessageFont(false);
  HGDIOBJ old = SelectObject(dc, bold);
  if (!b.Title.empty())
    DrawText(dc, b.Title.c_str(), int(b.Title.size()), &l.Title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, plain);
  DrawText(dc, b.Text.c_str(), int(b.Text.size()), &l.Text, DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(bold);
  DeleteObject(plain);
  EndPaint(hwnd, &ps);
}

void End(HWND hwnd, UINT how)
{
  auto* b = reinterpret_cast<TBalloon*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  if (!b || b->Done)
    return;
  b->Done = true;
  TBalloonEnded ended = b->Ended;
  DestroyWindow(hwnd);
  if (ended)
    ended(hwnd, how);
}

void LayOutBalloon(HWND hwnd, TBalloon& b);

LRESULT BalloonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* b = reinterpret_cast<TBalloon*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      break;
    }
    case WM_PAINT:
      if (b) {
        // Painted before its turn came (an update forced): size it first.
        if (b->LayOutDue)
          LayOutBalloon(hwnd, *b);
        Paint(hwnd, *b);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_TIMER:
      if (wParam == TimeoutTimer) {
        End(hwnd, NIN_BALLOONTIMEOUT);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      End(hwnd, NIN_BALLOONUSERCLICK);
      return 0;
    case BalloonLayOutMessage:
      if (b && b->LayOutDue)
        LayOutBalloon(hwnd, *b);
      return 0;
    case RetireMessage:
      if (b && b->Retiring)
        DestroyWindow(hwnd);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
      delete b;
      break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterBalloonClass()
{
  WNDCLASS existing;
  if (GetClassInfo(nullptr, BalloonClass, &existing))
    return;
  WNDCLASS wc;
  wc.lpfnWndProc = &BalloonProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = BalloonClass;
  RegisterClass(&wc);
}

}  // namespace

namespace {

// Above the icon when it is known, else in the corner of the work area.
TPoint PlaceBalloon(const TSize& size, const TRect* anchor)
{
  TRect work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  TPoint at(work.Right - Margin - size.cx, work.Bottom - Margin - size.cy);
  if (anchor) {
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromPoint(TPoint(anchor->Left, anchor->Top), MONITOR_DEFAULTTOPRIMARY), &info))
      work = info.rcWork;
    at.x = anchor->Right - size.cx;
    at.y = anchor->Top - 2 - size.cy;
    if (at.y < work.Top)
      at.y = anchor->Bottom + 2;
    at.x = std::clamp(at.x, work.Left, std::max(work.Left, work.Right - size.cx));
    at.y = std::clamp(at.y, work.Top, std::max(work.Top, work.Bottom - size.cy));
  }
  return at;
}

// The newest notice's size and place.
void LayOutBalloon(HWND hwnd, TBalloon& b)
{
  b.LayOutDue = false;
  TSize size = Measure(b).Size;
  TPoint at = PlaceBalloon(size, b.Anchored ? &b.Anchor : nullptr);
  TRect now;
  GetWindowRect(hwnd, &now);
  if (now != TRect(at.x, at.y, at.x + size.cx, at.y + size.cy))
    SetWindowPos(hwnd, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillBalloon(TBalloon& b, const std::string& title, const std::string& text, DWORD infoFlags,
                 TBalloonEnded ended)
{
  b.Title = title;
  b.Text = text;
  b.Icon = IconOf(infoFlags);
  b.Ended = ended;
}

// The balloon's data when it is a window of the calling thread.
TBalloon* OwnBalloon(HWND balloon)
{
  if (!IsWindow(balloon) || GetWindowThreadProcessId(balloon, nullptr) != GetCurrentThreadId())
    return nullptr;
  return reinterpret_cast<TBalloon*>(GetWindowLongPtr(balloon, GWLP_USERDATA));
}

}  // namespace

HWND OpenBalloonWindow(const std::string& title, const std::string& text, DWORD infoFlags, UINT timeoutMs,
                       const TRect* anchor, TBalloonEnded ended)
{
  RegisterBalloonClass();
  auto* b = new TBalloon;
  FillBalloon(*b, title, text, infoFlags, ended);
  TSize size = Measure(*b).Size;
  TPoint at = PlaceBalloon(size, anchor);
  HWND hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, BalloonClass, "",
                             WS_POPUP | WS_BORDER, at.x, at.y, size.cx, size.cy, nullptr, nullptr, nullptr, b);
  if (!hwnd) {
    delete b;
    return nullptr;
  }
  SetTimer(hwnd, TimeoutTimer, timeoutMs, nullptr);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return hwnd;
}

bool RenewBalloonWindow(HWND balloon, const std::string& title, const std::string& text, DWORD infoFlags,
                        UINT timeoutMs, const TRect* anchor, TBalloonEnded ended)
{
  TBalloon* b = OwnBalloon(balloon);
  if (!b || !b->Retiring)
    return false;
  FillBalloon(*b, title, text, infoFlags, ended);
  b->Retiring = false;
  b->Done = false;
  b->Anchored = anchor != nullptr;
  b->Anchor = anchor ? *anchor : TRect();
  // Measured and placed once at the next turn of the loop, before it is
  // painted, whatever number of notices came meanwhile.
  if (!b->LayOutDue) {
    b->LayOutDue = true;
    if (!PostMessage(balloon, BalloonLayOutMessage, 0, 0))
      LayOutBalloon(balloon, *b);
  }
  InvalidateRect(balloon, nullptr, FALSE);
  // The time-out counts from the newest notice.
  SetTimer(balloon, TimeoutTimer, timeoutMs, nullptr);
  return true;
}

void RetireBalloonWindow(HWND balloon)
{
  TBalloon* b = OwnBalloon(balloon);
  if (!b) {
    CloseBalloonWindow(balloon);
    return;
  }
  b->Done = true;
  b->Retiring = true;
  KillTimer(balloon, TimeoutTimer);
  PostMessage(balloon, RetireMessage, 0, 0);
}

void CloseBalloonWindow(HWND balloon)
{
  if (!IsWindow(balloon))
    return;
  if (auto* b = reinterpret_cast<TBalloon*>(GetWindowLongPtr(balloon, GWLP_USERDATA)))
    b->Done = true;
  // The window may belong to another thread: its own thread destroys it.
  SendMessage(balloon, WM_CLOSE, 0, 0);
}
