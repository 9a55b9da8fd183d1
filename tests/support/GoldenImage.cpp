#include "tests/support/GoldenImage.h"

#include <png.h>

#include <cstring>

bool ReadPng(const std::string& path, TPixelImage& image)
{
  image = TPixelImage();
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str()))
    return false;
  if (png.width == 0 || png.height == 0 || png.width > 16384 || png.height > 16384) {
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(std::size_t(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  for (auto& p : pixels)
    p &= 0xFFFFFF;
  image.Width = int(png.width);
  image.Height = int(png.height);
  image.Pixels = std::move(pixels);
  return true;
}

bool MatchesGolden(const TPixelImage& picture, const std::string& goldenPath, std::string* message)
{
  TPixelImage golden;
  bool read = ReadPng(goldenPath, golden);
  if (read && golden == picture)
    return true;
  std::string failed = goldenPath;
  if (failed.size() > 4 && failed.compare(failed.size() - 4, 4, ".png") == 0)
    failed.resize(failed.size() - 4);
  failed += "-FAILED.png";
  WritePng(failed, picture);
  if (message) {
    if (!read)
      *message = "no golden picture at " + goldenPath + "; the picture is in " + failed;
    else if (golden.Width != picture.Width || golden.Height != picture.Height)
      *message = "sizes differ (" + std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + " against " +
                 std::to_string(golden.Width) + "x" + std::to_string(golden.Height) + "); the picture is in " + failed;
    else {
      std::size_t i = 0;
      while (golden.Pixels[i] == picture.Pixels[i])
        ++i;
      *message = "first difference at (" + std::to_string(int(i) % picture.Width) + ", " +
                 std::to_string(int(i) / picture.Width) + "); the picture is in " + failed;
    }
  }
  return false;
}
