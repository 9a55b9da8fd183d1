// B1 node creation and release, B2 position lookups, B3 the paint of one
// screen, B4 the host's refresh per incoming message, B5 scrolling a page,
// B6 the incremental search, B7 a full-screen paint with columns and header.
// Each target figure is measured in the same run as its reference (plain
// allocation, a small tree).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "HostLikeTree.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/PositionCache.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

using TClock = std::chrono::steady_clock;

// Bytes the allocator has handed out and not taken back (small blocks and
// mapped ones): unlike the resident size, it grows even when the allocator
// reuses memory it already holds.
std::size_t HeapInUse()
{
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void WaitForCache(TBaseLazyTree& Tree)
{
  while (Tree.VisibleNodeCount() > CacheThreshold && !Tree.UseCache())
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// Owner of the 1000 x 1000 tree: every top-level node has 1000 children.
struct TThousands {
  void Init(TBaseLazyTree*, PLazyNode Parent, PLazyNode, TLazyNodeInitStates& States)
  {
    if (!Parent)
      States += ivsHasChildren;
  }
  void Children(TBaseLazyTree*, PLazyNode, Cardinal& Count) { Count = 1000; }
};

// --- B1 ---

void B1_AllocatorLimit(benchmark::State& State)
{
  std::vector<TLazyNode*> nodes(1000000);
  for (auto _ : State) {
    for (auto& n : nodes) {
      n = new TLazyNode;
      std::memset(n, 0, sizeof(TLazyNode));
    }
    benchmark::DoNotOptimize(nodes.data());
    State.PauseTiming();
    for (auto n : nodes)
      delete n;
    State.ResumeTiming();
  }
}
BENCHMARK(B1_AllocatorLimit)->Unit(benchmark::kMillisecond);

void B1_SetNodeChildCount1M(benchmark::State& State)
{
  // Memory per node: the growth of the heap in use on the first creation.
  static double bytesPerNode = 0;
  for (auto _ : State) {
    State.PauseTiming();
    auto tree = std::make_unique<TBaseLazyTree>(nullptr);
    std::size_t before = HeapInUse();
    State.ResumeTiming();
    tree->SetNodeChildCount(nullptr, 1000000);
    State.PauseTiming();
    if (bytesPerNode == 0)
      bytesPerNode = double(HeapInUse() - before) / 1e6;
    tree.reset();
    State.ResumeTiming();
  }
  State.counters["bytes_per_node"] = bytesPerNode;
}
BENCHMARK(B1_SetNodeChildCount1M)->Unit(benchmark::kMillisecond);

void B1_InitAndWalk1000x1000(benchmark::State& State)
{
  TThousands owner;
  for (auto _ : State) {
    State.PauseTiming();
    auto tree = std::make_unique<TBaseLazyTree>(nullptr);
    tree->OnInitNode = TLTInitNodeEvent(&owner, &TThousands::Init);
    tree->OnInitChildren = TLTInitChildrenEvent(&owner, &TThousands::Children);
    State.ResumeTiming();
    tree->SetNodeChildCount(nullptr, 1000);
    std::size_t walked = 0;
    for (PLazyNode n = tree->FirstTopLevelNode(); n; n = tree->NextNode(n))
      ++walked;
    benchmark::DoNotOptimize(walked);
    State.PauseTiming();
    tree.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(B1_InitAndWalk1000x1000)->Unit(benchmark::kMillisecond);

void B1_ClearTree1M(benchmark::State& State)
{
  for (auto _ : State) {
    State.PauseTiming();
    auto tree = std::make_unique<TBaseLazyTree>(nullptr);
    tree->SetNodeChildCount(nullptr, 1000000);
    State.ResumeTiming();
    tree->ClearTree();
    State.PauseTiming();
    tree.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(B1_ClearTree1M)->Unit(benchmark::kMillisecond);

// --- B2 ---

std::unique_ptr<TBaseLazyTree> MillionShown(bool Nested)
{
  auto tree = std::make_unique<TBaseLazyTree>(nullptr);
  tree->BeginUpdate();
  if (Nested) {
    tree->SetNodeChildCount(nullptr, 1000);
    for (PLazyNode n = tree->FirstTopLevelNodeRaw(); n; n = n->FollowingSibling) {
      tree->SetNodeChildCount(n, 999);
      tree->SetExpanded(n, true);
    }
  } else {
    tree->SetNodeChildCount(nullptr, 1000000);
  }
  tree->EndUpdate();
  return tree;
}

void B2_NodeAtOffset(benchmark::State& State)
{
  bool nested = State.range(0) != 0;
  bool cached = State.range(1) != 0;
  auto tree = MillionShown(nested);
  if (cached)
    WaitForCache(*tree);
  else
    tree->HaltCacheValidation();
  std::mt19937 random(3);
  std::vector<double> times;
  int range = tree->RangeY();
  for (auto _ : State) {
    int y = int(random() % unsigned(range));
    auto start = TClock::now();
    benchmark::DoNotOptimize(tree->NodeAtOffset(y, false));
    times.push_back(std::chrono::duration<double, std::micro>(TClock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times)
    sum += t;
  State.counters["mean_us"] = sum / double(times.size());
  State.counters["p99_us"] = times[std::size_t(double(times.size() - 1) * 0.99)];
}
BENCHMARK(B2_NodeAtOffset)->ArgsProduct({{0, 1}, {1}})->Iterations(10000);
BENCHMARK(B2_NodeAtOffset)->ArgsProduct({{0, 1}, {0}})->Iterations(200);

void B2_NodeAtOffsetSmallTree(benchmark::State& State)
{
  TBaseLazyTree tree(nullptr);
  tree.SetNodeChildCount(nullptr, 1000);
  std::mt19937 random(3);
  for (auto _ : State)
    benchmark::DoNotOptimize(tree.NodeAtOffset(int(random() % 18000u), false));
}
BENCHMARK(B2_NodeAtOffsetSmallTree);

void B2_NodeDisplayRect(benchmark::State& State)
{
  bool cached = State.range(0) != 0;
  auto tree = MillionShown(false);
  if (cached)
    WaitForCache(*tree);
  else
    tree->HaltCacheValidation();
  std::vector<PLazyNode> nodes;
  for (PLazyNode n = tree->FirstTopLevelNodeRaw(); n; n = n->FollowingSibling)
    nodes.push_back(n);
  std::mt19937 random(5);
  for (auto _ : State)
    benchmark::DoNotOptimize(tree->NodeDisplayRect(nodes[random() % nodes.size()], NoColumn, false));
}
BENCHMARK(B2_NodeDisplayRect)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(B2_NodeDisplayRect)->Arg(0)->Iterations(100)->Unit(benchmark::kMicrosecond);

void B2_CacheBuild(benchmark::State& State)
{
  auto tree = MillionShown(State.range(0) != 0);
  tree->HaltCacheValidation();
  std::atomic<bool> stop{false};
  std::vector<TCacheEntry> entries;
  for (auto _ : State)
    BuildPositionCache(tree->HiddenRoot(), tree->VisibleNodeCount(), stop, entries);
  State.counters["entries"] = double(entries.size());
}
BENCHMARK(B2_CacheBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void B2_HaltWhileRebuilding(benchmark::State& State)
{
  auto tree = MillionShown(false);
  WaitForCache(*tree);
  std::vector<double> times;
  for (auto _ : State) {
    State.PauseTiming();
    tree->MarkCacheStale();
    tree->RequestCacheValidation();
    std::this_thread::sleep_for(std::chrono::milliseconds(3));  // the rebuild is under way
    State.ResumeTiming();
    auto start = TClock::now();
    tree->HaltCacheValidation();
    times.push_back(std::chrono::duration<double, std::micro>(TClock::now() - start).count());
  }
  State.counters["max_us"] = *std::max_element(times.begin(), times.end());
}
BENCHMARK(B2_HaltWhileRebuilding)->Iterations(50)->Unit(benchmark::kMicrosecond);

// --- B3 ---

struct TPaintTarget {
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = nullptr;
  TCanvas Canvas;
  TPaintTarget(int Width, int Height)
  {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(DC, Bitmap);
    Canvas.SetHandle(DC);
  }
  ~TPaintTarget()
  {
    Canvas.SetHandle(nullptr);
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
};

std::unique_ptr<THostLikeTree> HostTree(Cardinal Contacts, TCustomImageList* States)
{
  auto tree = std::make_unique<THostLikeTree>(nullptr);
  tree->SetBounds(0, 0, 1920, 1080);
  tree->SetButtonFillMode(fmTransparent);
  tree->SetStateImages(States);
  tree->TreeOptions()->SetPaintOptions(tree->TreeOptions()->PaintOptions() + toUseBlendedSelection + toPopupMode);
  tree->BeginUpdate();
  tree->SetNodeChildCount(nullptr, 1);
  PLazyNode net = tree->HiddenRoot()->FirstChildNode;
  tree->SetNodeChildCount(net, 1);
  tree->SetNodeChildCount(net->FirstChildNode, Contacts);
  tree->SetExpanded(net->FirstChildNode, true);
  tree->SetExpanded(net, true);
  tree->EndUpdate();
  return tree;
}

void B3_PaintScreen(benchmark::State& State)
{
  auto states = NewStatusImages();
  Cardinal contacts = Cardinal(State.range(0));
  auto tree = HostTree(contacts, states.get());
  WaitForCache(*tree);
  int middle = std::max(0, tree->RangeY() / 2 - 540);
  PLazyNode selected = tree->NodeAtOffset(middle + 200, false);
  if (selected)
    tree->SetNodeSelected(selected, true);
  TPaintTarget target(1920, 1080);
  unsigned events = 0, paints = 0;
  for (auto _ : State) {
    unsigned before = tree->PaintEventCount();
    tree->PaintTreeArea(&target.Canvas, TRect(0, middle, 1920, middle + 1080), TPoint(0, 0), 0x3F);
    events += tree->PaintEventCount() - before;
    ++paints;
  }
  State.counters["owner_questions_per_paint"] = double(events) / paints;
}
BENCHMARK(B3_PaintScreen)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);

// --- B4 ---

// The host's owner: 3 networks x 10 groups x 300 contacts, answering in O(1).
struct THostOwner {
  void Init(TBaseLazyTree* Tree, PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates& States)
  {
    unsigned level = Tree->NodeLevel(Node);
    if (level < 2) {
      States += ivsHasChildren;
      States += ivsExpanded;
    }
    (void)Parent;
  }
  void Children(TBaseLazyTree* Tree, PLazyNode Node, Cardinal& Count) { Count = Tree->NodeLevel(Node) == 0 ? 10 : 300; }
};

void B4_RefreshPerMessage(benchmark::State& State)
{
  auto states = NewStatusImages();
  THostOwner owner;
  THostLikeTree tree(nullptr);
  tree.SetBounds(0, 0, 300, 600);
  tree.SetStateImages(states.get());
  tree.OnInitNode = TLTInitNodeEvent(&owner, &THostOwner::Init);
  tree.OnInitChildren = TLTInitChildrenEvent(&owner, &THostOwner::Children);
  tree.SetRootNodeCount(3);
  for (PLazyNode n = tree.FirstTopLevelNode(); n; n = tree.NextNode(n)) {
  }
  TPaintTarget target(300, 600);
  for (auto _ : State) {
    tree.ReinitializeNode(tree.HiddenRoot(), true);
    tree.PaintTreeArea(&target.Canvas, TRect(0, 0, 300, 600), TPoint(0, 0), 0x3F);
  }
  State.counters["nodes"] = double(tree.HiddenRoot()->SubtreeCount - 1);
}
BENCHMARK(B4_RefreshPerMessage)->Unit(benchmark::kMillisecond);

// --- B5-B7: string trees in a shown 1920 x 1080 window ---

// Cells show the contact's name, kept by the owner the way the host keeps its
// contacts; the last sibling is the only one whose name starts with "z".
struct TBenchCells {
  std::vector<WideString> Names;
  void SetCount(Cardinal Count)
  {
    Names.resize(Count);
    for (Cardinal i = 0; i < Count; ++i)
      Names[i] = UTF8Decode("contact " + std::to_string(i));
    Names.back() = u"zoe";
  }
  void GetText(TBaseLazyTree*, PLazyNode Node, TColumnIndex, TLSTTextType Type, WideString& Text)
  {
    if (Type != ttStatic)
      Text = Names[Node->SiblingIndex];
  }
};

// A form filling a large headless screen with one string tree of Count top
// level nodes and Columns header columns (0: no header).
struct TWindowStage {
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Tree;
  TBenchCells Cells;
  TWindowStage(Cardinal Count, int Columns)
  {
    THeadlessDisplay::Use()->SetMonitors({{TRect(0, 0, 2560, 1440), TRect(0, 0, 2560, 1440)}});
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 1960, 1140);
    Tree = std::make_unique<TLazyStringTree>(nullptr);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 1920, 1080);
    Cells.SetCount(Count);
    Tree->OnGetText = TLSTGetTextEvent(&Cells, &TBenchCells::GetText);
    for (int i = 0; i < Columns; ++i) {
      TLazyTreeColumn* column = Tree->Header().Columns().Add();
      column->SetWidth(240);
      column->SetText(UTF8Decode("Colonne " + std::to_string(i)));
    }
    if (Columns > 0)
      Tree->Header().SetOptions(Tree->Header().Options() + hoVisible);
    Tree->SetRootNodeCount(Count);
    Form->Show();
    Application()->ProcessMessages();
    WaitForCache(*Tree);
  }
  ~TWindowStage()
  {
    Tree->SetParent(nullptr);
    Tree.reset();
    Form->Free();
    Application()->ProcessMessages();
  }
};

// One page down (up once the end is near) with the cache valid: the offset
// setter scrolls and invalidates, the window then paints what is uncovered.
void B5_ScrollPage(benchmark::State& State)
{
  TWindowStage stage(Cardinal(State.range(0)), 0);
  TLazyStringTree& tree = *stage.Tree;
  int page = tree.ClientHeight();
  int direction = -1;
  for (auto _ : State) {
    int next = tree.OffsetY() + direction * page;
    if (next > 0 || next < tree.ClientHeight() - tree.RangeY()) {
      direction = -direction;
      next = tree.OffsetY() + direction * page;
    }
    tree.SetOffsetY(next);
    UpdateWindow(tree.Handle());
  }
  State.counters["cache_used"] = tree.UseCache() ? 1 : 0;
}
BENCHMARK(B5_ScrollPage)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Typing "z" on the first of N siblings: the string tree's own compare walks
// every sibling to the last one. Each step starts a fresh search.
void B6_IncrementalSearch(benchmark::State& State)
{
  TWindowStage stage(Cardinal(State.range(0)), 0);
  TLazyStringTree& tree = *stage.Tree;
  tree.SetIncrementalSearch(isAll);
  tree.SetFocus();
  PLazyNode first = tree.FirstTopLevelNode();
  PLazyNode last = tree.HiddenRoot()->LastChildNode;
  bool found = true;
  for (auto _ : State) {
    State.PauseTiming();
    tree.Perform(WM_CANCELMODE, 0, 0);
    tree.SetFocusedNode(first);
    State.ResumeTiming();
    tree.Perform(WM_KEYDOWN, 'Z', 0);
    tree.Perform(WM_CHAR, 'z', 0);
    found = found && tree.FocusedNode() == last;
  }
  State.counters["found_last"] = found ? 1 : 0;
}
BENCHMARK(B6_IncrementalSearch)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A whole 1920 x 1080 window with its header: non-client area and client
// invalidated and painted at once.
void B7_PaintColumnsAndHeader(benchmark::State& State)
{
  TWindowStage stage(100000, int(State.range(0)));
  HWND window = stage.Tree->Handle();
  for (auto _ : State)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  State.counters["header_height"] = stage.Tree->Header().Height();
}
BENCHMARK(B7_PaintColumnsAndHeader)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
  THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
