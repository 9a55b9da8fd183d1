// Builders and probes shared by the image tests: PNG files assembled chunk by
// chunk (zlib's crc32 and compress as the oracle), GIF animations written
// with giflib, pixel reads, streams over byte arrays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TBitmap;

using TBytes = std::vector<std::uint8_t>;

namespace image_test {

// A chunk: length, type, data, CRC.
TBytes Chunk(const char* Type, const TBytes& Data);
TBytes Ihdr(std::uint32_t Width, std::uint32_t Height, int Depth, int ColorType, int Interlace = 0);
// zlib's compress of the filtered rows.
TBytes Deflate(const TBytes& Raw);
// Signature and the chunks in order.
TBytes Png(const std::vector<TBytes>& Chunks);
// A whole PNG of the rows (each already with its filter byte).
TBytes SimplePng(std::uint32_t Width, std::uint32_t Height, int Depth, int ColorType, const TBytes& Rows,
                 const std::vector<TBytes>& Extra = {});
struct TFrameSpec {
  int Delay;  // hundredths
  int Transparent;
  int Color;  // index 1..3: red, green, blue
};
// A Width x Height animation written with giflib over a table of black, red,
// green and blue: frame k fills the screen with its colour, its top-left
// pixel index 0 (black, or transparent when asked). Loops < 0 writes no loop
// count.
TBytes GiflibAnimation(int Width, int Height, const std::vector<TFrameSpec>& Frames, int Loops);
// The picture as 0x00RRGGBB, top-down.
std::vector<std::uint32_t> Pixels(TBitmap* Bitmap);
TBytes ReadFile(const std::string& Path);
std::string CorpusFile(const std::string& Relative);

}  // namespace image_test
