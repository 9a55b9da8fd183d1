// TCharCollection: 8-bit characters waiting for their code-page conversion,
// each with its source position in the document. Reused for run after run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Object.h"

class TCharCollection : public TObject {
public:
  TCharCollection();

  void Add(char Ch, int Position)
  {
    if (Count() == FCapacity)
      Grow();
    FChars.push_back(Ch);
    FPositions.push_back(Position);
  }
  // Appends Chars, read from consecutive positions from FirstPosition on;
  // the capacity grows as it would by adding them one at a time.
  void AddRun(std::string_view Chars, int FirstPosition);
  // Appends the characters and positions of another collection.
  void Concat(const TCharCollection& Other);
  void Clear() { FChars.clear(); FPositions.clear(); }

  int Count() const { return int(FChars.size()); }
  int Capacity() const { return FCapacity; }
  std::string_view AsString() const { return FChars; }
  const std::string& Chars() const { return FChars; }
  const std::vector<int>& Positions() const { return FPositions; }

private:
  void Grow();
  void SetCapacity(int NewCapacity);

  std::string FChars;
  std::vector<int> FPositions;
  int FCapacity = 0;
};

// The growth step of the viewer's text buffers: 50 characters while they are
// small, so that ordinary runs rarely reallocate, and half the capacity once
// they are large, so that a very long run still costs linear time.
inline int TextBufferGrowth(int Capacity)
{
  return Capacity < 1000 ? 50 : Capacity / 2;
}
