#include "platform/win/window/detail/ScreenMirror.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/detail/Core.h"

namespace wincore {

namespace {

// The screen's pixels as a screen DC sees them. Zeroed memory from calloc:
// a buffer this large comes fresh from the system, already zero, so the
// pages are touched only where a screen DC draws (every program makes a
// screen DC at start-up to measure, and most never draw on it).
struct TScreenPixelsFree {
  void operator()(uint32_t* p) const { std::free(p); }
};
struct TScreenBuffer {
  std::unique_ptr<uint32_t[], TScreenPixelsFree> Pixels;
  TSurface Surface;
};

TScreenBuffer& Buffer()
{
  static auto* buffer = new TScreenBuffer;
  return *buffer;
}

TSurface Part(const TSurface& s, const TRect& r)
{
  TSurface part = s;
  part.Bits = s.Row(r.Top) + r.Left;
  part.Width = r.Width();
  part.Height = r.Height();
  return part;
}

// The screen has no alpha: a raster operation that only sets the top byte changed nothing.
bool Same(uint32_t a, uint32_t b) { return ((a ^ b) & 0xFFFFFF) == 0; }

// The runs of pixels that differ, gathered into rectangles: rows with the
// same runs share a band. A frame drawn in one call gives its four sides, not
// the area inside, so what lies inside is never drawn over.
std::vector<TRect> ChangedAreas(const TSurface& now, const std::vector<uint32_t>& before, const TRect& reach)
{
  std::vector<TRect> done, open;
  std::vector<std::pair<int, int>> runs;
  int width = reach.Width();
  for (int y = reach.Top; y <= reach.Bottom; ++y) {
    runs.clear();
    if (y < reach.Bottom) {
      const uint32_t* row = now.Row(y) + reach.Left;
      const uint32_t* old = before.data() + std::size_t(y - reach.Top) * std::size_t(width);
      for (int x = 0; x < width;) {
        if (Same(row[x], old[x])) {
          ++x;
          continue;
        }
        int start = x;
        while (x < width && !Same(row[x], old[x]))
          ++x;
        runs.emplace_back(reach.Left + start, reach.Left + x);
      }
    }
    bool same = runs.size() == open.size();
    for (std::size_t i = 0; same && i < runs.size(); ++i)
      same = open[i].Left == runs[i].first && open[i].Right == runs[i].second;
    if (same) {
      for (TRect& r : open)
        r.Bottom = y + 1;
      continue;
    }
    done.insert(done.end(), open.begin(), open.end());
    open.clear();
    for (auto [left, right] : runs)
      open.push_back(TRect(left, y, right, y + 1));
  }
  // Scattered changes go as the one rectangle around them.
  if (done.size() > 64) {
    TRect all = done.front();
    for (const TRect& r : done)
      UnionRect(&all, &all, &r);
    done = {all};
  }
  return done;
}

struct TTarget {
  TDisplayBackend* Display;
  TSurface Screen;
  TRect Reach;  // the part of the reach on the screen
};

TTarget Target(const TRect& reach)
{
  TTarget t;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    t.Display = Core().Display.get();
    t.Screen = Buffer().Surface;
  }
  TRect bounds(0, 0, t.Screen.Width, t.Screen.Height);
  if (!IntersectRect(&t.Reach, &reach, &bounds))
    t.Reach = TRect();
  return t;
}

class TScreenMirror : public TSurfaceMirror {
public:
  void BeforeAccess(const TRect& reach) override
  {
    auto [display, screen, r] = Target(reach);
    FSnapshots.emplace_back();
    if (r.IsEmpty() || !screen.Bits)
      return;
    TSurface part = Part(screen, r);
    if (display)
      display->ReadScreen(r, part);
    // Filled row by row: a buffer kept from an earlier access, never cleared first.
    auto& before = FSnapshots.back();
    if (!FSpare.empty()) {
      before = std::move(FSpare.back());
      FSpare.pop_back();
    }
    before.clear();
    before.reserve(std::size_t(r.Width()) * std::size_t(r.Height()));
    for (int y = 0; y < r.Height(); ++y)
      before.insert(before.end(), part.Row(y), part.Row(y) + r.Width());
  }

  void AfterAccess(const TRect& reach) override
  {
    if (FSnapshots.empty())
      return;
    std::vector<uint32_t> before = std::move(FSnapshots.back());
    FSnapshots.pop_back();
    auto [display, screen, r] = Target(reach);
    if (display && !r.IsEmpty() && before.size() == std::size_t(r.Width()) * std::size_t(r.Height()))
      for (const TRect& changed : ChangedAreas(screen, before, r))
        display->DrawOnScreen(changed, Part(screen, changed));
    if (FSpare.size() < KeptSnapshots)
      FSpare.push_back(std::move(before));
  }

private:
  // Drawing calls nest (a blit reads one screen DC while drawing on another):
  // each keeps what it fetched. Per thread, as each thread draws on its own.
  static thread_local std::vector<std::vector<uint32_t>> FSnapshots;
  // Buffers of finished accesses, for the next ones (a few: accesses nest
  // shallowly).
  static constexpr std::size_t KeptSnapshots = 2;
  static thread_local std::vector<std::vector<uint32_t>> FSpare;
};

thread_local std::vector<std::vector<uint32_t>> TScreenMirror::FSnapshots;
thread_local std::vector<std::vector<uint32_t>> TScreenMirror::FSpare;

}  // namespace

TSurface ScreenSurface()
{
  TScreenBuffer& b = Buffer();
  TRect screen = Core().Desktop->Rect;
  int width = std::max(screen.Width(), 1), height = std::max(screen.Height(), 1);
  if (b.Surface.Width != width || b.Surface.Height != height) {
    b.Pixels.reset(static_cast<uint32_t*>(std::calloc(std::size_t(width) * std::size_t(height), sizeof(uint32_t))));
    if (!b.Pixels)
      throw std::bad_alloc();
    b.Surface.Bits = b.Pixels.get();
    b.Surface.Width = width;
    b.Surface.Height = height;
    b.Surface.StrideBytes = width * 4;
  }
  return b.Surface;
}

std::shared_ptr<TSurfaceMirror> ScreenMirror()
{
  static auto* mirror = new std::shared_ptr<TSurfaceMirror>(std::make_shared<TScreenMirror>());
  return *mirror;
}

}  // namespace wincore
