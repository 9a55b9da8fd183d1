#include "platform/display/headless/HeadlessDisplay.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/base/VirtualClock.h"
#include "platform/win/gdi/Blit.h"
#include "platform/win/window/Clipboard.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/ModalLoop.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/gdi/Screenshot.h"

namespace {

struct TFramebuffer {
  std::vector<uint32_t> Pixels;  // none while the window system let go of them
  TRect Rect;
  bool Visible = false;
  TDisplayLayering Layering;
  std::optional<TRegion> Shape;  // window coordinates
  std::string Title;
  int Presents = 0;
};

TSurface SurfaceOf(TFramebuffer& fb)
{
  TSurface s;
  if (fb.Pixels.empty())
    return s;
  s.Bits = fb.Pixels.data();
  s.Width = fb.Rect.Width();
  s.Height = fb.Rect.Height();
  s.StrideBytes = s.Width * 4;
  return s;
}

// Pixel buffers of windows that went, for the next windows: a menu opened
// again (or its shadow) reuses memory already touched instead of the
// system's fresh pages. A few, and not large ones.
class TSparePixels {
public:
  void Keep(std::vector<uint32_t>&& Pixels)
  {
    const std::size_t bytes = Pixels.capacity() * sizeof(uint32_t);
    if (bytes < MinBytes || bytes > MaxBytes)
      return;
    if (FKept.size() == MaxKept)
      FKept.erase(FKept.begin());
    FKept.push_back(std::move(Pixels));
  }
  // The smallest kept buffer that holds Count pixels moves into Into.
  void Take(std::size_t Count, std::vector<uint32_t>& Into)
  {
    auto best = FKept.end();
    for (auto it = FKept.begin(); it != FKept.end(); ++it)
      if (it->capacity() >= Count && (best == FKept.end() || it->capacity() < best->capacity()))
        best = it;
    if (best == FKept.end() || Into.capacity() >= Count)
      return;
    Into = std::move(*best);
    FKept.erase(best);
  }

private:
  static constexpr std::size_t MaxKept = 4, MinBytes = 64 << 10, MaxBytes = 4 << 20;
  std::vector<std::vector<uint32_t>> FKept;
};

// A zero-sized window still gets one pixel, so its surface is never null.
void PlaceFramebuffer(TFramebuffer& fb, const TRect& r)
{
  fb.Rect = r;
  if (r.Width() <= 0 || r.Height() <= 0)
    fb.Rect = TRect(r.Left, r.Top, r.Left + 1, r.Top + 1);
}

void Allocate(TFramebuffer& fb, const TRect& r, TSparePixels& Spare)
{
  PlaceFramebuffer(fb, r);
  std::size_t count = std::size_t(fb.Rect.Width()) * std::size_t(fb.Rect.Height());
  Spare.Take(count, fb.Pixels);
  fb.Pixels.assign(count, 0);
}

}  // namespace

struct THeadlessDisplay::TState {
  mutable std::mutex Lock;
  std::vector<TDisplayMonitor> Monitors;
  std::map<HWND, TFramebuffer> Buffers;
  TSparePixels Spare;
  std::vector<HWND> Order;
  HCURSOR Cursor = nullptr;
  std::function<bool()> Idle;
  bool InIdle = false;
  std::map<std::string, std::vector<BYTE>> Foreign;
  bool ProcessOwnsClipboard = false;
  // What was drawn straight on the screen and no window has presented over
  // yet: pixels of the screen's bounds, and where they count.
  std::vector<uint32_t> Overlay;
  TRect OverlayBounds;
  TRegion OverlayArea;
  bool Composes = true;

  TRect ScreenBounds() const;
  // What the screen shows in area: the windows bottom first, each through
  // its shape and layering, over a black desktop; then what was drawn on
  // the screen. One 0x00RRGGBB pixel per point, rows top-down.
  std::vector<uint32_t> Compose(const TRect& area) const;
  // A window presented (or showed, or moved) over this part of the screen.
  void Uncover(const TRegion& screenArea);
  TRegion ShownArea(const TFramebuffer& fb) const;
};

TRect THeadlessDisplay::TState::ScreenBounds() const
{
  TRect all;
  for (const TDisplayMonitor& m : Monitors)
    UnionRect(&all, &all, &m.Bounds);
  return all;
}

TRegion THeadlessDisplay::TState::ShownArea(const TFramebuffer& fb) const
{
  TRegion shown(fb.Rect);
  if (fb.Shape) {
    TRegion shape = *fb.Shape;
    shape.Offset(fb.Rect.Left, fb.Rect.Top);
    shown = shown.Intersect(shape);
  }
  return shown;
}

namespace {

// One pixel of a window over what lies under it, as its layering says.
uint32_t Mix(uint32_t under, uint32_t pixel, const TDisplayLayering& l)
{
  if (l.UseColorKey && (pixel & 0xFFFFFF) == l.ColorKey)
    return under;
  if (l.PerPixelAlpha)
    return BlendPixel(under, pixel, l.Alpha, true) & 0xFFFFFF;
  if (l.Alpha == 255)
    return pixel & 0xFFFFFF;
  return BlendPixel(under, pixel, l.Alpha, false) & 0xFFFFFF;
}

}  // namespace

std::vector<uint32_t> THeadlessDisplay::TState::Compose(const TRect& area) const
{
  int width = std::max(area.Width(), 0);
  std::vector<uint32_t> out(std::size_t(width) * std::size_t(std::max(area.Height(), 0)), 0);
  if (out.empty())
    return out;
  auto at = [&](int x, int y) -> uint32_t& {
    return out[std::size_t(y - area.Top) * std::size_t(width) + std::size_t(x - area.Left)];
  };
  for (auto it = Order.rbegin(); it != Order.rend(); ++it) {
    auto found = Buffers.find(*it);
    if (found == Buffers.end() || !found->second.Visible || found->second.Pixels.empty())
      continue;
    const TFramebuffer& fb = found->second;
    int stride = fb.Rect.Width();
    TRegion shown = ShownArea(fb).Intersect(area);
    for (const TRect& r : shown.Rects())
      for (int y = r.Top; y < r.Bottom; ++y) {
        const uint32_t* row = fb.Pixels.data() + std::ptrdiff_t(y - fb.Rect.Top) * stride - fb.Rect.Left;
        for (int x = r.Left; x < r.Right; ++x)
          at(x, y) = Mix(at(x, y), row[x], fb.Layering);
      }
  }
  TRegion drawn = OverlayArea.Intersect(area);
  for (const TRect& r : drawn.Rects())
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        at(x, y) = Overlay[std::size_t(y - OverlayBounds.Top) * std::size_t(OverlayBounds.Width()) +
                           std::size_t(x - OverlayBounds.Left)] & 0xFFFFFF;
  return out;
}

void THeadlessDisplay::TState::Uncover(const TRegion& screenArea)
{
  if (!OverlayArea.IsEmpty())
    OverlayArea = OverlayArea.Subtract(screenArea);
}

THeadlessDisplay::THeadlessDisplay() : FState(std::make_unique<TState>())
{
  TDisplayMonitor m;
  m.Bounds = TRect(0, 0, 1024, 768);
  m.WorkArea = TRect(0, 0, 1024, 738);
  FState->Monitors.push_back(m);
}

THeadlessDisplay::~THeadlessDisplay() = default;

void RegisterHeadlessDisplay()
{
  RegisterDisplayBackend("headless", [] { return std::unique_ptr<TDisplayBackend>(new THeadlessDisplay); });
}

namespace {
// Loading the library makes the back end available, even to a program that
// names none of its functions.
struct TAutoRegister {
  TAutoRegister() { RegisterHeadlessDisplay(); }
} gAutoRegister;
}  // namespace

THeadlessDisplay* THeadlessDisplay::Use()
{
  RegisterHeadlessDisplay();
  if (auto* current = Current())
    return current;
  SelectDisplayBackend("headless");
  return Current();
}

THeadlessDisplay* THeadlessDisplay::Current() { return dynamic_cast<THeadlessDisplay*>(CurrentDisplayBackend()); }

void THeadlessDisplay::SetMonitors(const std::vector<TDisplayMonitor>& monitors)
{
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    if (monitors.empty())
      return;
    FState->Monitors = monitors;
  }
  if (Current() == this)
    InputDisplayChanged();
}

void THeadlessDisplay::MoveMouse(int x, int y) { InputMouseMove(TPoint(x, y)); }
void THeadlessDisplay::Press(int button) { InputMouseButton(button, true); }
void THeadlessDisplay::Release(int button) { InputMouseButton(button, false); }

void THeadlessDisplay::Click(int x, int y, int button)
{
  TPoint now;
  GetCursorPos(&now);
  if (now != TPoint(x, y))
    MoveMouse(x, y);
  Press(button);
  Release(button);
}

void THeadlessDisplay::Wheel(int delta) { InputMouseWheel(delta); }
void THeadlessDisplay::KeyDown(BYTE vk, DWORD character) { InputKey(vk, true, character); }
void THeadlessDisplay::KeyUp(BYTE vk) { InputKey(vk, false); }

void THeadlessDisplay::PressKey(BYTE vk, DWORD character)
{
  KeyDown(vk, character);
  KeyUp(vk);
}

void THeadlessDisplay::TypeText(const std::string& utf8)
{
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + std::size_t(n) > utf8.size())
      n = 1;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + std::size_t(k)]) & 0x3F);
    i += std::size_t(n);
    BYTE vk = 0;
    bool shift = false;
    if (cp >= 'a' && cp <= 'z') {
      vk = BYTE(cp - 'a' + 'A');
    } else if (cp >= 'A' && cp <= 'Z') {
      vk = BYTE(cp);
      shift = true;
    } else if (cp >= '0' && cp <= '9') {
      vk = BYTE(cp);
    } else if (cp == ' ') {
      vk = VK_SPACE;
    } else if (cp == '\r' || cp == '\n') {
      vk = VK_RETURN;
      cp = '\r';
    } else if (cp == '\t') {
      vk = VK_TAB;
    } else {
      vk = VK_PACKET;
    }
    if (shift)
      KeyDown(VK_SHIFT);
    PressKey(vk, DWORD(cp));
    if (shift)
      KeyUp(VK_SHIFT);
  }
}

void THeadlessDisplay::SetAppActive(bool active) { InputAppActivation(active); }

void THeadlessDisplay::UseVirtualClock()
{
  if (!VirtualClockEnabled())
    EnableVirtualClock();
}

void THeadlessDisplay::Advance(unsigned milliseconds) { AdvanceVirtualClock(milliseconds); }

int THeadlessDisplay::PumpMessages()
{
  int handled = 0;
  // A WM_QUIT is not ours to eat: the loop above us must see it.
  TModalLoop loop = TModalLoop::QueuedOnly();
  MSG msg;
  while (loop.Next(msg)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    ++handled;
  }
  return handled;
}

void THeadlessDisplay::SetIdleScript(std::function<bool()> script)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->Idle = std::move(script);
}

HCURSOR THeadlessDisplay::Cursor() const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Cursor;
}

int THeadlessDisplay::PresentCount(HWND topLevel) const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(topLevel);
  return it == FState->Buffers.end() ? 0 : it->second.Presents;
}

std::size_t THeadlessDisplay::PixelBytes(HWND topLevel) const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(topLevel);
  return it == FState->Buffers.end() ? 0 : it->second.Pixels.capacity() * sizeof(uint32_t);
}

bool THeadlessDisplay::IsShown(HWND topLevel) const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(topLevel);
  return it != FState->Buffers.end() && it->second.Visible;
}

uint32_t THeadlessDisplay::Pixel(HWND hwnd, int x, int y) const
{
  HWND root = GetAncestor(hwnd, GA_ROOT);
  TRect wr, rr;
  if (!GetWindowRect(hwnd, &wr) || !GetWindowRect(root, &rr))
    return 0;
  int fx = wr.Left - rr.Left + x, fy = wr.Top - rr.Top + y;
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(root);
  if (it == FState->Buffers.end())
    return 0;
  const TFramebuffer& fb = it->second;
  if (fb.Pixels.empty() || fx < 0 || fy < 0 || fx >= fb.Rect.Width() || fy >= fb.Rect.Height())
    return 0;
  return fb.Pixels[std::size_t(fy) * std::size_t(fb.Rect.Width()) + std::size_t(fx)] & 0xFFFFFF;
}

bool THeadlessDisplay::Screenshot(HWND hwnd, const std::string& path) const
{
  HWND root = GetAncestor(hwnd, GA_ROOT);
  TRect wr, rr;
  if (!GetWindowRect(hwnd, &wr) || !GetWindowRect(root, &rr))
    return false;
  TPixelImage image;
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    auto it = FState->Buffers.find(root);
    if (it == FState->Buffers.end() || it->second.Pixels.empty())
      return false;
    const TFramebuffer& fb = it->second;
    TRect area = wr;
    OffsetRect(&area, -rr.Left, -rr.Top);
    TRect bounds(0, 0, fb.Rect.Width(), fb.Rect.Height());
    if (!IntersectRect(&area, &area, &bounds))
      return false;
    image.Width = area.Width();
    image.Height = area.Height();
    image.Pixels.reserve(std::size_t(image.Width) * std::size_t(image.Height));
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        image.Pixels.push_back(fb.Pixels[std::size_t(y) * std::size_t(fb.Rect.Width()) + std::size_t(x)] & 0xFFFFFF);
  }
  return WritePng(path, image);
}

void THeadlessDisplay::SetForeignClipboard(const std::map<std::string, std::vector<BYTE>>& contents)
{
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    FState->Foreign = contents;
    FState->ProcessOwnsClipboard = false;
  }
  InputClipboardTaken();
}

bool THeadlessDisplay::ClipboardOwnedByProcess() const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->ProcessOwnsClipboard;
}

std::string THeadlessDisplay::Name() const { return "headless"; }

std::vector<TDisplayMonitor> THeadlessDisplay::Monitors()
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Monitors;
}

TSurface THeadlessDisplay::CreateFramebuffer(HWND window, const TRect& screenRect, bool withPixels)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  TFramebuffer& fb = FState->Buffers[window];
  if (withPixels)
    Allocate(fb, screenRect, FState->Spare);
  else
    PlaceFramebuffer(fb, screenRect);
  FState->Order.insert(FState->Order.begin(), window);
  return SurfaceOf(fb);
}

TSurface THeadlessDisplay::ResizeFramebuffer(HWND window, const TRect& screenRect)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  TFramebuffer& fb = FState->Buffers[window];
  if (fb.Pixels.empty()) {
    PlaceFramebuffer(fb, screenRect);
    return TSurface();
  }
  TFramebuffer old = std::move(fb);
  Allocate(fb, screenRect, FState->Spare);
  // What still fits stays where it was.
  int w = std::min(old.Rect.Width(), fb.Rect.Width()), h = std::min(old.Rect.Height(), fb.Rect.Height());
  for (int y = 0; y < h && !old.Pixels.empty(); ++y)
    std::copy_n(old.Pixels.begin() + std::ptrdiff_t(y) * old.Rect.Width(), w,
                fb.Pixels.begin() + std::ptrdiff_t(y) * fb.Rect.Width());
  fb.Visible = old.Visible;
  fb.Layering = old.Layering;
  fb.Shape = std::move(old.Shape);
  fb.Title = old.Title;
  fb.Presents = old.Presents;
  FState->Spare.Keep(std::move(old.Pixels));
  return SurfaceOf(fb);
}

void THeadlessDisplay::DestroyFramebuffer(HWND window)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  if (auto it = FState->Buffers.find(window); it != FState->Buffers.end()) {
    FState->Spare.Keep(std::move(it->second.Pixels));
    FState->Buffers.erase(it);
  }
  auto& order = FState->Order;
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
}

bool THeadlessDisplay::ReleasePixels(HWND window)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return false;
  // Given back, not kept for other windows: the point is to hold nothing.
  std::vector<uint32_t>().swap(it->second.Pixels);
  return true;
}

TSurface THeadlessDisplay::RestorePixels(HWND window)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return TSurface();
  TFramebuffer& fb = it->second;
  if (fb.Pixels.empty())
    Allocate(fb, fb.Rect, FState->Spare);
  return SurfaceOf(fb);
}

void THeadlessDisplay::Present(HWND window, const TRegion& changed)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return;
  TFramebuffer& fb = it->second;
  fb.Presents++;
  if (fb.Visible) {
    TRegion area = changed;
    area.Offset(fb.Rect.Left, fb.Rect.Top);
    FState->Uncover(area.Intersect(FState->ShownArea(fb)));
  }
}

void THeadlessDisplay::MoveWindow(HWND window, const TRect& screenRect)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return;
  it->second.Rect = TRect(screenRect.Left, screenRect.Top, screenRect.Left + it->second.Rect.Width(),
                          screenRect.Top + it->second.Rect.Height());
  if (it->second.Visible)
    FState->Uncover(FState->ShownArea(it->second));
}

void THeadlessDisplay::ShowWindow(HWND window, bool visible)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return;
  it->second.Visible = visible;
  if (visible)
    FState->Uncover(FState->ShownArea(it->second));
}

void THeadlessDisplay::RestackWindows(const std::vector<HWND>& topFirst)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->Order = topFirst;
}

void THeadlessDisplay::SetWindowShape(HWND window, const TRegion* shape)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return;
  if (shape)
    it->second.Shape = *shape;
  else
    it->second.Shape.reset();
}

void THeadlessDisplay::SetWindowTitle(HWND window, const std::string& title)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it != FState->Buffers.end())
    it->second.Title = title;
}

bool THeadlessDisplay::SetWindowAlpha(HWND window, BYTE alpha)
{
  TDisplayLayering layering;
  layering.Alpha = alpha;
  return SetWindowLayering(window, layering);
}

bool THeadlessDisplay::SetWindowLayering(HWND window, const TDisplayLayering& layering)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Buffers.find(window);
  if (it == FState->Buffers.end())
    return false;
  bool opaque = layering.Alpha == 255 && !layering.UseColorKey && !layering.PerPixelAlpha;
  if (!opaque && !FState->Composes)
    return false;
  it->second.Layering = layering;
  return true;
}

// The screen is composed here, so every kind of layering shows (unless a
// test plays a screen that cannot).
bool THeadlessDisplay::SupportsLayeredWindows() const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Composes;
}

void THeadlessDisplay::SetLayeredWindowsSupported(bool supported)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->Composes = supported;
}

bool THeadlessDisplay::ReadScreen(const TRect& area, const TSurface& into)
{
  if (!into.Bits || into.Width != area.Width() || into.Height != area.Height())
    return false;
  std::vector<uint32_t> pixels;
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    pixels = FState->Compose(area);
  }
  for (int y = 0; y < into.Height; ++y)
    std::copy_n(pixels.begin() + std::ptrdiff_t(y) * into.Width, into.Width, into.Row(y));
  return true;
}

bool THeadlessDisplay::DrawOnScreen(const TRect& area, const TSurface& pixels)
{
  if (!pixels.Bits || pixels.Width != area.Width() || pixels.Height != area.Height())
    return false;
  std::lock_guard<std::mutex> lock(FState->Lock);
  TState& s = *FState;
  TRect bounds = s.ScreenBounds();
  if (s.OverlayBounds != bounds) {
    s.OverlayBounds = bounds;
    s.Overlay.assign(std::size_t(bounds.Width()) * std::size_t(bounds.Height()), 0);
    s.OverlayArea = TRegion();
  }
  TRect r;
  if (!IntersectRect(&r, &area, &bounds))
    return true;  // off every monitor: nothing shows it, as on a real screen
  for (int y = r.Top; y < r.Bottom; ++y)
    std::copy_n(pixels.Row(y - area.Top) + (r.Left - area.Left), r.Width(),
                s.Overlay.begin() + std::ptrdiff_t(y - bounds.Top) * bounds.Width() + (r.Left - bounds.Left));
  s.OverlayArea = s.OverlayArea.Union(TRegion(r));
  return true;
}

uint32_t THeadlessDisplay::ScreenPixel(int x, int y) const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Compose(TRect(x, y, x + 1, y + 1))[0];
}

std::vector<uint32_t> THeadlessDisplay::ScreenImage(const TRect& area) const
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  return FState->Compose(area);
}

void THeadlessDisplay::ShowCursor(HCURSOR cursor)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->Cursor = cursor;
}

void THeadlessDisplay::WarpPointer(TPoint) {}

void THeadlessDisplay::CaptureChanged(HWND) {}

bool THeadlessDisplay::Idle()
{
  std::function<bool()> script;
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    if (!FState->Idle || FState->InIdle)
      return false;
    script = FState->Idle;
    FState->InIdle = true;
  }
  bool did = script();
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->InIdle = false;
  return did;
}

void THeadlessDisplay::ClipboardOwned(bool owned)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  FState->ProcessOwnsClipboard = owned;
  if (owned)
    FState->Foreign.clear();
}

std::vector<std::string> THeadlessDisplay::ForeignClipboardFormats()
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  std::vector<std::string> names;
  for (auto& [name, data] : FState->Foreign)
    names.push_back(name);
  return names;
}

bool THeadlessDisplay::FetchForeignClipboard(const std::string& format, std::vector<BYTE>& data)
{
  std::lock_guard<std::mutex> lock(FState->Lock);
  auto it = FState->Foreign.find(format);
  if (it == FState->Foreign.end())
    return false;
  data = it->second;
  return true;
}
