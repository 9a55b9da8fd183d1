// Columns: widths within their limits, the position array through index
// moves, removal and position changes, and hit tests by x.
#include <gtest/gtest.h>

#include "controls/vtree/LazyTreeColumns.h"

namespace {

// Three columns 50/60/70 wide, the middle one hidden.
struct ThreeColumns {
  TLazyTreeColumns Columns;
  ThreeColumns()
  {
    for (int w : {50, 60, 70})
      Columns.Add()->SetWidth(w);
    Columns.Item(1)->SetOptions(Columns.Item(1)->Options() - coVisible);
  }
};

}  // namespace

TEST(ColumnsTest, HiddenColumnsTakeNoRoomAndHitTestsSkipThem)
{
  ThreeColumns t;
  EXPECT_EQ(t.Columns.Item(0)->Left(), 0);
  EXPECT_EQ(t.Columns.Item(1)->Left(), 50);
  EXPECT_EQ(t.Columns.Item(2)->Left(), 50);
  EXPECT_EQ(t.Columns.TotalWidth(), 120);
  EXPECT_EQ(t.Columns.Item(1)->Position(), 1u) << "hiding keeps the position";
  struct Case { int X; TColumnIndex Column; };
  for (Case c : {Case{0, 0}, Case{49, 0}, Case{55, 2}, Case{119, 2}, Case{120, InvalidColumn}, Case{-1, InvalidColumn}})
    EXPECT_EQ(t.Columns.ColumnAtX(c.X), c.Column) << "x = " << c.X;
  int left = 0, right = 0;
  t.Columns.ColumnAtX(55, &left, &right);
  EXPECT_EQ(left, 50);
  EXPECT_EQ(right, 120);
  EXPECT_EQ(t.Columns.VisibleColumns(), (std::vector<TColumnIndex>{0, 2}));
}

TEST(ColumnsTest, ANewColumnIsShownLast)
{
  ThreeColumns t;
  TLazyTreeColumn* added = t.Columns.Add();
  EXPECT_EQ(added->Position(), 3u);
  EXPECT_EQ(added->Left(), 120);
  EXPECT_EQ(t.Columns.ColumnFromPosition(3), 3);
  EXPECT_EQ(t.Columns.ColumnFromPosition(4), NoColumn);
}

TEST(ColumnsTest, MovingAnIndexKeepsEveryPositionOnTheSameColumn)
{
  TLazyTreeColumns columns;
  for (const char16_t* name : {u"a", u"b", u"c"})
    columns.Add()->SetText(name);
  columns.MoveIndex(0, 2);
  EXPECT_EQ(columns.PositionArray(), (std::vector<TColumnIndex>{2, 0, 1}));
  for (unsigned p = 0; p < 3; ++p)
    EXPECT_EQ(columns.Item(columns.ColumnFromPosition(p))->Text(), std::u16string(1, char16_t(u'a' + p)));
  EXPECT_EQ(columns.Item(2)->Left(), 0);
}

TEST(ColumnsTest, PositionChangesAndRemovalKeepThePositionArrayAPermutation)
{
  TLazyTreeColumns columns;
  for (int i = 0; i < 4; ++i)
    columns.Add();
  columns.Item(0)->SetPosition(2);
  EXPECT_EQ(columns.PositionArray(), (std::vector<TColumnIndex>{1, 2, 0, 3}));
  columns.Item(3)->SetPosition(99);  // past the end: the last place
  EXPECT_EQ(columns.Item(3)->Position(), 3u);
  columns.Delete(1);
  EXPECT_EQ(columns.PositionArray(), (std::vector<TColumnIndex>{1, 0, 2}));
  EXPECT_EQ(columns.Item(1)->Left(), 0);
  EXPECT_EQ(columns.Item(0)->Left(), 50);
}

TEST(ColumnsTest, WidthsStayWithinTheirLimits)
{
  TLazyTreeColumns columns;
  TLazyTreeColumn* c = columns.Add();
  c->SetWidth(5);
  EXPECT_EQ(c->Width(), 10);
  EXPECT_EQ(c->LastWidth(), 50);
  c->SetMaxWidth(20000);
  c->SetWidth(15000);
  EXPECT_EQ(c->MaxWidth(), 20000);
  EXPECT_EQ(c->Width(), 15000);
  c->SetMinWidth(30000);  // never above the maximum
  EXPECT_EQ(c->MinWidth(), 20000);
  EXPECT_EQ(c->Width(), 20000);
  c->SetMinWidth(-4);
  EXPECT_EQ(c->MinWidth(), 0);
}
