#include <gtest/gtest.h>

#include <memory>

#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWViewers.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBMenuFont.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Text.h"
#include "MeasureCanvas.h"
#include "TBWTestTheme.h"

namespace {

class ThemedViewers : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    Themes = std::make_unique<TTestThemeScope>(std::initializer_list<const char*>{"Test"});
    TBitmap strip;
    strip.SetSize(16, 16);
    Images.SetImagesBitmap(&strip);
    Root.SetSubMenuImages(&Images);
  }
  void TearDown() override
  {
    Views.clear();
    Themes.reset();
    SetBuiltinFontOnly(false);
  }
  TTBView& View(bool Toolbar, TTBViewAxis Axis = tbaHorizontal)
  {
    Views.push_back(std::make_unique<TTBView>(nullptr, nullptr, &Root, nullptr, Toolbar, false, false));
    Views.back()->SetAxis(Axis);
    return *Views.back();
  }
  template <class T = TTBWItem>
  T* Add(const char* Caption, int ImageIndex = -1)
  {
    auto* item = new T(nullptr);
    item->SetCaption(Caption);
    item->SetImageIndex(ImageIndex);
    // Toolbar buttons with an image show their caption only when asked to.
    item->SetDisplayMode(nbdmImageAndText);
    Root.Add(item);
    return item;
  }
  TSize Measure(TTBView& V, TTBCustomItem* Item) { return Canvas.Item(V, Item); }
  void Paint(TTBView& V, TTBCustomItem* Item, const TRect& R, bool Selected, bool Pushed)
  {
    TTestTheme::Calls().clear();
    V.FindViewerOfItem(Item)->Paint(&Canvas.Canvas, R, Selected, Pushed, false);
  }

  std::unique_ptr<TTestThemeScope> Themes;
  TTBImageList Images{nullptr};
  TTBRootItem Root{nullptr};
  TMeasureCanvas Canvas;
  std::vector<std::unique_ptr<TTBView>> Views;
};

TEST_F(ThemedViewers, ToolbarItemSizesFollowTheThemesMetrics)
{
  TTBView& bar = View(true);
  const TSize text = Canvas.Text("Abc");
  TTBWItem* plain = Add("Abc", 0);
  auto* split = Add<TTBWSubmenuItem>("Abc", 0);
  split->SetDropdownCombo(true);
  auto* arrow = Add<TTBWSubmenuItem>("Abc");
  arrow->SetOptions(tboDropdownArrow);
  auto* above = Add<TTBWSubmenuItem>("Abc", 0);
  above->SetOptions(tboDropdownArrow);
  above->SetLayout(tbwlGlyphTop);
  TTBWItem* wide = Add("Abc");
  wide->SetMinWidth(100);
  wide->SetMinHeight(30);

  // Caption, 4 of spacing, a 16-pixel image and one pixel more for a wide viewer.
  const int plainWidth = 6 + text.cx + 4 + 16 + 1;
  const int plainHeight = std::max<int>(6 + text.cy, 16 + 6);
  struct {
    TTBCustomItem* Item;
    TSize Expected;
  } cases[] = {
      {plain, {plainWidth, plainHeight}},
      {split, {plainWidth + 11, plainHeight}},
      {arrow, {6 + text.cx + 4 + 8, 6 + text.cy}},
      // The arrow beside the image, above the caption.
      {above, {std::max<int>({6 + text.cx + 4, 16 + 7, 8 + 16 + 9}), 6 + text.cy + 16}},
      {wide, {100, 30}},
  };
  for (auto& c : cases) {
    TSize size = Measure(bar, c.Item);
    EXPECT_EQ(size.cx, c.Expected.cx) << c.Item->Caption();
    EXPECT_EQ(size.cy, c.Expected.cy) << c.Item->Caption();
  }
}

TEST_F(ThemedViewers, VerticalToolbarCaptionsRunDownwards)
{
  TTBView& bar = View(true, tbaVertical);
  TTBWItem* item = Add("Abc");
  const int width = TextWidthOnDC(Canvas.Canvas.Handle(), "Abc", true);
  TSize size = Measure(bar, item);
  EXPECT_EQ(size.cy, 6 + width + 4);
  EXPECT_EQ(size.cx, 6 + Canvas.Metrics().tmHeight);
}

TEST_F(ThemedViewers, MenuItemSizesReserveTheImageColumnAndShortcut)
{
  Root.SetSubMenuImages(nullptr);
  TTBView& menu = View(false);
  TTBWItem* plain = Add("Ouvrir");
  TTBWItem* shortcut = Add("Ouvrir\tCtrl+O");
  const TSize text = Canvas.Text("Ouvrir");
  const TEXTMETRICA tm = Canvas.Metrics();
  // Without an image list the row still holds a 16-pixel image.
  const int height = std::max<int>(text.cy + tm.tmExternalLeading, 16) + 2 + 2;
  // The image column of a list-less item is as wide as a text row with margins.
  const int column = tm.tmHeight + tm.tmExternalLeading + 4;
  const int width = text.cx + 1 + column + 2 + 2 + height;
  EXPECT_EQ(PopupMarginOf(menu.FindViewerOfItem(plain)), column);
  TSize size = Measure(menu, plain);
  EXPECT_EQ(size.cx, width);
  EXPECT_EQ(size.cy, height);
  size = Measure(menu, shortcut);
  EXPECT_EQ(size.cx, width + Canvas.Text("Ctrl+O").cx + height - 6);
}

TEST_F(ThemedViewers, PopupMarginWithoutVerticalMarginsOrImagesIsTheRowHeight)
{
  TTestTheme::Settings()["Test"].MenuItemMargins = ItemMarginSet{0, 0, 0, 0};
  Root.SetSubMenuImages(nullptr);
  TTBView& menu = View(false);
  TTBWItem* item = Add("Ouvrir");
  const TEXTMETRICA tm = Canvas.Metrics();
  EXPECT_EQ(PopupMarginOf(menu.FindViewerOfItem(item)), tm.tmHeight + tm.tmExternalLeading);
}

TEST_F(ThemedViewers, SplitItemPushedThroughItsArrowPaintsTwoParts)
{
  TTBView& bar = View(true);
  auto* split = Add<TTBWSubmenuItem>("Abc", 0);
  split->SetDropdownCombo(true);
  split->SetChecked(true);
  Paint(bar, split, TRect(0, 0, 50, 22), true, true);
  auto& calls = TTestTheme::Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].Op, "ItemFrame");
  EXPECT_EQ(calls[0].R, TRect(0, 0, 39, 22));
  EXPECT_EQ(calls[0].Info.ComboPart, CP_SPLITLEFT);
  EXPECT_EQ(calls[0].Info.Pushed, 0);
  EXPECT_EQ(calls[0].Info.Checked, 1);
  EXPECT_EQ(calls[0].Info.IsPopupParent, 1);
  EXPECT_EQ(calls[1].Op, "ItemFrame");
  EXPECT_EQ(calls[1].R, TRect(39, 0, 50, 22));
  EXPECT_EQ(calls[1].Info.ComboPart, CP_SPLITRIGHT);
  EXPECT_EQ(calls[1].Info.Pushed, 1);
  EXPECT_EQ(calls[1].Info.Checked, 0);
  // What follows sees the button part again.
  for (size_t i = 2; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].Info.ComboPart, CP_SPLITLEFT) << calls[i].Op;
    EXPECT_EQ(calls[i].Info.Checked, 1) << calls[i].Op;
  }
}

TEST_F(ThemedViewers, DropdownArrowIsPaintedAtTheEdgeAndTheCaptionMakesRoom)
{
  TTBView& bar = View(true);
  auto* item = Add<TTBWSubmenuItem>("Abc");
  item->SetOptions(tboDropdownArrow);
  Paint(bar, item, TRect(0, 0, 40, 22), true, false);
  EXPECT_EQ(TTestTheme::Ops(), (std::vector<std::string>{"ItemFrame", "DropdownArrow", "Caption"}));
  auto& calls = TTestTheme::Calls();
  EXPECT_EQ(calls[0].Info.ComboPart, CP_COMBO);
  EXPECT_EQ(calls[0].Info.HoverKind, HK_HOVER);
  EXPECT_EQ(calls[1].R, TRect(40 - 8 - 3, 0, 40 - 3, 22));
  // The caption is centred in the rest, inside a 2-pixel border.
  EXPECT_EQ(calls[2].R, TRect(2, 2, 40 - 8 - 2, 20));
  EXPECT_EQ(calls[2].Extra & (DT_CENTER | DT_VCENTER), UINT(DT_CENTER | DT_VCENTER));
}

TEST_F(ThemedViewers, ImageIndexBeyondTheListPaintsNeitherImageNorCheck)
{
  TTBView& bar = View(true);
  TTBWItem* item = Add("Abc", 5);
  item->SetChecked(true);
  Paint(bar, item, TRect(0, 0, 50, 22), false, false);
  EXPECT_EQ(TTestTheme::Ops(), (std::vector<std::string>{"ItemFrame", "Caption"}));
}

TEST_F(ThemedViewers, MenuItemPaintsFrameCaptionShortcutThenCheck)
{
  Root.SetSubMenuImages(nullptr);
  TTBView& menu = View(false);
  TTBWItem* item = Add("Ouvrir\tCtrl+O");
  item->SetChecked(true);
  Paint(menu, item, TRect(0, 0, 120, 20), false, false);
  EXPECT_EQ(TTestTheme::Ops(), (std::vector<std::string>{"MenuItemFrame", "Caption", "Caption", "CheckGlyph"}));
  auto& calls = TTestTheme::Calls();
  const int column = PopupMarginOf(menu.FindViewerOfItem(item));
  EXPECT_EQ(calls[1].Text, "Ouvrir");
  EXPECT_EQ(calls[1].R.Left, 1 + column + 2);
  EXPECT_EQ(calls[2].Text, "Ctrl+O");
  // The shortcut ends one row height before the right edge (margins inside).
  EXPECT_EQ(calls[2].R.Right, 120 - (20 - 4));
  // The check sits in the image column: as wide as the item is high.
  EXPECT_EQ(calls[3].R, TRect(0, 2, 20, 18));
}

TEST_F(ThemedViewers, AdjustFontAndDrawImageEventsSeeTheStateFlags)
{
  TTBView& bar = View(true);
  TTBWItem* item = Add("Abc", 0);
  item->SetEnabled(false);
  struct TSpy {
    unsigned FontFlags = 0, ImageFlags = 0;
    TRect ImageRect;
    void AdjustFont(TTBCustomItem*, TTBItemViewer*, TFont* Font, int Flags)
    {
      FontFlags = unsigned(Flags);
      Font->SetStyle(Font->Style() + fsItalic);
    }
    void DrawImage(TTBCustomItem*, TTBItemViewer*, TCanvas*, TRect R, TPoint, int Flags)
    {
      ImageRect = R;
      ImageFlags = unsigned(Flags);
    }
  } spy;
  item->OnAdjustFont = TAdjustFontEvent(&spy, &TSpy::AdjustFont);
  item->OnDrawImage = TDrawImageEvent(&spy, &TSpy::DrawImage);
  Paint(bar, item, TRect(0, 0, 50, 22), false, false);
  EXPECT_EQ(spy.FontFlags, 1u);
  EXPECT_EQ(spy.ImageFlags, 1u);
  // Centred in the image column of a glyph-left item: 2 + (18 - 16) / 2.
  EXPECT_EQ(spy.ImageRect, TRect(3, 3, 19, 19));
}

TEST_F(ThemedViewers, SeparatorSizes)
{
  TTestTheme::Settings()["Test"].Metrics[TMI_TLBR_SEPARATORSIZE] = 6;
  TTBView& bar = View(true);
  TTBView& menu = View(false);
  auto* themed = Add<TTBWSeparatorItem>("");
  auto* fixed = Add<TTBWSeparatorItem>("");
  fixed->SetSize(5);
  auto* none = Add<TTBWSeparatorItem>("");
  none->SetSize(0);
  auto* negative = Add<TTBWSeparatorItem>("");
  negative->SetSize(-5);
  EXPECT_EQ(negative->Size(), -1);

  EXPECT_EQ(Measure(bar, themed).cx, 6);
  EXPECT_EQ(Measure(bar, fixed).cx, 5);
  EXPECT_EQ(Measure(bar, fixed).cy, 5);
  EXPECT_EQ(Measure(menu, fixed).cx, 0);
  EXPECT_EQ(Measure(menu, fixed).cy, 5);
  EXPECT_EQ(Measure(bar, none).cx, 0);
  // No theme size for menus: the framework's own (two thirds of a text line).
  EXPECT_EQ(Measure(menu, themed).cy, DivideAwayFromZero(Canvas.Metrics().tmHeight * 2, 3));

  Paint(bar, none, TRect(0, 0, 0, 0), false, false);
  EXPECT_TRUE(TTestTheme::Calls().empty());
  Paint(menu, themed, TRect(0, 0, 80, 8), false, false);
  ASSERT_EQ(TTestTheme::Calls().size(), 1u);
  EXPECT_EQ(TTestTheme::Calls()[0].Extra, 1) << "a popup's separator runs across";
  Paint(bar, themed, TRect(0, 0, 6, 22), false, false);
  EXPECT_EQ(TTestTheme::Calls()[0].Extra, 0) << "a toolbar's separator stands upright";
}

TEST(ThemedFontSettings, SizeIsAPercentageAndAssignFiresOnce)
{
  THeadlessDisplay::Use();
  TFontSettings settings;
  settings.SetSize(150);
  settings.SetBold(tsTrue);
  settings.SetItalic(tsFalse);
  TFont font;
  font.SetSize(9);
  font.SetStyle(TFontStyles{fsItalic});
  ApplyFontSettings(settings, &font);
  EXPECT_EQ(font.Size(), 14);
  EXPECT_TRUE(font.Style().Contains(fsBold));
  EXPECT_FALSE(font.Style().Contains(fsItalic));

  struct TCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  } counter;
  TFontSettings copy;
  copy.OnChange = TNotifyEvent(&counter, &TCounter::Changed);
  copy.Assign(&settings);
  EXPECT_EQ(counter.Count, 1);
  copy.Assign(&settings);
  EXPECT_EQ(counter.Count, 1) << "nothing differed";
  EXPECT_EQ(copy.Size(), 150);
}

}  // namespace
