// TSectionText: the characters of a finished text section. A conversation
// keeps every section it ever showed, and nearly all of their characters are
// below 256: such a text keeps one byte per character (two otherwise), in
// an allocation of exactly its size, or inside the object when it takes at
// most 12 bytes (a line break, a short line). It reads as a UTF-16 string
// does, by value; Wide gives a stretch of it as UTF-16 for the font calls.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

class TSectionText {
public:
  class const_iterator {
  public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = char16_t;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = char16_t;

    const_iterator() = default;
    const_iterator(const TSectionText* Text, std::size_t At) : FText(Text), FAt(At) {}
    char16_t operator*() const { return (*FText)[FAt]; }
    char16_t operator[](difference_type N) const { return (*FText)[std::size_t(difference_type(FAt) + N)]; }
    const_iterator& operator++() { ++FAt; return *this; }
    const_iterator operator++(int) { const_iterator Was = *this; ++FAt; return Was; }
    const_iterator& operator--() { --FAt; return *this; }
    const_iterator operator--(int) { const_iterator Was = *this; --FAt; return Was; }
    const_iterator& operator+=(difference_type N) { FAt = std::size_t(difference_type(FAt) + N); return *this; }
    const_iterator& operator-=(difference_type N) { return *this += -N; }
    friend const_iterator operator+(const_iterator I, difference_type N) { return I += N; }
    friend const_iterator operator+(difference_type N, const_iterator I) { return I += N; }
    friend const_iterator operator-(const_iterator I, difference_type N) { return I -= N; }
    friend difference_type operator-(const const_iterator& A, const const_iterator& B)
    {
      return difference_type(A.FAt) - difference_type(B.FAt);
    }
    friend bool operator==(const const_iterator& A, const const_iterator& B) { return A.FAt == B.FAt; }
    friend auto operator<=>(const const_iterator& A, const const_iterator& B) { return A.FAt <=> B.FAt; }

  private:
    const TSectionText* FText = nullptr;
    std::size_t FAt = 0;
  };

  static constexpr std::size_t npos = std::u16string::npos;

  TSectionText() = default;
  TSectionText(const TSectionText&) = delete;
  TSectionText& operator=(const TSectionText&) = delete;
  ~TSectionText() { Release(); }

  // Keeps exactly S, narrow when every character of it allows.
  void Assign(std::u16string_view S);

  std::size_t size() const { return FMeta & SizeMask; }
  bool empty() const { return size() == 0; }
  char16_t operator[](std::size_t I) const
  {
    assert(I < size());
    return (FMeta & WideFlag) ? WideChars()[I] : char16_t(NarrowChars()[I]);
  }
  char16_t back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  std::u16string Str() const { return substr(0); }
  std::u16string substr(std::size_t Pos, std::size_t Count = npos) const;
  std::size_t find(std::u16string_view Needle, std::size_t From = 0) const;
  // Characters Start..Start+Count as UTF-16: in place when the text is kept
  // wide, else widened into Scratch (valid until Scratch changes).
  const char16_t* Wide(std::size_t Start, std::size_t Count, std::u16string& Scratch) const;

  friend bool operator==(const TSectionText& A, std::u16string_view B);

private:
  // Up to this many characters a text is kept narrow: a longer one is kept
  // as the font calls read it, so that measuring a whole run of it never
  // widens a copy of a long message.
  static constexpr std::size_t NarrowLimit = 65536;
  static constexpr std::uint32_t WideFlag = 0x80000000u;
  static constexpr std::uint32_t HeapFlag = 0x40000000u;
  static constexpr std::uint32_t SizeMask = 0x3FFFFFFFu;

  void Release();
  const void* Heap() const
  {
    const void* P;
    std::memcpy(&P, FStore.Narrow, sizeof P);
    return P;
  }
  const unsigned char* NarrowChars() const
  {
    return (FMeta & HeapFlag) ? static_cast<const unsigned char*>(Heap()) : FStore.Narrow;
  }
  const char16_t* WideChars() const
  {
    return (FMeta & HeapFlag) ? static_cast<const char16_t*>(Heap()) : FStore.Wide;
  }

  // Inside the object: 12 narrow or 6 wide characters; past that, the
  // address of the allocation (kept as bytes, so that the text needs only
  // 4-byte alignment and packs with the section's other fields).
  union TStore {
    unsigned char Narrow[12];
    char16_t Wide[6];
  } FStore{};
  std::uint32_t FMeta = 0;  // the size, and whether wide and on the heap
};
