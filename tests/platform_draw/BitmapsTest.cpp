#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "DrawFixture.h"

namespace {
// A BITMAPINFO with room for a colour table.
struct TInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// The header of a top-down DIB and its colour table.
TInfo TopDown(int width, int height, int bitCount, const std::vector<RGBQUAD>& colours)
{
  TInfo info{};
  info.Header.biWidth = width;
  info.Header.biHeight = -height;
  info.Header.biBitCount = WORD(bitCount);
  info.Header.biClrUsed = DWORD(colours.size());
  std::copy(colours.begin(), colours.end(), info.Colors);
  return info;
}

// The nearest entry by a scan of the table: smallest squared RGB distance,
// the first index among equals.
int ScanNearest(const std::vector<RGBQUAD>& table, uint32_t rgb)
{
  int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < table.size(); ++i) {
    long dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
    long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = int(i);
    }
  }
  return best;
}
}  // namespace

TEST(Bitmaps, DrawingIntoLowDepthSectionsWritesTheirOwnFormat)
{
  // An 8-bit top-down section with three colours: drawing picks the nearest index.
  TInfo info = TopDown(4, 2, 8, {{0, 0, 0, 0}, {0, 0, 255, 0} /* red */, {255, 255, 255, 0}});
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, section);
  HBRUSH brush = CreateSolidBrush(RGB(250, 10, 10));
  TRect r{1, 0, 3, 2};
  FillRect(dc, &r, brush);
  SetPixel(dc, 3, 1, RGB(240, 240, 240));
  const auto* b = static_cast<const uint8_t*>(bits);
  EXPECT_EQ(b[0], 0);
  EXPECT_EQ(b[1], 1);
  EXPECT_EQ(b[2], 1);
  EXPECT_EQ(b[4 + 3], 2);  // second row (rows padded to 4 bytes)
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
  // Direct writes into the bits show at once.
  static_cast<uint8_t*>(bits)[0] = 2;
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  DeleteDC(dc);
  DeleteObject(brush);
  DeleteObject(section);
}

TEST(Bitmaps, ConversionToPaletteDepthsPicksTheNearestEntryFirstIndexAmongEquals)
{
  // 32-bit pixels written into 1-, 4- and 8-bit sections take the entry a
  // scan of the table picks. Coarse components make duplicates and ties.
  std::mt19937 random(1234);
  auto component = [&](int step) { return BYTE(std::uniform_int_distribution<int>(0, 255 / step)(random) * step); };
  auto randomTable = [&](std::size_t n, int step) {
    std::vector<RGBQUAD> t(n);
    for (auto& q : t)
      q = RGBQUAD{component(step), component(step), component(step), 0};
    return t;
  };
  std::vector<RGBQUAD> greys, oneGreen, same(256, RGBQUAD{40, 80, 120, 0});
  for (int i = 0; i < 256; ++i) {
    greys.push_back(RGBQUAD{BYTE(i / 3 * 3), BYTE(i / 3 * 3), BYTE(i / 3 * 3), 0});
    oneGreen.push_back(RGBQUAD{BYTE(i * 7), 100, BYTE(255 - i), 0});
  }
  struct Case {
    std::string name;
    std::vector<RGBQUAD> table;
  };
  std::vector<Case> cases = {{"random 256", randomTable(256, 1)},   {"coarse 256", randomTable(256, 51)},
                             {"coarse 200", randomTable(200, 85)},  {"greys with repeats", greys},
                             {"one green", oneGreen},               {"all the same", same},
                             {"random 16", randomTable(16, 1)},     {"coarse 16", randomTable(16, 85)},
                             {"two", randomTable(2, 1)}};
  for (int seed = 0; seed < 20; ++seed)
    cases.push_back({"random 256 #" + std::to_string(seed), randomTable(256, seed % 2 ? 1 : 17)});
  for (const Case& c : cases) {
    // Every entry, midpoints of pairs (ties), and colours from everywhere.
    std::vector<uint32_t> colours;
    auto rgb = [](const RGBQUAD& q) { return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue; };
    for (const RGBQUAD& q : c.table)
      colours.push_back(rgb(q));
    std::uniform_int_distribution<std::size_t> pick(0, c.table.size() - 1);
    for (int i = 0; i < 3000; ++i) {
      const RGBQUAD &a = c.table[pick(random)], &b = c.table[pick(random)];
      colours.push_back(rgb(RGBQUAD{BYTE((a.rgbBlue + b.rgbBlue) / 2), BYTE((a.rgbGreen + b.rgbGreen) / 2),
                                    BYTE((a.rgbRed + b.rgbRed) / 2), 0}));
    }
    for (int i = 0; i < 20000; ++i)
      colours.push_back(uint32_t(random()) & 0xFFFFFF);
    const int bitCount = c.table.size() <= 2 ? 1 : c.table.size() <= 16 ? 4 : 8;
    TInfo info = TopDown(int(colours.size()), 1, bitCount, c.table);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr) << c.name;
    TInfo source = TopDown(int(colours.size()), 1, 32, {});
    ASSERT_EQ(SetDIBits(nullptr, section, 0, 1, colours.data(), source.Get(), DIB_RGB_COLORS), 1) << c.name;
    const auto* packed = static_cast<const uint8_t*>(bits);
    int mismatches = 0;
    for (std::size_t x = 0; x < colours.size(); ++x) {
      std::size_t bit = x * std::size_t(bitCount);
      int index = (packed[bit / 8] >> (8 - bitCount - int(bit % 8))) & ((1 << bitCount) - 1);
      int expected = ScanNearest(c.table, colours[x]);
      if (index != expected && ++mismatches <= 3)
        ADD_FAILURE() << c.name << ": colour " << std::hex << colours[x] << std::dec << " gave " << index
                      << ", the scan " << expected;
    }
    EXPECT_EQ(mismatches, 0) << c.name;
    DeleteObject(section);
  }
}

TEST(Bitmaps, ReadingAPaletteSectionLeavesItsIndicesAsTheyAre)
{
  // Entries 0 and 1 are the same red; the pixels use entry 1. Reading them
  // (a blit source, a pixel read) must not rewrite them as entry 0.
  TInfo info = TopDown(4, 1, 8, {{0, 0, 255, 0}, {0, 0, 255, 0}});
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  std::memset(bits, 1, 4);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, section);
  TDrawFixture target(4, 1);
  EXPECT_TRUE(BitBlt(target.DC, 0, 0, 4, 1, dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(target.DC, 0, 0, 4, 1, dc, 0, 0, SRCINVERT));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 0, 0));
  EXPECT_EQ(target.At(0, 0), RGB(0, 0, 0));
  const auto* b = static_cast<const uint8_t*>(bits);
  EXPECT_EQ(std::vector<uint8_t>(b, b + 4), std::vector<uint8_t>(4, 1));
  DeleteDC(dc);
  DeleteObject(section);
}

TEST(Bitmaps, MonochromeBitmapsFromRowBytesHighBitLeftmost)
{
  WORD rows[2] = {0x00A0, 0x0040};  // 1010.... and 0100....
  HBITMAP mono = CreateBitmap(3, 2, 1, 1, rows);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, mono);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
  // Colours drawn on it fall to black or white.
  SetPixel(dc, 0, 1, RGB(200, 200, 100));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 255, 255));
  SetPixel(dc, 0, 0, RGB(120, 120, 120));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  BITMAP bm;
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  DeleteDC(dc);
  DeleteObject(mono);
}

TEST(Bitmaps, DibTransfersInBothRowOrders)
{
  TDrawFixture f(3, 2);
  SetPixel(f.DC, 0, 0, RGB(1, 2, 3));
  SetPixel(f.DC, 2, 1, RGB(4, 5, 6));
  // Read as a bottom-up 24-bit DIB: the bottom row comes first.
  TInfo info{};
  info.Header.biWidth = 3;
  info.Header.biHeight = 2;
  info.Header.biBitCount = 24;
  std::vector<uint8_t> bits(2 * 12);
  ASSERT_EQ(GetDIBits(f.DC, f.Bitmap(), 0, 2, bits.data(), info.Get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits[6], 6);  // bottom row, pixel 2, blue
  EXPECT_EQ(bits[8], 4);
  EXPECT_EQ(bits[12 + 2], 1);  // top row, pixel 0, red
  // With no bits, the header is completed.
  TInfo query{};
  ASSERT_EQ(GetDIBits(f.DC, f.Bitmap(), 0, 2, nullptr, query.Get(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(query.Header.biBitCount, 32);
  EXPECT_EQ(query.Header.biWidth, 3);
  // Written back upside down through a top-down header, then drawn stretched.
  info.Header.biHeight = -2;
  HBITMAP copy = CreateBitmap(3, 2, 1, 32, nullptr);
  ASSERT_EQ(SetDIBits(nullptr, copy, 0, 2, bits.data(), info.Get(), DIB_RGB_COLORS), 2);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, copy);
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(4, 5, 6));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(1, 2, 3));
  TDrawFixture big(6, 4);
  info.Header.biHeight = 2;
  StretchDIBits(big.DC, 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), info.Get(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(big.At(5, 3), RGB(4, 5, 6));
  EXPECT_EQ(big.At(1, 1), RGB(1, 2, 3));
  DeleteDC(dc);
  DeleteObject(copy);
}

TEST(Bitmaps, PalettesAndTheLowColourProfile)
{
  TInfo pal{};
  auto* lp = reinterpret_cast<LOGPALETTE*>(&pal);
  lp->palVersion = 0x300;
  lp->palNumEntries = 3;
  lp->palPalEntry[0] = {0, 0, 0, 0};
  PALETTEENTRY more[2] = {{255, 0, 0, 0}, {0, 0, 255, PC_NOCOLLAPSE}};
  std::memcpy(&lp->palPalEntry[1], more, sizeof more);
  HPALETTE palette = CreatePalette(lp);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(200, 30, 30)), 1u);
  EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(10, 10, 200)), 2u);
  WORD entries = 0;
  GetObject(palette, sizeof entries, &entries);
  EXPECT_EQ(entries, 3);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_NE(SelectPalette(dc, palette, FALSE), nullptr);
  EXPECT_EQ(RealizePalette(dc), 0u);  // a true-colour screen maps nothing
  EXPECT_EQ(GetNearestColor(dc, RGB(200, 30, 30)), RGB(200, 30, 30));
  SetLowColorDisplay(true);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 8);
  EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(GetNearestColor(dc, RGB(200, 30, 30)), RGB(255, 0, 0));
  EXPECT_EQ(GetNearestColor(dc, RGB(200, 200, 200)), RGB(192, 192, 192));
  EXPECT_EQ(RealizePalette(dc), 3u);
  SetLowColorDisplay(false);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  SelectPalette(dc, HPALETTE(GetStockObject(DEFAULT_PALETTE)), FALSE);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(palette));
}

TEST(Bitmaps, ObjectsDescribeThemselvesAndStockOnesSurviveDeletion)
{
  HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, PS_DASH);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  HFONT font = CreateFontA(-13, 0, 2700, 2700, FW_BOLD, 1, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  LOGFONTA lf;
  ASSERT_EQ(GetObject(font, sizeof lf, &lf), int(sizeof lf));
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfEscapement, 2700);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
  // A deleted pen still selected keeps drawing until it is replaced.
  TDrawFixture f(4, 1);
  SelectObject(f.DC, pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  MoveToEx(f.DC, 0, 0, nullptr);
  LineTo(f.DC, 4, 0);
  EXPECT_EQ(f.At(0, 0), RGB(1, 2, 3));
  SelectObject(f.DC, GetStockObject(BLACK_PEN));
  DeleteObject(font);
}
