#include "platform/base/Thread.h"

#include <deque>

#include "platform/base/Exception.h"
#include "platform/base/KernelObjects.h"
#include "platform/base/LastError.h"
#include "platform/base/ThreadId.h"

namespace {

struct TSyncRequest {
  TThreadMethod Call;
  std::exception_ptr Error;
  bool Done = false;
};

struct TSyncQueue {
  std::mutex Lock;
  std::condition_variable Done;
  std::deque<TSyncRequest*> Pending;
  TNotifyEvent Wake;
  HANDLE Event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
};

TSyncQueue& Queue()
{
  static TSyncQueue* queue = new TSyncQueue;
  return *queue;
}

}  // namespace

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
  FHandle = CreateThreadObject();
  if (!FHandle)
    throw EThread("Impossible de créer le thread : " + SysErrorMessage(GetLastError()));
  try {
    FThread = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    CloseHandle(FHandle);
    throw EThread("Impossible de créer le thread : " + SysErrorMessage(ERROR_NO_SYSTEM_RESOURCES));
  }
  // The thread reports its id before it waits to be started.
  std::unique_lock lock(FGateLock);
  FGate.wait(lock, [this] { return FThreadID != 0; });
}

TThread::~TThread()
{
  if (FThread.joinable()) {
    if (std::this_thread::get_id() == FThread.get_id()) {
      FThread.detach();  // deleted from its own Execute
    } else {
      {
        std::lock_guard lock(FGateLock);
        if (!FStarted)
          FCancelled = true;
      }
      FGate.notify_all();
      FTerminated = true;
      WaitUntilEnded();
      FThread.join();
    }
  }
  CloseHandle(FHandle);
}

void TThread::Run()
{
  {
    std::unique_lock lock(FGateLock);
    FThreadID = GetCurrentThreadId();
    FGate.notify_all();
    FGate.wait(lock, [this] { return FStarted || FCancelled; });
    if (FCancelled) {
      SignalThreadObject(FHandle);
      return;
    }
  }
  try {
    Execute();
  } catch (...) {
    FFatalException = std::current_exception();
  }
  const bool freeIt = FFreeOnTerminate;
  FFinished = true;
  SignalThreadObject(FHandle, FReturnValue);
  if (freeIt)
    delete this;
}

void TThread::AfterConstruction()
{
  if (!FCreateSuspended)
    Resume();
}

void TThread::Start()
{
  {
    std::lock_guard lock(FGateLock);
    if (FStarted || FCancelled)
      throw EThread("Impossible de démarrer un thread déjà démarré");
    FStarted = true;
  }
  FGate.notify_all();
}

void TThread::Resume()
{
  {
    std::lock_guard lock(FGateLock);
    if (FStarted || FCancelled)
      return;
    FStarted = true;
  }
  FGate.notify_all();
}

void TThread::WaitUntilEnded()
{
  if (!IsMainThread()) {
    WaitForSingleObject(FHandle, INFINITE);
    return;
  }
  const HANDLE handles[2] = {FHandle, SyncEvent()};
  while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
    CheckSynchronize();
}

DWORD TThread::WaitFor()
{
  if (FFreeOnTerminate)
    throw EThread("Impossible d'attendre un thread qui se libère lui-même");
  if (GetCurrentThreadId() == FThreadID)
    throw EThread("Un thread ne peut pas s'attendre lui-même");
  {
    std::lock_guard lock(FGateLock);
    if (!FStarted)
      throw EThread("Impossible d'attendre un thread qui n'a pas démarré");
  }
  WaitUntilEnded();
  std::lock_guard lock(FGateLock);
  if (FThread.joinable())
    FThread.join();
  return FReturnValue;
}

void TThread::Synchronize(TThread* thread, TThreadMethod method)
{
  if (!method)
    return;
  if (IsMainThread()) {
    method();
    return;
  }
  TSyncRequest request;
  request.Call = method;
  TNotifyEvent wake;
  {
    std::lock_guard lock(Queue().Lock);
    Queue().Pending.push_back(&request);
    wake = Queue().Wake;
  }
  SetEvent(Queue().Event);
  if (wake)
    wake(thread);
  std::unique_lock lock(Queue().Lock);
  Queue().Done.wait(lock, [&] { return request.Done; });
  if (request.Error)
    std::rethrow_exception(request.Error);
}

bool CheckSynchronize(DWORD timeout)
{
  if (!IsMainThread())
    return false;
  if (timeout > 0)
    WaitForSingleObject(Queue().Event, timeout);
  std::deque<TSyncRequest*> calls;
  {
    std::lock_guard lock(Queue().Lock);
    calls.swap(Queue().Pending);
    ResetEvent(Queue().Event);
  }
  for (TSyncRequest* request : calls) {
    try {
      request->Call();
    } catch (...) {
      request->Error = std::current_exception();
    }
    std::lock_guard lock(Queue().Lock);
    request->Done = true;
    Queue().Done.notify_all();
  }
  return !calls.empty();
}

void SetWakeMainThread(TNotifyEvent hook)
{
  std::lock_guard lock(Queue().Lock);
  Queue().Wake = hook;
}

HANDLE SyncEvent()
{
  return Queue().Event;
}
