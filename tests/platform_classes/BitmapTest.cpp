#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Picture.h"

namespace {

BYTE Red(TColor c)
{
  return GetRValue(COLORREF(c));
}

void Fill(TBitmap& b, TColor color)
{
  b.Canvas()->Brush()->SetColor(color);
  b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
}

}  // namespace

TEST(BitmapTest, PixelFormatsGiveTheirRowLayoutAndKeepColours)
{
  struct Case {
    TPixelFormat Format;
    int Bits;
    TColor Written;
  } cases[] = {
      {pf1bit, 1, clBlack}, {pf4bit, 4, clRed},    {pf8bit, 8, clRed},     {pf15bit, 16, clRed},
      {pf16bit, 16, clRed}, {pf24bit, 24, clRed}, {pf32bit, 32, clRed},
  };
  for (const Case& c : cases) {
    TBitmap b;
    b.SetPixelFormat(c.Format);
    b.SetSize(13, 3);
    EXPECT_EQ(b.PixelFormat(), c.Format);
    EXPECT_EQ(b.HandleType(), bhDIB);
    auto* row0 = static_cast<std::uint8_t*>(b.ScanLine(0));
    auto* row1 = static_cast<std::uint8_t*>(b.ScanLine(1));
    EXPECT_EQ(row1 - row0, (13 * c.Bits + 31) / 32 * 4) << int(c.Format);
    b.Canvas()->SetPixels(5, 1, c.Written);
    TColor read = b.Canvas()->Pixels(5, 1);
    if (c.Bits == 16)
      EXPECT_GE(Red(read), 0xF0) << int(c.Format);
    else
      EXPECT_EQ(read, c.Written) << int(c.Format);
    EXPECT_EQ(b.Canvas()->Pixels(4, 1), clWhite) << int(c.Format);  // new pixels take the brush
  }
}

TEST(BitmapTest, ScanLineWritesShowThroughTheCanvas)
{
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(4, 3);
  auto* row = static_cast<std::uint8_t*>(b.ScanLine(2));
  row[3] = 0x10;  // pixel 1: blue, green, red
  row[4] = 0x20;
  row[5] = 0x30;
  EXPECT_EQ(b.Canvas()->Pixels(1, 2), TColor(RGB(0x30, 0x20, 0x10)));
  EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
}

TEST(BitmapTest, ChangingFormatsConvertsThePicture)
{
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(3, 1);
  b.Canvas()->SetPixels(0, 0, clRed);
  b.Canvas()->SetPixels(1, 0, clLime);
  b.Canvas()->SetPixels(2, 0, clWhite);
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), clLime);
  b.SetMonochrome(true);
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(b.Canvas()->Pixels(2, 0), clWhite);
  EXPECT_THROW(b.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(BitmapTest, AssignSharesUntilEitherChanges)
{
  TBitmap a, b;
  a.SetPixelFormat(pf32bit);
  a.SetSize(4, 4);
  Fill(a, clRed);
  int changes = 0;
  struct Counter {
    int* N;
    void Changed(TObject*) { ++*N; }
  } counter{&changes};
  b.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Handle(), a.Handle());
  b.Canvas()->SetPixels(1, 1, clGreen);
  EXPECT_NE(b.Handle(), a.Handle());
  EXPECT_EQ(a.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clGreen);
  EXPECT_EQ(b.Canvas()->Pixels(2, 2), clRed);
  EXPECT_GE(changes, 2);
  // Rows written through ScanLine do not reach the other bitmap either.
  TBitmap c;
  c.Assign(&a);
  static_cast<std::uint32_t*>(c.ScanLine(0))[0] = 0x0000FF;
  EXPECT_EQ(c.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(a.Canvas()->Pixels(0, 0), clRed);
}

TEST(BitmapTest, ResizingKeepsTheTopLeftAndFillsWithTheBrush)
{
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(2, 2);
  Fill(b, clRed);
  b.Canvas()->Brush()->SetColor(clYellow);
  b.SetSize(3, 3);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(2, 2), clYellow);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
}

TEST(BitmapTest, TransparentDrawingSkipsTheTransparentColour)
{
  TBitmap sprite;
  sprite.SetPixelFormat(pf24bit);
  sprite.SetSize(3, 2);
  Fill(sprite, clFuchsia);
  sprite.Canvas()->SetPixels(1, 0, clBlue);
  sprite.Canvas()->SetPixels(1, 1, clBlue);
  sprite.SetTransparent(true);
  EXPECT_EQ(sprite.TransparentMode(), tmAuto);
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);  // the bottom-left pixel

  TBitmap screen;
  screen.SetPixelFormat(pf32bit);
  screen.SetSize(8, 4);
  Fill(screen, clGreen);
  screen.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(screen.Canvas()->Pixels(1, 1), clGreen);
  EXPECT_EQ(screen.Canvas()->Pixels(2, 1), clBlue);
  EXPECT_EQ(screen.Canvas()->Pixels(3, 2), clGreen);

  // A fixed colour instead, and stretched: the blue column becomes transparent.
  sprite.SetTransparentColor(clBlue);
  EXPECT_EQ(sprite.TransparentMode(), tmFixed);
  Fill(screen, clGreen);
  screen.Canvas()->StretchDraw(TRect(0, 0, 6, 4), &sprite);
  EXPECT_EQ(screen.Canvas()->Pixels(0, 0), clFuchsia);
  EXPECT_EQ(screen.Canvas()->Pixels(2, 3), clGreen);
  EXPECT_EQ(screen.Canvas()->Pixels(3, 3), clGreen);
  EXPECT_EQ(screen.Canvas()->Pixels(5, 3), clFuchsia);

  // Opaque drawing copies every pixel.
  sprite.SetTransparent(false);
  screen.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(screen.Canvas()->Pixels(1, 0), clBlue);

  // Rows written through ScanLine count for the next transparent drawing.
  sprite.SetTransparent(true);
  Fill(screen, clGreen);
  screen.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(screen.Canvas()->Pixels(1, 0), clGreen);
  auto* row = static_cast<std::uint8_t*>(sprite.ScanLine(0));
  row[3] = 0xFF;  // pixel 1 becomes fuchsia (blue, green, red)
  row[4] = 0x00;
  row[5] = 0xFF;
  Fill(screen, clGreen);
  screen.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(screen.Canvas()->Pixels(1, 0), clFuchsia);
  EXPECT_EQ(screen.Canvas()->Pixels(1, 1), clGreen);
}

TEST(BitmapTest, StreamsHoldExactlyOneFileAndRefuseGarbage)
{
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(5, 3);
  Fill(b, clNavy);
  b.Canvas()->SetPixels(4, 2, clYellow);
  TMemoryStream stream;
  b.SaveToStream(&stream);
  const char marker[] = "NEXT";
  stream.WriteBuffer(marker, 4);
  stream.SetPosition(0);
  TBitmap copy;
  copy.LoadFromStream(&stream);
  EXPECT_EQ(stream.Size() - stream.Position(), 4);
  EXPECT_EQ(copy.Width(), 5);
  EXPECT_EQ(copy.PixelFormat(), pf24bit);
  EXPECT_EQ(copy.Canvas()->Pixels(4, 2), clYellow);
  EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clNavy);

  for (std::string garbage : {std::string("BM"), std::string("XX") + std::string(60, '\0'),
                              std::string("BM\x40\0\0\0\0\0\0\0\x36\0\0\0", 14) + std::string(50, '\xFF')}) {
    TMemoryStream bad;
    bad.WriteBuffer(garbage.data(), Integer(garbage.size()));
    bad.SetPosition(0);
    TBitmap target;
    EXPECT_THROW(target.LoadFromStream(&bad), EInvalidGraphic);
  }
}

TEST(BitmapTest, DormantBitmapComesBackWhenUsed)
{
  TBitmap b;
  b.SetPixelFormat(pf8bit);
  b.SetSize(3, 3);
  Fill(b, clTeal);
  b.Dormant();
  EXPECT_FALSE(b.HandleAllocated());
  EXPECT_EQ(b.Canvas()->Pixels(2, 2), clTeal);
  EXPECT_EQ(b.PixelFormat(), pf8bit);
}

TEST(BitmapTest, PictureLoadsByRegisteredExtension)
{
  std::string path = ::testing::TempDir() + "picture_test.bmp";
  {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(2, 2);
    Fill(b, clMaroon);
    b.SaveToFile(path);
  }
  TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(1, 1), clMaroon);
  try {
    picture.LoadFromFile("image.xyz");
    FAIL() << "unknown extension accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Extension de fichier image inconnue (.xyz)");
  }
  // A decoder registered later takes its extension (the latest one wins).
  TGraphicClass factory = []() -> TGraphic* { return new TBitmap; };
  TPicture::RegisterFileFormat("XYZ", "Test", factory);
  EXPECT_EQ(TPicture::FindGraphicClass("xyz"), factory);
  TPicture::UnregisterGraphicClass(factory);
  EXPECT_EQ(TPicture::FindGraphicClass("xyz"), nullptr);
  std::remove(path.c_str());
}
