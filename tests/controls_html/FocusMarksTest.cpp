// Marks and colours of what stands in the text: a focused radio button,
// check box or linked picture shows a focus rectangle on the page, a radio
// button takes its cell's background, and a control aligned to the bottom
// rests on the text's bottom, below one on the baseline.
#include <gtest/gtest.h>

#include "../platform_classes/ClassesTestSupport.h"
#include "ChatViewer.h"
#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/LinkFocusControl.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormControl.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

std::uint32_t PlainColorOf(TColor C) { return std::uint32_t(ColorToRGB(C)) & 0xFFFFFF; }

class FocusMarksTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Viewer = MakeChatViewerOnForm(Form);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }
  void Load(const std::string& Page)
  {
    Viewer->LoadFromString(Page);
    Pump();
  }
  TFormControlObj* Control(std::size_t I) { return Viewer->SectionList().Forms->ControlList.at(I); }
  std::uint32_t PanelPixel(int X, int Y) { return Display->Pixel(Viewer->PaintPanel()->Handle(), X, Y) & 0xFFFFFF; }
  // Whether any pixel of the row from X1 to X2 is not white.
  bool RowMarked(int X1, int X2, int Y)
  {
    for (int X = X1; X <= X2; ++X)
      if (PanelPixel(X, Y) != 0xFFFFFF)
        return true;
    return false;
  }
  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;
};

}  // namespace

TEST_F(FocusMarksTest, AFocusedRadioButtonOrCheckBoxHasAFocusRectangle)
{
  struct {
    const char* Type;
    TRect Offsets;  // the rectangle round the control's top left
  } Cases[] = {{"radio", {-3, -2, 16, 17}}, {"checkbox", {-3, -3, 16, 16}}};
  for (const auto& C : Cases) {
    Load(std::string("<BODY><P>&nbsp;</P><P style=\"margin-left:30px\"><INPUT type=") + C.Type + " name=a></P>");
    TWinControl* W = Control(0)->TheControl();
    const int X = W->Left(), Y = W->Top();
    EXPECT_FALSE(RowMarked(X + C.Offsets.Left, X + C.Offsets.Right - 1, Y + C.Offsets.Top)) << C.Type;
    W->SetFocus();
    Pump();
    ASSERT_TRUE(Control(0)->Focused) << C.Type;
    EXPECT_TRUE(RowMarked(X + C.Offsets.Left, X + C.Offsets.Right - 1, Y + C.Offsets.Top)) << C.Type;
    EXPECT_TRUE(RowMarked(X + C.Offsets.Left, X + C.Offsets.Right - 1, Y + C.Offsets.Bottom - 1)) << C.Type;
    // Nothing outside the rectangle.
    EXPECT_FALSE(RowMarked(X + C.Offsets.Left, X + C.Offsets.Right - 1, Y + C.Offsets.Top - 1)) << C.Type;
  }
}

TEST_F(FocusMarksTest, AFocusedLinkedPictureHasAFocusRectangle)
{
  Load("<BODY><P>&nbsp;</P><A href=\"next.html\"><IMG src=\"none.png\" alt=\"go\"></A>");
  TSectionList& Doc = Viewer->SectionList();
  ASSERT_FALSE(Doc.LinkList.empty());
  TImageObj* Image = nullptr;
  for (TSection* S : AllOf<TSection>(Doc))
    if (!S->Images.Items.empty())
      Image = S->Images.Items[0].get();
  ASSERT_NE(Image, nullptr);
  const int X = Image->DrawX, Y = Image->DrawY - Doc.YOff;
  auto Row = [&] {
    std::vector<std::uint32_t> Pixels;
    for (int I = 0; I < Image->ClientWidth; ++I)
      Pixels.push_back(PanelPixel(X + I, Y));
    return Pixels;
  };
  const auto Before = Row();
  ThtTabcontrol* Proxy = Doc.LinkList[0]->FocusOwner(Doc)->TabControl();
  ASSERT_NE(Proxy, nullptr);
  Proxy->SetFocus();
  Pump();
  ASSERT_TRUE(Doc.LinkList[0]->Focused);
  EXPECT_NE(Row(), Before);
}

TEST_F(FocusMarksTest, ARadioButtonTakesItsCellsBackground)
{
  Load("<BODY><TABLE><TR><TD bgcolor=\"#FFFF00\"><INPUT type=radio name=a></TD>"
       "<TD><INPUT type=radio name=a></TD></TR></TABLE><INPUT type=radio name=b>");
  EXPECT_EQ(PlainColorOf(Control(0)->TheControl()->Color()), 0x00FFFFu);  // yellow
  EXPECT_EQ(PlainColorOf(Control(1)->TheControl()->Color()), 0xFFFFFFu);  // the page's white
  EXPECT_EQ(PlainColorOf(Control(2)->TheControl()->Color()), 0xFFFFFFu);
}

TEST_F(FocusMarksTest, BottomAlignmentRestsOnTheTextsBottomBaselineOnTheBaseline)
{
  Load("<BODY>text <INPUT type=checkbox style=\"vertical-align:bottom\"> and "
       "<INPUT type=checkbox> and <INPUT type=checkbox style=\"vertical-align:baseline\"> end");
  const int Bottom = Control(0)->YValue, Plain = Control(1)->YValue, Baseline = Control(2)->YValue;
  EXPECT_EQ(Plain, Baseline);
  const TSection* S = AllOf<TSection>(Viewer->SectionList()).front();
  const int Descent = S->Fonts.Items.front()->Descent();
  ASSERT_GT(Descent, 0);
  EXPECT_EQ(Bottom, Baseline + Descent);
}
