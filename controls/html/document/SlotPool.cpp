#include "controls/html/document/SlotPool.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A freed slot stays poisoned (but for the link to the next free one) until
// it is handed out again, so that the address checker still sees a use
// after free.
#define SLOT_POISON(Address, Size) ASAN_POISON_MEMORY_REGION(Address, Size)
#define SLOT_UNPOISON(Address, Size) ASAN_UNPOISON_MEMORY_REGION(Address, Size)
#else
#define SLOT_POISON(Address, Size) ((void)(Address), (void)(Size))
#define SLOT_UNPOISON(Address, Size) ((void)(Address), (void)(Size))
#endif

// The head of a page; its slots follow.
struct TSlotPool::TPage {
  TPage* Prev = nullptr;
  TPage* Next = nullptr;
  void* FreeList = nullptr;   // freed slots, each holding the address of the next
  std::uint32_t Used = 0;     // slots handed out and not freed
  std::uint32_t Carved = 0;   // slots from the start of the page handed out at least once
  bool Listed = false;        // in the open list
};

namespace {

constexpr std::size_t HeadSize = 48;  // a page's head, kept a multiple of 16 bytes

// Slots are at least a pointer (a free one holds the link) and keep the
// alignment any of the pooled objects needs.
std::size_t Stride(std::size_t SlotSize)
{
  const std::size_t Size = SlotSize < sizeof(void*) ? sizeof(void*) : SlotSize;
  return (Size + alignof(void*) - 1) / alignof(void*) * alignof(void*);
}

}  // namespace

TSlotPool::TSlotPool(std::size_t SlotSize)
    : FSlotSize(SlotSize), FSlotsPerPage(std::uint32_t((PageSize - HeadSize) / Stride(SlotSize)))
{
  static_assert(sizeof(TPage) <= HeadSize);
  if (FSlotsPerPage < 2)
    throw std::invalid_argument("TSlotPool: slots this large need no pool");
}

TSlotPool::~TSlotPool()
{
  if (FEmpty)
    ReleasePage(FEmpty);
}

TSlotPool::TPage* TSlotPool::NewPage()
{
  // Room in the list first, so that a failure leaves nothing behind.
  FPages.reserve(FPages.size() + 1);
  void* Memory = std::malloc(PageSize);
  if (!Memory)
    throw std::bad_alloc();
  auto* Page = new (Memory) TPage();
  FPages.insert(std::upper_bound(FPages.begin(), FPages.end(), Page, std::less<TPage*>()), Page);
  SLOT_POISON(static_cast<char*>(Memory) + HeadSize, PageSize - HeadSize);
  return Page;
}

void TSlotPool::ReleasePage(TPage* Page) noexcept
{
  FPages.erase(std::lower_bound(FPages.begin(), FPages.end(), Page, std::less<TPage*>()));
  Page->~TPage();
  SLOT_UNPOISON(Page, PageSize);
  std::free(Page);
}

TSlotPool::TPage* TSlotPool::PageOf(const void* Slot) const noexcept
{
  // The last page that starts at or before the slot.
  const auto After = std::upper_bound(FPages.begin(), FPages.end(), Slot, [](const void* S, const TPage* P) {
    return std::less<const void*>()(S, P);
  });
  return *(After - 1);
}

void TSlotPool::LinkFirst(TPage* Page) noexcept
{
  Page->Prev = nullptr;
  Page->Next = FOpen;
  if (FOpen)
    FOpen->Prev = Page;
  FOpen = Page;
  Page->Listed = true;
}

void TSlotPool::Unlink(TPage* Page) noexcept
{
  if (!Page->Listed)
    return;
  (Page->Prev ? Page->Prev->Next : FOpen) = Page->Next;
  if (Page->Next)
    Page->Next->Prev = Page->Prev;
  Page->Prev = Page->Next = nullptr;
  Page->Listed = false;
}

void* TSlotPool::Allocate()
{
  const std::size_t Step = Stride(FSlotSize);
  std::lock_guard<std::mutex> Hold(FLock);
  TPage* Page = FOpen;
  if (!Page) {
    Page = FEmpty ? FEmpty : NewPage();
    FEmpty = nullptr;
    LinkFirst(Page);
  }
  void* Slot;
  if (Page->FreeList) {
    Slot = Page->FreeList;
    SLOT_UNPOISON(Slot, Step);
    Page->FreeList = *static_cast<void**>(Slot);
  } else {
    Slot = reinterpret_cast<char*>(Page) + HeadSize + std::size_t(Page->Carved) * Step;
    SLOT_UNPOISON(Slot, Step);
    ++Page->Carved;
  }
  if (++Page->Used == FSlotsPerPage)
    Unlink(Page);  // full
  return Slot;
}

void TSlotPool::Free(void* Slot) noexcept
{
  if (!Slot)
    return;
  const std::size_t Step = Stride(FSlotSize);
  std::lock_guard<std::mutex> Hold(FLock);
  TPage* Page = PageOf(Slot);
  *static_cast<void**>(Slot) = Page->FreeList;
  Page->FreeList = Slot;
  SLOT_POISON(static_cast<char*>(Slot) + sizeof(void*), Step - sizeof(void*));
  if (Page->Used-- == FSlotsPerPage)
    LinkFirst(Page);  // was full: it has room again
  if (Page->Used > 0)
    return;
  Unlink(Page);
  if (!FEmpty) {
    FEmpty = Page;
    return;
  }
  ReleasePage(Page);
}

std::size_t TSlotPool::PageCount() const
{
  std::lock_guard<std::mutex> Hold(FLock);
  return FPages.size();
}
