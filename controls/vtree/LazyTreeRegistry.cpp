#include "controls/vtree/LazyTreeRegistry.h"

#include <mutex>
#include <unordered_map>

#include "platform/base/LittleEndian.h"
#include "platform/base/ThreadId.h"

namespace {

struct TTreeRegistry {
  std::mutex Lock;
  std::unordered_map<std::uint32_t, TBaseLazyTree*> Trees;
  std::uint32_t Next = 1;
};

TTreeRegistry& TreeRegistry()
{
  static TTreeRegistry registry;
  return registry;
}

}  // namespace

std::uint32_t RegisterLiveTree(TBaseLazyTree* Tree)
{
  TTreeRegistry& r = TreeRegistry();
  std::lock_guard<std::mutex> guard(r.Lock);
  std::uint32_t token = r.Next++;
  r.Trees[token] = Tree;
  return token;
}

void UnregisterLiveTree(std::uint32_t Token)
{
  TTreeRegistry& r = TreeRegistry();
  std::lock_guard<std::mutex> guard(r.Lock);
  r.Trees.erase(Token);
}

TBaseLazyTree* LiveTreeOf(std::uint32_t Token)
{
  TTreeRegistry& r = TreeRegistry();
  std::lock_guard<std::mutex> guard(r.Lock);
  auto it = r.Trees.find(Token);
  return it == r.Trees.end() ? nullptr : it->second;
}

void WriteTreeReference(std::uint8_t* Block, std::uint32_t Token)
{
  WriteLE32(Block, std::uint32_t(GetCurrentProcessId()));
  WriteLE32(Block + 4, Token);
}

TBaseLazyTree* TreeOfReference(const std::uint8_t* Block, std::size_t Size)
{
  if (!Block || Size != TreeReferenceSize)
    return nullptr;
  if (ReadLE32(Block) != std::uint32_t(GetCurrentProcessId()))
    return nullptr;
  return LiveTreeOf(ReadLE32(Block + 4));
}
