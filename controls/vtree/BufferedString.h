// Growable text buffers for the export formats: a block that grows in steps
// of 4096 characters, so long exports append without reallocating per piece.
// The block is the size the buffer reports; the text itself is kept in
// chunks of fixed size that never move. An export of tens of megabytes is
// then written once into its chunks and once into its clipboard block,
// instead of being copied into ever larger strings: on this platform fresh
// memory costs more to touch than the text costs to format.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

template <class Char>
class TBasicBufferedString {
public:
  static constexpr std::size_t Step = 4096;
  // A line break grows the block once this little room is left: 2 bytes in
  // the 8-bit buffer, 4 characters in the wide one.
  static constexpr std::size_t NewLineReserve = sizeof(Char) == 1 ? 2 : 4;
  // Characters per chunk of storage (256 KiB of 8-bit text).
  static constexpr std::size_t ChunkSize = 256 * 1024 / sizeof(Char);

  void Add(std::basic_string_view<Char> S)
  {
    if (S.size() >= Free())
      Grow(S.size());
    Append(S);
  }
  void AddNewLine()
  {
    if (Free() <= NewLineReserve)
      Grow(0);
    static constexpr Char kBreak[] = {Char('\r'), Char('\n')};
    Append(std::basic_string_view<Char>(kBreak, 2));
  }
  // Puts S before everything added so far (a document head known only once
  // its body is written).
  void Prepend(std::basic_string<Char> S)
  {
    FSize += S.size();
    FBlock += S.size();
    FChunks.insert(FChunks.begin(), std::move(S));
  }
  std::size_t Size() const { return FSize; }
  // Copies the text to Out, which has room for Size() characters.
  void CopyTo(Char* Out) const
  {
    for (const std::basic_string<Char>& chunk : FChunks) {
      std::memcpy(Out, chunk.data(), chunk.size() * sizeof(Char));
      Out += chunk.size();
    }
  }
  std::basic_string<Char> AsString() const
  {
    std::basic_string<Char> text(FSize, Char(0));
    CopyTo(text.data());
    return text;
  }
  // Characters the block holds (its allocated size).
  std::size_t BlockSize() const { return FBlock; }

private:
  std::size_t Free() const { return FBlock - FSize; }
  void Grow(std::size_t Needed)
  {
    do
      FBlock += Step;
    while (FBlock - FSize <= Needed);
  }
  void Append(std::basic_string_view<Char> S)
  {
    FSize += S.size();
    while (!S.empty()) {
      if (FChunks.empty() || FChunks.back().size() == FChunks.back().capacity()) {
        FChunks.emplace_back();
        FChunks.back().reserve(std::max(ChunkSize, S.size()));
      }
      std::basic_string<Char>& chunk = FChunks.back();
      const std::size_t n = std::min(S.size(), chunk.capacity() - chunk.size());
      chunk.append(S.substr(0, n));
      S.remove_prefix(n);
    }
  }

  std::size_t FBlock = 0, FSize = 0;
  std::vector<std::basic_string<Char>> FChunks;
};

using TBufferedString = TBasicBufferedString<char>;
using TWideBufferedString = TBasicBufferedString<char16_t>;
