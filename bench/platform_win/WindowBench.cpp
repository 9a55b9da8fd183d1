// Message throughput, hit testing in a large tree, a copy-data round trip to
// a window of another process, and drawing through window DCs.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/window.h"

namespace {

LRESULT Quiet(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_COPYDATA)
    return 1;
  if (msg >= WM_USER)
    return 0;
  return DefWindowProc(hwnd, msg, w, l);
}

void RegisterQuiet()
{
  static bool done = [] {
    WNDCLASS wc;
    wc.lpfnWndProc = Quiet;
    wc.lpszClassName = "TBenchWindow";
    return RegisterClass(&wc) != 0;
  }();
  (void)done;
}

void BM_PostAndDispatch(benchmark::State& state)
{
  THeadlessDisplay::Use();
  RegisterQuiet();
  HWND w = CreateWindowEx(0, "TBenchWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MSG msg;
  for (auto _ : state) {
    PostMessage(w, WM_USER, 1, 2);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    DispatchMessage(&msg);
  }
  state.SetItemsProcessed(state.iterations());
  DestroyWindow(w);
}
BENCHMARK(BM_PostAndDispatch);

// The paint path: a BeginPaint DC and 256 small fills, as a list or a grid
// paints its cells. Every fill looks the DC up, which checks whether the
// window tree changed since the DC was made.
void BM_Paint256SmallFills(benchmark::State& state)
{
  THeadlessDisplay::Use();
  RegisterQuiet();
  HWND w = CreateWindowEx(0, "TBenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 256, 256, nullptr, nullptr, nullptr,
                          nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(200, 30, 30));
  for (auto _ : state) {
    InvalidateRect(w, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        TRect cell(x * 16, y * 16, x * 16 + 15, y * 16 + 15);
        FillRect(dc, &cell, brush);
      }
    EndPaint(w, &ps);
  }
  state.SetItemsProcessed(state.iterations() * 256);
  DeleteObject(brush);
  DestroyWindow(w);
}
BENCHMARK(BM_Paint256SmallFills);

// A DC held on a child while a sibling moves: each fill after a move works
// out the child's visible region again.
void BM_HeldDCFillAfterSiblingMove(benchmark::State& state)
{
  THeadlessDisplay::Use();
  RegisterQuiet();
  HWND top = CreateWindowEx(0, "TBenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                            nullptr);
  HWND sibling = CreateWindowEx(0, "TBenchWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 50, 50, top,
                                nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "TBenchWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 200, 200, top,
                              nullptr, nullptr, nullptr);
  HDC dc = GetDC(child);
  HBRUSH brush = CreateSolidBrush(RGB(200, 30, 30));
  TRect area(0, 0, 200, 200);
  int step = 0;
  for (auto _ : state) {
    SetWindowPos(sibling, nullptr, (step++ % 2) * 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    FillRect(dc, &area, brush);
  }
  ReleaseDC(child, dc);
  DeleteObject(brush);
  DestroyWindow(top);
}
BENCHMARK(BM_HeldDCFillAfterSiblingMove);

void BM_WindowFromPointIn1000Windows(benchmark::State& state)
{
  THeadlessDisplay::Use();
  RegisterQuiet();
  // 10 panels of 10 bars of 9 buttons, under one top-level window: 1,001 windows.
  HWND top = CreateWindowEx(0, "TBenchWindow", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, nullptr,
                            nullptr, nullptr, nullptr);
  int count = 1;
  for (int p = 0; p < 10; ++p) {
    HWND panel = CreateWindowEx(0, "TBenchWindow", "", WS_CHILD | WS_VISIBLE, p * 100, 0, 100, 700, top, nullptr,
                                nullptr, nullptr);
    ++count;
    for (int b = 0; b < 10; ++b) {
      HWND bar = CreateWindowEx(0, "TBenchWindow", "", WS_CHILD | WS_VISIBLE, 0, b * 70, 100, 70, panel, nullptr,
                                nullptr, nullptr);
      ++count;
      for (int k = 0; k < 9; ++k, ++count)
        CreateWindowEx(0, "TBenchWindow", "", WS_CHILD | WS_VISIBLE, k * 11, 5, 10, 60, bar, nullptr, nullptr,
                       nullptr);
    }
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, 999), y(0, 699);
  for (auto _ : state)
    benchmark::DoNotOptimize(WindowFromPoint(TPoint(x(random), y(random))));
  state.SetItemsProcessed(state.iterations());
  state.counters["windows"] = count;
  DestroyWindow(top);
}
BENCHMARK(BM_WindowFromPointIn1000Windows);

pid_t gPeer = -1;

// The peer process: a window that answers copy data, until killed.
[[noreturn]] void RunPeer()
{
  THeadlessDisplay::Use();
  RegisterQuiet();
  CreateWindowEx(0, "TBenchWindow", "CorvaneBenchPeer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0)
    DispatchMessage(&msg);
  std::_Exit(0);
}

void BM_CrossProcessCopyData513(benchmark::State& state)
{
  HWND peer = nullptr;
  for (int i = 0; i < 500 && !peer; ++i) {
    peer = FindWindow(nullptr, "CorvaneBenchPeer");
    if (!peer)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!peer) {
    state.SkipWithError("the peer process did not show its window");
    return;
  }
  char record[513] = {};
  COPYDATASTRUCT cds{1, sizeof record, record};
  for (auto _ : state) {
    DWORD_PTR result = 0;
    SendMessageTimeout(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_BLOCK, 1000, &result);
    if (result != 1) {
      state.SkipWithError("no answer");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CrossProcessCopyData513)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
  // A private runtime folder: the benchmark and its peer find only each other.
  char folder[] = "/tmp/corvane-winbench-XXXXXX";
  if (mkdtemp(folder))
    setenv("XDG_RUNTIME_DIR", folder, 1);
  // The peer is forked before this process starts any thread.
  gPeer = fork();
  if (gPeer == 0)
    RunPeer();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (gPeer > 0) {
    kill(gPeer, SIGKILL);
    waitpid(gPeer, nullptr, 0);
  }
  std::string cleanup = std::string("rm -rf '") + folder + "'";
  return std::system(cleanup.c_str()) == 0 ? 0 : 0;
}
