#include "chatwin/ConversationLines.h"

#include <algorithm>
#include <limits>

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

namespace {
constexpr const char* ConversationLineBreak = "\r\n";
}  // namespace

std::size_t TConversationLines::EndOf(std::size_t Index) const
{
  return Index + 1 < FStarts.size() ? FStarts[Index + 1] : FText->Size();
}

void TConversationLines::Clear()
{
  FText->Rewrite().clear();
  FStarts.clear();
}

std::string TConversationLines::Get(int Index) const
{
  if (Index < 0 || Index >= GetCount())
    Error(SListIndexError, Index);
  const std::size_t Start = FStarts[std::size_t(Index)];
  return FText->Str().substr(Start, EndOf(std::size_t(Index)) - 2 - Start);
}

void TConversationLines::Delete(int Index)
{
  if (Index < 0 || Index >= GetCount())
    Error(SListIndexError, Index);
  const std::size_t I = std::size_t(Index);
  const std::size_t Start = FStarts[I];
  const std::size_t Length = EndOf(I) - Start;
  FText->Rewrite().erase(Start, Length);
  FStarts.erase(FStarts.begin() + std::ptrdiff_t(I));
  for (std::size_t K = I; K < FStarts.size(); ++K)
    FStarts[K] -= std::uint32_t(Length);
}

void TConversationLines::Reserve(std::size_t Bytes, std::size_t Lines)
{
  // Growth by an eighth at least: many small lines grow the text rarely, and
  // a conversation keeps little unused room for long (doubling would keep up
  // to as much again as the text).
  if (FText->Size() + Bytes > FText->Capacity())
    FText->Reserve(std::max(FText->Size() + Bytes, FText->Capacity() + FText->Capacity() / 8));
  if (FStarts.size() + Lines > FStarts.capacity())
    FStarts.reserve(std::max(FStarts.size() + Lines, FStarts.capacity() + FStarts.capacity() / 8));
}

void TConversationLines::AddStart(std::size_t Start)
{
  // Line starts are 32-bit: a conversation stops growing at 4 GB.
  if (FText->Size() > std::numeric_limits<std::uint32_t>::max()) {
    FText->Rewrite().resize(Start);
    throw EOutOfMemory("Mémoire insuffisante");
  }
  FStarts.push_back(std::uint32_t(Start));
}

void TConversationLines::Insert(int Index, const std::string& S)
{
  if (Index < 0 || Index > GetCount())
    Error(SListIndexError, Index);
  // Line starts are 32-bit: a conversation stops growing at 4 GB.
  if (FText->Size() + S.size() + 2 > std::numeric_limits<std::uint32_t>::max())
    throw EOutOfMemory("Mémoire insuffisante");
  const std::size_t I = std::size_t(Index);
  const std::size_t Start = I < FStarts.size() ? FStarts[I] : FText->Size();
  const std::size_t Length = S.size() + 2;
  Reserve(Length, 1);
  if (I == FStarts.size()) {
    // A line added at the end leaves the text read so far as it was.
    FText->Append(S);
    FText->Append(ConversationLineBreak);
  } else {
    std::string& Text = FText->Rewrite();
    Text.insert(Start, S);
    Text.insert(Start + S.size(), ConversationLineBreak);
  }
  FStarts.insert(FStarts.begin() + std::ptrdiff_t(I), std::uint32_t(Start));
  for (std::size_t K = I + 1; K < FStarts.size(); ++K)
    FStarts[K] += std::uint32_t(Length);
}
