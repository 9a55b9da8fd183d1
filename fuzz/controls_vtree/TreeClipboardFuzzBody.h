// Bodies of the clipboard fuzz targets, shared by the fuzzers and by the
// replay test of the normal run.
#pragma once

#include <cstddef>
#include <cstdint>

// The input's first byte chooses: even, the rest is a "Lazy Tree Data" block
// handed to ProcessTreeData; odd, the rest is a "Lazy Tree Reference" block.
// A tree format error is a clean end; whatever was inserted must be walkable.
void FuzzTreeData(const std::uint8_t* Data, std::size_t Size);
// Builds a two-column tree from the input (shape and UTF-16 cell texts, lone
// surrogates included) and renders it: the HTML must be valid UTF-8 and its
// clipboard header must name the document's real offsets.
void FuzzExport(const std::uint8_t* Data, std::size_t Size);
