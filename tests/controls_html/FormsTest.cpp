// Forms: controls of the class library made from the elements, placed on the
// paint panel where their section paints and moving with the document; the
// exact submission pairs; typing, ticking, choosing and radio arrows driven
// by synthetic input; change events; reset; sizes; a rendered form.
#include <gtest/gtest.h>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/forms/FormWidgets.h"
#include "controls/html/text/TextMeasure.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// The paint panel: it paints the document, as the viewer's does.
class TDocumentPanel : public TPanel {
public:
  using TPanel::TPanel;
  TSectionList* Doc = nullptr;

protected:
  void Paint() override
  {
    TPanel::Paint();
    if (!Doc)
      return;
    const TRect All{0, 0, Width(), Height()};
    Doc->Draw(Canvas()->Handle(), All);
  }
};

class FormsTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    THeadlessDisplay::Advance(5000);
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 360, 300);
    Panel = new TDocumentPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBevelOuter(bvNone);
    Panel->SetColor(0xFFFFFF);
    Panel->SetBounds(0, 0, 360, 300);
    Form->Show();
    Doc = std::make_unique<TSectionList>(TestFonts());
    Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
    Doc->PaintPanel = Panel;
    Doc->Forms->OnSubmit = [this](const TFormSubmission& S) { Submitted.push_back(S); };
  }
  void TearDown() override
  {
    Panel->Doc = nullptr;
    Doc.reset();
    Form->Free();
    Application()->ProcessMessages();
  }

  // Builds the document, lays it out at Width and paints it, which places the controls.
  void Load(const std::string& Html, int Width = 360)
  {
    ParseHtmlIntoSections(Html, *Doc);
    Layout(Width);
  }
  void Layout(int Width)
  {
    Doc->DoLogic(Width, 300);
    Panel->Doc = Doc.get();
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap = CreateBitmap(Width, 300, 1, 32, nullptr);
    HGDIOBJ Old = SelectObject(DC, Bitmap);
    Doc->Draw(DC, {0, 0, Width, 300});
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
    Application()->ProcessMessages();
  }
  TFormControlObj* Control(std::size_t I) { return Doc->Forms->ControlList.at(I); }
  template <class T> T* As(std::size_t I) { return dynamic_cast<T*>(Control(I)); }
  void Pump() { Application()->ProcessMessages(); }
  void Key(BYTE Vk)
  {
    Display->PressKey(Vk);
    Pump();
  }
  void ClickControl(TWinControl* C)
  {
    TPoint P(C->Width() / 2, C->Height() / 2);
    ClientToScreen(C->Handle(), &P);
    Display->Click(P.x, P.y);
    Pump();
  }
  std::vector<std::string> LastPairs() const
  {
    return Submitted.empty() ? std::vector<std::string>{} : Submitted.back().Pairs;
  }

  THeadlessDisplay* Display = nullptr;
  TForm* Form = nullptr;
  TDocumentPanel* Panel = nullptr;
  std::unique_ptr<TSectionList> Doc;
  std::vector<TFormSubmission> Submitted;
};

using Pairs = std::vector<std::string>;

}  // namespace

TEST_F(FormsTest, TypingThenSubmittingByButtonAndByEnter)
{
  Load("<form action=\"go.cgi\" method=\"postal\" target=t enctype=e>"
       "<input name=q value=ab><input type=submit name=s value=Send></form>");
  auto* Edit = As<TEditFormControlObj>(0);
  auto* Button = As<TButtonFormControlObj>(1);
  ASSERT_TRUE(Edit && Button);
  EXPECT_GT(Edit->Control()->Left(), 0) << "placed on the page by the paint";
  Edit->Control()->SetFocus();
  Key(VK_END);
  Display->TypeText("cé");
  Pump();
  ClickControl(Button->Control());
  ASSERT_EQ(Submitted.size(), 1u);
  EXPECT_EQ(Submitted[0].Pairs, (Pairs{"q=abcé", "s=Send"}));
  EXPECT_EQ(Submitted[0].Action, "go.cgi");
  EXPECT_EQ(Submitted[0].Method, "post") << "four characters at most";
  EXPECT_EQ(Submitted[0].Target, "t");
  EXPECT_EQ(Submitted[0].EncType, "e");
  // Enter in the field submits without the button's pair, and is not typed.
  Edit->Control()->SetFocus();
  Key(VK_RETURN);
  ASSERT_EQ(Submitted.size(), 2u);
  EXPECT_EQ(Submitted[1].Pairs, (Pairs{"q=abcé"}));
  EXPECT_EQ(Edit->Control()->Text(), "abcé");
  EXPECT_EQ(Submitted[1].Method, "post");
}

TEST_F(FormsTest, SubmissionPairsOfEveryKind)
{
  struct TCase {
    const char* Html;
    Pairs Expected;
  } Cases[] = {
      {"<input name=a value=1 disabled><input name=b value=2>", {"b=2"}},
      {"<input type=checkbox name=c checked><input type=checkbox name=d value=x>", {"c=on"}},
      {"<input type=hidden name=h value=\"v w\">", {"h=v w"}},
      {"<input type=password name=p value=secret>", {"p=secret"}},
      {"<select name=s><option value=1>one<option>two</select>", {"s=1"}},
      {"<select name=s><option>one<option selected> two </select>", {"s=two"}},
      {"<select name=m multiple><option selected>a<option>b<option selected value=C>c</select>", {"m=a", "m=C"}},
      {"<select name=l size=3><option>a<option>b<option>c</select>", {"l=a"}},
      {"<input type=radio name=r value=1 checked><input type=radio name=r value=2 checked>", {"r=2"}},
      {"<textarea name=t>x &amp; y\nz</textarea>", {"t=x & y\r\nz"}},
      {"<input type=file name=f value=kept>", {"f=kept"}},
      {"<input name=\"\" value=\"\"><input type=reset><input type=button value=B>", {"="}},
  };
  for (const TCase& C : Cases) {
    Doc->Clear();
    Submitted.clear();
    Load(std::string("<form>") + C.Html + "</form>");
    ASSERT_FALSE(Doc->Forms->FormList.empty()) << C.Html;
    Doc->Forms->FormList.back()->Submit();
    EXPECT_EQ(LastPairs(), C.Expected) << C.Html;
  }
}

TEST_F(FormsTest, WithoutASubmitEventNothingHappens)
{
  Doc->Forms->OnSubmit = nullptr;
  Load("<input name=a value=1>");
  Doc->Forms->FormList[0]->Submit();  // no event: no effect, no fault
  EXPECT_EQ(Doc->Forms->FormData(), (std::vector<Pairs>{{"a=1"}}));
}

TEST_F(FormsTest, TickingChoosingAndResetRestores)
{
  Load("<form><input name=q value=start><input type=checkbox name=c value=on>"
       "<select name=s><option>one<option>two<option>three</select>"
       "<textarea name=t>orig</textarea><input type=reset></form>");
  auto* Edit = As<TEditFormControlObj>(0);
  auto* Check = As<TCheckBoxFormControlObj>(1);
  auto* Combo = As<TComboFormControlObj>(2);
  auto* Text = As<TTextAreaFormControlObj>(3);
  auto* Reset = As<TButtonFormControlObj>(4);
  ASSERT_TRUE(Edit && Check && Combo && Text && Reset);
  Edit->Control()->SetFocus();
  Key(VK_END);
  Display->TypeText("ed");
  ClickControl(Check->Control());
  Combo->Control()->SetFocus();
  Key(VK_DOWN);
  Key(VK_DOWN);
  Text->Control()->SetFocus();
  Display->TypeText("new ");
  Pump();
  Doc->Forms->FormList[0]->Submit();
  EXPECT_EQ(LastPairs(), (Pairs{"q=started", "c=on", "s=three", "t=new orig"}));
  ClickControl(Reset->Control());
  Doc->Forms->FormList[0]->Submit();
  EXPECT_EQ(LastPairs(), (Pairs{"q=start", "s=one", "t=orig"}));
}

TEST_F(FormsTest, RadioGroupsByNameWithArrowKeys)
{
  Load("<form><input type=radio name=r value=1><input type=radio name=r value=2 checked>"
       "<input type=radio name=R value=3><input type=radio name=other value=4 checked></form>");
  auto R = [&](std::size_t I) { return As<TRadioButtonFormControlObj>(I); };
  ASSERT_TRUE(R(0) && R(1) && R(2) && R(3));
  auto Focused = [&]() -> int {
    for (std::size_t I = 0; I < 4; ++I)
      if (R(I)->Control()->Focused())
        return int(I);
    return -1;
  };
  // The last of the group ("r" and "R": names compare without case).
  R(2)->Control()->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(Focused(), 2) << "not past the last";
  Key(VK_LEFT);
  EXPECT_EQ(Focused(), 1);
  Key(VK_UP);
  EXPECT_EQ(Focused(), 0);
  Key(VK_UP);
  EXPECT_EQ(Focused(), 0) << "not before the first";
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), 1);
  // A click checks one and clears the rest of its group only.
  ClickControl(R(0)->Control());
  EXPECT_TRUE(R(0)->Widget()->FormChecked());
  EXPECT_FALSE(R(1)->Widget()->FormChecked());
  EXPECT_TRUE(R(3)->Widget()->FormChecked());
  Doc->Forms->FormList[0]->Submit();
  EXPECT_EQ(LastPairs(), (Pairs{"r=1", "other=4"}));
}

TEST_F(FormsTest, FormRadioButtonCheckedSetToItsValueDoesNothing)
{
  Load("<input type=radio name=r value=1 onclick=\"clicked\">");
  auto* R = As<TRadioButtonFormControlObj>(0);
  int Clicks = 0;
  Doc->Forms->OnObjectClick = [&](TFormControlObj*, const std::string& S) { Clicks += S == "clicked"; };
  R->Widget()->SetFormChecked(false);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(SendMessage(R->Control()->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  R->Widget()->SetFormChecked(true);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(R->Control()->TabStop());
  EXPECT_EQ(SendMessage(R->Control()->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  R->Widget()->SetFormChecked(true);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(R->Control()->Perform(WM_GETDLGCODE, 0, 0), LRESULT(DLGC_WANTARROWS));
}

TEST_F(FormsTest, ChangeFocusAndBlurEvents)
{
  Load("<input name=a onchange=changed onfocus=in onblur=out><input name=b>"
       "<select name=s multiple onchange=listchanged><option>x<option>y</select>");
  std::vector<std::string> Heard;
  auto Record = [&](TFormControlObj*, const std::string& S) { Heard.push_back(S); };
  Doc->Forms->OnObjectChange = Record;
  Doc->Forms->OnObjectFocus = Record;
  Doc->Forms->OnObjectBlur = Record;
  TFormControlObj* Notified = nullptr;
  Doc->Forms->OnControlFocus = [&](TFormControlObj* C) { Notified = C; };
  Control(0)->Control()->SetFocus();
  EXPECT_EQ(Notified, Control(0));
  EXPECT_TRUE(Control(0)->Focused);
  Control(1)->Control()->SetFocus();  // left without a change
  EXPECT_EQ(Heard, (Pairs{"in", "out"}));
  Control(0)->Control()->SetFocus();
  Display->TypeText("z");
  Pump();
  Control(1)->Control()->SetFocus();
  EXPECT_EQ(Heard, (Pairs{"in", "out", "in", "changed", "out"}));
  EXPECT_FALSE(Control(0)->Focused);
  // A list: its selection is compared item by item.
  Heard.clear();
  auto* List = As<TListBoxFormControlObj>(2);
  List->Control()->SetFocus();
  List->List()->SetSelected(1, true);
  Control(1)->Control()->SetFocus();
  EXPECT_EQ(Heard, (Pairs{"listchanged"}));
}

TEST_F(FormsTest, ControlsMoveWithTheDocumentAndAreNotRemade)
{
  std::string Html = "<p>Top line</p>";
  for (int I = 0; I < 6; ++I)
    Html += "<p>Field <input name=f" + std::to_string(I) + "></p>";
  Load(Html);
  TWinControl* Third = Control(2)->Control();
  const int Left = Third->Left(), Top = Third->Top();
  EXPECT_EQ(Control(2)->YPosition(), Top);
  Doc->YOff = 30;
  Layout(360);
  EXPECT_EQ(Third->Top(), Top - 30);
  EXPECT_EQ(Third->Left(), Left);
  // A narrower page: the same windows, moved.
  Doc->YOff = 0;
  const std::size_t Children = std::size_t(Panel->ControlCount());
  Layout(120);
  EXPECT_EQ(Control(2)->Control(), Third);
  EXPECT_EQ(std::size_t(Panel->ControlCount()), Children);
  // After a scroll, what the paint did not place leaves the page.
  Doc->YOff = 100000;
  Doc->Forms->ParkUnplaced = true;
  Layout(120);
  EXPECT_EQ(Third->Left(), TFormControlObj::ParkedLeft);
}

TEST_F(FormsTest, SizesFromTheFontAndTheStyle)
{
  Load("<input size=10><input size=\"7, 2\"><input size=\"x, y\"><input size=\"4\" style=\"width: 80px\">"
       "<input type=checkbox><input type=radio><textarea rows=2 cols=4></textarea>"
       "<input type=submit value=Go><input size=2000000000>");
  const THtmlFontDesc& F = Control(0)->Font;
  const int Zero = TextWidth(TestFonts(), F, u"0", 1);
  EXPECT_EQ(Control(0)->Width, Zero * 10 + 20);
  EXPECT_EQ(Control(1)->Width, Zero * 7 + 20);
  EXPECT_EQ(Control(2)->Width, Zero * 20 + 20) << "no number before the comma and the space: 20";
  EXPECT_EQ(Control(3)->Width, 80);
  EXPECT_EQ(Control(4)->Width, 13);
  EXPECT_EQ(Control(4)->Height, 13);
  EXPECT_EQ(Control(5)->Width, 13);
  EXPECT_EQ(Control(5)->Height, 14);
  const int H = TestFonts().Metrics(F).Height;
  EXPECT_EQ(Control(6)->Height, H * 2 + 5 + 4);
  EXPECT_EQ(Control(7)->Height, H + 8);
  EXPECT_EQ(Control(7)->Width, TextWidth(TestFonts(), F, u"Go", 2) + 20);
  EXPECT_LE(Control(8)->Width, 32767) << "a huge SIZE is bounded";
}

TEST_F(FormsTest, ImageInputSendsTheClickOnce)
{
  Load("<form><input type=image name=map src=none.gif><input type=hidden name=h value=1></form>");
  auto* Image = As<TImageFormControlObj>(0);
  ASSERT_TRUE(Image && Image->Picture);
  Image->ImageClicked(12, 7);
  EXPECT_EQ(LastPairs(), (Pairs{"map.x=12", "map.y=7", "h=1"}));
  Doc->Forms->FormList[0]->Submit();
  EXPECT_EQ(LastPairs(), (Pairs{"h=1"}));
  Doc->Clear();
  Load("<form><input type=image src=none.gif></form>");
  As<TImageFormControlObj>(0)->ImageClicked(3, 4);
  EXPECT_EQ(LastPairs(), (Pairs{"x=3", "y=4"}));
}

TEST_F(FormsTest, HardWrapSendsTheLinesAsShown)
{
  for (const char* Wrap : {"hard", "soft"}) {
    Doc->Clear();
    Load(std::string("<form><textarea name=t cols=3 wrap=") + Wrap + ">alpha beta</textarea></form>");
    auto* T = As<TTextAreaFormControlObj>(0);
    ASSERT_TRUE(T);
    T->Control()->SetBounds(0, 0, 70, 80);  // two words do not fit on one line
    Doc->Forms->FormList[0]->Submit();
    const std::string Expected = std::string(Wrap) == "hard" ? "t=alpha \r\nbeta" : "t=alpha beta";
    EXPECT_EQ(LastPairs(), (Pairs{Expected})) << Wrap;
  }
}

TEST_F(FormsTest, AFileInputHandsItsEditToTheBrowseEvent)
{
  Load("<input type=file name=up>");
  auto* Edit = As<TEditFormControlObj>(0);
  auto* Browse = As<TButtonFormControlObj>(1);
  ASSERT_TRUE(Edit && Browse);
  EXPECT_EQ(Browse->Control()->Caption(), "Browse...");
  Doc->Forms->OnFileBrowse = [](TFormControlObj*, std::string& Name) { Name += "/chosen.txt"; };
  ClickControl(Browse->Control());
  EXPECT_EQ(Edit->Edit()->Text(), "/chosen.txt");
}

TEST_F(FormsTest, AFormWithEveryKind)
{
  Load("<form><p>Nom <input name=n value=\"Jean\"> Code <input type=password name=p value=abc size=6></p>"
       "<p><input type=checkbox name=c checked> case <input type=radio name=r checked> un "
       "<input type=radio name=r> deux <input type=hidden name=h value=1></p>"
       "<p><select name=s><option>rouge<option>vert</select> "
       "<select name=l size=3 multiple><option selected>a<option>b<option selected>c</select> "
       "<textarea name=t rows=3 cols=10>Bonjour</textarea></p>"
       "<p><input type=submit value=Envoyer> <input type=reset value=Effacer> <input type=button value=Autre> "
       "<input type=file name=f> <input type=image name=i src=none.gif alt=img width=24 height=24></p></form>",
       340);
  Panel->Invalidate();
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  HDC DC = GetDC(Panel->Handle());
  TPixelImage Picture = CaptureDC(DC);
  ReleaseDC(Panel->Handle(), DC);
  ASSERT_GE(Picture.Width, 340);
  ASSERT_GE(Picture.Height, 230);
  TPixelImage Part;
  Part.Width = 340;
  Part.Height = 230;
  for (int Y = 0; Y < Part.Height; ++Y)
    for (int X = 0; X < Part.Width; ++X)
      Part.Pixels.push_back(Picture.Pixels[std::size_t(Y * Picture.Width + X)]);
  const std::string Path = std::string(CORVANE_HTML_GOLDEN_DIR) + "/form-controls.png";
  if (std::getenv("CORVANE_UPDATE_GOLDENS"))
    WritePng(Path, Part);
  std::string Message;
  EXPECT_TRUE(MatchesGolden(Part, Path, &Message)) << Message;
  // Every control sits on the page, and none overlaps the next on its line.
  TWinControl* Previous = nullptr;
  for (TFormControlObj* C : Doc->Forms->ControlList) {
    if (C->IsHidden())
      continue;
    TWinControl* W = C->Control();
    EXPECT_GE(W->Left(), 0) << C->Name;
    if (Previous && Previous->Top() == W->Top()) {
      EXPECT_GE(W->Left(), Previous->Left() + Previous->Width()) << C->Name;
    }
    Previous = W;
  }
}

TEST_F(FormsTest, TabIndexesOrderTheControlsByNumber)
{
  // Numbers of any width compare as numbers, not as text.
  Load("<input name=a tabindex=100000><input name=b tabindex=99999><input name=c tabindex=2>"
       "<input name=d tabindex=99999>");
  const int A = Control(0)->Control()->TabOrder(), B = Control(1)->Control()->TabOrder();
  const int C = Control(2)->Control()->TabOrder(), D = Control(3)->Control()->TabOrder();
  EXPECT_LT(C, B);
  EXPECT_LT(B, D) << "equal indexes keep document order";
  EXPECT_LT(D, A);
}
