// The program whole, headless, with the real chat library and smiley
// processor: start-up with three networks of 10 groups x 300 contacts to the
// first painted main window; a burst of messages for closed windows (queued,
// tray, tree refreshed and painted per message); a message for an open
// window that already shows 1,000, received to painted.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/MainForm.h"
#include "host/ProgramBindings.h"
#include "host/ThemeLayer.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Path.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/forms/Application.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/fixtures/testnet/TestNetworkControl.h"

namespace {

constexpr int Networks = 3, Groups = 10, ContactsPerGroup = 300;

TTestNetworkModel BigNetwork(int Index)
{
  TTestNetworkModel model;
  model.Name = "Réseau " + std::to_string(Index);
  model.Status = psOnline;
  for (int g = 0; g < Groups; ++g) {
    TTestGroup group{"Groupe " + std::to_string(g), {}};
    for (int c = 0; c < ContactsPerGroup; ++c)
      group.Contacts.push_back({"Contact " + std::to_string(g) + "-" + std::to_string(c), PresenceStatus(c % 6)});
    model.Groups.push_back(group);
  }
  return model;
}

// A program folder of its own with the program's modules, three big
// networks and the smiley table; the program started from it.
class TProgramFolder {
public:
  TProgramFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
    Folder = std::string(mkdtemp(pattern.data())) + "/";
    const std::string built = ExtractFilePath(ProgramFileName());
    auto put = [&](const std::string& From, const std::string& To) {
      std::filesystem::copy_file(built + From, Folder + To);
    };
    put("tessel.so", "tessel.so");
    put("Quenbyfx.mp", "Quenbyfx.mp");
    for (int i = 0; i < Networks; ++i)
      put("testnet.net", "net" + std::to_string(i) + ".net");
    std::filesystem::copy(CORVANE_NEWSREADER_FIXTURE, Folder + "MesNews", std::filesystem::copy_options::recursive);
    std::ofstream(Folder + "registry.reg")
        << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\n\"EmplacementData\"=\"" << Folder
        << "MesNews/\"\n\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews\\init]\n\"FichierSmileys\"=\"smileys.txt\"\n";
    SetRegistryFile(Folder + "registry.reg");
    SetProgramFolder(Folder);
    SetCurrentDir(Folder);
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    Application()->Initialize();
    Themes = std::make_unique<TThemeLayerScope>();
    // Each network's model, kept by a load of the bench's own.
    for (int i = 0; i < Networks; ++i) {
      HMODULE module = LoadLibrary((Folder + "net" + std::to_string(i) + ".net").c_str());
      auto entry = reinterpret_cast<TTestNetworkControlEntry>(GetProcAddress(module, "TestNetworkControl"));
      Controls.push_back(entry());
      Controls.back()->SetModel(BigNetwork(i));
    }
  }

  // The main window made as the program makes it, shown and painted.
  TcorvaneMain* Start()
  {
    auto* main = TCustomForm::Create<TcorvaneMain>(nullptr, ProgramBindings());
    main->Show();
    THeadlessDisplay::PumpMessages();
    return main;
  }
  static void Stop(TcorvaneMain* Main)
  {
    Main->Close();
    Main->Free();
    THeadlessDisplay::PumpMessages();
  }

  std::string Folder;
  std::unique_ptr<TThemeLayerScope> Themes;
  std::vector<ITestNetworkControl*> Controls;
};

TProgramFolder& Program()
{
  static TProgramFolder program;
  return program;
}

void AddMachineContext()
{
  std::ifstream load("/proc/loadavg");
  std::string one, five, fifteen;
  load >> one >> five >> fifteen;
  benchmark::AddCustomContext("cores", std::to_string(std::thread::hardware_concurrency()));
  benchmark::AddCustomContext("load average at start", one + " " + five + " " + fifteen);
}

void BM_StartUpToFirstPaintedMainWindow(benchmark::State& state)
{
  TProgramFolder& program = Program();
  for (auto _ : state) {
    TcorvaneMain* main = program.Start();
    state.PauseTiming();
    if (main->Core().NetworkCount() != Networks || !main->Core().ChatLibraryBound())
      state.SkipWithError("the program did not start with its modules");
    TProgramFolder::Stop(main);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstPaintedMainWindow)->Unit(benchmark::kMillisecond);

void ReceiveMessage(ITestNetworkControl* Network, const std::string& Key, const std::string& Text)
{
  TTestHostCall call;
  call.Kind = TTestHostCall::ReceiveMessage;
  call.Key = Key;
  call.Text = Text;
  Network->CallHost(call);
}

// A burst for closed windows: each message is queued, changes the tray and
// refreshes the tree, which is painted before the next one comes.
void BM_BurstOfMessagesForClosedWindows(benchmark::State& state)
{
  TProgramFolder& program = Program();
  TcorvaneMain* main = program.Start();
  main->lstMsgProc()->SetItemChecked(0, true);
  for (auto _ : state) {
    for (int m = 0; m < 100; ++m) {
      ReceiveMessage(program.Controls[0], "0;" + std::to_string(m % Groups) + ";" + std::to_string(m), "Salut :)");
      THeadlessDisplay::PumpMessages();
    }
    state.PauseTiming();
    main->Core().MessageList().Clear();
    state.ResumeTiming();
  }
  state.counters["per message"] =
      benchmark::Counter(double(state.iterations()) * 100, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  TProgramFolder::Stop(main);
}
BENCHMARK(BM_BurstOfMessagesForClosedWindows)->Unit(benchmark::kMillisecond);

// One more message for a chat window that shows 1,000 already.
void BM_MessageForAnOpenWindowOf1000(benchmark::State& state)
{
  TProgramFolder& program = Program();
  TcorvaneMain* main = program.Start();
  main->lstMsgProc()->SetItemChecked(0, true);
  main->Core().SetDirectDisplay(true);
  for (int m = 0; m < 1000; ++m)
    ReceiveMessage(program.Controls[0], "0;0;1", "Message numéro " + std::to_string(m) + " :)");
  THeadlessDisplay::PumpMessages();
  // Under callgrind (--instr-atstart=no) only the timed messages are counted.
  CALLGRIND_START_INSTRUMENTATION;
  for (auto _ : state) {
    ReceiveMessage(program.Controls[0], "0;0;1", "Encore un :)");
    THeadlessDisplay::PumpMessages();
  }
  CALLGRIND_STOP_INSTRUMENTATION;
  TProgramFolder::Stop(main);
}
BENCHMARK(BM_MessageForAnOpenWindowOf1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
  benchmark::Initialize(&argc, argv);
  AddMachineContext();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
