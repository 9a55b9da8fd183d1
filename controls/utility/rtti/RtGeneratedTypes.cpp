#include "controls/utility/rtti/RtGeneratedTypes.h"

#include <mutex>
#include <vector>

namespace {

struct Entry {
  std::unique_ptr<TTypeInfo> Descriptor;
  int Count = 0;
};

struct Registry {
  std::recursive_mutex Lock;
  std::vector<Entry> Entries;

  ~Registry() { Clear(); }

  int Find(PTypeInfo descriptor)
  {
    for (int i = int(Entries.size()) - 1; i >= 0; --i)
      if (Entries[std::size_t(i)].Descriptor.get() == descriptor)
        return i;
    return -1;
  }

  void Remove(PTypeInfo descriptor)
  {
    std::lock_guard guard(Lock);
    int i = Find(descriptor);
    if (i < 0)
      return;
    if (--Entries[std::size_t(i)].Count > 0)
      return;
    // The types it refers to go first; they are released as the registry's.
    if (descriptor->Kind == tkSet && descriptor->Data.CompType)
      Remove(descriptor->Data.CompType);
    else if (descriptor->Kind == tkEnumeration && EnumBaseType(descriptor) != descriptor)
      Remove(EnumBaseType(descriptor));
    i = Find(descriptor);
    if (i >= 0)
      Entries.erase(Entries.begin() + i);
  }

  void Clear()
  {
    std::lock_guard guard(Lock);
    while (!Entries.empty()) {
      PTypeInfo last = Entries.back().Descriptor.get();
      Entries.back().Count = 1;
      Remove(last);
    }
  }
};

Registry& TheRegistry()
{
  static Registry registry;
  return registry;
}

}  // namespace

PTypeInfo RtAddGeneratedTypeInfo(std::unique_ptr<TTypeInfo> Descriptor)
{
  Registry& r = TheRegistry();
  std::lock_guard guard(r.Lock);
  PTypeInfo descriptor = Descriptor.get();
  if (!descriptor)
    return nullptr;
  r.Entries.push_back(Entry{std::move(Descriptor), 1});
  return descriptor;
}

bool RtUseGeneratedTypeInfo(PTypeInfo Descriptor)
{
  Registry& r = TheRegistry();
  std::lock_guard guard(r.Lock);
  int i = r.Find(Descriptor);
  if (i < 0)
    return false;
  ++r.Entries[std::size_t(i)].Count;
  return true;
}

void RtRemoveGeneratedTypeInfo(PTypeInfo Descriptor)
{
  TheRegistry().Remove(Descriptor);
}

int RtGeneratedTypeInfoCount()
{
  Registry& r = TheRegistry();
  std::lock_guard guard(r.Lock);
  return int(r.Entries.size());
}

void RtClearGeneratedTypeInfos()
{
  TheRegistry().Clear();
}
