#include <gtest/gtest.h>

#include "controls/utility/RtFileUtils.h"
#include "controls/utility/RtLogic.h"
#include "controls/utility/RtStrings.h"
#include "controls/utility/RtSysInfo.h"
#include "controls/utility/UtUtils.h"
#include "platform/base/Exception.h"

using Strings = std::vector<std::string>;

TEST(RtStrings, SplitStringKeepsEmptyPartsOnlyWhenAllowed)
{
  struct Case {
    const char* text;
    const char* separator;
    bool allowEmpty;
    Strings parts;
  } cases[] = {
      {"a,,b", ",", false, {"a", "b"}},
      {"a,,b", ",", true, {"a", "", "b"}},
      {"a,", ",", true, {"a"}},
      {",a", ",", true, {"", "a"}},
      {"", ",", true, {}},
      {"a::b::", "::", false, {"a", "b"}},
      {"abc", "", true, {"abc"}},  // an empty separator never matches
  };
  for (const Case& c : cases) {
    Strings list{"stale"};
    SplitString(c.text, c.separator, list, c.allowEmpty);
    EXPECT_EQ(list, c.parts) << c.text << " at '" << c.separator << "'";
  }
}

TEST(RtStrings, JoinStringsTrimsOnlyAnAppendedSeparator)
{
  struct Case {
    Strings list;
    const char* separator;
    bool allowEmpty;
    const char* joined;
  } cases[] = {
      {{"a", "b"}, "\\", false, "a\\b"}, {{}, "\\", false, ""},          {{"", ""}, "::", false, ""},
      {{"", ""}, ",", true, ","},        {{"a", "", "b"}, ",", false, "a,b"}, {{"a", "", "b"}, ",", true, "a,,b"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JoinStrings(c.list, c.separator, c.allowEmpty), c.joined);
}

TEST(RtStrings, CharacterTablesAndSmallRoutines)
{
  EXPECT_EQ(ReverseCaseChar('a'), 'A');
  EXPECT_EQ(ReverseCaseChar('Q'), 'q');
  EXPECT_EQ(ReverseCaseChar('1'), '1');
  EXPECT_EQ(ReverseCaseChar('\xE9'), '\xE9');  // part of a longer UTF-8 character
  EXPECT_TRUE(IsUpperCaseChar('Z'));
  EXPECT_FALSE(IsUpperCaseChar('z'));
  EXPECT_TRUE(IsLowerCaseChar('z'));
  EXPECT_EQ(LowerCaseChar('M'), 'm');
  EXPECT_EQ(UpperCaseChar('m'), 'M');
  EXPECT_EQ(CountChar("a,b,,c", ','), 3);
  EXPECT_EQ(LeftChars("abcdef", 3), "abc");
  EXPECT_EQ(LeftChars("ab", 5), "ab");
  EXPECT_EQ(LeftChars("ab", -1), "");
  EXPECT_EQ(CharsFrom("abcdef", 3), "cdef");
  EXPECT_EQ(CharsFrom("abcdef", 0), "abcdef");
  EXPECT_EQ(CharsFrom("abc", 9), "");
}

TEST(RtLogic, BitsInBytesAndBuffers)
{
  std::uint8_t buffer[32] = {};
  buffer[1] = 0x02;
  EXPECT_TRUE(TestBitInBuffer(buffer, 9));
  EXPECT_FALSE(TestBitInBuffer(buffer, 8));
  SetBitInBuffer(buffer, 255);
  EXPECT_EQ(buffer[31], 0x80);
  EXPECT_EQ(SetBitInByte(0x01, 10), 0x05);
  EXPECT_TRUE(TestBitInByte(0x80, 15));
  // Bits past the buffer are refused instead of touching memory after it.
  std::uint8_t small[2] = {};
  EXPECT_THROW(SetBitInBuffer(small, 16), ERangeError);
  EXPECT_THROW(TestBitInBuffer(buffer, 256), ERangeError);
  EXPECT_THROW(TestBitInBuffer(buffer, -1), ERangeError);
}

TEST(RtSysInfo, VersionClasses)
{
  struct Case {
    std::uint32_t platform, major, minor;
    const char* csd;
    std::uint32_t kernel;
    TWindowsVersionClass expected;
  } cases[] = {
      {1, 4, 0, "", 0, wvWin95},           {1, 4, 0, " B ", 0, wvWin95OSR2},   {1, 4, 0, "C", 0, wvWin95OSR2},
      {1, 4, 10, "", 0, wvWin98},          {1, 4, 10, " A", 0, wvWin98SE},     {1, 4, 10, "A", 0x4005A, wvWinME},
      {1, 4, 90, "", 0, wvWinME},          {1, 4, 91, "", 0, wvUnknown},       {2, 3, 1, "", 0, wvWinNT31},
      {2, 3, 5, "", 0, wvWinNT35},         {2, 3, 51, "", 0, wvWinNT351},      {2, 3, 2, "", 0, wvUnknown},
      {2, 4, 0, "Service Pack 6", 0, wvWinNT4}, {2, 5, 0, "", 0, wvWin2000}, {2, 5, 1, "", 0, wvWinXP},
      {2, 5, 2, "", 0, wvWin2003},         {2, 5, 3, "", 0, wvUnknown},        {2, 6, 0, "", 0, wvUnknown},
      {3, 5, 1, "", 0, wvUnknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WindowsVersionClass(c.platform, c.major, c.minor, c.csd, c.kernel), c.expected)
        << c.platform << " " << c.major << "." << c.minor << " '" << c.csd << "'";
}

TEST(RtSysInfo, TheRunningSystemIsDescribed)
{
  const TRtSystemInfo& info = RtSystemInfo();
  EXPECT_GE(info.ProcessorCount, 1u);
  EXPECT_GT(info.PageSize, 0u);
  EXPECT_EQ(info.PageSize & (info.PageSize - 1), 0u);
  EXPECT_GT(info.TotalMemory, 0u);
  EXPECT_LE(info.AvailableMemory, info.TotalMemory);
  EXPECT_FALSE(info.UserName.empty());
  EXPECT_FALSE(info.ComputerName.empty());
  EXPECT_EQ(info.OSVersionText.rfind("Linux ", 0), 0u) << info.OSVersionText;
  // The layer reports NT 5.1: of the version flags, only IsWinXP is set.
  EXPECT_TRUE(info.IsWinNT);
  EXPECT_EQ(info.VersionClass, wvWinXP);
  EXPECT_TRUE(info.IsWinXP);
  EXPECT_FALSE(info.IsWin2K || info.IsWinNT3 || info.IsWinNT4 || info.IsWin95 || info.IsWinME || info.IsWin2003);
}

TEST(RtFileUtils, VersionsOfTheSystemLibrariesAndOfOtherFiles)
{
  VS_FIXEDFILEINFO info{};
  EXPECT_TRUE(ReadFixedFileVersion("kernel32.dll", info));
  EXPECT_EQ(info.dwFileVersionMS, 0x00050001u);
  std::string program = ModuleFileName(nullptr);
  EXPECT_NE(program.find("controls_utility_tests"), std::string::npos) << program;
  EXPECT_FALSE(ReadFixedFileVersion(program, info));
  EXPECT_EQ(ModuleFileVersion(program), 0u);
  EXPECT_EQ(ShellVersion(), 0x00060000u);
}

TEST(UtUtils, NthWordAndItsPosition)
{
  struct Case {
    int n;
    const char* text;
    const char* delimiters;
    int pos;
    const char* word;
  } cases[] = {
      {2, ",,a,,b", ",", 6, "b"}, {1, ",,a,,b", ",", 3, "a"},   {3, ",,a,,b", ",", 0, ""},
      {0, "a b", " ", 0, ""},     {2, "640,480;1", ",;", 5, "480"}, {1, "", ",", 0, ""},
      {1, "word", "", 1, "word"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NthWordPos(c.n, c.text, c.delimiters), c.pos) << c.n << " of '" << c.text << "'";
    EXPECT_EQ(NthWord(c.n, c.text, c.delimiters), c.word) << c.n << " of '" << c.text << "'";
  }
}

TEST(UtUtils, NearestLevelTakesTheFirstOnATie)
{
  const std::uint8_t six[] = {0, 51, 102, 153, 204, 255};
  const std::uint8_t seven[] = {0, 43, 85, 128, 170, 213, 255};
  EXPECT_EQ(NearestLevel(85, six), 2);
  EXPECT_EQ(NearestLevel(64, seven), 1);
  EXPECT_EQ(NearestLevelTable(1)[85], 2);
  EXPECT_EQ(NearestLevelTable(2)[64], 1);
  EXPECT_EQ(NearestLevelTable(0)[255], 3);
  EXPECT_EQ(NearestLevelTable(3)[0], 0);
  EXPECT_EQ(NearestLevelTable(4), nullptr);
}
