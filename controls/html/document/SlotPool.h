// TSlotPool: slots of one size for the objects a document keeps by the ten
// thousand (text sections, blocks, font runs, pictures). A long conversation
// keeps every one it ever showed; the general allocator adds a header to each
// and rounds it up to 16 bytes, which costs a tenth of such an object. Slots
// are carved from pages of PageSize bytes, plain heap blocks (an aligned
// block would leave a gap in the heap before it, which the process keeps
// resident): a freed slot finds its page among the pages, kept in address
// order. A page whose slots are all free goes back to the
// allocator (one is kept, so that an object made and dropped again and again
// does not take and give back a page each time). Any thread may make and free
// objects: a pool is shared by every document of the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class TSlotPool {
public:
  static constexpr std::size_t PageSize = 16384;

  explicit TSlotPool(std::size_t SlotSize);
  TSlotPool(const TSlotPool&) = delete;
  TSlotPool& operator=(const TSlotPool&) = delete;
  // Pages that still hold objects stay theirs.
  ~TSlotPool();

  std::size_t SlotSize() const { return FSlotSize; }
  // A slot (throws std::bad_alloc when no page can be had).
  void* Allocate();
  // Gives back a slot that Allocate gave.
  void Free(void* Slot) noexcept;
  // Pages held, for tests and measures.
  std::size_t PageCount() const;

private:
  struct TPage;
  TPage* NewPage();
  void ReleasePage(TPage* Page) noexcept;
  TPage* PageOf(const void* Slot) const noexcept;
  void Unlink(TPage* Page) noexcept;
  void LinkFirst(TPage* Page) noexcept;

  const std::size_t FSlotSize;
  const std::uint32_t FSlotsPerPage;
  mutable std::mutex FLock;
  TPage* FOpen = nullptr;   // pages with a free or uncarved slot, most recent first
  TPage* FEmpty = nullptr;  // the one all-free page kept
  std::vector<TPage*> FPages;  // every page, in address order
};

// The pool of the objects of class T, made on first use and never destroyed
// (objects freed as the process ends still find it). A class's operator new
// and delete, defined beside its other members, are its only users, so that
// one pool serves the process.
template <class T>
TSlotPool& SlotPoolOf()
{
  static TSlotPool* Pool = new TSlotPool(sizeof(T));
  return *Pool;
}

// What a class's own operator new and delete do with its pool: an object of
// the pool's size takes a slot; one of a derived class, of another size,
// goes to the general allocator.
inline void* AllocateSlot(TSlotPool& Pool, std::size_t Size)
{
  return Size == Pool.SlotSize() ? Pool.Allocate() : ::operator new(Size);
}

inline void FreeSlot(TSlotPool& Pool, void* Object, std::size_t Size) noexcept
{
  if (Size == Pool.SlotSize())
    Pool.Free(Object);
  else
    ::operator delete(Object);
}
