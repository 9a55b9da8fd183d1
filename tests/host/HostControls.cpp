#include "HostControls.h"

#include <sstream>

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/win/win.h"

const std::vector<COLORREF> ClassicColors = {RGB(200, 0, 0),   RGB(0, 160, 0),   RGB(0, 90, 0),   RGB(60, 60, 60),
                                             RGB(128, 0, 128), RGB(0, 128, 128), RGB(0, 0, 200), RGB(120, 120, 0),
                                             RGB(255, 140, 0), RGB(90, 60, 30)};

std::unique_ptr<TCustomImageList> NewStatusList(const std::vector<COLORREF>& Colors)
{
  auto list = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  for (COLORREF c : Colors) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        COLORREF v = x >= 2 && x < 14 && y >= 2 && y < 14 ? c : RGB(255, 0, 255);
        p[y * 16 + x] = (std::uint32_t(GetRValue(v)) << 16) | (std::uint32_t(GetGValue(v)) << 8) | GetBValue(v);
      }
    ImageList_AddMasked(list->Handle(), bm, RGB(255, 0, 255));
    DeleteObject(bm);
    DeleteDC(dc);
  }
  return list;
}

TTestNetworkModel TwoGroups(const std::string& Name, PresenceStatus Status)
{
  TTestNetworkModel model;
  model.Name = Name;
  model.Author = "Équipe";
  model.Version = 3;
  model.Status = Status;
  model.Groups.push_back({"Amis", {{"Alice", psOnline}, {"Bruno", psAway}, {"Chloé", psOffline}}});
  model.Groups.push_back({"Travail", {{"Denis", psDoNotDisturb}}});
  return model;
}

THostControls::THostControls()
{
  Display = THeadlessDisplay::Use();
  Application()->Initialize();
  RegisterDefaultTheme();
  CreateThemeNexus("Default");
  Form = TCustomForm::Create<TForm>(Application());
  Form->SetBounds(0, 0, 260, 240);
  Status = NewStatusList(ClassicColors);
  auto* dock = new TTBWDock(Form);
  dock->SetParent(Form);
  dock->SetAlign(alTop);
  Toolbar = new TTBWToolbar(Form);
  Toolbar->SetCurrentDock(dock);
  Toolbar->SetImages(Status.get());
  Popup = new TTBWPopupMenu(Form);
  Popup->SetImages(Status.get());
  Tree = new TLazyStringTree(Form);
  Tree->SetParent(Form);
  Tree->SetAlign(alClient);
  Menus = std::make_unique<TNetworkMenus>(Toolbar, Toolbar->Items(), Popup, Form);
  Binding = std::make_unique<TContactTreeBinding>(Tree, Status.get(), Menus.get());
  // The toggle's slide would make every expansion in the tests wait for it.
  Tree->TreeOptions()->SetAnimationOptions({});
  Form->Show();
  Pump();
}

THostControls::~THostControls()
{
  // The core frees the networks' submenus while the controls are still there.
  Core.reset();
  Binding.reset();
  Menus.reset();
  Form->Free();
  Pump();
  FreeThemeNexus();
  ClearThemeRegistry();
  FreeThemeManager();
}

THostCore& THostControls::Bound()
{
  if (!Core) {
    THostParts parts = Window.Parts();
    parts.Tree = Binding.get();
    parts.Menus = Menus.get();
    Core = std::make_unique<THostCore>(parts);
    Binding->Attach(Core.get());
    Menus->Attach(Core.get(), &Window, &Info);
  }
  return *Core;
}

PLazyNode THostControls::Node(const std::string& Path)
{
  std::stringstream parts(Path);
  std::string part;
  PLazyNode parent = nullptr;
  PLazyNode node = nullptr;
  while (std::getline(parts, part, '.')) {
    node = parent ? Tree->FirstChildOf(parent) : Tree->FirstTopLevelNode();
    for (int i = std::stoi(part); node && i > 0; --i)
      node = Tree->NextSiblingNode(node);
    if (!node)
      return nullptr;
    parent = node;
  }
  return node;
}

void THostControls::ExpandAll()
{
  for (PLazyNode n = Tree->FirstTopLevelNode(); n; n = Tree->NextNode(n))
    if (Tree->NodeLevel(n) < 2)
      Tree->SetExpanded(n, true);
  Pump();
}

TPoint THostControls::ImagePoint(PLazyNode Node)
{
  TRect row = Tree->NodeDisplayRect(Node, NoColumn, false);
  TRect text = Tree->NodeDisplayRect(Node, NoColumn, true);
  // The state image sits just before the text.
  return TPoint(text.Left - 10, (row.Top + row.Bottom) / 2);
}

TPoint THostControls::TextPoint(PLazyNode Node)
{
  TRect text = Tree->NodeDisplayRect(Node, NoColumn, true);
  return TPoint(text.Left + 6, (text.Top + text.Bottom) / 2);
}

void THostControls::ClickAt(TPoint Client, int Button)
{
  TPoint s = Tree->ClientToScreen(Client);
  Display->Click(s.x, s.y, Button);
  Pump();
}

void THostControls::DoubleClickAt(TPoint Client)
{
  TPoint s = Tree->ClientToScreen(Client);
  Display->Click(s.x, s.y);
  Pump();
  Display->Click(s.x, s.y);
  Pump();
}

TPixelImage THostControls::TreePicture()
{
  Tree->Invalidate();
  UpdateWindow(Tree->Handle());
  HDC dc = GetDC(Tree->Handle());
  TPixelImage picture = CaptureDC(dc);
  ReleaseDC(Tree->Handle(), dc);
  return picture;
}
