#include <gtest/gtest.h>

#include <memory>

#include "ImageTestSupport.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/Gif.h"
#include "controls/html/images/GifErrors.h"
#include "platform/classes/graphics/Bitmap.h"

using namespace image_test;

namespace {

// Codes packed least significant bit first, each with its width.
TBytes PackCodes(const std::vector<std::pair<int, int>>& Codes)
{
  TBytes out;
  std::uint32_t buffer = 0;
  int have = 0;
  for (auto [code, bits] : Codes) {
    buffer |= std::uint32_t(code) << have;
    have += bits;
    while (have >= 8) {
      out.push_back(std::uint8_t(buffer));
      buffer >>= 8;
      have -= 8;
    }
  }
  if (have)
    out.push_back(std::uint8_t(buffer));
  return out;
}

TBytes SubBlocks(const TBytes& Data)
{
  TBytes out;
  for (std::size_t i = 0; i < Data.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, Data.size() - i);
    out.push_back(std::uint8_t(n));
    out.insert(out.end(), Data.begin() + long(i), Data.begin() + long(i + n));
  }
  out.push_back(0);
  return out;
}

void Put16(TBytes& B, int V)
{
  B.push_back(std::uint8_t(V));
  B.push_back(std::uint8_t(V >> 8));
}

// "GIF89a", the screen and a global table of four colours: black, red, green, blue.
TBytes Header(int W, int H, const char* Signature = "GIF89a")
{
  TBytes b(Signature, Signature + 6);
  Put16(b, W);
  Put16(b, H);
  b.insert(b.end(), {0x81, 0, 0});
  b.insert(b.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
  return b;
}

// Graphic control: disposal, transparent index (-1 none), delay.
TBytes Control(int Disposal, int Transparent, int Delay = 0)
{
  TBytes b = {0x21, 0xF9, 4, std::uint8_t(Disposal << 2 | (Transparent >= 0 ? 1 : 0))};
  Put16(b, Delay);
  b.push_back(std::uint8_t(Transparent < 0 ? 0 : Transparent));
  b.push_back(0);
  return b;
}

// An image of minimum code size 2 whose pixels are given as root codes, each
// after a clear code so that the code width stays 3.
TBytes Image(int Left, int Top, int W, int H, const std::vector<int>& Values)
{
  TBytes b = {0x2C};
  Put16(b, Left);
  Put16(b, Top);
  Put16(b, W);
  Put16(b, H);
  b.push_back(0);
  b.push_back(2);
  std::vector<std::pair<int, int>> codes;
  for (int v : Values) {
    codes.push_back({4, 3});
    codes.push_back({v, 3});
  }
  codes.push_back({5, 3});
  const TBytes sub = SubBlocks(PackCodes(codes));
  b.insert(b.end(), sub.begin(), sub.end());
  return b;
}

TBytes Join(std::initializer_list<TBytes> Parts)
{
  TBytes out;
  for (const TBytes& p : Parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Loads; answers the error text or "".
std::string LoadGif(TGif& Gif, const TBytes& Data)
{
  TByteViewStream stream(Data.data(), Data.size());
  try {
    Gif.LoadGif(&stream);
    return "";
  } catch (const Exception& e) {
    return e.Message();
  }
}

TBytes WithData(int MinCodeSize, const std::vector<std::pair<int, int>>& Codes, int W, int H)
{
  TBytes b = Header(W, H);
  b.push_back(0x2C);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, W);
  Put16(b, H);
  b.push_back(0);
  b.push_back(std::uint8_t(MinCodeSize));
  const TBytes sub = SubBlocks(PackCodes(Codes));
  b.insert(b.end(), sub.begin(), sub.end());
  b.push_back(0x3B);
  return b;
}

}  // namespace

TEST(ImagesGifTest, FileStructure)
{
  const TBytes frame = Image(0, 0, 2, 1, {1, 2});
  struct Case {
    const char* Name;
    TBytes Data;
    std::string Error;
    int Frames;
  } cases[] = {
      {"lower case", Join({Header(2, 1, "gif89a"), frame, {0x3B}}), "", 1},
      {"no trailer", Join({Header(2, 1), frame, frame}), "", 2},
      {"stray zero", Join({Header(2, 1), frame, {0}, frame, {0x3B}}), "", 1},
      {"signature", Join({Header(2, 1, "GIF90a"), frame}), "TGif: Invalid GIF Signature Code", 0},
      {"no image", Join({Header(2, 1), {0x3B}}), "TGif: No Image Description", 0},
      {"bad block", Join({Header(2, 1), {0x77}}), "TGif: Unknown Graphics Operation Code", 0},
      {"unknown extension", Join({Header(2, 1), {0x21, 0x02, 0}, frame}), "TGif: unknown extension: 0002", 0},
      {"control size", Join({Header(2, 1), {0x21, 0xF9, 3, 0, 0, 0, 0}, frame}), "TGif: Invalid Extension Block Size", 0},
      {"truncated", Join({Header(2, 1), TBytes(frame.begin(), frame.end() - 3)}), "TGif: Unexpected end of file", 0},
  };
  for (const Case& c : cases) {
    TGif gif;
    EXPECT_EQ(LoadGif(gif, c.Data), c.Error) << c.Name;
    if (c.Error.empty()) {
      EXPECT_EQ(gif.ImageCount(), c.Frames) << c.Name;
    }
  }
  EXPECT_EQ(GifLastErrorIndex(), 24);
}

TEST(ImagesGifTest, FrameQueriesAndLoopCount)
{
  const TBytes netscape = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 2, 0, 0};
  TGif gif;
  ASSERT_EQ(LoadGif(gif, Join({Header(2, 1), netscape, Image(0, 0, 2, 1, {1, 2}), Control(4, 2, 7),
                            Image(1, 0, 1, 1, {3}), {0x3B}})),
            "");
  EXPECT_EQ(gif.LoopCount(), 2);
  EXPECT_EQ(gif.FrameDelay(0), 1);
  EXPECT_EQ(gif.FrameDisposal(0), 0);
  EXPECT_EQ(gif.FrameTransparentIndex(0), -1);
  EXPECT_EQ(gif.FrameDelay(1), 7);
  EXPECT_EQ(gif.FrameDisposal(1), 0);  // field 4: only its low two bits count
  EXPECT_EQ(gif.FrameTransparentIndex(1), 2);
  EXPECT_EQ(gif.FrameLeft(1), 1);
  EXPECT_TRUE(gif.AnyTransparent());
  EXPECT_THROW(gif.FrameWidth(2), EInvalidGraphicOperation);
}

TEST(ImagesGifTest, LzwData)
{
  // Minimum code size 2: clear 4, end 5, first width 3.
  std::vector<std::pair<int, int>> full = {{4, 3}};
  // Fill the table without a clear code: each code after the first adds an
  // entry; widths grow as the next free code reaches each power of two.
  int next = 6, width = 3, count = 0;
  full.push_back({0, width});
  ++count;
  while (next < 4096) {
    full.push_back({0, width});
    ++count;
    ++next;
    if (next >= (1 << width) && width < 12)
      ++width;
  }
  full.push_back({1, 12});
  full.push_back({3, 12});
  full.push_back({5, 12});
  count += 2;

  struct Case {
    const char* Name;
    TBytes Data;
    std::string Error;
    std::vector<std::uint8_t> Pixels;
  } cases[] = {
      // No clear code first: decoded as if there were one.
      {"no clear", WithData(2, {{1, 3}, {1, 3}, {6, 3}, {5, 3}}, 4, 1), "", {1, 1, 1, 1}},
      {"past next free", WithData(2, {{4, 3}, {1, 3}, {7, 3}}, 2, 1), "TGif: Invalid LZW Data Format", {}},
      {"end after clear", WithData(2, {{4, 3}, {5, 3}}, 2, 1), "TGif: Invalid LZW Data Format", {}},
      {"code size", WithData(12, {{4096, 13}}, 1, 1), "TGif: Invalid LZW Code Size", {}},
      {"data ends early", WithData(2, {{4, 3}, {2, 3}}, 3, 1), "", {2, 0, 0}},
  };
  for (const Case& c : cases) {
    TGif gif;
    EXPECT_EQ(LoadGif(gif, c.Data), c.Error) << c.Name;
    if (c.Error.empty()) {
      EXPECT_EQ(gif.Image(0).Pixels, c.Pixels) << c.Name;
    }
  }
  TGif gif;
  ASSERT_EQ(LoadGif(gif, WithData(2, full, count, 1)), "");
  const auto& pixels = gif.Image(0).Pixels;
  EXPECT_EQ(pixels[std::size_t(count - 2)], 1);
  EXPECT_EQ(pixels[std::size_t(count - 1)], 3);
}

TEST(ImagesGifTest, StripComposesFramesAndDisposals)
{
  // Frame 0: red, blue with blue transparent, disposal 2; frame 1: green at (1, 0).
  TGif gif;
  ASSERT_EQ(LoadGif(gif, Join({Header(2, 1), Control(2, 3), Image(0, 0, 2, 1, {1, 3}), Image(1, 0, 1, 1, {2}), {0x3B}})),
            "");
  std::vector<TGif::TStrip> strips = gif.BuildStrips();
  ASSERT_EQ(strips.size(), 1u);
  TBitmap* strip = strips[0].Bitmap.get();
  TBitmap* mask = strips[0].Mask.get();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(strip->Width(), 4);
  EXPECT_EQ(strip->PixelFormat(), pf24bit);
  EXPECT_EQ(Pixels(strip), (std::vector<std::uint32_t>{0xFF0000, 0x000000, 0xFF0000, 0x00FF00}));
  // Cell 1: frame 0's rectangle was disposed (transparent), its pixels kept.
  EXPECT_EQ(Pixels(mask), (std::vector<std::uint32_t>{0, 0xFFFFFF, 0xFFFFFF, 0}));

  // Disposal 3 puts back what was there before; disposal 2 without any
  // transparency paints the background colour (entry 0, black).
  TGif restore;
  ASSERT_EQ(LoadGif(restore, Join({Header(2, 1), Control(2, -1), Image(0, 0, 2, 1, {1, 1}), Control(3, -1),
                                Image(0, 0, 1, 1, {2}), Image(1, 0, 1, 1, {3}), {0x3B}})),
            "");
  std::vector<TGif::TStrip> strips2 = restore.BuildStrips();
  ASSERT_EQ(strips2.size(), 1u);
  EXPECT_EQ(strips2[0].Mask, nullptr);
  EXPECT_EQ(Pixels(strips2[0].Bitmap.get()), (std::vector<std::uint32_t>{0xFF0000, 0xFF0000, 0x00FF00, 0x000000, 0x000000,
                                                              0x0000FF}));
}

TEST(ImagesGifTest, ScreenGrowsToItsFramesAndSizesAreCapped)
{
  TGif small;
  ASSERT_EQ(LoadGif(small, Join({Header(1, 1), Image(2, 1, 2, 2, {1, 2, 3, 1}), {0x3B}})), "");
  EXPECT_EQ(small.ScreenWidth(), 4);
  EXPECT_EQ(small.ScreenHeight(), 3);

  TBytes huge = Header(1, 1);
  huge.push_back(0x2C);
  Put16(huge, 0);
  Put16(huge, 0);
  Put16(huge, 0xFFFF);
  Put16(huge, 0xFFFF);
  huge.insert(huge.end(), {0, 2, 1, 0x4C, 0, 0x3B});
  TGif gif;
  EXPECT_EQ(LoadGif(gif, huge), "TGif: Value Out Of Range");

  // Frames past what the strips may hold in all are dropped, the first ones
  // kept.
  TBytes many = Header(4000, 4000);
  for (int i = 0; i < 20; ++i) {
    const TBytes f = Image(0, 0, 1, 1, {1});
    many.insert(many.end(), f.begin(), f.end());
  }
  many.push_back(0x3B);
  ASSERT_EQ(LoadGif(gif, many), "");
  EXPECT_EQ(gif.ImageCount(), 16);  // 16 screens of 4000 x 4000 fit 256 megapixels; 17 would not
  EXPECT_EQ(gif.FramesPerStrip(), 4);  // 4 of them fit one bitmap of 64 megapixels
}
