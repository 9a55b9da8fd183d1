// The caps every image decoder of the viewer checks before it allocates, so
// that a hostile file costs bounded memory and time. They match what the
// drawing layer can hold: sides of at most 32768 pixels, 64 megapixels.
#pragma once

#include <cstdint>

namespace image_limits {

inline constexpr int MaxSide = 0x8000;
inline constexpr std::int64_t MaxPixels = std::int64_t(1) << 26;
// A GIF keeps at most this many frames; later frames are dropped.
inline constexpr int MaxFrames = 4096;
// All the frames of a GIF together decode at most this many pixels, and its
// strips (every composed frame, a screen each) hold at most as many; frames
// past either cap are dropped. Long animations of real pages (several
// hundred frames of 640 x 480) fit; the strips of a hostile file stay below
// 768 MiB of 24-bit pixels.
inline constexpr std::int64_t MaxAnimationPixels = std::int64_t(1) << 28;
// Files read whole into memory by the loaders.
inline constexpr std::int64_t MaxFileBytes = std::int64_t(64) << 20;

inline bool SizeFits(std::int64_t Width, std::int64_t Height)
{
  return Width > 0 && Height > 0 && Width <= MaxSide && Height <= MaxSide && Width * Height <= MaxPixels;
}

}  // namespace image_limits
