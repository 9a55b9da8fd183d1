// The header's rules without a window: clamping, removal, the split zone,
// the drop position, spring through the header, and its stream.
#include <gtest/gtest.h>

#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/MemoryStream.h"

namespace {

void AddColumns(TLTHeader& Header, int Count)
{
  for (int i = 0; i < Count; ++i)
    Header.Columns().Add();
}

}  // namespace

TEST(HeaderModelTest, MainAndSortColumnsStayWithinTheColumns)
{
  TLTHeader header;
  EXPECT_EQ(header.MainColumn(), NoColumn);
  AddColumns(header, 3);
  header.SetSortColumn(7);
  EXPECT_EQ(header.SortColumn(), 2);
  header.SetSortColumn(-5);
  EXPECT_EQ(header.SortColumn(), NoColumn);
  header.SetMainColumn(9);
  EXPECT_EQ(header.MainColumn(), 2);
  header.SetSortColumn(2);
  header.Columns().Delete(2);  // the main column leaves: the first remaining one takes over
  EXPECT_EQ(header.MainColumn(), 0);
  EXPECT_EQ(header.SortColumn(), NoColumn);
}

TEST(HeaderModelTest, SplitZoneLiesAroundEachRightEdge)
{
  TLTHeader header;
  AddColumns(header, 2);
  struct Case { int X; TColumnIndex Column; };
  for (Case c : {Case{48, 0}, Case{54, 0}, Case{47, NoColumn}, Case{55, NoColumn}, Case{98, 1}}) {
    EXPECT_EQ(header.SplitZoneColumn(c.X, 100), c.Column) << "x = " << c.X;
    EXPECT_EQ(header.Columns().TrackIndex, c.Column) << "x = " << c.X;
  }
  // A fixed column in the zone ends the walk.
  header.Columns().Item(1)->SetOptions(header.Columns().Item(1)->Options() - coResizable);
  EXPECT_EQ(header.SplitZoneColumn(98, 100), NoColumn);
}

TEST(HeaderModelTest, DropPositionDependsOnTheSideAndTheDirection)
{
  TLTHeader header;
  AddColumns(header, 4);
  struct Case { TColumnIndex Dragged, Target; bool Before; unsigned Position; };
  for (Case c : {Case{0, 2, false, 2}, Case{0, 2, true, 1}, Case{3, 1, true, 1}, Case{3, 1, false, 2},
                 Case{1, 0, true, 0}})
    EXPECT_EQ(header.DropPosition(c.Dragged, c.Target, c.Before), c.Position)
        << c.Dragged << " on " << c.Target << (c.Before ? " before" : " after");
}

TEST(HeaderModelTest, SpringFollowsTheHeaderWidthBothWays)
{
  TLTHeader header;
  AddColumns(header, 2);
  for (int i = 0; i < 2; ++i)
    header.Columns().Item(i)->SetOptions(header.Columns().Item(i)->Options() + coAutoSpring);
  header.SetOptions(header.Options() + hoAutoSpring);
  header.AdjustSpring(400);  // the first width only sets the reference
  EXPECT_EQ(header.Columns().Item(0)->Width(), 50);
  header.AdjustSpring(405);
  header.AdjustSpring(406);
  EXPECT_EQ(header.Columns().Item(0)->Width(), 53);
  header.AdjustSpring(399);
  header.AdjustSpring(400);
  EXPECT_EQ(header.Columns().Item(0)->Width(), 50);
  EXPECT_EQ(header.Columns().Item(1)->Width(), 50);
}

TEST(HeaderModelTest, StreamRoundTripsAndRefusesALongFontName)
{
  TLTHeader source;
  AddColumns(source, 3);
  source.Columns().Item(1)->SetText(u"Statut");
  source.SetOptions(source.Options() + hoVisible + hoShowSortGlyphs);
  source.SetStyle(hsXPStyle);
  source.SetHeight(21);
  source.SetSortColumn(1);
  source.SetSortDirection(sdDescending);
  source.SetMainColumn(2);
  source.Font().SetName("Sans");
  TMemoryStream stream;
  source.SaveToStream(&stream);

  stream.SetPosition(0);
  TLTHeader loaded;
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_TRUE(loaded.Columns().Equals(source.Columns()));
  EXPECT_EQ(loaded.Options(), source.Options());
  EXPECT_EQ(loaded.Style(), hsXPStyle);
  EXPECT_EQ(loaded.Height(), 21);
  EXPECT_EQ(loaded.SortColumn(), 1);
  EXPECT_EQ(loaded.SortDirection(), sdDescending);
  EXPECT_EQ(loaded.MainColumn(), 2);
  EXPECT_EQ(loaded.Font().Name(), "Sans");

  // The font name length sits after the columns and seven values.
  TMemoryStream columnsOnly;
  source.Columns().SaveToStream(&columnsOnly);
  stream.SetPosition(8 + columnsOnly.Size() + 7 * 4);
  stream.WriteValue<std::int32_t>(0x7FFFFFFF);
  stream.SetPosition(0);
  TLTHeader refused;
  TLTHeaderOptions before = refused.Options();
  EXPECT_THROW(refused.LoadFromStream(&stream), ELazyTreeError);
  EXPECT_EQ(refused.Options(), before);
}
