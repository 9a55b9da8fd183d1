// A drag frame on the screen DC, as docking, splitter and header drags draw
// it: per mouse move the frame at the old place is inverted away and the
// frame at the new place inverted in, four PatBlt PATINVERT each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/window.h"

namespace {

void InvertFrame(HDC dc, const TRect& r, int size)
{
  PatBlt(dc, r.Left, r.Top, r.Width(), size, PATINVERT);
  PatBlt(dc, r.Left, r.Bottom - size, r.Width(), size, PATINVERT);
  PatBlt(dc, r.Left, r.Top + size, size, r.Height() - 2 * size, PATINVERT);
  PatBlt(dc, r.Right - size, r.Top + size, size, r.Height() - 2 * size, PATINVERT);
}

void BM_ScreenDragFrameMove(benchmark::State& state)
{
  HDC screen = GetDC(nullptr);
  const WORD halftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, halftone);
  HBRUSH checker = CreatePatternBrush(pattern);
  HGDIOBJ old = SelectObject(screen, checker);
  TRect frame(100, 100, 300, 250);  // 200 x 150
  const int size = 4;
  InvertFrame(screen, frame, size);
  for (auto _ : state) {
    InvertFrame(screen, frame, size);  // erase
    int step = frame.Left >= 600 ? -500 : 1;  // 1 px down and right, back after 500 moves
    OffsetRect(&frame, step, step);
    InvertFrame(screen, frame, size);  // draw
  }
  InvertFrame(screen, frame, size);
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("one move: erase and draw");
  SelectObject(screen, old);
  DeleteObject(checker);
  DeleteObject(pattern);
  ReleaseDC(nullptr, screen);
}
BENCHMARK(BM_ScreenDragFrameMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
  const char* display = std::getenv("CORVANE_BENCH_DISPLAY");
  if (display && std::strcmp(display, "x11") == 0) {
    if (!RegisterX11Display() || !SelectDisplayBackend("x11")) {
      std::fprintf(stderr, "no X display to run on\n");
      return 1;
    }
  } else {
    THeadlessDisplay::Use();
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
