#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "controls/html/document/SlotPool.h"

namespace {

constexpr std::size_t SlotSize = 152;

}  // namespace

TEST(SlotPoolTest, SlotsAreDistinctReusedAndPagesGoBackOnceFree)
{
  TSlotPool Pool(SlotSize);
  std::vector<void*> Slots;
  // Three pages full and one slot of a fourth.
  for (std::size_t I = 0; Pool.PageCount() < 4; ++I) {
    Slots.push_back(Pool.Allocate());
    std::memset(Slots.back(), int(I & 0xFF), SlotSize);  // the whole slot is the caller's
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(Slots.back()) % alignof(void*), 0u);
  }
  EXPECT_EQ(std::set<void*>(Slots.begin(), Slots.end()).size(), Slots.size());
  EXPECT_GT(Slots.size(), 3 * (TSlotPool::PageSize / SlotSize) * 9 / 10) << "pages are nearly all slots";
  // A freed slot is the next one handed out.
  void* Freed = Slots[5];
  Pool.Free(Freed);
  EXPECT_EQ(Pool.Allocate(), Freed);
  // Freeing one slot left every other as its holder wrote it.
  for (std::size_t I = 0; I < Slots.size(); ++I)
    for (std::size_t B = 0; B < SlotSize && I != 5; ++B)
      ASSERT_EQ(static_cast<unsigned char*>(Slots[I])[B], I & 0xFF) << I;
  // Emptied pages go back, but one: making and dropping one object again
  // and again takes no page each time.
  for (void* Slot : Slots)
    Pool.Free(Slot);
  EXPECT_EQ(Pool.PageCount(), 1u);
  for (int I = 0; I < 1000; ++I)
    Pool.Free(Pool.Allocate());
  EXPECT_EQ(Pool.PageCount(), 1u);
  Pool.Free(nullptr);
}

TEST(SlotPoolTest, AnObjectOfAnotherSizeGoesToTheGeneralAllocator)
{
  TSlotPool Pool(SlotSize);
  void* Own = AllocateSlot(Pool, SlotSize);
  void* Derived = AllocateSlot(Pool, SlotSize + 40);
  EXPECT_EQ(Pool.PageCount(), 1u);
  std::memset(Derived, 0x5A, SlotSize + 40);
  FreeSlot(Pool, Derived, SlotSize + 40);
  FreeSlot(Pool, Own, SlotSize);
  EXPECT_EQ(Pool.PageCount(), 1u);
}

TEST(SlotPoolTest, ThreadsMakeAndFreeWithoutSharingASlot)
{
  TSlotPool Pool(SlotSize);
  auto Work = [&Pool](std::uint32_t Seed) {
    std::vector<std::uint32_t*> Held;
    std::uint32_t State = Seed;
    for (int Step = 0; Step < 20000; ++Step) {
      State = State * 1664525u + 1013904223u;
      if (Held.empty() || (State >> 28) < 9) {
        auto* Slot = static_cast<std::uint32_t*>(Pool.Allocate());
        std::fill_n(Slot, SlotSize / 4, Seed);
        Held.push_back(Slot);
      } else {
        const std::size_t At = (State >> 8) % Held.size();
        std::uint32_t* Slot = Held[At];
        for (std::size_t W = 0; W < SlotSize / 4; ++W)
          ASSERT_EQ(Slot[W], Seed) << "another thread wrote into this slot";
        Held[At] = Held.back();
        Held.pop_back();
        Pool.Free(Slot);
      }
    }
    for (std::uint32_t* Slot : Held)
      Pool.Free(Slot);
  };
  std::vector<std::thread> Threads;
  for (std::uint32_t T = 1; T <= 4; ++T)
    Threads.emplace_back(Work, T * 0x01010101u);
  for (std::thread& T : Threads)
    T.join();
  EXPECT_EQ(Pool.PageCount(), 1u);
}
