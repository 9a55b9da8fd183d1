// TThread: the class library's thread object. A derived class overrides
// Execute, which runs on a thread of its own and should return soon after
// Terminated() becomes true.
//
// Creation: the thread exists from the constructor on, waiting; it runs
// Execute once Start (or Resume) is called. C++ cannot run code after the most
// derived constructor by itself, so a thread created not suspended starts in
// AfterConstruction(): create such threads with TThread::Create<T>(...), which
// calls it. A thread that is never started is simply ended by the destructor.
//
// Destruction: the destructor terminates the thread and waits for it. Members
// of the derived class are gone by then, so a derived class whose Execute uses
// them calls Terminate() and WaitFor() in its own destructor. With
// FreeOnTerminate the thread deletes its object when Execute returns; nobody
// else may delete it or wait for it then.
//
// Synchronize runs a call on the main thread while the calling thread waits:
// directly when called on the main thread; otherwise the call is queued, the
// WakeMainThread hook (set by the class library's application) wakes the main
// loop, and the main thread runs the queue in CheckSynchronize. WaitFor on the
// main thread runs queued calls while it waits, so a worker that synchronizes
// while the main thread waits for it cannot dead-lock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/base/Method.h"
#include "platform/base/Object.h"
#include "platform/base/Types.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = Method<void()>;

class TThread : public TObject {
public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // new T(args...), then AfterConstruction: the way to create a thread that
  // runs at once.
  template <class T, class... Args>
  static T* Create(Args&&... args)
  {
    T* thread = new T(std::forward<Args>(args)...);
    thread->AfterConstruction();
    return thread;
  }
  // Starts the thread when it was created not suspended.
  void AfterConstruction();

  // Lets a suspended thread run Execute. Raises EThread when it already runs.
  void Start();
  // Start, for a thread that has not started yet; nothing otherwise.
  void Resume();
  // Asks Execute to end (it reads Terminated()).
  void Terminate() { FTerminated = true; }
  // Waits until Execute has returned and gives ReturnValue.
  DWORD WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  // A waitable handle, signalled once the thread has ended.
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  // Accepted and kept; every thread runs at the normal priority.
  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority value) { FPriority = value; }
  bool Suspended() const { return !FStarted; }
  bool Finished() const { return FFinished; }
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return FFatalException; }

  static void Synchronize(TThread* thread, TThreadMethod method);

protected:
  virtual void Execute() = 0;
  void Synchronize(TThreadMethod method) { Synchronize(this, method); }
  bool Terminated() const { return FTerminated; }
  DWORD ReturnValue() const { return FReturnValue; }
  void SetReturnValue(DWORD value) { FReturnValue = value; }

private:
  void Run();
  void WaitUntilEnded();

  std::thread FThread;
  std::mutex FGateLock;
  std::condition_variable FGate;
  bool FStarted = false;
  bool FCancelled = false;
  bool FCreateSuspended;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<DWORD> FReturnValue{0};
  std::exception_ptr FFatalException;
  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  TThreadPriority FPriority = tpNormal;
};

// Runs the calls that threads queued with Synchronize, on the main thread;
// waits up to timeout milliseconds for one to arrive. Returns whether any ran.
// Does nothing on another thread.
bool CheckSynchronize(DWORD timeout = 0);
// Called each time a call is queued (Sender: the thread), so that the main
// loop wakes and calls CheckSynchronize. Set by the class library.
void SetWakeMainThread(TNotifyEvent hook);
// An event signalled while calls are queued, for loops that wait on handles.
HANDLE SyncEvent();
