#include <gtest/gtest.h>

#include <filesystem>

#include "ImageFuzzTargets.h"
#include "ImageTestSupport.h"

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
