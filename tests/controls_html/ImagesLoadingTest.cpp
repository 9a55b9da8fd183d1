#include <gtest/gtest.h>

#include <memory>

#include "ImageTestSupport.h"
#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/DisplayState.h"
#include "controls/html/images/ImageDrawing.h"
#include "controls/html/images/ImageLoading.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

using namespace image_test;

namespace {

struct TLoaded {
  std::unique_ptr<TBitmap> Bitmap;
  std::unique_ptr<TBitmap> Mask;
  TTransparency Kind;
};

TLoaded Decode(const TBytes& Data, TTransparency Kind)
{
  TMemoryStream stream;
  if (!Data.empty())
    stream.WriteBuffer(Data.data(), Integer(Data.size()));
  TBitmap* mask = nullptr;
  TLoaded out;
  out.Kind = Kind;
  out.Bitmap.reset(DecodeImageStream(&stream, out.Kind, mask));
  out.Mask.reset(mask);
  return out;
}

// A palette PNG, 4 x 1, pixels of entries 0 to 3; entry 3 fully transparent,
// entry 1 half.
TBytes KeyPng(const TBytes& Trns = {255, 128, 255, 0})
{
  return SimplePng(4, 1, 8, 3, TBytes{0, 0, 1, 2, 3},
                   {Chunk("PLTE", TBytes{10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3}), Chunk("tRNS", Trns)});
}

class ImagesLoadingTest : public ::testing::Test {
protected:
  void TearDown() override
  {
    SetLowColorDisplay(false);
    MeasureDisplay();
  }
};

}  // namespace

TEST_F(ImagesLoadingTest, ImageKindFromTheFirstBytes)
{
  struct Case {
    TBytes Bytes;
    TImageKind Kind;
  } cases[] = {
      {{'B', 'M', 0}, TImageKind::Bmp},        {{'G', 'I', 'F', '8', '7'}, TImageKind::Gif87a},
      {{'G', 'I', 'F', '8', '9'}, TImageKind::Gif89a}, {{0x89, 'P', 'N', 'G'}, TImageKind::Png},
      {{0xFF, 0xD8, 0xFF}, TImageKind::Jpeg},  {{'G', 'I', 'F', '7'}, TImageKind::Unknown},
      {{'B'}, TImageKind::Unknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ImageKind(c.Bytes.data(), c.Bytes.size()), c.Kind);
}

TEST_F(ImagesLoadingTest, WhatGivesNoPicture)
{
  TBytes bmp = ReadFile(CorpusFile("bmp/bmp24.bmp"));
  ASSERT_GT(bmp.size(), 20u);
  EXPECT_EQ(Decode(TBytes(bmp.begin(), bmp.begin() + 19), NotTransp).Bitmap, nullptr);
  // Twenty bytes are examined (and this truncated BMP fails cleanly).
  EXPECT_EQ(Decode(TBytes(bmp.begin(), bmp.begin() + 20), NotTransp).Bitmap, nullptr);
  EXPECT_EQ(Decode(ReadFile(CorpusFile("smileys/smiley00.gif")), NotTransp).Bitmap, nullptr);
  const TBytes key = KeyPng();
  TLoaded broken = Decode(TBytes(key.begin(), key.end() - 20), LLCorner);
  EXPECT_EQ(broken.Bitmap, nullptr);
  EXPECT_EQ(broken.Mask, nullptr);
  TBitmap* mask = nullptr;
  TTransparency kind = NotTransp;
  EXPECT_EQ(LoadImageFile("/nonexistent/x.png", kind, mask), nullptr);
}

TEST_F(ImagesLoadingTest, JpegIsNeverTransparent)
{
  TLoaded jpeg = Decode(ReadFile(CorpusFile("smileys/smiley03.jpg")), LLCorner);
  ASSERT_NE(jpeg.Bitmap, nullptr);
  EXPECT_EQ(jpeg.Kind, NotTransp);
  EXPECT_EQ(jpeg.Mask, nullptr);
  EXPECT_EQ(jpeg.Bitmap->PixelFormat(), pf24bit);
}

TEST_F(ImagesLoadingTest, PalettePngKeyColour)
{
  TLoaded png = Decode(KeyPng(), NotTransp);
  ASSERT_NE(png.Bitmap, nullptr);
  EXPECT_EQ(png.Kind, TPngKey);
  ASSERT_NE(png.Mask, nullptr);
  // Key pixels black under a white mask; the half-transparent entry stays.
  EXPECT_EQ(Pixels(png.Bitmap.get()), (std::vector<std::uint32_t>{0x0A141E, 0x28323C, 0x46505A, 0x000000}));
  EXPECT_EQ(Pixels(png.Mask.get()), (std::vector<std::uint32_t>{0, 0, 0, 0xFFFFFF}));

  const TBytes data = KeyPng();
  TByteViewStream stream(data.data(), data.size());
  stream.SetPosition(0);
  TColor key = 0;
  EXPECT_TRUE(FindPngKeyColor(&stream, key));
  EXPECT_EQ(key, TColor(RGB(1, 2, 3)));
  EXPECT_EQ(stream.Position(), 0);
  // A truncated file, and a transparent index past the palette, give no key.
  TByteViewStream cut(data.data(), 60);
  EXPECT_FALSE(FindPngKeyColor(&cut, key));
  EXPECT_EQ(cut.Position(), 0);
  const TBytes beyond = KeyPng({255, 255, 255, 255, 0});
  TByteViewStream past(beyond.data(), beyond.size());
  EXPECT_FALSE(FindPngKeyColor(&past, key));
}

TEST_F(ImagesLoadingTest, AlphaPngBringsItsOwnMask)
{
  TLoaded png = Decode(SimplePng(2, 1, 8, 6, TBytes{0, 1, 2, 3, 0, 4, 5, 6, 255}), NotTransp);
  ASSERT_NE(png.Bitmap, nullptr);
  EXPECT_EQ(png.Kind, TGifMask);
  ASSERT_NE(png.Mask, nullptr);
  EXPECT_EQ(Pixels(png.Mask.get()), (std::vector<std::uint32_t>{0xFFFFFF, 0}));
}

TEST_F(ImagesLoadingTest, PreparedForTheDisplay)
{
  // 24 bits: a 24-bit BMP comes back as loaded, an 8-bit one as a screen bitmap.
  TLoaded deep = Decode(ReadFile(CorpusFile("bmp/bmp24.bmp")), NotTransp);
  ASSERT_NE(deep.Bitmap, nullptr);
  EXPECT_EQ(deep.Bitmap->PixelFormat(), pf24bit);
  TLoaded palette = Decode(ReadFile(CorpusFile("bmp/bmp8.bmp")), LLCorner);
  ASSERT_NE(palette.Bitmap, nullptr);
  EXPECT_EQ(palette.Bitmap->PixelFormat(), pfDevice);
  ASSERT_NE(palette.Mask, nullptr);
  // A 1-bit colour picture keeps its colours in the screen bitmap.
  TLoaded bilevel = Decode(SimplePng(2, 1, 1, 3, TBytes{0, 0x40}, {Chunk("PLTE", TBytes{200, 0, 0, 0, 0, 200})}),
                           NotTransp);
  ASSERT_NE(bilevel.Bitmap, nullptr);
  EXPECT_EQ(Pixels(bilevel.Bitmap.get()), (std::vector<std::uint32_t>{0xC80000, 0x0000C8}));
  // The lower-left pixel's colour is what the mask clears.
  const auto px = Pixels(palette.Bitmap.get());
  const auto mk = Pixels(palette.Mask.get());
  const std::size_t lowerLeft = std::size_t(palette.Bitmap->Height() - 1) * std::size_t(palette.Bitmap->Width());
  for (std::size_t i = 0; i < px.size(); ++i)
    EXPECT_EQ(mk[i] != 0, px[i] == px[lowerLeft]) << i;

  // 8 bits: pictures are reduced to the viewer's palette.
  SetLowColorDisplay(true);
  MeasureDisplay();
  ASSERT_EQ(ColorBits(), 8);
  TLoaded reduced = Decode(ReadFile(CorpusFile("smileys/smiley03.jpg")), NotTransp);
  ASSERT_NE(reduced.Bitmap, nullptr);
  EXPECT_EQ(reduced.Bitmap->PixelFormat(), pf8bit);
  const std::vector<PALETTEENTRY> shared = PaletteEntries(ThePalette());
  const std::vector<RGBQUAD> table = ReadColorTable(reduced.Bitmap.get());
  ASSERT_EQ(shared.size(), 256u);
  for (std::size_t i = 0; i < 256; ++i)
    EXPECT_EQ(table[i].rgbRed, shared[i].peRed) << i;
}

TEST_F(ImagesLoadingTest, WidenThinImage)
{
  struct Case {
    int W, H, AskW, AskH, WantW, WantH;
  } cases[] = {{1, 1, 300, 20, 100, 20}, {1, 200, 50, 0, 50, 200}, {3, 1, 10, 7, 3, 7}};
  for (const Case& c : cases) {
    TBitmap source;
    source.SetSize(c.W, c.H);
    std::unique_ptr<TBitmap> wide(WidenThinImage(&source, c.AskW, c.AskH));
    EXPECT_EQ(wide->Width(), c.WantW);
    EXPECT_EQ(wide->Height(), c.WantH);
  }
}

TEST_F(ImagesLoadingTest, BitmapToRegion)
{
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(3, 1);
  bitmap.Canvas()->Brush()->SetColor(TColor(RGB(1, 2, 3)));
  bitmap.Canvas()->FillRect(TRect(0, 0, 3, 1));
  bitmap.Canvas()->SetPixels(1, 0, TColor(RGB(9, 9, 9)));
  HRGN region = BitmapToRegion(&bitmap, nullptr, TColor(RGB(1, 2, 3)));
  ASSERT_NE(region, nullptr);
  TRect box;
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_EQ(box, TRect(1, 0, 2, 1));
  DeleteObject(region);
  EXPECT_EQ(BitmapToRegion(&bitmap, nullptr, TColor(RGB(9, 9, 9))) != nullptr, true);

  // 2500 runs: more than one piece of 2000 rectangles.
  TBitmap stripes;
  stripes.SetPixelFormat(pf24bit);
  stripes.SetSize(100, 50);
  stripes.Canvas()->Brush()->SetColor(clBlack);
  stripes.Canvas()->FillRect(TRect(0, 0, 100, 50));
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; x += 2)
      stripes.Canvas()->SetPixels(x, y, clWhite);
  HRGN many = BitmapToRegion(&stripes, nullptr, clBlack);
  ASSERT_NE(many, nullptr);
  for (int y : {0, 49})
    for (int x : {0, 2, 98}) {
      EXPECT_TRUE(PtInRegion(many, x, y)) << x << "," << y;
      EXPECT_FALSE(PtInRegion(many, x + 1, y)) << x + 1 << "," << y;
    }
  DeleteObject(many);
}

TEST_F(ImagesLoadingTest, PrintMaskedImageLeavesTransparentPixels)
{
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(2, 1);
  picture.Canvas()->SetPixels(0, 0, TColor(RGB(200, 0, 0)));
  picture.Canvas()->SetPixels(1, 0, TColor(RGB(0, 0, 200)));
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(2, 1);
  mask.Canvas()->SetPixels(0, 0, clBlack);
  mask.Canvas()->SetPixels(1, 0, clWhite);
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 2);
  target.Canvas()->Brush()->SetColor(TColor(RGB(0, 90, 0)));
  target.Canvas()->FillRect(TRect(0, 0, 4, 2));
  PrintMaskedImage(target.Canvas()->Handle(), &picture, &mask, 0, 0, 4, 2);
  EXPECT_EQ(Pixels(&target), (std::vector<std::uint32_t>{0xC80000, 0xC80000, 0x005A00, 0x005A00, 0xC80000, 0xC80000,
                                                         0x005A00, 0x005A00}));
}
