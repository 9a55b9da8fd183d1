// Panel objects, labels and the alignment panel: auto-height with each
// wrapping mode and margin, hover entered and left (the shared timer on the
// virtual clock), the parent's background, embossed disabled text, and the
// alignment panel's layout and content size.
#include <gtest/gtest.h>

#include <unistd.h>

#include "TBWPanelTestSupport.h"
#include "controls/themes/TBWAlignmentPanel.h"
#include "controls/themes/TBWLabel.h"
#include "platform/classes/forms/Timer.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/Panel.h"

namespace {

// Counts measurements and hover events.
class TCountingLabel : public TTBWLabel {
public:
  using TTBWLabel::TTBWLabel;
  int Measures = 0;
  std::vector<std::string>* Log = nullptr;

protected:
  void MeasureTextHeight(TCanvas* Canvas, int& Height) override
  {
    ++Measures;
    TTBWLabel::MeasureTextHeight(Canvas, Height);
  }
  void MouseEntered() override
  {
    if (Log)
      Log->push_back("enter " + Name());
    TTBWLabel::MouseEntered();
  }
  void MouseLeft() override
  {
    if (Log)
      Log->push_back("leave " + Name());
    TTBWLabel::MouseLeft();
  }
};

class LabelTest : public ::testing::Test, public TPanelFixture {
protected:
  LabelTest()
  {
    Form->Show();
    THeadlessDisplay::PumpMessages();
  }
  TCountingLabel* AddLabel(TWinControl* Parent, const std::string& Name, const std::string& Caption, int X, int Y,
                           int Width)
  {
    auto* label = new TCountingLabel(Form);
    label->SetName(Name);
    label->SetBounds(X, Y, Width, label->Height());
    label->SetParent(Parent);
    label->SetCaption(Caption);
    label->Log = &Log;
    return label;
  }
  // The height of one line of the form's font.
  int LineHeight()
  {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(Form->Font());
    const int h = canvas.TextHeight("Ag");
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return h;
  }
  int WidthOf(const std::string& Text)
  {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(Form->Font());
    const int w = canvas.TextWidth(Text);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return w;
  }
  void MoveTo(TControl* Control, int X, int Y)
  {
    const TPoint p = Control->ClientToScreen(TPoint(X, Y));
    Display->MoveMouse(p.x, p.y);
    THeadlessDisplay::PumpMessages();
  }
  std::vector<std::string> Log;
};

struct HeightCase {
  const char* Name;
  const char* Caption;
  TTextWrapping Wrapping;
  int WordsPerLineWidth;  // the label is as wide as this many "word " pieces
  int MarginTop, MarginBottom;
  bool Underline;
  int Lines;  // expected lines of text
};

class LabelHeightTable : public LabelTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(LabelHeightTable, FitsItsText)
{
  const HeightCase& c = GetParam();
  auto* label = AddLabel(Form, "L", "", 10, 10, 10);
  label->SetWrapping(c.Wrapping);
  label->Margins()->SetTop(c.MarginTop);
  label->Margins()->SetBottom(c.MarginBottom);
  label->SetUnderline(c.Underline);
  label->SetWidth(WidthOf("word") + (c.WordsPerLineWidth - 1) * WidthOf("word ") + 2);
  label->SetCaption(c.Caption);
  EXPECT_EQ(label->Height(), c.Lines * LineHeight() + c.MarginTop + c.MarginBottom + (c.Underline ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Label, LabelHeightTable,
    ::testing::Values(HeightCase{"EmptyKeepsOneLine", "", twWrap, 1, 0, 0, false, 1},
                      HeightCase{"LoneAmpersandKeepsOneLine", "&", twWrap, 1, 0, 0, false, 1},
                      HeightCase{"WrapsAWordPerLine", "word word word", twWrap, 1, 0, 0, false, 3},
                      HeightCase{"WrapsTwoWordsPerLine", "word word word", twWrap, 2, 0, 0, false, 2},
                      HeightCase{"NoWrappingIsOneLine", "word word word", twNone, 1, 0, 0, false, 1},
                      HeightCase{"EllipsisIsOneLine", "word word word", twEndEllipsis, 1, 0, 0, false, 1},
                      HeightCase{"PathEllipsisIsOneLine", "word/word/word", twPathEllipsis, 1, 0, 0, false, 1},
                      HeightCase{"MarginsAddToTheHeight", "word word", twWrap, 1, 3, 5, false, 2},
                      HeightCase{"UnderlineTakesOneRow", "word", twWrap, 1, 0, 0, true, 1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(LabelTest, ANarrowedLabelGrowsAtOnce)
{
  auto* holder = new TTBWAlignmentPanel(Form);
  holder->SetBounds(10, 10, 300, 100);
  holder->SetParent(Form);
  auto* label = AddLabel(holder, "L", "word word word", 0, 0, 300);
  label->SetAlign(alTop);
  EXPECT_EQ(label->Height(), LineHeight());
  holder->SetWidth(WidthOf("word") + 2);
  EXPECT_EQ(label->Width(), WidthOf("word") + 2);
  EXPECT_EQ(label->Height(), 3 * LineHeight());
}

TEST_F(LabelTest, AnAmpersandShownAsACharacterTakesItsRoomInTheWrapping)
{
  // "a&b" without prefixes is three characters: with the width of "a&b"
  // minus one pixel it needs a second line only when measured as shown.
  auto* label = AddLabel(Form, "L", "", 10, 10, 10);
  label->SetShowAccelChar(false);
  label->SetWidth(WidthOf("wor& word") - 1);
  label->SetCaption("wor& word");
  EXPECT_EQ(label->Height(), 2 * LineHeight());
}

TEST_F(LabelTest, AssigningMarginsCopiesThemAndMeasuresOnce)
{
  auto* a = AddLabel(Form, "A", "text", 10, 10, 100);
  auto* b = AddLabel(Form, "B", "text", 10, 60, 100);
  a->Margins()->SetLeft(1);
  a->Margins()->SetTop(2);
  a->Margins()->SetRight(3);
  a->Margins()->SetBottom(4);
  b->Measures = 0;
  b->SetMargins(a->Margins());
  EXPECT_EQ(b->Measures, 1);
  EXPECT_EQ(TRect(b->Margins()->Left(), b->Margins()->Top(), b->Margins()->Right(), b->Margins()->Bottom()),
            TRect(1, 2, 3, 4));
  EXPECT_EQ(b->Height(), LineHeight() + 6);
}

TEST_F(LabelTest, MovingStraightOntoAnotherLabelLeavesTheFirstBeforeEnteringTheSecond)
{
  auto* a = AddLabel(Form, "A", "first", 10, 10, 80);
  auto* b = AddLabel(Form, "B", "second", 90, 10, 80);
  MoveTo(a, 5, 5);
  MoveTo(b, 5, 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter A", "leave A", "enter B"}));
  EXPECT_EQ(TTBWPanelObject::HoveredObject(), b);
}

TEST_F(LabelTest, LeavingWithoutAFurtherMessageIsNoticedByTheTimer)
{
  auto* a = AddLabel(Form, "A", "first", 10, 10, 80);
  MoveTo(a, 5, 5);
  ASSERT_TRUE(a->Hovered());
  ASSERT_TRUE(TTBWPanelObject::HoverTimer()->Enabled());
  // The form hears the move, the label does not.
  MoveTo(Form, 300, 300);
  EXPECT_TRUE(a->Hovered());
  THeadlessDisplay::Advance(124);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(a->Hovered());
  THeadlessDisplay::Advance(1);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(a->Hovered());
  EXPECT_EQ(Log, (std::vector<std::string>{"enter A", "leave A"}));
  EXPECT_FALSE(TTBWPanelObject::HoverTimer()->Enabled());
  EXPECT_EQ(TTBWPanelObject::HoveredObject(), nullptr);
}

TEST_F(LabelTest, DisablingTheHoveredObjectLeavesIt)
{
  auto* a = AddLabel(Form, "A", "first", 10, 10, 80);
  MoveTo(a, 5, 5);
  a->SetEnabled(false);
  EXPECT_FALSE(a->Hovered());
  EXPECT_EQ(Log, (std::vector<std::string>{"enter A", "leave A"}));
  EXPECT_EQ(TTBWPanelObject::HoveredObject(), nullptr);
}

TEST_F(LabelTest, TheTimerLivesWithThePanelObjects)
{
  auto* a = AddLabel(Form, "A", "first", 10, 10, 80);
  auto* b = AddLabel(Form, "B", "second", 90, 10, 80);
  MoveTo(b, 5, 5);
  ASSERT_NE(TTBWPanelObject::HoverTimer(), nullptr);
  delete b;
  EXPECT_EQ(TTBWPanelObject::HoveredObject(), nullptr);
  EXPECT_FALSE(TTBWPanelObject::HoverTimer()->Enabled());
  delete a;
  EXPECT_EQ(TTBWPanelObject::HoverTimer(), nullptr);
}

TEST_F(LabelTest, TheAcceleratorFocusesTheFocusControl)
{
  auto* label = AddLabel(Form, "L", "&Nom", 10, 10, 80);
  auto* target = new TTBWAlignmentPanel(Form);
  target->SetBounds(10, 40, 50, 20);
  target->SetParent(Form);
  target->SetTabStop(true);
  label->SetFocusControl(target);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_TRUE(target->Focused());
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n', 0), 0);
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(LabelTest, AlignmentPanelLaysItsChildrenOutInsideItsMargins)
{
  auto* panel = new TTBWAlignmentPanel(Form);
  panel->SetBounds(10, 10, 200, 150);
  panel->SetParent(Form);
  panel->Margins()->SetLeft(4);
  panel->Margins()->SetTop(6);
  panel->Margins()->SetRight(8);
  panel->Margins()->SetBottom(10);
  auto* top = AddLabel(panel, "Top", "title", 0, 0, 50);
  top->SetAlign(alTop);
  auto* bottom = new TPanel(Form);
  bottom->SetHeight(20);
  bottom->SetParent(panel);
  bottom->SetAlign(alBottom);
  auto* client = new TPanel(Form);
  client->Constraints()->SetMinHeight(30);
  client->Constraints()->SetMinWidth(40);
  client->SetParent(panel);
  client->SetAlign(alClient);
  const int lh = LineHeight();
  EXPECT_EQ(top->BoundsRect(), TRect(4, 6, 192, 6 + lh));
  EXPECT_EQ(bottom->BoundsRect(), TRect(4, 120, 192, 140));
  EXPECT_EQ(client->BoundsRect(), TRect(4, 6 + lh, 192, 120));
  EXPECT_EQ(panel->ContentHeight(), 6 + 10 + lh + 20 + 30);
  EXPECT_EQ(panel->ContentWidth(), 4 + 8 + 40);
  // A hidden child takes no room; a changed margin moves the children at once.
  bottom->Hide();
  EXPECT_EQ(panel->ContentHeight(), 6 + 10 + lh + 30);
  panel->Margins()->SetTop(0);
  EXPECT_EQ(top->Top(), 0);
}

// The picture: a docked panel holding an alignment panel with labels, one
// underlined, one disabled, and a coloured panel object.
TEST_F(LabelTest, LabelsOnAPanelShowTheirParentsBackground)
{
  auto* dock = AddDock(dpLeft);
  auto* host = AddPanel(dock, "Affichage");
  host->SetDockedWidth(180);
  auto* panel = new TTBWAlignmentPanel(Form);
  panel->SetParent(host);
  panel->SetAlign(alClient);
  panel->Margins()->SetLeft(6);
  panel->Margins()->SetTop(6);
  panel->Margins()->SetRight(6);
  auto* title = AddLabel(panel, "Title", "Affichage des &contacts", 0, 0, 100);
  title->SetAlign(alTop);
  title->SetUnderline(true);
  title->SetUnderlineColor(TColor(0x000000C0));
  auto* body = AddLabel(panel, "Body", "Un texte assez long pour passer à la ligne plusieurs fois", 0, 0, 100);
  body->SetAlign(alTop);
  body->Margins()->SetTop(4);
  auto* off = AddLabel(panel, "Off", "Désactivé", 0, 0, 100);
  off->SetAlign(alTop);
  off->SetEnabled(false);
  auto* swatch = new TTBWAlignmentPanel(Form);
  swatch->SetParent(panel);
  swatch->SetAlign(alTop);
  swatch->SetHeight(16);
  swatch->SetColor(TColor(0x0080C0F0));
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  THeadlessDisplay::PumpMessages();
  if (const char* dir = std::getenv("PANEL_PICTURE_DIR")) {
    EXPECT_TRUE(Display->Screenshot(Form->Handle(), std::string(dir) + "/labels-" + std::to_string(getpid()) + ".png"));
  }

  auto pixel = [](TWinControl* Control, int X, int Y) {
    HDC dc = GetDC(Control->Handle());
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Control->Handle(), dc);
    return c;
  };
  const COLORREF panelColor = ColorToRGB(Theme->PanelColor);
  EXPECT_EQ(pixel(title, title->Width() - 2, 1), panelColor);
  EXPECT_EQ(pixel(panel, 2, 2), panelColor);
  EXPECT_EQ(pixel(swatch, 3, 3), ColorToRGB(TColor(0x0080C0F0)));
  EXPECT_EQ(pixel(title, 3, title->Height() - 1), ColorToRGB(TColor(0x000000C0)));
  // Embossed: highlight and shadow, no text colour.
  int highlight = 0, shadow = 0, black = 0;
  for (int y = 0; y < off->Height(); ++y)
    for (int x = 0; x < off->Width(); ++x) {
      const COLORREF c = pixel(off, x, y);
      highlight += c == ColorToRGB(clBtnHighlight);
      shadow += c == ColorToRGB(clBtnShadow);
      black += c == 0;
    }
  EXPECT_GT(highlight, 0);
  EXPECT_GT(shadow, 0);
  EXPECT_EQ(black, 0);
}

}  // namespace
