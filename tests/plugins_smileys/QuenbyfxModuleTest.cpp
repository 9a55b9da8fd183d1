// "Quenbyfx.mp" loaded as the host loads a processor, with the newsreader's
// registry values and smiley file in a folder of the test's own.
#include <gtest/gtest.h>

#include "api/MessageProcessor.h"
#include "platform/base/Exception.h"
#include "platform/base/RegistryStore.h"
#include "tests/api/FakeHost.h"
#include "tests/platform_base/TempFolder.h"

namespace {

// The registry file's text escapes "\" as "\\".
std::string RegistryText(const std::string& dataFolder, const std::string& smileyFile)
{
  return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\r\n\"EmplacementData\"=\"" + dataFolder +
         "\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews\\init]\r\n\"FichierSmileys\"=\"" + smileyFile +
         "\"\r\n";
}

class QuenbyfxModule : public ::testing::Test {
protected:
  void SetUp() override { fake_host::Calls().clear(); }
  void TearDown() override { SetRegistryFile(""); }

  // The newsreader installed in the temporary folder, its table in config/.
  void InstallNewsreader(const std::string& table)
  {
    std::filesystem::create_directory(Folder / "config");
    Folder.Write("config/smileys.txt", table);
    SetRegistryFile(Folder.Write("registry.reg", RegistryText(Folder.Path(), "smileys.txt")));
  }

  TTempFolder Folder;
};

}  // namespace

TEST_F(QuenbyfxModule, AnswersItsNameAndLoadsTheTable)
{
  InstallNewsreader("Smiley\tNom\tImage\r\n:)\tsourire\tsmile.gif\r\n");
  TMessageProcessor holder("Quenbyfx.mp");
  IMessageProcessor* p = holder.Processor.Get();
  EXPECT_STREQ(p->GetName(), "Smileys MesNews");
  EXPECT_STREQ(p->GetDescription(), "Affiche les Smileys en images (Ncessite le programme MesNews)");
  EXPECT_STREQ(p->GetAuthor(), "Orlaine");
  EXPECT_EQ(p->GetVersion(), 1);
  EXPECT_EQ(fake_host::Calls(), (std::vector<std::string>{"AddLog(Quenby - Chargement des Smileys...)",
                                                          "AddLog(Quenby - Ouverture du fichier smileys.txt)",
                                                          "AddLog(Quenbys - Chargement des smileys terminé :))"}));

  const UserID key("-0;1;2");
  ProcessedMessage first{9, nullptr};
  p->Process(&first, &key, mkText, "a :) <b>");
  EXPECT_EQ(first.Kind, mkHtml);
  EXPECT_EQ(std::string(first.Text), "a <IMG src=\"" + Folder.Path() + "config/smile.gif\"> &lt;b&gt;");
  ProcessedMessage second{9, nullptr};
  p->Process(&second, &key, mkRtf, "{\\rtf1 :)}");
  EXPECT_EQ(second.Kind, mkRtf);
  EXPECT_STREQ(second.Text, "{\\rtf1 :)}");
}

TEST_F(QuenbyfxModule, WithoutTheNewsreaderOnlyEscapes)
{
  SetRegistryFile(Folder.Write("registry.reg", "REGEDIT4\r\n"));
  TMessageProcessor holder("Quenbyfx.mp");
  EXPECT_EQ(fake_host::Calls(), (std::vector<std::string>{"AddLog(Quenby - MesNews n'est pas installé !)"}));
  const UserID key("0;1;2");
  ProcessedMessage result{};
  holder.Processor->Process(&result, &key, mkText, "C:\\ :) <img src=x onerror=1>");
  EXPECT_EQ(result.Kind, mkHtml);
  EXPECT_STREQ(result.Text, "C:\\ :) &lt;img src=x onerror=1&gt;");
}

TEST_F(QuenbyfxModule, AnUnreadableTableFailsTheCreation)
{
  SetRegistryFile(Folder.Write("registry.reg", RegistryText(Folder.Path(), "absent.txt")));
  try {
    TMessageProcessor holder("Quenbyfx.mp");
    FAIL() << "the processor was created";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Le plug-in n'a pas pu être initialisé");
  }
  EXPECT_EQ(fake_host::LiveObjects(), 0);
}
