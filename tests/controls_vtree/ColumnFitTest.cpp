// Fitting the header's columns to their content and giving the widths back:
// which columns take part (resizable and visible ones), the limits, the
// order of the resize events (position order, then the reverse), with and
// without the animation.
#include "TreeTestSupport.h"

#include <string>
#include <vector>

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"

namespace {

// Column c of every node says "c" followed by c + 1 times "W": each column
// has its own content width.
struct TFitOwner {
  std::vector<TColumnIndex> Resized;
  TLTHeader* MoveOnFirstResize = nullptr;
  void GetText(TBaseLazyTree*, PLazyNode, TColumnIndex Column, TLSTTextType Type, WideString& Text)
  {
    if (Type == ttNormal)
      Text = UTF8Decode(std::to_string(Column) + std::string(std::size_t(Column + 1), 'W'));
  }
  void ColumnResize(TLTHeader* Header, TColumnIndex Column)
  {
    Resized.push_back(Column);
    // An owner that rearranges the columns while they are being fitted.
    if (MoveOnFirstResize && Resized.size() == 1)
      Header->Columns().Item(Column)->SetPosition(Header->Columns().Count() - 1);
  }
};

class ColumnFitTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 400, 200);
    Grid = std::make_unique<TLazyStringTree>(nullptr);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 380, 160);
    Grid->OnGetText = TLSTGetTextEvent(&Owner, &TFitOwner::GetText);
    for (int w : {90, 60, 70, 80})
      Header().Columns().Add()->SetWidth(w);
    // Shown in the order 2, 0, 3, 1.
    Column(2)->SetPosition(0);
    Column(1)->SetPosition(3);
    Grid->SetRootNodeCount(3);
    Form->Show();
    Application()->ProcessMessages();
    Grid->OnColumnResize = TLTHeaderNotifyEvent(&Owner, &TFitOwner::ColumnResize);
  }
  void TearDown() override
  {
    Grid->SetParent(nullptr);
    Grid.reset();
    Form->Free();
    Application()->ProcessMessages();
    TreeFixture::TearDown();
  }
  TLTHeader& Header() { return Grid->Header(); }
  TLazyTreeColumn* Column(TColumnIndex I) { return Header().Columns().Item(I); }
  std::vector<int> Widths()
  {
    std::vector<int> w;
    for (TColumnIndex i = 0; i < Header().Columns().Count(); ++i)
      w.push_back(Column(i)->Width());
    return w;
  }

  TFitOwner Owner;
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Grid;
};

}  // namespace

// Column 3 is the one each case sets up; the others are resizable and
// visible and always take their content width.
TEST_F(ColumnFitTest, OnlyResizableVisibleColumnsFitAndRestoreGivesTheOldWidthsBack)
{
  enum TLimit { lNone, lMinAboveContent, lMaxBelowContent };
  struct Case {
    const char* Name;
    bool Resizable, Visible;
    TLimit Limit;
    bool Fits;  // column 3 takes part
  };
  const Case cases[] = {
      {"resizable and visible", true, true, lNone, true},
      {"not resizable", false, true, lNone, false},
      {"hidden", true, false, lNone, false},
      {"neither", false, false, lNone, false},
      {"content below the minimum", true, true, lMinAboveContent, true},
      {"content above the maximum", true, true, lMaxBelowContent, true},
  };
  for (bool animated : {false, true}) {
    for (const Case& c : cases) {
      if (animated && !c.Fits)
        continue;  // the animation only runs for a column that changes
      SCOPED_TRACE(std::string(c.Name) + (animated ? ", animated" : ", at once"));
      TLTColumnOptions options = Column(3)->Options();
      options = c.Resizable ? options + coResizable : options - coResizable;
      options = c.Visible ? options + coVisible : options - coVisible;
      Column(3)->SetOptions(options);
      std::vector<int> content;
      for (TColumnIndex i : {0, 1, 2, 3})
        content.push_back(Grid->ColumnContentWidth(i));
      // Column 3 starts inside its limits and away from where the fit puts it.
      int expected3 = content[3], start3 = 110;
      Column(3)->SetMinWidth(10);
      Column(3)->SetMaxWidth(10000);
      if (c.Limit == lMinAboveContent) {
        Column(3)->SetMinWidth(content[3] + 25);
        expected3 = content[3] + 25;
      } else if (c.Limit == lMaxBelowContent) {
        Column(3)->SetMaxWidth(content[3] - 5);
        expected3 = content[3] - 5;
        start3 = 20;
      }
      for (TColumnIndex i : {0, 1, 2})
        Column(i)->SetWidth(80 + 10 * i);
      Column(3)->SetWidth(start3);
      const std::vector<int> before = Widths();
      Owner.Resized.clear();

      Header().AutoFitColumns(animated);
      std::vector<int> fitted{content[0], content[1], content[2], c.Fits ? expected3 : before[3]};
      EXPECT_EQ(Widths(), fitted);
      // Position order: 2, 0, 3, 1.
      std::vector<TColumnIndex> order = c.Fits ? std::vector<TColumnIndex>{2, 0, 3, 1} : std::vector<TColumnIndex>{2, 0, 1};
      EXPECT_EQ(Owner.Resized, order);

      Owner.Resized.clear();
      Header().RestoreColumns();
      EXPECT_EQ(Widths(), before) << "every fitted column is back at its width before the fit";
      EXPECT_EQ(Owner.Resized, std::vector<TColumnIndex>(order.rbegin(), order.rend())) << "last position first";
    }
  }
}

// The fit walks the positions as they were when it started: an owner moving
// a column from its resize event neither skips a column nor fits one twice.
TEST_F(ColumnFitTest, AColumnMovedDuringTheFitIsFittedOnce)
{
  Owner.MoveOnFirstResize = &Header();
  Header().AutoFitColumns(false);
  for (TColumnIndex i : {0, 1, 2, 3})
    EXPECT_EQ(Column(i)->Width(), Grid->ColumnContentWidth(i)) << "column " << i;
  EXPECT_EQ(Owner.Resized, (std::vector<TColumnIndex>{2, 0, 3, 1}));
}
