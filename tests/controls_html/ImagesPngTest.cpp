#include <gtest/gtest.h>

#include <memory>

#include <zlib.h>

#include "ImageTestSupport.h"
#include "ReferenceDecoders.h"
#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/ChunkIDAT.h"
#include "controls/html/images/PngChunks.h"
#include "controls/html/images/PngFilters.h"
#include "controls/html/images/PngImage.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Picture.h"

using namespace image_test;

namespace {

// Loads the bytes; answers the error text, or "" when it loads.
std::string LoadPng(TPNGImage& Png, const TBytes& Data)
{
  TByteViewStream stream(Data.data(), Data.size());
  try {
    Png.LoadFromStream(&stream);
    return "";
  } catch (const Exception& e) {
    return e.Message();
  }
}

std::string Error(const char* Message)
{
  return std::string("Portable Network Graphics format handler error\r\n\r\n") + Message;
}

const TBytes Grey2x1 = {0, 0x1B};  // one row of four 2-bit samples: 0, 1, 2, 3

}  // namespace

TEST(ImagesPngTest, ChunkErrorsAndUnknownChunks)
{
  TBytes corrupt = SimplePng(4, 1, 2, 0, Grey2x1);
  corrupt[8 + 8 + 13 + 2] ^= 1;  // the IHDR's CRC
  const TBytes ancillary = SimplePng(4, 1, 2, 0, Grey2x1, {Chunk("ruSt", {1, 2, 3})});
  const TBytes critical = SimplePng(4, 1, 2, 0, Grey2x1, {Chunk("RUST", {1, 2, 3})});
  TBytes longChunk = SimplePng(4, 1, 2, 0, Grey2x1);
  longChunk[8 + 25] = 0x70;  // the IDAT claims far more than the file holds
  struct Case {
    const char* Name;
    TBytes Data;
    std::string Error;
  } cases[] = {
      {"crc", corrupt, Error("Can't read the PNG image, it has corrupted data. ")},
      {"critical", critical,
       Error("The currently being loaded image contains critical(s) chunk(s) not reconized by the decoder.")},
      {"signature", TBytes(20, 1), Error("Invalid Portable Graphics Network image, it has an invalid file header.")},
      {"no header", Png({Chunk("IDAT", Deflate(Grey2x1)), Chunk("IEND", {})}),
       Error("This PNG image is invalid, the IHDR chunk is either not present or it isn't the first chunk.")},
      {"no data", Png({Ihdr(4, 1, 2, 0), Chunk("IEND", {})}),
       Error("The current image being loaded has no data and could not be loaded.")},
      {"length", longChunk, Error("Can't read the PNG image, it has corrupted data. ")},
      {"ancillary", ancillary, ""},
  };
  for (const Case& c : cases) {
    TPNGImage png;
    EXPECT_EQ(LoadPng(png, c.Data), c.Error) << c.Name;
  }
  TPNGImage png;
  ASSERT_EQ(LoadPng(png, ancillary), "");
  const int kept = png.Chunks()->IndexOfClass(&TChunk::Create);
  ASSERT_GE(kept, 0);
  EXPECT_EQ(png.Chunks()->Item(kept)->Data(), (TBytes{1, 2, 3}));
}

TEST(ImagesPngTest, HostileHeadersEndInAClearError)
{
  TBytes shortHeader = Png({Chunk("IHDR", TBytes(12, 0)), Chunk("IDAT", Deflate(Grey2x1)), Chunk("IEND", {})});
  struct Case {
    const char* Name;
    TBytes Data;
    const char* Error;
  } cases[] = {
      {"huge", SimplePng(100000, 100000, 8, 2, TBytes(10, 0)), "The image has invalid or too large dimensions."},
      {"zero width", SimplePng(0, 1, 8, 0, TBytes(1, 0)), "The image has invalid or too large dimensions."},
      {"negative", SimplePng(0x80000000u, 1, 8, 0, TBytes(1, 0)), "The image has invalid or too large dimensions."},
      {"rgb at 4 bits", SimplePng(1, 1, 4, 2, TBytes(3, 0)), "The image has a bit depth its color type does not allow."},
      {"palette at 16", SimplePng(1, 1, 16, 3, TBytes(3, 0)),
       "The image has a bit depth its color type does not allow."},
      {"colour type 5", SimplePng(1, 1, 8, 5, TBytes(3, 0)),
       "Could not read the image because it has an unknown color type."},
      {"short header", shortHeader, "The IHDR chunk of the image is invalid."},
      {"truncated rows", SimplePng(4, 3, 8, 0, TBytes{0, 1, 2, 3, 4}), "The image data ends before the last row of the image."},
      {"filter 5", SimplePng(4, 1, 8, 0, TBytes{5, 1, 2, 3, 4}),
       "The image could not be loaded because it uses an unknown set of filter types."},
      {"palette missing", SimplePng(1, 1, 8, 3, TBytes{0, 0}),
       "The current image requeries a palette but it is not avaliable."},
      {"palette of 257", SimplePng(1, 1, 8, 3, TBytes{0, 0}, {Chunk("PLTE", TBytes(771, 9))}),
       "The current image being loaded has an invalid palette!"},
      {"interlace 2", Png({Ihdr(1, 1, 8, 0, 2), Chunk("IDAT", Deflate(TBytes{0, 0})), Chunk("IEND", {})}),
       "The image has an unknown interlace method."},
  };
  for (const Case& c : cases) {
    TPNGImage png;
    EXPECT_EQ(LoadPng(png, c.Data), Error(c.Error)) << c.Name;
  }
}

TEST(ImagesPngTest, SamplesBecomeBitmapValues)
{
  TPNGImage grey;
  ASSERT_EQ(LoadPng(grey, SimplePng(4, 1, 2, 0, Grey2x1)), "");
  EXPECT_EQ(grey.PixelFormat(), pf4bit);
  const auto* row = static_cast<const std::uint8_t*>(grey.ScanLine(0));
  EXPECT_EQ(row[0], 0x05);  // samples times 5
  EXPECT_EQ(row[1], 0xAF);
  const std::vector<RGBQUAD> table = ReadColorTable(&grey);
  for (int i : {0, 5, 10, 15})
    EXPECT_EQ(table[std::size_t(i)].rgbRed, (i / 5) * 85) << i;
  EXPECT_EQ(Pixels(&grey), (std::vector<std::uint32_t>{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}));

  // 16-bit RGB keeps the high bytes; RGBA drops alpha (and masks it).
  TPNGImage rgb16;
  ASSERT_EQ(LoadPng(rgb16, SimplePng(1, 1, 16, 2, TBytes{0, 0x12, 0xFF, 0x34, 0xFF, 0x56, 0xFF})), "");
  EXPECT_EQ(rgb16.PixelFormat(), pf24bit);
  EXPECT_EQ(Pixels(&rgb16)[0], 0x123456u);
  TPNGImage rgba;
  ASSERT_EQ(LoadPng(rgba, SimplePng(2, 1, 8, 6, TBytes{0, 1, 2, 3, 0, 4, 5, 6, 200})), "");
  EXPECT_EQ(Pixels(&rgba), (std::vector<std::uint32_t>{0x010203, 0x040506}));
  ASSERT_NE(rgba.Mask(), nullptr);
  EXPECT_EQ(Pixels(rgba.Mask()), (std::vector<std::uint32_t>{0xFFFFFF, 0x000000}));
}

TEST(ImagesPngTest, TransparencyChunks)
{
  // RGB: the colour becomes the bitmap's transparent colour and the mask.
  TPNGImage rgb;
  ASSERT_EQ(LoadPng(rgb, SimplePng(2, 1, 8, 2, TBytes{0, 10, 20, 30, 1, 2, 3},
                                {Chunk("tRNS", TBytes{0, 10, 0, 20, 0, 30})})),
            "");
  EXPECT_TRUE(rgb.Transparent());
  EXPECT_EQ(rgb.TransparentColor(), TColor(RGB(10, 20, 30)));
  ASSERT_NE(rgb.Mask(), nullptr);
  EXPECT_EQ(Pixels(rgb.Mask()), (std::vector<std::uint32_t>{0xFFFFFF, 0}));
  // Palette: the bitmap stays opaque (the loader builds the mask).
  TPNGImage palette;
  ASSERT_EQ(LoadPng(palette, SimplePng(2, 1, 8, 3, TBytes{0, 0, 1},
                                    {Chunk("PLTE", TBytes{1, 2, 3, 4, 5, 6}), Chunk("tRNS", TBytes{0})})),
            "");
  EXPECT_FALSE(palette.Transparent());
  EXPECT_EQ(palette.Mask(), nullptr);
  // Grey key sample.
  TPNGImage grey;
  ASSERT_EQ(LoadPng(grey, SimplePng(2, 1, 8, 0, TBytes{0, 7, 8}, {Chunk("tRNS", TBytes{0, 8})})), "");
  ASSERT_NE(grey.Mask(), nullptr);
  EXPECT_EQ(Pixels(grey.Mask()), (std::vector<std::uint32_t>{0, 0xFFFFFF}));
}

TEST(ImagesPngTest, GammaTables)
{
  TPNGImage png;
  TChunkGAMA* gama = static_cast<TChunkGAMA*>(png.Chunks()->Add(&TChunkGAMA::Create));
  gama->SetGamma(45455);
  gama->ProcessChunk();
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(gama->GammaTable()[i], i);
  gama->SetGamma(100000);
  gama->ProcessChunk();
  EXPECT_EQ(gama->GammaTable()[1], 21);
  EXPECT_EQ(gama->GammaTable()[64], 136);
  EXPECT_EQ(gama->GammaTable()[128], 186);
  gama->SetGamma(0);
  gama->ProcessChunk();
  EXPECT_FALSE(gama->HasTables());
}

TEST(ImagesPngTest, Filters)
{
  struct Case {
    std::uint8_t Type;
    TBytes Row, Prev, Expected;
    std::size_t Bpp;
  } cases[] = {
      {3, {200, 0}, {0, 200}, {200, 200}, 1},  // Average: (200 + 200) div 2, without overflow
      {4, {0, 0}, {100, 100}, {100, 100}, 1},  // Paeth: left 100 = up 100, upper-left 100
      {4, {0, 0}, {20, 30}, {20, 30}, 1},      // Paeth: up is nearest to left + up - upper-left
      {1, {1, 2, 3, 4}, {0, 0, 0, 0}, {1, 2, 4, 6}, 2},
      {2, {1, 255}, {255, 2}, {0, 1}, 1},
  };
  for (Case& c : cases) {
    ASSERT_TRUE(UnfilterRow(c.Type, c.Row.data(), c.Prev.data(), c.Row.size(), c.Bpp));
    EXPECT_EQ(c.Row, c.Expected) << int(c.Type);
  }
  EXPECT_EQ(PaethPredictor(100, 100, 0), 100);
  TBytes row = {1};
  EXPECT_FALSE(UnfilterRow(5, row.data(), row.data(), 1, 1));
}

TEST(ImagesPngTest, SplitDataAndInterlacedNarrowImagesDecodeAsTheFormatSays)
{
  // Three IDAT chunks of one stream.
  const TBytes rows = {0, 10, 20, 30, 0, 40, 50, 60};
  const TBytes z = Deflate(rows);
  const std::size_t third = z.size() / 3;
  const TBytes split = Png({Ihdr(3, 2, 8, 0), Chunk("IDAT", TBytes(z.begin(), z.begin() + long(third))),
                            Chunk("IDAT", TBytes(z.begin() + long(third), z.begin() + long(2 * third))),
                            Chunk("IDAT", TBytes(z.begin() + long(2 * third), z.end())), Chunk("IEND", {})});
  TPNGImage png;
  ASSERT_EQ(LoadPng(png, split), "");
  EXPECT_EQ(Pixels(&png), (std::vector<std::uint32_t>{0x0A0A0A, 0x141414, 0x1E1E1E, 0x282828, 0x323232, 0x3C3C3C}));

  // Every interlaced file of the corpus (narrow ones have empty passes) reads
  // as libpng reads it and as its plain twin.
  for (const char* name : {"c0-d2-i%d-3x3", "c2-d8-i%d-3x3", "c3-d1-i%d-5x5", "c6-d16-i%d-1x1", "c4-d8-i%d-17x13"}) {
    char plain[40], laced[40];
    std::snprintf(plain, sizeof(plain), name, 0);
    std::snprintf(laced, sizeof(laced), name, 1);
    TPNGImage a, b;
    ASSERT_EQ(LoadPng(a, ReadFile(CorpusFile(std::string("png/") + plain + ".png"))), "") << plain;
    ASSERT_EQ(LoadPng(b, ReadFile(CorpusFile(std::string("png/") + laced + ".png"))), "") << laced;
    TRgbPicture reference;
    const TBytes data = ReadFile(CorpusFile(std::string("png/") + laced + ".png"));
    ASSERT_TRUE(ReferencePngDecode(data.data(), data.size(), reference));
    std::vector<std::uint32_t> want;
    for (std::size_t i = 0; i < reference.Rgb.size(); i += 3)
      want.push_back(std::uint32_t(reference.Rgb[i]) << 16 | std::uint32_t(reference.Rgb[i + 1]) << 8 |
                     reference.Rgb[i + 2]);
    EXPECT_EQ(Pixels(&b), want) << laced;
  }
}

TEST(ImagesPngTest, SavingWritesWhatLoadsBack)
{
  // A 32-bit bitmap is written as RGB at depth 8 and becomes 24-bit.
  TPNGImage png;
  png.SetPixelFormat(pf32bit);
  png.SetSize(5, 3);
  png.Canvas()->Brush()->SetColor(TColor(RGB(1, 2, 3)));
  png.Canvas()->FillRect(TRect(0, 0, 5, 3));
  png.Canvas()->SetPixels(4, 2, TColor(RGB(200, 100, 50)));
  TMemoryStream saved;
  png.SaveToStream(&saved);
  EXPECT_EQ(png.PixelFormat(), pf24bit);
  const auto* bytes = static_cast<const std::uint8_t*>(saved.Memory());
  EXPECT_EQ(bytes[8 + 8 + 8], 8);  // depth
  EXPECT_EQ(bytes[8 + 8 + 9], 2);  // RGB
  TRgbPicture reference;
  ASSERT_TRUE(ReferencePngDecode(bytes, std::size_t(saved.Size()), reference));
  EXPECT_EQ(reference.Rgb[3 * 14], 200);
  TPNGImage again;
  ASSERT_EQ(LoadPng(again, TBytes(bytes, bytes + saved.Size())), "");
  EXPECT_EQ(Pixels(&again), Pixels(&png));

  // A palette picture with a gAMA chunk: PLTE goes after gAMA, before IDAT;
  // an unknown chunk not safe to copy is dropped.
  TPNGImage paletted;
  ASSERT_EQ(LoadPng(paletted, SimplePng(2, 1, 8, 3, TBytes{0, 0, 1},
                                     {Chunk("gAMA", TBytes{0, 0, 0xB1, 0x8F}), Chunk("PLTE", TBytes{9, 9, 9, 200, 0, 0}),
                                      Chunk("ruSt", {1}), Chunk("ruST", {2})})),
            "");
  TMemoryStream out;
  paletted.SaveToStream(&out);
  const std::string text(static_cast<const char*>(out.Memory()), std::size_t(out.Size()));
  EXPECT_LT(text.find("gAMA"), text.find("PLTE"));
  EXPECT_LT(text.find("PLTE"), text.find("IDAT"));
  EXPECT_NE(text.find("ruSt"), std::string::npos);
  EXPECT_EQ(text.find("ruST"), std::string::npos);
  TPNGImage back;
  ASSERT_EQ(LoadPng(back, TBytes(text.begin(), text.end())), "");
  EXPECT_EQ(Pixels(&back), Pixels(&paletted));
}

TEST(ImagesPngTest, FilterChoiceFavoursRepeatedBytes)
{
  // A ramp: Sub turns it into repeated bytes, so Sub wins over None.
  TBytes rows;
  for (int y = 0; y < 2; ++y) {
    rows.push_back(0);
    for (int x = 0; x < 12; ++x)
      rows.push_back(std::uint8_t(x * 3));
  }
  TPNGImage png;
  ASSERT_EQ(LoadPng(png, SimplePng(12, 2, 8, 0, rows)), "");
  png.SetFilters(27);
  TMemoryStream out;
  png.SaveToStream(&out);
  TPNGImage back;
  const auto* p = static_cast<const std::uint8_t*>(out.Memory());
  ASSERT_EQ(LoadPng(back, TBytes(p, p + out.Size())), "");
  auto* idat = back.Chunks()->FindChunk(&TChunkIDAT::Create);
  ASSERT_NE(idat, nullptr);
  TBytes raw(100);
  uLongf size = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &size, idat->Data().data(), uLong(idat->Data().size())), Z_OK);
  EXPECT_EQ(raw[0], 1);  // Sub
  png.SetFilters(0);     // None only (the None bit is always kept)
  EXPECT_EQ(png.Filters(), 1);
}

TEST(ImagesPngTest, RegisteredWithThePictureRegistry)
{
  RegisterPngFormat();
  TGraphicClass cls = TPicture::FindGraphicClass("png");
  ASSERT_NE(cls, nullptr);
  std::unique_ptr<TGraphic> graphic(cls());
  EXPECT_NE(dynamic_cast<TPNGImage*>(graphic.get()), nullptr);
}

namespace {

struct TProgressRecorder : TObject {
  std::vector<TRect> Rects;
  std::vector<int> Percents;
  void Progress(TObject*, TProgressStage, BYTE Percent, bool, const TRect& R, const std::string& Msg)
  {
    EXPECT_EQ(Msg, "Drawing...");
    Rects.push_back(R);
    Percents.push_back(Percent);
  }
};

}  // namespace

TEST(ImagesPngTest, ProgressNamesTheRowJustDecoded)
{
  TProgressRecorder recorder;
  TPNGImage png;
  png.OnProgress = TProgressEvent(&recorder, &TProgressRecorder::Progress);
  ASSERT_EQ(LoadPng(png, SimplePng(3, 2, 8, 0, TBytes{0, 1, 2, 3, 0, 4, 5, 6})), "");
  EXPECT_EQ(recorder.Rects, (std::vector<TRect>{TRect(0, 0, 3, 1), TRect(0, 1, 3, 2)}));
  EXPECT_EQ(recorder.Percents, (std::vector<int>{0, 50}));
}
