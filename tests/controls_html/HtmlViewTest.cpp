// The viewer control on a form of the headless display, driven by
// synthetic input on the virtual clock: loading the chat conversation as the
// chat window does, the bars, positions, properties, selection with the
// mouse and Shift, double-click words, keys and the wheel, panning and the
// automatic scroll, hover, links by extension, visited links and the
// history, copying to the clipboard and finding text.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <set>
#include <fstream>

#include "../platform_classes/ClassesTestSupport.h"
#include "ChatDocument.h"
#include "ChatViewer.h"
#include "LayoutDump.h"
#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/parser/AppendOnlyText.h"
#include "platform/base/Stream.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/html/viewer/ScrollBar32.h"
#include "platform/base/Exception.h"
#include "platform/base/Utf.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// Records what the viewer reports.
struct TRecorder {
  std::vector<std::string> Covered;
  std::vector<std::string> Opened;
  int HistoryChanges = 0;
  int ParseBegins = 0;
  THtmlView* Viewer = nullptr;
  void HotSpotCovered(TObject*, const std::string& Src) { Covered.push_back(Src); }
  void HistoryChange(TObject*) { ++HistoryChanges; }
  // A load started from inside a load is ignored.
  void ParseBegin(TObject*, std::string&)
  {
    ++ParseBegins;
    Viewer->LoadFromString("<BODY>nested</BODY>");
  }
};

class HtmlViewTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Viewer = MakeChatViewerOnForm(Form);
    Viewer->OpenWebLink = [this](const std::string& Url) { Rec.Opened.push_back(Url); };
    Rec.Viewer = Viewer;
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }

  void LoadChat(int Messages)
  {
    TStringList Lines;
    Lines.SetText(ChatDocument(Messages));
    Viewer->LoadFromLines(Lines, "");
    Pump();
  }
  TPoint ScreenOf(int Pos) { return ScreenPointOf(*Viewer, Pos); }
  TPoint PanelToScreen(int X, int Y) { return Viewer->PaintPanel()->ClientToScreen(TPoint(X, Y)); }
  void ClickAt(TPoint P, bool Shift = false)
  {
    if (Shift)
      Display->KeyDown(VK_SHIFT);
    Display->Click(P.x, P.y);
    if (Shift)
      Display->KeyUp(VK_SHIFT);
    Pump();
    THeadlessDisplay::Advance(1000);  // no double click with the next one
  }
  std::u16string ClipboardText()
  {
    std::u16string S;
    if (!OpenClipboard(nullptr))
      return S;
    if (HANDLE H = GetClipboardData(CF_UNICODETEXT))
      if (auto* P = static_cast<const char16_t*>(GlobalLock(H))) {
        S = P;
        GlobalUnlock(H);
      }
    CloseClipboard();
    return S;
  }
  std::string ClipboardHtml()
  {
    std::string S;
    if (!OpenClipboard(nullptr))
      return S;
    if (HANDLE H = GetClipboardData(RegisterClipboardFormat("HTML Format")))
      if (auto* P = static_cast<const char*>(GlobalLock(H))) {
        S = P;
        GlobalUnlock(H);
      }
    CloseClipboard();
    return S;
  }
  int PositionOf(const std::u16string& Word) { return DocumentPositionOf(Viewer->SectionList(), Word); }
  TPixelImage Capture(HWND Window, int W, int H)
  {
    TPixelImage Img;
    Img.Width = W;
    Img.Height = H;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        Img.Pixels.push_back(Display->Pixel(Window, X, Y));
    return Img;
  }

  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;
  TRecorder Rec;
};

std::string TempFolder(const std::string& Name)
{
  // A folder of this process alone: test cases run in parallel processes.
  const std::filesystem::path P = std::filesystem::temp_directory_path() / (Name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(P);
  return P.string();
}

void WriteFile(const std::string& Path, const std::string& Text)
{
  std::ofstream(Path, std::ios::binary) << Text;
}

}  // namespace

TEST_F(HtmlViewTest, LoadFromLinesShowsTheTopWithTheBarPlaced)
{
  LoadChat(2);
  EXPECT_FALSE(Viewer->VScrollBar()->Visible()) << "two messages fit";
  EXPECT_EQ(Viewer->DocumentTitle(), u"On ne devrait pas voir cela");
  EXPECT_EQ(Viewer->PaintPanel()->Width(), 300 - 2);

  LoadChat(40);
  ASSERT_GT(Viewer->DocumentHeight(), 200);
  EXPECT_TRUE(Viewer->VScrollBar()->Visible());
  EXPECT_EQ(Viewer->PaintPanel()->Width(), 300 - 2 - Viewer->ScrollBarWidth());
  EXPECT_EQ(Viewer->VScrollBar()->Max32(), Viewer->DocumentHeight());
  EXPECT_EQ(Viewer->VScrollBar()->Page32(), Viewer->PaintPanel()->Height() + 1);
  EXPECT_EQ(Viewer->GetVScrollPos(), 0);

  // Scrolled down, a reload with an empty reference shows the top again.
  Viewer->SetVScrollPos(500);
  EXPECT_EQ(Viewer->GetVScrollPos(), 500);
  EXPECT_EQ(Viewer->SectionList().YOff, 500);
  LoadChat(41);
  EXPECT_EQ(Viewer->GetVScrollPos(), 0);

  // Positions past the end are clamped; positions survive a re-layout
  // relative to their anchor.
  Viewer->SetVScrollPos(1 << 30);
  EXPECT_EQ(Viewer->GetVScrollPos(), Viewer->DocumentHeight() - Viewer->PaintPanel()->Height());
  Viewer->SetVScrollPos(300);
  const int Packed = Viewer->GetPosition();
  EXPECT_GE(Packed >> 16, 1);
  Viewer->SetVScrollPos(0);
  Viewer->SetPosition(Packed);
  EXPECT_EQ(Viewer->GetVScrollPos(), 300);

  // A load from an event during a load does nothing.
  Viewer->OnParseBegin = TParseEvent(&Rec, &TRecorder::ParseBegin);
  Viewer->LoadFromString("<BODY>outer</BODY>");
  EXPECT_EQ(Rec.ParseBegins, 1);
  EXPECT_NE(Viewer->DocumentSource().find("outer"), std::string::npos);
  EXPECT_FALSE(Viewer->Processing());
}

TEST_F(HtmlViewTest, TheChatConversationPaintsAsTheGoldenPicture)
{
  // A dark page painted first at the same size (long enough for the bar)
  // leaves nothing behind in the off-screen bitmap the panel keeps between
  // paints.
  std::string Dark = "<BODY BGCOLOR=black TEXT=white>";
  for (int I = 0; I < 40; ++I)
    Dark += "<H1>sombre</H1>";
  Viewer->LoadFromString(Dark + "</BODY>");
  Viewer->Repaint();
  Pump();
  const int DarkWidth = Viewer->PaintPanel()->Width(), DarkHeight = Viewer->PaintPanel()->Height();
  LoadChat(3);
  Viewer->Repaint();
  Pump();
  ASSERT_EQ(Viewer->PaintPanel()->Width(), DarkWidth);
  ASSERT_EQ(Viewer->PaintPanel()->Height(), DarkHeight);
  const TPixelImage Picture = Capture(Viewer->PaintPanel()->Handle(), Viewer->PaintPanel()->Width(),
                                      Viewer->PaintPanel()->Height());
  const std::string Path = std::string(CORVANE_HTML_GOLDEN_DIR) + "/viewer-chat.png";
  if (std::getenv("CORVANE_UPDATE_GOLDENS"))
    WritePng(Path, Picture);
  std::string Message;
  EXPECT_TRUE(MatchesGolden(Picture, Path, &Message)) << Message;
  // The own message's fill shows.
  EXPECT_NE(std::find(Picture.Pixels.begin(), Picture.Pixels.end(), 0xAACCAAu), Picture.Pixels.end());
}

TEST_F(HtmlViewTest, PropertySettersClamp)
{
  Viewer->SetImageCacheCount(25);
  EXPECT_EQ(Viewer->ImageCacheCount(), 20);
  Viewer->SetImageCacheCount(-1);
  EXPECT_EQ(Viewer->ImageCacheCount(), 0);
  Viewer->SetPrintScale(10);
  EXPECT_EQ(Viewer->PrintScale(), 4.0);
  Viewer->SetPrintScale(0.1);
  EXPECT_EQ(Viewer->PrintScale(), 0.25);
  Viewer->SetServerRoot("  c:\\web\\ ");
  EXPECT_EQ(Viewer->ServerRoot(), "c:\\web");
  Viewer->SetVisitedMaxCount(-3);
  EXPECT_EQ(Viewer->VisitedMaxCount(), 0);
  Viewer->SetHistoryMaxCount(-1);
  EXPECT_EQ(Viewer->HistoryMaxCount(), 0);
  // The cache limit reaches the cache once it exists.
  LoadChat(1);
  Viewer->SetImageCacheCount(7);
  EXPECT_EQ(Viewer->SectionList().ImageCache()->CacheLimit(), 7);
}

TEST_F(HtmlViewTest, AMissingFileRaisesAndChangesNothing)
{
  LoadChat(2);
  const std::string Before = Viewer->DocumentSource();
  const TCursor Cursor = Screen()->Cursor();
  try {
    Viewer->LoadFromFile("/nonexistent/corvane/page.htm");
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.Message(), "Can't locate file: /nonexistent/corvane/page.htm");
  }
  EXPECT_EQ(Viewer->DocumentSource(), Before);
  EXPECT_EQ(Viewer->CurrentFile(), "");
  EXPECT_FALSE(Viewer->Processing());
  EXPECT_EQ(Screen()->Cursor(), Cursor);
}

// The viewer keeps a parsed source only once, inside its build, which a load
// frees: the source it shows, handed back to it, still loads whole, and a
// cleared viewer still answers with it.
TEST_F(HtmlViewTest, TheShownSourceLoadsAgainAndOutlivesTheDocument)
{
  LoadChat(3);
  const std::string Before = Viewer->DocumentSource();
  ASSERT_FALSE(Before.empty());
  Viewer->SelectAll();
  const std::string Selected = Viewer->SelHtml();
  Viewer->LoadFromString(Viewer->DocumentSource());
  EXPECT_EQ(Viewer->DocumentSource(), Before);
  Viewer->SelectAll();
  EXPECT_EQ(Viewer->SelHtml(), Selected);
  Viewer->Clear();
  EXPECT_EQ(Viewer->DocumentSource(), Before);
}

TEST_F(HtmlViewTest, AnAppendOnlyTextIsReadWhereItIsAndOnlyWhatIsAddedIsParsed)
{
  auto Text = std::make_shared<TAppendOnlyText>();
  Text->Append(ChatDocument(2));
  Viewer->ShowAppendOnlyText(Text);
  const int Whole = Viewer->WholeParses();
  // Each message grows the text past its room: the owner moves it.
  for (int I = 1; I <= 3; ++I) {
    Text->Append("<BR>\r\n<DIV>encore " + std::to_string(I) + " " + std::string(5000 * I, 'x') + "</DIV>\r\n");
    Viewer->ShowAppendOnlyText(Text);
  }
  Pump();
  EXPECT_EQ(Viewer->WholeParses(), Whole);
  // The viewer's source is the owner's text itself, not a copy of it.
  EXPECT_EQ(&Viewer->DocumentSource(), &Text->Str());
  const std::string ReadOn = DocumentLayoutDump(Viewer->SectionList());
  Viewer->SelectAll();
  const std::string Selected = Viewer->SelHtml();
  EXPECT_NE(Selected.find("encore 3"), std::string::npos);

  // The same text loaded whole shows and copies the same.
  const std::string Copy = Text->Str();
  Viewer->LoadFromString(Copy);
  Pump();
  EXPECT_EQ(DocumentLayoutDump(Viewer->SectionList()), ReadOn);
  Viewer->SelectAll();
  EXPECT_EQ(Viewer->SelHtml(), Selected);
  // Any other load lets go of the owner's text.
  EXPECT_EQ(Text.use_count(), 1);
  EXPECT_EQ(Viewer->DocumentSource(), Copy);

  // Shown again after another load, or after a change that is not an
  // append, the text is loaded whole.
  Viewer->ShowAppendOnlyText(Text);
  EXPECT_EQ(Viewer->WholeParses(), Whole + 2);
  Text->Rewrite().replace(Text->Str().find("encore 1"), 8, "autre 1");
  Text->Append("<BR>\r\n");
  Viewer->ShowAppendOnlyText(Text);
  EXPECT_EQ(Viewer->WholeParses(), Whole + 3);
  Viewer->SelectAll();
  EXPECT_NE(Viewer->SelHtml().find("autre 1"), std::string::npos);

  // Cleared, the viewer keeps the source as it was shown, as its own.
  const std::string Shown = Text->Str();
  Viewer->Clear();
  EXPECT_EQ(Text.use_count(), 1);
  Text->Append("<P>plus tard\r\n");
  EXPECT_EQ(Viewer->DocumentSource(), Shown);
}

TEST_F(HtmlViewTest, ShiftClickSelectsAndCopyGivesTheExactText)
{
  Viewer->LoadFromString("<BODY><P>alpha beta gamma delta</P><P>second &amp; last</P></BODY>");
  Pump();
  const int Alpha = PositionOf(u"alpha"), Delta = PositionOf(u"delta"), Last = PositionOf(u"last");
  ASSERT_GE(Alpha, 0);
  ClickAt(ScreenOf(Alpha));
  EXPECT_EQ(Viewer->SelLength(), 0);
  ClickAt(ScreenOf(Delta), true);
  EXPECT_EQ(Viewer->SelText(), u"alpha beta gamma ");
  // Extending again with Shift from the same caret.
  ClickAt(ScreenOf(Last + 4), true);
  EXPECT_EQ(Viewer->SelText(), u"alpha beta gamma delta\r\n\r\nsecond & last");
  Viewer->SetFocus();
  Display->KeyDown(VK_CONTROL);
  Display->PressKey('C', 'c');
  Display->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(ClipboardText(), u"alpha beta gamma delta\r\n\r\nsecond & last");
  const std::string Html = ClipboardHtml();
  EXPECT_NE(Html.find("StartFragment:"), std::string::npos);
  EXPECT_NE(Html.find("<!--StartFragment-->alpha beta gamma delta</P><P>second &amp; last<!--EndFragment-->"),
            std::string::npos)
      << Html;

  // Dragging selects from the press to the release.
  const int Beta = PositionOf(u"beta");
  const TPoint From = ScreenOf(Beta), To = ScreenOf(Beta + 4);
  Display->MoveMouse(From.x, From.y);
  Display->Press();
  Display->MoveMouse(To.x, To.y);
  Display->Release();
  Pump();
  EXPECT_EQ(Viewer->SelText(), u"beta");
}

TEST_F(HtmlViewTest, DoubleClickSelectsTheWord)
{
  Viewer->LoadFromString("<BODY>foo-bar \xC3\xA9lan <A HREF=\"#x\">lien</A></BODY>");
  Pump();
  struct {
    std::u16string At;
    int Offset;
    std::u16string Word;
  } Cases[] = {{u"bar", 1, u"bar"}, {u"\u00E9lan", 2, u"\u00E9lan"}, {u"foo", 0, u"foo"}};
  for (const auto& C : Cases) {
    const TPoint P = ScreenOf(PositionOf(C.At) + C.Offset);
    Display->Click(P.x, P.y);
    Display->Click(P.x, P.y);
    Pump();
    THeadlessDisplay::Advance(1000);
    EXPECT_EQ(Viewer->SelText(), C.Word);
  }
  // A blank selects nothing.
  std::u16string Word;
  int After = 0, Before = 0;
  const TPoint Blank = Viewer->PaintPanel()->ScreenToClient(ScreenOf(PositionOf(u" \u00E9lan")));
  EXPECT_FALSE(Viewer->GetWordAt(Blank.x, Blank.y, Word, After, Before));
  // A double click right after a click that followed a link selects nothing.
  Viewer->SetSelection(0, 0);
  const TPoint Link = ScreenOf(PositionOf(u"lien") + 1);
  Display->Click(Link.x, Link.y);
  Display->Click(Link.x, Link.y);
  Pump();
  EXPECT_EQ(Viewer->SelLength(), 0);
}

TEST_F(HtmlViewTest, KeysAndWheelScroll)
{
  LoadChat(60);
  Viewer->SetFocus();
  Pump();
  struct {
    BYTE Key;
    int Expected;
  } Keys[] = {{VK_DOWN, 16}, {VK_DOWN, 32}, {VK_UP, 16}, {VK_NEXT, 16 + Viewer->VScrollBar()->LargeChange()},
              {VK_HOME, 0}};
  for (const auto& K : Keys) {
    Display->PressKey(K.Key);
    Pump();
    EXPECT_EQ(Viewer->GetVScrollPos(), K.Expected) << int(K.Key);
  }
  Display->PressKey(VK_END);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), Viewer->DocumentHeight() - Viewer->PaintPanel()->Height());
  Display->PressKey(VK_HOME);
  Pump();
  // Three wheel lines: 48 pixels per wheel message, whatever the delta.
  const TPoint P = PanelToScreen(50, 50);
  Display->MoveMouse(P.x, P.y);
  Display->Wheel(-120);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 48);
  Display->Wheel(-360);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 96);
  Display->Wheel(120);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 48);
}

TEST_F(HtmlViewTest, PanningStepsWithTheClock)
{
  LoadChat(60);
  struct {
    int Move;
    int Step;
  } Cases[] = {{21, 8}, {61, 32}, {20, 0}};
  for (const auto& C : Cases) {
    Viewer->SetVScrollPos(1000);
    const TPoint Start = PanelToScreen(100, 80);
    Display->MoveMouse(Start.x, Start.y);
    Display->Press(2);
    Display->Release(2);
    Pump();
    ASSERT_TRUE(Viewer->Panning());
    Display->MoveMouse(Start.x, Start.y + C.Move);
    Pump();
    EXPECT_EQ(Viewer->GetVScrollPos(), 1000 + C.Step) << C.Move << ": the first step at once";
    THeadlessDisplay::Advance(100);
    Pump();
    EXPECT_EQ(Viewer->GetVScrollPos(), 1000 + 2 * C.Step) << C.Move;
    // Any press ends panning.
    Display->Press();
    Display->Release();
    Pump();
    EXPECT_FALSE(Viewer->Panning());
    THeadlessDisplay::Advance(1000);
    Pump();
  }
  // Upwards, with the cursor that says so.
  Viewer->SetVScrollPos(1000);
  const TPoint Start = PanelToScreen(100, 100);
  Display->MoveMouse(Start.x, Start.y);
  Display->Press(2);
  Display->Release(2);
  Display->MoveMouse(Start.x, Start.y - 61);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 1000 - 32);
  EXPECT_EQ(Viewer->PaintPanel()->Cursor(), UpOnlyCursor);
  Display->PressKey(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(Viewer->Panning());
}

TEST_F(HtmlViewTest, SelectingAboveTheTopScrollsUp)
{
  LoadChat(60);
  Viewer->SetVScrollPos(2000);
  const TPoint Inside = PanelToScreen(40, 50);
  Display->MoveMouse(Inside.x, Inside.y);
  Display->Press();
  const TPoint Above = PanelToScreen(40, -16);
  Display->MoveMouse(Above.x, Above.y);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 2000 - 8 * 16);
  THeadlessDisplay::Advance(100);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 2000 - 16 * 16);
  const TPoint JustAbove = PanelToScreen(40, -5);
  Display->MoveMouse(JustAbove.x, JustAbove.y);
  THeadlessDisplay::Advance(100);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 2000 - 17 * 16);
  Display->Release();
  Pump();
  EXPECT_GT(Viewer->SelLength(), 0);
  THeadlessDisplay::Advance(300);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 2000 - 17 * 16) << "the release ends the scrolling";
}

// The automatic scroll ran in a loop that handled messages inside the
// viewer's handler; closing the window from there left it using a freed
// viewer. It runs on the viewer's timer now, which goes with the viewer.
TEST_F(HtmlViewTest, FreeingTheViewerWhileItScrollsIsSafe)
{
  LoadChat(60);
  const TPoint Start = PanelToScreen(100, 80);
  Display->MoveMouse(Start.x, Start.y);
  Display->Press(2);
  Display->Release(2);
  Display->MoveMouse(Start.x, Start.y + 70);
  Pump();
  ASSERT_GT(Viewer->GetVScrollPos(), 0);
  Form->Free();
  Form = nullptr;
  THeadlessDisplay::Advance(500);
  Pump();
}

TEST_F(HtmlViewTest, HoverReportsLinksAndTheTimerClearsThem)
{
  Viewer->OnHotSpotCovered = THotSpotEvent(&Rec, &TRecorder::HotSpotCovered);
  Viewer->LoadFromString("<BODY>texte <A HREF=\"http://example.invalid/page.html\">lien</A> fin</BODY>");
  Pump();
  const TPoint Link = ScreenOf(PositionOf(u"lien") + 1);
  Display->MoveMouse(Link.x, Link.y);
  Pump();
  ASSERT_EQ(Rec.Covered, (std::vector<std::string>{"http://example.invalid/page.html"}));
  EXPECT_EQ(Viewer->PaintPanel()->Cursor(), HandCursor);
  EXPECT_TRUE(Viewer->HoverTimer()->Enabled());
  THeadlessDisplay::Advance(250);
  Pump();
  EXPECT_TRUE(Viewer->HoverTimer()->Enabled()) << "still over the panel";
  // Leaving the viewer altogether: no move reaches the panel, the timer clears.
  Display->MoveMouse(Form->ClientToScreen(TPoint(400, 300)).x, Form->ClientToScreen(TPoint(400, 300)).y);
  THeadlessDisplay::Advance(250);
  Pump();
  EXPECT_EQ(Rec.Covered, (std::vector<std::string>{"http://example.invalid/page.html", ""}));
  EXPECT_FALSE(Viewer->HoverTimer()->Enabled());
  EXPECT_EQ(Viewer->SectionList().HoverLink, nullptr);
}

TEST_F(HtmlViewTest, LinksAreFollowedByTheirExtension)
{
  const std::string Dir = TempFolder("corvane-viewer-links");
  std::string Filler;
  for (int I = 0; I < 80; ++I)
    Filler += "<P>ligne " + std::to_string(I) + "</P>";
  WriteFile(Dir + "/other.htm", "<BODY>" + Filler + "<A NAME=\"x\">ici</A>" + Filler + "</BODY>");
  WriteFile(Dir + "/note.txt", "texte");
  std::filesystem::copy_file(SmileyDir + "/smiley01.gif", Dir + "/pic.jpeg",
                             std::filesystem::copy_options::overwrite_existing);
  WriteFile(Dir + "/start.htm", "<BODY><A HREF=\"note.txt\">note</A> <A HREF=\"pic.jpeg\">image</A> "
                                "<A HREF=\"other.htm#x\">autre</A> <A HREF=\"http://example.invalid/p.html\">web</A> " +
                                    Filler + "<A NAME=\"bas\">bas</A>" + Filler + "</BODY>");
  Viewer->SectionList().RestrictFiles = false;
  Viewer->SectionList().OnExpandName = nullptr;
  Viewer->SetHistoryMaxCount(5);
  Viewer->OnHistoryChange = TNotifyEvent(&Rec, &TRecorder::HistoryChange);
  Viewer->LoadFromFile(Dir + "/start.htm");
  Pump();
  const std::string Start = Viewer->CurrentFile();
  ASSERT_EQ(Start, Dir + "/start.htm");

  // A text file: nothing.
  ClickAt(ScreenOf(PositionOf(u"note") + 1));
  EXPECT_EQ(Viewer->CurrentFile(), Start);
  // A web address: to the desktop's opener, no error, no load.
  ClickAt(ScreenOf(PositionOf(u"web") + 1));
  EXPECT_EQ(Rec.Opened, (std::vector<std::string>{"http://example.invalid/p.html"}));
  EXPECT_EQ(Viewer->CurrentFile(), Start);
  // A place in this document: scrolled there, with a history entry and a
  // visited entry.
  Viewer->SetHotSpot("#bas", "");
  Viewer->ProcessHotSpotClick();
  EXPECT_GT(Viewer->GetVScrollPos(), 0);
  EXPECT_EQ(Viewer->Visited().Strings(0), Start + "#bas");
  EXPECT_EQ(Rec.HistoryChanges, 1);
  Viewer->SetVScrollPos(0);
  // A picture: loaded as an image document.
  ClickAt(ScreenOf(PositionOf(u"image") + 1));
  EXPECT_EQ(Viewer->CurrentFile(), Dir + "/pic.jpeg");
  EXPECT_EQ(Viewer->FileType(), 2);
  ASSERT_EQ(Viewer->History().Count(), 2);
  // Back: the start page again, where it was scrolled.
  Viewer->GoBack();
  EXPECT_EQ(Viewer->CurrentFile(), Start);
  EXPECT_EQ(Viewer->HistoryIndex(), 1);
  Viewer->GoForward();
  EXPECT_EQ(Viewer->CurrentFile(), Dir + "/pic.jpeg");
  Viewer->GoBack();
  // Another HTML file with a place: loaded, then scrolled there; the link
  // is visited.
  ClickAt(ScreenOf(PositionOf(u"autre") + 1));
  EXPECT_EQ(Viewer->CurrentFile(), Dir + "/other.htm");
  EXPECT_GT(Viewer->GetVScrollPos(), 300);
  EXPECT_EQ(Viewer->Visited().Strings(0), Dir + "/other.htm#x");
  Viewer->GoBack();
  ASSERT_EQ(Viewer->CurrentFile(), Start);
  bool Visited = false;
  for (TFontObj* Link : Viewer->SectionList().LinkList)
    if (Link->UrlTarget().URL == "other.htm#x")
      Visited = Link->Visited;
  EXPECT_TRUE(Visited) << "marked again after the load";
  std::filesystem::remove_all(Dir);
}

TEST_F(HtmlViewTest, TheChatWindowsSettingsKeepNoHistoryAndNoVisitedLinks)
{
  Viewer->OnHistoryChange = TNotifyEvent(&Rec, &TRecorder::HistoryChange);
  Viewer->SetVisitedMaxCount(0);
  std::string Filler;
  for (int I = 0; I < 60; ++I)
    Filler += "<P>ligne</P>";
  Viewer->LoadFromString("<BODY><A HREF=\"#bas\">bas</A>" + Filler + "<A NAME=\"bas\">ici</A>" + Filler + "</BODY>");
  Pump();
  ClickAt(ScreenOf(PositionOf(u"bas") + 1));
  EXPECT_GT(Viewer->GetVScrollPos(), 0);
  EXPECT_EQ(Rec.HistoryChanges, 0);
  EXPECT_EQ(Viewer->History().Count(), 0);
  EXPECT_EQ(Viewer->Visited().Count(), 0);
  for (TFontObj* Link : Viewer->SectionList().LinkList)
    EXPECT_FALSE(Link->Visited);
}

TEST_F(HtmlViewTest, FindSelectsAndShowsTheText)
{
  LoadChat(60);
  EXPECT_TRUE(Viewer->Find(u"DEUXI\u00C8ME", false));
  EXPECT_EQ(Viewer->SelText(), u"Deuxi\u00E8me");
  const int First = Viewer->SelStart();
  EXPECT_TRUE(Viewer->Find(u"Deuxi\u00E8me", true));
  EXPECT_GT(Viewer->SelStart(), First);
  EXPECT_FALSE(Viewer->Find(u"deuxi\u00E8me", true)) << "case kept";
  // The last one is shown.
  while (Viewer->Find(u"Deuxi\u00E8me", true)) {
  }
  EXPECT_GT(Viewer->GetVScrollPos(), 0);
  EXPECT_TRUE(Viewer->Find(u"Deuxi\u00E8me", true, true)) << "backwards";
}

TEST_F(HtmlViewTest, TheFocusBorderFollowsTheFocus)
{
  auto* Other = new TButton(Form);
  Other->SetParent(Form);
  Other->SetBounds(320, 10, 80, 24);
  LoadChat(2);
  Viewer->SetFocus();
  Pump();
  EXPECT_EQ(Viewer->BorderPanel()->BorderStyle(), bsSingle);
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Viewer->BorderPanel()->BorderStyle(), bsNone);
  Viewer->SetBorderStyle(htSingle);
  EXPECT_EQ(Viewer->BorderPanel()->BorderStyle(), bsSingle);
}

// Asking the viewer for its palette, as a paint may, must not make it paint
// again.
TEST_F(HtmlViewTest, ThePaletteQueryDoesNotRepaint)
{
  LoadChat(2);
  Pump();
  TRect R;
  ASSERT_FALSE(GetUpdateRect(Viewer->PaintPanel()->Handle(), &R, FALSE));
  EXPECT_EQ(Viewer->GetPalette(), nullptr);
  EXPECT_FALSE(GetUpdateRect(Viewer->PaintPanel()->Handle(), &R, FALSE));
  EXPECT_FALSE(GetUpdateRect(Viewer->Handle(), &R, FALSE));
}

TEST_F(HtmlViewTest, AnimatedSmileysStepOnTheTimer)
{
  LoadChat(3);
  TSectionList& Doc = Viewer->SectionList();
  ASSERT_FALSE(Doc.AnimList.empty());
  EXPECT_TRUE(Viewer->AnimationTimer()->Enabled());
  auto* Gif = dynamic_cast<TGIFImage*>(Doc.AnimList.front()->Image);
  ASSERT_NE(Gif, nullptr);
  const int First = Gif->CurrentFrame();
  bool Moved = false;
  for (int I = 0; I < 40 && !Moved; ++I) {
    THeadlessDisplay::Advance(50);
    Pump();
    Moved = Gif->CurrentFrame() != First;
  }
  EXPECT_TRUE(Moved);
  Viewer->Clear();
  EXPECT_FALSE(Viewer->AnimationTimer()->Enabled());
  EXPECT_EQ(Viewer->DocumentHeight(), 0);
}

TEST_F(HtmlViewTest, StreamsAndPlainTextLoad)
{
  TStringStream Stream("<BODY><B>gras</B> et <I>italique</I></BODY>");
  Viewer->LoadFromStream(Stream, "");
  EXPECT_GE(PositionOf(u"gras et italique"), 0);
  Viewer->LoadFromString("<B>pas du HTML</B>", "", true);
  EXPECT_GE(PositionOf(u"<B>pas du HTML</B>"), 0);
  EXPECT_EQ(Viewer->FileType(), 1);
}

namespace {
struct TRefresh {
  int Delay = -2;
  std::string Url;
  void Refresh(TObject*, int D, const std::string& U)
  {
    Delay = D;
    Url = U;
  }
};
}  // namespace

TEST_F(HtmlViewTest, MetaRefreshIsReportedAfterTheLoad)
{
  struct {
    const char* Content;
    int Delay;
    const char* Url;
  } Cases[] = {{"5; URL=next.htm", 5, "next.htm"}, {"0", 1, ""}, {"x", -2, ""}};
  for (const auto& C : Cases) {
    TRefresh R;
    Viewer->OnMetaRefresh = TMetaRefreshType(&R, &TRefresh::Refresh);
    TStringList Lines;
    Lines.Add(std::string("<HEAD><META HTTP-EQUIV=\"Refresh\" CONTENT=\"") + C.Content + "\"></HEAD><BODY>x</BODY>");
    Viewer->LoadFromLines(Lines, "");
    EXPECT_EQ(R.Delay, C.Delay) << C.Content;
    EXPECT_EQ(R.Url, C.Url) << C.Content;
  }
}

TEST_F(HtmlViewTest, TheBarsThumbScrollsBeyond32767Pixels)
{
  std::string Page = "<BODY>";
  for (int I = 0; I < 3000; ++I)
    Page += "<P>ligne " + std::to_string(I) + "</P>";
  Viewer->LoadFromString(Page + "</BODY>");
  Pump();
  ASSERT_GT(Viewer->DocumentHeight(), 40000);
  HWND Bar = Viewer->VScrollBar()->Handle();
  SCROLLINFO Info;
  Info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Bar, SB_CTL, &Info));
  EXPECT_EQ(Info.nMax, Viewer->DocumentHeight());
  // The thumb dragged to 40000: the 32-bit track position, not the message's 16 bits.
  Viewer->VScrollBarMoved(SB_THUMBTRACK, 40000);
  EXPECT_EQ(Viewer->GetVScrollPos(), 40000);
  EXPECT_EQ(Viewer->SectionList().YOff, 40000);
  Viewer->VScrollBarMoved(SB_LINEDOWN, 0);
  EXPECT_EQ(Viewer->GetVScrollPos(), 40016);
  Viewer->VScrollBarMoved(SB_BOTTOM, 0);
  EXPECT_EQ(Viewer->GetVScrollPos(), Viewer->DocumentHeight() - Viewer->PaintPanel()->Height());
}

namespace {

// A 32-bit raster filled with Fill, with the tiles drawn over it.
TPixelImage Tiled(TColor Fill, TBitmap* Image, TBitmap* Mask, const TTiling& T, int W = 12, int H = 12)
{
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(W, H, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  TileBackground(DC, TRect(0, 0, W, H), Fill, Image, Mask, T);
  TPixelImage P = CaptureDC(DC);
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  return P;
}

}  // namespace

TEST(PaintPanelTest, BackgroundTilesOnTheRaster)
{
  SetBuiltinFontOnly(true);
  // A 2 x 2 picture: blue and green opaque on the left column, its right
  // column transparent through the mask (white where transparent).
  TBitmap Image, Mask;
  Image.SetPixelFormat(pf32bit);
  Image.SetSize(2, 2);
  Mask.SetPixelFormat(pf32bit);
  Mask.SetSize(2, 2);
  for (int Y = 0; Y < 2; ++Y) {
    Image.Canvas()->SetPixels(0, Y, Y == 0 ? 0xFF0000 : 0x00FF00);
    Image.Canvas()->SetPixels(1, Y, 0x000000);
    Mask.Canvas()->SetPixels(0, Y, 0x000000);
    Mask.Canvas()->SetPixels(1, Y, 0xFFFFFF);
  }
  TTiling T{0, 0, 12, 12};
  TPixelImage P = Tiled(0x0000FF, &Image, &Mask, T);
  auto At = [&](int X, int Y) { return P.Pixels[std::size_t(Y * P.Width + X)]; };
  EXPECT_EQ(At(0, 0), 0x0000FFu) << "opaque: the picture's colour (blue, 0xFF0000 as a colour value)";
  EXPECT_EQ(At(1, 0), 0xFF0000u) << "transparent: the fill shows";
  EXPECT_EQ(At(10, 11), 0x00FF00u) << "tiled to the end";
  EXPECT_EQ(At(11, 11), 0xFF0000u);
  // Without a mask the picture covers its tiles.
  P = Tiled(0x0000FF, &Image, nullptr, T);
  EXPECT_EQ(At(1, 0), 0x000000u);
  // A tile that lies outside the clip: only the fill.
  TBackgroundPlacement Once;
  Once.X = {BgPos::Length, 50, false, false};
  Once.Y = {BgPos::Length, 50, false, false};
  P = Tiled(0x0000FF, &Image, nullptr, CalcBackgroundTiling(Once, 2, 2, 100, 100, 0, 0, TRect(0, 0, 12, 12)));
  EXPECT_EQ(std::count(P.Pixels.begin(), P.Pixels.end(), 0xFF0000u), 144);
  // A 1 x 1 picture is stretched over the covered area in one draw.
  TBitmap Dot;
  Dot.SetPixelFormat(pf32bit);
  Dot.SetSize(1, 1);
  Dot.Canvas()->SetPixels(0, 0, 0x00FF00);
  P = Tiled(0x0000FF, &Dot, nullptr, TTiling{2, 3, 12, 12});
  EXPECT_EQ(At(2, 3), 0x00FF00u);
  EXPECT_EQ(At(11, 11), 0x00FF00u);
  EXPECT_EQ(At(1, 3), 0xFF0000u);
  SetBuiltinFontOnly(false);
}

TEST_F(HtmlViewTest, ABodyBackgroundPictureIsTiledAndScrolls)
{
  std::string Page = "<BODY BACKGROUND=\"s1.gif\">";
  for (int I = 0; I < 80; ++I)
    Page += "<P>ligne</P>";
  Viewer->LoadFromString(Page + "</BODY>");
  Viewer->Repaint();
  Pump();
  HWND Panel = Viewer->PaintPanel()->Handle();
  // In the body's left margin, where no text goes, the picture shows: the
  // white of the background colour where it is transparent, its colours
  // elsewhere, repeating down the panel.
  auto MarginColours = [&](int Top) {
    std::set<uint32_t> C;
    for (int Y = Top; Y < Top + 20; ++Y)
      for (int X = 0; X < 8; ++X)
        C.insert(Display->Pixel(Panel, X, Y));
    return C;
  };
  EXPECT_GE(MarginColours(0).size(), 3u);
  EXPECT_GE(MarginColours(150).size(), 3u);
  EXPECT_FALSE(Viewer->FixedBackground());
  // Scrolled by exactly one line, the pixels move with ScrollWindow.
  std::vector<uint32_t> Row;
  for (int X = 0; X < 100; ++X)
    Row.push_back(Display->Pixel(Panel, X, 100));
  Viewer->SetFocus();
  Display->PressKey(VK_DOWN);
  Pump();
  ASSERT_EQ(Viewer->GetVScrollPos(), 16);
  std::vector<uint32_t> Moved;
  for (int X = 0; X < 100; ++X)
    Moved.push_back(Display->Pixel(Panel, X, 84));
  EXPECT_EQ(Moved, Row);
}

// The BODY's picture goes where its style puts it, once (no-repeat), and
// either scrolls with the document or stays in its place (fixed).
TEST_F(HtmlViewTest, TheBodyPictureKeepsItsStylePositionAndAttachment)
{
  struct TCase {
    const char* Attachment;
    int TopAfterScroll;  // the picture's top on the panel after one line down
  };
  for (const TCase C : {TCase{"scroll", 60 - 16}, TCase{"fixed", 60}}) {
    SCOPED_TRACE(C.Attachment);
    std::string Page = "<BODY STYLE=\"background-image: url(s1.gif); background-repeat: no-repeat; "
                       "background-position: 100px 60px; background-attachment: " +
                       std::string(C.Attachment) + "\">";
    for (int I = 0; I < 80; ++I)
      Page += "<P>&nbsp;</P>";
    Viewer->LoadFromString(Page + "</BODY>");
    Viewer->Repaint();
    Pump();
    HWND Panel = Viewer->PaintPanel()->Handle();
    // The pixels of the panel that are not the white background, in a rectangle.
    auto Painted = [&](int Left, int Top, int Right, int Bottom) {
      int N = 0;
      for (int Y = Top; Y < Bottom; ++Y)
        for (int X = Left; X < Right; ++X)
          N += Display->Pixel(Panel, X, Y) != 0xFFFFFFu;
      return N;
    };
    // The 16 x 16 picture at (100, 60), nothing around it.
    EXPECT_GT(Painted(100, 60, 116, 76), 40);
    EXPECT_EQ(Painted(0, 0, 280, 60) + Painted(0, 76, 280, 180) + Painted(0, 60, 100, 76) +
                  Painted(116, 60, 280, 76),
              0);
    EXPECT_EQ(Viewer->FixedBackground(), std::string(C.Attachment) == "fixed");
    Viewer->SetFocus();
    Display->PressKey(VK_DOWN);
    Pump();
    ASSERT_EQ(Viewer->GetVScrollPos(), 16);
    EXPECT_GT(Painted(100, C.TopAfterScroll, 116, C.TopAfterScroll + 16), 40);
    EXPECT_EQ(Painted(0, 0, 280, C.TopAfterScroll) + Painted(0, C.TopAfterScroll + 16, 280, 180), 0);
  }
}

namespace {
struct TRightClicks {
  std::string URL;
  std::u16string Word;
  int Count = 0;
  void RightClick(TObject*, TRightClickParameters& P)
  {
    ++Count;
    URL = P.URL;
    Word = P.ClickWord;
  }
};
}  // namespace

TEST_F(HtmlViewTest, RightClickReportsTheLinkAndTheWord)
{
  TRightClicks R;
  Viewer->OnRightClick = TRightClickEvent(&R, &TRightClicks::RightClick);
  Viewer->LoadFromString("<BODY>un mot <A HREF=\"page.htm\">lien</A></BODY>");
  Pump();
  const TPoint Word = ScreenOf(PositionOf(u"mot") + 1);
  Display->Click(Word.x, Word.y, 1);
  Pump();
  EXPECT_EQ(R.Count, 1);
  EXPECT_EQ(R.Word, u"mot");
  EXPECT_EQ(R.URL, "");
  THeadlessDisplay::Advance(1000);
  const TPoint Link = ScreenOf(PositionOf(u"lien") + 1);
  Display->Click(Link.x, Link.y, 1);
  Pump();
  EXPECT_EQ(R.URL, "page.htm");
  EXPECT_EQ(R.Word, u"lien");
  EXPECT_EQ(Viewer->CurrentFile(), "") << "a right click follows nothing";
}

TEST_F(HtmlViewTest, ResizingKeepsThePlaceInTheConversation)
{
  LoadChat(40);
  Viewer->SetVScrollPos(700);
  // The position is kept relative to its message: after a narrower layout
  // the same message's top is at the top again (plus the same distance).
  const int Packed = Viewer->GetPosition();
  Viewer->SetBounds(10, 10, 200, 200);
  Pump();
  ASSERT_GT(Viewer->DocumentHeight(), 700);
  EXPECT_EQ(Viewer->GetPosition(), Packed);
  // A document that becomes shorter than the panel goes back to the top.
  Viewer->LoadFromString("<BODY>court</BODY>");
  Viewer->SetBounds(10, 10, 250, 150);
  Pump();
  EXPECT_EQ(Viewer->GetVScrollPos(), 0);
}

TEST_F(HtmlViewTest, ALinkTakesTheFocusWithTabAndEnterFollowsIt)
{
  std::string Filler;
  for (int I = 0; I < 60; ++I)
    Filler += "<P>ligne</P>";
  Viewer->LoadFromString("<BODY><A HREF=\"#bas\">bas</A>" + Filler + "<A NAME=\"bas\">ici</A>" + Filler + "</BODY>");
  Pump();
  Viewer->SetFocus();
  Pump();
  Key(VK_TAB);
  ASSERT_FALSE(Viewer->SectionList().LinkList.empty());
  TFontObj* Link = Viewer->SectionList().LinkList.front();
  ASSERT_TRUE(Link->Focused) << "the link's focus proxy has the focus";
  EXPECT_EQ(Viewer->GetVScrollPos(), 0);
  Key(VK_RETURN, '\r');
  EXPECT_GT(Viewer->GetVScrollPos(), 0) << "Enter followed the link";
}

namespace {
struct TProgressLog {
  std::vector<std::string> Steps;
  void Progress(TObject*, TProgressStage Stage, int Percent)
  {
    Steps.push_back(std::string(Stage == psStarting ? "start " : Stage == psEnding ? "end " : "run ") +
                    std::to_string(Percent));
  }
  void Processing(TObject*, bool On) { Steps.push_back(On ? "on" : "off"); }
};
}  // namespace

TEST_F(HtmlViewTest, ProgressAndProcessingFrameEachLoad)
{
  TProgressLog Log;
  Viewer->OnProgress = THtmlViewProgressEvent(&Log, &TProgressLog::Progress);
  Viewer->OnProcessing = TProcessingEvent(&Log, &TProgressLog::Processing);
  LoadChat(2);
  EXPECT_EQ(Log.Steps, (std::vector<std::string>{"on", "start 0", "end 100", "off"}));
  // Turning pictures off lays the document out again without reloading it.
  Log.Steps.clear();
  Viewer->SetViewImages(false);
  EXPECT_FALSE(Viewer->SectionList().ShowImages);
  EXPECT_EQ(Log.Steps, (std::vector<std::string>{"on", "off"}));
}

TEST_F(HtmlViewTest, AWideDocumentScrollsSideways)
{
  Viewer->SetScrollBars(ssBoth);
  Viewer->LoadFromString("<BODY><TABLE><TR><TD NOWRAP>" + std::string(300, 'w') + "</TD></TR></TABLE>"
                         "<P><IMG SRC=\"s1.gif\" WIDTH=7000 HEIGHT=10></P></BODY>");
  Pump();
  EXPECT_TRUE(Viewer->HScrollBar()->Visible());
  EXPECT_EQ(Viewer->DocumentWidth(), 6000) << "scrolls over 6000 pixels at most";
  Viewer->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(Viewer->HScrollPos(), 15);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Viewer->HScrollPos(), 0);
}

namespace {
struct TSubmits {
  std::vector<std::string> Seen;
  void Submit(TObject*, const std::string& Action, const std::string& Target, const std::string& EncType,
              const std::string& Method, TStringList* Results)
  {
    Seen.push_back(Action + "|" + Target + "|" + EncType + "|" + Method + "|" + (Results ? Results->Text() : ""));
  }
};
}  // namespace

TEST_F(HtmlViewTest, AFormSubmissionReachesOnFormSubmitAfterTheClick)
{
  TSubmits S;
  auto Results = [] {
    auto R = std::make_unique<TStringList>();
    R->Add("nom=Alice");
    return R;
  };
  Viewer->FormSubmitReceived("envoi.cgi", "_top", "", "post", Results());
  Pump();
  EXPECT_TRUE(S.Seen.empty()) << "nothing without OnFormSubmit";
  Viewer->OnFormSubmit = TFormSubmitEvent(&S, &TSubmits::Submit);
  Viewer->FormSubmitReceived("envoi.cgi", "_top", "", "post", Results());
  EXPECT_TRUE(S.Seen.empty()) << "posted, not fired at once";
  Pump();
  EXPECT_EQ(S.Seen, (std::vector<std::string>{"envoi.cgi|_top||post|nom=Alice\r\n"}));
}

TEST_F(HtmlViewTest, ReferencesBecomeFileNames)
{
  const std::string Dir = TempFolder("corvane-viewer-names");
  WriteFile(Dir + "/start.htm", "<BODY>x</BODY>");
  Viewer->LoadFromFile(Dir + "/start.htm");
  Viewer->SetServerRoot("/srv/web");
  struct {
    const char* Reference;
    std::string Expected;
  } Cases[] = {
      {"http://example.invalid/a.html", "http://example.invalid/a.html"},
      {"autre.htm", Dir + "/autre.htm"},
      {"sous\\page.htm", Dir + "/sous/page.htm"},
      {"../haut.htm", std::filesystem::path(Dir).parent_path().string() + "/haut.htm"},
      {"file:///tmp/a%20b.htm", "/tmp/a b.htm"},
      {"\\docs\\x.htm", "/srv/web/docs/x.htm"},
      {"C:\\Windows\\x.htm", "C:/Windows/x.htm"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(Viewer->HTMLExpandFilename(C.Reference), C.Expected) << C.Reference;
  std::filesystem::remove_all(Dir);
}

namespace {
struct TImageEvents {
  std::vector<std::string> Seen;
  void Over(TObject*, TObject* Obj, TShiftState, int X, int Y)
  {
    Seen.push_back(std::string(Obj ? "over " : "over none ") + std::to_string(X) + "," + std::to_string(Y));
  }
  void Click(TObject*, TObject* Obj, TMouseButton Button, TShiftState, int X, int Y)
  {
    Seen.push_back(std::string(Obj && Button == mbLeft ? "click " : "? ") + std::to_string(X) + "," + std::to_string(Y));
  }
};
}  // namespace

TEST_F(HtmlViewTest, ImagesReportTheMouseInTheirOwnCoordinates)
{
  TImageEvents E;
  Viewer->OnImageOver = TImageOverEvent(&E, &TImageEvents::Over);
  Viewer->OnImageClick = TImageClickEvent(&E, &TImageEvents::Click);
  Viewer->LoadFromString("<BODY>voici <IMG SRC=\"s1.gif\"> fin</BODY>");
  Pump();
  const TImageObj* Image = Viewer->SectionList().AnimList.empty() ? nullptr : Viewer->SectionList().AnimList.front();
  ASSERT_NE(Image, nullptr);
  const TPoint P = Viewer->PaintPanel()->ClientToScreen(TPoint(Image->DrawX + 3, Image->DrawY + 2));
  Display->MoveMouse(P.x, P.y);
  Pump();
  ASSERT_FALSE(E.Seen.empty());
  EXPECT_EQ(E.Seen.back(), "over 3,2");
  Display->Click(P.x, P.y);
  Pump();
  EXPECT_EQ(E.Seen.back(), "click 3,2");
}

TEST_F(HtmlViewTest, TheBodyColourFillsThePanel)
{
  Viewer->LoadFromString("<BODY bgcolor=\"#336699\">x</BODY>");
  Viewer->Repaint();
  Pump();
  HWND Panel = Viewer->PaintPanel()->Handle();
  EXPECT_EQ(Display->Pixel(Panel, 200, 150), 0x336699u);
  Viewer->LoadFromString("<BODY>x</BODY>");
  Viewer->Repaint();
  Pump();
  EXPECT_EQ(Display->Pixel(Panel, 200, 150), 0xFFFFFFu) << "the viewer's default background";
}

namespace {
struct TObjectEvents {
  std::vector<std::string> Seen;
  void Click(TObject*, TObject* Obj, const std::string& OnClick) { Seen.push_back((Obj ? "click " : "? ") + OnClick); }
};
}  // namespace

TEST_F(HtmlViewTest, FormControlsReachTheViewersEvents)
{
  TSubmits S;
  TObjectEvents E;
  Viewer->OnFormSubmit = TFormSubmitEvent(&S, &TSubmits::Submit);
  Viewer->OnObjectClick = TObjectClickEvent(&E, &TObjectEvents::Click);
  EXPECT_EQ(Viewer->GetFormData(), nullptr) << "no controls, no form data";
  Viewer->LoadFromString("<BODY><P>haut</P><P style=\"height:600px\">x</P>"
                         "<FORM ACTION=\"envoi.cgi\" METHOD=\"post\"><INPUT TYPE=image NAME=ok SRC=\"s1.gif\">"
                         " <INPUT NAME=nom VALUE=Alice ID=champ> <INPUT TYPE=button VALUE=Go ONCLICK=\"go()\"></FORM>"
                         "</BODY>");
  Pump();
  const std::unique_ptr<TStringList> Data = Viewer->GetFormData();
  ASSERT_NE(Data, nullptr);
  EXPECT_EQ(Data->Text(), "nom=Alice\r\n");

  // The text field's ID is a named place of the document.
  ASSERT_TRUE(Viewer->PositionTo("#champ"));
  Pump();
  EXPECT_GT(Viewer->GetVScrollPos(), 300);

  const auto& Controls = Viewer->SectionList().Forms->ControlList;
  auto* Image = dynamic_cast<TImageFormControlObj*>(Controls.front());
  ASSERT_TRUE(Image && Image->Picture);
  const TPoint P = Viewer->PaintPanel()->ClientToScreen(
      TPoint(Image->Picture->DrawX + 5, Image->Picture->DrawY - Viewer->GetVScrollPos() + 4));
  ClickAt(P);
  EXPECT_EQ(S.Seen, (std::vector<std::string>{"envoi.cgi|||post|ok.x=5\r\nok.y=4\r\nnom=Alice\r\n"}));

  TWinControl* Button = Controls.back()->TheControl();
  ASSERT_NE(Button, nullptr);
  ClickAt(Button->ClientToScreen(TPoint(4, 4)));
  EXPECT_EQ(E.Seen, (std::vector<std::string>{"click go()"}));
}

// A paint looks only near its clip: wherever a long document is scrolled,
// the text above and below in the view is painted, none of it passed over.
TEST_F(HtmlViewTest, ALongDocumentShowsItsTextWhereverTheViewIsScrolled)
{
  std::string Page = "<BODY BGCOLOR=white TEXT=black>";
  for (int I = 0; I < 120; ++I)
    Page += "ligne " + std::to_string(I) + "<BR>";
  Viewer->LoadFromString(Page + "</BODY>");
  Pump();
  const int W = Viewer->PaintPanel()->Width(), H = Viewer->PaintPanel()->Height();
  auto TextIn = [&](const TPixelImage& Shown, int Top, int Bottom) {
    for (int Y = Top; Y < Bottom; ++Y)
      for (int X = 0; X < W; ++X)
        if (Shown.Pixels[std::size_t(Y * W + X)] == 0x000000u)
          return true;
    return false;
  };
  ASSERT_GT(Viewer->DocumentHeight(), 4 * H);
  for (int Pos = 0; Pos + H < Viewer->DocumentHeight(); Pos += 37) {
    Viewer->SetVScrollPos(Pos);
    Viewer->Repaint();
    Pump();
    const TPixelImage Shown = Capture(Viewer->PaintPanel()->Handle(), W, H);
    EXPECT_TRUE(TextIn(Shown, 0, 30)) << "nothing painted at the top of the view at " << Pos;
    EXPECT_TRUE(TextIn(Shown, H - 30, H)) << "nothing painted at the bottom of the view at " << Pos;
  }
}
