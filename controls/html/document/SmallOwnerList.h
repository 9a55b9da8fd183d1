// TSmallOwnerList<T>: the objects a text section or a cell owns in order
// (font runs, pictures, a cell's sections), with room for the first one inside
// the list itself. Most sections of a conversation hold one run and at most
// one picture, and most blocks one section: they make no array, where a
// vector's one-element array costs a heap block of its own. Past one element
// the list keeps an array on the heap, as a vector does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

template <class T>
class TSmallOwnerList {
public:
  using value_type = std::unique_ptr<T>;
  using iterator = value_type*;
  using const_iterator = const value_type*;
  using reverse_iterator = std::reverse_iterator<iterator>;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  TSmallOwnerList() { new (&FInline) value_type(); }
  TSmallOwnerList(const TSmallOwnerList&) = delete;
  TSmallOwnerList& operator=(const TSmallOwnerList&) = delete;
  ~TSmallOwnerList()
  {
    clear();
    if (OnHeap())
      std::allocator<value_type>().deallocate(FHeap, FCapacity);
    else
      FInline.~value_type();
  }

  std::size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  iterator begin() { return Data(); }
  iterator end() { return Data() + FSize; }
  const_iterator begin() const { return Data(); }
  const_iterator end() const { return Data() + FSize; }
  reverse_iterator rbegin() { return reverse_iterator(end()); }
  reverse_iterator rend() { return reverse_iterator(begin()); }
  const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
  std::size_t capacity() const { return Capacity(); }
  value_type& operator[](std::size_t I) { return Data()[I]; }
  const value_type& operator[](std::size_t I) const { return Data()[I]; }
  value_type& at(std::size_t I) { return Data()[Checked(I)]; }
  const value_type& at(std::size_t I) const { return Data()[Checked(I)]; }
  value_type& front() { return Data()[0]; }
  const value_type& front() const { return Data()[0]; }
  value_type& back() { return Data()[FSize - 1]; }
  const value_type& back() const { return Data()[FSize - 1]; }

  void push_back(value_type&& Item)
  {
    if (FSize == Capacity())
      Reallocate(FSize == 0 ? 1 : 2 * std::size_t(FSize));
    if (OnHeap())
      new (FHeap + FSize) value_type(std::move(Item));
    else
      FInline = std::move(Item);
    ++FSize;
  }
  // Frees the object at Position; the later ones move up.
  iterator erase(const_iterator Position)
  {
    const std::size_t At = std::size_t(Position - Data());
    value_type* Items = Data();
    for (std::size_t I = At; I + 1 < FSize; ++I)
      Items[I] = std::move(Items[I + 1]);
    --FSize;
    if (OnHeap())
      Items[FSize].~value_type();
    else
      FInline.reset();
    return Items + At;
  }
  // Frees the objects, the last first.
  void clear()
  {
    while (FSize > 0)
      erase(end() - 1);
  }
  // Makes room for Room objects at least, so that a caller can choose how a
  // long list grows.
  void reserve(std::size_t Room)
  {
    if (Room > Capacity())
      Reallocate(Room);
  }
  // Drops the room the list does not use (back inside the list for one).
  void shrink_to_fit()
  {
    if (OnHeap() && FSize < FCapacity)
      Reallocate(FSize);
  }

private:
  bool OnHeap() const { return FCapacity > 1; }
  std::size_t Capacity() const { return OnHeap() ? FCapacity : 1; }
  value_type* Data() { return OnHeap() ? FHeap : &FInline; }
  const value_type* Data() const { return OnHeap() ? FHeap : &FInline; }
  std::size_t Checked(std::size_t I) const
  {
    if (I >= FSize)
      throw std::out_of_range("TSmallOwnerList::at");
    return I;
  }
  // Moves the objects into room for Room of them: inside the list for one
  // or none, else a heap array of exactly that many.
  void Reallocate(std::size_t Room)
  {
    value_type* Old = Data();
    const bool WasOnHeap = OnHeap();
    const std::uint32_t OldCapacity = FCapacity;
    if (Room <= 1) {
      value_type Kept = FSize ? std::move(Old[0]) : value_type();
      for (std::size_t I = 0; I < FSize; ++I)
        Old[I].~value_type();
      std::allocator<value_type>().deallocate(Old, OldCapacity);
      new (&FInline) value_type(std::move(Kept));
      FCapacity = 1;
      return;
    }
    value_type* New = std::allocator<value_type>().allocate(Room);
    for (std::size_t I = 0; I < FSize; ++I) {
      new (New + I) value_type(std::move(Old[I]));
      Old[I].~value_type();
    }
    if (WasOnHeap)
      std::allocator<value_type>().deallocate(Old, OldCapacity);
    else if (FSize == 0)
      FInline.~value_type();  // the inline slot, empty, ends as the array takes over
    FHeap = New;
    FCapacity = std::uint32_t(Room);
  }

  union {
    value_type FInline;  // the one object while the capacity is 1
    value_type* FHeap;   // the array past that
  };
  std::uint32_t FSize = 0;
  std::uint32_t FCapacity = 1;
};

// Frees the objects of List for which Matches holds, keeping the others in
// order; returns how many went (as the standard erase_if does for a vector).
template <class T, class TMatch>
std::size_t erase_if(TSmallOwnerList<T>& List, TMatch Matches)
{
  std::size_t Erased = 0;
  for (std::size_t I = List.size(); I-- > 0;)
    if (Matches(List[I])) {
      List.erase(List.begin() + I);
      ++Erased;
    }
  return Erased;
}
