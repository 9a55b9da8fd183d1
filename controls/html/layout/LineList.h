// LineRec and TLineList: the lines of a text section's last layout. A
// conversation keeps every section it ever showed, and nearly every one lays
// out as one line: the list holds that one inside itself (a one-line array
// would cost a heap block per section); past one, its one allocation holds
// exactly the lines of the last layout. A layout that finds as many lines as
// the one before (a reload, a change of width that moves no line end) reuses
// it without allocating.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

// One line of the last layout. Every field is a full int: a line's height
// takes an image's, and document coordinates pass 32767 in a long
// conversation. How far down a line reaches is its box: every line is laid
// out with it, so it is computed, not kept.
struct LineRec {
  int Start = 0;  // index of the first character in the section's text
  int LeadAbove = 0;
  int LeadBelow = 0;
  int TextHeight = 0;
  int CharsInLine = 0;
  int MaxDescent = 0;
  int OffsetX = 0;
  int PaintY = 0;
  int PaintX = 0;
  int RoomWidth = 0;
  int SpaceCount = 0;
  int SpareWidth = 0;
  int BoxHeight() const { return LeadAbove + TextHeight + LeadBelow; }
};

class TLineList {
public:
  TLineList() : FInline(), FCount(0), FOnHeap(0) {}
  TLineList(const TLineList&) = delete;
  TLineList& operator=(const TLineList&) = delete;
  ~TLineList()
  {
    if (FOnHeap)
      delete[] HeapLines();
  }

  bool empty() const { return FCount == 0; }
  std::size_t size() const { return FCount; }
  LineRec* begin() { return Data(); }
  LineRec* end() { return Data() + FCount; }
  const LineRec* begin() const { return Data(); }
  const LineRec* end() const { return Data() + FCount; }
  LineRec& operator[](std::size_t I) { return Data()[I]; }
  const LineRec& operator[](std::size_t I) const { return Data()[I]; }
  const LineRec& at(std::size_t I) const
  {
    if (I >= FCount)
      throw std::out_of_range("TLineList::at");
    return Data()[I];
  }
  LineRec& front() { return Data()[0]; }
  const LineRec& front() const { return Data()[0]; }
  LineRec& back() { return Data()[FCount - 1]; }
  const LineRec& back() const { return Data()[FCount - 1]; }

  // Starts a layout: the room of the last one is kept.
  void clear() { FCount = 0; }
  void push_back(const LineRec& Line)
  {
    const LineRec Copy = Line;  // Line may be one of the list's own
    if (FCount == Capacity())
      Reserve(std::size_t(Capacity()) * 2);
    Data()[FCount] = Copy;
    FCount = FCount + 1;
  }
  // Ends a layout: room beyond its lines goes (back inside the list for one).
  void Fit()
  {
    if (FOnHeap && FHeap.Room > FCount)
      Reserve(FCount);
  }

private:
  // Past one line: the array's address and room, kept in the room of the
  // inline line (as bytes, so that the list needs no 8-byte alignment and
  // packs with the section's ints).
  struct THeapArray {
    unsigned char Lines[sizeof(LineRec*)];
    std::uint32_t Room;
  };
  static_assert(sizeof(THeapArray) <= sizeof(LineRec));

  LineRec* HeapLines() const
  {
    LineRec* Lines;
    std::memcpy(&Lines, FHeap.Lines, sizeof(Lines));
    return Lines;
  }
  std::uint32_t Capacity() const { return FOnHeap ? FHeap.Room : 1; }
  LineRec* Data() { return FOnHeap ? HeapLines() : &FInline; }
  const LineRec* Data() const { return FOnHeap ? HeapLines() : &FInline; }
  // Moves the lines into room for Room of them: inside the list for one or
  // none, else a heap array of exactly that many.
  void Reserve(std::size_t Room)
  {
    if (Room > INT32_MAX)
      throw std::length_error("TLineList");
    LineRec* Old = Data();
    const bool WasOnHeap = FOnHeap;
    if (Room <= 1) {
      const LineRec Kept = FCount ? Old[0] : LineRec();
      if (WasOnHeap)
        delete[] Old;
      FInline = Kept;
      FOnHeap = 0;
      return;
    }
    LineRec* More = new LineRec[Room];
    std::copy(Old, Old + FCount, More);
    if (WasOnHeap)
      delete[] Old;
    FHeap = THeapArray();
    std::memcpy(FHeap.Lines, &More, sizeof(More));
    FHeap.Room = std::uint32_t(Room);
    FOnHeap = 1;
  }

  union {
    LineRec FInline;    // the one line while the list holds no array
    THeapArray FHeap;   // the array past that
  };
  std::uint32_t FCount : 31;
  std::uint32_t FOnHeap : 1;
};
