// The bodies of the image decoders' fuzz targets, shared by the fuzzers and
// by the replay test of the normal test run. A broken expectation throws
// std::logic_error; anything else that goes wrong crashes.
#pragma once

#include <cstddef>
#include <cstdint>

// TPNGImage loading, the key-colour walk (which must keep the position), and
// a save and load again that must give the same pixels.
void FuzzPngLoad(const std::uint8_t* Data, std::size_t Size);
// The PNG decoder against libpng: equal pixels whenever both read the file
// and it has no gAMA chunk.
void FuzzPngDiff(const std::uint8_t* Data, std::size_t Size);
// GifStreamToImage, 50 animation steps on the virtual clock, the still
// bitmap, drawing, and a copy that outlives its source.
void FuzzGifLoad(const std::uint8_t* Data, std::size_t Size);
// The GIF decoder against giflib: equal frame indexes whenever both read the
// file, and the strip equal to the reference composition.
void FuzzGifDiff(const std::uint8_t* Data, std::size_t Size);
// The decompression stream with reads and seeks chosen by the input; the
// first byte's low bit picks a compress-and-inflate round trip instead.
void FuzzZStream(const std::uint8_t* Data, std::size_t Size);
// DecodeImageStream with transparency kinds 0, 1, 3 on 24- and 8-bit
// displays (the first byte chooses).
void FuzzDecodeImage(const std::uint8_t* Data, std::size_t Size);
// The class library's BMP reader; what it reads is written and read again.
void FuzzBmpLoad(const std::uint8_t* Data, std::size_t Size);
