// A form of the class library on the x11 display: it appears as an X window,
// the window manager's delete protocol runs OnClose, and text copied in its
// memo is read by another program through the clipboard (xclip), and the
// other way round, large texts included.
#include "X11TestSupport.h"
#include "platform/classes/classes.h"
#include "platform/classes/stdctrls/Memo.h"

namespace {

class TChatForm : public TForm {
public:
  explicit TChatForm(TComponent* AOwner) : TForm(AOwner)
  {
    SetCaption("Conversation avec Élodie");
    SetPosition(poDesigned);
    SetBounds(120, 90, 360, 260);
    Memo = new TMemo(this);
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    OnClose = TCloseEvent(this, &TChatForm::Closing);
  }
  void Closing(TObject*, TCloseAction& Action)
  {
    ++Closes;
    Action = caHide;
  }
  TMemo* Memo;
  int Closes = 0;
};

class X11FormTest : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    Form = TCustomForm::Create<TChatForm>(Application());
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(Form->Handle())); }));
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    X11Fixture::TearDown();
  }
  // What another program reads from the clipboard, and what it puts there.
  static std::string ReadClipboard() { return Run("xclip -o -selection clipboard 2>/dev/null"); }
  static void WriteClipboard(const std::string& file)
  {
    // It serves until another program (the next copy) takes the clipboard.
    Run("xclip -i -selection clipboard < " + file + " >/dev/null 2>&1 &");
  }

  TChatForm* Form = nullptr;
};

TEST_F(X11FormTest, TheFormIsAnXWindowAndTheDeleteProtocolRunsOnClose)
{
  XWin w = XOf(Form->Handle());
  EXPECT_EQ(Utf8Property(w, "_NET_WM_NAME"), "Conversation avec Élodie");
  SendWindowManagerDelete(w);
  ASSERT_TRUE(PumpUntil([&] { return Form->Closes == 1; }));
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(w); })) << "hidden, as OnClose said";
  EXPECT_TRUE(IsWindow(Form->Handle()));
}

TEST_F(X11FormTest, TextCopiedInTheMemoIsReadByAnotherProgramAndTheOtherWayRound)
{
  Form->Memo->SetText("Bonjour Élodie,\r\nà demain €");
  Form->Memo->SelectAll();
  Form->Memo->CopyToClipboard();
  std::string read;
  EXPECT_TRUE(PumpUntil([&] { return (read = ReadClipboard()) == "Bonjour Élodie,\nà demain €"; })) << read;

  std::string file = testing::TempDir() + "corvane-clip.txt";
  Run("printf 'collé depuis\\nun autre programme' > " + file);
  WriteClipboard(file);
  ASSERT_TRUE(PumpUntil([] { return ReadClipboard() == "collé depuis\nun autre programme"; }));
  Form->Memo->SetText("");
  Form->Memo->PasteFromClipboard();
  EXPECT_EQ(Form->Memo->Text(), "collé depuis\r\nun autre programme");
}

TEST_F(X11FormTest, LargeTextsCrossTheClipboardInPieces)
{
  // Over a megabyte: both ways go in INCR pieces.
  std::string big;
  for (int i = 0; big.size() < 1200000; ++i)
    big += "ligne " + std::to_string(i) + " été\r\n";
  Form->Memo->SetText(big);
  Form->Memo->SelectAll();
  Form->Memo->CopyToClipboard();
  std::string expected;
  for (char c : big)
    if (c != '\r')
      expected += c;
  std::string read;
  EXPECT_TRUE(PumpUntil([&] { return (read = ReadClipboard()).size() == expected.size(); }))
      << read.size() << " bytes read of " << expected.size();
  EXPECT_TRUE(read == expected);

  std::string file = testing::TempDir() + "corvane-big.txt";
  Run("for i in $(seq 1 60000); do echo \"texte $i à coller\"; done > " + file);
  WriteClipboard(file);
  // Our own big text is also over a megabyte: wait for the other program's.
  ASSERT_TRUE(PumpUntil([] { return ReadClipboard().rfind("texte 1 à coller\n", 0) == 0; }));
  Form->Memo->SetText("");
  Form->Memo->PasteFromClipboard();
  std::string pasted = Form->Memo->Text();
  const std::string first = "texte 1 à coller\r\n", last = "texte 60000 à coller\r\n";
  ASSERT_GT(pasted.size(), 1000000u);
  EXPECT_EQ(pasted.substr(0, first.size()), first);
  EXPECT_EQ(pasted.substr(pasted.size() - last.size()), last);
}

}  // namespace
