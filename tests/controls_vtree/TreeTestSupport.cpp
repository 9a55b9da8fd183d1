#include "TreeTestSupport.h"

#include <sstream>

#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

void TTreeOwner::Bind(TBaseLazyTree* Tree)
{
  Tree->OnInitNode = TLTInitNodeEvent(this, &TTreeOwner::InitNode);
  Tree->OnInitChildren = TLTInitChildrenEvent(this, &TTreeOwner::InitChildren);
  Tree->OnFreeNode = TLTFreeNodeEvent(this, &TTreeOwner::FreeNode);
  Tree->OnChange = TLTChangeEvent(this, &TTreeOwner::Change);
  Tree->OnStructureChange = TLTStructureChangeEvent(this, &TTreeOwner::StructureChange);
  Tree->OnUpdating = TLTUpdatingEvent(this, &TTreeOwner::Updating);
  Tree->OnExpanded = TLTChangeEvent(this, &TTreeOwner::Expanded);
  Tree->OnCollapsed = TLTChangeEvent(this, &TTreeOwner::Collapsed);
  Tree->OnNodeMoved = TLTNodeMovedEvent(this, &TTreeOwner::NodeMoved);
}

std::string TTreeOwner::Name(PLazyNode Node)
{
  if (!Node)
    return "-";
  std::vector<std::uint32_t> path;
  for (PLazyNode n = Node; n->FollowingSibling != n; n = n->ParentNode)
    path.insert(path.begin(), n->SiblingIndex);
  std::ostringstream out;
  for (std::size_t i = 0; i < path.size(); ++i)
    out << (i ? "." : "") << path[i];
  return out.str();
}

int TTreeOwner::Count(const std::string& Prefix) const
{
  int n = 0;
  for (const std::string& line : Journal)
    if (line.rfind(Prefix, 0) == 0)
      ++n;
  return n;
}

void TTreeOwner::InitNode(TBaseLazyTree*, PLazyNode, PLazyNode Node, TLazyNodeInitStates& States)
{
  ++InitCount;
  auto it = InitStates.find(Node);
  if (it != InitStates.end())
    States = it->second;
  if (OnInit)
    OnInit(Node);
}

void TTreeOwner::InitChildren(TBaseLazyTree*, PLazyNode Node, Cardinal& Count)
{
  ++InitChildrenCount;
  Journal.push_back("children " + Name(Node));
  auto it = ChildCounts.find(Node);
  if (it != ChildCounts.end())
    Count = it->second;
}

void TTreeOwner::FreeNode(TBaseLazyTree*, PLazyNode Node)
{
  ++FreeCount;
  Freed.push_back(Node);
  FreedNames.push_back(Name(Node));
}

void TTreeOwner::Change(TBaseLazyTree*, PLazyNode Node)
{
  Journal.push_back("change " + Name(Node));
}

void TTreeOwner::StructureChange(TBaseLazyTree*, PLazyNode Node, TChangeReason Reason)
{
  for (PLazyNode f : Freed)
    if (CheckFreed && f == Node)
      ADD_FAILURE() << "a freed node was reported";
  Journal.push_back("structure " + Name(Node) + " " + std::to_string(int(Reason)));
}

void TTreeOwner::Updating(TBaseLazyTree*, TLTUpdateState State)
{
  Journal.push_back("updating " + std::to_string(int(State)));
}

void TTreeOwner::Expanded(TBaseLazyTree*, PLazyNode Node)
{
  Journal.push_back("expanded " + Name(Node));
}

void TTreeOwner::Collapsed(TBaseLazyTree*, PLazyNode Node)
{
  Journal.push_back("collapsed " + Name(Node));
}

void TTreeOwner::NodeMoved(TBaseLazyTree*, PLazyNode Node)
{
  Journal.push_back("moved " + Name(Node));
}

void TreeFixture::SetUp()
{
  THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  Tree = NewTree();
}

void TreeFixture::TearDown()
{
  Trees.clear();
  Tree = nullptr;
  // The fixed-metric font is this fixture's choice only: tests after it in
  // the same process draw with the fonts they expect.
  SetBuiltinFontOnly(false);
}

TBaseLazyTree* TreeFixture::NewTree()
{
  Trees.push_back(std::make_unique<TBaseLazyTree>(nullptr));
  Owner.Bind(Trees.back().get());
  return Trees.back().get();
}

PLazyNode TreeFixture::At(const std::string& Path, TBaseLazyTree* T)
{
  if (!T)
    T = Tree;
  PLazyNode n = T->HiddenRoot();
  std::istringstream in(Path);
  std::string part;
  while (std::getline(in, part, '.')) {
    unsigned index = unsigned(std::stoul(part));
    n = n->FirstChildNode;
    while (n && n->SiblingIndex != index)
      n = n->FollowingSibling;
    if (!n)
      return nullptr;
  }
  return n;
}

TPixelImage PaintToPicture(TBaseLazyTree* Tree, int Width, int Height, std::uint8_t Options)
{
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bm);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.SetFont(Tree->Font());
  Tree->PaintTreeArea(&canvas, TRect(0, 0, Width, Height), TPoint(0, 0), Options);
  canvas.SetHandle(nullptr);
  SelectObject(dc, old);
  TPixelImage picture = CaptureBitmap(bm);
  DeleteObject(bm);
  DeleteDC(dc);
  return picture;
}

void TInputStage::Open(const TRect& Bounds, TControl* Control, const TRect& ControlBounds)
{
  Display = THeadlessDisplay::Use();
  THeadlessDisplay::UseVirtualClock();
  Application()->Initialize();
  Form = TCustomForm::Create<TForm>(Application());
  Form->SetBoundsRect(Bounds);
  Control->SetParent(Form);
  Control->SetBoundsRect(ControlBounds);
}

void TInputStage::Close(TControl* Control)
{
  Control->SetParent(nullptr);
  Form->Free();
  Application()->ProcessMessages();
}
