#include "platform/win/gdi/Screenshot.h"

#include <png.h>

#include <cstring>

#include "platform/win/gdi/detail/DCData.h"

using namespace gdi;

TPixelImage CaptureBitmap(HBITMAP bitmap)
{
  TPixelImage image;
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b)
    return image;
  image.Width = b->Width;
  image.Height = b->Height;
  image.Pixels.resize(std::size_t(b->Width) * std::size_t(b->Height));
  for (int y = 0; y < b->Height; ++y)
    for (int x = 0; x < b->Width; ++x)
      image.Pixels[std::size_t(y * b->Width + x)] = b->PixelAt(x, y);
  return image;
}

TPixelImage CaptureDC(HDC h)
{
  auto dc = LookupDC(h);
  if (!dc)
    return {};
  if (dc->Memory)
    return CaptureBitmap(dc->S.BitmapHandle);
  TRect r = dc->Visible.Intersect(TRect(0, 0, dc->Surface.Width, dc->Surface.Height)).Bounds();
  TPixelImage image;
  image.Width = r.Width();
  image.Height = r.Height();
  image.Pixels.resize(std::size_t(image.Width) * std::size_t(image.Height));
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      image.Pixels[std::size_t(y * image.Width + x)] = dc->Surface.Row(r.Top + y)[r.Left + x] & 0xFFFFFF;
  return image;
}

bool WritePng(const std::string& path, const TPixelImage& image)
{
  if (image.Width <= 0 || image.Height <= 0)
    return false;
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.Width);
  png.height = png_uint_32(image.Height);
  png.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> opaque(image.Pixels);
  for (auto& p : opaque)
    p |= 0xFF000000;
  return png_image_write_to_file(&png, path.c_str(), 0, opaque.data(), 0, nullptr) != 0;
}
