// Reading the newsreader's smiley table.
#include <gtest/gtest.h>

#include "plugins/smileys/SmileyTable.h"
#include "tests/platform_base/TempFolder.h"

namespace {

std::vector<std::string> Texts(const std::vector<TSmiley>& table)
{
  std::vector<std::string> out;
  for (const TSmiley& s : table)
    out.push_back(s.Text + "|" + s.Image);
  return out;
}

}  // namespace

TEST(SmileyTable, FirstLineDroppedWordsOneAndThree)
{
  // Runs of tabs part words as one; every line end is accepted; a line
  // without words gives nothing; a short line gives an empty image name.
  const std::string content =
      "Smiley\tNom\tImage\r\n"
      ":)\tsourire\tsmile.gif\r\n"
      ";)\t\t\tclin\tclin.gif\textra\n"
      "\t\t\r"
      ":(\ttriste\r\n"
      "\n"
      ":D\trire\trire.gif";
  EXPECT_EQ(Texts(ParseSmileyTable(content)),
            (std::vector<std::string>{":)|smile.gif", ";)|clin.gif", ":(|", ":D|rire.gif"}));
  EXPECT_TRUE(ParseSmileyTable(":)\tx\tsmile.gif").empty());
  EXPECT_TRUE(ParseSmileyTable("").empty());
}

TEST(SmileyTable, AFileThatCannotBeReadRaises)
{
  TTempFolder folder;
  EXPECT_ANY_THROW(LoadSmileyTable(folder / "absent.txt"));
  EXPECT_ANY_THROW(LoadSmileyTable(folder.Path()));
  folder.Write("ok.txt", "h\n:)\ta\tb.gif\n");
  EXPECT_EQ(LoadSmileyTable(folder / "ok.txt").size(), 1u);
}
