// LresultFromObject and ObjectFromLresult: objects never leave the process,
// so the answer is a number naming a held reference.
#include <mutex>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/win/accessibility/ObjectFromWindow.h"

namespace {

// How long an answer nobody claimed keeps its object alive.
constexpr ULONGLONG UnclaimedLifetimeMs = 120000;

struct THeldObject {
  LRESULT Number;
  IUnknown* Object;  // the counted reference LresultFromObject took
  ULONGLONG Made;
};

struct TTable {
  std::mutex Lock;
  std::vector<THeldObject> Held;
  LRESULT LastNumber = 0;
};

TTable& LresultTable()
{
  static TTable* table = new TTable;  // outlives every static that may call in
  return *table;
}

// Removes the answers nobody claimed in time; the caller releases them
// outside the lock (a release may run any destructor).
void TakeExpired(TTable& table, ULONGLONG now, std::vector<IUnknown*>& expired)
{
  std::erase_if(table.Held, [&](const THeldObject& held) {
    if (now - held.Made < UnclaimedLifetimeMs)
      return false;
    expired.push_back(held.Object);
    return true;
  });
}

void ReleaseAll(const std::vector<IUnknown*>& objects)
{
  for (IUnknown* object : objects)
    object->Release();
}

bool NumberInUse(const TTable& table, LRESULT number)
{
  for (const auto& held : table.Held)
    if (held.Number == number)
      return true;
  return false;
}

}  // namespace

LRESULT LresultFromObject(REFIID iid, WPARAM, IUnknown* object)
{
  if (!object)
    return E_INVALIDARG;
  void* found = nullptr;
  const HRESULT hr = object->QueryInterface(iid, &found);
  if (FAILED(hr) || !found)
    return FAILED(hr) ? hr : E_NOINTERFACE;
  std::vector<IUnknown*> expired;
  LRESULT number = 0;
  {
    TTable& table = LresultTable();
    std::lock_guard guard(table.Lock);
    const ULONGLONG now = GetTickCount64();
    TakeExpired(table, now, expired);
    do
      number = table.LastNumber = table.LastNumber >= 0x7FFFFFFF ? 1 : table.LastNumber + 1;
    while (NumberInUse(table, number));
    table.Held.push_back({number, static_cast<IUnknown*>(found), now});
  }
  ReleaseAll(expired);
  return number;
}

HRESULT ObjectFromLresult(LRESULT result, REFIID iid, WPARAM, void** object)
{
  if (!object)
    return E_INVALIDARG;
  *object = nullptr;
  IUnknown* held = nullptr;
  std::vector<IUnknown*> expired;
  {
    TTable& table = LresultTable();
    std::lock_guard guard(table.Lock);
    for (auto it = table.Held.begin(); it != table.Held.end(); ++it)
      if (it->Number == result) {
        held = it->Object;
        table.Held.erase(it);
        break;
      }
    TakeExpired(table, GetTickCount64(), expired);
  }
  ReleaseAll(expired);
  if (!held)
    return E_INVALIDARG;
  const HRESULT hr = held->QueryInterface(iid, object);
  held->Release();
  return hr;
}
