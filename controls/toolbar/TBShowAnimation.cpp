#include "controls/toolbar/TBShowAnimation.h"

#include <algorithm>
#include <atomic>

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBConsts.h"
#include "platform/base/MulDiv.h"
#include "platform/base/ThreadApi.h"
#include "platform/classes/Messages.h"

namespace {

using TUpdateLayeredWindow = BOOL (*)(HWND, HDC, const TPoint*, const TSize*, HDC, const TPoint*, COLORREF,
                                      const BLENDFUNCTION*, DWORD);

// The animation. The worker touches only the step, the cursor fields and the
// three flags; everything else is set before it starts and read-only while
// it runs. The flags and the step cross threads, so they are atomic.
struct TAnimation {
  HWND Window = nullptr;
  int Duration = 0;
  bool Fade = false;
  std::atomic<int> Step{0};
  HDC MemoryDC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ OldBitmap = nullptr;
  TRect ScreenClientRect;
  int Width = 0, Height = 0;
  TPoint LastCursor;
  TTBAnimationDirection Directions = 0;
  std::atomic<int> StopRequest{0};
  std::atomic<int> Finished{0};
  std::atomic<int> FramePending{0};
  LPARAM Number = 0;  // the number of this animation, carried by its frames
  // The counter when the window was shown, and its units a second.
  LONGLONG StartCount = 0;
  LONGLONG Frequency = 1000;

  void Clear()
  {
    Window = nullptr;
    Duration = 0;
    Fade = false;
    Step.store(0);
    MemoryDC = nullptr;
    Bitmap = nullptr;
    OldBitmap = nullptr;
    ScreenClientRect = TRect();
    Width = Height = 0;
    LastCursor = TPoint();
    Directions = 0;
    StopRequest.store(0);
    Finished.store(0);
    FramePending.store(0);
  }
};

TAnimation Anim;
// The image of the last animation, kept for the next: a menu opened again
// at its size reuses it (the window's print covers it whole) instead of
// allocating and clearing one per opening.
struct TKeptAnimationImage {
  HDC MemoryDC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ OldBitmap = nullptr;
  int Width = 0, Height = 0;
} KeptAnimation;
HANDLE Thread = nullptr;
LPARAM AnimationNumber = 0;
bool ThreadCreationFails = false;

TUpdateLayeredWindow UpdateLayered()
{
  static const TUpdateLayeredWindow fn = BindUser32<TUpdateLayeredWindow>("UpdateLayeredWindow");
  return fn;
}

BOOL SetLayeredAlpha(int Alpha, bool Full)
{
  BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(Alpha), 0};
  TPoint source(0, 0);
  if (!Full)
    return UpdateLayered()(Anim.Window, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
  TRect r;
  GetWindowRect(Anim.Window, &r);
  TPoint destination(r.Left, r.Top);
  TSize size{Anim.Width, Anim.Height};
  return UpdateLayered()(Anim.Window, nullptr, &destination, &size, Anim.MemoryDC, &source, 0, &blend, ULW_ALPHA);
}

// Copies the captured image to the window at Offset. The window DC is taken
// for each copy, so it clips to the window as it is now shown.
void CopyImage(TPoint Offset)
{
  HDC dc = GetDCEx(Anim.Window, nullptr, DCX_WINDOW | DCX_CACHE);
  BitBlt(dc, Offset.x, Offset.y, Anim.Width, Anim.Height, Anim.MemoryDC, 0, 0, SRCCOPY);
  ReleaseDC(Anim.Window, dc);
}

void SetRegion(const TRect& R)
{
  HRGN region = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  if (!SetWindowRgn(Anim.Window, region, FALSE))
    DeleteObject(region);
}

LONGLONG ElapsedMilliseconds(LONGLONG Start, LONGLONG Frequency)
{
  LONGLONG now = 0;
  QueryPerformanceCounter(&now);
  LONGLONG d = now - Start;
  return d / Frequency * 1000 + d % Frequency * 1000 / Frequency;
}

DWORD AnimationThreadProc(void*)
{
  const LONGLONG frequency = Anim.Frequency, start = Anim.StartCount;
  while (Anim.StopRequest.load(std::memory_order_acquire) == 0) {
    LONGLONG elapsed = ElapsedMilliseconds(start, frequency);
    int raw = MulDiv(255, int(std::min<LONGLONG>(elapsed, 1 << 20)), Anim.Duration);
    int step = raw & ~15;
    if (step < 0 || step >= 255 || elapsed >= Anim.Duration)
      break;
    TPoint cursor;
    if (GetCursorPos(&cursor) && cursor != Anim.LastCursor) {
      // The user reached for the menu: show it whole.
      if (Anim.ScreenClientRect.Contains(cursor))
        break;
      Anim.LastCursor = cursor;
    }
    if (step > Anim.Step.load()) {
      Anim.Step.store(step);
      if (Anim.FramePending.exchange(1) == 0)
        SendNotifyMessage(Anim.Window, TBM_ANIMATIONSTEP, 0, Anim.Number);
    } else {
      Sleep(DWORD(std::max(1, MulDiv(Anim.Step.load() + 16 - raw, Anim.Duration, 255))));
    }
  }
  Anim.Finished.store(-1, std::memory_order_release);
  SendNotifyMessage(Anim.Window, TBM_ANIMATIONSTEP, 0, Anim.Number);
  return 0;
}

void FreeAnimationImage(HDC MemoryDC, HBITMAP Bitmap, HGDIOBJ OldBitmap)
{
  if (!MemoryDC)
    return;
  SelectObject(MemoryDC, OldBitmap);
  DeleteDC(MemoryDC);
  DeleteObject(Bitmap);
}

// The animation's image becomes the kept one (the one kept before goes).
void KeepAnimationImage()
{
  FreeAnimationImage(KeptAnimation.MemoryDC, KeptAnimation.Bitmap, KeptAnimation.OldBitmap);
  KeptAnimation = {Anim.MemoryDC, Anim.Bitmap, Anim.OldBitmap, Anim.Width, Anim.Height};
}

// Gives the animation the kept image when it has the animation's size.
bool TakeKeptAnimationImage()
{
  if (!KeptAnimation.MemoryDC || KeptAnimation.Width != Anim.Width || KeptAnimation.Height != Anim.Height)
    return false;
  Anim.MemoryDC = KeptAnimation.MemoryDC;
  Anim.Bitmap = KeptAnimation.Bitmap;
  Anim.OldBitmap = KeptAnimation.OldBitmap;
  KeptAnimation = TKeptAnimationImage();
  return true;
}

void FinishAnimation()
{
  HWND window = Anim.Window;
  if (Anim.Fade)
    SetWindowLong(window, GWL_EXSTYLE, GetWindowLong(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  else
    SetWindowRgn(window, nullptr, FALSE);
  CopyImage(TPoint(0, 0));
  KeepAnimationImage();
  Anim.Clear();
  SendNotifyMessage(window, TBM_ANIMATIONEND, 0, 0);
}

// Stops the animation at the end of the program.
struct TAnimationUnitEnd {
  ~TAnimationUnitEnd() { StopShowAnimation(nullptr); }
} AnimationUnitEnd;

}  // namespace

int AnimationStepAt(LONGLONG ElapsedMs, int Duration)
{
  int raw = MulDiv(255, int(ElapsedMs), Duration);
  return raw < 0 ? raw : raw & ~15;
}

TPoint SlideOffset(TTBAnimationDirection Directions, int Step, int Width, int Height)
{
  TPoint d(0, 0);
  if (Directions & tbadDown)
    d.y = MulDiv(Height, Step, 255) - Height;
  else if (Directions & tbadUp)
    d.y = Height - MulDiv(Height, Step, 255);
  if (Directions & tbadRight)
    d.x = MulDiv(Width, Step, 255) - Width;
  else if (Directions & tbadLeft)
    d.x = Width - MulDiv(Width, Step, 255);
  return d;
}

void StartShowAnimation(HWND Window, int Duration, bool Fade, TTBAnimationDirection Directions)
{
  StopShowAnimation(nullptr);
  Anim.Clear();
  Anim.Window = Window;
  Anim.Duration = Duration > 0 ? Duration : 1;
  Anim.Fade = Fade && UpdateLayered();
  Anim.Directions = Directions;
  GetCursorPos(&Anim.LastCursor);
  TRect client;
  GetClientRect(Window, &client);
  TPoint tl(client.Left, client.Top), br(client.Right, client.Bottom);
  ClientToScreen(Window, &tl);
  ClientToScreen(Window, &br);
  Anim.ScreenClientRect = TRect(tl.x, tl.y, br.x, br.y);

  TRect wr;
  GetWindowRect(Window, &wr);
  Anim.Width = wr.Width();
  Anim.Height = wr.Height();
  if (!TakeKeptAnimationImage()) {
    HDC windowDC = GetDCEx(Window, nullptr, DCX_WINDOW | DCX_CACHE);
    Anim.Bitmap = CreateCompatibleBitmap(windowDC, Anim.Width, Anim.Height);
    Anim.MemoryDC = CreateCompatibleDC(windowDC);
    ReleaseDC(Window, windowDC);
    Anim.OldBitmap = SelectObject(Anim.MemoryDC, Anim.Bitmap);
  }
  SendMessage(Window, WM_PRINT, WPARAM(Anim.MemoryDC), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);

  if (Anim.Fade) {
    SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) | WS_EX_LAYERED);
    Anim.Step.store(32);
    if (!SetLayeredAlpha(32, true)) {
      // The screen does not compose: the window comes in as a slide (or
      // whole at the first frame without directions).
      SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
      Anim.Fade = false;
    }
  }
  if (!Anim.Fade) {
    Anim.Step.store(0);
    SetRegion(TRect());
  }
  SetWindowPos(Window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                   SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS);
  Thread = ThreadCreationFails ? nullptr
                               : CreateThread(nullptr, 0, &AnimationThreadProc, nullptr, CREATE_SUSPENDED, nullptr);
  if (!Thread) {
    FinishAnimation();
    return;
  }
  Anim.Number = ++AnimationNumber;
  // Time counts from the showing, not from when the worker gets to run.
  if (!QueryPerformanceFrequency(&Anim.Frequency) || Anim.Frequency <= 0)
    Anim.Frequency = 1000;
  QueryPerformanceCounter(&Anim.StartCount);
  ResumeThread(Thread);
}

void StopShowAnimation(HWND Window)
{
  if (!Thread || (Window && Window != Anim.Window))
    return;
  Anim.StopRequest.store(-1, std::memory_order_release);
  WaitForSingleObject(Thread, INFINITE);
  CloseHandle(Thread);
  Thread = nullptr;
  FinishAnimation();
}

bool ShowAnimationRunning(HWND Window) { return Thread && (!Window || Window == Anim.Window); }

void AnimationFrame(TMessage& Message)
{
  if (!Thread || Message.LParam != Anim.Number || Message.Msg != TBM_ANIMATIONSTEP)
    return;
  if (Anim.Finished.load(std::memory_order_acquire)) {
    StopShowAnimation(Anim.Window);
    return;
  }
  int step = Anim.Step.load();
  if (Anim.Fade) {
    SetLayeredAlpha(step, false);
  } else {
    TPoint d = SlideOffset(Anim.Directions, step, Anim.Width, Anim.Height);
    SetRegion(TRect(d.x, d.y, d.x + Anim.Width, d.y + Anim.Height));
    CopyImage(d);
  }
  Anim.FramePending.store(0);
}

LPARAM ShowAnimationNumber() { return Thread ? Anim.Number : 0; }

void SetAnimationThreadCreationFails(bool Fails) { ThreadCreationFails = Fails; }
