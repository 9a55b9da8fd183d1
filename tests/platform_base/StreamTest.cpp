#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/StringStream.h"
#include "TempFolder.h"

namespace {

// A read-only view through the protected SetPointer, as a resource stream makes one.
class TViewStream : public TCustomMemoryStream {
public:
  TViewStream(const void* p, Int64 size) { SetPointer(const_cast<void*>(p), size); }
};

}  // namespace

TEST(Stream, ShortReadsAndWritesRaise)
{
  TStringStream stream("abc");
  char buffer[4] = {};
  EXPECT_EQ(stream.Read(buffer, 4), 3);  // Read answers what it got
  stream.SetPosition(1);
  try {
    stream.ReadBuffer(buffer, 3);
    ADD_FAILURE() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Erreur de lecture du flux");
  }
  const char data[] = "xyz";
  TViewStream view(data, 3);
  EXPECT_EQ(view.Read(buffer, 2), 2);
  EXPECT_THROW(view.WriteBuffer("q", 1), EWriteError);  // a view is read-only
  EXPECT_STREQ(data, "xyz");
}

TEST(Stream, ValuesAreLittleEndian)
{
  TMemoryStream stream;
  stream.WriteValue<std::int32_t>(0x01020304);
  stream.WriteValue<std::uint16_t>(0xBEEF);
  stream.WriteValue<double>(1.5);
  const auto* bytes = static_cast<const unsigned char*>(stream.Memory());
  EXPECT_EQ((std::vector<int>(bytes, bytes + 6)), (std::vector<int>{4, 3, 2, 1, 0xEF, 0xBE}));
  stream.SetPosition(0);
  EXPECT_EQ(stream.ReadValue<std::int32_t>(), 0x01020304);
  EXPECT_EQ(stream.ReadValue<std::uint16_t>(), 0xBEEF);
  EXPECT_EQ(stream.ReadValue<double>(), 1.5);
  EXPECT_THROW(stream.ReadValue<std::int8_t>(), EReadError);
}

TEST(MemoryStream, GrowsInBlocksAndSeeks)
{
  TMemoryStream stream;
  EXPECT_EQ(stream.Capacity(), 0);
  stream.WriteBuffer("hello", 5);
  EXPECT_EQ(stream.Capacity(), 0x2000);
  std::vector<char> big(0x2001, 'x');
  stream.WriteBuffer(big.data(), Integer(big.size()));
  EXPECT_EQ(stream.Size(), 0x2006);
  EXPECT_EQ(stream.Capacity(), 0x4000);
  EXPECT_EQ(stream.Seek(-2, soFromEnd), 0x2004);
  EXPECT_EQ(stream.Seek(Int64(-4), soCurrent), 0x2000);
  EXPECT_EQ(stream.Seek(1, soFromBeginning), 1);
  char two[2];
  stream.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "el");
  // Writing past the end leaves zeros in the gap.
  stream.SetPosition(stream.Size() + 3);
  stream.WriteBuffer("!", 1);
  EXPECT_EQ(stream.Size(), 0x200A);
  const char* memory = static_cast<const char*>(stream.Memory());
  EXPECT_EQ(std::string(memory + 0x2006, 4), std::string("\0\0\0!", 4));
  // A position past the end reads nothing; a negative one neither.
  stream.SetPosition(0x3000);
  EXPECT_EQ(stream.Read(two, 2), 0);
  stream.Seek(Int64(-1), soBeginning);
  EXPECT_EQ(stream.Read(two, 2), 0);
  EXPECT_EQ(stream.Write("a", 1), 0);
  stream.SetPosition(0x3000);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Memory(), nullptr);
}

TEST(MemoryStream, CopyFromAndFiles)
{
  TTempFolder folder;
  TStringStream source("0123456789");
  TMemoryStream copy;
  source.SetPosition(7);
  EXPECT_EQ(copy.CopyFrom(&source, 0), 10);  // 0: all of it, from the start
  source.SetPosition(2);
  EXPECT_EQ(copy.CopyFrom(&source, 3), 3);
  EXPECT_THROW(copy.CopyFrom(&source, 10), EReadError);
  std::filesystem::create_directory(folder / "sub");
  copy.SaveToFile(folder.Path() + "sub\\..\\copy.bin");  // "\" separates too
  TMemoryStream loaded;
  loaded.LoadFromFile(folder / "copy.bin");
  EXPECT_EQ(std::string(static_cast<const char*>(loaded.Memory()), std::size_t(loaded.Size())).substr(0, 13),
            "0123456789234");
}

TEST(FileStream, OpenErrorsNameTheFile)
{
  TTempFolder folder;
  std::string missing = folder / "absent.txt";
  try {
    TFileStream stream(missing, fmOpenRead);
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Impossible d'ouvrir le fichier " + missing, 0), 0u) << e.Message();
  }
  EXPECT_THROW(TFileStream(folder / "nofolder/x.txt", fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(folder.Path(), fmOpenRead), EFOpenError);  // a folder is no file
}

TEST(FileStream, ShareModesHoldBetweenStreams)
{
  TTempFolder folder;
  std::string name = folder.Write("shared.txt", "data");
  struct Case {
    WORD first, second;
    bool allowed;
  } cases[] = {
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareDenyNone, false},
      {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},  // a writer is already there
      {fmOpenReadWrite | fmShareDenyNone, fmOpenWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead, fmOpenRead | fmShareDenyNone, false},  // compatibility mode is exclusive
      {fmOpenWrite | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmCreate | fmShareDenyNone, false},
  };
  for (const auto& c : cases) {
    TFileStream first(name, c.first);
    if (c.allowed) {
      EXPECT_NO_THROW({ TFileStream second(name, c.second); }) << std::hex << c.first << " " << c.second;
    } else {
      EXPECT_THROW({ TFileStream second(name, c.second); }, EStreamError) << std::hex << c.first << " " << c.second;
    }
  }
  // A refused creation left the content alone, and closing released the locks.
  TFileStream reader(name, fmOpenRead | fmShareDenyNone);
  EXPECT_EQ(reader.Size(), 4);
}

TEST(FileStream, ReadsWritesAndResizes)
{
  TTempFolder folder;
  std::string name = folder / "file.bin";
  {
    TFileStream stream(name, fmCreate);
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(4);
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Size(), 4);
  }
  TFileStream stream(name, fmOpenReadWrite | fmShareExclusive);
  stream.Seek(2, soFromBeginning);
  stream.WriteBuffer("XY", 2);
  stream.SetPosition(0);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 4);
  EXPECT_STREQ(buffer, "abXY");
  EXPECT_EQ(stream.FileName(), name);
}
