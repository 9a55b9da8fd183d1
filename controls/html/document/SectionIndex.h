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

  std::size_t FlagCount() const { return FFlagCount; }
  bool MayBreak(std::size_t I) const { return I < FFlagCount && ((Words()[I / 64] >> (I % 64)) & 1u); }
  void AllowBreak(std::size_t I)
  {
    if (I < FFlagCount)
      Words()[I / 64] |= std::uint64_t(1) << (I % 64);
  }

  // The source runs, in character order (none without a source index).
  std::size_t RunCount() const { return FRunCount; }
  IndexObj Run(std::size_t I) const
  {
    if (!OnHeap())
      return FOneRun;
    const std::uint64_t Packed = FHeap[WordCount() + I];
    return {int(std::uint32_t(Packed)), int(std::uint32_t(Packed >> 32))};
  }

private:
  static constexpr std::size_t InlineFlags = 64;
  std::size_t WordCount() const { return (std::size_t(FFlagCount) + 63) / 64; }
  bool OnHeap() const { return FFlagCount > InlineFlags || FRunCount > 1; }
  std::uint64_t* Words() { return OnHeap() ? FHeap : &FBits; }
  const std::uint64_t* Words() const { return OnHeap() ? FHeap : &FBits; }
  void Release();

  union {
    std::uint64_t FBits = 0;  // short: the flags themselves
    std::uint64_t* FHeap;     // long: the flag words, then the source runs (Pos low, Source high)
  };
  IndexObj FOneRun{0, 0};  // short: the only source run
  std::uint32_t FFlagCount = 0;
  std::uint32_t FRunCount = 0;
};
