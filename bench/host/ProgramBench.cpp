// The program whole, headless, with the real chat library and smiley
// processor: start-up with three networks of 10 groups x 300 contacts to the
// first painted main window; a burst of messages for closed windows (queued,
// tray, tree refreshed and painted per message), and one of 100,000 with the
// time the program takes meanwhile to answer another request; a message for
// an open window that already shows 1,000, received to painted.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
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

// 100,000 messages for closed windows in one burst, spread over the
// contacts of a network, taken from the queue ten at a time (as a network
// plug-in reads its socket between two turns of the message loop), with the
// tray notice and the tree refreshed as they come. Meanwhile another thread
// asks the main window something every 10 ms and times the answer.
void BM_BurstOf100000MessagesForClosedWindows(benchmark::State& state)
{
  constexpr int Burst = 100000, PerTurn = 10;
  TProgramFolder& program = Program();
  TcorvaneMain* main = program.Start();
  main->lstMsgProc()->SetItemChecked(0, true);
  HWND window = main->Handle();
  std::vector<std::string> keys;
  for (int g = 0; g < Groups; ++g)
    for (int c = 0; c < ContactsPerGroup; c += 7)
      keys.push_back("0;" + std::to_string(g) + ";" + std::to_string(c));
  double slowestAnswer = 0;
  for (auto _ : state) {
    std::atomic<bool> bursting{true}, asked{false};
    std::atomic<double> slowest{0};
    std::thread asker([&] {
      while (bursting.load()) {
        auto start = std::chrono::steady_clock::now();
        SendMessage(window, WM_NULL, 0, 0);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (ms > slowest.load())
          slowest.store(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      asked.store(true);
    });
    for (int m = 0; m < Burst; ++m) {
      ReceiveMessage(program.Controls[0], keys[std::size_t(m) % keys.size()], "Salut :)");
      if (m % PerTurn == PerTurn - 1)
        THeadlessDisplay::PumpMessages();
    }
    bursting.store(false);
    // The asker may be waiting for an answer: the loop gives it.
    while (!asked.load())
      THeadlessDisplay::PumpMessages();
    asker.join();
    THeadlessDisplay::PumpMessages();
    state.PauseTiming();
    if (main->Core().MessageList().Total() != Burst)
      state.SkipWithError("messages were lost");
    slowestAnswer = std::max(slowestAnswer, slowest.load());
    main->Core().MessageList().Clear();
    state.ResumeTiming();
  }
  state.counters["messages"] =
      benchmark::Counter(double(state.iterations()) * Burst, benchmark::Counter::kIsRate);
  state.counters["slowest answer ms"] = slowestAnswer;
  TProgramFolder::Stop(main);
}
BENCHMARK(BM_BurstOf100000MessagesForClosedWindows)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

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
