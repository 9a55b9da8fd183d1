#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/window/detail/CrossProcessWire.h"

using namespace wincore;

namespace {

std::string U32(std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
std::string U64(std::uint64_t v) { return std::string(reinterpret_cast<const char*>(&v), 8); }

TEST(CrossProcessWireTest, AWindowListReadsBackAsWritten)
{
  std::vector<TPublishedWindow> windows{{0x57000001000001, "TcorvaneMain", "Corvane 2.1"}, {42, "", "CDebug"}};
  std::vector<TPublishedWindow> read;
  ASSERT_TRUE(ParseWindowList(SerializeWindowList(windows), read));
  EXPECT_EQ(read, windows);
  // Names past the limit are cut when written, so a list always reads back.
  std::vector<TPublishedWindow> long_{{1, std::string(5000, 'c'), "t"}};
  ASSERT_TRUE(ParseWindowList(SerializeWindowList(long_), read));
  EXPECT_EQ(read[0].Class.size(), MaxPublishedName);
}

TEST(CrossProcessWireTest, MalformedListsAreRefusedWhole)
{
  std::string one = "CVWL" + U32(1) + U64(7) + U32(1) + "C" + U32(2) + "Ti";
  struct TCase {
    const char* What;
    std::string Bytes;
  } cases[] = {
      {"empty", ""},
      {"wrong magic", "XVWL" + U32(0)},
      {"truncated name", one.substr(0, one.size() - 1)},
      {"trailing bytes", one + "x"},
      {"count beyond the data", "CVWL" + U32(1000) + U64(7)},
      {"huge count", "CVWL" + U32(0xFFFFFFFF)},
      {"name longer than allowed", "CVWL" + U32(1) + U64(7) + U32(MaxPublishedName + 1) + std::string(MaxPublishedName + 1, 'a') + U32(0)},
      {"name length past the end", "CVWL" + U32(1) + U64(7) + U32(0xFFFFFFF0) + U32(0)},
  };
  std::vector<TPublishedWindow> read;
  ASSERT_TRUE(ParseWindowList(one, read));
  for (auto& c : cases) {
    EXPECT_FALSE(ParseWindowList(c.Bytes, read)) << c.What;
    EXPECT_TRUE(read.empty()) << c.What;
  }
}

TEST(CrossProcessWireTest, RequestHeadersAreCheckedBeforeAnyDataIsRead)
{
  TCopyDataRequest good = MakeCopyDataRequest(1, 2, 3, 4, 513);
  EXPECT_TRUE(ValidCopyDataRequest(good, 1024));
  EXPECT_FALSE(ValidCopyDataRequest(good, 512));  // more than the receiver takes
  TCopyDataRequest badMagic = good;
  badMagic.Magic[0] = 'X';
  EXPECT_FALSE(ValidCopyDataRequest(badMagic, 1024));
  TCopyDataRequest badVersion = good;
  badVersion.Version = 2;
  EXPECT_FALSE(ValidCopyDataRequest(badVersion, 1024));
  EXPECT_TRUE(ValidCopyDataReply(MakeCopyDataReply(true, -5)));
  TCopyDataReply stray{};
  EXPECT_FALSE(ValidCopyDataReply(stray));
}

}  // namespace
