#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "DocumentFuzzTargets.h"
#include "HtmlFuzzTargets.h"

namespace {

namespace fs = std::filesystem;

// Every file of the corpus and of the inputs that once failed, for one target.
void ReplayDocumentCorpus(const char* Kind, void (*Target)(const std::uint8_t*, std::size_t))
{
  int Files = 0;
  for (const char* Root : {CORVANE_HTML_CORPUS_DIR, CORVANE_HTML_MALFORMED_DIR}) {
    const fs::path Folder = fs::path(Root) / Kind;
    if (!fs::exists(Folder))
      continue;
    for (const fs::directory_entry& Entry : fs::directory_iterator(Folder)) {
      if (!Entry.is_regular_file())
        continue;
      std::ifstream In(Entry.path(), std::ios::binary);
      std::stringstream Bytes;
      Bytes << In.rdbuf();
      const std::string Data = Bytes.str();
      try {
        Target(reinterpret_cast<const std::uint8_t*>(Data.data()), Data.size());
      } catch (const std::exception& E) {
        ADD_FAILURE() << Entry.path() << ": " << E.what();
      }
      ++Files;
    }
  }
  EXPECT_GT(Files, 0) << "no input found for " << Kind;
}

}  // namespace

TEST(FuzzReplayTest, Tokenizer)
{
  ReplayDocumentCorpus("html", FuzzHtml);
}

TEST(FuzzReplayTest, CssReader)
{
  ReplayDocumentCorpus("css", FuzzCss);
}

TEST(FuzzReplayTest, DocumentBuild)
{
  ReplayDocumentCorpus("build", FuzzBuild);
}

// Each document of the build corpus cut before every fourth of its first 64 tags
// and read on.
static void ReadOnAtEachTag(const std::uint8_t* Data, std::size_t Size)
{
  std::vector<std::uint8_t> Input(Data, Data + Size);
  Input.insert(Input.begin(), {0, 0});
  for (std::uint8_t Tag = 0; Tag < 64; Tag += 4) {
    Input[1] = Tag;
    FuzzReadOn(Input.data(), Input.size());
  }
}

TEST(FuzzReplayTest, DocumentReadOnAfterAPart)
{
  ReplayDocumentCorpus("build", ReadOnAtEachTag);
}

TEST(FuzzReplayTest, DocumentWithIncludes)
{
  ReplayDocumentCorpus("include", FuzzInclude);
}
