#include <gtest/gtest.h>

#include <ctime>
#include <sys/stat.h>
#include <utime.h>
#include <vector>

#include "TempFolder.h"
#include "platform/base/FileSearch.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"

namespace {

struct TFound {
  std::string Name;
  int Attr;
  friend bool operator==(const TFound&, const TFound&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TFound& f)
  {
    return out << f.Name << ":" << std::hex << f.Attr;
  }
};

std::vector<TFound> Search(const std::string& path, int attr)
{
  std::vector<TFound> found;
  TSearchRec rec;
  for (int r = FindFirst(path, attr, rec); r == 0; r = FindNext(rec))
    found.push_back({rec.Name, rec.Attr});
  FindClose(rec);
  return found;
}

// A program folder: plug-ins, a hidden file, a read-only file, packs.
class FileSearch : public ::testing::Test {
protected:
  void SetUp() override
  {
    Temp.Write("b.net", "1234567");
    Temp.Write("A.NET", "");
    Temp.Write("c.mp", "");
    Temp.Write(".hidden.net", "");
    Temp.Write("locked.net", "");
    ::chmod((Temp / "locked.net").c_str(), 0444);
    CreateDir(Temp / "glyphs");
    CreateDir(Temp / "glyphs/Bleu");
    CreateDir(Temp / "glyphs/.svn");
    Temp.Write("glyphs/Rouge.gpk", "");
  }
  TTempFolder Temp;
};

constexpr int Dir = faDirectory;
constexpr int File = faArchive;

}  // namespace

TEST_F(FileSearch, PatternsAndAttributes)
{
  struct Case {
    std::string pattern;
    int attr;
    std::vector<TFound> expected;
  } cases[] = {
      // Any attributes: hidden files too, folders too; case ignored in the pattern.
      {"*.net", faAnyFile,
       {{".hidden.net", File | faHidden}, {"A.NET", File}, {"b.net", File}, {"locked.net", File | faReadOnly}}},
      {"*.NET", 0, {{"A.NET", File}, {"b.net", File}, {"locked.net", File | faReadOnly}}},
      {"?.mp", 0, {{"c.mp", File}}},
      // Without faDirectory no folder is reported.
      {"*", faReadOnly | faArchive,
       {{"A.NET", File}, {"b.net", File}, {"c.mp", File}, {"locked.net", File | faReadOnly}}},
      // Asking for folders: "." and ".." come first, as plain folders.
      {"glyphs\\*", faDirectory, {{".", Dir}, {"..", Dir}, {"Bleu", Dir}, {"Rouge.gpk", File}}},
      {"glyphs/*.*", faAnyFile,
       {{".", Dir}, {"..", Dir}, {".svn", Dir | faHidden}, {"Bleu", Dir}, {"Rouge.gpk", File}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Search(Temp / c.pattern, c.attr), c.expected) << c.pattern;
}

TEST_F(FileSearch, RelativePatternsUseTheCurrentDirectory)
{
  const std::string saved = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(Temp.Path()));
  auto packs = Search("glyphs\\*", faDirectory);
  SetCurrentDir(saved);
  ASSERT_EQ(packs.size(), 4u);
  EXPECT_EQ(packs[2].Name, "Bleu");
}

TEST_F(FileSearch, SizeTimeAndErrors)
{
  // A known modification time, in local time: 8 December 2026 23:31:18.
  std::tm local{};
  local.tm_year = 126;
  local.tm_mon = 11;
  local.tm_mday = 8;
  local.tm_hour = 23;
  local.tm_min = 31;
  local.tm_sec = 18;
  local.tm_isdst = -1;
  utimbuf times{std::mktime(&local), std::mktime(&local)};
  ASSERT_EQ(::utime((Temp / "b.net").c_str(), &times), 0);

  TSearchRec rec;
  ASSERT_EQ(FindFirst(Temp / "b.*", faAnyFile, rec), 0);
  EXPECT_EQ(rec.Name, "b.net");
  EXPECT_EQ(rec.Size, 7);
  const unsigned packed = unsigned(rec.Time);
  EXPECT_EQ(packed >> 25, 2026u - 1980);
  EXPECT_EQ((packed >> 21) & 15, 12u);
  EXPECT_EQ((packed >> 16) & 31, 8u);
  EXPECT_EQ((packed >> 11) & 31, 23u);
  EXPECT_EQ((packed >> 5) & 63, 31u);
  EXPECT_EQ(packed & 31, 9u);  // seconds / 2
  EXPECT_EQ(FindNext(rec), int(ERROR_NO_MORE_FILES));
  FindClose(rec);

  EXPECT_EQ(FindFirst(Temp / "*.dll", faAnyFile, rec), int(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirst(Temp / "missing\\*", faAnyFile, rec), int(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindNext(rec), int(ERROR_INVALID_HANDLE));
}

TEST(FilePattern, Wildcards)
{
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"Quenbyfx.mp", "*.MP", true},    {"Quenbyfx.mp", "q*fx.m?", true}, {"abc", "a?c", true},
      {"ac", "a?c", false},             {"noext", "*.*", true},           {"a.b.net", "*.net", true},
      {"tcp.network", "*.net", false},  {"", "*", true},                  {"x", "", false},
      {"aXbXbXc", "a*b*c", true},       {"aXbXbXd", "a*b*c", false},      {"abc", "abc*", true},
      {"Élan", "élan", false},  // case folding covers ASCII letters only
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}
