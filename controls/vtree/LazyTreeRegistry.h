// The live trees of this process by token. A tree reference that travels
// through the clipboard or a drag names a tree by its token, never by its
// address: a token of a tree that has gone, or one made up by another
// program, names nothing.
#pragma once

#include <cstddef>
#include <cstdint>

class TBaseLazyTree;

// A new token (never 0, never handed out twice in a process) for a tree.
std::uint32_t RegisterLiveTree(TBaseLazyTree* Tree);
void UnregisterLiveTree(std::uint32_t Token);
// The tree of a token, or null.
TBaseLazyTree* LiveTreeOf(std::uint32_t Token);

// The reference block: the process identifier, then the tree's token (both
// 32-bit little-endian).
constexpr std::size_t TreeReferenceSize = 8;
void WriteTreeReference(std::uint8_t* Block, std::uint32_t Token);
// The tree named by a block of Size bytes: only a block of the right size,
// from this process, naming a live tree.
TBaseLazyTree* TreeOfReference(const std::uint8_t* Block, std::size_t Size);
