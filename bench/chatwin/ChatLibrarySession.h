// The chat library ("tessel.so") loaded by name as the program loads it, with
// this program as the host, on the headless display: the chat benchmarks'
// common start. The registry is a file of the benchmark's own (RegistryText
// written there), removed when the session ends.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "api/ChatLibrary.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"

class TChatLibrarySession {
public:
  HMODULE Chat = nullptr;
  TNewMessage NewMessage = nullptr;
  TEndManager EndManager = nullptr;

  // Name tells the benchmarks' registry files apart.
  explicit TChatLibrarySession(const std::string& Name, const std::string& RegistryText = "REGEDIT4\r\n\r\n")
  {
    static const bool Started = [] {
      THeadlessDisplay::Use();
      Application()->Initialize();
      return true;
    }();
    (void)Started;
    FRegistry = "/tmp/corvane-" + Name + "-" + std::to_string(getpid()) + ".reg";
    std::ofstream(FRegistry) << RegistryText;
    SetRegistryFile(FRegistry);
    Chat = LoadLibrary(ChatLibraryFileName);
    if (!Chat)
      return;
    NewMessage = reinterpret_cast<TNewMessage>(GetProcAddress(Chat, "NewMessage"));
    EndManager = reinterpret_cast<TEndManager>(GetProcAddress(Chat, "EndManager"));
    if (auto Init = reinterpret_cast<TInitManager>(GetProcAddress(Chat, "InitManager")))
      Init();
  }
  TChatLibrarySession(const TChatLibrarySession&) = delete;
  TChatLibrarySession& operator=(const TChatLibrarySession&) = delete;
  ~TChatLibrarySession()
  {
    if (EndManager)
      EndManager();
    if (Chat)
      FreeLibrary(Chat);
    SetRegistryFile("");
    std::remove(FRegistry.c_str());
  }
  bool Ready() const { return NewMessage && EndManager; }

private:
  std::string FRegistry;
};
