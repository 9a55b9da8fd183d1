#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "ImageFuzzTargets.h"
#include "ImageTestSupport.h"
#include "ReferenceDecoders.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/Gif.h"
#include "platform/classes/graphics/Bitmap.h"

using namespace image_test;

namespace {

namespace fs = std::filesystem;

// Runs a differential body over every file of a corpus folder.
int Over(const char* Folder, const char* Extension, void (*Body)(const std::uint8_t*, std::size_t))
{
  int files = 0;
  for (const auto& entry : fs::directory_iterator(CorpusFile(Folder))) {
    if (entry.path().extension() != Extension)
      continue;
    const TBytes data = ReadFile(entry.path());
    try {
      Body(data.data(), data.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << entry.path() << ": " << e.what();
    }
    ++files;
  }
  return files;
}

}  // namespace

// Every colour type and depth, interlaced or not, at 1x1 to 256x256, and the
// transparency variants: the pixels libpng gives.
TEST(ImagesDifferentialTest, PngEqualsLibpng)
{
  EXPECT_GT(Over("png", ".png", FuzzPngDiff), 150);
  EXPECT_GT(Over("smileys", ".png", FuzzPngDiff), 5);
}

// Every frame's indexes as giflib reads them, and the composed strip.
TEST(ImagesDifferentialTest, GifEqualsGiflib)
{
  EXPECT_GT(Over("smileys", ".gif", FuzzGifDiff), 10);
  EXPECT_GT(Over("gif", ".gif", FuzzGifDiff), 3);
}

// Animations wider than a bitmap holds side by side (and longer than a
// single strip) keep every frame giflib reads; each frame draws its own
// colour from whichever strip holds it.
TEST(ImagesDifferentialTest, AnimationsKeepEveryFrameGiflibReads)
{
  static constexpr std::uint32_t Colors[] = {0xFF0000, 0x00FF00, 0x0000FF};
  struct Case {
    int Width, Height, Frames;
  } cases[] = {{700, 1, 50}, {640, 2, 783}, {32768, 1, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << ", " << c.Frames << " frames");
    std::vector<TFrameSpec> frames;
    for (int k = 0; k < c.Frames; ++k)
      frames.push_back({5, -1, 1 + k % 3});
    const TBytes data = GiflibAnimation(c.Width, c.Height, frames, 0);

    TGifFrames reference;
    ASSERT_TRUE(ReferenceGifDecode(data.data(), data.size(), reference));
    ASSERT_EQ(int(reference.Frames.size()), c.Frames);
    TByteViewStream stream(data.data(), data.size());
    TGif gif;
    gif.LoadGif(&stream);
    EXPECT_EQ(gif.ImageCount(), int(reference.Frames.size()));
    FuzzGifDiff(data.data(), data.size());  // every strip equals giflib's frames composed

    bool still = true;
    std::unique_ptr<TGIFImage> image(GifStreamToImage(still, &stream));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->NumFrames(), c.Frames);
    for (int frame : {1, c.Frames - 1, c.Frames}) {
      TBitmap target;
      target.SetSize(c.Width, c.Height);
      image->SetCurrentFrame(frame);
      image->DrawFrame(target.Canvas(), 0, 0, c.Width, c.Height);
      EXPECT_EQ(Pixels(&target).back(), Colors[(frame - 1) % 3]) << "frame " << frame;
    }
  }
}
