// The themed toolbar and popup menu rendered headless through the test
// theme's sketch, compared with their golden pictures: where captions,
// images, arrows, checks, shortcuts and separators land.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/toolbar/TBImageList.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/menus/ShortCuts.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Text.h"
#include "tests/support/GoldenImage.h"
#include "TBWTestTheme.h"
#include "../controls_toolbar/TBGoldenScenes.h"

namespace {

class ThemedRender : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    SetBuiltinFontOnly(true);
    Themes = std::make_unique<TTestThemeScope>(std::initializer_list<const char*>{"Test"});
    TTestTheme::Settings()["Test"].Features = {TBF_PAINTDOCKBACKGROUND};
    Application()->Initialize();
    AddSceneImages(Images);
  }
  void TearDown() override
  {
    Themes.reset();
    SetBuiltinFontOnly(false);
  }
  template <class T = TTBWItem>
  T* Add(TTBCustomItem* Parent, const char* Caption, int Image = -1)
  {
    auto* item = new T(nullptr);
    item->SetCaption(Caption);
    item->SetImageIndex(Image);
    Parent->Add(item);
    return item;
  }
  void CheckGolden(HWND Window, const std::string& Name)
  {
    const std::string shot = ::testing::TempDir() + std::to_string(getpid()) + "-" + Name;
    ASSERT_TRUE(Display->Screenshot(Window, shot));
    TPixelImage image;
    ASSERT_TRUE(ReadPng(shot, image));
    const std::string golden = std::string(THEMES_GOLDEN_DIR) + "/" + Name;
    if (std::getenv("CORVANE_WRITE_GOLDEN"))
      WritePng(golden, image);
    std::string message;
    EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
  }

  THeadlessDisplay* Display = nullptr;
  std::unique_ptr<TTestThemeScope> Themes;
  TTBImageList Images{nullptr};
};

TEST_F(ThemedRender, DockedToolbarLooksAsItsGolden)
{
  TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
  form->SetBounds(100, 100, 420, 90);
  auto* dock = new TTBWDock(form);
  dock->SetParent(form);
  auto* bar = new TTBWToolbar(form);
  bar->SetImages(&Images);
  bar->SetCaption("Outils");
  TTBWItem* open = Add(bar->Items(), "&Ouvrir", 0);
  open->SetDisplayMode(nbdmImageAndText);
  Add(bar->Items(), "Ranger", 1)->SetChecked(true);
  Add<TTBWSeparatorItem>(bar->Items(), "");
  auto* arrow = Add<TTBWSubmenuItem>(bar->Items(), "Statut");
  arrow->SetOptions(tboDropdownArrow);
  Add(arrow, "En ligne");
  auto* split = Add<TTBWSubmenuItem>(bar->Items(), "Envoyer", 1);
  split->SetDropdownCombo(true);
  split->SetDisplayMode(nbdmImageAndText);
  Add(split, "Par le serveur");
  Add(bar->Items(), "Aide")->SetEnabled(false);
  bar->SetCurrentDock(dock);
  form->Show();
  THeadlessDisplay::PumpMessages();
  // The first button under the mouse.
  TRect b = bar->View()->FindViewerOfItem(open)->BoundsRect;
  TPoint hot = bar->ClientToScreen(TPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
  Display->MoveMouse(hot.x, hot.y);
  THeadlessDisplay::PumpMessages();
  CheckGolden(form->Handle(), "toolbar.png");
  form->Free();
}

TEST_F(ThemedRender, PopupMenuLooksAsItsGolden)
{
  TTBWRootItem root(nullptr);
  root.SetSubMenuImages(&Images);
  Add(&root, "&Nouveau\tCtrl+N", 0);
  Add(&root, "&Ouvrir...\tCtrl+O", 1);
  Add(&root, "&Retour à la ligne")->SetChecked(true);
  Add<TTBWSeparatorItem>(&root, "");
  Add(Add<TTBWSubmenuItem>(&root, "&Récents"), "&1 notes.txt");
  Add(&root, "&Imprimer\tCtrl+P", 1)->SetEnabled(false);
  TTBPopupWindow* window = root.CreatePopup(nullptr, nullptr, false, true, false, TPoint(200, 150), tbpaLeft);
  for (int i = 0; i < 200; ++i) {
    THeadlessDisplay::Advance(10);
    THeadlessDisplay::PumpMessages();
  }
  CheckGolden(window->Handle(), "popup-menu.png");
  delete window;
}

}  // namespace
