// The screen object, cursors, the hint window's size, and what controls
// inherit from their parents (font, colour, showing).
#include "ClassesTestSupport.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/classes/stdctrls/Panel.h"

namespace {

class ScreenTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(50, 40, 300, 200);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 200, 100);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Form->Free();
    ClassesFixture::TearDown();
  }
  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
};

TEST_F(ScreenTest, ScreenKnowsItsSizeFormsFontsAndCursors)
{
  EXPECT_EQ(Screen()->Width(), 1024);
  EXPECT_EQ(Screen()->Height(), 768);
  EXPECT_EQ(Screen()->WorkAreaRect().Bottom, 738);
  const auto& fonts = Screen()->Fonts();
  EXPECT_NE(std::find(fonts.begin(), fonts.end(), "Corvane Fixed"), fonts.end());
  EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));

  int forms = Screen()->FormCount();
  auto* second = TCustomForm::Create<TForm>(Application());
  EXPECT_EQ(Screen()->FormCount(), forms + 1);
  second->Show();
  Pump();
  EXPECT_EQ(Screen()->ActiveForm(), second);
  EXPECT_EQ(Screen()->Forms(0), second) << "the active form comes first";
  second->Free();
  EXPECT_EQ(Screen()->FormCount(), forms);

  EXPECT_EQ(Screen()->Cursors(crIBeam), LoadCursor(nullptr, IDC_IBEAM));
  EXPECT_EQ(Screen()->Cursors(crHandPoint), LoadCursor(nullptr, IDC_HAND));
  HCURSOR own = LoadCursor(nullptr, IDC_CROSS);
  Screen()->SetCursors(1, own);
  EXPECT_EQ(Screen()->Cursors(1), own);
  EXPECT_EQ(Screen()->Cursors(77), LoadCursor(nullptr, IDC_ARROW)) << "unknown numbers show the arrow";
}

TEST_F(ScreenTest, TheMouseShowsTheCursorOfTheControlUnderItOrTheScreens)
{
  auto* label = new TLabel(Form);
  label->SetParent(Panel);
  label->SetBounds(100, 10, 50, 20);
  label->SetCursor(crHandPoint);
  Panel->SetCursor(crSizeAll);
  TPoint p = Panel->ClientToScreen(TPoint(20, 50));
  Display->MoveMouse(p.x, p.y);
  Pump();
  EXPECT_EQ(Display->Cursor(), LoadCursor(nullptr, IDC_SIZEALL));
  p = label->ClientToScreen(TPoint(5, 5));
  Display->MoveMouse(p.x, p.y);
  Pump();
  EXPECT_EQ(Display->Cursor(), LoadCursor(nullptr, IDC_HAND));
  Screen()->SetCursor(crHourGlass);
  Display->MoveMouse(p.x + 1, p.y);
  Pump();
  EXPECT_EQ(Display->Cursor(), LoadCursor(nullptr, IDC_WAIT));
  Screen()->SetCursor(crDefault);
}

TEST_F(ScreenTest, ChildrenFollowTheirParentsFontColourAndShowing)
{
  auto* follower = new TLabel(Form);
  follower->SetParent(Panel);
  auto* own = new TLabel(Form);
  own->SetParent(Panel);
  own->Font()->SetName("Arial");
  EXPECT_FALSE(own->ParentFont());
  Panel->Font()->SetName("Courier New");
  Panel->SetColor(clYellow);
  EXPECT_EQ(follower->Font()->Name(), "Courier New");
  EXPECT_EQ(own->Font()->Name(), "Arial");
  EXPECT_EQ(follower->Color(), clYellow);
  EXPECT_TRUE(follower->ParentColor());

  auto* inner = new TPanel(Form);
  inner->SetParent(Panel);
  EXPECT_TRUE(inner->Showing());
  Panel->Hide();
  EXPECT_FALSE(inner->Showing());
  EXPECT_FALSE(IsWindowVisible(inner->Handle()));
  EXPECT_TRUE(inner->Visible());
  Panel->Show();
  EXPECT_TRUE(IsWindowVisible(inner->Handle()));
}

TEST_F(ScreenTest, RecreatingAParentRemakesItsChildrenWithTheirState)
{
  auto* edit = new TEdit(Form);
  edit->SetParent(Panel);
  edit->SetBounds(5, 5, 100, 21);
  edit->SetText("garde-moi");
  edit->SetModified(true);
  HWND oldPanel = Panel->Handle(), oldEdit = edit->Handle();
  Panel->SetBorderStyle(bsSingle);  // the panel gets a new window, and so do its children
  EXPECT_FALSE(IsWindow(oldPanel));
  EXPECT_FALSE(IsWindow(oldEdit));
  EXPECT_EQ(GetParent(edit->Handle()), Panel->Handle());
  EXPECT_EQ(edit->Text(), "garde-moi");
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(IsWindowVisible(edit->Handle()));
  EXPECT_NE(GetWindowLongPtr(Panel->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ScreenTest, HintWindowSizesItselfFromItsText)
{
  THintWindow hint(nullptr);
  // Built-in font: 6 x 13 cells; room for the border and margin.
  TRect r = hint.CalcHintRect(1000, "Bonjour", nullptr);
  EXPECT_EQ(r, TRect(0, 0, 42 + 6, 13 + 2));
  // Wrapped at the width given.
  TRect wrapped = hint.CalcHintRect(60, "Bonjour tout le monde", nullptr);
  EXPECT_GT(wrapped.Bottom, 2 * 13);
  hint.ActivateHint(TRect(1000, 100, 1048, 115), "Bonjour");  // kept on the screen
  TRect shown;
  GetWindowRect(hint.Handle(), &shown);
  EXPECT_EQ(shown, TRect(1024 - 48, 100, 1024, 115));
  EXPECT_TRUE(IsWindowVisible(hint.Handle()));
  EXPECT_NE(GetWindowLongPtr(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// A custom control that paints a mark, a window class of its own and a client edge.
class TMarked : public TCustomControl {
public:
  explicit TMarked(TComponent* AOwner) : TCustomControl(AOwner) {}
  int Paints = 0;

protected:
  void CreateParams(TCreateParams& Params) override
  {
    TCustomControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
  void Paint() override
  {
    ++Paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(TRect(2, 2, 12, 12));
  }
};

TEST_F(ScreenTest, CustomControlsPaintOnTheirCanvasDirectlyOrDoubleBuffered)
{
  auto* marked = new TMarked(Form);
  marked->SetParent(Panel);
  marked->SetBounds(20, 20, 60, 40);
  Pump();
  char name[64] = {};
  GetClassName(marked->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TMarked");
  EXPECT_NE(GetWindowLongPtr(marked->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  auto pixelAt = [&](int x, int y) {
    TPoint p = marked->ClientToScreen(TPoint(x, y));
    TRect w;
    GetWindowRect(Form->Handle(), &w);
    return Display->Pixel(Form->Handle(), p.x - w.Left, p.y - w.Top);
  };
  EXPECT_EQ(pixelAt(5, 5), 0xFF0000u);
  EXPECT_EQ(pixelAt(30, 30), 0xD4D0C8u) << "the rest in the parent's colour";
  int paints = marked->Paints;
  marked->SetDoubleBuffered(true);
  marked->Repaint();
  EXPECT_GT(marked->Paints, paints);
  EXPECT_EQ(pixelAt(5, 5), 0xFF0000u);
  EXPECT_EQ(pixelAt(30, 30), 0xD4D0C8u);
}

}  // namespace
