// TdlgMessage: the window of one conversation with one contact. The HTML
// viewer above shows the whole conversation, kept as a list of HTML lines
// (the head, then seven lines per message); after each message the viewer
// shows the lines again (reading only those added where it can); under the splitter the user types into the memo; the
// status bar carries "Enregistrer la conversation" and "Envoyer". Sending goes
// to the host, which echoes the text back as the user's own message.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "api/ContractTypes.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/FormTypes.h"

class TAction;
class TActionList;
class TButton;
class TChatManager;
class TCheckBox;
class THtmlFontService;
class THtmlView;
class TMemo;
class TConversationLines;
class TTBWItem;
class TTBWPopupMenu;
class TTBWSeparatorItem;
class TTBWStatusBar;
class TUtSimpleXML;
class TUtxSplitter;

class TdlgMessage : public TForm {
public:
  // Fonts: those the viewer measures and draws with. SmileyFolder: the only
  // folder the viewer may read pictures from ("" for none).
  TdlgMessage(TComponent* AOwner, const THtmlFontService& Fonts, const std::string& SmileyFolder);
  ~TdlgMessage() override;

  UserID Key;
  std::string Nick;
  std::string NetworkName;
  TDateTime SessionStart = 0;
  // Null until the window was first shown.
  std::unique_ptr<TConversationLines> Document;

  // Appends one message (Html is already markup) and shows it in the viewer.
  // Sender "MOI" (any case) marks the user's own message. False when the
  // message could not be added (logged).
  bool FormatMessage(const std::string& Sender, std::string_view Html, TDateTime Time);
  void ReloadDocument();
  // Sets Nick and the caption "Messages avec " + Nick.
  void SetNick(const std::string& Value);

  // A window whose save failed keeps its conversation for the next save:
  // this tries it once more (the manager's end calls it).
  void SaveIfFailedBefore();

  // The manager that made the window; the window tells it of its end.
  TChatManager* Manager() const { return FManager; }
  void DetachManager() { FManager = nullptr; }

  THtmlView* HtmlView1;
  TUtxSplitter* UtxSplitter1;
  TMemo* Memo1;
  TTBWStatusBar* TBWStatusBar1;
  TCheckBox* chkXML;
  TButton* Button1;
  TActionList* ActionList1;
  TAction* Action1;
  // The contact menu: its items do nothing yet and no control opens it.
  TTBWPopupMenu* TBWPopupMenu1;
  TTBWItem* TBWItem1;
  TTBWSeparatorItem* TBWSeparatorItem1;
  TTBWItem* TBWItem2;
  TTBWItem* TBWItem3;
  TUtSimpleXML* UtSimpleXml1;

  // The handlers bound to the components.
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button1Click(TObject* Sender);
  void Action1Execute(TObject* Sender);
  void Memo1Change(TObject* Sender);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  template <class TItem>
  TItem* AddPopupItem(const std::string& Name, const std::string& Caption);
  void ViewerHotSpotClick(TObject* Sender, const std::string& Url, bool& Handled);
  void SendMemo();
  // Saves the conversation when the box is ticked; false when the save
  // failed (logged, the user told once).
  bool SaveOnClose();
  void StartConversation();

  TChatManager* FManager = nullptr;
  bool FSaveFailed = false;
  bool FSaveFailureTold = false;
};

// The text of the send shortcut and its second one.
inline constexpr WORD SendShortCut = 16397;  // Ctrl+Enter
inline constexpr const char* SendSecondShortCut = "Alt+S";
