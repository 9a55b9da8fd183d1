#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSearch.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"
#include "platform/base/WholeFile.h"

TEST(FileSystem, ForceDirectoriesCreatesEveryLevel)
{
  TTempFolder temp;
  const std::string nested = temp.Path() + "Reseau\\amis\\\\proches/";
  EXPECT_FALSE(CreateDir(temp / "Reseau\\amis"));  // one level only: the parent is missing
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(ForceDirectories(nested));
  EXPECT_TRUE(DirectoryExists(temp / "Reseau/amis/proches"));
  EXPECT_TRUE(ForceDirectories(nested));  // already there
  EXPECT_THROW(ForceDirectories(""), EInOutError);

  temp.Write("file", "x");
  EXPECT_FALSE(ForceDirectories(temp / "file\\below"));
}

TEST(FileSystem, ExistenceTellsFilesFromFolders)
{
  TTempFolder temp;
  temp.Write("tcp.net", "x");
  CreateDir(temp / "glyphs");
  EXPECT_TRUE(FileExists(temp / "tcp.net"));
  EXPECT_FALSE(DirectoryExists(temp / "tcp.net"));
  EXPECT_TRUE(DirectoryExists(temp / "glyphs"));
  EXPECT_FALSE(FileExists(temp / "glyphs"));
  EXPECT_FALSE(FileExists(temp / "missing"));
  EXPECT_FALSE(FileExists(""));
}

TEST(FileSystem, RemoveRenameAndDeleteRefuseWhatTheyMustNotTouch)
{
  TTempFolder temp;
  temp.Write("a.txt", "A");
  temp.Write("b.txt", "B");
  CreateDir(temp / "dir");
  temp.Write("dir/inside", "");

  EXPECT_FALSE(RenameFile(temp / "a.txt", temp / "b.txt"));  // never replaces
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(ReadWholeFile(temp / "b.txt"), "B");
  EXPECT_TRUE(RenameFile(temp / "a.txt", temp / "c.txt"));
  EXPECT_FALSE(FileExists(temp / "a.txt"));

  EXPECT_FALSE(DeleteFile(temp / "dir"));
  EXPECT_TRUE(DirectoryExists(temp / "dir"));
  EXPECT_FALSE(RemoveDir(temp / "dir"));
  EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
  EXPECT_TRUE(DeleteFile(temp / "dir\\inside"));
  EXPECT_TRUE(RemoveDir(temp / "dir"));
  EXPECT_FALSE(DeleteFile(temp / "dir"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SysErrorMessage(ERROR_FILE_NOT_FOUND), "Le fichier spécifié est introuvable.");
}

TEST(FileSystem, CurrentDirectoryRoundTrip)
{
  TTempFolder temp;
  const std::string saved = GetCurrentDir();
  CreateDir(temp / "here");
  ASSERT_TRUE(SetCurrentDir(temp / "here\\"));
  EXPECT_EQ(GetCurrentDir(), ExcludeTrailingPathDelimiter(ExpandFileName(temp / "here")));
  EXPECT_FALSE(SetCurrentDir(temp / "missing"));
  ASSERT_TRUE(SetCurrentDir(saved));
}

TEST(WholeFile, ReplacesContentAndKeepsPermissions)
{
  TTempFolder temp;
  const std::string file = temp.Write("settings.ini", "old");
  ::chmod(file.c_str(), 0640);
  WriteWholeFile(file, std::string("new\0content", 11));
  EXPECT_EQ(ReadWholeFile(file), std::string("new\0content", 11));
  struct stat info;
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  WriteWholeFile(temp / "fresh.txt", "");  // created when missing
  EXPECT_EQ(ReadWholeFile(temp / "fresh.txt"), "");

  // Nothing but the two files is left behind.
  TSearchRec rec;
  int count = 0;
  for (int r = FindFirst(temp / "*", faAnyFile & ~faDirectory, rec); r == 0; r = FindNext(rec))
    ++count;
  FindClose(rec);
  EXPECT_EQ(count, 2);
}

TEST(WholeFile, FailedWriteLeavesTheOldFileIntact)
{
  TTempFolder temp;
  const std::string file = temp.Write("conversation.html", "earlier sessions");

  // A disk that fills up half way: the file-size limit makes the write fail.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(WriteWholeFile(file, std::string(100000, 'x')), EWriteError);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(ReadWholeFile(file), "earlier sessions");

  // A target that cannot be replaced (a folder) fails the same way.
  CreateDir(temp / "folder");
  EXPECT_THROW(WriteWholeFile(temp / "folder", "x"), EWriteError);
  EXPECT_TRUE(DirectoryExists(temp / "folder"));

  // No temporary file survives either failure.
  TSearchRec rec;
  ASSERT_EQ(FindFirst(temp / "*", faAnyFile, rec), 0);
  std::vector<std::string> names;
  do
    names.push_back(rec.Name);
  while (FindNext(rec) == 0);
  FindClose(rec);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "conversation.html", "folder"}));
}

TEST(WholeFile, WritesThroughALink)
{
  TTempFolder temp;
  const std::string target = temp.Write("real.ini", "old");
  ASSERT_EQ(::symlink(target.c_str(), (temp / "link.ini").c_str()), 0);
  WriteWholeFile(temp / "link.ini", "new");
  struct stat info;
  ASSERT_EQ(::lstat((temp / "link.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadWholeFile(target), "new");
}

TEST(WholeFile, ReadErrors)
{
  TTempFolder temp;
  EXPECT_THROW(ReadWholeFile(temp / "missing"), EFOpenError);
  EXPECT_THROW(ReadWholeFile(temp.Path()), EFOpenError);
  temp.Write("big", std::string(70000, 'b'));
  EXPECT_THROW(ReadWholeFile(temp / "big", 65536), EReadError);
  EXPECT_EQ(ReadWholeFile(temp / "big", 70000).size(), 70000u);
}
