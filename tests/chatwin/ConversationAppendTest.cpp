// A chat window shows each new message by reading only its lines on into the
// viewer's document. The differential test here holds the window of
// "tessel.so" against a viewer set up as the chat window sets up its own,
// that loads the whole conversation again after every message: over a
// generated conversation of every message kind (plain text, RTF, the smiley
// processor's HTML, HTML with tags left open, tables, forms, floats, styles,
// a second BODY, an unknown kind), both windows show the same pixels, the
// same layout of every section, the same scroll position, selection, source
// and copied HTML after each message, and the same pixels over the whole document at
// the end; a resize and a change of the viewer's settings on the way.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "api/ChatLibrary.h"
#include "api/ContractTypes.h"
#include "chatwin/MessageDocument.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/text/RasterFontService.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/base/DateTime.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/base/StringList.h"
#include "platform/classes/classes.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/win.h"
#include "plugins/smileys/SmileyReplacer.h"
#include "plugins/smileys/SmileyTable.h"
#include "tests/chatwin/ChatWindowParts.h"
#include "tests/chatwin/HeadlessApplication.h"
#include "tests/chatwin/RecordingHost.h"
#include "tests/controls_html/LayoutDump.h"
#include "tests/platform_base/TempFolder.h"

namespace {

struct TCorpusMessage {
  bool Own;
  MessageKind Kind;
  std::string Text;
};

// Words with what escaping, breaking and smileys meet: markup characters,
// accents, a long unbreakable word, smiley codes.
const char* const AppendWords[] = {"Salut", "tu", "as", "vu", "le", "match", "<promis>", "&", "caf\xC3\xA9",
                                   "d'hier", ":)", ";-)", "tr\xC3\xA8s", "Anticonstitutionnellementissimement",
                                   "a", "ok", "\xE2\x82\xAC", "..."};

// HTML messages, several of them leaving elements open for every later
// message, or bringing what makes the viewer load the whole text again.
const char* const AppendHtml[] = {
    "<b>gras <i>et italique</i> encore gras",
    "</b>fin du gras, <u>soulign\xC3\xA9 ouvert",
    "<font color=\"red\" size=\"+2\">rouge et grand",
    "</font></u>tout ferm\xC3\xA9",
    "<a href=\"http://exemple.org/\">un lien laiss\xC3\xA9 ouvert",
    "</a><div>un bloc ouvert",
    "<p>un paragraphe<p>un autre",
    "</div>le bloc se ferme",
    "<ul><li>un<li>deux<li>trois</ul>",
    "<table border=\"1\"><tr><td>a</td><td>b b b</td></tr><tr><td colspan=\"2\">c</td></tr></table>",
    "<table><tr><td>une table laiss\xC3\xA9""e ouverte",
    "</td></tr></table>et ferm\xC3\xA9""e",
    "<pre>  du texte\r\n    pr\xC3\xA9""format\xC3\xA9</pre>",
    "<span style=\"border: 2px solid blue; background-color: yellow\">encadr\xC3\xA9</span> apr\xC3\xA8s",
    "<style>span.vert {color: green}</style><span class=\"vert\">vert</span>",
    "<h1>un titre",
    "</h1><center>centr\xC3\xA9</center><hr>",
    "<img src=\"absent.gif\" width=\"20\" height=\"15\"> image absente",
    "<div style=\"float: left; width: 60px; height: 40px; background-color: #CCCCCC\">flotte</div>autour",
    "<select><option>un<option selected>deux",
    "<textarea>du texte</textarea> et <input type=\"text\" value=\"champ\">",
    "<!-- un commentaire --> apr\xC3\xA8s le commentaire",
    "<!-- un commentaire laiss\xC3\xA9 ouvert",
    "--> et le voil\xC3\xA0 ferm\xC3\xA9",
    "<i>italique <b",
    "gras coup\xC3\xA9>",
    "&eacute;t&eacute; &amp; &lt;hiver&gt; &#8364; &#x263A;",
    "<body bgcolor=\"#EEEEFF\">un nouveau corps",
    "<span style=\"font-size: 20px\">grand <small>petit</small></span>",
};

std::string AppendRtf(std::mt19937& Random)
{
  static const char* const Runs[] = {"Bonjour", "\\b gras\\b0 ", "caf\\'e9", "\\u233?t\\u233?", "\\par ", "\\tab ",
                                     "{\\i italique}", "deux mots"};
  std::string Rtf = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0 ";
  const int Count = 1 + int(Random() % 8);
  for (int I = 0; I < Count; ++I)
    Rtf += std::string(Runs[Random() % std::size(Runs)]) + " ";
  return Rtf + "}";
}

std::string AppendText(std::mt19937& Random)
{
  std::string Text;
  const int Count = 1 + int(Random() % 25);
  for (int I = 0; I < Count; ++I) {
    if (I > 0)
      Text += Random() % 9 == 0 ? "\r\n" : " ";
    Text += AppendWords[Random() % std::size(AppendWords)];
  }
  return Text;
}

// Every HTML case once, with plain, RTF, smiley and unknown-kind messages
// around them, the user's own messages among them.
std::vector<TCorpusMessage> AppendCorpus(const TSmileyReplacer& Smileys)
{
  std::mt19937 Random(36);
  std::vector<TCorpusMessage> Corpus;
  std::size_t NextHtml = 0;
  for (int I = 0; NextHtml < std::size(AppendHtml) || I < 40; ++I) {
    const bool Own = Random() % 4 == 0;
    const unsigned Kind = Random() % 6;
    if (Kind <= 2 && NextHtml < std::size(AppendHtml)) {
      Corpus.push_back({Own, mkHtml, AppendHtml[NextHtml++]});
    } else if (Kind <= 3) {
      const TReplacedMessage Html = Smileys.Replace(AppendText(Random), mkText);
      Corpus.push_back({Own, Html.Kind, Html.Text});
    } else if (Kind == 4) {
      Corpus.push_back({Own, mkRtf, AppendRtf(Random)});
    } else if (I % 5 == 0) {
      Corpus.push_back({false, MessageKind(7), "inconnu"});
    } else {
      Corpus.push_back({Own, mkText, AppendText(Random)});
    }
  }
  return Corpus;
}

TPixelImage ViewerPixels(THtmlView& Viewer)
{
  // The smileys hold still on their first frame: the window's timer may
  // have moved them while the test waited.
  for (TImageObj* Image : Viewer.SectionList().AnimList)
    if (auto* Gif = dynamic_cast<TGIFImage*>(Image->Image)) {
      Gif->SetAnimate(false);
      Gif->SetCurrentFrame(1);
    }
  Viewer.PaintPanel()->Invalidate();
  Viewer.Update();
  HDC DC = GetWindowDC(Viewer.Handle());
  TPixelImage Shown = CaptureDC(DC);
  ReleaseDC(Viewer.Handle(), DC);
  return Shown;
}

std::string ViewerState(THtmlView& Viewer)
{
  std::ostringstream Out;
  Out << "height " << Viewer.DocumentHeight() << " width " << Viewer.DocumentWidth() << " scroll "
      << Viewer.GetVScrollPos() << ' ' << Viewer.HScrollPos() << " selection " << Viewer.SelStart() << ' '
      << Viewer.SelLength() << " caret " << Viewer.CaretPos() << " background " << Viewer.SectionList().Background
      << '\n';
  return Out.str() + DocumentLayoutDump(Viewer.SectionList());
}

class ConversationAppend : public ::testing::Test {
protected:
  static void SetUpTestSuite() { StartHeadlessApplication(); }
  static void TearDownTestSuite() { StopHeadlessApplication(); }

  void SetUp() override
  {
    recording_host::Calls().clear();
    recording_host::ContactName() = "Bob";
    recording_host::NetworkName() = "TestNet";
    SetRegistryFile(Folder.Write("registry.reg", NewsreaderRegistryText()));
    Module = LoadLibrary(ChatLibraryFileName);
    ASSERT_NE(Module, nullptr);
    NewMessage = reinterpret_cast<TNewMessage>(GetProcAddress(Module, "NewMessage"));
    EndManager = reinterpret_cast<TEndManager>(GetProcAddress(Module, "EndManager"));
    reinterpret_cast<TInitManager>(GetProcAddress(Module, "InitManager"))();
  }
  void TearDown() override
  {
    EndManager();
    FreeLibrary(Module);
    SetRegistryFile("");
  }

  // A viewer as the chat window sets up its own, in a form of its own.
  THtmlView* ReloadingViewer(TForm& Form)
  {
    auto* Viewer = new THtmlView(&Form, Fonts);
    Viewer->SetParent(&Form);
    Viewer->SetDefBackground(clWhite);
    Viewer->SetBorderStyle(htFocused);
    Viewer->SetHistoryMaxCount(0);
    Viewer->SetDefFontName("Times New Roman");
    Viewer->SetDefPreFontName("Courier New");
    Viewer->SetScrollBars(ssVertical);
    Viewer->SetCharSet(DEFAULT_CHARSET);
    TSectionList& Doc = Viewer->SectionList();
    Doc.RestrictFiles = true;
    Doc.AllowedFolders = {NewsreaderFixture + "config/"};
    Doc.LoadLinkedSheets = false;
    return Viewer;
  }

  TTempFolder Folder;
  HMODULE Module = nullptr;
  TNewMessage NewMessage = nullptr;
  TEndManager EndManager = nullptr;
  TRasterFontService Fonts;
};

TEST_F(ConversationAppend, EachMessageShowsWhatAWholeReloadShows)
{
  const TSmileyReplacer Smileys(LoadSmileyTable(NewsreaderFixture + "config/smileys.txt"), NewsreaderFixture);
  const std::vector<TCorpusMessage> Corpus = AppendCorpus(Smileys);
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 900, 700);
  Form.Show();
  THtmlView& B = *ReloadingViewer(Form);
  TStringList Lines;
  for (const std::string& Line : DocumentHead())
    Lines.Add(Line);
  const TDateTime At = EncodeDate(2026, 12, 11) + EncodeTime(3, 4, 5, 0);
  THtmlView* Shown = nullptr;
  TWinControl* ChatForm = nullptr;
  int ReadOn = 0;
  for (std::size_t I = 0; I < Corpus.size(); ++I) {
    SCOPED_TRACE("message " + std::to_string(I) + ": " + Corpus[I].Text);
    const TCorpusMessage& M = Corpus[I];
    if (I == Corpus.size() / 2) {
      // A resize lays out again without parsing; a new setting loads again.
      ChatForm->SetBounds(ChatForm->Left(), ChatForm->Top(), 520, 400);
      for (THtmlView* Viewer : {Shown, &B})
        Viewer->SetDefFontColor(clNavy);
    }
    // A selection made before the message goes, as a load takes it.
    if (Shown) {
      Shown->SetSelection(3, 40);
      B.SetSelection(3, 40);
    }
    const int WholeBefore = Shown ? Shown->WholeParses() : 0;
    const UserID Key(M.Own ? "-0;0;1" : "0;0;1");
    const TDateTime Time = At + double(I) / 86400;
    NewMessage(&Key, Time, M.Text.c_str(), M.Kind);
    Application()->ProcessMessages();
    if (!Shown) {
      ChatForm = dynamic_cast<TWinControl*>(FindControl(FindWindow(nullptr, "Messages avec Bob")));
      ASSERT_NE(ChatForm, nullptr);
      Shown = FindChild<THtmlView>(ChatForm);
      ASSERT_NE(Shown, nullptr);
    } else if (Shown->WholeParses() == WholeBefore) {
      ++ReadOn;
    }
    THtmlView& A = *Shown;
    for (std::string& Line : MessageFragment(M.Own, "Bob", Time, MessageHtml(M.Own, M.Kind, M.Text)))
      Lines.Add(Line);
    B.SetBounds(0, 0, A.Width(), A.Height());
    B.LoadFromLines(Lines, "");
    B.ScrollTo(B.DocumentHeight());

    ASSERT_EQ(A.DocumentSource(), B.DocumentSource());
    ASSERT_EQ(ViewerState(A), ViewerState(B));
    const TPixelImage PixelsA = ViewerPixels(A), PixelsB = ViewerPixels(B);
    ASSERT_EQ(PixelsA.Width, PixelsB.Width);
    ASSERT_EQ(PixelsA.Height, PixelsB.Height);
    ASSERT_TRUE(PixelsA.Pixels == PixelsB.Pixels);
    // What a copy of everything gives, read from the window's own text.
    A.SelectAll();
    B.SelectAll();
    ASSERT_EQ(A.SelHtml(), B.SelHtml());
  }
  // Most messages were read on (the others met a table or a field left
  // open, a new body, or the new setting).
  EXPECT_GT(ReadOn, int(Corpus.size()) / 2);

  // The whole document, a window's height at a time.
  for (int Y = 0; Y < Shown->DocumentHeight(); Y += 200) {
    SCOPED_TRACE("at " + std::to_string(Y));
    Shown->ScrollTo(Y);
    B.ScrollTo(Y);
    ASSERT_TRUE(ViewerPixels(*Shown).Pixels == ViewerPixels(B).Pixels);
  }
}

}  // namespace
