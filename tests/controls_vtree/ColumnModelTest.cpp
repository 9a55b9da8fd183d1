// Columns beyond positions: tracked indexes through removal, the auto-size
// and spring rules, and the column and collection streams with hostile input.
#include <gtest/gtest.h>

#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/MemoryStream.h"

namespace {

struct FakeHost : ILazyColumnsHost {
  int ClientWidth = 300;
  bool AutoResize = false;
  TColumnIndex AutoSizeIndex = NoColumn;
  std::vector<TColumnIndex> Resized, Removed;
  int ColumnsClientWidth() const override { return ClientWidth; }
  bool ColumnsAutoResize() const override { return AutoResize; }
  TColumnIndex ColumnsAutoSizeIndex() const override { return AutoSizeIndex; }
  void ColumnResized(TColumnIndex Column) override { Resized.push_back(Column); }
  void ColumnRemoved(TColumnIndex Column) override { Removed.push_back(Column); }
};

std::vector<int> Widths(const TLazyTreeColumns& Columns)
{
  std::vector<int> out;
  for (int i = 0; i < Columns.Count(); ++i)
    out.push_back(Columns.Item(i)->Width());
  return out;
}

void PutInt(TMemoryStream& S, std::int32_t V) { S.WriteValue<std::int32_t>(V); }

}  // namespace

TEST(ColumnModelTest, RemovalKeepsTrackedIndexesOnTheirColumns)
{
  FakeHost host;
  TLazyTreeColumns columns(&host);
  for (int i = 0; i < 4; ++i)
    columns.Add();
  columns.HoverIndex = 1;
  columns.DownIndex = 3;
  columns.ClickIndex = 0;
  columns.Delete(1);
  EXPECT_EQ(columns.HoverIndex, NoColumn);
  EXPECT_EQ(columns.DownIndex, 2);
  EXPECT_EQ(columns.ClickIndex, 0);
  EXPECT_EQ(host.Removed, (std::vector<TColumnIndex>{1}));
}

TEST(ColumnModelTest, NeighboursByPositionSkipHiddenColumnsAndStopAtTheEnds)
{
  TLazyTreeColumns columns;
  for (int i = 0; i < 4; ++i)
    columns.Add();
  columns.Item(0)->SetPosition(3);  // positions: 1 2 3 0
  columns.Item(2)->SetOptions(columns.Item(2)->Options() - coVisible);
  EXPECT_EQ(columns.FirstVisibleColumn(), 1);
  EXPECT_EQ(columns.LastVisibleColumn(), 0);
  EXPECT_EQ(columns.NextColumn(1), 2);
  EXPECT_EQ(columns.NextVisibleColumn(1), 3);
  EXPECT_EQ(columns.PreviousVisibleColumn(3), 1);
  EXPECT_EQ(columns.NextColumn(0), InvalidColumn);
  EXPECT_EQ(columns.PreviousColumn(1), InvalidColumn);
  EXPECT_EQ(columns.NextColumn(-1), InvalidColumn);
}

TEST(ColumnModelTest, AutoSizeGivesTheRestOfTheClientToItsColumn)
{
  FakeHost host;
  TLazyTreeColumns columns(&host);
  for (int i = 0; i < 3; ++i)
    columns.Add();
  host.AutoResize = true;
  host.AutoSizeIndex = 1;
  columns.AutoSize(NoColumn);
  EXPECT_EQ(Widths(columns), (std::vector<int>{50, 200, 50}));
  columns.Item(0)->SetWidth(80);  // left of the target: the target gives way
  EXPECT_EQ(Widths(columns), (std::vector<int>{80, 170, 50}));
  columns.Item(1)->SetWidth(20);  // the target's own width belongs to the rule
  EXPECT_EQ(columns.Item(1)->Width(), 170);
  // A column at or right of the target hands the rest to the next visible one.
  columns.Item(2)->SetWidth(100);
  EXPECT_EQ(columns.Item(2)->Width(), 100);
  host.ClientWidth = 100;  // never below the target's minimum
  columns.AutoSize(NoColumn);
  EXPECT_EQ(columns.Item(1)->Width(), 10);
}

TEST(ColumnModelTest, SpringSharesPixelsAndGivesThemBackWhenTheHeaderShrinks)
{
  TLazyTreeColumns columns;
  for (int i = 0; i < 3; ++i)
    columns.Add();
  for (int i : {0, 2})
    columns.Item(i)->SetOptions(columns.Item(i)->Options() + coAutoSpring);
  columns.ApplySpring(5);
  EXPECT_EQ(Widths(columns), (std::vector<int>{52, 50, 52}));
  EXPECT_FLOAT_EQ(columns.Item(0)->SpringRest(), 0.5f);
  columns.ApplySpring(1);
  EXPECT_EQ(Widths(columns), (std::vector<int>{53, 50, 53}));
  EXPECT_FLOAT_EQ(columns.Item(2)->SpringRest(), 0.f);
  // Growing and shrinking by the same amount must not drift.
  for (int round = 0; round < 10; ++round) {
    columns.ApplySpring(1);
    columns.ApplySpring(-1);
  }
  EXPECT_EQ(Widths(columns), (std::vector<int>{53, 50, 53}));
  columns.ApplySpring(-6);
  EXPECT_EQ(Widths(columns), (std::vector<int>{50, 50, 50}));
}

TEST(ColumnModelTest, StreamRoundTripKeepsEveryValueAndTheWidthBeyondOldLimits)
{
  TLazyTreeColumns source;
  for (int i = 0; i < 3; ++i)
    source.Add();
  TLazyTreeColumn* wide = source.Item(0);
  wide->SetMaxWidth(20000);
  wide->SetWidth(15000);
  TLazyTreeColumn* narrow = source.Item(1);
  narrow->SetMinWidth(0);
  narrow->SetWidth(5);
  narrow->SetText(u"Pr\u00e9nom \u4e2d");
  narrow->SetHint(u"hint");
  narrow->SetAlignment(taCenter);
  narrow->SetLayout(blGlyphTop);
  narrow->SetColor(0x123456);
  narrow->SetTag(-7);
  narrow->SetOptions(narrow->Options() + coAutoSpring - coDraggable);
  source.Item(2)->SetPosition(0);

  TMemoryStream stream;
  source.SaveToStream(&stream);
  stream.SetPosition(0);
  TLazyTreeColumns loaded;
  loaded.Add()->SetText(u"old");
  loaded.LoadFromStream(&stream, 3);
  EXPECT_EQ(loaded.Item(0)->Width(), 15000);
  EXPECT_EQ(loaded.Item(1)->Width(), 5);
  EXPECT_TRUE(loaded.Equals(source));
  EXPECT_EQ(loaded.PositionArray(), (std::vector<TColumnIndex>{2, 0, 1}));
  EXPECT_EQ(loaded.Item(0)->Left(), 50);
  EXPECT_EQ(loaded.Item(1)->Left(), 15050);
}

TEST(ColumnModelTest, OlderRecordsConvertTheirOptions)
{
  struct Case { int Version; std::uint32_t Stored, Loaded; };
  for (Case c : {Case{1, 0x7F, 0xEF}, Case{0, 0x7F, 0xEF}, Case{2, 0x1FF, 0xFF}, Case{3, 0x1FF, 0x1FF}}) {
    // One column as the older writers wrote it: fewer trailing fields.
    TMemoryStream stream;
    PutInt(stream, 1);
    for (std::int32_t value : {0, 0, 50, 10, 10000, 0, -1, 0, 4, 4, 0})
      PutInt(stream, value);
    PutInt(stream, std::int32_t(c.Stored));
    if (c.Version >= 1) {
      PutInt(stream, 0);  // tag
      PutInt(stream, 0);  // alignment
    }
    if (c.Version >= 2)
      PutInt(stream, 0x00FFFFFF);
    PutInt(stream, 0);  // position array
    stream.SetPosition(0);
    TLazyTreeColumns columns;
    columns.LoadFromStream(&stream, c.Version);
    EXPECT_EQ(columns.Item(0)->Options().ToInteger(), c.Loaded) << "version " << c.Version;
  }
}

TEST(ColumnModelTest, CorruptCollectionStreamsAreRefused)
{
  TLazyTreeColumns good;
  good.Add();
  good.Add();
  TMemoryStream saved;
  good.SaveToStream(&saved);
  const std::int64_t size = saved.Size();
  const std::int64_t positionsAt = size - 8;
  struct Case { const char* What; std::int64_t At; std::int32_t Value; };
  for (Case c : {Case{"text length beyond the data", 4, 0x7FFFFFF0}, Case{"negative text length", 4, -3},
                 Case{"count beyond the data", 0, 1 << 28}, Case{"position out of range", positionsAt, 2},
                 Case{"duplicate position", positionsAt + 4, 0}, Case{"layout ordinal", 4 + 8 + 4 * 5, 9}}) {
    TMemoryStream stream;
    saved.SetPosition(0);
    stream.CopyFrom(&saved, size);
    stream.SetPosition(c.At);
    PutInt(stream, c.Value);
    stream.SetPosition(0);
    TLazyTreeColumns columns;
    EXPECT_THROW(columns.LoadFromStream(&stream, 3), ELazyTreeError) << c.What;
    EXPECT_FALSE(columns.Updating()) << c.What;
    for (TColumnIndex p = 0; p < columns.Count(); ++p)
      EXPECT_TRUE(columns.IsValidColumn(columns.ColumnFromPosition(unsigned(p)))) << c.What;
  }
}
