// Replays the tree stream fuzz corpus in the normal run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/controls_vtree/TreeClipboardFuzzBody.h"
#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace {

int Replay(const char* Folder, void (*Body)(const std::uint8_t*, std::size_t))
{
  THeadlessDisplay::Use();
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    Body(data.data(), data.size());
    ++replayed;
  }
  return replayed;
}

}  // namespace

TEST(FuzzReplay, EveryTreeDataAndReferenceInputIsReadOrRefused)
{
  EXPECT_GT(Replay(VTREE_DATA_CORPUS_DIR, &FuzzTreeData), 0);
}

TEST(FuzzReplay, EveryRenderingOfTheExportCorpusIsValid)
{
  EXPECT_GT(Replay(VTREE_EXPORT_CORPUS_DIR, &FuzzExport), 0);
}

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
