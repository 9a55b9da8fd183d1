#include <gtest/gtest.h>

#include <memory>

#include "ImageTestSupport.h"
#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ColorLookup.h"
#include "controls/html/images/DIBAccess.h"
#include "controls/html/images/DitherEngine.h"
#include "controls/html/images/HtmlDither.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/base/Stream.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

using namespace image_test;

namespace {

HPALETTE Palette(std::vector<PALETTEENTRY> Entries)
{
  return PaletteFromEntries(Entries.data(), int(Entries.size()));
}

std::unique_ptr<TBitmap> Filled(int W, int H, TColor Color)
{
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(W, H);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->FillRect(TRect(0, 0, W, H));
  return bitmap;
}

// A stream that takes nothing, as a full disk would.
class TRefusingStream : public TStream {
public:
  Integer Read(void*, Integer) override { return 0; }
  Integer Write(const void*, Integer) override { return 0; }
  Int64 Seek(Int64, TSeekOrigin) override { return 0; }
};

// A bitmap whose change handler refuses the new picture.
struct TRefuseChange {
  void Refuse(TObject*) { throw EInvalidGraphic("refused"); }
};

}  // namespace

TEST(ImagesDitherTest, ColourCubeLookup)
{
  TWebSafeColorLookup cube;
  struct Case {
    BYTE R, G, B;
    int Index;
    BYTE OutR;
  } cases[] = {{47, 0, 0, 0, 0}, {48, 0, 0, 36, 51}, {255, 0, 0, 180, 255}, {0, 0, 255, 5, 0}};
  for (const Case& c : cases) {
    BYTE r, g, b;
    EXPECT_EQ(cube.NearestColor(c.R, c.G, c.B, r, g, b), c.Index);
    EXPECT_EQ(r, c.OutR);
  }
  HPALETTE built = BuildCubePalette();
  const auto entries = PaletteEntries(built);
  ASSERT_EQ(entries.size(), 216u);
  EXPECT_EQ(entries[180].peRed, 255);
  EXPECT_EQ(entries[1 * 36 + 2 * 6 + 3].peBlue, 153);
  DeleteObject(built);
}

TEST(ImagesDitherTest, FastLookupKeepsTheLowerOfEqualEntries)
{
  HPALETTE palette = Palette({{9, 9, 9, 0}, {200, 10, 10, 0}, {200, 10, 10, 0}, {0, 0, 250, 0}});
  TFastColorLookup lookup(palette);
  BYTE r, g, b;
  EXPECT_EQ(lookup.NearestColor(200, 10, 10, r, g, b), 1);  // the inverse table
  EXPECT_EQ(lookup.NearestColor(190, 30, 12, r, g, b), 1);  // the linear search
  EXPECT_EQ(lookup.NearestColor(0, 0, 200, r, g, b), 3);
  EXPECT_EQ(b, 250);
  DeleteObject(palette);
}

TEST(ImagesDitherTest, FloydSteinbergCarriesTheError)
{
  HPALETTE palette = Palette({{0, 0, 0, 0}, {255, 255, 255, 0}});
  TFastColorLookup lookup(palette);
  TFloydSteinbergEngine engine(2, &lookup);
  BYTE r, g, b;
  EXPECT_EQ(engine.DitherPixel(128, 128, 128, r, g, b), 1);  // 128 -> white, error -127
  EXPECT_EQ(engine.DitherPixel(128, 128, 128, r, g, b), 0);  // 128 - 55 = 73 -> black
  engine.NextRow();
  EXPECT_EQ(engine.Column(), 1);
  EXPECT_EQ(engine.Direction(), -1);

  // One pixel wide: every row alternates direction inside the error rows.
  TFloydSteinbergEngine narrow(1, &lookup);
  for (int row = 0; row < 9; ++row) {
    ASSERT_EQ(narrow.Column(), 0);
    narrow.DitherPixel(BYTE(row * 30), 0, 0, r, g, b);
    narrow.NextRow();
  }
  DeleteObject(palette);

  auto grey = Filled(1, 7, TColor(RGB(128, 128, 128)));
  std::unique_ptr<TBitmap> reduced(ReduceBitmapColors(grey.get(), rmWebSafe, dmFloydSteinberg));
  EXPECT_EQ(reduced->PixelFormat(), pf8bit);
  EXPECT_EQ(reduced->Height(), 7);
}

TEST(ImagesDitherTest, OctreeOfOneColourWithTheSystemColours)
{
  auto red = Filled(4, 3, TColor(RGB(200, 30, 40)));
  HPALETTE palette = QuantizeToPalette(red.get(), 256, 8, true);
  const auto entries = PaletteEntries(palette);
  const auto system = DefaultPaletteEntries();
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[10].peRed, 200);
  EXPECT_EQ(entries[10].peGreen, 30);
  EXPECT_EQ(entries[11].peRed, 0);  // past the leaves: black
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(entries[std::size_t(i)].peRed, system[std::size_t(i)].peRed);
    EXPECT_EQ(entries[std::size_t(246 + i)].peBlue, system[std::size_t(10 + i)].peBlue);
  }
  DeleteObject(palette);

  std::unique_ptr<TBitmap> reduced(ReduceBitmapColors(red.get(), rmQuantize, dmNearest));
  EXPECT_EQ(Pixels(reduced.get())[0], 0xC81E28u);
}

TEST(ImagesDitherTest, WriterColourTableComesFromThePalette)
{
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(3, 2);
  bitmap.SetPalette(Palette({{1, 2, 3, 0}, {4, 5, 6, 0}}));
  {
    TDIBWriter writer(&bitmap, pf8bit);
    auto* row = static_cast<BYTE*>(writer.RowPointer(1));
    row[2] = 1;
    EXPECT_THROW(writer.RowPointer(2), EInvalidGraphicOperation);
    writer.Finish();
  }
  const std::vector<RGBQUAD> table = ReadColorTable(&bitmap);
  ASSERT_EQ(table.size(), 256u);
  EXPECT_EQ(table[0].rgbRed, 1);
  EXPECT_EQ(table[1].rgbRed, 4);
  for (std::size_t i = 2; i < 256; ++i)
    ASSERT_EQ(table[i].rgbRed | table[i].rgbGreen | table[i].rgbBlue, 0) << i;
  // The new bitmap's pixels were white, index 15: past the palette, black now.
  EXPECT_EQ(Pixels(&bitmap), (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0x040506}));
  EXPECT_NE(bitmap.Palette(), nullptr);
  TDIBWriter bad(&bitmap, pf16bit);
  EXPECT_THROW(bad.RowPointer(0), GIFException);
}

TEST(ImagesDitherTest, WriterReportsAFailedWriteBackAndDropsAnUnfinishedCopy)
{
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(2, 2);
  {
    TDIBWriter writer(&bitmap, pf8bit);
    static_cast<BYTE*>(writer.RowPointer(0))[0] = 1;
    TRefusingStream refusing;
    EXPECT_THROW(writer.SaveToStream(&refusing), EWriteError);
    TRefuseChange refuse;
    bitmap.OnChange = TNotifyEvent(&refuse, &TRefuseChange::Refuse);
    EXPECT_THROW(writer.Finish(), EInvalidGraphic);
    bitmap.OnChange = nullptr;
  }
  const std::vector<std::uint32_t> before = Pixels(&bitmap);
  {
    // Left without Finish: freeing it neither throws nor touches the bitmap.
    TDIBWriter writer(&bitmap, pf8bit);
    static_cast<BYTE*>(writer.RowPointer(0))[0] = 0;
    static_cast<BYTE*>(writer.RowPointer(0))[1] = 0;
  }
  EXPECT_EQ(Pixels(&bitmap), before);
}
