// Replays the tree stream fuzz corpus in the normal run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

TEST(FuzzReplay, EveryCorpusInputLoadsOrEndsInTheTreeError)
{
  THeadlessDisplay::Use();
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VTREE_CORPUS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    FuzzTreeStream(data.data(), data.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}
