#include <gtest/gtest.h>

#include "DrawFixture.h"
#include "platform/base/MemoryStream.h"
#include "platform/win/ole/StreamAdapter.h"

namespace {
// A strip of two 3x2 images keyed on magenta: image 0 "r m r / m b m", image 1 all black.
HBITMAP Strip()
{
  HBITMAP b = CreateBitmap(6, 2, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, b);
  const COLORREF m = RGB(255, 0, 255), r = RGB(255, 0, 0), bl = RGB(0, 0, 255);
  COLORREF pixels[2][6] = {{r, m, r, 0, 0, 0}, {m, bl, m, 0, 0, 0}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x)
      SetPixel(dc, x, y, pixels[y][x]);
  DeleteDC(dc);
  return b;
}
const std::map<COLORREF, char> kLegend{{RGB(0, 255, 0), 'g'}, {RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'},
                                       {0, 'k'}, {RGB(255, 255, 255), 'w'}, {RGB(255, 255, 0), 'y'},
                                       {RGB(128, 128, 128), 's'}};
}  // namespace

TEST(ImageList, AddMaskedAndDrawStyles)
{
  HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR32 | ILC_MASK, 4, 4);
  HBITMAP strip = Strip();
  EXPECT_EQ(ImageList_AddMasked(list, strip, RGB(255, 0, 255)), 0);
  DeleteObject(strip);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  struct Case {
    UINT style;
    COLORREF bk, fg;
    const char* picture;
  } cases[] = {
      {ILD_TRANSPARENT, CLR_DEFAULT, CLR_DEFAULT, "rgr\ngbg\n"},
      {ILD_NORMAL, RGB(255, 255, 0), CLR_DEFAULT, "ryr\nyby\n"},  // the background colour behind
      {ILD_NORMAL, CLR_NONE, CLR_DEFAULT, "rgr\ngbg\n"},
      {ILD_MASK, RGB(255, 255, 255), CLR_DEFAULT, "kwk\nwkw\n"},
      // 50% towards white: (c + 255 + 1) / 2.
      {ILD_TRANSPARENT | ILD_BLEND50, CLR_NONE, RGB(255, 255, 255), "?g?\ng?g\n"},
  };
  for (const auto& c : cases) {
    TDrawFixture f(3, 2, RGB(0, 255, 0));
    ASSERT_TRUE(ImageList_DrawEx(list, 0, f.DC, 0, 0, 0, 0, c.bk, c.fg, c.style));
    EXPECT_EQ(f.Picture(kLegend), c.picture) << c.style;
    if (c.style & ILD_BLEND50) {
      EXPECT_EQ(f.At(0, 0), RGB(255, 128, 128));
    }
  }
  // A partial draw: the top-left 2x1 of the image only.
  TDrawFixture part(3, 2, RGB(0, 255, 0));
  ImageList_DrawEx(list, 0, part.DC, 0, 0, 2, 1, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
  EXPECT_EQ(part.Picture(kLegend), "rgg\nggg\n");
  // Disabled: dark pixels (the blue one; red sums to 255 < 383, too) as highlight at +1 then shadow.
  TDrawFixture gray(4, 3, RGB(0, 255, 0));
  ImageList_DrawDisabled(list, 0, gray.DC, 0, 0);
  EXPECT_EQ(gray.Picture(kLegend), "sgsg\ngsgw\nggwg\n");
  EXPECT_FALSE(ImageList_Draw(list, 2, gray.DC, 0, 0, ILD_NORMAL));
  ImageList_Destroy(list);
  EXPECT_FALSE(ImageList_Draw(list, 0, gray.DC, 0, 0, ILD_NORMAL));
}

// A light image keeps a visible disabled form: its darker part is the ink, and
// a light image of one colour is ink all over.
TEST(ImageList, DisabledFormOfALightImageStaysVisible)
{
  const COLORREF m = RGB(255, 0, 255), y = RGB(255, 255, 128), w = RGB(255, 255, 255);
  HBITMAP b = CreateBitmap(6, 2, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, b);
  COLORREF pixels[2][6] = {{y, w, y, y, m, y}, {w, y, w, y, y, y}};
  for (int py = 0; py < 2; ++py)
    for (int px = 0; px < 6; ++px)
      SetPixel(dc, px, py, pixels[py][px]);
  DeleteDC(dc);
  HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR32 | ILC_MASK, 2, 2);
  ASSERT_EQ(ImageList_AddMasked(list, b, m), 0);
  DeleteObject(b);
  const char* expected[] = {"sgsg\ngsgw\nggwg\n", "sgsg\nsssw\ngwww\n"};
  for (int i = 0; i < 2; ++i) {
    TDrawFixture gray(4, 3, RGB(0, 255, 0));
    ASSERT_TRUE(ImageList_DrawDisabled(list, i, gray.DC, 0, 0));
    EXPECT_EQ(gray.Picture(kLegend), expected[i]) << i;
  }
  ImageList_Destroy(list);
}

TEST(ImageList, CountsIconsAndRemoval)
{
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 1);
  EXPECT_TRUE(ImageList_SetImageCount(list, 3));
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  HICON arrow = LoadCursor(nullptr, IDC_ARROW);
  EXPECT_EQ(ImageList_AddIcon(list, arrow), 3);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, arrow), 0);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 9, arrow), -1);
  HICON back = ImageList_GetIcon(list, 3, 0);
  EXPECT_EQ(IconSize(back), TSize(2, 2));
  DestroyIcon(back);
  EXPECT_TRUE(ImageList_Remove(list, 1));
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(TSize(cx, cy), TSize(2, 2));
  ImageList_Destroy(list);
}

TEST(ImageList, RoundTripThroughItsStreamFormat)
{
  HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR32 | ILC_MASK, 4, 4);
  HBITMAP strip = Strip();
  ImageList_AddMasked(list, strip, RGB(255, 0, 255));
  ImageList_AddMasked(list, strip, RGB(255, 0, 255));
  ImageList_AddMasked(list, strip, RGB(255, 0, 255));  // 6 images: two rows in the stream
  DeleteObject(strip);
  ImageList_SetBkColor(list, RGB(1, 2, 3));
  ImageList_SetOverlayImage(list, 5, 1);
  TMemoryStream memory;
  {
    InterfacePtr<IStream> out(new TStreamAdapter(&memory));
    ASSERT_TRUE(ImageList_Write(list, out.Get()));
  }
  Int64 written = memory.Size();
  memory.SetPosition(0);
  InterfacePtr<IStream> in(new TStreamAdapter(&memory));
  HIMAGELIST back = ImageList_Read(in.Get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(memory.Position(), written);  // the stream is left after the list
  EXPECT_EQ(ImageList_GetImageCount(back), 6);
  EXPECT_EQ(ImageList_GetBkColor(back), RGB(1, 2, 3));
  for (int i = 0; i < 6; ++i) {
    TDrawFixture a(3, 2, RGB(0, 255, 0)), b(3, 2, RGB(0, 255, 0));
    ImageList_Draw(list, i, a.DC, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    ImageList_Draw(back, i, b.DC, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(a.Picture(kLegend), b.Picture(kLegend)) << i;
  }
  // Every truncation, and lies in the header, are refused cleanly.
  std::vector<uint8_t> bytes(static_cast<std::size_t>(written));
  memory.SetPosition(0);
  memory.ReadBuffer(bytes.data(), Integer(bytes.size()));
  auto readFrom = [](std::vector<uint8_t> data) {
    TMemoryStream m;
    m.WriteBuffer(data.data(), Integer(data.size()));
    m.SetPosition(0);
    InterfacePtr<IStream> s(new TStreamAdapter(&m));
    return ImageList_Read(s.Get());
  };
  for (std::size_t n = 0; n < bytes.size(); n += 7)
    EXPECT_EQ(readFrom(std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n))), nullptr) << n;
  auto lie = bytes;
  lie[6] = 9;  // count 9: three rows of images needed, two stored
  EXPECT_EQ(readFrom(lie), nullptr);
  lie = bytes;
  lie[10] = 0;  // width 0
  EXPECT_EQ(readFrom(lie), nullptr);
  lie = bytes;
  lie[32] = 0xFF, lie[33] = 0xFF, lie[34] = 0xFF, lie[35] = 0x7F;  // a BMP claiming 2 GiB
  EXPECT_EQ(readFrom(lie), nullptr);
  ImageList_Destroy(list);
  ImageList_Destroy(back);
}

TEST(ImageList, StreamsWithImagesOfAnotherDepthAreRead)
{
  // A pack written by another tool may hold its images at 24 or 1 bits; the
  // reader once copied 4 bytes a pixel from them whatever their depth.
  HBITMAP image = CreateBitmap(8, 2, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, image);
  SetPixel(dc, 2, 1, RGB(10, 20, 30));
  DeleteDC(dc);
  for (int bits : {24, 1}) {
    std::vector<uint8_t> bmp = WriteBmpFile(image, bits);
    std::vector<uint8_t> stream = {'C', 'V', 'I', 'L', 1, 0,  // magic, version
                                   3, 0, 4, 0,                  // 3 images, grow 4
                                   2, 0, 2, 0,                  // 2 x 2 pixels
                                   0x18, 0, 0, 0,               // ILC_COLOR24, no mask
                                   0xFF, 0xFF, 0xFF, 0xFF,      // no background colour
                                   0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // no overlays
    stream.insert(stream.end(), bmp.begin(), bmp.end());
    TMemoryStream m;
    m.WriteBuffer(stream.data(), Integer(stream.size()));
    m.SetPosition(0);
    InterfacePtr<IStream> s(new TStreamAdapter(&m));
    HIMAGELIST list = ImageList_Read(s.Get());
    ASSERT_NE(list, nullptr) << bits;
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    TDrawFixture f(2, 2, RGB(0, 255, 0));
    ImageList_Draw(list, 1, f.DC, 0, 0, ILD_NORMAL);
    EXPECT_EQ(f.At(0, 1), bits == 24 ? RGB(10, 20, 30) : RGB(0, 0, 0));
    EXPECT_EQ(f.At(1, 0), RGB(0, 0, 0));
    ImageList_Destroy(list);
  }
  DeleteObject(image);
}
