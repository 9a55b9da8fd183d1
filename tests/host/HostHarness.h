// A host under test: a private program folder holding copies of the test
// modules, a recorder in place of the main window's controls, an in-process
// debug console, and the THostCore itself.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/HostCore.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Path.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/fixtures/faketessel/FakeTesselControl.h"
#include "tests/fixtures/testmp/TestProcessorControl.h"
#include "tests/fixtures/testnet/TestNetworkControl.h"

struct TBalloon {
  std::string Title;
  std::string Text;
  TTrayBalloon Type;
  unsigned Timeout;
  bool Cancel;
};

// Records what the host does to its window.
class TWindowRecorder final : public IConsoleSink,
                              public ITrayIcon,
                              public IProcessorPanel,
                              public IContactTree,
                              public INetworkMenus,
                              public IWarningDialog {
public:
  struct TItem {
    int Menu;  // network index, or -1 for the popup
    std::string Caption;
    TPlugItemProc Proc;
    bool Visible;
  };

  void AddConsoleLine(const std::string& Line) override { Console.push_back(Line); }

  void SetIconIndex(int Index) override
  {
    if (FailTray)
      throw Exception("Échec simulé de l'icône");
    TrayIndexes.push_back(Index);
  }
  int IconIndex() const override { return TrayIndexes.empty() ? -1 : TrayIndexes.back(); }
  void ShowBalloonTip(const std::string& Title, const std::string& Text, TTrayBalloon Type, unsigned TimeoutMs,
                      bool CancelPrevious) override
  {
    Balloons.push_back({Title, Text, Type, TimeoutMs, CancelPrevious});
  }

  void AddProcessorLine(const std::string& Name) override { ProcessorLines.push_back({Name, false}); }
  bool ProcessorChecked(int Index) const override
  {
    return Index >= 0 && std::size_t(Index) < ProcessorLines.size() && ProcessorLines[std::size_t(Index)].second;
  }

  void SetRootCount(int Count) override { RootCount = Count; }
  void SetChildCount(int Network, int Count) override { ChildCounts[Network] = Count; }
  void ReinitNodes() override { ++Reinits; }

  void AddNetworkMenu(int Index, const std::string& Caption) override
  {
    Menus.push_back({Index, Caption});
    MenuCalls.push_back("AddNetworkMenu(" + std::to_string(Index) + ")");
  }
  void AddConfigureItem(int Index) override { MenuCalls.push_back("AddConfigureItem(" + std::to_string(Index) + ")"); }
  void RemoveNetworkMenu(int Index) override
  {
    MenuCalls.push_back("RemoveNetworkMenu(" + std::to_string(Index) + ")");
    if (FailRemoving == Index)
      throw Exception("Échec simulé du menu");
    Menus.erase(std::remove_if(Menus.begin(), Menus.end(), [&](auto& m) { return m.first == Index; }), Menus.end());
    Items.erase(std::remove_if(Items.begin(), Items.end(), [&](auto& i) { return i.Menu == Index; }), Items.end());
  }
  bool AddPluginMenuItem(int Tag, TPlugItemProc Proc, const std::string& Caption) override
  {
    if (std::none_of(Menus.begin(), Menus.end(), [&](auto& m) { return m.first == Tag; }))
      return false;
    Items.push_back({Tag, Caption, Proc, true});
    return true;
  }
  void AddPopupMenuItem(TPlugItemProc Proc, const std::string& Caption, bool Visible) override
  {
    Items.push_back({-1, Caption, Proc, Visible});
  }
  void SetNetworkImage(int Index, int Image) override { Images[Index] = Image; }

  void ShowWarning(const std::string& Text) override { Warnings.push_back(Text); }

  THostParts Parts()
  {
    return {this, this, this, this, this, this};
  }

  std::vector<std::string> Console;
  std::vector<int> TrayIndexes;
  std::vector<TBalloon> Balloons;
  std::vector<std::pair<std::string, bool>> ProcessorLines;
  int RootCount = -1;
  std::map<int, int> ChildCounts;
  int Reinits = 0;
  std::vector<std::pair<int, std::string>> Menus;
  std::vector<std::string> MenuCalls;
  std::vector<TItem> Items;
  std::map<int, int> Images;
  std::vector<std::string> Warnings;
  int FailRemoving = -1;
  bool FailTray = false;
};

// The program folder of a host under test, with the modules a test puts in it.
class THostHarness : public testing::Test {
public:
  THostHarness()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-host-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      throw std::runtime_error("no temporary folder");
    Folder = pattern + "/";
    SetProgramFolder(Folder);
    // Started from its folder, as scripts/run starts it: modules are looked
    // for in the current folder too, and conversations are saved there.
    FFormerFolder = GetCurrentDir();
    SetCurrentDir(Folder);
  }
  ~THostHarness() override
  {
    Core.reset();
    for (HMODULE module : FOwnLoads)
      FreeLibrary(module);
    SetProgramFolder("");
    SetCurrentDir(FFormerFolder);
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // Copies a built module of the real program folder into the test's folder.
  void Put(const std::string& Built, const std::string& As = "")
  {
    std::filesystem::copy_file(BuiltFolder() + Built, Folder + (As.empty() ? Built : As),
                               std::filesystem::copy_options::overwrite_existing);
  }
  void PutFile(const std::string& Name, const std::string& Content)
  {
    FILE* f = std::fopen((Folder + Name).c_str(), "wb");
    std::fwrite(Content.data(), 1, Content.size(), f);
    std::fclose(f);
  }
  void PutChatLibrary(const std::string& Built = "faketessel.so") { Put(Built, "tessel.so"); }

  // The side door of a module in the test's folder (loaded now if need be,
  // and kept loaded until the end of the test).
  template <class Control, class Entry>
  Control* ControlOf(const std::string& File, const char* Export)
  {
    HMODULE module = LoadLibrary((Folder + File).c_str());
    if (!module)
      return nullptr;
    FOwnLoads.push_back(module);
    auto entry = reinterpret_cast<Entry>(GetProcAddress(module, Export));
    return entry ? entry() : nullptr;
  }
  ITestNetworkControl* Net(const std::string& File = "testnet.net")
  {
    return ControlOf<ITestNetworkControl, TTestNetworkControlEntry>(File, "TestNetworkControl");
  }
  ITestProcessorControl* Mp(const std::string& File = "testmp.mp")
  {
    return ControlOf<ITestProcessorControl, TTestProcessorControlEntry>(File, "TestProcessorControl");
  }
  IFakeTesselControl* Chat()
  {
    return ControlOf<IFakeTesselControl, TFakeTesselControlEntry>("tessel.so", "FakeTesselControl");
  }

  THostCore& Host()
  {
    if (!Core)
      Core = std::make_unique<THostCore>(Window.Parts());
    return *Core;
  }
  THostCore& Started()
  {
    Host().Start();
    return *Core;
  }

  // The log lines of one source, texts only.
  std::vector<std::string> LogTexts(const std::string& Source = "corvane.exe", int Level = -1) const
  {
    std::vector<std::string> texts;
    for (const TCDebugLine& line : Debug.Lines)
      if (line.Source == Source && (Level < 0 || line.Level == Level))
        texts.push_back(line.Text);
    return texts;
  }
  bool Logged(const std::string& Text, int Level = -1) const
  {
    return std::any_of(Debug.Lines.begin(), Debug.Lines.end(),
                       [&](const TCDebugLine& l) { return l.Text == Text && (Level < 0 || l.Level == Level); });
  }

  static std::string BuiltFolder() { return ExtractFilePath(ProgramFileName()); }

  TCDebugWindow Debug;
  std::string Folder;
  TWindowRecorder Window;
  std::unique_ptr<THostCore> Core;

private:
  std::vector<HMODULE> FOwnLoads;
  std::string FFormerFolder;
};

// The log of a shut-down with that many networks and a bound chat library.
inline std::vector<TCDebugLine> ShutdownLog(int Networks)
{
  std::vector<TCDebugLine> lines{{"corvane.exe", 0, "Fermeture de la feuille..."},
                                 {"corvane.exe", 0, "Liberation des plug-ins réseaux"},
                                 {"main", 0, "Y a des plugins : " + std::to_string(Networks)}};
  for (int i = Networks - 1; i >= 0; --i) {
    lines.push_back({"main", 0, "Effacement du menuItem n°" + std::to_string(i)});
    lines.push_back({"main", 0, "Liberation du plug-in"});
  }
  lines.push_back({"main", 0, "Libration du Stringlist Protocols1"});
  for (const char* text : {"Liberation des plug-ins Messages", "Liberation du gestionnaire de message",
                           "(Unload)Liberation du gestionnaire de fenêtre", "Déchargement du gestionnaire de fenêtre",
                           "(Free)Liberation du gestionnaire de fenêtre", "Déchargement terminé"})
    lines.push_back({"corvane.exe", 0, text});
  return lines;
}

// A model of one network with one group of named contacts.
inline TTestNetworkModel OneGroup(const std::string& Name, std::vector<std::string> Contacts,
                                  PresenceStatus Status = psOnline)
{
  TTestNetworkModel model;
  model.Name = Name;
  model.Status = Status;
  TTestGroup group{"Amis", {}};
  for (auto& c : Contacts)
    group.Contacts.push_back({c, psOnline});
  model.Groups.push_back(group);
  return model;
}
