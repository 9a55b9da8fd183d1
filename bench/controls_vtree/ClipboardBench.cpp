// C1 copy of 100,000 selected nodes with every rendering asked for, then a
// paste into another tree; C2 one drag-over step of a drag over a tree of a
// million nodes that scrolls as it goes (target under 2 ms a step); C3 one
// small move of a shown drag image of a row block (300 x 120).
#include <benchmark/benchmark.h>

#include <memory>

#include "ClipboardTestSupport.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "controls/vtree/LazyTreeDragManager.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/ole/OleClipboard.h"
#include "platform/win/win.h"

namespace {

void BM_CopyAndPaste100kNodes(benchmark::State& State)
{
  THeadlessDisplay::Use();
  TNamedNodes names;
  for (int i = 0; i < 100; ++i)
    names.Cells[i] = {u"Contact <" + UTF8Decode(std::to_string(i)) + u"> & co", u"en ligne"};
  TLazyStringTree source(nullptr), target(nullptr);
  names.Bind(&source);
  names.Bind(&target);
  AddColumns(&source);
  source.SetNodeChildCount(nullptr, 1000);
  for (PLazyNode group = source.HiddenRoot()->FirstChildNode; group; group = group->FollowingSibling) {
    source.SetNodeChildCount(group, 99);
    for (PLazyNode n = group->FirstChildNode; n; n = n->FollowingSibling)
      TNamedNodes::Id(&source, n) = int(n->SiblingIndex);
  }
  TLTSelectionOptions sel = source.TreeOptions()->SelectionOptions();
  source.TreeOptions()->SetSelectionOptions(sel + toMultiSelect);
  source.SelectAllNodes(false);
  std::vector<CLIPFORMAT> formats{CF_TEXT, CF_UNICODETEXT, CF_CSV, CF_HTML, CF_RTF};
  for (auto _ : State) {
    source.CopySelection();
    IDataObject* raw = nullptr;
    OleGetClipboard(&raw);
    auto data = InterfacePtr<IDataObject>::Adopt(raw);
    for (CLIPFORMAT f : formats) {
      FORMATETC request;
      request.cfFormat = f;
      STGMEDIUM medium;
      if (data->GetData(&request, &medium) == S_OK)
        ReleaseStgMedium(&medium);
    }
    target.ClearTree();
    target.PasteClipboard();
    benchmark::DoNotOptimize(target.HiddenRoot()->SubtreeCount);
  }
  State.counters["pasted"] = double(target.HiddenRoot()->SubtreeCount - 1);
  OleSetClipboard(nullptr);
}
BENCHMARK(BM_CopyAndPaste100kNodes)->Unit(benchmark::kMillisecond)->Iterations(3);

struct TAcceptAll {
  void DragOver(TBaseLazyTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, DWORD&, bool& Accept)
  {
    Accept = true;
  }
};

void BM_DragOverMillionNodesWithAutoScroll(benchmark::State& State)
{
  THeadlessDisplay::Use();
  Application()->Initialize();
  TCustomForm* form = TCustomForm::Create<TForm>(Application());
  form->SetBounds(0, 0, 300, 400);
  auto tree = std::make_unique<TLazyStringTree>(nullptr);
  tree->SetParent(form);
  tree->SetBounds(0, 0, 300, 400);
  tree->SetAutoScrollDelay(0);
  tree->TreeOptions()->SetAutoOptions(tree->TreeOptions()->AutoOptions() + toAutoScroll);
  tree->TreeOptions()->SetPaintOptions(tree->TreeOptions()->PaintOptions() + toShowDropmark);
  TAcceptAll accept;
  tree->OnDragOver = TLTDragOverEvent(&accept, &TAcceptAll::DragOver);
  tree->SetNodeChildCount(nullptr, 1000);
  for (PLazyNode n = tree->HiddenRoot()->FirstChildNode; n; n = n->FollowingSibling) {
    tree->SetNodeChildCount(n, 999);
    tree->SetExpanded(n, true);
  }
  form->Show();
  Application()->ProcessMessages();
  auto target = Supports<IDropTarget>(tree->DragManager());
  InterfacePtr<IDataObject> data(new TLTDataObject(tree.get(), false));
  TPoint bottom = tree->ClientToScreen(TPoint(150, 395));
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(data.Get(), MK_LBUTTON, bottom, &effect);
  int moves = 0;
  for (auto _ : State) {
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    TPoint p(bottom.x + (moves++ % 2), bottom.y);
    target->DragOver(MK_LBUTTON, p, &effect);
    Application()->ProcessMessages();
  }
  State.counters["offsetY"] = double(-tree->OffsetY());
  target->DragLeave();
  tree.reset();
  form->Free();
}
BENCHMARK(BM_DragOverMillionNodesWithAutoScroll)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_DragImageSmallMove(benchmark::State& State)
{
  THeadlessDisplay::Use();
  Application()->Initialize();
  TCustomForm* form = TCustomForm::Create<TForm>(Application());
  form->SetBounds(0, 0, 800, 600);
  auto* tree = new TLazyStringTree(form);
  tree->SetParent(form);
  tree->SetBounds(0, 0, 780, 560);
  form->Show();
  Application()->ProcessMessages();
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 300, 120);
  ReleaseDC(nullptr, screen);
  TLTDragImage image(tree);
  TPoint p = tree->ClientToScreen(TPoint(200, 200));
  image.PrepareDrag(picture, p, p, nullptr);
  image.ShowDragImage();
  int step = 0;
  for (auto _ : State) {
    // A pointer wandering a few pixels at a time, as a hand drags.
    int sign = (step++ / 20) % 2 ? -1 : 1;
    p = TPoint(p.x + 3 * sign, p.y + 2 * sign);
    benchmark::DoNotOptimize(image.DragTo(p, false));
  }
  image.EndDrag();
  DeleteObject(picture);
  form->Free();
  Application()->ProcessMessages();
}
BENCHMARK(BM_DragImageSmallMove)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
