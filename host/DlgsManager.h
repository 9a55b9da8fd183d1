// The binding of the host to the chat-window library: the library loaded by
// name, its six entry points, its window manager started and, at the end,
// stopped and the library unloaded.
#pragma once

#include <string>

#include "api/ChatLibrary.h"
#include "platform/base/Object.h"

class TDlgsManager : public TObject {
public:
  // Loads the library, looks up its entries and calls InitManager. Raises
  // Exception with the texts users see ("Impossible de charger la
  // Gestionnaire..."); a failed creation leaves nothing loaded.
  explicit TDlgsManager(const std::string& FileName);
  // Unloads the library if Unload has not.
  ~TDlgsManager() override;
  TDlgsManager(const TDlgsManager&) = delete;
  TDlgsManager& operator=(const TDlgsManager&) = delete;

  // Stops the window manager (EndManager) and frees the library; failures
  // are logged, never passed on.
  void Unload();
  bool Loaded() const { return Module != nullptr; }

  HMODULE Module = nullptr;
  TNewMessage NewMessage = nullptr;
  TInitManager InitManager = nullptr;
  TEndManager EndManager = nullptr;
  TNewMessageFromMe NewMessageFromMe = nullptr;
  TMessageIsOpen MessageIsOpen = nullptr;
  TUpdateNick UpdateNick = nullptr;

private:
  void FreeModule();
};
