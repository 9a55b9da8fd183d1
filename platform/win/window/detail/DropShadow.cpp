// The drop shadow of windows whose class has CS_DROPSHADOW: a layered,
// click-through window of the layer's own, just below the window in z-order,
// offset right and down, its per-pixel alpha fading towards its outer edges.
// Only a display that composes layered windows shows one; elsewhere there is
// none, and SPI_GETDROPSHADOW says so.
#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowClass.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

namespace wincore {

namespace {

constexpr const char* kShadowClass = "SysShadow";
constexpr int kDepth = 5;        // how far right and down the shadow reaches
constexpr int kDarkest = 80;     // alpha of its darkest pixels

LRESULT ShadowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

bool RegisterShadowClass()
{
  static const bool registered = [] {
    WNDCLASS wc{};
    wc.lpfnWndProc = &ShadowProc;
    wc.lpszClassName = kShadowClass;
    return RegisterClass(&wc) != 0;
  }();
  return registered;
}

// The alpha at (x, y) of the shadow's image (premultiplied black), which is
// the window's size and lies (kDepth, kDepth) from it: clear where the window
// covers it, a fade across the strips beside and below, soft at both ends of
// each strip.
uint32_t DropShadowAlpha(int x, int y, int width, int height)
{
  if (x < width - kDepth && y < height - kDepth)
    return 0;
  auto ramp = [](int fromStart, int fromEnd) {
    return std::min(fromStart + 1, kDepth) * std::min(fromEnd + 1, kDepth);
  };
  int across = ramp(x, width - 1 - x), down = ramp(y, height - 1 - y);
  return uint32_t(kDarkest * across * down / (kDepth * kDepth * kDepth * kDepth));
}

// The last shadow image made, kept for the next shadow of its size (a menu
// opened again casts the same one): its pixels are neither allocated nor
// computed again. Any thread may cast a shadow.
struct TShadowImage {
  std::mutex Lock;
  HDC Memory = nullptr;
  HBITMAP Image = nullptr;
  HGDIOBJ OldImage = nullptr;
  TSize Size;
};

TShadowImage& KeptShadowImage()
{
  static auto* kept = new TShadowImage;
  return *kept;
}

// Makes the kept image the shadow of a window of Size; false when it cannot.
bool MakeShadowImage(TShadowImage& kept, TSize size)
{
  if (kept.Memory && kept.Size == size)
    return true;
  if (kept.Memory) {
    SelectObject(kept.Memory, kept.OldImage);
    DeleteDC(kept.Memory);
    DeleteObject(kept.Image);
    kept.Memory = nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = std::max(size.cx, 1);
  info.bmiHeader.biHeight = -std::max(size.cy, 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!image)
    return false;
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      pixels[std::size_t(y) * std::size_t(size.cx) + std::size_t(x)] = DropShadowAlpha(x, y, size.cx, size.cy) << 24;
  kept.Memory = CreateCompatibleDC(nullptr);
  kept.OldImage = SelectObject(kept.Memory, image);
  kept.Image = image;
  kept.Size = size;
  return true;
}

// Gives the shadow its image; false when the display does not take it.
bool RenderShadow(HWND shadow, const TRect& at)
{
  TSize size(at.Width(), at.Height());
  TShadowImage& kept = KeptShadowImage();
  std::lock_guard<std::mutex> lock(kept.Lock);
  if (!MakeShadowImage(kept, size))
    return false;
  TPoint position = at.TopLeft(), from;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return UpdateLayeredWindow(shadow, nullptr, &position, &size, kept.Memory, &from, 0, &blend, ULW_ALPHA);
}

}  // namespace

bool DropShadowsShown()
{
  TDisplayBackend* display = Display();
  return display && display->SupportsLayeredWindows();
}

void FollowDropShadow(HWND hwnd)
{
  HWND shadow;
  bool wants, sized;
  TRect at;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    shadow = ResolveLocal(w->DropShadow) ? w->DropShadow : nullptr;
    bool casts = w->Class && (w->Class->Style & CS_DROPSHADOW) && IsTopLevel(w);
    if (!casts && !shadow)
      return;
    // Made by the window's own thread, which alone may destroy it later.
    wants = casts && (w->Style & WS_VISIBLE) && !(w->Style & WS_MINIMIZE) && !w->Destroying && w->HasSurface &&
            w->Thread.get() == &CurrentThread();
    at = ScreenWindowRect(w);
    OffsetRect(&at, kDepth, kDepth);
    sized = w->DropShadowSize != TSize(at.Width(), at.Height());
  }
  if (wants)
    wants = DropShadowsShown() && !at.IsEmpty();
  if (!wants) {
    if (shadow)
      SetWindowPos(shadow, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    return;
  }
  if (!shadow) {
    if (!RegisterShadowClass())
      return;
    shadow = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kShadowClass, "",
                            WS_POPUP, at.Left, at.Top, at.Width(), at.Height(), nullptr, nullptr, nullptr, nullptr);
    if (!shadow)
      return;
    sized = true;
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (TWnd* w = ResolveLocal(hwnd))
      w->DropShadow = shadow;
  }
  if (sized) {
    bool rendered = RenderShadow(shadow, at);
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (w)
      w->DropShadowSize = rendered ? TSize(at.Width(), at.Height()) : TSize();
    if (!rendered) {
      // The display stopped composing: no shadow rather than a grey block.
      if (w)
        w->DropShadow = nullptr;
      DestroyWindow(shadow);
      return;
    }
  }
  SetWindowPos(shadow, hwnd, at.Left, at.Top, at.Width(), at.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void DestroyDropShadow(HWND hwnd)
{
  HWND shadow;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || !w->DropShadow)
      return;
    shadow = std::exchange(w->DropShadow, nullptr);
  }
  DestroyWindow(shadow);
}

void KeepDropShadowsBelow()
{
  auto& list = Core().Desktop->Children;
  std::vector<TWnd*> casting;
  for (TWnd* w : list)
    if (w->DropShadow)
      casting.push_back(w);
  for (TWnd* w : casting) {
    TWnd* shadow = ResolveLocal(w->DropShadow);
    if (!shadow || shadow->Parent != Core().Desktop)
      continue;
    list.erase(std::find(list.begin(), list.end(), shadow));
    list.insert(std::find(list.begin(), list.end(), w) + 1, shadow);
    shadow->ExStyle = (shadow->ExStyle & ~WS_EX_TOPMOST) | (w->ExStyle & WS_EX_TOPMOST);
  }
}

}  // namespace wincore
