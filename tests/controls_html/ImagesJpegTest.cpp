#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ImageTestSupport.h"
#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/JpegMod.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Picture.h"
#include "platform/win/gdi/gdi.h"

using namespace image_test;

namespace {

// djpeg's PNM output of a file: the pixels as 0x00RRGGBB (grey as r = g = b).
std::vector<std::uint32_t> Djpeg(const std::string& Path, int& Width, int& Height)
{
  const std::string command = "djpeg -pnm '" + Path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  std::vector<std::uint32_t> out;
  if (!pipe)
    return out;
  char kind[3] = {};
  int max = 0;
  if (std::fscanf(pipe, "%2s %d %d %d", kind, &Width, &Height, &max) == 4) {
    std::fgetc(pipe);
    const bool grey = std::string(kind) == "P5";
    for (long i = 0; i < long(Width) * Height; ++i) {
      const int r = std::fgetc(pipe), g = grey ? r : std::fgetc(pipe), b = grey ? r : std::fgetc(pipe);
      out.push_back(std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b));
    }
  }
  pclose(pipe);
  return out;
}

}  // namespace

TEST(ImagesJpegTest, DecodesAsDjpegDoes)
{
  for (const char* name : {"jpeg/photo-640x480.jpg", "jpeg/photo-640x480-progressive.jpg", "jpeg/grey-640x480.jpg",
                           "smileys/smiley03.jpg"}) {
    const std::string path = CorpusFile(name);
    int w = 0, h = 0;
    const std::vector<std::uint32_t> want = Djpeg(path, w, h);
    ASSERT_FALSE(want.empty()) << name;
    const TBytes data = ReadFile(path);
    TByteViewStream stream(data.data(), data.size());
    TJpegMod jpeg;
    jpeg.LoadFromStream(&stream);
    EXPECT_EQ(jpeg.Width(), w);
    EXPECT_EQ(jpeg.Height(), h);
    EXPECT_EQ(jpeg.Grayscale(), std::string(name).find("grey") != std::string::npos);
    EXPECT_EQ(Pixels(jpeg.Bitmap()), want) << name;
  }
}

TEST(ImagesJpegTest, EightBitOutputUsesTheGivenPalette)
{
  const TBytes data = ReadFile(CorpusFile("smileys/smiley07.jpg"));
  TByteViewStream stream(data.data(), data.size());
  TJpegMod jpeg;
  jpeg.LoadFromStream(&stream);
  jpeg.SetPixelFormat(jf8Bit);
  std::vector<PALETTEENTRY> entries;
  for (int i = 0; i < 27; ++i)
    entries.push_back(PALETTEENTRY{BYTE(i / 9 * 127), BYTE(i / 3 % 3 * 127), BYTE(i % 3 * 127), 0});
  HPALETTE palette = PaletteFromEntries(entries.data(), int(entries.size()));
  jpeg.SetPalette(palette);
  DeleteObject(palette);
  TBitmap* bitmap = jpeg.Bitmap();
  EXPECT_EQ(bitmap->PixelFormat(), pf8bit);
  for (std::uint32_t p : Pixels(bitmap)) {
    const std::uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
    EXPECT_TRUE(r % 127 == 0 && g % 127 == 0 && b % 127 == 0) << std::hex << p;
  }
}

TEST(ImagesJpegTest, HostileData)
{
  struct Case {
    const char* Name;
    TBytes Data;
  } cases[] = {
      {"not jpeg", TBytes(100, 7)},
      {"markers only", TBytes{0xFF, 0xD8, 0xFF, 0xD9}},
      // A frame header of 65000 x 65000: refused before anything is allocated.
      {"huge", TBytes{0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0xFD, 0xE8, 0xFD, 0xE8, 1, 1, 0x11, 0, 0xFF, 0xD9}},
  };
  for (const Case& c : cases) {
    TByteViewStream stream(c.Data.data(), c.Data.size());
    TJpegMod jpeg;
    EXPECT_THROW(
        {
          jpeg.LoadFromStream(&stream);
          jpeg.DIBNeeded();
        },
        EInvalidGraphic)
        << c.Name;
  }
  // A truncated file is not a failure: its missing rows are grey.
  TBytes data = ReadFile(CorpusFile("jpeg/photo-640x480.jpg"));
  data.resize(data.size() / 2);
  TByteViewStream stream(data.data(), data.size());
  TJpegMod jpeg;
  jpeg.LoadFromStream(&stream);
  EXPECT_EQ(jpeg.Bitmap()->Height(), 480);
  EXPECT_NE(TPicture::FindGraphicClass("JPG"), nullptr);
}
