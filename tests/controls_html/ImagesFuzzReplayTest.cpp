#include <gtest/gtest.h>

#include <filesystem>

#include "ImageFuzzTargets.h"
#include "ImageTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Every committed seed and every input that once failed, for one target.
void ReplayImageCorpus(const char* Kind, void (*Target)(const std::uint8_t*, std::size_t))
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

TEST(ImagesFuzzReplayTest, PngLoad) { ReplayImageCorpus("png", FuzzPngLoad); }
TEST(ImagesFuzzReplayTest, PngDiff) { ReplayImageCorpus("png", FuzzPngDiff); }
TEST(ImagesFuzzReplayTest, GifLoad) { ReplayImageCorpus("gif", FuzzGifLoad); }
TEST(ImagesFuzzReplayTest, GifDiff) { ReplayImageCorpus("gif", FuzzGifDiff); }
TEST(ImagesFuzzReplayTest, ZStream) { ReplayImageCorpus("zstream", FuzzZStream); }
TEST(ImagesFuzzReplayTest, DecodeImage) { ReplayImageCorpus("image", FuzzDecodeImage); }
TEST(ImagesFuzzReplayTest, BmpLoad) { ReplayImageCorpus("bmp", FuzzBmpLoad); }
