// The bodies of the document fuzz targets, shared by the fuzzers and by the
// replay test of the normal test run. A broken expectation throws
// std::logic_error; anything else that goes wrong crashes.
#pragma once

#include <cstddef>
#include <cstdint>

// The whole document: built into a section list with the fixed test fonts
// (no file is read), laid out at widths 1, 300 and 2000, painted once, laid
// out at 300 again for the same height; at most 2 s for every 64 KB.
void FuzzBuild(const std::uint8_t* Data, std::size_t Size);
// The same with include comments served: the first byte picks where in the
// rest of the input each included text is taken from.
void FuzzInclude(const std::uint8_t* Data, std::size_t Size);
// The text cut before one of its "<" (chosen by the first two bytes): the
// first part built and laid out, the rest read on into it; when the build
// takes it, the document is laid out as the whole text built at once is.
void FuzzReadOn(const std::uint8_t* Data, std::size_t Size);
