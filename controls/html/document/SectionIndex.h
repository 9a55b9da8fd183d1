// TSectionIndex: what a finished text section knows of each character
// besides the character itself: whether a line may break after it (one bit
// per character, and one for the end of the text), and where in the source
// it came from (runs of consecutive source positions). A conversation keeps
// every section it ever showed: a short section (at most 63 characters, one
// source run, as most lines of a chat are) keeps both inside the object;
// a longer one keeps both in one allocation of exactly their size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A run of consecutive source positions.
struct IndexObj {
  int Pos;     // character index where the run starts
  int Source;  // source position of that character
};

class TSectionIndex {
public:
  TSectionIndex() = default;
  TSectionIndex(const TSectionIndex&) = delete;
  TSectionIndex& operator=(const TSectionIndex&) = delete;
  ~TSectionIndex() { Release(); }

  // Flags: 'y' where a line may break after the character, anything else
  // where it may not, one per character and one for the end; Map: the
  // source position of each of the first MapCount characters (MapCount 0:
  // no source index).
  void Assign(std::string_view Flags, const int* Map, std::size_t MapCount);

  std::size_t FlagCount() const { return FOnHeap ? std::size_t(std::uint32_t(FHeap[0])) : FShortFlags; }
  bool MayBreak(std::size_t I) const { return I < FlagCount() && ((Words()[I / 64] >> (I % 64)) & 1u); }
  void AllowBreak(std::size_t I)
  {
    if (I < FlagCount())
      Words()[I / 64] |= std::uint64_t(1) << (I % 64);
  }

  // The source runs, in character order (none without a source index).
  std::size_t RunCount() const { return FOnHeap ? std::size_t(FHeap[0] >> 32) : FShortRuns; }
  IndexObj Run(std::size_t I) const
  {
    if (!FOnHeap)
      return {0, FOnlySource};
    const std::uint64_t Packed = FHeap[1 + WordCount() + I];
    return {int(std::uint32_t(Packed)), int(std::uint32_t(Packed >> 32))};
  }

private:
  static constexpr std::size_t ShortFlags = 64;
  std::size_t WordCount() const { return (FlagCount() + 63) / 64; }
  std::uint64_t* Words() { return FOnHeap ? FHeap + 1 : &FBits; }
  const std::uint64_t* Words() const { return FOnHeap ? FHeap + 1 : &FBits; }
  void Release();

  union {
    std::uint64_t FBits = 0;  // short: the flags themselves
    // long: the counts (flags low, runs high), the flag words, then the
    // source runs (Pos low, Source high)
    std::uint64_t* FHeap;
  };
  int FOnlySource = 0;             // short: the source of the first character
  std::uint8_t FShortFlags = 0;    // short: how many flags (at most 64)
  std::uint8_t FShortRuns = 0;     // short: 0 (no source index) or 1
  bool FOnHeap = false;
};
