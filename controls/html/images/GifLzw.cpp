#include "controls/html/images/GifLzw.h"

#include "controls/html/images/GifErrors.h"

namespace {

constexpr int MaxCodes = 4096;

class TBitReader {
public:
  TBitReader(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size), FBits(std::uint64_t(Size) * 8) {}

  unsigned Read(int Count)
  {
    while (FHave < Count) {
      const std::uint32_t byte = FPos < FSize ? FData[FPos] : 0;
      ++FPos;
      FBuffer |= byte << FHave;
      FHave += 8;
    }
    const unsigned code = FBuffer & ((1u << Count) - 1);
    FBuffer >>= Count;
    FHave -= Count;
    FUsed += std::uint64_t(Count);
    return code;
  }
  bool UsedUp() const { return FUsed >= FBits; }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
  std::uint32_t FBuffer = 0;
  int FHave = 0;
  std::uint64_t FBits;
  std::uint64_t FUsed = 0;
};

struct TTable {
  std::uint16_t Prefix[MaxCodes];
  std::uint8_t Suffix[MaxCodes];
  std::uint8_t First[MaxCodes];
  std::uint16_t Length[MaxCodes];
};

}  // namespace

void GifLzwDecode(int MinCodeSize, const std::uint8_t* Data, std::size_t Size, std::uint8_t* Out,
                  std::size_t Count)
{
  if (MinCodeSize + 1 > 12)
    RaiseGifError(geLZWCodeSize);
  const int clear = 1 << MinCodeSize;
  const int end = clear + 1;
  TTable t;
  for (int c = 0; c < clear; ++c) {
    t.Prefix[c] = 0;
    t.Suffix[c] = std::uint8_t(c);
    t.First[c] = std::uint8_t(c);
    t.Length[c] = 1;
  }
  // The state a clear code sets is also the starting state: data that does
  // not begin with a clear code decodes as if it did.
  int codeSize = MinCodeSize + 1;
  int nextFree = end + 1;
  int limit = 1 << codeSize;
  int prev = -1;
  std::size_t pos = 0;
  TBitReader bits(Data, Size);

  // Writes the string of Code at pos (the part that still fits).
  auto emit = [&](int Code) {
    const std::size_t len = t.Length[Code];
    std::size_t i = len;
    int c = Code;
    while (i > 0) {
      --i;
      if (pos + i < Count)
        Out[pos + i] = t.Suffix[c];
      c = t.Prefix[c];
    }
    pos += len;
  };
  auto add = [&](int Prefix, std::uint8_t FirstByte) {
    if (nextFree < MaxCodes) {
      t.Prefix[nextFree] = std::uint16_t(Prefix);
      t.Suffix[nextFree] = FirstByte;
      t.First[nextFree] = t.First[Prefix];
      t.Length[nextFree] = std::uint16_t(t.Length[Prefix] + 1);
      ++nextFree;
      if (nextFree >= limit && codeSize < 12) {
        ++codeSize;
        limit <<= 1;
      }
    }
  };

  while (pos < Count) {
    int code = int(bits.Read(codeSize));
    if (code == end)
      break;
    if (code == clear) {
      codeSize = MinCodeSize + 1;
      nextFree = end + 1;
      limit = 1 << codeSize;
      do
        code = int(bits.Read(codeSize));
      while (code == clear && !bits.UsedUp());
      if (code == clear)
        break;
      if (code == end)
        RaiseGifError(geLZWDataFormat);
      if (code >= nextFree)
        code = 0;
      emit(code);
      prev = code;
    } else if (prev < 0) {
      if (code >= clear)
        RaiseGifError(geLZWDataFormat);
      emit(code);
      prev = code;
    } else if (code < nextFree) {
      emit(code);
      add(prev, t.First[code]);
      prev = code;
    } else if (code == nextFree) {
      add(prev, t.First[prev]);
      emit(code);
      prev = code;
    } else {
      RaiseGifError(geLZWDataFormat);
    }
    if (bits.UsedUp())
      break;
  }
}
