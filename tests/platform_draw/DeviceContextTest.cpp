#include <gtest/gtest.h>

#include <vector>

#include "platform/win/gdi/gdi.h"

TEST(DeviceContext, SurfaceDCClipsToVisibleRegionAndSelectedClip)
{
  std::vector<uint32_t> pixels(20 * 10);
  TSurface surface{pixels.data(), 20, 10, 20 * 4};
  // The window's area starts at surface (5, 2); a sibling covers surface (10..20, 0..4).
  TRegion visible = TRegion(TRect(5, 2, 20, 10)).Subtract(TRegion(TRect(10, 0, 20, 4)));
  HWND window = reinterpret_cast<HWND>(std::uintptr_t(0x77));
  HDC dc = CreateSurfaceDC(surface, {5, 2}, visible, window);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(WindowFromDC(dc), window);

  TRect box;
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, TRect(0, 0, 15, 8));  // device coordinates
  TRect covered{6, 0, 8, 2};
  EXPECT_FALSE(RectVisible(dc, &covered));

  int saved = SaveDC(dc);
  EXPECT_EQ(IntersectClipRect(dc, 0, 0, 4, 4), SIMPLEREGION);
  SetWindowOrgEx(dc, 2, 1, nullptr);  // logical (2,1) is device (0,0)
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, TRect(2, 1, 6, 5));
  EXPECT_EQ(ExcludeClipRect(dc, 2, 1, 4, 3), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(dc, 3, 2));
  EXPECT_TRUE(PtVisible(dc, 5, 2));
  EXPECT_TRUE(RestoreDC(dc, saved));
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, TRect(0, 0, 15, 8));
  TPoint org;
  GetWindowOrgEx(dc, &org);
  EXPECT_EQ(org, TPoint(0, 0));
  EXPECT_FALSE(RestoreDC(dc, 1));  // nothing left to restore

  // The window system moves the DC (a resized framebuffer): the clip follows.
  SetSurfaceDCGeometry(dc, surface, {0, 0}, TRegion(TRect(0, 0, 20, 10)));
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, TRect(0, 0, 20, 10));

  EXPECT_FALSE(DeleteDC(dc));  // the window system's, not DeleteDC's
  EXPECT_EQ(WindowFromDC(dc), window);
  DeleteSurfaceDC(dc);
  EXPECT_EQ(WindowFromDC(dc), nullptr);
  EXPECT_EQ(GetClipBox(dc, &box), ERROR);
}

TEST(DeviceContext, SelectClipRgnModes)
{
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(10, 10, 1, 32, nullptr);
  SelectObject(dc, bm);
  HRGN r = CreateRectRgn(2, 2, 6, 6);
  TRect box;
  struct Case {
    int mode;
    int kind;
    TRect box;
  } cases[] = {
      {RGN_COPY, SIMPLEREGION, {2, 2, 6, 6}},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},  // no clip yet: the whole bitmap minus r
      {RGN_AND, SIMPLEREGION, {2, 2, 6, 6}},
  };
  for (const auto& c : cases) {
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(dc, r, c.mode), c.kind) << c.mode;
    EXPECT_EQ(GetClipBox(dc, &box), c.kind);
    EXPECT_EQ(box, c.box) << c.mode;
  }
  // The DC keeps a copy: changing the region afterwards changes nothing.
  SelectClipRgn(dc, r);
  OffsetRgn(r, 3, 3);
  GetClipBox(dc, &box);
  EXPECT_EQ(box, TRect(2, 2, 6, 6));
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, copy), 1);
  TRect rb;
  GetRgnBox(copy, &rb);
  EXPECT_EQ(rb, TRect(2, 2, 6, 6));
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetClipRgn(dc, copy), 0);
  DeleteDC(dc);
  for (HGDIOBJ o : {HGDIOBJ(bm), r, copy})
    DeleteObject(o);
}

TEST(DeviceContext, MemoryDCHoldsOneBitmapAtATime)
{
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(4, 3, 1, 32, nullptr);
  HBITMAP stock = SelectObject(a, bm);
  EXPECT_EQ(stock, StockBitmap());
  EXPECT_EQ(SelectObject(b, bm), nullptr);  // already in a
  EXPECT_FALSE(DeleteObject(bm));           // still selected
  EXPECT_EQ(GetDeviceCaps(a, HORZRES), 4);
  EXPECT_EQ(GetDeviceCaps(a, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(a, LOGPIXELSY), 96);
  EXPECT_EQ(GetCurrentObject(a, OBJ_BITMAP), bm);
  SelectObject(a, stock);
  EXPECT_EQ(SelectObject(b, bm), stock);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_EQ(GetObjectType(a), OBJ_MEMDC);
  DeleteDC(a);
  EXPECT_EQ(GetObjectType(a), 0u);
}
