#include "controls/themes/TBWSplitLengths.h"

#include <cmath>

#include "platform/base/Exception.h"

void NormalizeSplitLimits(TSplitLength& Record, int Total)
{
  if (Record.MaxLength < Record.MinLength) {
    Record.MaxLength = Total;
    if (Record.MaxLength < Record.MinLength)
      Record.MaxLength = Record.MinLength;
  }
  if (Record.Length < Record.MinLength)
    Record.Length = Record.MinLength;
  if (Record.Length > Record.MaxLength)
    Record.Length = Record.MaxLength;
}

void PlaceSplitPositions(std::vector<TSplitLength>& Records)
{
  int position = 0;
  for (TSplitLength& r : Records) {
    r.Position = position;
    position += r.Length;
  }
}

namespace {

int SumOf(const std::vector<TSplitLength>& Records, int TSplitLength::*Field)
{
  int sum = 0;
  for (const TSplitLength& r : Records)
    sum += r.*Field;
  return sum;
}

// Rounds to the nearest integer, halves to the even neighbour, whatever the
// floating-point rounding mode of the thread.
int RoundHalfEven(double Value)
{
  const double floor = std::floor(Value);
  const double fraction = Value - floor;
  long long result = (long long)floor;
  if (fraction > 0.5 || (fraction == 0.5 && (result & 1) != 0))
    ++result;
  return int(result);
}

void Spread(std::vector<TSplitLength>& Records, int Total, int Sum)
{
  int delta = Total - Sum;
  const bool growing = delta > 0;
  int movable = 0;
  for (TSplitLength& r : Records) {
    r.Movable = growing ? r.Length < r.MaxLength : r.Length > r.MinLength;
    movable += r.Movable;
  }
  while (delta != 0) {
    if (movable == 0)
      throw EAssertionFailed("TBWDkPanels: no panel can take the difference");
    const double step = double(delta) / movable;
    double accumulator = 0;
    for (TSplitLength& r : Records) {
      if (!r.Movable)
        continue;
      const double previous = accumulator;
      accumulator += step;
      r.Length += RoundHalfEven(accumulator) - RoundHalfEven(previous);
    }
    for (TSplitLength& r : Records) {
      if (!r.Movable)
        continue;
      if (growing && r.Length > r.MaxLength) {
        r.Length = r.MaxLength;
        r.Movable = false;
        --movable;
      } else if (!growing && r.Length < r.MinLength) {
        r.Length = r.MinLength;
        r.Movable = false;
        --movable;
      }
    }
    delta = Total - SumOf(Records, &TSplitLength::Length);
  }
}

}  // namespace

void ShareSplitLengths(std::vector<TSplitLength>& Records, int Total)
{
  PlaceSplitPositions(Records);
  const int sum = SumOf(Records, &TSplitLength::Length);
  if (sum == Total)
    return;
  const int sumMin = SumOf(Records, &TSplitLength::MinLength);
  const int sumMax = SumOf(Records, &TSplitLength::MaxLength);
  if (sumMin >= Total) {
    for (TSplitLength& r : Records)
      r.Length = r.MinLength;
  } else if (Total < sumMax) {
    Spread(Records, Total, sum);
  } else {
    for (TSplitLength& r : Records)
      r.Length = r.MaxLength;
  }
  PlaceSplitPositions(Records);
}

namespace {

// The near side, from K down to 0, takes Delta; answers what it could not.
int GrowNearSide(std::vector<TSplitTrack>& Records, int K, int Delta)
{
  int carry = Delta;
  for (int i = K; i >= 0 && carry != 0; --i) {
    TSplitTrack& r = Records[std::size_t(i)];
    r.NewLength += carry;
    carry = 0;
    if (r.NewLength > r.MaxLength) {
      carry = r.NewLength - r.MaxLength;
      r.NewLength = r.MaxLength;
    } else if (r.NewLength < r.MinLength) {
      carry = r.NewLength - r.MinLength;
      r.NewLength = r.MinLength;
    }
  }
  return carry;
}

// The far side, from K + 1 on, gives Delta; answers what it could not.
int ShrinkFarSide(std::vector<TSplitTrack>& Records, int K, int Delta)
{
  int carry = Delta;
  for (std::size_t i = std::size_t(K) + 1; i < Records.size() && carry != 0; ++i) {
    TSplitTrack& r = Records[i];
    r.NewLength -= carry;
    carry = 0;
    if (r.NewLength > r.MaxLength) {
      carry = r.MaxLength - r.NewLength;
      r.NewLength = r.MaxLength;
    } else if (r.NewLength < r.MinLength) {
      carry = r.MinLength - r.NewLength;
      r.NewLength = r.MinLength;
    }
  }
  return carry;
}

}  // namespace

void TrackSplit(std::vector<TSplitTrack>& Records, int K, int Delta)
{
  for (TSplitTrack& r : Records)
    r.NewLength = r.StartLength;
  Delta -= GrowNearSide(Records, K, Delta);
  const int left = ShrinkFarSide(Records, K, Delta);
  if (left != 0) {
    Delta -= left;
    for (int i = 0; i <= K; ++i)
      Records[std::size_t(i)].NewLength = Records[std::size_t(i)].StartLength;
    GrowNearSide(Records, K, Delta);
  }
  int position = 0;
  for (TSplitTrack& r : Records) {
    r.NewPosition = position;
    position += r.NewLength;
  }
}
