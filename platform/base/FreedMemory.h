// Memory given back to the system after large releases. The allocator keeps
// what the program frees for its next allocations; after windows close
// (their pixels, their controls, their documents) that can be hundreds of
// megabytes the program will not need again soon. Releases are noted where
// they happen and the memory is returned once, when the program is next
// idle, rather than once per window.
#pragma once

#include <cstddef>

// Notes that Bytes were freed (any thread).
void NoteLargeRelease(std::size_t Bytes);
// Gives the allocator's free memory back to the system when a megabyte or
// more of releases was noted since the last time; true when it did.
bool ReturnFreedMemory();
