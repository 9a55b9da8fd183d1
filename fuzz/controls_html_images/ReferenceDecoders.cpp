#include "ReferenceDecoders.h"

#include <csetjmp>
#include <cstring>

#include <gif_lib.h>
#include <png.h>

namespace {

struct TPngSource {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos;
};

void ReadPng(png_structp Png, png_bytep Out, png_size_t Count)
{
  auto* src = static_cast<TPngSource*>(png_get_io_ptr(Png));
  if (src->Size - src->Pos < Count)
    png_error(Png, "end of data");
  std::memcpy(Out, src->Data + src->Pos, Count);
  src->Pos += Count;
}

void Fail(png_structp Png, png_const_charp)
{
  png_longjmp(Png, 1);
}

void Silent(png_structp, png_const_charp) {}

}  // namespace

bool ReferencePngDecode(const std::uint8_t* Data, std::size_t Size, TRgbPicture& Picture)
{
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Silent);
  if (!png)
    return false;
  png_infop info = png_create_info_struct(png);
  TPngSource source{Data, Size, 0};
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &source, ReadPng);
  png_set_user_limits(png, 0x8000, 0x8000);
  png_set_chunk_malloc_max(png, 16 << 20);
  png_read_info(png, info);
  const int width = int(png_get_image_width(png, info)), height = int(png_get_image_height(png, info));
  const int colorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  if (std::int64_t(width) * height > (std::int64_t(1) << 26)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  pixels.resize(rowBytes * std::size_t(height));
  rows.resize(std::size_t(height));
  for (int y = 0; y < height; ++y)
    rows[std::size_t(y)] = pixels.data() + std::size_t(y) * rowBytes;
  png_read_image(png, rows.data());

  png_colorp palette = nullptr;
  int paletteCount = 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE)
    png_get_PLTE(png, info, &palette, &paletteCount);
  Picture.Width = width;
  Picture.Height = height;
  Picture.HasGamma = png_get_valid(png, info, PNG_INFO_gAMA) != 0;
  Picture.Rgb.assign(std::size_t(width) * std::size_t(height) * 3, 0);
  const int channels = png_get_channels(png, info);
  const int levels = (1 << (depth > 8 ? 8 : depth)) - 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = rows[std::size_t(y)] + std::size_t(x) * std::size_t(channels);
      std::uint8_t* q = Picture.Rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
      if (colorType == PNG_COLOR_TYPE_PALETTE) {
        if (p[0] < paletteCount) {
          q[0] = palette[p[0]].red;
          q[1] = palette[p[0]].green;
          q[2] = palette[p[0]].blue;
        }
      } else if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        const int v = (p[0] * 255 + levels / 2) / levels;
        q[0] = q[1] = q[2] = std::uint8_t(v);
      } else {
        q[0] = p[0];
        q[1] = p[1];
        q[2] = p[2];
      }
    }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

namespace {

struct TGifSource {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos;
};

int ReadGif(GifFileType* File, GifByteType* Out, int Count)
{
  auto* src = static_cast<TGifSource*>(File->UserData);
  std::size_t n = std::min<std::size_t>(std::size_t(Count), src->Size - src->Pos);
  std::memcpy(Out, src->Data + src->Pos, n);
  src->Pos += n;
  return int(n);
}

}  // namespace

bool ReferenceGifDecode(const std::uint8_t* Data, std::size_t Size, TGifFrames& Frames)
{
  TGifSource source{Data, Size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadGif, &error);
  if (!gif)
    return false;
  if (DGifSlurp(gif) != GIF_OK) {
    DGifCloseFile(gif, &error);
    return false;
  }
  Frames.ScreenWidth = gif->SWidth;
  Frames.ScreenHeight = gif->SHeight;
  Frames.Background = gif->SBackGroundColor;
  if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
    const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
    Frames.BackgroundColor = std::uint32_t(c.Red) | std::uint32_t(c.Green) << 8 | std::uint32_t(c.Blue) << 16;
  }
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    TGifFrames::TFrame frame;
    frame.Left = image.ImageDesc.Left;
    frame.Top = image.ImageDesc.Top;
    frame.Width = image.ImageDesc.Width;
    frame.Height = image.ImageDesc.Height;
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
      frame.Disposal = gcb.DisposalMode & 3;
      frame.Transparent = gcb.TransparentColor;
    }
    const std::size_t count = std::size_t(frame.Width) * std::size_t(frame.Height);
    if (image.RasterBits)
      frame.Indexes.assign(image.RasterBits, image.RasterBits + count);
    else
      frame.Indexes.assign(count, 0);
    frame.Colors.assign(256, 0);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    if (map)
      for (int c = 0; c < map->ColorCount && c < 256; ++c)
        frame.Colors[std::size_t(c)] = std::uint32_t(map->Colors[c].Red) | std::uint32_t(map->Colors[c].Green) << 8 |
                                       std::uint32_t(map->Colors[c].Blue) << 16;
    Frames.Frames.push_back(std::move(frame));
  }
  DGifCloseFile(gif, &error);
  return true;
}

void ComposeReferenceStrip(const TGifFrames& Frames, int Width, int Height, std::vector<std::uint8_t>& Bgr,
                           std::vector<std::uint8_t>& Clear)
{
  const std::size_t n = Frames.Frames.size();
  const std::size_t cell = std::size_t(Width) * std::size_t(Height);
  bool masked = false;
  for (const auto& f : Frames.Frames)
    masked = masked || f.Transparent >= 0;
  Bgr.assign(cell * n * 3, 0);
  Clear.assign(cell * n, 0);
  std::vector<std::uint8_t> color(cell * 3, 0), clear(cell, 1), savedColor, savedClear;
  for (std::size_t k = 0; k < n; ++k) {
    const auto& f = Frames.Frames[k];
    if (f.Disposal == 3) {
      savedColor = color;
      savedClear = clear;
    }
    for (int y = 0; y < f.Height; ++y)
      for (int x = 0; x < f.Width; ++x) {
        const int sx = f.Left + x, sy = f.Top + y;
        if (sx >= Width || sy >= Height)
          continue;
        const std::size_t p = std::size_t(sy) * std::size_t(Width) + std::size_t(sx);
        const int v = f.Indexes[std::size_t(y) * std::size_t(f.Width) + std::size_t(x)];
        if (v == f.Transparent) {
          if (k == 0) {
            color[3 * p] = color[3 * p + 1] = color[3 * p + 2] = 0;
            clear[p] = 1;
          }
          continue;
        }
        const std::uint32_t c = f.Colors[std::size_t(v)];
        color[3 * p] = std::uint8_t(c >> 16);
        color[3 * p + 1] = std::uint8_t(c >> 8);
        color[3 * p + 2] = std::uint8_t(c);
        clear[p] = 0;
      }
    for (std::size_t p = 0; p < cell; ++p) {
      const std::size_t y = p / std::size_t(Width), x = p % std::size_t(Width);
      const std::size_t q = y * std::size_t(Width) * n + k * std::size_t(Width) + x;
      std::memcpy(&Bgr[3 * q], &color[3 * p], 3);
      Clear[q] = masked ? clear[p] : 0;
    }
    if (f.Disposal == 2) {
      for (int y = f.Top; y < f.Top + f.Height && y < Height; ++y)
        for (int x = f.Left; x < f.Left + f.Width && x < Width; ++x) {
          const std::size_t p = std::size_t(y) * std::size_t(Width) + std::size_t(x);
          if (masked) {
            clear[p] = 1;
          } else {
            color[3 * p] = std::uint8_t(Frames.BackgroundColor >> 16);
            color[3 * p + 1] = std::uint8_t(Frames.BackgroundColor >> 8);
            color[3 * p + 2] = std::uint8_t(Frames.BackgroundColor);
          }
        }
    } else if (f.Disposal == 3) {
      color = savedColor;
      clear = savedClear;
    }
  }
}
