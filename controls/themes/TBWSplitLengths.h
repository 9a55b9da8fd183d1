// The length arithmetic of a multi-dock, on plain records: sharing the dock's
// length among its panels within their limits, and moving a split edge
// between neighbours, the length carried on past a panel that reached a limit.
#pragma once

#include <vector>

struct TSplitLength {
  int MinLength = 0;
  int MaxLength = 0;
  int Length = 0;     // what the panel asks for; then what it gets
  int Position = 0;   // running sum of the lengths before it
  bool Movable = false;
};

// A maximum below the minimum becomes Total (still below: the minimum);
// the length is then kept within the limits.
void NormalizeSplitLimits(TSplitLength& Record, int Total);
// Shares Total among the records: all at their minimums when even those do
// not fit, all at their maximums when even those leave room, otherwise the
// difference spread evenly (halves rounded to even) over the panels that
// can still give or take. Positions follow.
void ShareSplitLengths(std::vector<TSplitLength>& Records, int Total);
void PlaceSplitPositions(std::vector<TSplitLength>& Records);

struct TSplitTrack {
  int StartLength = 0;
  int MinLength = 0;
  int MaxLength = 0;
  int NewLength = 0;
  int NewPosition = 0;
};
// Moves the split after record K by Delta: the records up to K grow (the
// nearest first, the rest carried on to the ones before it), the records
// after K shrink the same way; what the far side cannot give is taken back
// from the near side. The sum of the lengths stays the same.
void TrackSplit(std::vector<TSplitTrack>& Records, int K, int Delta);
