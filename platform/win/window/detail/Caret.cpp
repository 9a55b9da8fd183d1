// The caret of a thread.
#include "platform/win/window/Caret.h"

#include <algorithm>
#include <atomic>

#include "platform/win/gdi/Primitives.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

std::atomic<UINT> gBlinkTime{530};

// Inverts the caret's rectangle: drawing it twice leaves what was there.
void Invert(const TCaret& c)
{
  HDC dc = GetDCEx(c.Owner, nullptr, DCX_CACHE | DCX_USESTYLE);
  if (!dc)
    return;
  TRect r(c.Pos.x, c.Pos.y, c.Pos.x + c.Width, c.Pos.y + c.Height);
  InvertRect(dc, &r);
  ReleaseDC(c.Owner, dc);
}

void SetBlinkTimer(TThread& t, HWND owner, bool on)
{
  std::lock_guard<std::mutex> lock(t.M);
  t.Timers.erase(std::remove_if(t.Timers.begin(), t.Timers.end(), [](const TTimer& x) { return x.Id == CaretTimerId; }),
                 t.Timers.end());
  if (!on)
    return;
  TTimer timer;
  timer.Hwnd = owner;
  timer.Id = CaretTimerId;
  timer.Interval = gBlinkTime.load();
  timer.Due = NowMs() + timer.Interval;
  t.Timers.push_back(timer);
  Wake(t);
}

bool Mine(TThread& t, HWND hwnd) { return t.Caret.Owner && (!hwnd || hwnd == t.Caret.Owner) && IsWindow(t.Caret.Owner); }

}  // namespace

namespace wincore {

void BlinkCaret(HWND hwnd)
{
  TThread& t = CurrentThread();
  if (!Mine(t, hwnd) || t.Caret.HideCount > 0)
    return;
  Invert(t.Caret);
  t.Caret.On = !t.Caret.On;
}

void HideCaretForPaint(HWND hwnd)
{
  TThread& t = CurrentThread();
  if (t.Caret.Owner != hwnd || !hwnd)
    return;
  t.Caret.HiddenByPaint++;
  HideCaret(hwnd);
}

void ShowCaretAfterPaint(HWND hwnd)
{
  TThread& t = CurrentThread();
  if (t.Caret.Owner != hwnd || !hwnd || t.Caret.HiddenByPaint == 0)
    return;
  t.Caret.HiddenByPaint--;
  ShowCaret(hwnd);
}

}  // namespace wincore

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || w->Thread.get() != &CurrentThread())
      return FALSE;
  }
  DestroyCaret();
  TThread& t = CurrentThread();
  t.Caret = TCaret();
  t.Caret.Owner = hwnd;
  t.Caret.Width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  t.Caret.Height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  SetBlinkTimer(t, hwnd, true);
  return TRUE;
}

BOOL DestroyCaret()
{
  TThread& t = CurrentThread();
  if (!t.Caret.Owner)
    return FALSE;
  if (t.Caret.On && IsWindow(t.Caret.Owner))
    Invert(t.Caret);
  SetBlinkTimer(t, nullptr, false);
  t.Caret = TCaret();
  return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
  TThread& t = CurrentThread();
  if (!Mine(t, hwnd) || t.Caret.HideCount == 0)
    return FALSE;
  if (--t.Caret.HideCount == 0) {
    if (!t.Caret.On) {
      Invert(t.Caret);
      t.Caret.On = true;
    }
    SetBlinkTimer(t, t.Caret.Owner, true);
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
  TThread& t = CurrentThread();
  if (!Mine(t, hwnd))
    return FALSE;
  if (t.Caret.On) {
    Invert(t.Caret);
    t.Caret.On = false;
  }
  t.Caret.HideCount++;
  return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
  TThread& t = CurrentThread();
  if (!Mine(t, nullptr))
    return FALSE;
  bool wasOn = t.Caret.On;
  if (wasOn)
    Invert(t.Caret);
  t.Caret.Pos = TPoint(x, y);
  t.Caret.On = false;
  // A moved caret shows at once and blinks from there.
  if (t.Caret.HideCount == 0) {
    Invert(t.Caret);
    t.Caret.On = true;
    SetBlinkTimer(t, t.Caret.Owner, true);
  }
  return TRUE;
}

BOOL GetCaretPos(TPoint* point)
{
  TThread& t = CurrentThread();
  if (!point || !t.Caret.Owner)
    return FALSE;
  *point = t.Caret.Pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return gBlinkTime.load(); }

BOOL SetCaretBlinkTime(UINT milliseconds)
{
  gBlinkTime = std::max<UINT>(milliseconds, 10u);
  return TRUE;
}
