#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "DrawFixture.h"
#include "platform/base/ModuleLoader.h"

namespace {

void Put16(std::vector<uint8_t>& v, int x)
{
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x)
{
  for (int i = 0; i < 4; ++i)
    v.push_back(uint8_t(x >> (8 * i)));
}

// A 4x2 ".ico" of 4 bits: colour indexes and an AND mask, rows given top first.
std::vector<uint8_t> FourBitIcon()
{
  std::vector<uint8_t> image;
  Put32(image, 40);  // header size
  Put32(image, 4);   // width
  Put32(image, 4);   // height: twice the rows, colour then mask
  Put16(image, 1);   // planes
  Put16(image, 4);   // bits per pixel
  Put32(image, 0);   // BI_RGB
  Put32(image, 0);   // image size
  Put32(image, 0);
  Put32(image, 0);
  Put32(image, 16);  // colours used
  Put32(image, 0);
  for (int i = 0; i < 16; ++i)  // table: 0 black, 1 red, 2 blue, the rest grey
    Put32(image, i == 1 ? 0x00FF0000 : i == 2 ? 0x000000FF : i == 0 ? 0 : 0x00808080);
  // XOR rows, bottom first, 4 bytes each: bottom row "2 2 0 0", top row "1 0 0 1".
  for (uint8_t b : {0x22, 0x00, 0, 0, 0x10, 0x01, 0, 0})
    image.push_back(b);
  // AND rows, bottom first: bottom "0 0 1 1" (right half shows the screen), top "0 1 1 1".
  for (uint8_t b : {0x30, 0, 0, 0, 0x70, 0, 0, 0})
    image.push_back(b);
  std::vector<uint8_t> file;
  Put16(file, 0);  // reserved
  Put16(file, 1);  // icon
  Put16(file, 1);  // one entry
  file.push_back(4);  // width
  file.push_back(2);  // height
  file.push_back(16);  // colours
  file.push_back(0);
  Put16(file, 1);   // planes
  Put16(file, 4);   // bits
  Put32(file, uint32_t(image.size()));
  Put32(file, 22);  // offset of the image
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

}  // namespace

TEST(Icons, IcoWithMaskDrawnOverAColouredBackground)
{
  std::vector<uint8_t> file = FourBitIcon();
  ASSERT_TRUE(IsIconFile(file.data(), file.size()));
  HICON icon = CreateIconFromFile(file.data(), file.size(), 16);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(IconSize(icon), TSize(4, 2));
  TDrawFixture f(6, 3, RGB(0, 255, 0));
  ASSERT_TRUE(DrawIcon(f.DC, 1, 1, icon));
  // Mask 1 with colour 0 keeps the green; mask 1 with a colour inverts it; mask 0 paints.
  std::map<COLORREF, char> legend{{RGB(0, 255, 0), 'g'}, {RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'},
                                  {0, 'k'}, {RGB(255, 255, 0), 'y'}};
  // Top right: mask 1 and red, so green XOR red shows yellow.
  EXPECT_EQ(f.Picture(legend), "gggggg\ngrggyg\ngbbggg\n");
  // GetIconInfo gives the two bitmaps back; an icon built from them draws the same.
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(icon, &info));
  HICON copy = CreateIconIndirect(&info);
  TDrawFixture g(6, 3, RGB(0, 255, 0));
  DrawIconEx(g.DC, 1, 1, copy, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(g.Picture(legend), f.Picture(legend));
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_TRUE(DestroyIcon(copy));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(f.DC, 0, 0, icon));
}

TEST(Icons, HostileIconFilesAreRefused)
{
  std::vector<uint8_t> good = FourBitIcon();
  auto broken = [&](auto change) {
    std::vector<uint8_t> v = good;
    change(v);
    return CreateIconFromFile(v.data(), v.size(), 16);
  };
  EXPECT_EQ(broken([](auto& v) { v.resize(40); }), nullptr);                    // cut short
  EXPECT_EQ(broken([](auto& v) { v[18] = 0xFF; v[19] = 0xFF; }), nullptr);      // offset past the end
  EXPECT_EQ(broken([](auto& v) { v[14] = 0xFF; v[15] = 0xFF; v[16] = 0xFF; }), nullptr);  // size past the end
  EXPECT_EQ(broken([](auto& v) { v[22 + 4] = 0; v[22 + 5] = 0x10; }), nullptr);  // width 4096
  EXPECT_EQ(broken([](auto& v) { v[22 + 14] = 7; }), nullptr);                   // 7 bits per pixel
  EXPECT_EQ(broken([](auto& v) { v[22 + 16] = 1; }), nullptr);                   // compressed
  EXPECT_EQ(broken([](auto& v) { v[4] = 0xFF; v[5] = 0xFF; }), nullptr);         // 65535 entries
  EXPECT_EQ(CreateIconFromFile(nullptr, 0, 16), nullptr);
  // Every prefix of a good file is refused or read, never a crash.
  for (std::size_t n = 0; n < good.size(); ++n)
    if (HICON i = CreateIconFromFile(good.data(), n, 16))
      DestroyIcon(i);
}

TEST(Icons, StandardCursorsAreDrawnWithHotSpots)
{
  struct Case {
    LPCSTR id;
    TPoint hot;
  } cases[] = {{IDC_ARROW, {0, 0}}, {IDC_IBEAM, {5, 8}}, {IDC_SIZEWE, {9, 4}}, {IDC_HAND, {6, 0}}, {IDC_HSPLIT, {9, 9}}};
  for (const auto& c : cases) {
    HCURSOR cursor = LoadCursor(nullptr, c.id);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor, LoadCursor(nullptr, c.id));  // shared
    TCursorImage image;
    ASSERT_TRUE(GetCursorImage(cursor, image));
    EXPECT_EQ(image.HotSpot, c.hot);
    int opaque = 0;
    for (uint32_t p : image.Pixels)
      opaque += (p >> 24) != 0;
    EXPECT_GT(opaque, 10);
  }
  // The arrow's tip is black, with white inside it.
  TCursorImage arrow;
  GetCursorImage(LoadCursor(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(arrow.Pixels[0], 0xFF000000u);
  EXPECT_EQ(arrow.Pixels[5 * 32 + 2], 0xFFFFFFFFu);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
  EXPECT_NE(LoadIcon(nullptr, IDI_WARNING), nullptr);
}

TEST(Resources, FilesOfTheModuleFolderAreFoundByName)
{
  HMODULE self = HInstance();
  HRSRC pack = FindResource(self, "PACK", RT_RCDATA);
  ASSERT_NE(pack, nullptr);
  EXPECT_EQ(SizeofResource(self, pack), 12u);
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(self, pack)), "not an image", 12), 0);
  EXPECT_EQ(FindResource(self, "PACK", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResource(nullptr, "PACK", RT_RCDATA), nullptr);

  // The bitmap, its greys mapped to the system colours.
  HBITMAP swatch = HBITMAP(LoadImage(self, "swatch", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION));
  ASSERT_NE(swatch, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, swatch);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 0, 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_BTNFACE));
  DeleteDC(dc);
  DeleteObject(swatch);
  HBITMAP plain = LoadBitmap(self, "SWATCH");
  BITMAP bm;
  ASSERT_EQ(GetObject(plain, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 4);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(plain);

  HCURSOR pointer = LoadCursor(self, "POINTER");
  ASSERT_NE(pointer, nullptr);
  TCursorImage image;
  GetCursorImage(pointer, image);
  EXPECT_EQ(image.HotSpot, TPoint(1, 0));
  EXPECT_EQ(image.Pixels[0], 0xFF000000u);  // mask 0, colour black
  EXPECT_EQ(image.Pixels[3], 0u);           // mask 1, colour black: transparent
  EXPECT_EQ(image.Pixels[2], 0xFFFFFFFFu);  // mask 0, colour white
  DestroyCursor(pointer);
}

TEST(Bmp, RoundTripsEveryDepthAndRefusesHostileFiles)
{
  HBITMAP source = CreateBitmap(5, 3, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, source);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      SetPixel(dc, x, y, (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0));
  DeleteDC(dc);
  for (int bits : {1, 4, 8, 24, 32}) {
    std::vector<uint8_t> file = WriteBmpFile(source, bits);
    ASSERT_FALSE(file.empty()) << bits;
    HBITMAP back = ReadBmpFile(file.data(), file.size());
    ASSERT_NE(back, nullptr) << bits;
    HDC r = CreateCompatibleDC(nullptr);
    SelectObject(r, back);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(GetPixel(r, x, y), (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0)) << bits << " " << x << "," << y;
    DeleteDC(r);
    DeleteObject(back);
    // Truncations and lies in the header are refused without reading past the data.
    for (std::size_t n = 0; n < file.size(); n += 3)
      if (HBITMAP b = ReadBmpFile(file.data(), n))
        DeleteObject(b);
    std::vector<uint8_t> huge = file;
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // width 2^31 - 1
    EXPECT_EQ(ReadBmpFile(huge.data(), huge.size()), nullptr);
  }
  DeleteObject(source);
}
