// The body of the tree stream fuzz target, shared by the fuzzer (built with
// clang) and by the replay test of the normal run.
#pragma once

#include <cstddef>
#include <cstdint>

// Loads the input as a tree stream; a format error (ELazyTreeError) or a
// short read is a clean end. Whatever loaded is walked, saved, and the saved
// stream must load again without error.
void FuzzTreeStream(const std::uint8_t* Data, std::size_t Size);
