#include "platform/base/KernelObjects.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/base/LastError.h"

namespace {

enum class TObjectKind { Event, Thread };

struct TWaitable {
  TObjectKind Kind = TObjectKind::Event;
  bool ManualReset = true;
  bool Signaled = false;
  DWORD ExitCode = STILL_ACTIVE;
};

// One lock and one condition for every object: waits on several objects at
// once stay simple, and the objects are few.
struct TObjectTable {
  std::mutex Lock;
  std::condition_variable Changed;
  std::map<std::uintptr_t, std::shared_ptr<TWaitable>> Objects;
  std::uintptr_t NextHandle = 0x100;
};

constexpr std::size_t MaxObjects = std::size_t(1) << 20;

TObjectTable& Table()
{
  static TObjectTable* table = new TObjectTable;
  return *table;
}

HANDLE Add(std::shared_ptr<TWaitable> object)
{
  std::lock_guard guard(Table().Lock);
  if (Table().Objects.size() >= MaxObjects) {
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  }
  std::uintptr_t handle = Table().NextHandle;
  Table().NextHandle += 4;
  Table().Objects[handle] = std::move(object);
  return reinterpret_cast<HANDLE>(handle);
}

// Under the table's lock.
std::shared_ptr<TWaitable> Find(HANDLE handle)
{
  auto found = Table().Objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == Table().Objects.end() ? nullptr : found->second;
}

BOOL SetState(HANDLE event, bool signaled)
{
  std::lock_guard guard(Table().Lock);
  auto object = Find(event);
  if (!object || object->Kind != TObjectKind::Event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  object->Signaled = signaled;
  if (signaled)
    Table().Changed.notify_all();
  return TRUE;
}

void Consume(TWaitable& object)
{
  if (!object.ManualReset)
    object.Signaled = false;
}

}  // namespace

HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, LPCSTR)
{
  auto event = std::make_shared<TWaitable>();
  event->ManualReset = manualReset != FALSE;
  event->Signaled = initialState != FALSE;
  return Add(std::move(event));
}

BOOL SetEvent(HANDLE event)
{
  return SetState(event, true);
}

BOOL ResetEvent(HANDLE event)
{
  return SetState(event, false);
}

HANDLE CreateThreadObject()
{
  auto thread = std::make_shared<TWaitable>();
  thread->Kind = TObjectKind::Thread;
  return Add(std::move(thread));
}

void SignalThreadObject(HANDLE thread, DWORD exitCode)
{
  std::lock_guard guard(Table().Lock);
  if (auto object = Find(thread)) {
    object->Signaled = true;
    object->ExitCode = exitCode;
    Table().Changed.notify_all();
  }
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode)
{
  std::lock_guard guard(Table().Lock);
  auto object = Find(thread);
  if (!object || object->Kind != TObjectKind::Thread || !exitCode) {
    SetLastError(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = object->ExitCode;
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::unique_lock lock(Table().Lock);
  // The objects stay alive for the wait even when their handles are closed.
  std::vector<std::shared_ptr<TWaitable>> objects;
  for (DWORD i = 0; i < count; ++i) {
    auto object = Find(handles[i]);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    objects.push_back(std::move(object));
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    if (waitAll) {
      bool all = true;
      for (const auto& object : objects)
        all = all && object->Signaled;
      if (all) {
        for (const auto& object : objects)
          Consume(*object);
        return WAIT_OBJECT_0;
      }
    } else {
      for (DWORD i = 0; i < count; ++i)
        if (objects[i]->Signaled) {
          Consume(*objects[i]);
          return WAIT_OBJECT_0 + i;
        }
    }
    if (milliseconds == 0)
      return WAIT_TIMEOUT;
    if (milliseconds == INFINITE)
      Table().Changed.wait(lock);
    else if (Table().Changed.wait_until(lock, deadline) == std::cv_status::timeout &&
             std::chrono::steady_clock::now() >= deadline)
      milliseconds = 0;  // one last look, then time out
  }
}

BOOL CloseHandle(HANDLE handle)
{
  std::lock_guard guard(Table().Lock);
  if (Table().Objects.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
