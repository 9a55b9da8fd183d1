#include "controls/vtree/LazyTreeRegistry.h"

#include <mutex>
#include <unordered_map>

#include "platform/base/ThreadId.h"

namespace {

struct TRegistry {
  std::mutex Lock;
  std::unordered_map<std::uint32_t, TBaseLazyTree*> Trees;
  std::uint32_t Next = 1;
};

TRegistry& Registry()
{
  static TRegistry registry;
  return registry;
}

std::uint32_t ReadU32(const std::uint8_t* p)
{
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void PutU32(std::uint8_t* p, std::uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    p[i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

std::uint32_t RegisterLiveTree(TBaseLazyTree* Tree)
{
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.Lock);
  std::uint32_t token = r.Next++;
  r.Trees[token] = Tree;
  return token;
}

void UnregisterLiveTree(std::uint32_t Token)
{
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.Lock);
  r.Trees.erase(Token);
}

TBaseLazyTree* LiveTreeOf(std::uint32_t Token)
{
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.Lock);
  auto it = r.Trees.find(Token);
  return it == r.Trees.end() ? nullptr : it->second;
}

void WriteTreeReference(std::uint8_t* Block, std::uint32_t Token)
{
  PutU32(Block, std::uint32_t(GetCurrentProcessId()));
  PutU32(Block + 4, Token);
}

TBaseLazyTree* TreeOfReference(const std::uint8_t* Block, std::size_t Size)
{
  if (!Block || Size != TreeReferenceSize)
    return nullptr;
  if (ReadU32(Block) != std::uint32_t(GetCurrentProcessId()))
    return nullptr;
  return LiveTreeOf(ReadU32(Block + 4));
}
