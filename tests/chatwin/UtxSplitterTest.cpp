// The splitter bar: its style from the alignments, the drag with its limits
// and no-drop cursor, the inverted line on the form, cancelling with a key,
// and the size rules on release.
#include "tests/platform_classes/ClassesTestSupport.h"

#include <set>

#include "chatwin/widgets/UtSplit.h"

namespace {

// The chat window's arrangement: the view on top, the bar under it, the
// memo filling the rest.
class TSplitForm : public TForm {
public:
  explicit TSplitForm(TComponent* AOwner) : TForm(AOwner)
  {
    SetBounds(40, 40, 320, 340);
    View = new TPanel(this);
    View->SetParent(this);
    View->SetAlign(alTop);
    View->SetHeight(100);
    View->SetColor(TColor(0x00336699));
    Splitter = new TUtxSplitter(this);
    Splitter->SetParent(this);
    // As a form description gives them: the place first, then the alignment.
    Splitter->SetBounds(0, 100, 320, 3);
    Splitter->SetAlign(alTop);
    Memo = new TMemo(this);
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    Splitter->OnPosChanged = TNotifyEvent(this, &TSplitForm::PosChanged);
  }
  void PosChanged(TObject*) { ++Changed; }

  TPanel* View;
  TUtxSplitter* Splitter;
  TMemo* Memo;
  int Changed = 0;
};

class UtxSplitter : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Form = TCustomForm::Create<TSplitForm>(nullptr);
    Form->Show();
    Form->Memo->SetFocus();
    Pump();
  }
  void TearDown() override
  {
    Form->Free();
    ClassesFixture::TearDown();
  }

  // Presses on the bar's middle and moves the mouse by Dy.
  void PressAndMove(int Dy)
  {
    Start = CentreOf(Form->Splitter);
    Display->MoveMouse(Start.x, Start.y);
    Display->Press();
    Pump();
    Display->MoveMouse(Start.x, Start.y + Dy);
    Pump();
  }
  void Release()
  {
    Display->Release();
    Pump();
  }

  // The form's client area as its window holds it.
  std::vector<uint32_t> ClientPixels()
  {
    RECT window;
    GetWindowRect(Form->Handle(), &window);
    TPoint origin = Form->ClientToScreen(TPoint(0, 0));
    std::vector<uint32_t> pixels;
    for (int y = 0; y < Form->ClientHeight(); ++y)
      for (int x = 0; x < Form->ClientWidth(); ++x)
        pixels.push_back(Display->Pixel(Form->Handle(), origin.x - window.Left + x, origin.y - window.Top + y));
    return pixels;
  }

  TSplitForm* Form = nullptr;
  TPoint Start;
};

}  // namespace

TEST_F(UtxSplitter, AligningPicksTheControlAboveAndTheStyle)
{
  EXPECT_EQ(Form->Splitter->ControlFirst(), Form->View);
  EXPECT_EQ(Form->Splitter->Height(), 3);
  EXPECT_EQ(Form->Splitter->Top(), 100);
  EXPECT_EQ(Form->Splitter->Style(), 1);
  EXPECT_EQ(Form->Splitter->Cursor(), crVSplit);
}

TEST_F(UtxSplitter, StyleTable)
{
  const struct {
    TAlign First, Second, Own;
    bool HasSecond;
    int Style;
    TCursor Cursor;
  } cases[] = {
      {alTop, alClient, alTop, true, 1, crVSplit},     {alBottom, alNone, alBottom, false, 1, crVSplit},
      {alClient, alBottom, alBottom, true, 2, crVSplit}, {alLeft, alNone, alLeft, false, 3, crHSplit},
      {alClient, alRight, alRight, true, 4, crHSplit},  {alTop, alNone, alLeft, false, 0, crDefault},
      {alTop, alTop, alTop, true, 0, crDefault},
  };
  for (const auto& c : cases) {
    TPanel parent(nullptr);
    auto* first = new TPanel(&parent);
    first->SetParent(&parent);
    first->SetAlign(c.First);
    TPanel* second = nullptr;
    if (c.HasSecond) {
      second = new TPanel(&parent);
      second->SetParent(&parent);
      second->SetAlign(c.Second);
    }
    auto* splitter = new TUtxSplitter(&parent);
    splitter->SetParent(&parent);
    splitter->SetControlFirst(first);
    splitter->SetControlSecond(second);
    splitter->SetAlign(c.Own);
    EXPECT_EQ(splitter->Style(), c.Style) << int(c.First) << "," << int(c.Second) << "," << int(c.Own);
    EXPECT_EQ(splitter->Cursor(), c.Cursor) << int(c.First) << "," << int(c.Second) << "," << int(c.Own);
  }
  // Neither the bar itself nor a form can be resized by it.
  Form->Splitter->SetControlSecond(Form);
  EXPECT_EQ(Form->Splitter->ControlSecond(), nullptr);
  Form->Splitter->SetControlFirst(Form->Splitter);
  EXPECT_EQ(Form->Splitter->ControlFirst(), nullptr);
  EXPECT_EQ(Form->Splitter->Cursor(), crDefault);
}

TEST_F(UtxSplitter, DragResizesTheViewOnly)
{
  PressAndMove(30);
  EXPECT_TRUE(Form->Splitter->Tracking());
  EXPECT_FALSE(Application()->ShowHint());
  Release();
  EXPECT_EQ(Form->View->Height(), 130);
  EXPECT_EQ(Form->Splitter->Top(), 130);
  EXPECT_EQ(Form->Changed, 1);
  EXPECT_FALSE(Form->Splitter->Tracking());
  EXPECT_TRUE(Application()->ShowHint());
}

TEST_F(UtxSplitter, PastTheLimitTheLineStopsAndTheCursorSaysNo)
{
  PressAndMove(-95);
  EXPECT_EQ(Form->Splitter->Cursor(), crNoDrop);
  Display->MoveMouse(Start.x, Start.y - 10);
  Pump();
  EXPECT_EQ(Form->Splitter->Cursor(), crVSplit);
  Display->MoveMouse(Start.x, Start.y - 95);
  Pump();
  Release();
  // The bar's top stops 20 pixels below the parent's top.
  EXPECT_EQ(Form->View->Height(), 20);
  EXPECT_EQ(Form->Splitter->Cursor(), crVSplit);
}

TEST_F(UtxSplitter, SizeRulesAtTheEdges)
{
  // Without limits the view can lose all its height (kept at 1) or take
  // all the room (the available height less 3).
  Form->Splitter->SetLimitOffset(0);
  PressAndMove(-150);
  Release();
  EXPECT_EQ(Form->View->Height(), 1);
  THeadlessDisplay::Advance(1000);
  PressAndMove(500);
  Release();
  EXPECT_EQ(Form->View->Height(), Form->ClientHeight() - 3 - 3);
}

TEST_F(UtxSplitter, TheLineIsInvertedAndAKeyCancelsWithoutATrace)
{
  static int keysSeen = 0;
  keysSeen = 0;
  Form->Memo->OnKeyDown = TKeyEvent(+[](TObject*, WORD&, TShiftState) { ++keysSeen; });
  const TKeyEvent own = Form->Memo->OnKeyDown;
  const std::vector<uint32_t> before = ClientPixels();
  PressAndMove(40);
  const std::vector<uint32_t> during = ClientPixels();
  // Every changed pixel is the inverse of what was there, on exactly two
  // rows (a 2-pixel pen for a 3-pixel bar) as wide as the bar, at the
  // bar's middle moved by 40.
  const int width = Form->ClientWidth();
  std::set<int> rows;
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (during[i] == before[i])
      continue;
    EXPECT_EQ(during[i], before[i] ^ 0xFFFFFFu);
    rows.insert(int(i) / width);
    ++changed;
  }
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows.count(101 + 40));
  EXPECT_EQ(changed, 2 * Form->Splitter->Width());

  // The memo's own handler still sees the key that cancels.
  Key(VK_ESCAPE);
  EXPECT_EQ(keysSeen, 1);
  EXPECT_FALSE(Form->Splitter->Tracking());
  EXPECT_EQ(ClientPixels(), before);
  EXPECT_TRUE(Form->Memo->OnKeyDown == own);
  EXPECT_TRUE(Application()->ShowHint());
  Release();
  EXPECT_EQ(Form->View->Height(), 100);
  EXPECT_EQ(Form->Changed, 0);
}
