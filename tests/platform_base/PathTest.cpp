#include <gtest/gtest.h>

#include "platform/base/FileSystem.h"
#include "platform/base/Path.h"

TEST(Path, SplitsWithEitherSeparator)
{
  struct Case {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  } cases[] = {
      {"glyphs\\pack\\3.ico", "glyphs\\pack\\", "glyphs\\pack", "3.ico", ".ico"},
      {"/usr/lib/corvane/tcp.net", "/usr/lib/corvane/", "/usr/lib/corvane", "tcp.net", ".net"},
      {"Reseau\\Ami/Nick.html", "Reseau\\Ami/", "Reseau\\Ami", "Nick.html", ".html"},
      {"plain.txt", "", "", "plain.txt", ".txt"},
      {"folder.d\\noext", "folder.d\\", "folder.d", "noext", ""},
      {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
      {"/top", "/", "/", "top", ""},            // the root keeps its separator
      {"a//b", "a//", "a//", "b", ""},           // so does a doubled one
      {"config\\", "config\\", "config", "", ""},
      {".profile", "", "", ".profile", ".profile"},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
  }
}

TEST(Path, ChangesExtensionOfTheNamePartOnly)
{
  EXPECT_EQ(ChangeFileExt("smileys.txt", ".bak"), "smileys.bak");
  EXPECT_EQ(ChangeFileExt("pack.d\\glyph", ".ico"), "pack.d\\glyph.ico");
  EXPECT_EQ(ChangeFileExt("a.b.c", ""), "a.b");
}

TEST(Path, TrailingDelimiters)
{
  EXPECT_EQ(IncludeTrailingPathDelimiter("dir"), "dir/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("dir\\"), "dir\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("dir\\"), "dir");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("dir//"), "dir/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("dir"), "dir");
}

TEST(Path, ExpandsAgainstTheCurrentDirectory)
{
  const std::string cwd = GetCurrentDir();
  const std::string base = cwd == "/" ? "" : cwd;
  struct Case {
    std::string name;
    std::string expected;
  } cases[] = {
      {"/a/b/../c/./d", "/a/c/d"},
      {"\\a\\\\b\\", "/a/b/"},
      {"/..", "/"},
      {"sub\\x.txt", base + "/sub/x.txt"},
      {"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..", "/"},
      {".", cwd},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandFileName(c.name), c.expected) << c.name;
}
