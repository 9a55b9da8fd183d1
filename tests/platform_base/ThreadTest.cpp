#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/CriticalSection.h"
#include "platform/base/Exception.h"
#include "platform/base/Interlocked.h"
#include "platform/base/KernelObjects.h"
#include "platform/base/LastError.h"
#include "platform/base/Thread.h"
#include "platform/base/ThreadApi.h"
#include "platform/base/ThreadId.h"
#include "platform/base/ThreadList.h"

namespace {

// Runs a function on its own thread; the test waits for it.
class TFunctionThread : public TThread {
public:
  template <class F>
  explicit TFunctionThread(F body, bool suspended = true) : TThread(suspended), FBody(std::move(body))
  {
  }
  ~TFunctionThread() override
  {
    if (!Suspended() && !FreeOnTerminate()) {
      Terminate();
      WaitFor();
    }
  }
  using TThread::Synchronize;
  using TThread::Terminated;
  using TThread::SetReturnValue;

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(TFunctionThread&)> FBody;
};

// Signals an event from its destructor, so the test sees the thread free itself.
class TSelfFreeing : public TThread {
public:
  explicit TSelfFreeing(HANDLE freed) : TThread(true), FFreed(freed) {}
  ~TSelfFreeing() override { SetEvent(FFreed); }

protected:
  void Execute() override {}

private:
  HANDLE FFreed;
};

struct TRecorder {
  DWORD RanOn = 0;
  void Record() { RanOn = GetCurrentThreadId(); }
  void Fail() { throw EConvertError("pas un nombre"); }
};

}  // namespace

TEST(Events, AutomaticAndManualReset)
{
  HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, "ignored name");
  ASSERT_NE(automatic, nullptr);
  ASSERT_NE(manual, nullptr);

  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // reset by the wait
  EXPECT_EQ(WaitForSingleObject(manual, 20), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, INFINITE), WAIT_OBJECT_0);  // stays set
  EXPECT_TRUE(ResetEvent(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

  HANDLE both[2] = {automatic, manual};
  SetEvent(manual);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), WAIT_TIMEOUT);  // not all
  SetEvent(automatic);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0);  // the lowest index
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
  SetEvent(automatic);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);

  EXPECT_TRUE(CloseHandle(automatic));
  EXPECT_TRUE(CloseHandle(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(SetEvent(manual));
  EXPECT_FALSE(CloseHandle(manual));
}

TEST(Events, WakeAWaitingThread)
{
  HANDLE go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  TFunctionThread waiter([&](TFunctionThread&) {
    if (WaitForSingleObject(go, INFINITE) == WAIT_OBJECT_0)
      SetEvent(done);
  });
  waiter.Start();
  EXPECT_EQ(WaitForSingleObject(done, 20), WAIT_TIMEOUT);
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(waiter.Handle(), INFINITE), WAIT_OBJECT_0);  // thread handles are waitable
  EXPECT_FALSE(SetEvent(waiter.Handle()));  // but are no events
  CloseHandle(go);
  CloseHandle(done);
}

namespace {
DWORD PaceFrames(void* parameter)
{
  auto* stop = static_cast<LONG volatile*>(parameter);
  DWORD frames = 0;
  while (InterlockedCompareExchange(stop, 0, 0) == 0 && frames < 1000000)
    ++frames;
  return 77;
}
}  // namespace

TEST(ThreadApi, CreatedSuspendedRunsAfterResume)
{
  LONG stop = 0;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &PaceFrames, const_cast<LONG*>(&stop), CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());
  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(ResumeThread(thread), 0u);
  InterlockedExchange(&stop, -1);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 77u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(ResumeThread(thread), 0xFFFFFFFFu);
}

TEST(Thread, SuspendedStartAndReturnValue)
{
  std::atomic<DWORD> seenId{0};
  TFunctionThread thread([&](TFunctionThread& self) {
    seenId = GetCurrentThreadId();
    self.SetReturnValue(5);
  });
  EXPECT_TRUE(thread.Suspended());
  EXPECT_NE(thread.ThreadID(), 0u);
  EXPECT_NE(thread.ThreadID(), GetCurrentThreadId());
  EXPECT_EQ(WaitForSingleObject(thread.Handle(), 20), WAIT_TIMEOUT);  // does not run yet
  EXPECT_EQ(seenId, 0u);
  thread.SetPriority(tpHigher);
  thread.Start();
  EXPECT_THROW(thread.Start(), EThread);
  EXPECT_EQ(thread.WaitFor(), 5u);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread.Handle(), &code));
  EXPECT_EQ(code, 5u);
  EXPECT_EQ(seenId, thread.ThreadID());
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(thread.Priority(), tpHigher);
}

TEST(Thread, TerminateEndsALoopAndExceptionsAreKept)
{
  TFunctionThread looping([](TFunctionThread& self) {
    while (!self.Terminated())
      Sleep(1);
  });
  looping.Start();
  looping.Terminate();
  looping.WaitFor();
  EXPECT_FALSE(looping.FatalException());

  TFunctionThread failing([](TFunctionThread&) { throw std::runtime_error("boom"); });
  failing.Start();
  failing.WaitFor();
  EXPECT_TRUE(failing.FatalException());
}

TEST(Thread, CreatedRunningOrNeverStarted)
{
  std::atomic<bool> ran{false};
  auto* running = TThread::Create<TFunctionThread>([&](TFunctionThread&) { ran = true; }, false);
  running->WaitFor();
  EXPECT_TRUE(ran);
  delete running;

  std::atomic<bool> ranUnstarted{false};
  auto* unstarted = new TFunctionThread([&](TFunctionThread&) { ranUnstarted = true; });
  EXPECT_THROW(unstarted->WaitFor(), EThread);
  delete unstarted;  // ends the waiting thread without running Execute
  EXPECT_FALSE(ranUnstarted);
}

TEST(Thread, FreeOnTerminateDeletesTheObject)
{
  HANDLE freed = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  auto* thread = new TSelfFreeing(freed);
  thread->SetFreeOnTerminate(true);
  EXPECT_THROW(thread->WaitFor(), EThread);
  thread->Start();
  EXPECT_EQ(WaitForSingleObject(freed, INFINITE), WAIT_OBJECT_0);
  CloseHandle(freed);
}

TEST(Thread, SynchronizeRunsOnTheMainThread)
{
  ASSERT_TRUE(IsMainThread());
  TRecorder recorder;
  std::atomic<bool> failureSeen{false};
  TFunctionThread worker([&](TFunctionThread& self) {
    self.Synchronize(TThreadMethod(&recorder, &TRecorder::Record));
    try {
      self.Synchronize(TThreadMethod(&recorder, &TRecorder::Fail));
    } catch (const EConvertError&) {
      failureSeen = true;
    }
  });
  worker.Start();
  worker.WaitFor();  // runs the queued calls while it waits
  EXPECT_EQ(recorder.RanOn, GetCurrentThreadId());
  EXPECT_TRUE(failureSeen);

  // On the main thread itself, the call runs at once.
  recorder.RanOn = 0;
  TThread::Synchronize(nullptr, TThreadMethod(&recorder, &TRecorder::Record));
  EXPECT_EQ(recorder.RanOn, MainThreadID());
}

namespace {
HANDLE WokenEvent = nullptr;
TObject* WokenBy = nullptr;
void Wake(TObject* sender)
{
  WokenBy = sender;
  SetEvent(WokenEvent);
}
}  // namespace

TEST(Thread, WakeMainThreadHookAndCheckSynchronize)
{
  WokenEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  SetWakeMainThread(TNotifyEvent(&Wake));
  TRecorder recorder;
  TFunctionThread worker([&](TFunctionThread& self) { self.Synchronize(TThreadMethod(&recorder, &TRecorder::Record)); });
  worker.Start();
  ASSERT_EQ(WaitForSingleObject(WokenEvent, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WokenBy, &worker);
  EXPECT_TRUE(CheckSynchronize(INFINITE));
  EXPECT_EQ(recorder.RanOn, MainThreadID());
  worker.WaitFor();
  EXPECT_FALSE(CheckSynchronize());
  SetWakeMainThread(nullptr);
  CloseHandle(WokenEvent);
}

TEST(CriticalSection, ExcludesOtherThreadsAndNests)
{
  TCriticalSection section;
  long counter = 0;  // plain on purpose: only the section protects it
  auto body = [&](TFunctionThread&) {
    for (int i = 0; i < 20000; ++i) {
      section.Enter();
      section.Enter();  // the owner may enter again
      ++counter;
      section.Leave();
      section.Leave();
    }
  };
  std::vector<std::unique_ptr<TFunctionThread>> threads;
  for (int i = 0; i < 4; ++i)
    threads.push_back(std::make_unique<TFunctionThread>(body));
  for (auto& t : threads)
    t->Start();
  for (auto& t : threads)
    t->WaitFor();
  EXPECT_EQ(counter, 80000);

  section.Acquire();
  std::atomic<int> otherGotIt{-1};
  TFunctionThread other([&](TFunctionThread&) {
    otherGotIt = section.TryEnter() ? 1 : 0;
  });
  other.Start();
  other.WaitFor();
  section.Release();
  EXPECT_EQ(otherGotIt, 0);
}

TEST(Interlocked, OperationsAndTheirResults)
{
  LONG value = 10;
  EXPECT_EQ(InterlockedIncrement(&value), 11);
  EXPECT_EQ(InterlockedDecrement(&value), 10);
  EXPECT_EQ(InterlockedExchange(&value, 3), 10);
  EXPECT_EQ(InterlockedCompareExchange(&value, 8, 4), 3);  // no match: unchanged
  EXPECT_EQ(value, 3);
  EXPECT_EQ(InterlockedCompareExchange(&value, 8, 3), 3);
  EXPECT_EQ(value, 8);
  EXPECT_EQ(InterlockedExchangeAdd(&value, 2), 8);
  EXPECT_EQ(value, 10);

  LONG shared = 0;
  auto body = [&](TFunctionThread&) {
    for (int i = 0; i < 20000; ++i)
      InterlockedIncrement(&shared);
  };
  TFunctionThread a(body), b(body), c(body);
  a.Start();
  b.Start();
  c.Start();
  a.WaitFor();
  b.WaitFor();
  c.WaitFor();
  EXPECT_EQ(shared, 60000);
}

TEST(ThreadList, DuplicatesAndLocking)
{
  int a = 0, b = 0;
  struct Case {
    TDuplicates mode;
    int count;
    bool raises;
  } cases[] = {{dupIgnore, 2, false}, {dupAccept, 3, false}, {dupError, 2, true}};
  for (const auto& c : cases) {
    TThreadList list;
    list.SetDuplicates(c.mode);
    list.Add(&a);
    list.Add(&b);
    if (c.raises)
      EXPECT_THROW(list.Add(&a), EListError);
    else
      list.Add(&a);
    EXPECT_EQ(list.LockList()->Count(), c.count);
    list.UnlockList();  // also after the exception: the lock was given back
  }

  TThreadList shared;
  TList* held = shared.LockList();
  std::atomic<bool> added{false};
  TFunctionThread adder([&](TFunctionThread&) {
    shared.Add(&a);
    added = true;
  });
  adder.Start();
  Sleep(20);
  EXPECT_FALSE(added);  // waits for the lock
  EXPECT_EQ(held->Count(), 0);
  shared.UnlockList();
  adder.WaitFor();
  EXPECT_TRUE(added);
  EXPECT_EQ(shared.LockList()->IndexOf(&a), 0);
  shared.UnlockList();
  shared.Remove(&a);
  shared.Clear();
  EXPECT_EQ(shared.LockList()->Count(), 0);
  shared.UnlockList();
}

// The process id is asked anew: a forked child answers its own.
TEST(ProcessId, AForkedChildHasItsOwn)
{
  DWORD parent = GetCurrentProcessId();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    DWORD mine = GetCurrentProcessId();
    ssize_t written = write(fds[1], &mine, sizeof mine);
    _exit(written == sizeof mine ? 0 : 1);
  }
  DWORD reported = 0;
  ASSERT_EQ(read(fds[0], &reported, sizeof reported), ssize_t(sizeof reported));
  waitpid(child, nullptr, 0);
  close(fds[0]);
  close(fds[1]);
  EXPECT_EQ(reported, DWORD(child));
  EXPECT_NE(reported, parent);
}
