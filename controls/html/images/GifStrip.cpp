// TGif::BuildStrips: every frame composed over the ones before it, side by
// side in as many bitmaps as they need.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/Gif.h"
#include "controls/html/images/GifErrors.h"
#include "platform/classes/graphics/Bitmap.h"

namespace {

// The picture as it stands between frames: colours (blue, green, red) and a
// byte per pixel, 1 where transparent.
struct TPictureState {
  std::vector<std::uint8_t> Color;
  std::vector<std::uint8_t> Clear;
};

std::unique_ptr<TBitmap> NewBitmap(int Width, int Height, int BitCount)
{
  HBITMAP handle = CreateTopDownDIB(Width, Height, BitCount);
  if (!handle)
    RaiseGifError(geInvalidBitmap);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetHandle(handle);
  return bitmap;
}

}  // namespace

std::vector<TGif::TStrip> TGif::BuildStrips() const
{
  const int w = FScreenWidth, h = FScreenHeight, n = ImageCount();
  if (n == 0 || w <= 0 || h <= 0)
    RaiseGifError(geNoImage);
  const bool masked = AnyTransparent();
  const std::size_t cell = std::size_t(w) * std::size_t(h);
  const int perStrip = FramesPerStrip();

  // Restore-to-background without a mask paints the background colour (the
  // global table's entry), since nothing could show through.
  std::uint32_t background = 0;
  if (FGlobalTable >= 0 && FBackgroundIndex < 256)
    background = FTables[std::size_t(FGlobalTable)].Entries[FBackgroundIndex];
  const std::uint8_t bgBlue = std::uint8_t(background >> 16), bgGreen = std::uint8_t(background >> 8),
                     bgRed = std::uint8_t(background);

  std::vector<TStrip> strips;
  std::uint8_t* stripBits = nullptr;
  std::uint8_t* maskBits = nullptr;
  std::size_t stripStride = 0, maskStride = 0;

  TPictureState now;
  now.Color.assign(cell * 3, 0);
  now.Clear.assign(cell, 1);
  TPictureState saved;

  for (int k = 0; k < n; ++k) {
    const int c = k % perStrip;  // the cell of frame k in its strip
    if (c == 0) {
      const int across = w * std::min(perStrip, n - k);
      TStrip& strip = strips.emplace_back();
      strip.Bitmap = NewBitmap(across, h, 24);
      stripBits = static_cast<std::uint8_t*>(strip.Bitmap->ScanLine(0));
      stripStride = std::size_t(((across * 24 + 31) / 32) * 4);
      if (masked) {
        strip.Mask = NewBitmap(across, h, 1);
        maskBits = static_cast<std::uint8_t*>(strip.Mask->ScanLine(0));
        maskStride = std::size_t(((across + 31) / 32) * 4);
      }
    }
    const TImage& image = FImages[std::size_t(k)];
    const int disposal = FrameDisposal(k);
    const int transparent = FrameTransparentIndex(k);
    const std::uint32_t* colors = FTables[std::size_t(image.TableIndex)].Entries;
    // Clipped to the screen.
    const int x0 = image.Left, y0 = image.Top;
    const int x1 = std::min(w, x0 + image.Width), y1 = std::min(h, y0 + image.Height);
    if (disposal == 3)
      saved = now;

    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* src = image.Pixels.data() + std::size_t(y - y0) * image.Width;
      for (int x = x0; x < x1; ++x) {
        const int value = src[x - x0];
        const std::size_t p = std::size_t(y) * std::size_t(w) + std::size_t(x);
        if (value == transparent) {
          // Frame 0 starts from an empty picture: black and transparent.
          if (k == 0) {
            now.Color[3 * p] = now.Color[3 * p + 1] = now.Color[3 * p + 2] = 0;
            now.Clear[p] = 1;
          }
          continue;
        }
        const std::uint32_t color = colors[value];
        now.Color[3 * p] = std::uint8_t(color >> 16);
        now.Color[3 * p + 1] = std::uint8_t(color >> 8);
        now.Color[3 * p + 2] = std::uint8_t(color);
        now.Clear[p] = 0;
      }
    }

    // The cell shows the picture as it stands.
    for (int y = 0; y < h; ++y) {
      std::memcpy(stripBits + std::size_t(y) * stripStride + std::size_t(c) * std::size_t(w) * 3,
                  now.Color.data() + std::size_t(y) * std::size_t(w) * 3, std::size_t(w) * 3);
      if (masked) {
        std::uint8_t* row = maskBits + std::size_t(y) * maskStride;
        const std::uint8_t* clear = now.Clear.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
          if (clear[x]) {
            const std::size_t bx = std::size_t(c) * std::size_t(w) + std::size_t(x);
            row[bx >> 3] |= std::uint8_t(0x80 >> (bx & 7));
          }
      }
    }

    // What the frame leaves for the next one.
    if (disposal == 2) {
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          const std::size_t p = std::size_t(y) * std::size_t(w) + std::size_t(x);
          if (masked) {
            now.Clear[p] = 1;
          } else {
            now.Color[3 * p] = bgBlue;
            now.Color[3 * p + 1] = bgGreen;
            now.Color[3 * p + 2] = bgRed;
          }
        }
    } else if (disposal == 3) {
      now = std::move(saved);
      saved = TPictureState();
    }
  }
  return strips;
}
