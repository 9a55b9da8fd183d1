#include <gtest/gtest.h>

#include <filesystem>

#include "ImageFuzzTargets.h"
#include "ImageTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Every committed seed and every input that once failed, for one target.
void Replay(const char* Kind, void (*Target)(const std::uint8_t*, std::size_t))
{
  int files = 0;
  for (const char* root : {CORVANE_IMAGE_FUZZ_CORPUS_DIR, CORVANE_IMAGE_MALFORMED_DIR}) {
    const fs::path folder = fs::path(root) / Kind;
    if (!fs::exists(folder))
      continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const TBytes data = image_test::ReadFile(entry.path());
      try {
        Target(data.data(), data.size());
      } catch (const std::exception& e) {
        ADD_FAILURE() << entry.path() << ": " << e.what();
      }
      ++files;
    }
  }
  EXPECT_GT(files, 0) << "no input for " << Kind;
}

}  // namespace

TEST(ImagesFuzzReplayTest, PngLoad) { Replay("png", FuzzPngLoad); }
TEST(ImagesFuzzReplayTest, PngDiff) { Replay("png", FuzzPngDiff); }
TEST(ImagesFuzzReplayTest, GifLoad) { Replay("gif", FuzzGifLoad); }
TEST(ImagesFuzzReplayTest, GifDiff) { Replay("gif", FuzzGifDiff); }
TEST(ImagesFuzzReplayTest, ZStream) { Replay("zstream", FuzzZStream); }
TEST(ImagesFuzzReplayTest, DecodeImage) { Replay("image", FuzzDecodeImage); }
TEST(ImagesFuzzReplayTest, BmpLoad) { Replay("bmp", FuzzBmpLoad); }
