#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SampleTypes.h"
#include "controls/utility/storage/UtFileAppStorage.h"
#include "platform/base/Exception.h"

namespace {

class UtFileAppStorageTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    FFolder = pattern;
    FFile = FFolder + "/settings.txt";
  }
  void TearDown() override
  {
    std::error_code ignored;
    std::filesystem::remove_all(FFolder, ignored);
  }
  std::string Content() const
  {
    std::ifstream in(FFile, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& content) const { std::ofstream(FFile, std::ios::binary) << content; }

  std::string FFolder;
  std::string FFile;
};

}  // namespace

TEST_F(UtFileAppStorageTest, ValuesReadBackAfterReopening)
{
  {
    TUtFileAppStorage store(FFile);
    store.WriteBooleanValue("Options\\Sound", true);
    store.WriteBooleanValue("Options\\Hidden", false);
    store.WriteEnum("Options\\State", cbGrayed);
    store.WriteSet("Options\\Letters", TLetters{ltB, ltE});
    store.WriteInteger("Forms\\Main\\Left", -12);
    store.WriteString("Forms\\Main\\Caption", "Fenêtre = principale 100%\nligne 2\r\tfin ");
    store.WriteString("Odd=Name\\;x", "; not a comment");
    store.WriteFloatValue("Zoom", 1.25);
    const std::uint8_t blob[] = {0, 1, 254, 255};
    store.WriteBinaryValue("Blob", blob, 4);
  }
  TUtFileAppStorage store(FFile);
  EXPECT_TRUE(store.ReadBooleanValue("Options\\Sound", false));
  EXPECT_FALSE(store.ReadBooleanValue("Options\\Hidden", true));
  EXPECT_EQ(store.ReadEnum("Options\\State", cbUnchecked), cbGrayed);
  EXPECT_TRUE(store.ReadSet("Options\\Letters", TLetters{}) == (TLetters{ltB, ltE}));
  EXPECT_EQ(store.ReadInteger("Forms\\Main\\Left", 0), -12);
  EXPECT_EQ(store.ReadString("Forms\\Main\\Caption", ""), "Fenêtre = principale 100%\nligne 2\r\tfin ");
  EXPECT_EQ(store.ReadString("Odd=Name\\;x", ""), "; not a comment");
  EXPECT_DOUBLE_EQ(store.ReadFloatValue("Zoom", 0), 1.25);
  std::uint8_t blob[4] = {};
  EXPECT_EQ(store.ReadBinaryValue("Blob", blob, 4), 4);
  EXPECT_EQ(blob[3], 255);

  // One value a line: the line break and the "=" of the texts are escaped.
  std::string text = Content();
  EXPECT_NE(text.find("Forms\\Main\\Caption=Fenêtre = principale 100%25%0Aligne 2%0D%09fin \n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("Odd%3DName\\;x=; not a comment\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Options\\Letters\\ltB=TRUE\n"), std::string::npos) << text;
}

TEST_F(UtFileAppStorageTest, HostileContentIsReadWithoutHarm)
{
  struct Case {
    std::string file;
    TUtMemoryAppStorage::TValueMap values;
  } cases[] = {
      {"", {}},
      {"no equals sign\n\n;a=comment\n#b=comment\n", {}},
      {"=value without path\n\\\\=x\n", {}},
      {"a=1\r\nb=2\rc=3\n", {{"a", "1"}, {"b", "2\rc=3"}}},
      {"a=1\na=2", {{"a", "2"}}},
      {"%=broken %zz %4\n", {{"%", "broken %zz %4"}}},
      {"..\\..\\x\\.\\y=up\n", {{"x\\y", "up"}}},
      {std::string("k\0ey=v\0al\n", 11), {{std::string("k\0ey", 4), std::string("v\0al", 4)}}},
      {"\xFF\xFE=\xC3\x28\n", {{"\xFF\xFE", "\xC3\x28"}}},
      {std::string(100000, '='), {}},
      {std::string(100000, '\\') + "=deep", {}},
  };
  for (const Case& c : cases) {
    TUtMemoryAppStorage::TValueMap values;
    TUtFileAppStorage::Parse(c.file, values);
    EXPECT_EQ(values, c.values) << c.file.substr(0, 40);
  }
  Write("a=1\nbroken line\nb\\c=%41\n");
  TUtFileAppStorage store(FFile);
  EXPECT_EQ(store.ReadString("b\\c", ""), "A");
}

TEST_F(UtFileAppStorageTest, AnUpdateBlockWritesOnce)
{
  TUtFileAppStorage store(FFile);
  store.BeginUpdate();
  store.WriteInteger("A", 1);
  store.WriteInteger("B", 2);
  EXPECT_FALSE(std::filesystem::exists(FFile));
  store.EndUpdate();
  EXPECT_EQ(Content(), "; Corvane settings, version 1: one value a line, path=value\nA=1\nB=2\n");
  store.DeleteTree("A");
  EXPECT_EQ(Content(), "; Corvane settings, version 1: one value a line, path=value\nB=2\n");
  // Reloading drops what was not written.
  store.BeginUpdate();
  store.WriteInteger("C", 3);
  store.Reload();
  store.EndUpdate();
  EXPECT_FALSE(store.ValueExists("C"));
}

TEST_F(UtFileAppStorageTest, AnUnfinishedUpdateBlockIsWrittenAtTheEnd)
{
  {
    TUtFileAppStorage store(FFile);
    store.BeginUpdate();
    store.WriteString("Pending", "kept");
  }
  EXPECT_EQ(TUtFileAppStorage(FFile).ReadString("Pending", ""), "kept");
}

TEST_F(UtFileAppStorageTest, OversizedFilesAndUnwritableFoldersFail)
{
  Write("a=1\n");
  std::filesystem::resize_file(FFile, TUtFileAppStorage::MaxFileSize + 1);
  EXPECT_THROW(TUtFileAppStorage store(FFile), EReadError);

  // A failed write is reported to the writer, not swallowed.
  TUtFileAppStorage store(FFolder + "/missing/settings.txt");
  EXPECT_THROW(store.WriteInteger("A", 1), EStreamError);
}
