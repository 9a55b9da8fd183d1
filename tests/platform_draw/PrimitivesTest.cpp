#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "DrawFixture.h"

TEST(Primitives, LinesExcludeTheirEndPixel)
{
  struct Case {
    TPoint from, to;
    const char* picture;
  } cases[] = {
      {{0, 0}, {5, 0}, "#####.\n......\n......\n......\n"},
      {{5, 3}, {0, 3}, "......\n......\n......\n.#####\n"},
      {{0, 0}, {4, 4}, "#.....\n.#....\n..#...\n...#..\n"},
      {{0, 0}, {5, 2}, "##....\n..##..\n....#.\n......\n"},
      {{1, 3}, {1, 0}, "......\n.#....\n.#....\n.#....\n"},
      {{2, 2}, {2, 2}, "......\n......\n......\n......\n"},  // nothing at all
  };
  for (const auto& c : cases) {
    TDrawFixture f(6, 4);
    MoveToEx(f.DC, c.from.x, c.from.y, nullptr);
    LineTo(f.DC, c.to.x, c.to.y);
    EXPECT_EQ(f.Picture(), c.picture) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
    TPoint pos;
    GetCurrentPositionEx(f.DC, &pos);
    EXPECT_EQ(pos, c.to);
  }
}

TEST(Primitives, PolylineJoinsDoNotRepeatPixelsUnderXor)
{
  TDrawFixture f(5, 5);
  SetROP2(f.DC, R2_XORPEN);
  SelectObject(f.DC, GetStockObject(WHITE_PEN));
  TPoint path[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
  Polyline(f.DC, path, 5);
  // White XOR white is black: each ring pixel flipped exactly once.
  EXPECT_EQ(f.Picture(), "#####\n#...#\n#...#\n#...#\n#####\n");
  Polyline(f.DC, path, 5);
  EXPECT_EQ(f.Picture(), ".....\n.....\n.....\n.....\n.....\n");
}

TEST(Primitives, SmallTrianglesFillExactly)
{
  // Black brush, then with and without the black pen: the arrows the toolbars
  // and scroll bars draw, which must come out whole.
  struct Case {
    std::vector<TPoint> points;
    bool pen;
    const char* picture;
  } cases[] = {
      {{{0, 0}, {4, 0}, {2, 2}}, true, "#####..\n.###...\n..#....\n.......\n"},      // 5x3 drop-down
      {{{0, 0}, {6, 0}, {3, 3}}, true, "#######\n.#####.\n..###..\n...#...\n"},    // 7x4 scroll arrow
      {{{0, 0}, {2, 2}, {0, 4}}, true, "#......\n##.....\n###....\n##.....\n#......\n"},  // 3x5
      {{{3, 0}, {0, 3}, {6, 3}}, true, "...#...\n..###..\n.#####.\n#######\n"},
      // Without the pen only the lattice points inside: left and top edges in, right and bottom out.
      {{{0, 0}, {4, 0}, {2, 2}}, false, "####...\n.##....\n.......\n.......\n"},
      {{{0, 0}, {3, 0}, {0, 3}}, false, "###....\n##.....\n#......\n.......\n"},
      {{{1, 0}, {6, 0}, {3, 3}}, false, ".#####.\n..###..\n...#...\n.......\n"},
  };
  for (const auto& c : cases) {
    int rows = int(std::count(c.picture, c.picture + std::strlen(c.picture), '\n'));
    TDrawFixture f(7, rows);
    SelectObject(f.DC, GetStockObject(c.pen ? BLACK_PEN : NULL_PEN));
    SelectObject(f.DC, GetStockObject(BLACK_BRUSH));
    Polygon(f.DC, c.points.data(), int(c.points.size()));
    EXPECT_EQ(f.Picture(), c.picture) << c.points[1].x << "," << c.points[1].y << " pen " << c.pen;
  }
}

TEST(Primitives, WindingAndAlternateFillDifferOnTheOverlap)
{
  // A square drawn twice in the same direction: the inner part has winding 2.
  TPoint twice[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {6, 0}, {6, 6}, {0, 6}};
  HRGN alternate = CreatePolygonRgn(twice, 8, ALTERNATE);
  HRGN winding = CreatePolygonRgn(twice, 8, WINDING);
  TRect box;
  EXPECT_EQ(GetRgnBox(winding, &box), SIMPLEREGION);
  EXPECT_EQ(box, TRect(0, 0, 6, 6));
  EXPECT_EQ(GetRgnBox(alternate, &box), NULLREGION);
  DeleteObject(alternate);
  DeleteObject(winding);
}

TEST(Primitives, RectangleOutlinesWithPenAndFillsWithBrush)
{
  TDrawFixture f(6, 5);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(f.DC, red);
  Rectangle(f.DC, 0, 0, 5, 4);
  std::map<COLORREF, char> legend{{RGB(255, 255, 255), '.'}, {0, '#'}, {RGB(255, 0, 0), 'r'}};
  EXPECT_EQ(f.Picture(legend), "#####.\n#rrr#.\n#rrr#.\n#####.\n......\n");
  // With no pen the fill stops one pixel short on the right and bottom.
  f.Fill(RGB(255, 255, 255));
  SelectObject(f.DC, GetStockObject(NULL_PEN));
  Rectangle(f.DC, 0, 0, 5, 4);
  EXPECT_EQ(f.Picture(legend), "rrrr..\nrrrr..\nrrrr..\n......\n......\n");
  SelectObject(f.DC, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Primitives, EllipseIsSymmetricAndOwnsCentreCoveredPixels)
{
  TDrawFixture f(7, 7);
  SelectObject(f.DC, GetStockObject(NULL_PEN));
  SelectObject(f.DC, GetStockObject(BLACK_BRUSH));
  Ellipse(f.DC, 0, 0, 8, 8);  // null pen: a 7x7 circle
  EXPECT_EQ(f.Picture(), "..###..\n.#####.\n#######\n#######\n#######\n.#####.\n..###..\n");
  HRGN r = CreateEllipticRgn(0, 0, 7, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(PtInRegion(r, x, y) != 0, f.At(x, y) == 0) << x << "," << y;
  DeleteObject(r);
}

// Ellipses far larger than any screen (an image map's circle, a clip region)
// are exact: the pixel test's products would overflow 64 bits past a radius
// of some 46000, and so would the sum of int coordinates near their limits.
TEST(Primitives, HugeEllipsesStayExact)
{
  struct Case {
    TRect Box;
    TPoint In[2], Out[2];
  } Cases[] = {
      {{-100000, -100000, 100000, 100000}, {{0, 0}, {99990, 0}}, {{80000, 80000}, {100000, 0}}},
      {{-2000000000, 0, 2000000000, 4}, {{1900000000, 1}, {-1900000000, 2}}, {{1999999000, 1}, {0, 4}}},
      {{2147483000, 2147483000, 2147483647, 2147483647}, {{2147483323, 2147483323}, {2147483323, 2147483001}},
       {{2147483001, 2147483001}, {2147483646, 2147483646}}},
  };
  for (const Case& C : Cases) {
    HRGN r = CreateEllipticRgn(C.Box.Left, C.Box.Top, C.Box.Right, C.Box.Bottom);
    TRect Bounds;
    EXPECT_NE(GetRgnBox(r, &Bounds), NULLREGION);
    EXPECT_TRUE(Bounds.Left >= C.Box.Left && Bounds.Right <= C.Box.Right && Bounds.Top == C.Box.Top &&
                Bounds.Bottom == C.Box.Bottom);
    for (TPoint P : C.In)
      EXPECT_TRUE(PtInRegion(r, P.x, P.y)) << P.x << "," << P.y;
    for (TPoint P : C.Out)
      EXPECT_FALSE(PtInRegion(r, P.x, P.y)) << P.x << "," << P.y;
    DeleteObject(r);
  }
  // Drawn through a small picture: only the part that shows is painted.
  TDrawFixture f(4, 4);
  SelectObject(f.DC, GetStockObject(NULL_PEN));
  SelectObject(f.DC, GetStockObject(BLACK_BRUSH));
  Ellipse(f.DC, -100000, -100000, 100000, 100000);
  EXPECT_EQ(f.Picture(), "####\n####\n####\n####\n");
}

TEST(Primitives, FillFrameInvertAndPatBlt)
{
  TDrawFixture f(6, 4);
  TRect r{1, 1, 5, 4};
  FillRect(f.DC, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(f.Picture(), "......\n.####.\n.####.\n.####.\n");
  TRect inner{2, 2, 4, 3};
  InvertRect(f.DC, &inner);
  EXPECT_EQ(f.Picture(), "......\n.####.\n.#..#.\n.####.\n");
  f.Fill(RGB(255, 255, 255));
  FrameRect(f.DC, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(f.Picture(), "......\n.####.\n.#..#.\n.####.\n");
  struct Case {
    DWORD rop;
    COLORREF before, after;
  } cases[] = {
      {BLACKNESS, RGB(10, 20, 30), 0},
      {WHITENESS, RGB(10, 20, 30), RGB(255, 255, 255)},
      {DSTINVERT, RGB(10, 20, 30), RGB(245, 235, 225)},
      {PATCOPY, RGB(10, 20, 30), RGB(0, 0, 255)},
      {PATINVERT, RGB(10, 20, 30), RGB(10, 20, 255 - 30)},
  };
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(f.DC, blue);
  for (const auto& c : cases) {
    f.Fill(c.before);
    PatBlt(f.DC, 4, 3, -2, -2, c.rop);  // negative sizes: pixels (2..3, 1..2)
    EXPECT_EQ(f.At(2, 1), c.after) << std::hex << c.rop;
    EXPECT_EQ(f.At(3, 2), c.after);
    EXPECT_EQ(f.At(4, 2), c.before);
    EXPECT_EQ(f.At(2, 3), c.before);
  }
  SelectObject(f.DC, old);
  DeleteObject(blue);
  // A system colour index plus one stands for its brush.
  TRect one{0, 0, 1, 1};
  FillRect(f.DC, &one, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
  EXPECT_EQ(f.At(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(Primitives, PatternBrushFollowsTheBrushOrigin)
{
  // A monochrome 8x8 checkerboard of rows 0x55 / 0xAA: 0 bits take the text
  // colour, 1 bits the background colour.
  WORD rows[8];
  for (int i = 0; i < 8; ++i)
    rows[i] = (i & 1) ? 0xAA : 0x55;
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);  // the brush keeps its own copy
  TDrawFixture f(4, 2);
  SetTextColor(f.DC, RGB(255, 0, 0));
  SetBkColor(f.DC, RGB(0, 0, 255));
  TRect all{0, 0, 4, 2};
  std::map<COLORREF, char> legend{{RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'}};
  FillRect(f.DC, &all, brush);
  EXPECT_EQ(f.Picture(legend), "rbrb\nbrbr\n");
  SetBrushOrgEx(f.DC, 1, 0, nullptr);
  FillRect(f.DC, &all, brush);
  EXPECT_EQ(f.Picture(legend), "brbr\nrbrb\n");
  // The origin is in device pixels: moving the window origin does not move the pattern.
  SetWindowOrgEx(f.DC, 1, 0, nullptr);
  TRect shifted{1, 0, 5, 2};
  FillRect(f.DC, &shifted, brush);
  EXPECT_EQ(f.Picture(legend), "brbr\nrbrb\n");
  DeleteObject(brush);
}

TEST(Primitives, XorPenDrawnTwiceRestoresTheSurface)
{
  TDrawFixture f(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      SetPixel(f.DC, x, y, RGB(x * 30, y * 30, 77));
  std::vector<COLORREF> before;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      before.push_back(f.At(x, y));
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
  SelectObject(f.DC, pen);
  SetROP2(f.DC, R2_XORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(f.DC, 1, 6, nullptr);
    LineTo(f.DC, 6, 1);
    TRect focus{0, 0, 7, 5};
    DrawFocusRect(f.DC, &focus);
    if (pass == 0) {
      EXPECT_NE(f.At(5, 0), before[5]);  // odd x + y: XORed with the white background colour
      EXPECT_EQ(f.At(6, 0), before[6]);  // even: with the black text colour
    }
  }
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(f.At(x, y), before[std::size_t(y * 8 + x)]) << x << "," << y;
  SelectObject(f.DC, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

TEST(Primitives, ClippingToARegionWithAHole)
{
  TDrawFixture f(6, 6);
  HRGN outer = CreateRectRgn(1, 1, 5, 5);
  HRGN hole = CreateRectRgn(2, 2, 4, 4);
  CombineRgn(outer, outer, hole, RGN_DIFF);
  SelectClipRgn(f.DC, outer);
  TRect all{0, 0, 6, 6};
  FillRect(f.DC, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(f.Picture(), "......\n.####.\n.#..#.\n.#..#.\n.####.\n......\n");
  EXPECT_EQ(GetPixel(f.DC, 2, 2), CLR_INVALID);
  EXPECT_EQ(SetPixel(f.DC, 0, 0, RGB(1, 2, 3)), CLR_INVALID);
  EXPECT_EQ(f.At(0, 0), RGB(255, 255, 255));
  DeleteObject(outer);
  DeleteObject(hole);
}

TEST(Primitives, StyledPenPaintsGapsOnlyInOpaqueMode)
{
  TDrawFixture f(8, 1);
  HPEN dot = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  SelectObject(f.DC, dot);
  SetBkColor(f.DC, RGB(255, 0, 0));
  std::map<COLORREF, char> legend{{RGB(255, 255, 255), '.'}, {0, '#'}, {RGB(255, 0, 0), 'r'}};
  SetBkMode(f.DC, TRANSPARENT);
  MoveToEx(f.DC, 0, 0, nullptr);
  LineTo(f.DC, 8, 0);
  EXPECT_EQ(f.Picture(legend), "###...##\n");
  SetBkMode(f.DC, OPAQUE);
  MoveToEx(f.DC, 0, 0, nullptr);
  LineTo(f.DC, 8, 0);
  EXPECT_EQ(f.Picture(legend), "###rrr##\n");
  SelectObject(f.DC, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

TEST(Primitives, HatchBrushesLeaveTheBackgroundInTransparentMode)
{
  HBRUSH cross = CreateHatchBrush(HS_CROSS, RGB(0, 0, 0));
  TDrawFixture f(8, 8, RGB(0, 255, 0));
  SetBkColor(f.DC, RGB(255, 255, 255));
  TRect all{0, 0, 8, 8};
  std::map<COLORREF, char> legend{{RGB(255, 255, 255), '.'}, {0, '#'}, {RGB(0, 255, 0), 'g'}};
  FillRect(f.DC, &all, cross);
  EXPECT_EQ(f.Picture(legend).substr(0, 18), "....#...\n....#...\n");
  EXPECT_EQ(f.Picture(legend).substr(27, 9), "########\n");
  f.Fill(RGB(0, 255, 0));
  SetBkMode(f.DC, TRANSPARENT);
  FillRect(f.DC, &all, cross);
  EXPECT_EQ(f.Picture(legend).substr(0, 18), "gggg#ggg\ngggg#ggg\n");
  DeleteObject(cross);
}

TEST(Primitives, RoundedShapesAndTheirRegionsOwnTheSamePixels)
{
  struct Case {
    TRect box;
    int w, h;
  } cases[] = {{{0, 0, 9, 7}, 4, 4}, {{1, 1, 10, 6}, 6, 3}, {{0, 0, 5, 5}, 20, 20}};
  for (const auto& c : cases) {
    TDrawFixture f(12, 9);
    SelectObject(f.DC, GetStockObject(BLACK_PEN));
    SelectObject(f.DC, GetStockObject(BLACK_BRUSH));
    RoundRect(f.DC, c.box.Left, c.box.Top, c.box.Right, c.box.Bottom, c.w, c.h);
    HRGN r = CreateRoundRectRgn(c.box.Left, c.box.Top, c.box.Right, c.box.Bottom, c.w, c.h);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x)
        EXPECT_EQ(PtInRegion(r, x, y) != 0, f.At(x, y) == 0) << c.w << ": " << x << "," << y;
    // The corners are cut, the middle of each side is not.
    EXPECT_FALSE(PtInRegion(r, c.box.Left, c.box.Top));
    EXPECT_TRUE(PtInRegion(r, (c.box.Left + c.box.Right) / 2, c.box.Top));
    DeleteObject(r);
  }
}
