// The chat conversation in a viewer in a real X11 window: it shows what the
// headless display renders, the wheel scrolls it, and a selection copied
// with Ctrl+C is read back by another program as text and as text/html.
#include "X11TestSupport.h"

#include "ChatDocument.h"
#include "ChatViewer.h"
#include "TestFonts.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/classes/classes.h"
#include "tests/support/GoldenImage.h"

namespace {

const std::string SmileyDir = std::string(CORVANE_IMAGE_CORPUS_DIR) + "/smileys";
constexpr unsigned long KeyShift = 0xFFE1, KeyControl = 0xFFE3, KeyC = 0x0063;

class ViewerX11Test : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetPosition(poDesigned);
    Form->SetBounds(100, 80, 340, 240);
    Viewer = new THtmlView(Form, TestFonts());
    Viewer->SetParent(Form);
    Viewer->SetBounds(10, 10, 300, 200);
    ApplyChatViewerSettings(*Viewer, SmileyDir);
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(Form->Handle())); }));
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    X11Fixture::TearDown();
  }
  void LoadChat(int Messages)
  {
    TStringList Lines;
    Lines.SetText(ChatDocument(Messages));
    Viewer->LoadFromLines(Lines, "");
    Pump(100);
  }
  TPoint ScreenOf(int Pos) { return ScreenPointOf(*Viewer, Pos); }
  int PositionOf(const std::u16string& Word) { return DocumentPositionOf(Viewer->SectionList(), Word); }

  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;
};

}  // namespace

TEST_F(ViewerX11Test, TheChatShowsAsTheHeadlessRender)
{
  LoadChat(3);
  // The smileys held on their first frame, as the headless render shows them.
  for (TImageObj* Image : Viewer->SectionList().AnimList)
    if (auto* Gif = dynamic_cast<TGIFImage*>(Image->Image)) {
      Gif->SetAnimate(false);
      Gif->SetCurrentFrame(1);
    }
  Viewer->PaintPanel()->Invalidate();
  TPixelImage Golden;
  ASSERT_TRUE(ReadPng(std::string(CORVANE_HTML_GOLDEN_DIR) + "/viewer-chat.png", Golden));
  TPaintPanel* Panel = Viewer->PaintPanel();
  ASSERT_EQ(Golden.Width, Panel->Width());
  ASSERT_EQ(Golden.Height, Panel->Height());
  // The panel's place in the form's X window (which holds its frame too).
  const TPoint Origin = Panel->ClientToScreen(TPoint(0, 0));
  TRect Window;
  GetWindowRect(Form->Handle(), &Window);
  const int Dx = Origin.x - Window.Left, Dy = Origin.y - Window.Top, W = Window.Right - Window.Left;
  std::vector<uint32_t> Shown;
  EXPECT_TRUE(PumpUntil([&] {
    const std::vector<uint32_t> All = ServerPixels(XOf(Form->Handle()), W, Window.Bottom - Window.Top);
    Shown.clear();
    for (int Y = 0; Y < Golden.Height && !All.empty(); ++Y)
      for (int X = 0; X < Golden.Width; ++X)
        Shown.push_back(All[std::size_t((Y + Dy) * W + X + Dx)]);
    return Shown == Golden.Pixels;
  })) << "the X window differs from the headless render";
  if (Shown != Golden.Pixels) {
    TPixelImage Got{Golden.Width, Golden.Height, Shown};
    if (Shown.size() == Golden.Pixels.size())
      WritePng(std::string(CORVANE_HTML_GOLDEN_DIR) + "/viewer-chat-x11-FAILED.png", Got);
  }
}

TEST_F(ViewerX11Test, TheWheelScrollsAndACopiedSelectionReachesAnotherProgram)
{
  LoadChat(40);
  const TPoint Middle = Viewer->PaintPanel()->ClientToScreen(TPoint(100, 100));
  Click(Middle.x, Middle.y, 5);  // one wheel step down
  ASSERT_TRUE(PumpUntil([&] { return Viewer->GetVScrollPos() == 48; })) << Viewer->GetVScrollPos();
  Click(Middle.x, Middle.y, 4);
  ASSERT_TRUE(PumpUntil([&] { return Viewer->GetVScrollPos() == 0; }));

  const int Salut = PositionOf(u"Salut"), Match = PositionOf(u"match");
  ASSERT_GE(Salut, 0);
  const TPoint From = ScreenOf(Salut), To = ScreenOf(Match + 5);
  Click(From.x, From.y);
  Pump(100);
  Key(KeyShift, true);
  Click(To.x, To.y);
  Key(KeyShift, false);
  ASSERT_TRUE(PumpUntil([&] { return Viewer->SelLength() > 0; }));
  EXPECT_EQ(Viewer->SelText(), u"Salut, tu as vu le match");
  Key(KeyControl, true);
  TypeKeySym(KeyC);
  Key(KeyControl, false);
  std::string Text, Html;
  EXPECT_TRUE(PumpUntil([&] { return (Text = Run("xclip -o -selection clipboard 2>/dev/null")) == "Salut, tu as vu le match"; }))
      << Text;
  EXPECT_TRUE(PumpUntil([&] {
    Html = Run("xclip -o -selection clipboard -t text/html 2>/dev/null");
    return Html.find("<!--StartFragment-->Salut, tu as vu le match<!--EndFragment-->") != std::string::npos;
  })) << Html;
}
