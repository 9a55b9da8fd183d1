// The host's callback interface for network plug-ins, handed out by the
// host's export "CreateNetworkInput".
#pragma once

#include <cstdint>

#include "api/ContractTypes.h"
#include "platform/base/Interface.h"

class TObject;

// Slots 3 to 10, in this order after the three counting slots.
struct INetworkInput : IUnknown {
  static constexpr GUID IID = {};

  virtual void ReceiveMessage(const UserID* Key, TDateTime Time, const char* Message, MessageKind Kind) = 0;
  virtual void AddLog(const char* Line) = 0;
  virtual void RefreshStatus() = 0;
  virtual void RefreshContacts() = 0;
  virtual void UpdateNick(const UserID* Key, const ShortString* Nick) = 0;
  // Tag is the network index; ProcName names an export of Module (a
  // TPlugItemProc) that the item calls when clicked.
  virtual void AddNetworkMenuItem(std::int32_t Tag, HMODULE Module, const char* ProcName,
                                  const ShortString* Caption) = 0;
  // The first argument is ignored by the host.
  virtual void AddPopupItem(std::int32_t Unused, HMODULE Module, const char* ProcName, const ShortString* Caption) = 0;
  virtual void AddVisiblePopupItem(std::int32_t Unused, HMODULE Module, const char* ProcName,
                                   const ShortString* Caption) = 0;

protected:
  ~INetworkInput() = default;
};

// The host export "CreateNetworkInput".
using TCreateNetworkInput = void (*)(INetworkInput** Intf);

// A plug-in menu procedure: called with the main window and the clicked item,
// the way the host calls its own event handlers.
using TPlugItemProc = void (*)(TObject* MainWindow, TObject* Item);
