#include "controls/html/document/SectionText.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

static_assert(sizeof(TSectionText) == 16, "a section's text takes 16 bytes beside its characters");

void TSectionText::Release()
{
  if (FMeta & HeapFlag) {
    if (FMeta & WideFlag)
      delete[] static_cast<const char16_t*>(Heap());
    else
      delete[] static_cast<const unsigned char*>(Heap());
  }
  FStore = {};
  FMeta = 0;
}

void TSectionText::Assign(std::u16string_view S)
{
  if (S.size() > SizeMask)
    throw std::length_error("TSectionText");
  const bool Narrow =
      S.size() <= NarrowLimit && std::all_of(S.begin(), S.end(), [](char16_t C) { return C < 256; });
  const std::size_t Bytes = S.size() * (Narrow ? 1 : 2);
  // Made before the old text goes, so that a failed allocation leaves it.
  void* Chars = nullptr;
  if (Bytes > sizeof FStore)
    Chars = Narrow ? static_cast<void*>(new unsigned char[S.size()]) : static_cast<void*>(new char16_t[S.size()]);
  Release();
  std::uint32_t Meta = std::uint32_t(S.size()) | (Narrow ? 0 : WideFlag);
  if (Chars) {
    std::memcpy(FStore.Narrow, &Chars, sizeof Chars);
    Meta |= HeapFlag;
  }
  if (Narrow) {
    unsigned char* Out = Chars ? static_cast<unsigned char*>(Chars) : FStore.Narrow;
    std::transform(S.begin(), S.end(), Out, [](char16_t C) { return static_cast<unsigned char>(C); });
  } else {
    std::copy(S.begin(), S.end(), Chars ? static_cast<char16_t*>(Chars) : FStore.Wide);
  }
  FMeta = Meta;
}

std::u16string TSectionText::substr(std::size_t Pos, std::size_t Count) const
{
  if (Pos > size())
    throw std::out_of_range("TSectionText::substr");
  const std::size_t N = std::min(Count, size() - Pos);
  if (FMeta & WideFlag)
    return std::u16string(WideChars() + Pos, N);
  std::u16string Out(N, u'\0');
  std::copy_n(NarrowChars() + Pos, N, Out.begin());
  return Out;
}

std::size_t TSectionText::find(std::u16string_view Needle, std::size_t From) const
{
  if (FMeta & WideFlag)
    return std::u16string_view(WideChars(), size()).find(Needle, From);
  const auto First = begin() + std::ptrdiff_t(std::min(From, size()));
  const auto At = std::search(First, end(), Needle.begin(), Needle.end());
  if (At == end() && !(Needle.empty() && From <= size()))
    return npos;
  return std::size_t(At - begin());
}

const char16_t* TSectionText::Wide(std::size_t Start, std::size_t Count, std::u16string& Scratch) const
{
  assert(Start <= size() && Count <= size() - Start);
  if (FMeta & WideFlag)
    return WideChars() + Start;
  Scratch.resize(Count);
  std::copy_n(NarrowChars() + Start, Count, Scratch.begin());
  return Scratch.data();
}

bool operator==(const TSectionText& A, std::u16string_view B)
{
  return A.size() == B.size() && std::equal(B.begin(), B.end(), A.begin());
}
