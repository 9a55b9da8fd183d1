#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/FuzzTargets.h"

namespace {

// Runs Target over every file of the corpus folder; a failure other than the
// parser's own error escapes and fails the test with the file's name.
template <class Target>
void Replay(const std::string& folder, Target target)
{
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(CORVANE_FUZZ_CORPUS) + "/" + folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_NO_THROW(target(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
    ++files;
  }
  EXPECT_GT(files, 0) << "no corpus in " << folder;
}

}  // namespace

TEST(FuzzReplay, RtfCorpus)
{
  Replay("rtf", FuzzRtfToText);
}

TEST(FuzzReplay, XmlCorpus)
{
  Replay("xml", FuzzUtSimpleXML);
}

TEST(FuzzReplay, ChatMessageCorpus)
{
  Replay("chat", FuzzChatMessage);
}
