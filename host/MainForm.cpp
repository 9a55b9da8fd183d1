#include "host/MainForm.h"

#include "controls/themes/TBWSwitcher.h"
#include "controls/themes/XTBItems.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "host/HostLog.h"
#include "host/NetworkMenus.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Dialogs.h"
#include "platform/classes/stdctrls/ListBox.h"

TcorvaneMain::TcorvaneMain(TComponent* AOwner, TMainWindowBindings Bindings, std::string ChatLibrary)
    : TForm(AOwner), FBindings(std::move(Bindings))
{
  SetName("corvaneMain");
  SetCaption(Title);
  SetBounds(Left(), Top(), FirstWidth, FirstHeight);
  FTBWSwitcher1 = new TTBWSwitcher(this);
  FTBWSwitcher1->SetName("TBWSwitcher1");
  CreateImageLists();
  CreateDocks();
  CreateMenuBar();
  CreateNetworkToolbar();
  CreatePanels();
  CreateContactTree();
  CreateTray();
  // Plug-ins call back into the window while they load, so the controls
  // and the core exist before the start-up step runs.
  FCore = std::make_unique<THostCore>(THostParts{this, this, this, nullptr, nullptr, this}, std::move(ChatLibrary));
  MakeBindings();
  OnCreate = TNotifyEvent(this, &TcorvaneMain::FormCreate);
  OnShow = TNotifyEvent(this, &TcorvaneMain::FormShow);
  OnClose = TCloseEvent(this, &TcorvaneMain::FormClose);
  OnDestroy = TNotifyEvent(this, &TcorvaneMain::FormDestroy);
}

TcorvaneMain::~TcorvaneMain()
{
  // The core's shut-down (when closing did not run it) still reaches the
  // bindings and the controls, so it goes first, then the bindings.
  FCore.reset();
  FPacksBinding.reset();
  FMenusBinding.reset();
  FTreeBinding.reset();
}

void TcorvaneMain::MakeBindings()
{
  THostParts parts = FCore->Parts();
  if (FBindings.NetworkMenus)
    FMenusBinding = FBindings.NetworkMenus(*this, *FCore);
  if (FBindings.ContactTree)
    FTreeBinding = FBindings.ContactTree(*this, *FCore, FMenusBinding);
  parts.Tree = FTreeBinding.get();
  parts.Menus = FMenusBinding.get();
  FCore->SetParts(parts);
}

// --- life -------------------------------------------------------------------

void TcorvaneMain::FormCreate(TObject*)
{
  // A program without its chat windows is of no use: once the user has read
  // the warning, the program ends (after this step, so the window is whole).
  if (!FCore->Start())
    Application()->Terminate();
  // Built whatever the start-up met.
  FmnuStyle->SetCaption(SystemTextToWide(FTBWSwitcher1->Theme()));
  BuildStyleMenu();
  if (FBindings.IconPacks) {
    std::string failure;
    if (!RunGuarded([&] { FPacksBinding = FBindings.IconPacks(*this); }, failure))
      HostLog(1, "BuildPackMenu : " + failure);
  }
}

void TcorvaneMain::FormShow(TObject*)
{
  SetIconIndex(1);
  SetIconIndex(0);
}

void TcorvaneMain::FormClose(TObject*, TCloseAction&)
{
  FCore->Shutdown();
}

void TcorvaneMain::FormDestroy(TObject*)
{
  HostLog(0, "Destruction de la feuille");
}

// --- the style menu -------------------------------------------------------------

void TcorvaneMain::BuildStyleMenu()
{
  for (int i = 0; i < FTBWSwitcher1->ThemeCount(); ++i) {
    auto* item = new TXTBCustomItem(this);
    item->SetCaption(SystemTextToWide(FTBWSwitcher1->ThemeNameAt(i)));
    item->OnClick = TNotifyEvent(this, &TcorvaneMain::StyleClick);
    FmnuStyle->Add(item);
  }
}

void TcorvaneMain::StyleClick(TObject* Sender)
{
  auto* item = static_cast<TTBCustomItem*>(Sender);
  FTBWSwitcher1->SetTheme(item->Caption());
  FmnuStyle->SetCaption(SystemTextToWide(FTBWSwitcher1->Theme()));
}

// --- the window's parts, as the core sees them ------------------------------------

void TcorvaneMain::AddConsoleLine(const std::string& Line)
{
  FListBox1->Items()->Add(Line);
}

void TcorvaneMain::SetIconIndex(int Index)
{
  FUtTrayIcon1->SetIconIndex(Index);
}

int TcorvaneMain::IconIndex() const
{
  return FUtTrayIcon1->IconIndex();
}

void TcorvaneMain::ShowBalloonTip(const std::string& Title, const std::string& Text, TTrayBalloon Type,
                                  unsigned TimeoutMs, bool CancelPrevious)
{
  int kind = btNone;
  switch (Type) {
    case TTrayBalloon::None: kind = btNone; break;
    case TTrayBalloon::Info: kind = btInfo; break;
    case TTrayBalloon::Warning: kind = btWarning; break;
    case TTrayBalloon::Error: kind = btError; break;
  }
  FUtTrayIcon1->ShowBalloonTip(Title, Text, kind, int(TimeoutMs), CancelPrevious);
}

void TcorvaneMain::AddProcessorLine(const std::string& Name)
{
  FlstMsgProc->Items()->Add(Name);
}

bool TcorvaneMain::ProcessorChecked(int Index) const
{
  return Index >= 0 && Index < FlstMsgProc->Items()->Count() && FlstMsgProc->ItemChecked(Index);
}

void TcorvaneMain::ShowWarning(const std::string& Text)
{
  MessageDlg(Text, mtWarning, TMsgDlgButtons{mbOK}, 0);
}
