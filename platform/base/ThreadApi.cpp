#include "platform/base/ThreadApi.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/base/LastError.h"
#include "platform/base/ThreadId.h"

namespace {

// What a suspended thread waits on until ResumeThread.
struct TGate {
  std::mutex Lock;
  std::condition_variable Opened;
  bool Open = false;
  DWORD Id = 0;
};

struct TSuspendedThreads {
  std::mutex Lock;
  std::map<HANDLE, std::shared_ptr<TGate>> Gates;
};

TSuspendedThreads& Suspended()
{
  static TSuspendedThreads* threads = new TSuspendedThreads;
  return *threads;
}

}  // namespace

HANDLE CreateThread(void*, std::size_t, LPTHREAD_START_ROUTINE startAddress, void* parameter, DWORD creationFlags,
                    DWORD* threadId)
{
  if (!startAddress) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HANDLE handle = CreateThreadObject();
  if (!handle)
    return nullptr;
  auto gate = std::make_shared<TGate>();
  gate->Open = (creationFlags & CREATE_SUSPENDED) == 0;
  if (!gate->Open) {
    std::lock_guard guard(Suspended().Lock);
    Suspended().Gates[handle] = gate;
  }
  try {
    std::thread([gate, handle, startAddress, parameter] {
      {
        std::unique_lock lock(gate->Lock);
        gate->Id = GetCurrentThreadId();
        gate->Opened.notify_all();
        gate->Opened.wait(lock, [&] { return gate->Open; });
      }
      SignalThreadObject(handle, startAddress(parameter));
    }).detach();
  } catch (const std::system_error&) {
    {
      std::lock_guard guard(Suspended().Lock);
      Suspended().Gates.erase(handle);
    }
    CloseHandle(handle);
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  }
  std::unique_lock lock(gate->Lock);
  gate->Opened.wait(lock, [&] { return gate->Id != 0; });
  if (threadId)
    *threadId = gate->Id;
  return handle;
}

DWORD ResumeThread(HANDLE thread)
{
  DWORD code = 0;
  if (!GetExitCodeThread(thread, &code)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0xFFFFFFFF;
  }
  std::shared_ptr<TGate> gate;
  {
    std::lock_guard guard(Suspended().Lock);
    auto found = Suspended().Gates.find(thread);
    if (found != Suspended().Gates.end()) {
      gate = found->second;
      Suspended().Gates.erase(found);
    }
  }
  if (!gate)
    return 0;  // running or ended: not suspended
  {
    std::lock_guard lock(gate->Lock);
    gate->Open = true;
  }
  gate->Opened.notify_all();
  return 1;
}
