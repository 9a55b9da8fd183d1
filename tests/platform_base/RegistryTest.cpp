#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "TempFolder.h"
#include "platform/base/Exception.h"
#include "platform/base/Registry.h"
#include "platform/base/WholeFile.h"

namespace {

const std::string Inputs = CORVANE_BASE_INPUTS;

class Registry : public ::testing::Test {
protected:
  void SetUp() override { SetRegistryFile(Inputs + "/registry.reg"); }
  void TearDown() override { SetRegistryFile(""); }
};

}  // namespace

TEST_F(Registry, ReadsAsTheSmileyProcessorDoes)
{
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Veltrano\\MesNews", false));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Veltrano\\MesNews");
  EXPECT_EQ(reg.ReadString("EmplacementData"), "C:\\Program Files\\MesNews\\");
  EXPECT_EQ(reg.ReadString("Quoted"), "il a dit \"bonjour\" \\o/");
  EXPECT_EQ(reg.ReadString(""), "valeur par défaut");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Odd\\Name"), "backslash stays: \\n");
  EXPECT_EQ(reg.ReadString("Expand"), "%HOME%");
  EXPECT_EQ(reg.ReadString("FichierSmileys"), "");  // missing: empty, no error
  EXPECT_EQ(reg.ReadInteger("Count"), 42);
  EXPECT_EQ(reg.ReadInteger("Negative"), -1);

  ASSERT_TRUE(reg.OpenKey("\\Software\\Veltrano\\MesNews\\init", false));
  EXPECT_EQ(reg.ReadString("FichierSmileys"), "smileys.txt");
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_EQ(reg.ReadString("FichierSmileys"), "");
}

TEST_F(Registry, KeyPathsAreCaseInsensitiveAndRelative)
{
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\veltrano"));  // relative to the root
  ASSERT_TRUE(reg.OpenKey("MesNews", false));             // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\veltrano\\MesNews");
  EXPECT_TRUE(reg.ValueExists("EMPLACEMENTDATA"));
  EXPECT_TRUE(reg.KeyExists("INIT"));
  EXPECT_TRUE(reg.KeyExists("\\Software"));
  EXPECT_FALSE(reg.KeyExists("Software"));  // relative: below MesNews

  // A failed open keeps the current key.
  EXPECT_FALSE(reg.OpenKey("\\Software\\Nobody", false));
  EXPECT_FALSE(reg.OpenKey("\\Software\\Nobody", true));  // cannot create
  EXPECT_FALSE(reg.OpenKey("\\Software\\Removed", false));
  EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\veltrano\\MesNews");
  EXPECT_EQ(reg.ReadInteger("count"), 42);

  // Other hives are empty.
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_FALSE(reg.OpenKey("\\Software\\Veltrano\\MesNews", false));
}

TEST_F(Registry, TypeMismatchesAndWritesRaise)
{
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Veltrano\\MesNews", false));
  EXPECT_THROW(reg.ReadInteger("Absent"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("EmplacementData"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Blob"), ERegistryException);
  EXPECT_THROW(reg.ReadString("Count"), ERegistryException);
  try {
    reg.ReadString("Blob");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Type de données incorrect pour 'Blob'");
  }
  EXPECT_THROW(reg.WriteString("EmplacementData", "x"), ERegistryException);
  EXPECT_EQ(reg.ReadString("EmplacementData"), "C:\\Program Files\\MesNews\\");
}

TEST_F(Registry, QueryValueSizeProtocol)
{
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "\\Software\\Veltrano\\MesNews", 0, KEY_READ, &key), 0);

  struct Case {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  } cases[] = {
      {"Count", REG_DWORD, {0x2a, 0, 0, 0}},
      {"Blob", REG_BINARY, {1, 2, 3, 0xff}},
      {"Expand", REG_EXPAND_SZ, {'%', 'H', 'O', 'M', 'E', '%', 0}},
      {"Empty", REG_SZ, {0}},
      {nullptr, REG_SZ, {'v', 'a', 'l', 'e', 'u', 'r', ' ', 'p', 'a', 'r', ' ', 'd', 0xc3, 0xa9, 'f', 'a', 'u', 't', 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(default)");
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueEx(key, c.name, nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(size, c.data.size());
    std::vector<BYTE> buffer(size + 4, 0xEE);
    DWORD small = size - 1;
    EXPECT_EQ(RegQueryValueEx(key, c.name, nullptr, nullptr, buffer.data(), &small), LSTATUS(ERROR_MORE_DATA));
    EXPECT_EQ(small, size);
    EXPECT_EQ(buffer[0], 0xEE);  // nothing written on a short buffer
    DWORD room = DWORD(buffer.size());
    ASSERT_EQ(RegQueryValueEx(key, c.name, nullptr, nullptr, buffer.data(), &room), 0);
    EXPECT_EQ(room, size);
    EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + size), c.data);
  }
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Absent", nullptr, nullptr, nullptr, &size), LSTATUS(ERROR_FILE_NOT_FOUND));

  HKEY write = nullptr;
  EXPECT_EQ(RegOpenKeyEx(key, "init", 0, KEY_WRITE, &write), LSTATUS(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegOpenKeyEx(key, "absent", 0, KEY_READ, &write), LSTATUS(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(write, nullptr);

  EXPECT_EQ(RegCloseKey(key), 0);
  EXPECT_EQ(RegQueryValueEx(key, "Count", nullptr, nullptr, nullptr, &size), LSTATUS(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegCloseKey(key), LSTATUS(ERROR_INVALID_HANDLE));
}

TEST_F(Registry, MalformedFilesKeepWhatCanBeRead)
{
  struct Case {
    const char* file;
    bool goodKey;
    std::string fine;
  } cases[] = {
      {"broken-lines.reg", true, "ok"},
      {"no-header.reg", false, ""},
      {"binary-junk.reg", true, "o"},
      {"does-not-exist.reg", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    SetRegistryFile(Inputs + "/malformed/" + c.file);
    TRegistry reg;
    EXPECT_EQ(reg.OpenKey("\\Good", false), c.goodKey);
    EXPECT_EQ(reg.ReadString("Fine"), c.fine);
  }

  SetRegistryFile(Inputs + "/malformed/broken-lines.reg");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Good", false));
  for (const char* skipped : {"Unterminated", "BadDword", "LongDword", "EmptyDword", "BadHex", "BadType", "NoType",
                              "NoEquals", "", "Trailing", "Deleted", "Orphan", "AfterBroken", "NearMiss"})
    EXPECT_FALSE(reg.ValueExists(skipped)) << skipped;
  EXPECT_EQ(reg.GetDataSize("Last"), 1);  // a continuation at the end of the file
  EXPECT_FALSE(reg.KeyExists("\\Broken"));
}

TEST(RegistryStore, SurvivesMangledFiles)
{
  const std::string good = ReadWholeFile(std::string(CORVANE_BASE_INPUTS) + "/registry.reg");
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    const int edits = 1 + int(random() % 8);
    for (int e = 0; e < edits; ++e) {
      std::size_t at = random() % text.size();
      switch (random() % 3) {
      case 0: text[at] = char(random()); break;
      case 1: text.erase(at, random() % 16); break;
      default: text.insert(at, std::string(random() % 4 + 1, "\\\"[]=,:\n"[random() % 8])); break;
      }
      if (text.empty())
        text = "REGEDIT4";
    }
    auto store = TRegistryStore::Parse(text);
    ASSERT_NE(store->FindKey(""), nullptr);
  }
}

TEST(RegistryStore, KeysBeyondThePlatformLimitsAreSkipped)
{
  auto deep = [](int levels, std::size_t width) {
    std::string path;
    for (int i = 0; i < levels; ++i)
      path += "\\" + std::string(width, 'k');
    return path;
  };
  const std::string text = "REGEDIT4\n[HKEY_CURRENT_USER" + deep(512, 255) + "]\n\"V\"=\"ok\"\n" +
                           "[HKEY_CURRENT_USER" + deep(513, 1) + "]\n\"V\"=\"no\"\n" +
                           "[HKEY_CURRENT_USER\\" + std::string(256, 'w') + "]\n" +
                           "[HKEY_CURRENT_USER" + deep(2000000, 1) + "]\n";
  auto store = TRegistryStore::Parse(text);
  const TRegistryKey* key = store->FindKey(deep(512, 255));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Values.count("v"), 1u);
  EXPECT_EQ(store->FindKey(deep(513, 1)), nullptr);
  EXPECT_EQ(store->FindKey(std::string(256, 'w')), nullptr);
  EXPECT_EQ(store->FindKey("k"), nullptr);  // nothing of the skipped paths was made

  // At most 65,536 keys: the later sections are skipped.
  std::string many = "REGEDIT4\n";
  for (int i = 0; i <= 65536; ++i)
    many += "[HKEY_CURRENT_USER\\k" + std::to_string(i) + "]\n";
  auto crowded = TRegistryStore::Parse(many);
  EXPECT_NE(crowded->FindKey("k65535"), nullptr);
  EXPECT_EQ(crowded->FindKey("k65536"), nullptr);
}

TEST(RegistryStore, DefaultLocation)
{
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const std::string keepConfig = savedConfig ? savedConfig : "";
  SetRegistryFile("");
  ::setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
  EXPECT_EQ(RegistryFile(), "/srv/conf/corvane/registry.reg");
  ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  EXPECT_EQ(RegistryFile(), home + "/.config/corvane/registry.reg");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(RegistryFile(), home + "/.config/corvane/registry.reg");
  if (savedConfig)
    ::setenv("XDG_CONFIG_HOME", keepConfig.c_str(), 1);

  // Setting the file again reads it again.
  TTempFolder temp;
  const std::string file = temp.Write("r.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"V\"=\"1\"\n");
  SetRegistryFile(file);
  TRegistry first;
  ASSERT_TRUE(first.OpenKey("\\K", false));
  EXPECT_EQ(first.ReadString("V"), "1");
  temp.Write("r.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"V\"=\"2\"\n");
  SetRegistryFile(file);
  EXPECT_EQ(first.ReadString("V"), "2");
  SetRegistryFile("");
}
