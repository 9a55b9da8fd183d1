// The main window's component list, as its form describes it.
#include "controls/themes/TBWAlignmentPanel.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWLabel.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWSwitcher.h"
#include "controls/themes/XTBItems.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/MainForm.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/stdctrls/ListBox.h"

namespace {

// Fills List from the strip bitmap of that resource name; fuchsia is clear.
void LoadStrip(TTBImageList* List, const char* Resource)
{
  TBitmap strip;
  strip.LoadFromResourceName(HInstance(), Resource);
  List->AddMasked(&strip, clFuchsia);
}

template <class TDockClass, class TPosition>
TDockClass* NewDock(TWinControl* Form, const char* Name, TPosition Position)
{
  auto* dock = new TDockClass(Form);
  dock->SetName(Name);
  dock->SetPosition(Position);
  dock->SetParent(Form);
  return dock;
}

// A named item appended to Parent; the window finds it again by its name.
template <class TItemClass>
TItemClass* NewItem(TComponent* Owner, TTBCustomItem* Parent, const std::string& Name, const std::string& Caption,
                    std::vector<TTBCustomItem*>& Named)
{
  auto* item = new TItemClass(Owner);
  item->SetName(Name);
  item->SetCaption(SystemTextToWide(Caption));
  Parent->Add(item);
  Named.push_back(item);
  return item;
}

}  // namespace

void TcorvaneMain::CreateImageLists()
{
  FimgStatus = new TTBImageList(this);
  FimgStatus->SetName("imgStatus");
  LoadStrip(FimgStatus, "IMGSTATUS");
  FimgTray = new TTBImageList(this);
  FimgTray->SetName("imgTray");
  LoadStrip(FimgTray, "IMGTRAY");
  // The form's third list; no item of the window draws from it.
  FTBImageList1 = new TTBImageList(this);
  FTBImageList1->SetName("TBImageList1");
}

TTBCustomItem* TcorvaneMain::AddMenuItem(TTBCustomItem* Parent, const std::string& Name, const std::string& Caption,
                                         TNotifyEvent OnClick, bool Checked)
{
  auto* item = NewItem<TXTBItem>(this, Parent, Name, Caption, FMenuItems);
  item->SetChecked(Checked);
  item->OnClick = OnClick;
  return item;
}

TTBCustomItem* TcorvaneMain::MenuItem(const std::string& Name) const
{
  for (TTBCustomItem* item : FMenuItems)
    if (item->Name() == Name)
      return item;
  return nullptr;
}

void TcorvaneMain::CreateDocks()
{
  // The toolbar docks go first: they keep the form's edges, the panels'
  // multi-docks sit inside them.
  FDocks = {NewDock<TXTBDock>(this, "LeftDock", dpLeft), NewDock<TXTBDock>(this, "TopDock", dpTop),
            NewDock<TXTBDock>(this, "RightDock", dpRight), NewDock<TXTBDock>(this, "BottomDock", dpBottom)};
  FMultiDocks = {NewDock<TXTBMultiDock>(this, "MultiDockLeft", dpxLeft),
                 NewDock<TXTBMultiDock>(this, "MultiDockTop", dpxTop),
                 NewDock<TXTBMultiDock>(this, "MultiDockRight", dpxRight),
                 NewDock<TXTBMultiDock>(this, "MultiDockBottom", dpxBottom)};
}

void TcorvaneMain::CreateMenuBar()
{
  FMenuBar = new TXTBToolbar(this);
  FMenuBar->SetName("MenuBar");
  FMenuBar->SetCaption("Menu");
  FMenuBar->SetMenuBar(true);
  FMenuBar->SetCloseButton(false);
  FMenuBar->SetDockRow(0);
  auto submenu = [&](const std::string& Name, const std::string& Caption) {
    return NewItem<TXTBSubmenuItem>(this, FMenuBar->Items(), Name, Caption, FMenuItems);
  };

  TXTBSubmenuItem* corvane = submenu("MnuCorvane", "Corvane");
  AddMenuItem(corvane, "mnuConnectAll", "Se Connecter", TNotifyEvent(this, &TcorvaneMain::mnuConnectAllClick));
  AddMenuItem(corvane, "mnuDisconnectAll", "Se Déconnecter",
              TNotifyEvent(this, &TcorvaneMain::mnuDisconnectAllClick));
  corvane->Add(new TXTBSeparatorItem(this));
  AddMenuItem(corvane, "mnuQuit", "Quitter", TNotifyEvent(this, &TcorvaneMain::MnuExitClick));

  TXTBSubmenuItem* view = submenu("MnuView", "Affichage");
  AddMenuItem(view, "mnuNetWorks", "Réseaux", TNotifyEvent(this, &TcorvaneMain::mnuNetWorksClick), true);
  AddMenuItem(view, "mnuConsole", "Console", TNotifyEvent(this, &TcorvaneMain::mnuConsoleClick), true);
  AddMenuItem(view, "mnuPlugIns", "Plug-Ins", TNotifyEvent(this, &TcorvaneMain::mnuPlugInsClick), true);
  AddMenuItem(view, "chkDirect", "Afficher directement les messages",
              TNotifyEvent(this, &TcorvaneMain::chkDirectClick));

  TXTBSubmenuItem* help = submenu("mnuHelp", "Aide");
  AddMenuItem(help, "mnuAide", "Aide", TNotifyEvent());
  AddMenuItem(help, "mnuAbout", "A Propos...", TNotifyEvent(this, &TcorvaneMain::mnuAboutClick));

  TXTBSubmenuItem* debug = submenu("mnuDebug", "Debug");
  AddMenuItem(debug, "mnuGestMsg", "tessel.dll", TNotifyEvent(this, &TcorvaneMain::mnuGestMsgClick), true);
  AddMenuItem(debug, "mnuRefresh", "Refresh", TNotifyEvent(this, &TcorvaneMain::mnuRefreshClick));
  AddMenuItem(debug, "mnuTrayIcon", "TrayIcon", TNotifyEvent(this, &TcorvaneMain::mnuTrayIconClick));

  FMenuBar->SetCurrentDock(FDocks[1]);
}

void TcorvaneMain::CreateNetworkToolbar()
{
  FTbNetWorks = new TXTBToolbar(this);
  FTbNetWorks->SetName("TbNetWorks");
  FTbNetWorks->SetCaption("Réseaux");
  FTbNetWorks->SetImages(FimgStatus);
  FTbNetWorks->SetDockRow(1);
  FTbNetWorks->OnClose = TNotifyEvent(this, &TcorvaneMain::tbNetWorksClose);
  FTbNetWorks->SetCurrentDock(FDocks[1]);
}

TTBWDockablePanel* TcorvaneMain::AddPanel(TXTBMultiDock* Dock, const std::string& Name, const std::string& Caption)
{
  auto* panel = new TTBWDockablePanel(this);
  panel->SetName(Name);
  panel->SetCaption(Caption);
  panel->SetCurrentDock(Dock);
  return panel;
}

TXTBSubmenuItem* TcorvaneMain::AddPanelMenu(TWinControl* Parent, const std::string& Label, const std::string& Name,
                                            const std::string& Caption, int Top)
{
  auto* label = new TTBWLabel(this);
  label->SetCaption(Label);
  label->SetBounds(0, Top, Parent->ClientWidth(), 14);
  label->SetAlign(alTop);
  label->SetParent(Parent);
  // The submenu stands on a small toolbar of its own under its label.
  auto* bar = new TXTBToolbar(this);
  bar->SetName(Name + "Bar");
  bar->SetParent(Parent);
  bar->SetBounds(0, Top + 16, 130, 22);
  bar->SetAlign(alTop);
  auto* item = NewItem<TXTBSubmenuItem>(this, bar->Items(), Name, Caption, FMenuItems);
  item->SetOptions(tboDropdownArrow);
  return item;
}

void TcorvaneMain::CreateDisplayPanel()
{
  FTBWDockablePanel3 = AddPanel(FMultiDocks[2], "TBWDockablePanel3", "Affichage");
  FTBWDockablePanel3->SetDockedWidth(150);
  // The labels and the submenus' bars line up inside the layout panel's margins.
  FDisplayLayout = new TTBWAlignmentPanel(this);
  FDisplayLayout->SetName("TBWAlignmentPanel1");
  FDisplayLayout->SetAlign(alClient);
  FDisplayLayout->Margins()->SetLeft(4);
  FDisplayLayout->Margins()->SetTop(4);
  FDisplayLayout->Margins()->SetRight(4);
  FDisplayLayout->SetParent(FTBWDockablePanel3);
  FmnuStyle = AddPanelMenu(FDisplayLayout, "Style des fenêtres", "mnuStyle", "Style", 0);
  FmnuPacks = AddPanelMenu(FDisplayLayout, "Images:", "mnuPacks", "Classique", 42);
}

void TcorvaneMain::CreatePanels()
{
  FDockOptions = AddPanel(FMultiDocks[2], "DockOptions", "Plug-ins");
  FDockOptions->SetDockedWidth(150);
  FDockOptions->OnClose = TNotifyEvent(this, &TcorvaneMain::DockOptionsClose);
  FlstMsgProc = new TUtxCheckListBox(this);
  FlstMsgProc->SetName("lstMsgProc");
  FlstMsgProc->SetAlign(alClient);
  FlstMsgProc->SetShowHint(true);
  FlstMsgProc->OnMouseMove = TMouseMoveEvent(this, &TcorvaneMain::lstMsgProcMouseMove);
  FlstMsgProc->SetParent(FDockOptions);

  CreateDisplayPanel();

  FTBWDockablePanel2 = AddPanel(FMultiDocks[3], "TBWDockablePanel2", "Console");
  FTBWDockablePanel2->SetDockedHeight(90);
  FTBWDockablePanel2->OnClose = TNotifyEvent(this, &TcorvaneMain::TBWDockablePanel2Close);
  FListBox1 = new TListBox(this);
  FListBox1->SetName("ListBox1");
  FListBox1->SetAlign(alClient);
  FListBox1->SetParent(FTBWDockablePanel2);
}

void TcorvaneMain::CreateContactTree()
{
  FmnuPopup = new TTBWPopupMenu(this);
  FmnuPopup->SetName("mnuPopup");
  FmnuPopup->SetImages(FimgStatus);

  // A plain tree: the contact tree's binding sets its options and answers
  // its events.
  FlstPlugContact = new TLazyStringTree(this);
  FlstPlugContact->SetName("lstPlugContact");
  FlstPlugContact->SetAlign(alClient);
  FlstPlugContact->SetStateImages(FimgStatus);
  FlstPlugContact->SetParent(this);
}

void TcorvaneMain::CreateTray()
{
  FTBWPopupMenu1 = new TTBWPopupMenu(this);
  FTBWPopupMenu1->SetName("TBWPopupMenu1");
  AddMenuItem(FTBWPopupMenu1->Items(), "TBWItem2", "Restaurer", TNotifyEvent(this, &TcorvaneMain::TBWItem2Click));

  FUtTrayIcon1 = new TUtTrayIcon(this);
  FUtTrayIcon1->SetName("UtTrayIcon1");
  FUtTrayIcon1->SetIcons(FimgTray);
  FUtTrayIcon1->SetIconIndex(-1);
  FUtTrayIcon1->SetVisibility(
      TTrayVisibilities{tvVisibleTaskBar, tvVisibleTaskList, tvRestoreDbClick, tvMinimizeDbClick});
  FUtTrayIcon1->SetPopupMenu(FTBWPopupMenu1);
  FUtTrayIcon1->SetActive(true);
}
