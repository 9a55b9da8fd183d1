#include <gtest/gtest.h>

#include <functional>

#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWImageStates.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "platform/base/Exception.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/SysColors.h"

namespace {

constexpr uint32_t GreyPixel(int v) { return uint32_t(v) * 0x010101; }
// Surface pixels are 0x00RRGGBB.
constexpr uint32_t Pix(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

class ThemeDrawing : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SelectSysColorScheme(TSysColorScheme::Classic);
  }
  uint32_t At(int x, int y)
  {
    GdiFlush();
    return Surface.At(x, y) & 0xFFFFFF;
  }
  TScratchBitmap Surface{16, 16};
};

TEST_F(ThemeDrawing, NoColourDrawsNothingButFramesStillShrink)
{
  Surface.Fill(GreyPixel(50));
  const TRect all{0, 0, 16, 16};
  EXPECT_FALSE(FillRectColor(Surface.DC(), all, clNone));
  TRect r = all;
  FrameRectColor(Surface.DC(), r, clNone, true);
  EXPECT_EQ(r, (TRect{1, 1, 15, 15}));
  const TPoint triangle[3] = {{0, 0}, {10, 0}, {0, 10}};
  PolygonColors(Surface.DC(), triangle, 2, clNone, clNone);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(At(x, y), GreyPixel(50));
  EXPECT_TRUE(FillRectColor(Surface.DC(), all, clBtnShadow));
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(At(7, 7), Pix(GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)));
}

TEST_F(ThemeDrawing, FramesLinesAndPolygonsInTheirColours)
{
  Surface.Fill(0);
  TRect r{2, 2, 8, 8};
  FrameRectColor(Surface.DC(), r, TColor(0x0000FF), true);
  EXPECT_EQ(r, (TRect{3, 3, 7, 7}));
  EXPECT_EQ(At(2, 2), Pix(255, 0, 0));
  EXPECT_EQ(At(7, 7), Pix(255, 0, 0));
  EXPECT_EQ(At(3, 3), 0u);
  DrawLineColor(Surface.DC(), 0, 12, 5, 12, TColor(0x00FF00));
  EXPECT_EQ(At(4, 12), Pix(0, 255, 0));
  EXPECT_EQ(At(5, 12), 0u);  // the end pixel is left out
  const TPoint square[4] = {{10, 10}, {14, 10}, {14, 14}, {10, 14}};
  PolygonColors(Surface.DC(), square, 3, clNone, TColor(0xFF0000));
  EXPECT_EQ(At(12, 12), Pix(0, 0, 255));
}

TEST_F(ThemeDrawing, DitherAlternatesTheTwoColours)
{
  FillRectDithered(Surface.DC(), TRect{0, 0, 8, 8}, TColor(0x0000FF), TColor(0xFFFFFF));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(At(x, y), (x + y) % 2 == 0 ? Pix(255, 0, 0) : GreyPixel(255)) << x << "," << y;
}

TEST_F(ThemeDrawing, Frame3DDrawsBothCornersAndShrinksTheChosenOne)
{
  Surface.Fill(0);
  TRect r{0, 0, 6, 6};
  DrawFrame3D(Surface.DC(), r, TColor(0xFFFFFF), TColor(0x0000FF), true);
  EXPECT_EQ(r, (TRect{1, 1, 5, 5}));
  EXPECT_EQ(At(0, 0), GreyPixel(255));
  EXPECT_EQ(At(0, 4), GreyPixel(255));
  EXPECT_EQ(At(4, 0), GreyPixel(255));
  EXPECT_EQ(At(5, 0), Pix(255, 0, 0));
  EXPECT_EQ(At(5, 5), Pix(255, 0, 0));
  EXPECT_EQ(At(0, 5), Pix(255, 0, 0));
  EXPECT_EQ(At(6, 6), 0u);
  TRect s{0, 0, 6, 6};
  DrawFrame3D(Surface.DC(), s, TColor(0xFFFFFF), TColor(0x0000FF), false);
  EXPECT_EQ(s, (TRect{0, 0, 4, 4}));
}

TEST_F(ThemeDrawing, PatternGlyphPaintsItsSetBitsCentred)
{
  Surface.Fill(0);
  // Two rows of three pixels: 101 and 010 (bit 7 of the low byte leftmost).
  const WORD bits[2] = {0x00A0, 0x0040};
  DrawPatternGlyph(Surface.DC(), TRect{0, 0, 7, 6}, 3, 2, bits, TColor(0xFFFFFF));
  // Centred: x from 2, y from 2.
  EXPECT_EQ(At(2, 2), GreyPixel(255));
  EXPECT_EQ(At(3, 2), 0u);
  EXPECT_EQ(At(4, 2), GreyPixel(255));
  EXPECT_EQ(At(3, 3), GreyPixel(255));
  EXPECT_EQ(At(2, 3), 0u);
  EXPECT_EQ(At(1, 2), 0u);
}

// A 4 x 4 image list whose image 0 is a 2 x 2 block of the given colours at
// (1, 1) on a transparent ground (white is the mask colour).
class ImageFixture {
public:
  explicit ImageFixture(const uint32_t (&block)[4])
  {
    TScratchBitmap art(4, 4);
    art.Fill(0xFFFFFF);
    art.At(1, 1) = block[0];
    art.At(2, 1) = block[1];
    art.At(1, 2) = block[2];
    art.At(2, 2) = block[3];
    HBITMAP image = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    BitBlt(dc, 0, 0, 4, 4, art.DC(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    HIMAGELIST handle = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddMasked(handle, image, RGB(255, 255, 255));
    DeleteObject(image);
    List.SetHandle(handle);
  }
  TCustomImageList List{nullptr, 4, 4};
};

class ThemeImageStates : public ThemeDrawing {
protected:
  void Draw(const std::function<void(TCanvas*)>& draw)
  {
    TCanvas canvas;
    canvas.SetHandle(Surface.DC());
    draw(&canvas);
    canvas.SetHandle(nullptr);
  }
};

TEST_F(ThemeImageStates, SilhouetteThresholdAndMaskSilhouette)
{
  ImageFixture image({GreyPixel(180), GreyPixel(181), 0, GreyPixel(254)});
  Surface.Fill(Pix(0, 0, 100));
  Draw([&](TCanvas* c) { DrawImageSilhouette(c, TRect{0, 0, 4, 4}, &image.List, 0, TColor(0x0000FF)); });
  EXPECT_EQ(At(1, 1), Pix(255, 0, 0));  // 45900 is below 46081
  EXPECT_EQ(At(2, 1), Pix(0, 0, 100));  // 46155 is not
  EXPECT_EQ(At(1, 2), Pix(255, 0, 0));  // black
  EXPECT_EQ(At(0, 0), Pix(0, 0, 100));  // transparent
  Surface.Fill(Pix(0, 0, 100));
  Draw([&](TCanvas* c) { DrawImageMaskSilhouette(c, TRect{0, 0, 4, 4}, &image.List, 0, TColor(0x00FF00)); });
  EXPECT_EQ(At(2, 1), Pix(0, 255, 0));
  EXPECT_EQ(At(2, 2), Pix(0, 255, 0));
  EXPECT_EQ(At(3, 3), Pix(0, 0, 100));
  Surface.Fill(Pix(0, 0, 100));
  Draw([&](TCanvas* c) { DrawGlyphCentered(c->Handle(), TRect{0, 0, 8, 8}, &image.List, 0, TColor(0x00FF00)); });
  EXPECT_EQ(At(3, 3), Pix(0, 255, 0));  // (1, 1) of the image, placed at (2, 2)
  EXPECT_EQ(At(2, 2), Pix(0, 0, 100));
}

TEST_F(ThemeImageStates, PerPixelLooks)
{
  ImageFixture image({Pix(254, 255, 255), Pix(10, 20, 30), Pix(100, 150, 200), GreyPixel(120)});
  const TRect area{4, 4, 8, 8};
  struct TCase {
    const char* Name;
    std::function<void(TCanvas*)> Draw;
    uint32_t Expected[4];
  } cases[] = {
      {"contrasting", [&](TCanvas* c) { DrawImageContrasting(c, area, &image.List, 0, true); },
       // near white -> black, near black -> white, then +32
       {GreyPixel(32), GreyPixel(255), Pix(132, 182, 232), GreyPixel(152)}},
      {"blended", [&](TCanvas* c) { DrawImageBlended(c, area, &image.List, 0, 128); },
       // (40 * 127 + i * 128) >> 8
       {Pix(146, 147, 147), Pix(24, 29, 34), Pix(69, 94, 119), GreyPixel(79)}},
      {"tinted", [&](TCanvas* c) { DrawImageTinted(c, area, &image.List, 0, TColor(0x0000FF), 0); },
       // Colour * 255 >> 8
       {Pix(254, 0, 0), Pix(254, 0, 0), Pix(254, 0, 0), Pix(254, 0, 0)}},
      {"washed", [&](TCanvas* c) { DrawImageWashed(c, area, &image.List, 0, 0); },
       // 40 * (brightness div 3 + 170) >> 8
       {GreyPixel(39), GreyPixel(27), GreyPixel(33), GreyPixel(32)}},
  };
  for (const TCase& k : cases) {
    Surface.Fill(GreyPixel(40));
    Draw(k.Draw);
    EXPECT_EQ(At(5, 5), k.Expected[0]) << k.Name;
    EXPECT_EQ(At(6, 5), k.Expected[1]) << k.Name;
    EXPECT_EQ(At(5, 6), k.Expected[2]) << k.Name;
    EXPECT_EQ(At(6, 6), k.Expected[3]) << k.Name;
    EXPECT_EQ(At(4, 4), GreyPixel(40)) << k.Name;  // transparent pixels keep the background
  }
  EXPECT_THROW(Draw([&](TCanvas* c) { DrawImageWashed(c, area, &image.List, 0, 3); }), EAssertionFailed);
}

TEST_F(ThemeImageStates, ImagesAreClippedToTheRectangle)
{
  ImageFixture image({GreyPixel(0), GreyPixel(0), GreyPixel(0), GreyPixel(0)});
  Surface.Fill(GreyPixel(40));
  Draw([&](TCanvas* c) { DrawImageMaskSilhouette(c, TRect{0, 0, 2, 2}, &image.List, 0, TColor(0xFFFFFF)); });
  EXPECT_EQ(At(1, 1), GreyPixel(255));
  EXPECT_EQ(At(2, 2), GreyPixel(40));
}

TEST(ThemeDragFrame, InvertsTheScreenAndTwiceLeavesNoTrace)
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  const TRect area{100, 100, 140, 130};
  const std::vector<uint32_t> before = display->ScreenImage(area);
  HDC screen = GetDC(nullptr);
  const TRect frame{105, 105, 135, 125};
  DrawDragFrame(screen, frame, nullptr);
  GdiFlush();
  // The side is 3 pixels wide, top and bottom 2 high; the inside is untouched.
  int changedInLeftSide = 0;
  for (int x = 105; x < 108; ++x)
    for (int y = 107; y < 123; ++y)
      changedInLeftSide += display->ScreenPixel(x, y) != before[size_t((y - 100) * 40 + (x - 100))];
  EXPECT_GT(changedInLeftSide, 0);
  EXPECT_EQ(display->ScreenPixel(108, 107), before[size_t(7 * 40 + 8)]);
  EXPECT_EQ(display->ScreenPixel(120, 107), before[size_t(7 * 40 + 20)]);
  // Moved, then drawn again where it now is: gone.
  const TRect moved{110, 108, 138, 128};
  DrawDragFrame(screen, moved, &frame);
  DrawDragFrame(screen, moved, nullptr);
  GdiFlush();
  EXPECT_EQ(display->ScreenImage(area), before);
  ReleaseDC(nullptr, screen);
}

}  // namespace
