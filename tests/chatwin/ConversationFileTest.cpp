// Conversation files: the page written word for word over two sessions, safe
// file names, and a rewrite that never damages what was saved before.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "chatwin/ConversationFile.h"
#include "platform/base/FileSystem.h"
#include "platform/base/StringList.h"
#include "platform/base/WholeFile.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/platform_base/TempFolder.h"

namespace {

// Runs the test in a folder of its own, as the files go under the current one.
class ConversationFile : public ::testing::Test {
protected:
  void SetUp() override
  {
    FSaved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(Folder.Path()));
  }
  void TearDown() override { SetCurrentDir(FSaved); }

  // A chat window's document: 12 head lines, then one fragment per text.
  static TStringList Document(const std::vector<std::string>& fragments)
  {
    TStringList document;
    for (int i = 0; i < DocumentHeadLines; ++i)
      document.Add("head " + std::to_string(i));
    for (const std::string& line : fragments)
      document.Add(line);
    return document;
  }

  TTempFolder Folder;

private:
  std::string FSaved;
};

std::string Lines(const std::vector<std::string>& lines)
{
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

const std::string Skeleton =
    "<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n<TITLE>On ne devrait pas voir cela</TITLE>\r\n<STYLE type=\"text/css\">\r\n<!--\r\n"
    "div.Session {padding: 10px; color: black; border: 1px black solid; background-color: #CCCCAA}\r\n"
    "div.moi  {color: black; border: 1px black solid; background-color: #AACCAA}\r\n"
    "div.lui  {color: black; border: 1px black solid; background-color: #AAAACC}\r\n"
    "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset; background-color: "
    "black}\r\n"
    "-->\r\n</STYLE>\r\n</HEAD>\r\n<BODY bgcolor=\"white\">\r\n";

}  // namespace

TEST_F(ConversationFile, TwoSessionsWordForWord)
{
  TCDebugWindow console;
  const TDateTime first = EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 0);
  SaveConversation("TestNet", "Bob", first, Document({"<BR>", "<DIV class=\"header\">", "Moi, x", "</DIV>"}));
  SaveConversation("TestNet", "Bob", EncodeDate(2026, 12, 9), Document({}));

  EXPECT_EQ(ReadWholeFile("TestNet/Bob.html"),
            Skeleton +
                Lines({"<DIV class=\"header\">", "Session du 08/12/2026 23:31:19", "</DIV>", "<DIV class=\"Session\">",
                       "<BR>", "<DIV class=\"header\">", "Moi, x", "</DIV>", "</DIV>"}) +
                Lines({"<DIV class=\"header\">", "Session du 09/12/2026", "</DIV>", "<DIV class=\"Session\">",
                       "</DIV>"}) +
                "</BODY>\r\n</HTML>\r\n");
  const TCDebugLine saving{"tessel.dll", 0, "dlgmsg; Enregistrement de la conversation"};
  const TCDebugLine saved{"tessel.dll", 0, "dlgmsg; Fin de l'enregistrement de la conversation"};
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{saving, saved, saving, saved}));
}

TEST_F(ConversationFile, NamesFromOutsideStayInTheirFolder)
{
  const struct {
    const char* Name;
    const char* Part;
  } cases[] = {
      {"Bob", "Bob"},
      {"Zoé l'ami", "Zoé l'ami"},
      {"a_b", "a_b"},
      {"a/b", "a%2Fb"},
      {"a%2Fb", "a%252Fb"},
      {"../../x", "%2E%2E%2F.%2E%2Fx"},
      {"..", "%2E%2E"},
      {"a..b", "a.%2Eb"},
      {".cache", "%2Ecache"},
      {"a\\b/c", "a%5Cb%2Fc"},
      {"tab\there\x7f", "tab%09here%7F"},
      {"", "%"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConversationNamePart(c.Name), c.Part) << c.Name;

  // A long name is cut at a character boundary, short enough for the file
  // system; two long names alike in their first part still differ.
  std::string accents;
  for (int i = 0; i < 127; ++i)
    accents += "é";
  const std::string longPart = ConversationNamePart(accents + "a");
  EXPECT_LE(longPart.size(), 200u);
  EXPECT_EQ(longPart.compare(0, 180, accents, 0, 180), 0);
  EXPECT_NE(longPart, ConversationNamePart(accents + "b"));

  SaveConversation("../Réseau\\x", "../../x", EncodeDate(2026, 1, 2), Document({}));
  EXPECT_TRUE(FileExists(Folder.Path() + "%2E%2E%2FRéseau%5Cx/%2E%2E%2F.%2E%2Fx.html"));
}

// Names that differ only by a character the file system refuses keep their
// conversations apart.
TEST_F(ConversationFile, NicknamesAlikeOnceMadeSafeKeepFilesOfTheirOwn)
{
  SaveConversation("TestNet", "a/b", EncodeDate(2026, 1, 2), Document({"pour a/b"}));
  SaveConversation("TestNet", "a_b", EncodeDate(2026, 1, 2), Document({"pour a_b"}));
  SaveConversation("TestNet", "a%2Fb", EncodeDate(2026, 1, 2), Document({"pour a%2Fb"}));
  const std::string slash = ReadWholeFile(ConversationFilePath("TestNet", "a/b"));
  const std::string underscore = ReadWholeFile(ConversationFilePath("TestNet", "a_b"));
  const std::string percent = ReadWholeFile(ConversationFilePath("TestNet", "a%2Fb"));
  EXPECT_NE(slash.find("pour a/b"), std::string::npos);
  EXPECT_EQ(slash.find("pour a_b"), std::string::npos);
  EXPECT_EQ(slash.find("pour a%2Fb"), std::string::npos);
  EXPECT_EQ(underscore.find("pour a/b"), std::string::npos);
  EXPECT_EQ(percent.find("pour a/b"), std::string::npos);
}

// A save killed halfway left its hidden temporary file; the next save of the
// same conversation takes it away, and leaves another conversation's alone.
TEST_F(ConversationFile, TheNextSaveRemovesWhatAKilledSaveLeft)
{
  SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 2), Document({}));
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0)
    ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = std::to_string(gone);
  const std::string mine = std::to_string(::getpid());
  Folder.Write("TestNet/.Bob.html." + dead + "-3.tmp", "moitié");
  Folder.Write("TestNet/.Alice.html." + dead + "-4.tmp", "autre");
  Folder.Write("TestNet/.Bob.html." + mine + "-999999.tmp", "en cours");
  SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 3), Document({}));
  EXPECT_FALSE(FileExists("TestNet/.Bob.html." + dead + "-3.tmp"));
  EXPECT_TRUE(FileExists("TestNet/.Alice.html." + dead + "-4.tmp"));
  // A process still running may be writing it.
  EXPECT_TRUE(FileExists("TestNet/.Bob.html." + mine + "-999999.tmp"));
}

TEST_F(ConversationFile, TheRewriteReplacesTheFileWhole)
{
  SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 2), Document({"un"}));
  const std::string before = ReadWholeFile("TestNet/Bob.html");
  // A second name for the saved file: a rewrite in place would change it too.
  ASSERT_EQ(::link("TestNet/Bob.html", "kept.html"), 0);
  SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 3), Document({"deux"}));
  EXPECT_EQ(ReadWholeFile("kept.html"), before);
  EXPECT_NE(ReadWholeFile("TestNet/Bob.html"), before);
}

TEST_F(ConversationFile, AFileThatIsNoConversationIsLeftAlone)
{
  ASSERT_TRUE(CreateDir("TestNet"));
  Folder.Write("TestNet/Bob.html", "une ligne");
  EXPECT_ANY_THROW(SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 2), Document({"x"})));
  EXPECT_EQ(ReadWholeFile("TestNet/Bob.html"), "une ligne");
}

// A program killed at any moment of a save leaves the file as it was before
// that save or as the save made it: a child saves sessions one after the
// other and is killed at a random moment, many times over.
TEST_F(ConversationFile, AKillDuringASaveLeavesTheOldFileOrTheNewOne)
{
  const TStringList document = Document({"<DIV class=\"lui\">", "Bonjour, une ligne assez longue " +
                                                                     std::string(4000, 'x'),
                                         "</DIV>"});
  const std::vector<std::string> session = SessionBlock(EncodeDate(2026, 1, 2), document);
  // The file after N whole saves.
  auto after = [&](int Saves) {
    std::vector<std::string> lines = ConversationSkeleton();
    for (int n = 0; n < Saves; ++n)
      lines.insert(lines.end() - 2, session.begin(), session.end());
    return Lines(lines);
  };
  std::srand(unsigned(::getpid()));
  int saves = 0;
  for (int round = 0; round < 40; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;)
        SaveConversation("TestNet", "Bob", EncodeDate(2026, 1, 2), document);
    }
    ::usleep(useconds_t(std::rand() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (!FileExists("TestNet/Bob.html"))
      continue;  // killed before its first save ended
    const std::string content = ReadWholeFile("TestNet/Bob.html");
    // The child saved on from the count it found: the file holds whole saves only.
    bool whole = false;
    for (int n = saves; n <= saves + 2000 && !whole; ++n)
      if (content.size() == after(n).size()) {
        whole = content == after(n);
        saves = n;
      }
    ASSERT_TRUE(whole) << "round " << round << ": a broken file of " << content.size() << " bytes";
    // Start the next round from a small file again.
    if (saves > 50) {
      std::filesystem::remove("TestNet/Bob.html");
      saves = 0;
    }
  }
}
