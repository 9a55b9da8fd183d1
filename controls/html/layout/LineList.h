// LineRec and TLineList: the lines of a text section's last layout. Nearly
// every section of a conversation lays out as one or two lines; those stay
// inside the section, and only longer text takes storage of its own, so that
// a reload of a long conversation does not allocate (and later free) a line
// vector per message.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <vector>

// One line of the last layout.
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

  void clear()
  {
    FCount = 0;
    FMore.clear();  // keeps its room for the next layout
  }
  void push_back(const LineRec& Line)
  {
    if (!FSpilled) {
      if (FCount < FInline.size()) {
        FInline[FCount++] = Line;
        return;
      }
      FMore.assign(FInline.begin(), FInline.end());
      FSpilled = true;
    }
    FMore.push_back(Line);
    ++FCount;
  }

private:
  LineRec* Data() { return FSpilled ? FMore.data() : FInline.data(); }
  const LineRec* Data() const { return FSpilled ? FMore.data() : FInline.data(); }

  std::array<LineRec, 2> FInline{};
  std::vector<LineRec> FMore;  // every line, once there were more than fit inline
  std::size_t FCount = 0;
  bool FSpilled = false;
};
