// The chat-window manager: the list of open chat windows keyed by contact,
// and what the library's six entry points do. One manager exists from
// InitManager to EndManager; it holds the library's only attachment to the
// host (TMessageInput) and the fonts its viewers draw with. Every step is
// written to the debug log channel under "tessel.dll".
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "api/ContractTypes.h"

class TdlgMessage;
class TMessageInput;
class THtmlFontService;
struct IMessageInput;

// Writes one record to the debug log channel under "tessel.dll".
void TesselLog(BYTE Level, std::string_view Text);
// The text of the failure being handled (inside a catch block).
std::string FailureText();

struct WindowRecord {
  UserID Key;
  TdlgMessage* Form = nullptr;
};

class TChatManager {
public:
  // Fonts: the viewers' fonts (the drawing layer's when null).
  explicit TChatManager(const THtmlFontService* Fonts = nullptr);
  // Frees every window still alive, without its close handling (nothing is
  // saved), then lets go of the host.
  ~TChatManager();
  TChatManager(const TChatManager&) = delete;
  TChatManager& operator=(const TChatManager&) = delete;

  // Attaches to the running host (raises as TMessageInput does).
  void AttachHost();
  // The host's message input; raises when the manager has no host.
  IMessageInput& Host();

  // The index of the key's record, or -1 (exact comparison).
  int GetWindow(const UserID& Key);
  // Takes the key's record out of the list; its window is not touched.
  void DeleteWindow(const UserID& Key);
  // Creates, registers and shows the key's window. On failure nothing of it
  // stays: the record is taken out and the window freed, then the failure
  // is logged ("NewWindow : ...").
  void NewWindow(const UserID& Key);
  const std::vector<WindowRecord>& Windows() const { return FWindows; }
  // Frees every window, listed or waiting for its release, without its
  // close handling: nothing is saved but the conversations whose save
  // failed at their close (tried once more).
  void FreeAllWindows();

  // The entry points' work.
  bool NewMessage(const UserID& Key, TDateTime Time, std::string_view Text, MessageKind Kind);
  void NewMessageFromMe(const UserID& Key);
  bool MessageIsOpen(const UserID& Key);
  void UpdateNick(const UserID& Key, const ShortString& Nick);

  // Every chat window tells the manager of its birth and death, so that the
  // manager's end frees also the windows that closed and wait for their
  // release: none may outlive the module that holds their code.
  void FormBorn(TdlgMessage* Form);
  void FormGone(TdlgMessage* Form);

  // The manager between InitManager and EndManager, or null.
  static TChatManager* Current();
  static void SetCurrent(TChatManager* Manager);

private:
  // The window of Key, opened when there is none; raises when none can be.
  TdlgMessage* WindowFor(const UserID& Key);

  std::vector<WindowRecord> FWindows;
  std::vector<TdlgMessage*> FLiveForms;
  std::unique_ptr<TMessageInput> FHost;
  std::unique_ptr<THtmlFontService> FOwnFonts;
  const THtmlFontService* FFonts;
  std::string FSmileyFolder;
};

// The entry points' bodies, run by the module's exports inside their
// boundary: InitManager and EndManager.
void StartChatManager();
void EndChatManager();
