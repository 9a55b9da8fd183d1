// The main window's commands: the menu bar, the View toggles and the panels'
// close buttons, the Debug items, the tray popup, the processor panel's
// hints and the open-chat request from other programs.
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/HostLog.h"
#include "host/MainForm.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Dialogs.h"
#include "platform/win/window/Messages.h"

void TcorvaneMain::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_COPYDATA) {
    WMCopyData(Message);
    return;
  }
  TForm::Dispatch(Message);
}

void TcorvaneMain::WMCopyData(TMessage& Message)
{
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  Message.Result = data && FCore->HandleCopyData(*data) ? 1 : 0;
}

// --- Corvane ------------------------------------------------------------------

void TcorvaneMain::mnuConnectAllClick(TObject*)
{
  for (int i = 0; i < FCore->NetworkCount(); ++i)
    FCore->Guard("mnuConnectAllClick", [&] {
      if (INetwork* network = FCore->Network(i))
        network->Connect();
    });
}

void TcorvaneMain::mnuDisconnectAllClick(TObject*)
{
  for (int i = 0; i < FCore->NetworkCount(); ++i)
    FCore->Guard("mnuDisconnectAllClick", [&] {
      if (INetwork* network = FCore->Network(i))
        network->Disconnect();
    });
}

void TcorvaneMain::MnuExitClick(TObject*)
{
  Close();
}

// --- Affichage ----------------------------------------------------------------

void TcorvaneMain::ToggleView(const std::string& Item, TControl* Control)
{
  TTBCustomItem* item = MenuItem(Item);
  item->SetChecked(!item->Checked());
  Control->SetVisible(item->Checked());
}

void TcorvaneMain::mnuNetWorksClick(TObject*)
{
  ToggleView("mnuNetWorks", FTbNetWorks);
}

void TcorvaneMain::mnuConsoleClick(TObject*)
{
  ToggleView("mnuConsole", FTBWDockablePanel2);
}

void TcorvaneMain::mnuPlugInsClick(TObject*)
{
  ToggleView("mnuPlugIns", FDockOptions);
}

void TcorvaneMain::chkDirectClick(TObject*)
{
  TTBCustomItem* item = MenuItem("chkDirect");
  item->SetChecked(!item->Checked());
  FCore->SetDirectDisplay(item->Checked());
}

// A toolbar or panel closed by its own close button.
void TcorvaneMain::tbNetWorksClose(TObject*)
{
  MenuItem("mnuNetWorks")->SetChecked(false);
}

void TcorvaneMain::TBWDockablePanel2Close(TObject*)
{
  MenuItem("mnuConsole")->SetChecked(false);
}

void TcorvaneMain::DockOptionsClose(TObject*)
{
  MenuItem("mnuPlugIns")->SetChecked(false);
}

// --- Aide -----------------------------------------------------------------------

void TcorvaneMain::mnuAboutClick(TObject*)
{
  MessageDlg(std::string(Title) +
                 "\r\n\r\nClient de messagerie instantanée : les réseaux, les traitements des messages et les "
                 "fenêtres de conversation sont des plug-ins.",
             mtInformation, TMsgDlgButtons{mbOK}, 0);
}

// --- Debug ------------------------------------------------------------------------

void TcorvaneMain::mnuGestMsgClick(TObject*)
{
  TTBCustomItem* item = MenuItem("mnuGestMsg");
  if (item->Checked()) {
    FCore->UnbindChatLibrary();
    item->SetChecked(false);
    return;
  }
  std::string failure;
  if (FCore->BindChatLibrary(failure))
    item->SetChecked(true);
  else
    Application()->ShowException(failure);
}

void TcorvaneMain::mnuRefreshClick(TObject*)
{
  FlstPlugContact->Repaint();
}

void TcorvaneMain::mnuTrayIconClick(TObject*)
{
  ShowBalloonTip("Corvane", "Vous avez recu un nouveau message", TTrayBalloon::Info, 5000, false);
}

// --- tray popup -------------------------------------------------------------------

void TcorvaneMain::TBWItem2Click(TObject*)
{
  // Hidden by a double click on the icon, or minimised.
  if (!FUtTrayIcon1->ApplicationVisible())
    FUtTrayIcon1->SetVisibility(FUtTrayIcon1->Visibility().Include(tvVisibleTaskBar));
  Application()->Restore();
}

// --- processor panel -------------------------------------------------------------

void TcorvaneMain::lstMsgProcMouseMove(TObject*, TShiftState, int X, int Y)
{
  const int line = FlstMsgProc->ItemIndexAtPoint(TPoint(X, Y), true);
  std::string hint;
  if (line >= 0)
    FCore->Guard("lstMsgProcMouseMove", [&] {
      if (IMessageProcessor* processor = FCore->Processor(line))
        if (const char* description = processor->GetDescription())
          hint = description;
    });
  FlstMsgProc->SetHint(hint);
}
