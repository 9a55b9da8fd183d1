#include "chatwin/msgdlg.h"

#include "api/MessageInput.h"
#include "chatwin/ConversationFile.h"
#include "chatwin/ConversationLines.h"
#include "chatwin/MessageDocument.h"
#include "chatwin/msgman.h"
#include "chatwin/widgets/TBWStatusBars.h"
#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSplit.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWPopups.h"
#include "platform/base/DateTime.h"
#include "platform/base/Exception.h"
#include "platform/base/StringList.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/actions/Action.h"
#include "platform/classes/actions/ActionList.h"
#include "platform/classes/actions/ShortCutList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/classes/stdctrls/Memo.h"
#include "platform/win/win.h"

namespace {

// Links in a contact's HTML may open a web page in the desktop's browser;
// nothing else (a file, a picture, another page) replaces the conversation.
bool IsWebLink(const std::string& Url)
{
  for (const char* scheme : {"http://", "https://", "ftp://", "mailto:"})
    if (SameText(std::string_view(Url).substr(0, std::string_view(scheme).size()), scheme))
      return true;
  return false;
}

}  // namespace

TdlgMessage::TdlgMessage(TComponent* AOwner, const THtmlFontService& Fonts, const std::string& SmileyFolder)
    : TForm(AOwner)
{
  SetCaption("Message");
  SetBounds(354, 247, 624, 462);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetColor(clBtnFace);
  OnShow = TNotifyEvent(this, &TdlgMessage::FormShow);
  OnClose = TCloseEvent(this, &TdlgMessage::FormClose);

  HtmlView1 = new THtmlView(this, Fonts);
  HtmlView1->SetName("HtmlView1");
  HtmlView1->SetParent(this);
  HtmlView1->SetAlign(alTop);
  HtmlView1->SetHeight(249);
  HtmlView1->SetDefBackground(clWhite);
  HtmlView1->SetBorderStyle(htFocused);
  HtmlView1->SetHistoryMaxCount(0);
  HtmlView1->SetDefFontName("Times New Roman");
  HtmlView1->SetDefPreFontName("Courier New");
  HtmlView1->SetNoSelect(false);
  HtmlView1->SetScrollBars(ssVertical);
  HtmlView1->SetCharSet(DEFAULT_CHARSET);
  // A contact's message must not reach the disk or the network: pictures
  // come only from the smiley folder, and no style sheet is fetched.
  TSectionList& doc = HtmlView1->SectionList();
  doc.RestrictFiles = true;
  doc.AllowedFolders.clear();
  if (!SmileyFolder.empty())
    doc.AllowedFolders.push_back(SmileyFolder);
  doc.LoadLinkedSheets = false;
  HtmlView1->OnHotSpotClick = THotSpotClickEvent(this, &TdlgMessage::ViewerHotSpotClick);

  UtxSplitter1 = new TUtxSplitter(this);
  UtxSplitter1->SetName("UtxSplitter1");
  UtxSplitter1->SetParent(this);
  UtxSplitter1->SetTop(249);
  UtxSplitter1->SetAlign(alTop);
  UtxSplitter1->SetHeight(3);

  TBWStatusBar1 = new TTBWStatusBar(this);
  TBWStatusBar1->SetName("TBWStatusBar1");
  TBWStatusBar1->SetParent(this);
  TBWStatusBar1->SetUseSystemFont(false);

  Memo1 = new TMemo(this);
  Memo1->SetName("Memo1");
  Memo1->Clear();  // naming it wrote its name as its text
  Memo1->SetParent(this);
  Memo1->SetAlign(alClient);
  Memo1->SetTabOrder(0);
  Memo1->OnChange = TNotifyEvent(this, &TdlgMessage::Memo1Change);
  UtxSplitter1->SetControlFirst(HtmlView1);
  UtxSplitter1->SetControlSecond(Memo1);

  chkXML = new TCheckBox(this);
  chkXML->SetName("chkXML");
  chkXML->SetCaption("Enregistrer la conversation");
  chkXML->SetBounds(0, 0, 146, 18);
  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetCaption("Envoyer");
  Button1->SetBounds(0, 0, 96, 18);
  Button1->OnClick = TNotifyEvent(this, &TdlgMessage::Button1Click);
  TTBWStatusPanels* panels = TBWStatusBar1->Panels();
  panels->Add()->SetStretchPriority(1);
  TTBWStatusPanel* box = panels->Add();
  box->SetControl(chkXML);
  box->SetSize(150);
  TTBWStatusPanel* send = panels->Add();
  send->SetControl(Button1);
  send->SetSize(100);

  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  Action1 = new TAction(this);
  Action1->SetName("Action1");
  Action1->SetActionList(ActionList1);
  Action1->SetShortCut(SendShortCut);
  Action1->SecondaryShortCuts()->Add(SendSecondShortCut);
  Action1->OnExecute = TNotifyEvent(this, &TdlgMessage::Action1Execute);

  TBWPopupMenu1 = new TTBWPopupMenu(this);
  TBWPopupMenu1->SetName("TBWPopupMenu1");
  TBWItem1 = AddPopupItem<TTBWItem>("TBWItem1", "Info Contact");
  TBWSeparatorItem1 = AddPopupItem<TTBWSeparatorItem>("TBWSeparatorItem1", "");
  TBWItem2 = AddPopupItem<TTBWItem>("TBWItem2", "Envoi direct");
  TBWItem3 = AddPopupItem<TTBWItem>("TBWItem3", "Envoi par le serveur");
  for (TTBWItem* way : {TBWItem2, TBWItem3}) {
    way->SetAutoCheck(true);
    way->SetGroupIndex(1);
  }
  TBWItem3->SetChecked(true);

  UtSimpleXml1 = new TUtSimpleXML(this);
  UtSimpleXml1->SetName("UtSimpleXml1");
  UtSimpleXml1->SetIndentString("  ");
  UtSimpleXml1->SetOptions(TUtSimpleXMLOptions{sxoAutoIndent});
  // The sizes above are those of a 96 pixels-per-inch screen.
  ScaleToScreen();

  FManager = TChatManager::Current();
  if (FManager)
    FManager->FormBorn(this);
}

TdlgMessage::~TdlgMessage()
{
  if (FManager)
    FManager->FormGone(this);
}

template <class TItem>
TItem* TdlgMessage::AddPopupItem(const std::string& Name, const std::string& Caption)
{
  auto* item = new TItem(this);
  item->SetName(Name);
  item->SetCaption(Caption);
  TBWPopupMenu1->Items()->Add(item);
  return item;
}

void TdlgMessage::ViewerHotSpotClick(TObject*, const std::string& Url, bool& Handled)
{
  Handled = !IsWebLink(Url) && !(Url.size() > 0 && Url[0] == '#');
}

void TdlgMessage::CreateParams(TCreateParams& Params)
{
  TForm::CreateParams(Params);
  // Each chat window stands on its own, owned by no window of the program.
  Params.WndParent = GetDesktopWindow();
}

void TdlgMessage::SetNick(const std::string& Value)
{
  Nick = Value;
  SetCaption("Messages avec " + Nick);
}

void TdlgMessage::StartConversation()
{
  Document = std::make_unique<TConversationLines>();
  for (const std::string& line : DocumentHead())
    Document->Add(line);
  SessionStart = Now();
}

void TdlgMessage::FormShow(TObject*)
{
  SetCaption("Messages avec " + Nick);
  // Showing the window again (after a minimise, or a new message) goes on
  // with the same conversation.
  if (!Document)
    StartConversation();
  Button1->SetEnabled(!Memo1->Text().empty());
  if (Memo1->CanFocus())
    Memo1->SetFocus();
}

bool TdlgMessage::FormatMessage(const std::string& Sender, std::string_view Html, TDateTime Time)
{
  try {
    TesselLog(0, "dlgmsg; Ajout de messsage");
    TesselLog(0, "dlgmsg; formatage du message en HTML");
    // A message may come before the window was first shown.
    if (!Document)
      StartConversation();
    const bool own = UpperCase(Sender) == "MOI";
    AddMessageFragment(*Document, own, Nick, Time, Html);
    TesselLog(0, "dlgmsg; Affichage du message");
    ReloadDocument();
    return true;
  } catch (...) {
    TesselLog(1, "dlgmsg; Erreur : " + FailureText());
    return false;
  }
}

void TdlgMessage::ReloadDocument()
{
  // The viewer reads the conversation where the window holds it, and only
  // the new message's fragment, when that shows what loading every line
  // would.
  HtmlView1->ShowAppendOnlyText(Document->SharedText());
  // The newest message is at the bottom.
  HtmlView1->ScrollTo(HtmlView1->DocumentHeight());
}

void TdlgMessage::SendMemo()
{
  // Nothing to send: no empty message goes to the network.
  if (Memo1->Text().empty())
    return;
  try {
    if (!FManager)
      throw Exception("Impossible de charger Corvane");
    IMessageInput& host = FManager->Host();
    host.SendToContact(&Key, Memo1->Text().c_str());
    host.ShowOwnMessage(&Key, Memo1->Text().c_str());
    Memo1->Clear();
  } catch (...) {
    // The typed text stays in the memo.
    TesselLog(1, "dlgmsg; Erreur : " + FailureText());
  }
}

void TdlgMessage::Button1Click(TObject*) { SendMemo(); }

void TdlgMessage::Action1Execute(TObject*) { SendMemo(); }

void TdlgMessage::Memo1Change(TObject*) { Button1->SetEnabled(!Memo1->Text().empty()); }

bool TdlgMessage::SaveOnClose()
{
  if (!chkXML->Checked() || !Document)
    return true;
  try {
    SaveConversation(NetworkName, Nick, SessionStart, *Document);
    FSaveFailed = false;
    FSaveFailureTold = false;
    return true;
  } catch (...) {
    const std::string reason = FailureText();
    TesselLog(1, "dlgmsg; Erreur lors de la destruction : " + reason);
    FSaveFailed = true;
    // The user hears it once, in the program's console, not at every retry.
    if (FManager && !FSaveFailureTold)
      try {
        FSaveFailureTold = true;
        FManager->Host().AddLog(("Impossible d'enregistrer la conversation avec " + Nick + " : " + reason +
                                 ". La conversation est gardée jusqu'au prochain enregistrement.")
                                    .c_str());
      } catch (...) {
        TesselLog(1, "dlgmsg; Erreur : " + FailureText());
      }
    return false;
  }
}

void TdlgMessage::SaveIfFailedBefore()
{
  if (FSaveFailed)
    SaveOnClose();
}

void TdlgMessage::FormClose(TObject*, TCloseAction& Action)
{
  TesselLog(0, "dlgmsg; Fermeture de la fenêtre");
  // A conversation that could not be saved is kept: the window only hides
  // and stays in the list, so the next message shows it again with the whole
  // conversation, and its next close (or the manager's end) saves it.
  if (!SaveOnClose())
    return;
  TesselLog(0, "dlgmsg; Effacement de la fenêtre de la liste");
  if (FManager)
    FManager->DeleteWindow(Key);
  TesselLog(0, "dlgmsg; On permet la destruction de la fenêtre");
  Action = caFree;
}
