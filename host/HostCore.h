// The host's own logic, apart from its window: the loaded networks and
// message processors, the binding to the chat-window library, the pending
// messages, the receive path, start-up and shut-down, and what the callback
// objects do for the plug-ins. The main window owns one and lends it its
// controls through THostParts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "api/MessageProcessor.h"
#include "api/Protocols.h"
#include "host/DlgsManager.h"
#include "host/HostLog.h"
#include "host/HostParts.h"
#include "host/MessageList.h"
#include "platform/base/Object.h"

struct COPYDATASTRUCT;

class THostCore : public TObject {
public:
  explicit THostCore(const THostParts& Parts, std::string ChatLibrary = ChatLibraryFileName);
  // The window's parts may come after the core: the units that bind the
  // contact tree and the network menus need the core to exist first.
  void SetParts(const THostParts& Parts) { FParts = Parts; }
  const THostParts& Parts() const { return FParts; }
  // Shuts down first when Shutdown has not run.
  ~THostCore() override;
  THostCore(const THostCore&) = delete;
  THostCore& operator=(const THostCore&) = delete;

  // The core the host's exports and callback objects act on: the newest one
  // alive, or null.
  static THostCore* Current();

  // --- start-up and shut-down ---------------------------------------------
  // The creation step: console lines, the chat library, the networks, the
  // processors. A step that fails is reported (console line, warning dialog,
  // log) and the next steps still run. False when a step failed.
  bool Start();
  // The closing step: networks last to first with their submenus, names,
  // processors last to first, pending messages, the chat library. Every step
  // runs whatever the previous one did.
  void Shutdown();

  // --- the chat-window library ----------------------------------------------
  // Binds the library; false (and the failure's text) when it could not be.
  bool BindChatLibrary(std::string& Failure);
  // Unloads the bound library (Debug menu).
  void UnbindChatLibrary();
  bool ChatLibraryBound() const { return FManager != nullptr; }

  // --- plug-ins ---------------------------------------------------------------
  void LoadNetworks();
  void LoadMessageProcessors();
  int NetworkCount() const { return int(FNetworks.size()); }
  // The network at Index, or null outside the list.
  INetwork* Network(int Index) const;
  HMODULE NetworkModule(int Index) const;
  const std::vector<std::string>& NetworkNames() const { return FNetworkNames; }
  int ProcessorCount() const { return int(FMsgProcs.size()); }
  IMessageProcessor* Processor(int Index) const;
  // The first network whose name is exactly Name (case counts), or -1.
  int ProtocolIndex(const std::string& Name) const;

  // --- messages -----------------------------------------------------------
  // The receive path: the ticked processors in load order, then the open
  // chat window (or every window with direct display) or the pending list.
  // A key with a leading "-" is the user's own message.
  void ReceiveMessage(const UserID& Key, TDateTime Time, const char* Text, MessageKind Kind);
  // The user's own message echoed by a chat window: the receive path with
  // "-" + Key, now, kind 0. A key that leaves no room for the mark is refused.
  void ShowOwnMessage(const UserID& Key, const char* Text);
  // Replays the contact's pending messages into its chat window, oldest
  // first with their own times, and forgets those that were shown; opens
  // the window empty when none wait. Answers how many were shown.
  int OpenContact(const UserID& Key);
  // An open-chat request from another program (WM_COPYDATA); true when a
  // well-formed request was handled.
  bool HandleCopyData(const COPYDATASTRUCT& Data);
  void UpdateNick(const UserID& Key, const ShortString& Nick);

  // --- the window's state -----------------------------------------------------
  void RefreshStatus();
  void RefreshContacts();
  void AddConsoleLine(const std::string& Line);
  void AddNetworkMenuItem(int Tag, HMODULE Module, const char* ProcName, const std::string& Caption);
  void AddPopupItem(HMODULE Module, const char* ProcName, const std::string& Caption, bool Visible);
  bool DirectDisplay() const { return FDirectDisplay; }
  void SetDirectDisplay(bool Direct) { FDirectDisplay = Direct; }
  TmessageList& MessageList() { return FMessageList; }

  // Calls from plug-ins nest (a plug-in called by the host calls back, which
  // calls the plug-in again...); deeper than this they are refused.
  static constexpr int MaxCallbackDepth = 8;
  // Enters one callback; false (and a log line) when nested too deep.
  bool EnterCallback(const char* Name);
  void LeaveCallback() { --FCallbackDepth; }

  // Runs Body (a call into a plug-in); a failure is logged as "<Place> : <text>" at level 1.
  template <class F>
  bool Guard(const char* Place, F&& Body);

private:
  void LoadNetwork(const std::string& FileName);
  void FreeNetworks();
  void FreeProcessors();

  THostParts FParts;
  std::string FChatLibrary;
  std::vector<std::unique_ptr<TNetwork>> FNetworks;
  std::vector<std::string> FNetworkNames;
  std::vector<std::unique_ptr<TMessageProcessor>> FMsgProcs;
  TmessageList FMessageList;
  std::unique_ptr<TDlgsManager> FManager;
  bool FDirectDisplay = false;
  bool FShutDown = false;
  bool FRefreshing = false;
  int FCallbackDepth = 0;
};

template <class F>
bool THostCore::Guard(const char* Place, F&& Body)
{
  std::string failure;
  if (RunGuarded(Body, failure))
    return true;
  HostLog(1, std::string(Place) + " : " + failure);
  return false;
}

// Whether the platform offers the image-list packs (NT family, 5.1 or later).
bool IsWindowsXP();
