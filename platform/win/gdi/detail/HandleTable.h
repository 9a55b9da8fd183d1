// A checked table of handles: a handle value packs a table tag, a slot index
// and the slot's generation, so a stale value (its slot reused or freed) or a
// value of another table is refused, never dereferenced. One lock per table:
// handles may be made and looked up from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/win/gdi/detail/SpinLock.h"

template <class T>
class THandleTable {
public:
  explicit THandleTable(std::uint8_t tag) : FTag(tag) {}

  std::uintptr_t Add(std::shared_ptr<T> object)
  {
    std::lock_guard<TSpinLock> lock(FLock);
    std::uint32_t index;
    if (!FFree.empty()) {
      index = FFree.back();
      FFree.pop_back();
    } else {
      index = std::uint32_t(FSlots.size());
      FSlots.push_back({});
    }
    FSlots[index].Object = std::move(object);
    return Encode(index, FSlots[index].Generation);
  }

  std::shared_ptr<T> Get(std::uintptr_t handle) const
  {
    std::lock_guard<TSpinLock> lock(FLock);
    std::uint32_t index;
    if (!Decode(handle, index))
      return nullptr;
    return FSlots[index].Object;
  }

  // Takes the object out of the table; null when the handle is not valid.
  std::shared_ptr<T> Remove(std::uintptr_t handle)
  {
    std::lock_guard<TSpinLock> lock(FLock);
    std::uint32_t index;
    if (!Decode(handle, index))
      return nullptr;
    auto object = std::move(FSlots[index].Object);
    FSlots[index].Object = nullptr;
    FSlots[index].Generation = (FSlots[index].Generation + 1) & 0xFFFFFF;
    if (FSlots[index].Generation == 0)
      FSlots[index].Generation = 1;
    FFree.push_back(index);
    return object;
  }

  std::size_t Count() const
  {
    std::lock_guard<TSpinLock> lock(FLock);
    return FSlots.size() - FFree.size();
  }

private:
  struct TSlot {
    std::shared_ptr<T> Object;
    std::uint32_t Generation = 1;
  };

  std::uintptr_t Encode(std::uint32_t index, std::uint32_t generation) const
  {
    return (std::uintptr_t(FTag) << 56) | (std::uintptr_t(generation) << 24) | std::uintptr_t(index + 1);
  }
  bool Decode(std::uintptr_t handle, std::uint32_t& index) const
  {
    if ((handle >> 56) != FTag)
      return false;
    std::uint32_t low = std::uint32_t(handle & 0xFFFFFF);
    std::uint32_t generation = std::uint32_t((handle >> 24) & 0xFFFFFFFF);
    if (low == 0 || low > FSlots.size())
      return false;
    index = low - 1;
    return FSlots[index].Object && FSlots[index].Generation == generation;
  }

  std::uint8_t FTag;
  mutable TSpinLock FLock;
  std::vector<TSlot> FSlots;
  std::vector<std::uint32_t> FFree;
};
