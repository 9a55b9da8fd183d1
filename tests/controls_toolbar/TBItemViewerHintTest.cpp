// A viewer's hint text (taken from the caption when the item has no hint) and
// the button part of split buttons.
#include <gtest/gtest.h>

#include <vector>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/menus/ShortCuts.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

class TSplitItem : public TTBSubmenuItem {
public:
  TSplitItem() : TTBSubmenuItem(nullptr) { SetItemStyle(ItemStyle() | tbsfSplitButton); }
};

enum TKind { kPlain, kSubmenu, kSplit };

struct THintCase {
  const char* Name;
  TKind Kind;
  const char* Caption;
  const char* Hint;
  TShortCut Key;
  bool HintShortCuts;
  TTBItemOptions Options;
  const char* Expected;
};

struct ItemViewerHint : ::testing::Test {
  void SetUp() override { THeadlessDisplay::Use(); }
  void TearDown() override { Application()->SetHintShortCuts(SavedHintShortCuts); }
  bool SavedHintShortCuts = Application()->HintShortCuts();
};

TEST_F(ItemViewerHint, HintTextTable)
{
  const TShortCut ctrlS = ShortCut('S', TShiftState{ssCtrl});
  const std::vector<THintCase> cases = {
      {"caption trimmed", kPlain, "&Save as...", "", 0, true, 0, "Save as"},
      {"shortcut in brackets", kPlain, "&Save as...", "", ctrlS, true, 0, "Save as (Ctrl+S)"},
      {"shortcuts not wanted in hints", kPlain, "&Save as...", "", ctrlS, false, 0, "Save as"},
      {"no automatic hint", kPlain, "&Save as...", "", ctrlS, true, tboNoAutoHint, ""},
      {"colon and shortcut text dropped", kPlain, "&Nom:\tCtrl+N", "", 0, true, 0, "Nom"},
      {"short part of the hint", kPlain, "&Save as...", "Enregistrer|Enregistre sous un autre nom", ctrlS, true, 0,
       "Enregistrer (Ctrl+S)"},
      {"hint kept with no automatic hint", kPlain, "x", "Aide", 0, true, tboNoAutoHint, "Aide"},
      {"a submenu that shows its caption has none", kSubmenu, "&Edition", "", 0, true, 0, ""},
      {"a split button has one", kSplit, "&Annuler", "", 0, true, 0, "Annuler"},
  };
  for (const THintCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTBRootItem root(nullptr);
    TTBCustomItem* item = c.Kind == kSplit     ? new TSplitItem
                          : c.Kind == kSubmenu ? static_cast<TTBCustomItem*>(new TTBSubmenuItem(nullptr))
                                               : new TTBItem(nullptr);
    item->SetCaption(c.Caption);
    item->SetHint(c.Hint);
    item->SetShortCut(c.Key);
    item->SetOptions(c.Options);
    root.Add(item);
    Application()->SetHintShortCuts(c.HintShortCuts);
    TTBView view(nullptr, nullptr, &root, nullptr, true, false, false);
    EXPECT_EQ(view.FindViewerOfItem(item)->GetHintText(), c.Expected);
  }
}

TEST_F(ItemViewerHint, ButtonPartOfSplitButtonsAndOthers)
{
  TTBRootItem root(nullptr);
  auto* split = new TSplitItem;
  auto* submenu = new TTBSubmenuItem(nullptr);
  auto* plain = new TTBItem(nullptr);
  for (TTBCustomItem* item : std::vector<TTBCustomItem*>{split, submenu, plain}) {
    item->SetCaption("x");
    root.Add(item);
  }
  TTBView toolbar(nullptr, nullptr, &root, nullptr, true, false, false);
  toolbar.EnsureLayout();
  TTBItemViewer* v = toolbar.FindViewerOfItem(split);
  v->BoundsRect = TRect(0, 0, 40, 22);
  // The toolbar's arrow part is the right 11 pixels: it starts at 40 - 11 = 29.
  EXPECT_TRUE(v->InButtonPart(0, 5));
  EXPECT_TRUE(v->InButtonPart(28, 5));
  EXPECT_FALSE(v->InButtonPart(29, 5));
  EXPECT_FALSE(v->InButtonPart(39, 5));
  // Without a split, a plain item is all button and a submenu item none.
  for (int x : {0, 20, 39}) {
    EXPECT_TRUE(toolbar.FindViewerOfItem(plain)->InButtonPart(x, 5)) << x;
    EXPECT_FALSE(toolbar.FindViewerOfItem(submenu)->InButtonPart(x, 5)) << x;
  }

  // In a menu the arrow part is as wide as a menu check mark.
  TTBView menu(nullptr, nullptr, &root, nullptr, false, false, false);
  menu.EnsureLayout();
  TTBItemViewer* row = menu.FindViewerOfItem(split);
  row->BoundsRect = TRect(0, 0, 100, 17);
  const int check = GetSystemMetrics(SM_CXMENUCHECK);
  ASSERT_GT(check, 0);
  EXPECT_TRUE(row->InButtonPart(100 - check - 1, 5));
  EXPECT_FALSE(row->InButtonPart(100 - check, 5));
}

}  // namespace
