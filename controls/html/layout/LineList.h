// LineRec and TLineList: the lines of a text section's last layout. A
// conversation keeps every section it ever showed, and nearly every one lays
// out as one or two lines: the list is a pointer and two counts, and its one
// allocation holds exactly the lines of the last layout. A layout that finds
// as many lines as the one before (a reload, a change of width that moves no
// line end) reuses it without allocating.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

// One line of the last layout. Every field is a full int: a line's height
// takes an image's, and document coordinates pass 32767 in a long
// conversation.
struct LineRec {
  int Start = 0;  // index of the first character in the section's text
  int LeadAbove = 0;
  int LeadBelow = 0;
  int TextHeight = 0;
  int ReachHeight = 0;
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
  TLineList() = default;
  TLineList(const TLineList&) = delete;
  TLineList& operator=(const TLineList&) = delete;

  bool empty() const { return FCount == 0; }
  std::size_t size() const { return FCount; }
  LineRec* begin() { return FLines.get(); }
  LineRec* end() { return FLines.get() + FCount; }
  const LineRec* begin() const { return FLines.get(); }
  const LineRec* end() const { return FLines.get() + FCount; }
  LineRec& operator[](std::size_t I) { return FLines[I]; }
  const LineRec& operator[](std::size_t I) const { return FLines[I]; }
  const LineRec& at(std::size_t I) const
  {
    if (I >= FCount)
      throw std::out_of_range("TLineList::at");
    return FLines[I];
  }
  LineRec& front() { return FLines[0]; }
  const LineRec& front() const { return FLines[0]; }
  LineRec& back() { return FLines[FCount - 1]; }
  const LineRec& back() const { return FLines[FCount - 1]; }

  // Starts a layout: the room of the last one is kept.
  void clear() { FCount = 0; }
  void push_back(const LineRec& Line)
  {
    if (FCount == FRoom)
      Reserve(FRoom == 0 ? 1 : std::size_t(FRoom) * 2);
    FLines[FCount++] = Line;
  }
  // Ends a layout: room beyond its lines goes.
  void Fit()
  {
    if (FRoom > FCount)
      Reserve(FCount);
  }

private:
  void Reserve(std::size_t Room)
  {
    if (Room > UINT32_MAX)
      throw std::length_error("TLineList");
    std::unique_ptr<LineRec[]> More;
    if (Room > 0) {
      More.reset(new LineRec[Room]);
      std::copy(FLines.get(), FLines.get() + FCount, More.get());
    }
    FLines = std::move(More);
    FRoom = std::uint32_t(Room);
  }

  std::unique_ptr<LineRec[]> FLines;
  std::uint32_t FCount = 0;
  std::uint32_t FRoom = 0;
};
