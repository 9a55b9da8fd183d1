#include <gtest/gtest.h>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

// A toolbar view with a chevron item, as toolbars have.
class TChevronView : public TTBView {
public:
  TChevronView(TTBCustomItem* Source, TTBCustomItem* Chevron)
      : TTBView(nullptr, nullptr, Source, nullptr, true, false, true), FChevron(Chevron)
  {
    // The base constructor built the viewers before the chevron was known.
    SetPriorityOrdering(false);
    SetPriorityOrdering(true);
  }
  TTBCustomItem* ChevronItemForView() override { return FChevron; }

private:
  TTBCustomItem* FChevron;
};

struct ViewLayout : ::testing::Test {
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
  }
  void TearDown() override { SetBuiltinFontOnly(false); }
  TTBRootItem Root{nullptr};
  TTBCustomItem* Add(TTBCustomItem* item, const std::string& caption = "")
  {
    item->SetCaption(caption);
    Root.Add(item);
    return item;
  }
};

}  // namespace

TEST_F(ViewLayout, SeparatorsAtTheEdgesAndInPairsAreHidden)
{
  Add(new TTBSeparatorItem(nullptr));
  Add(new TTBItem(nullptr), "A");
  Add(new TTBSeparatorItem(nullptr));
  Add(new TTBSeparatorItem(nullptr));
  Add(new TTBItem(nullptr), "B");
  Add(new TTBSeparatorItem(nullptr));
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  view.EnsureLayout();
  std::vector<bool> shown;
  for (int i = 0; i < view.ViewerCount(); ++i)
    shown.push_back(view.Viewers(i)->Shown());
  EXPECT_EQ(shown, (std::vector<bool>{false, true, true, false, true, false}));
}

TEST_F(ViewLayout, AnEmptyViewReports23By22)
{
  TTBView view(nullptr, nullptr, &Root, nullptr, true, false, false);
  TPoint natural, total;
  int lines = 0;
  view.ComputeLayout(false, tbaHorizontal, 0, 0, 0, natural, total, lines);
  EXPECT_EQ(natural, TPoint(23, 22));
  EXPECT_EQ(total, TPoint(23, 22));
}

TEST_F(ViewLayout, MenuItemSizes)
{
  // Built-in font: 6 pixels a character, 13 high, no external leading.
  TTBCustomItem* item = Add(new TTBItem(nullptr), "&Open\tCtrl+O");
  TTBCustomItem* separator = Add(new TTBSeparatorItem(nullptr));
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  view.EnsureLayout();
  TRect r = view.FindViewerOfItem(item)->BoundsRect;
  int width = 17 + 6 + 4 * 6 + (6 * 6 + 11) + 17;
  EXPECT_EQ(r.Height(), 17);
  EXPECT_EQ(r.Width(), width);
  (void)separator;
}

TEST_F(ViewLayout, ToolbarButtonSizes)
{
  TTBCustomItem* button = Add(new TTBItem(nullptr), "&Save");
  TTBCustomItem* separator = Add(new TTBSeparatorItem(nullptr));
  Add(new TTBItem(nullptr), "Next");
  TTBView view(nullptr, nullptr, &Root, nullptr, true, false, false);
  view.EnsureLayout();
  EXPECT_EQ(view.FindViewerOfItem(button)->BoundsRect, TRect(0, 0, 6 + 24 + 6, 19));
  EXPECT_EQ(view.FindViewerOfItem(separator)->BoundsRect, TRect(36, 0, 42, 19));
}

TEST_F(ViewLayout, ChevronHidesTheLowestPriorityButton)
{
  TTBItem chevron(nullptr);
  TTBCustomItem* buttons[3];
  for (auto& b : buttons)
    b = Add(new TTBItem(nullptr), "abcd");  // 36 wide each
  TChevronView view(&Root, &chevron);
  view.SetChevronExtent(14);
  view.SetChevronPos(100);
  view.EnsureLayout();
  EXPECT_TRUE(view.FindViewerOfItem(buttons[0])->Shown());
  EXPECT_TRUE(view.FindViewerOfItem(buttons[1])->Shown());
  EXPECT_TRUE(view.FindViewerOfItem(buttons[2])->HiddenByChevron());
  EXPECT_TRUE(chevron.Enabled());
  TTBItemViewer* chevronViewer = view.FindViewerOfItem(&chevron);
  EXPECT_TRUE(chevronViewer->Shown());
  EXPECT_EQ(chevronViewer->BoundsRect.Left, 86);
  EXPECT_EQ(chevronViewer->BoundsRect.Width(), 14);

  // With a tiny room, one of two buttons is still never hidden.
  view.SetChevronPos(20);
  view.EnsureLayout();
  int shown = 0;
  for (auto* b : buttons)
    shown += view.FindViewerOfItem(b)->Shown();
  EXPECT_EQ(shown, 1);
}

TEST_F(ViewLayout, WrappingStartsNewLines)
{
  TTBCustomItem* buttons[3];
  for (auto& b : buttons)
    b = Add(new TTBItem(nullptr), "abcdef");  // 48 wide
  TTBView view(nullptr, nullptr, &Root, nullptr, true, false, false);
  TPoint natural, total;
  int lines = 0;
  view.ComputeLayout(true, tbaHorizontal, 100, 0, 0, natural, total, lines);
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(view.FindViewerOfItem(buttons[2])->BoundsRect, TRect(0, 19, 48, 38));
  EXPECT_EQ(total, TPoint(100, 38));
}

TEST_F(ViewLayout, TallPopupsScroll)
{
  std::vector<TTBCustomItem*> items;
  for (int i = 0; i < 24; ++i)  // 17 high each: 408 in all
    items.push_back(Add(new TTBItem(nullptr), "Item"));
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  view.SetHeightLimit(300);
  TPoint natural, total;
  int lines = 0;
  view.ComputeLayout(true, tbaHorizontal, 0, 0, 0, natural, total, lines);
  EXPECT_EQ(total.y, 300);
  EXPECT_FALSE(view.UpArrowShown());
  EXPECT_TRUE(view.DownArrowShown());
  for (TTBCustomItem* item : items) {
    TTBItemViewer* v = view.FindViewerOfItem(item);
    EXPECT_EQ(v->Clipped(), v->BoundsRect.Bottom > 281) << v->BoundsRect.Top;
  }
}

TEST_F(ViewLayout, InsertingIntoAnInlineGroupPlacesTheViewerInsideTheGroup)
{
  auto* group = new TTBGroupItem(nullptr);
  Root.Add(group);
  TTBCustomItem* first = new TTBItem(nullptr);
  group->Add(first);
  TTBCustomItem* after = Add(new TTBItem(nullptr), "after");
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  TTBCustomItem* second = new TTBItem(nullptr);
  group->Add(second);
  ASSERT_EQ(view.ViewerCount(), 4);
  EXPECT_EQ(view.Viewers(2)->Item(), second);
  EXPECT_EQ(view.Viewers(2)->InlineDepth(), 1);
  EXPECT_EQ(view.Viewers(3)->Item(), after);
  Root.Remove(group);
  EXPECT_EQ(view.ViewerCount(), 1);
  delete group;
}

TEST_F(ViewLayout, KeyboardNavigationAndOutcomes)
{
  TTBCustomItem* a = Add(new TTBItem(nullptr), "&Alpha");
  TTBCustomItem* b = Add(new TTBItem(nullptr), "&Beta");
  TTBCustomItem* c = Add(new TTBItem(nullptr), "Bravo");
  c->SetEnabled(false);
  TTBView view(nullptr, nullptr, &Root, nullptr, false, false, false);
  view.SetSelectedViewer(view.FindViewerOfItem(c), false);
  WORD key = VK_DOWN;
  view.HandleMenuKey(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(view.Selected()->Item(), a);  // wraps to the first
  key = VK_END;
  view.HandleMenuKey(key, {});
  EXPECT_EQ(view.Selected()->Item(), c);  // disabled items are selected
  key = VK_RETURN;
  view.HandleMenuKey(key, {});
  EXPECT_EQ(view.PendingOutcome().Kind, tbmoCancel);

  bool only = false;
  EXPECT_EQ(view.FindByAccelerator(nullptr, U'b', false, only)->Item(), b);
  EXPECT_TRUE(only);
  EXPECT_EQ(view.FindByAccelerator(nullptr, U' ', false, only), nullptr);
  view.SetSelectedViewer(view.FindViewerOfItem(b), false);
  view.ActivateSelected(true);
  EXPECT_EQ(view.PendingOutcome().Kind, tbmoClick);
  EXPECT_EQ(view.PendingOutcome().Value, b);
}
