#include "GalleryHost.h"

#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/window/ModalLoop.h"

HIMAGELIST MakeGalleryImages()
{
  TScratchBitmap art(32, 16);
  art.Fill(0xFFFFFF);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x)
      art.At(x, y) = (x == 2 || y == 2 || x == 13 || y == 13) ? 0x102060 : 0x3070D0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = x * 2 - 15, dy = y * 2 - 15;
      const int d = dx * dx + dy * dy;
      if (d < 196)
        art.At(16 + x, y) = d < 64 ? 0xE0A020 : d < 144 ? 0x20A040 : 0x404040;
    }
  HBITMAP image = CreateBitmap(32, 16, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image);
  BitBlt(dc, 0, 0, 32, 16, art.DC(), 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
  ImageList_AddMasked(list, image, RGB(255, 255, 255));
  DeleteObject(image);
  return list;
}

void SettleMessages()
{
  TModalLoop loop = TModalLoop::QueuedOnly();
  MSG msg;
  for (int i = 0; i < 100000 && loop.Next(msg); ++i) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

namespace {

template <class T>
T* Add(TTBCustomItem* Parent, const char* Caption, int Image = -1)
{
  auto* item = new T(nullptr);
  item->SetCaption(Caption);
  item->SetImageIndex(Image);
  Parent->Add(item);
  return item;
}

void AddSeparator(TTBCustomItem* Parent) { Parent->Add(new TTBWSeparatorItem(nullptr)); }

void FillFileMenu(TTBCustomItem* Menu)
{
  Add<TTBWItem>(Menu, "&Nouveau message\tCtrl+N", 0);
  Add<TTBWItem>(Menu, "&Ouvrir...\tCtrl+O", 1);
  Add<TTBWItem>(Menu, "&Enregistrer\tCtrl+S")->SetEnabled(false);
  AddSeparator(Menu);
  TTBCustomItem* recent = Add<TTBWSubmenuItem>(Menu, "&Recents");
  Add<TTBWItem>(recent, "&1 notes.txt");
  Add<TTBWItem>(Menu, "Toujours &visible")->SetChecked(true);
  AddSeparator(Menu);
  Add<TTBWItem>(Menu, "&Quitter\tAlt+F4");
}

}  // namespace

TGalleryHost::TGalleryHost(TCustomImageList* Images, int ToolbarCount) : FImages(Images)
{
  FForm = TCustomForm::Create<TForm>(nullptr);
  FForm->SetCaption("Corvane");
  FForm->SetBounds(FormLeft, FormTop, FormWidth, FormHeight);
  FTopDock = new TTBWDock(FForm);
  FTopDock->SetPosition(dpTop);
  FTopDock->SetParent(FForm);

  FMenuBar = NewToolbar("Menu");
  FMenuBar->SetMenuBar(true);
  FMenuBar->SetFullSize(true);
  FFileMenu = Add<TTBWSubmenuItem>(FMenuBar->Items(), "&Fichier");
  FillFileMenu(FFileMenu);
  for (const char* caption : {"&Edition", "&Affichage", "&Aide"})
    Add<TTBWItem>(Add<TTBWSubmenuItem>(FMenuBar->Items(), caption), "&Rien");
  FMenuBar->SetDockRow(0);
  FMenuBar->SetCurrentDock(FTopDock);

  const TTBDragHandleStyle handles[] = {dhSingle, dhDouble, dhNone};
  for (int i = 0; i < ToolbarCount; ++i) {
    TTBWToolbar* bar = NewToolbar(i == 0 ? "Standard" : i == 1 ? "Format" : "Contacts");
    bar->SetDragHandleStyle(handles[i % 3]);
    if (i % 3 == 0) {
      Add<TTBWItem>(bar->Items(), "Nouveau", 0);
      Add<TTBWItem>(bar->Items(), "Ouvrir", 1)->SetChecked(true);
      AddSeparator(bar->Items());
      auto* send = Add<TTBWSubmenuItem>(bar->Items(), "Envoyer", 0);
      send->SetDropdownCombo(true);
      Add<TTBWItem>(send, "A tous");
      Add<TTBWItem>(bar->Items(), "Effacer", 1)->SetEnabled(false);
    } else if (i % 3 == 1) {
      Add<TTBWItem>(bar->Items(), "Gras");
      Add<TTBWItem>(bar->Items(), "Italique")->SetChecked(true);
      AddSeparator(bar->Items());
      Add<TTBWItem>(Add<TTBWSubmenuItem>(bar->Items(), "Couleur"), "Rouge");
    } else {
      bar->SetCloseButtonWhenDocked(true);
      Add<TTBWItem>(bar->Items(), "Ajouter", 0);
      Add<TTBWItem>(bar->Items(), "Chercher", 1);
    }
    bar->SetDockRow(1 + i / 2);
    bar->SetDockPos(i % 2 ? 200 : 0);
    bar->SetCurrentDock(FTopDock);
    FToolbars.push_back(bar);
  }
  FForm->Show();
  SetActiveWindow(FForm->Handle());
  SettleMessages();
}

TGalleryHost::~TGalleryHost()
{
  FForm->Free();
  SettleMessages();
}

TTBWToolbar* TGalleryHost::NewToolbar(const char* Caption)
{
  auto* bar = new TTBWToolbar(FForm);
  bar->SetCaption(Caption);
  bar->SetImages(FImages);
  return bar;
}

TRect TGalleryHost::MenuBarItemRect(int Index) const
{
  const TRect& b = FMenuBar->View()->Viewers(Index)->BoundsRect;
  const TPoint tl = FMenuBar->ClientToScreen(TPoint(b.Left, b.Top));
  return TRect(tl.x, tl.y, tl.x + b.Width(), tl.y + b.Height());
}

TRect TGalleryHost::DockRect() const
{
  TRect r;
  GetWindowRect(FTopDock->Handle(), &r);
  return r;
}

TTBWToolbar* TGalleryHost::AddFloatingToolbar(int Left, int Top)
{
  TTBWToolbar* bar = NewToolbar("Outils");
  Add<TTBWItem>(bar->Items(), "Nouveau", 0);
  Add<TTBWItem>(bar->Items(), "Ouvrir", 1)->SetChecked(true);
  AddSeparator(bar->Items());
  Add<TTBWItem>(bar->Items(), "Texte");
  bar->SetParent(FForm);
  bar->MakeFloating(true);
  SettleMessages();
  TTBFloatingWindowParent* frame = bar->FloatFrame();
  frame->SetBounds(Left, Top, frame->Width(), frame->Height());
  SetActiveWindow(FForm->Handle());
  SettleMessages();
  return bar;
}

TXTBMultiDock* TGalleryHost::AddPanelMultiDock()
{
  auto* dock = new TXTBMultiDock(FForm);
  dock->SetPosition(dpxBottom);
  dock->SetParent(FForm);
  int position = 0;
  for (const char* caption : {"Console", "Contacts", "Journal des evenements"}) {
    auto* panel = new TTBWDockablePanel(FForm);
    panel->SetCaption(caption);
    panel->SetDockedHeight(90);
    panel->SetCloseButtonWhenDocked(position != 1);
    panel->SetDockPos(position++);
    panel->SetCurrentDock(dock);
  }
  SettleMessages();
  RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SettleMessages();
  return dock;
}
