// The pending-message list at the size of a busy day: 10,000 contacts with
// 10 messages each. Every operation logs as it does in the program (no debug
// console runs: each line costs the look-up of the console window).
#include <benchmark/benchmark.h>

#include <string>

#include "host/MessageList.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"

namespace {

constexpr int Users = 10000;
constexpr int MessagesPerUser = 10;

UserID KeyOf(int user)
{
  return UserID("0;" + std::to_string(user / 100) + ";" + std::to_string(user % 100));
}

struct TFilledList {
  TmessageList List;
  TFilledList()
  {
    for (int user = 0; user < Users; ++user)
      for (int m = 0; m < MessagesPerUser; ++m)
        List.Add(KeyOf(user), "Un message en attente de lecture", 45000.0 + m, mkText);
  }
};

TFilledList& Filled()
{
  static TFilledList filled;
  return filled;
}

void BM_MessageListAddToLastUser(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  const UserID key = KeyOf(Users - 1);
  for (auto _ : state)
    list.Add(key, "Encore un message", 45001.0, mkText);
  // Back to ten messages for the next run (outside the timed loop).
  list.DeleteUser(key);
  for (int m = 0; m < MessagesPerUser; ++m)
    list.Add(key, "Un message en attente de lecture", 45000.0 + m, mkText);
}
BENCHMARK(BM_MessageListAddToLastUser)->Unit(benchmark::kMicrosecond);

void BM_MessageListAddNewUserThenDeleteIt(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  const UserID key("1;0;0");
  for (auto _ : state) {
    list.Add(key, "Premier message", 45001.0, mkText);
    list.DeleteUser(key);
  }
}
BENCHMARK(BM_MessageListAddNewUserThenDeleteIt)->Unit(benchmark::kMicrosecond);

void BM_MessageListDeleteMiddleUser(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  const UserID key = KeyOf(Users / 2);
  for (auto _ : state) {
    list.DeleteUser(key);
    state.PauseTiming();
    for (int m = 0; m < MessagesPerUser; ++m)
      list.Add(key, "Un message en attente de lecture", 45000.0 + m, mkText);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MessageListDeleteMiddleUser)->Unit(benchmark::kMicrosecond);

void BM_MessageListCountLastUser(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  const UserID key = KeyOf(Users - 1);
  for (auto _ : state)
    benchmark::DoNotOptimize(list.Count(key));
}
BENCHMARK(BM_MessageListCountLastUser)->Unit(benchmark::kMicrosecond);

void BM_MessageListGetTextLastUser(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  const UserID key = KeyOf(Users - 1);
  for (auto _ : state)
    benchmark::DoNotOptimize(list.GetText(MessagesPerUser - 1, key));
}
BENCHMARK(BM_MessageListGetTextLastUser)->Unit(benchmark::kMicrosecond);

void BM_MessageListTotal(benchmark::State& state)
{
  TmessageList& list = Filled().List;
  for (auto _ : state)
    benchmark::DoNotOptimize(list.Total());
}
BENCHMARK(BM_MessageListTotal)->Unit(benchmark::kMicrosecond);

}  // namespace
