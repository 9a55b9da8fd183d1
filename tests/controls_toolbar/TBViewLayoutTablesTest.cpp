// Layout tables: vertical toolbars, separators turned into line breaks when a
// toolbar wraps, align-end items, and the scroll steps of a tall popup.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

// The built-in font is 6 pixels a character and 13 high: a toolbar button
// captioned "abcd" is 6 + 24 + 6 = 36 long and 6 + 13 = 19 thick.
constexpr int Long = 36, Thick = 19;

class TAlignEndItem : public TTBItem {
public:
  TAlignEndItem() : TTBItem(nullptr) { SetItemStyle(ItemStyle() | tbsfAlignEnd); }
};

// A menu row of a fixed height, so that scroll steps come out as round figures.
class TRowViewer : public TTBItemViewer {
public:
  using TTBItemViewer::TTBItemViewer;
  void CalcSize(TCanvas*, int& AWidth, int& AHeight) override
  {
    AWidth = 80;
    AHeight = 20;
  }
};
class TRowItem : public TTBItem {
public:
  TRowItem() : TTBItem(nullptr) {}
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override
  {
    return new TRowViewer(AView, this, InlineDepth);
  }
};

struct ViewLayoutTables : ::testing::Test {
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
  }
  void TearDown() override { SetBuiltinFontOnly(false); }

  // Builds the root's children from a pattern: 'b' a button "abcd", '|' a
  // separator, 'e' an align-end button "abcd".
  void Build(const std::string& Pattern)
  {
    for (char c : Pattern) {
      TTBCustomItem* item = c == '|' ? static_cast<TTBCustomItem*>(new TTBSeparatorItem(nullptr))
                            : c == 'e' ? static_cast<TTBCustomItem*>(new TAlignEndItem)
                                       : new TTBItem(nullptr);
      if (c != '|')
        item->SetCaption("abcd");
      Root.Add(item);
    }
  }
  std::vector<TRect> Layout(TTBViewAxis Axis, int WrapLimit, int& Lines, TPoint& Total)
  {
    View = std::make_unique<TTBView>(nullptr, nullptr, &Root, nullptr, true, false, false);
    View->SetAxis(Axis);
    View->SetWrapLimit(WrapLimit);
    View->RecalcLayout(Total);
    Lines = View->LineCount();
    std::vector<TRect> rects;
    for (int i = 0; i < View->ViewerCount(); ++i)
      rects.push_back(View->Viewers(i)->Shown() ? View->Viewers(i)->BoundsRect : TRect());
    return rects;
  }

  TTBRootItem Root{nullptr};
  std::unique_ptr<TTBView> View;
};

struct TLayoutCase {
  const char* Name;
  const char* Pattern;
  TTBViewAxis Axis;
  int WrapLimit;
  std::vector<TRect> Rects;  // one per item, empty for a hidden one
  TPoint Total;
  int Lines;
  std::vector<int> LineBreaks;  // indexes of separators that became line breaks
};

TEST_F(ViewLayoutTables, ToolbarRectangles)
{
  const std::vector<TLayoutCase> cases = {
      // Captions turn on a vertical toolbar: buttons are Thick wide, Long high.
      {"vertical column", "bbb", tbaVertical, 0,
       {TRect(0, 0, Thick, Long), TRect(0, Long, Thick, 2 * Long), TRect(0, 2 * Long, Thick, 3 * Long)},
       TPoint(Thick, 3 * Long), 1, {}},
      // The third button wraps into a second column; the columns are mirrored
      // so that the first one ends up on the right.
      {"vertical wrap mirrored", "bbb", tbaVertical, 100,
       {TRect(Thick, 0, 2 * Thick, Long), TRect(Thick, Long, 2 * Thick, 2 * Long), TRect(0, 0, Thick, Long)},
       TPoint(2 * Thick, 100), 2, {}},
      // The group after the separator would pass the limit: the separator
      // becomes a 6-pixel strip across the toolbar between the lines.
      {"separator breaks the line", "bb|bb", tbaHorizontal, 100,
       {TRect(0, 0, Long, Thick), TRect(Long, 0, 2 * Long, Thick), TRect(0, Thick, 100, Thick + 6),
        TRect(0, Thick + 6, Long, 2 * Thick + 6), TRect(Long, Thick + 6, 2 * Long, 2 * Thick + 6)},
       TPoint(100, 2 * Thick + 6), 2, {2}},
      // A button wrapped since the last break: the next separator breaks too,
      // even though the group after it would fit.
      {"separator after a wrap", "bbb|b", tbaHorizontal, 100,
       {TRect(0, 0, Long, Thick), TRect(Long, 0, 2 * Long, Thick), TRect(0, Thick, Long, 2 * Thick),
        TRect(0, 2 * Thick, 100, 2 * Thick + 6), TRect(0, 2 * Thick + 6, Long, 3 * Thick + 6)},
       TPoint(100, 3 * Thick + 6), 3, {3}},
      // On a vertical toolbar the strip is 6 wide and runs the toolbar's height.
      {"vertical separator break", "bb|b", tbaVertical, 80,
       {TRect(Thick + 6, 0, 2 * Thick + 6, Long), TRect(Thick + 6, Long, 2 * Thick + 6, 2 * Long),
        TRect(Thick, 0, Thick + 6, 80), TRect(0, 0, Thick, Long)},
       TPoint(2 * Thick + 6, 80), 2, {2}},
      // Align-end items, and all after them on their line, end at the limit;
      // what comes before them on the line stays.
      {"align end on a wrapped line", "bbbeb", tbaHorizontal, 100,
       {TRect(0, 0, Long, Thick), TRect(Long, 0, 2 * Long, Thick), TRect(0, Thick, Long, 2 * Thick),
        TRect(100 - Long, Thick, 100, 2 * Thick), TRect(0, 2 * Thick, Long, 3 * Thick)},
       TPoint(100, 3 * Thick), 3, {}},
      {"align end group", "bbebb", tbaHorizontal, 100,
       {TRect(0, 0, Long, Thick), TRect(Long, 0, 2 * Long, Thick), TRect(100 - 2 * Long, Thick, 100 - Long, 2 * Thick),
        TRect(100 - Long, Thick, 100, 2 * Thick), TRect(0, 2 * Thick, Long, 3 * Thick)},
       TPoint(100, 3 * Thick), 3, {}},
      // Without room to spare there is nothing to shift.
      {"align end without room", "be", tbaHorizontal, 0,
       {TRect(0, 0, Long, Thick), TRect(Long, 0, 2 * Long, Thick)}, TPoint(2 * Long, Thick), 1, {}},
  };
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    while (Root.Count() > 0)
      delete Root.Items(0);
    View.reset();
    Build(c.Pattern);
    int lines = 0;
    TPoint total;
    std::vector<TRect> rects = Layout(c.Axis, c.WrapLimit, lines, total);
    EXPECT_EQ(rects, c.Rects);
    EXPECT_EQ(total, c.Total);
    EXPECT_EQ(lines, c.Lines);
    std::vector<int> breaks;
    for (int i = 0; i < View->ViewerCount(); ++i)
      if (View->Viewers(i)->IsLineBreak())
        breaks.push_back(i);
    EXPECT_EQ(breaks, c.LineBreaks);
  }
}

TEST_F(ViewLayoutTables, PopupScrollStepsAndTheClippedSelection)
{
  std::vector<TTBCustomItem*> rows;
  for (int i = 0; i < 20; ++i) {  // 400 high in all
    rows.push_back(new TRowItem);
    Root.Add(rows.back());
  }
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  view.SetHeightLimit(300);
  view.EnsureLayout();
  ASSERT_EQ(view.ScrollPosition(), 0);
  // The first clipped row ends at 300: one step shows it above the 19-pixel arrow band.
  view.ScrollByViewer(true);
  EXPECT_EQ(view.ScrollPosition(), 300 + 19 - 300);
  EXPECT_TRUE(view.UpArrowShown());
  EXPECT_TRUE(view.DownArrowShown());
  TTBItemViewer* first = view.FindViewerOfItem(rows[0]);
  EXPECT_EQ(first->BoundsRect, TRect(0, -19, 80, 1));
  EXPECT_TRUE(first->Clipped());
  EXPECT_FALSE(first->Shown());

  // The second row (top 1) is clipped by the up arrow: selecting it scrolls
  // back by 19 - 1 = 18, which is all the way up.
  TTBItemViewer* second = view.FindViewerOfItem(rows[1]);
  ASSERT_TRUE(second->Clipped());
  ASSERT_EQ(second->BoundsRect.Top, 1);
  view.SetSelectedViewer(second, false);
  view.ScrollSelectionIntoView();
  EXPECT_EQ(view.ScrollPosition(), 1);
  EXPECT_EQ(second->BoundsRect.Top, 19);
  EXPECT_FALSE(second->Clipped());

  // Scrolling up takes the largest clipped top above the band: the first row.
  view.ScrollByViewer(false);
  EXPECT_EQ(view.ScrollPosition(), 0);
  EXPECT_FALSE(view.UpArrowShown());
  EXPECT_TRUE(first->Shown());

  // Down at the last row scrolls it into view at the bottom, above the arrow band.
  view.SetSelectedViewer(view.FindViewerOfItem(rows.back()), false);
  view.ScrollSelectionIntoView();
  EXPECT_EQ(view.ScrollPosition(), 100);
  EXPECT_FALSE(view.DownArrowShown());
  EXPECT_EQ(view.Selected()->BoundsRect, TRect(0, 280, 80, 300));
  EXPECT_TRUE(view.Selected()->Shown());
}

}  // namespace
