#include <gtest/gtest.h>

#include <functional>

#include "DrawFixture.h"

namespace {
// Bitwise reference of a ternary code on 24-bit values.
uint32_t Reference(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
  uint32_t r = 0;
  for (int bit = 0; bit < 24; ++bit) {
    int i = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    r |= uint32_t((code >> i) & 1) << bit;
  }
  return r;
}
}  // namespace

TEST(Blit, TernaryRasterOperationsMatchTheirTruthTables)
{
  const COLORREF p = RGB(0xF0, 0x3C, 0xAA), s = RGB(0xCC, 0x5A, 0x0F), d = RGB(0xAA, 0x99, 0x33);
  TDrawFixture src(1, 1), dst(1, 1);
  SetPixel(src.DC, 0, 0, s);
  HBRUSH brush = CreateSolidBrush(p);
  SelectObject(dst.DC, brush);
  // The named codes with specialised loops, and a spread of the rest.
  DWORD rops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE, MERGECOPY, MERGEPAINT,
                  PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, ROP_DSPDXAX, 0x00B8074A,
                  0x00010289, 0x001D0000, 0x006A01E9, 0x00970000, 0x00D40000, 0x00FE0000};
  for (DWORD rop : rops) {
    dst.Fill(d);
    ASSERT_TRUE(BitBlt(dst.DC, 0, 0, 1, 1, src.DC, 0, 0, rop));
    uint8_t code = uint8_t(rop >> 16);
    EXPECT_EQ(dst.At(0, 0), Reference(code, p, s, d)) << std::hex << rop;
  }
  // Every one of the 256 codes through the generic path of StretchBlt.
  for (int code = 0; code < 256; ++code) {
    dst.Fill(d);
    StretchBlt(dst.DC, 0, 0, 1, 1, src.DC, 0, 0, 1, 1, DWORD(code) << 16);
    EXPECT_EQ(dst.At(0, 0), Reference(uint8_t(code), p, s, d)) << code;
  }
  SelectObject(dst.DC, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(Blit, MonochromeGlyphPaintedThroughItsMaskWithTheBrush)
{
  // An 8x3 glyph whose 1 bits are the glyph. With text black and background
  // white the mono source maps to white (glyph) and black; 0xE20746 then
  // paints the brush where the source is white and keeps the destination elsewhere.
  WORD rows[3] = {0x81, 0xC3, 0xE7};  // 10000001, 11000011, 11100111
  HBITMAP mono = CreateBitmap(8, 3, 1, 1, rows);
  HDC monoDC = CreateCompatibleDC(nullptr);
  SelectObject(monoDC, mono);
  TDrawFixture f(8, 3, RGB(0, 255, 0));
  SetTextColor(f.DC, RGB(0, 0, 0));
  SetBkColor(f.DC, RGB(255, 255, 255));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(f.DC, red);
  BitBlt(f.DC, 0, 0, 8, 3, monoDC, 0, 0, ROP_DSPDXAX);
  std::map<COLORREF, char> legend{{RGB(0, 255, 0), 'g'}, {RGB(255, 0, 0), 'r'}};
  EXPECT_EQ(f.Picture(legend), "rggggggr\nrrggggrr\nrrrggrrr\n");
  // Mono to colour directly: 0 bits take the text colour, 1 bits the background.
  SetTextColor(f.DC, RGB(0, 0, 255));
  SetBkColor(f.DC, RGB(255, 255, 0));
  BitBlt(f.DC, 0, 0, 8, 1, monoDC, 0, 0, SRCCOPY);
  EXPECT_EQ(f.Picture({{RGB(0, 0, 255), 'b'}, {RGB(255, 255, 0), 'y'}, {RGB(0, 255, 0), 'g'}, {RGB(255, 0, 0), 'r'}}),
            "ybbbbbby\nrrggggrr\nrrrggrrr\n");
  SelectObject(f.DC, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteDC(monoDC);
  DeleteObject(mono);
}

TEST(Blit, ColourToMonochromeByBackgroundMatch)
{
  TDrawFixture colour(4, 1, RGB(200, 10, 10));
  SetPixel(colour.DC, 1, 0, RGB(1, 2, 3));
  SetPixel(colour.DC, 3, 0, RGB(1, 2, 3));
  SetBkColor(colour.DC, RGB(1, 2, 3));  // the source's background colour becomes white (1)
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);
  HDC monoDC = CreateCompatibleDC(nullptr);
  SelectObject(monoDC, mono);
  BitBlt(monoDC, 0, 0, 4, 1, colour.DC, 0, 0, SRCCOPY);
  BYTE bits[2] = {};
  GetBitmapBits(mono, 2, bits);
  EXPECT_EQ(bits[0] & 0xF0, 0x50);  // 0101: pixels 1 and 3
  // A compatible bitmap of a memory DC holding a monochrome bitmap is monochrome.
  HBITMAP compatible = CreateCompatibleBitmap(monoDC, 2, 2);
  BITMAP info;
  GetObject(compatible, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(compatible);
  DeleteDC(monoDC);
  DeleteObject(mono);
}

TEST(Blit, SourceOfAnotherDepthReadFromItsOwnCoordinates)
{
  // A 24-bit 3x2 picture whose DC maps logical (10, 20) to its pixel (0, 0);
  // the blit's source area starts one pixel left of the picture, where a
  // source reads as black, so XOR leaves the destination.
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;  // bottom-up rows
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC pictureDC = CreateCompatibleDC(nullptr);
  SelectObject(pictureDC, picture);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      SetPixel(pictureDC, x, y, RGB(16 * (x + 1), 64 * (y + 1), 0));
  SetWindowOrgEx(pictureDC, 10, 20, nullptr);
  TDrawFixture f(5, 2, RGB(0, 0, 0xFF));
  BitBlt(f.DC, 0, 0, 5, 2, pictureDC, 9, 20, SRCINVERT);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) {
      bool inside = x >= 1 && x <= 3;
      EXPECT_EQ(f.At(x, y), inside ? RGB(16 * x, 64 * (y + 1), 0xFF) : RGB(0, 0, 0xFF)) << x << "," << y;
    }
  // A pixel read of the picture goes through the same mapping.
  EXPECT_EQ(GetPixel(pictureDC, 12, 21), RGB(48, 128, 0));
  EXPECT_EQ(GetPixel(pictureDC, 13, 21), CLR_INVALID);
  DeleteDC(pictureDC);
  DeleteObject(picture);
}

TEST(Blit, OverlappingCopyWithinOneSurface)
{
  TDrawFixture f(6, 1);
  for (int x = 0; x < 6; ++x)
    SetPixel(f.DC, x, 0, RGB(x, 0, 0));
  BitBlt(f.DC, 1, 0, 5, 1, f.DC, 0, 0, SRCCOPY);
  for (int x = 1; x < 6; ++x)
    EXPECT_EQ(f.At(x, 0), RGB(x - 1, 0, 0));
}

TEST(Blit, StretchMirrorsAndPicksNearestPixels)
{
  TDrawFixture src(3, 1), dst(6, 1);
  for (int x = 0; x < 3; ++x)
    SetPixel(src.DC, x, 0, RGB(10 * (x + 1), 0, 0));
  StretchBlt(dst.DC, 0, 0, 6, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
  std::map<COLORREF, char> legend{{RGB(10, 0, 0), 'a'}, {RGB(20, 0, 0), 'b'}, {RGB(30, 0, 0), 'c'}};
  EXPECT_EQ(dst.Picture(legend), "aabbcc\n");
  StretchBlt(dst.DC, 6, 0, -6, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
  EXPECT_EQ(dst.Picture(legend), "ccbbaa\n");
  StretchBlt(dst.DC, 0, 0, 3, 1, src.DC, 0, 0, 3, 1, SRCCOPY);
  TransparentBlt(dst.DC, 3, 0, 3, 1, src.DC, 0, 0, 3, 1, RGB(20, 0, 0));
  EXPECT_EQ(dst.Picture(legend), "abcaac\n");  // the key colour left "a" of the mirrored copy
}

TEST(Blit, PatternOperationsTileTheBrushOnEveryRowFromItsOrigin)
{
  // A horizontal hatch is one black row in eight; with the brush origin at
  // (0, 2) it lands on row 5. Every call that paints the brush, with or
  // without a source and stretched or not, must show it there and only there.
  TDrawFixture src(8, 8);  // white: MERGECOPY (P and S) gives the brush itself
  HBITMAP maskBits = CreateBitmap(8, 8, 1, 1, nullptr);  // all 0: MaskBlt takes its background code
  struct Case {
    const char* name;
    std::function<BOOL(HDC)> paint;
  };
  const Case cases[] = {
      {"PatBlt", [](HDC dc) { return PatBlt(dc, 0, 0, 8, 8, PATCOPY); }},
      {"BitBlt pattern only", [](HDC dc) { return BitBlt(dc, 0, 0, 8, 8, nullptr, 0, 0, PATCOPY); }},
      {"BitBlt with source", [&](HDC dc) { return BitBlt(dc, 0, 0, 8, 8, src.DC, 0, 0, MERGECOPY); }},
      {"StretchBlt pattern only", [&](HDC dc) { return StretchBlt(dc, 0, 0, 8, 8, src.DC, 0, 0, 4, 4, PATCOPY); }},
      {"StretchBlt with source", [&](HDC dc) { return StretchBlt(dc, 0, 0, 8, 8, src.DC, 0, 0, 4, 4, MERGECOPY); }},
      {"MaskBlt", [&](HDC dc) { return MaskBlt(dc, 0, 0, 8, 8, src.DC, 0, 0, maskBits, 0, 0, MAKEROP4(SRCCOPY, PATCOPY)); }},
  };
  const std::string expected = "........\n........\n........\n........\n........\n########\n........\n........\n";
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(0, 0, 0));
  for (const Case& c : cases) {
    TDrawFixture dst(8, 8, RGB(255, 0, 0));
    SetBkColor(dst.DC, RGB(255, 255, 255));
    SetBrushOrgEx(dst.DC, 0, 2, nullptr);
    SelectObject(dst.DC, hatch);
    ASSERT_TRUE(c.paint(dst.DC)) << c.name;
    EXPECT_EQ(dst.Picture(), expected) << c.name;
    SelectObject(dst.DC, GetStockObject(WHITE_BRUSH));
  }
  DeleteObject(hatch);
  DeleteObject(maskBits);
}

TEST(Blit, AlphaBlendRounding)
{
  struct Case {
    uint32_t src;  // 0xAARRGGBB, premultiplied when perPixel
    BYTE constant;
    bool perPixel;
    COLORREF dest, expected;
  } cases[] = {
      // Constant alpha only: (s * A + d * (255 - A) + 127) / 255.
      {0x00FF0000, 128, false, RGB(0, 0, 255), RGB(128, 0, 127)},
      {0x00646464, 61, false, RGB(200, 200, 200), RGB(176, 176, 176)},
      // The shadow of the popups: black, alpha A, constant 61: d * (255 - a') with a' = (A * 61 + 127) / 255.
      {0x80000000, 61, true, RGB(200, 100, 50), RGB(176, 88, 44)},
      {0xFF000000, 255, true, RGB(200, 100, 50), RGB(0, 0, 0)},
      {0x00000000, 255, true, RGB(200, 100, 50), RGB(200, 100, 50)},
      // Premultiplied white at half: 128 + d * 127 / 255.
      {0x80808080, 255, true, RGB(0, 100, 255), RGB(128, 178, 255)},
  };
  for (const auto& c : cases) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *static_cast<uint32_t*>(bits) = c.src;
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, bm);
    TDrawFixture f(1, 1, c.dest);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, c.constant, BYTE(c.perPixel ? AC_SRC_ALPHA : 0)};
    ASSERT_TRUE(AlphaBlend(f.DC, 0, 0, 1, 1, mem, 0, 0, 1, 1, blend));
    EXPECT_EQ(f.At(0, 0), c.expected) << std::hex << c.src << " " << int(c.constant);
    DeleteDC(mem);
    DeleteObject(bm);
  }
}

TEST(Blit, GradientRectanglesInterpolateExactly)
{
  TDrawFixture f(4, 4);
  TRIVERTEX v[2] = {{0, 0, 0x0000, 0x1000, 0xFF00, 0}, {4, 4, 0xFF00, 0x1000, 0x0000, 0}};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(f.DC, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  // Pixel i of 4: (c0 * (4 - i) + c1 * i) / 4 >> 8: red 0, 63, 127, 191; blue mirrored.
  COLORREF expected[4] = {RGB(0, 16, 255), RGB(63, 16, 191), RGB(127, 16, 127), RGB(191, 16, 63)};
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y)
      EXPECT_EQ(f.At(x, y), expected[x]) << x;
  // Vertical, with the vertices given bottom first: colours still run top to bottom from the upper vertex.
  TRIVERTEX w[2] = {{0, 4, 0xFF00, 0, 0, 0}, {4, 0, 0, 0, 0, 0}};
  ASSERT_TRUE(GradientFill(f.DC, w, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(f.At(2, 0), RGB(0, 0, 0));
  EXPECT_EQ(f.At(2, 3), RGB(191, 0, 0));
}

TEST(Blit, ScrollDCMovesPixelsAndReportsTheUncoveredPart)
{
  TDrawFixture f(6, 1);
  for (int x = 0; x < 6; ++x)
    SetPixel(f.DC, x, 0, RGB(x, 0, 0));
  TRect scroll{1, 0, 5, 1};
  TRect uncovered;
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  ASSERT_TRUE(ScrollDC(f.DC, 2, 0, &scroll, &scroll, update, &uncovered));
  // Pixels 1 and 2 land on 3 and 4; 0 and 5 lie outside; 1 and 2 are uncovered.
  COLORREF expected[6] = {RGB(0, 0, 0), RGB(1, 0, 0), RGB(2, 0, 0), RGB(1, 0, 0), RGB(2, 0, 0), RGB(5, 0, 0)};
  for (int x = 0; x < 6; ++x)
    EXPECT_EQ(f.At(x, 0), expected[x]) << x;
  EXPECT_EQ(uncovered, TRect(1, 0, 3, 1));
  TRect box;
  GetRgnBox(update, &box);
  EXPECT_EQ(box, TRect(1, 0, 3, 1));
  DeleteObject(update);
}
