// Status-icon packs chosen from the pack menu, seen in the contact tree.
#include <filesystem>

#include "HostControls.h"
#include "host/IconPacks.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/win/ole/StreamAdapter.h"

namespace {

const std::vector<COLORREF> BlueColors(10, RGB(0, 0, 255));
const std::vector<COLORREF> YellowColors(10, RGB(255, 255, 0));

std::uint32_t Rgb(COLORREF c)
{
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

class IconPacks : public THostControls {
public:
  IconPacks()
  {
    Put("testnet.net");
    Net()->SetModel(TwoGroups());
    BoundStarted();
    ExpandAll();
    Window.Warnings.clear();  // no chat library here
    std::filesystem::create_directories(Folder + "glyphs/.cache");
    PutIcons("Bleu", BlueColors, 10);
    PutIcons("Partiel", BlueColors, 5);
    PutPackFile("abc.gpk", YellowColors);
    PutPackFile(".cachee.gpk", YellowColors);
    PutFile("glyphs/casse.gpk", "CVIL pas une liste d'images");
    PutFile("glyphs/notes.txt", "rien");
    PacksMenu = new TXTBSubmenuItem(Form);
    PacksMenu->SetCaption(u"Classique");
    Packs = std::make_unique<TIconPacks>(Status.get(), PacksMenu, &Window);
    Packs->OnPackChanged = TNotifyEvent(this, &IconPacks::PackChanged);
    Packs->BuildPackMenu();
  }
  void PutIcons(const std::string& Pack, const std::vector<COLORREF>& Colors, int Count)
  {
    std::filesystem::create_directories(Folder + "glyphs/" + Pack);
    std::unique_ptr<TCustomImageList> list = NewStatusList(Colors);
    for (int i = 0; i < Count; ++i) {
      TIcon icon;
      icon.SetHandle(ImageList_GetIcon(list->Handle(), i, ILD_NORMAL));
      icon.SaveToFile(Folder + "glyphs/" + Pack + "/" + std::to_string(i) + ".ico");
    }
  }
  void PutPackFile(const std::string& Name, const std::vector<COLORREF>& Colors)
  {
    std::unique_ptr<TCustomImageList> list = NewStatusList(Colors);
    TMemoryStream memory;
    {
      InterfacePtr<IStream> out(new TStreamAdapter(&memory));
      ASSERT_TRUE(ImageList_Write(list->Handle(), out.Get()));
    }
    memory.SaveToFile(Folder + "glyphs/" + Name);
  }
  void PackChanged(TObject*) { ++Changes; }
  TMyItem* PackItem(const std::string& Caption)
  {
    for (int i = 0; i < PacksMenu->Count(); ++i)
      if (PacksMenu->Items(i)->Caption() == Caption)
        return dynamic_cast<TMyItem*>(PacksMenu->Items(i));
    return nullptr;
  }
  std::uint32_t ImagePixelOf(const std::string& Path)
  {
    TPixelImage picture = TreePicture();
    TPoint p = ImagePoint(Node(Path));
    return picture.Pixels[std::size_t(p.y * picture.Width + p.x)];
  }

  TXTBSubmenuItem* PacksMenu = nullptr;
  std::unique_ptr<TIconPacks> Packs;
  int Changes = 0;
};

}  // namespace

TEST_F(IconPacks, TheMenuListsFoldersAndImageListFilesOnly)
{
  std::vector<std::pair<std::string, bool>> listed;
  for (int i = 0; i < PacksMenu->Count(); ++i) {
    auto* item = dynamic_cast<TMyItem*>(PacksMenu->Items(i));
    ASSERT_NE(item, nullptr);
    listed.push_back({WideToSystemText(item->Caption()), item->IsFile});
  }
  EXPECT_EQ(listed, (std::vector<std::pair<std::string, bool>>{
                        {"abc", true}, {"Bleu", false}, {"casse", true}, {"Partiel", false}}));
}

TEST_F(IconPacks, APackChosenFromTheMenuChangesTheTreesImages)
{
  ASSERT_EQ(ImagePixelOf("0.0.0"), Rgb(ClassicColors[psOnline]));
  PackItem("Bleu")->Click();
  EXPECT_EQ(ImagePixelOf("0.0.0"), Rgb(RGB(0, 0, 255)));
  EXPECT_EQ(ImagePixelOf("0.1"), Rgb(RGB(0, 0, 255)));
  EXPECT_EQ(PacksMenu->Caption(), u"Bleu");
  PackItem("abc")->Click();
  EXPECT_EQ(ImagePixelOf("0.0.0"), Rgb(RGB(255, 255, 0)));
  EXPECT_EQ(PacksMenu->Caption(), u"abc");
  EXPECT_EQ(Changes, 2);
  ASSERT_TRUE(WritePng(BuiltFolder() + "host-contact-tree-pack.png", TreePicture()));
}

TEST_F(IconPacks, APackThatCannotBeReadKeepsTheIconsAndSaysWhy)
{
  for (const char* pack : {"Partiel", "casse"}) {
    Window.Warnings.clear();
    PackItem(pack)->Click();
    EXPECT_EQ(ImagePixelOf("0.0.0"), Rgb(ClassicColors[psOnline])) << pack;
    EXPECT_EQ(ImagePixelOf("0.0.2"), Rgb(ClassicColors[psOffline])) << pack;
    EXPECT_EQ(PacksMenu->Caption(), u"Classique") << pack;
    ASSERT_EQ(Window.Warnings.size(), 1u) << pack;
  }
  EXPECT_EQ(Window.Warnings[0], "Echec de la lecture des données ImageList depuis le flux");
  EXPECT_EQ(Changes, 0);
}

TEST_F(IconPacks, APackGoneSinceTheMenuWasBuiltChangesNothing)
{
  std::filesystem::remove_all(Folder + "glyphs/Bleu");
  std::string failure = "?";
  EXPECT_FALSE(Packs->LoadPack("Bleu", false, failure));
  EXPECT_EQ(failure, "");
  PackItem("Bleu")->Click();
  EXPECT_TRUE(Window.Warnings.empty());
  EXPECT_EQ(PacksMenu->Caption(), u"Classique");
}

// The pack that scripts/run lays out, in both forms, is read whole: its ten
// images replace the status list's, online shows green in the tree and the
// group folder yellow.
TEST_F(IconPacks, TheTryOutPacksLoadWithTheirTenImages)
{
  std::filesystem::copy(CORVANE_TRYOUT_FOLDER "/glyphs", Folder + "glyphs",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  for (const char* pack : {"Ronds", "Carrés"}) {
    SCOPED_TRACE(pack);
    const bool file = std::string(pack) == "Carrés";
    std::string failure;
    ASSERT_TRUE(Packs->LoadPack(pack, file, failure)) << failure;
    ASSERT_EQ(Status->Count(), 10);
    const std::uint32_t online = ImagePixelOf("0.0.0");
    EXPECT_GT((online >> 8) & 0xFF, (online >> 16) & 0xFF);
    // The group folder (image 9) is yellow: the last image came too.
    const std::uint32_t folder = ImagePixelOf("0.1");
    EXPECT_GT((folder >> 16) & 0xFF, folder & 0xFF);
  }
}
