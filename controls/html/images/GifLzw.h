// The LZW decoder of GIF image data (variable code size up to 12 bits, clear
// and end codes). Codes are read least significant bit first; bytes past the
// end of the data count as zero.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes Data into Out (Count bytes, already zeroed) in stream order.
// Decoding stops at the end code, when the data is used up after a code, or
// when Out is full. Errors: geLZWCodeSize for a minimum code size above 11,
// geLZWDataFormat for an end code right after a clear code, a first code that
// is not a root code, or a code past the next free one.
void GifLzwDecode(int MinCodeSize, const std::uint8_t* Data, std::size_t Size, std::uint8_t* Out,
                  std::size_t Count);
