// The host's message-input interface for the chat library and message
// processors, and TMessageInput, through which such a module reaches it.
#pragma once

#include <string>

#include "api/ContractTypes.h"
#include "platform/base/Interface.h"
#include "platform/base/Object.h"

// Slots 3 to 7, in this order after the three counting slots.
struct IMessageInput : IUnknown {
  static constexpr GUID IID = {};

  virtual void SendToContact(const UserID* Key, const char* Message) = 0;
  virtual void ShowOwnMessage(const UserID* Key, const char* Message) = 0;
  virtual void AddLog(const char* Line) = 0;
  virtual void GetContactName(ShortString* Result, const UserID* Key) = 0;
  virtual void GetNetworkName(ShortString* Result, const UserID* Key) = 0;

protected:
  ~IMessageInput() = default;
};

// The host export "CreateMessageInput".
using TCreateMessageInput = void (*)(IMessageInput** Intf);

// Attaches to the running host: loads it by its module name, finds its export
// "CreateMessageInput" and keeps one counted reference to a fresh
// IMessageInput. Construction raises Exception ("Impossible de charger
// Corvane", "Ce n'est pas le bon Executable Corvane") after undoing what it
// did; destruction releases the reference, then frees the host module.
class TMessageInput : public TObject {
public:
  TMessageInput();
  // Attaches to the module of that name instead of the host (tests).
  explicit TMessageInput(const std::string& HostName);
  ~TMessageInput() override;
  TMessageInput(const TMessageInput&) = delete;
  TMessageInput& operator=(const TMessageInput&) = delete;

  HMODULE HostModule = nullptr;
  TCreateMessageInput CreateEntry = nullptr;
  InterfacePtr<IMessageInput> HostInput;

private:
  void Detach();
};
