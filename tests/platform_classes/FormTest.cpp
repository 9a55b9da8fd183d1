// The chat-window-like form built in code: alignment at two sizes, typing
// into the memo (accents, action shortcuts), the check box, the popup menu,
// the hint, the default exception dialog, and a screenshot of it.
#include <filesystem>

#include "ClassesTestSupport.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/classes/stdctrls/ListBox.h"
#include "platform/classes/stdctrls/Memo.h"
#include "platform/classes/stdctrls/Panel.h"
#include "tests/support/GoldenImage.h"

namespace {

class TTestForm : public TForm {
public:
  explicit TTestForm(TComponent* AOwner) : TForm(AOwner)
  {
    SetCaption("Messages avec Alice");
    SetPosition(poDesigned);
    SetBounds(40, 30, 300, 200);
    SetClientWidth(400);
    SetClientHeight(300);

    Header = new TPanel(this);
    Header->SetParent(this);
    Header->SetAlign(alTop);
    Header->SetHeight(41);
    Header->SetCaption("Corvane 2.1");

    Contacts = new TListBox(this);
    Contacts->SetParent(this);
    Contacts->SetTop(41);  // a form description keeps the controls' order by their tops
    Contacts->SetAlign(alTop);
    Contacts->SetHeight(60);
    Contacts->Items()->Add("Alice");
    Contacts->Items()->Add("Bob");
    Contacts->Items()->Add("Élodie");

    Footer = new TPanel(this);
    Footer->SetParent(this);
    Footer->SetTop(267);
    Footer->SetAlign(alBottom);
    Footer->SetHeight(33);

    Save = new TCheckBox(this);
    Save->SetParent(Footer);
    Save->SetBounds(8, 8, 180, 17);
    Save->SetCaption("Enregistrer la conversation");
    Save->OnClick = TNotifyEvent(this, &TTestForm::SaveClicked);

    Send = new TButton(this);
    Send->SetParent(Footer);
    Send->SetBounds(317, 4, 75, 25);
    Send->SetAnchors({akTop, akRight});
    Send->SetCaption("Envoyer");
    Send->OnClick = TNotifyEvent(this, &TTestForm::SendClicked);

    Memo = new TMemo(this);
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    Memo->SetTabOrder(0);
    Memo->SetHint("Tapez votre message|Le texte part avec Envoyer");
    Memo->SetShowHint(true);
    Memo->OnChange = TNotifyEvent(this, &TTestForm::MemoChanged);

    Actions = new TActionList(this);
    SendAction = new TAction(this);
    SendAction->SetActionList(Actions);
    SendAction->SetShortCut(TextToShortCut("Ctrl+Enter"));
    SendAction->SecondaryShortCuts()->Add("Alt+S");
    SendAction->OnExecute = TNotifyEvent(this, &TTestForm::SendExecuted);

    Popup = new TPopupMenu(this);
    for (const char* caption : {"Info Contact", "-", "Envoi direct"}) {
      auto* item = new TMenuItem(this);
      item->SetCaption(caption);
      item->OnClick = TNotifyEvent(this, &TTestForm::MenuClicked);
      Popup->Items()->Add(item);
    }
    Status = new TMenuItem(this);
    Status->SetCaption("Statut");
    Status->OnClick = TNotifyEvent(this, &TTestForm::FillStatus);
    Popup->Items()->Add(Status);
    Memo->SetPopupMenu(Popup);
  }

  // The submenu is filled when it opens.
  void FillStatus(TObject*)
  {
    ++Fills;
    Status->Clear();
    for (const char* caption : {"En ligne", "Absent"}) {
      auto* item = new TMenuItem(this);
      item->SetCaption(caption);
      item->OnClick = TNotifyEvent(this, &TTestForm::MenuClicked);
      Status->Add(item);
    }
  }

  void SaveClicked(TObject*) { Log += "save;"; }
  void SendClicked(TObject*) { Log += "button;"; }
  void MemoChanged(TObject*) { ++Changes; }
  void SendExecuted(TObject*) { Log += "action:" + Memo->Text() + ";"; }
  void MenuClicked(TObject* Sender) { Log += "menu:" + static_cast<TMenuItem*>(Sender)->Caption() + ";"; }

  TPanel* Header;
  TListBox* Contacts;
  TPanel* Footer;
  TCheckBox* Save;
  TButton* Send;
  TMemo* Memo;
  TActionList* Actions;
  TAction* SendAction;
  TPopupMenu* Popup;
  TMenuItem* Status;
  int Fills = 0;
  std::string Log;
  int Changes = 0;
};

class FormTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Form = TCustomForm::Create<TTestForm>(Application());
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }

  TTestForm* Form = nullptr;
};

TEST_F(FormTest, AlignedAndAnchoredControlsFollowTheFormAtTwoSizes)
{
  struct TCase {
    int Width, Height;
    const char *Header, *Contacts, *Memo, *Footer, *Send;
  };
  const TCase cases[] = {
      {400, 300, "0,0,400,41", "0,41,400,60", "0,101,400,166", "0,267,400,33", "317,4,75,25"},
      {520, 360, "0,0,520,41", "0,41,520,60", "0,101,520,226", "0,327,520,33", "437,4,75,25"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Width);
    Form->SetClientWidth(c.Width);
    Form->SetClientHeight(c.Height);
    Pump();
    EXPECT_EQ(Form->ClientWidth(), c.Width);
    EXPECT_EQ(BoundsOf(Form->Header), c.Header);
    EXPECT_EQ(BoundsOf(Form->Contacts), c.Contacts);
    EXPECT_EQ(BoundsOf(Form->Memo), c.Memo);
    EXPECT_EQ(BoundsOf(Form->Footer), c.Footer);
    EXPECT_EQ(BoundsOf(Form->Send), c.Send);
    // The windows are where the controls say.
    TRect r;
    GetWindowRect(Form->Memo->Handle(), &r);
    TPoint origin = Form->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(r.Top - origin.y, Form->Memo->Top());
    EXPECT_EQ(r.Height(), Form->Memo->Height());
  }
}

TEST_F(FormTest, TypingGoesToTheMemoAndShortcutsRunTheAction)
{
  EXPECT_EQ(Screen()->ActiveControl(), Form->Memo);
  Display->TypeText("Été à Noël");
  Pump();
  EXPECT_EQ(Form->Memo->Text(), "Été à Noël");
  EXPECT_EQ(Form->Changes, 10);

  KeyWith(VK_CONTROL, VK_RETURN);
  EXPECT_EQ(Form->Log, "action:Été à Noël;");
  EXPECT_EQ(Form->Memo->Text(), "Été à Noël") << "the shortcut's Enter is not typed";

  Key(VK_RETURN);
  Display->TypeText("ok");
  Pump();
  EXPECT_EQ(Form->Memo->Text(), "Été à Noël\r\nok");
  EXPECT_EQ(Form->Memo->Lines()->Count(), 2);
  EXPECT_EQ(Form->Memo->Lines()->Strings(1), "ok");

  KeyWith(VK_MENU, 'S');
  EXPECT_EQ(Form->Log, "action:Été à Noël;action:Été à Noël\r\nok;");
}

// The chat window's way: a top-level window of its own (the desktop as parent),
// and the memo focused from OnShow, before the window shows.
class TChatLike : public TForm {
public:
  explicit TChatLike(TComponent* AOwner) : TForm(AOwner)
  {
    Memo = new TMemo(this);
    Memo->SetParent(this);
    Memo->SetAlign(alClient);
    Other = new TEdit(this);
    Other->SetParent(this);
    Other->SetAlign(alTop);
    Other->SetTabOrder(0);
    OnShow = TNotifyEvent(this, &TChatLike::FormShow);
  }
  void FormShow(TObject*) { Memo->SetFocus(); }
  TMemo* Memo;
  TEdit* Other;

protected:
  void CreateParams(TCreateParams& Params) override
  {
    TForm::CreateParams(Params);
    Params.WndParent = GetDesktopWindow();
  }
};

TEST_F(FormTest, OnShowMayFocusAControlBeforeTheWindowShows)
{
  auto* chat = TCustomForm::Create<TChatLike>(nullptr);
  chat->Show();
  Pump();
  EXPECT_TRUE(chat->Memo->Focused());
  EXPECT_EQ(Screen()->ActiveCustomForm(), chat);
  EXPECT_EQ(GetWindow(chat->Handle(), GW_OWNER), nullptr) << "owned by no window of the program";
  Display->TypeText("salut");
  Pump();
  EXPECT_EQ(chat->Memo->Text(), "salut");
  chat->Free();
}

TEST_F(FormTest, ClickingTheCheckBoxTogglesIt)
{
  ClickAt(CentreOf(Form->Save));
  EXPECT_TRUE(Form->Save->Checked());
  EXPECT_EQ(Form->Log, "save;");
  THeadlessDisplay::Advance(1000);  // no double click
  ClickAt(CentreOf(Form->Save));
  EXPECT_FALSE(Form->Save->Checked());
  EXPECT_EQ(SendMessage(Form->Save->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Form->Log, "save;save;");
}

TEST_F(FormTest, RightClickShowsThePopupMenuAndItsItemRuns)
{
  int steps = 0;
  WhenIdle([&] {
    // The menu loop waits: choose the first item with the keyboard.
    ++steps;
    if (steps == 1)
      Display->PressKey(VK_DOWN);
    else if (steps == 2)
      Display->PressKey(VK_RETURN);
    else
      return false;
    return true;
  });
  ClickAt(CentreOf(Form->Memo), 1);
  EXPECT_EQ(Form->Log, "menu:Info Contact;");
  EXPECT_EQ(Form->Popup->PopupComponent(), Form->Memo);
}

TEST_F(FormTest, TheMenuKeyShowsThePopupAtTheControlAndOnContextPopupMayTakeIt)
{
  bool dismissed = false;
  WhenIdle([&] {
    if (dismissed)
      return false;
    dismissed = true;
    Display->PressKey(VK_ESCAPE);  // dismiss: nothing is clicked
    return true;
  });
  Key(VK_APPS);
  EXPECT_EQ(Form->Popup->PopupPoint(), Form->Memo->ClientToScreen(TPoint(0, 0)));
  EXPECT_EQ(Form->Log, "");

  struct TTaker {
    int Calls = 0;
    void Take(TObject*, TPoint, bool& handled)
    {
      ++Calls;
      handled = true;
    }
  } taker;
  Form->Memo->OnContextPopup = TContextPopupEvent(&taker, &TTaker::Take);
  Form->Popup->SetPopupComponent(nullptr);
  ClickAt(CentreOf(Form->Memo), 1);  // no menu: the handler took it (no idle script runs)
  EXPECT_EQ(taker.Calls, 1);
  EXPECT_EQ(Form->Popup->PopupComponent(), nullptr);
}

TEST_F(FormTest, SubmenusAreFilledByTheirItemWhenTheyOpen)
{
  Form->FillStatus(nullptr);  // one child so that the item opens a submenu
  Form->Fills = 0;
  const BYTE keys[] = {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN};  // up wraps to "Statut"
  std::size_t step = 0;
  WhenIdle([&] {
    if (step == std::size(keys))
      return false;
    Display->PressKey(keys[step++]);
    return true;
  });
  ClickAt(CentreOf(Form->Memo), 1);
  EXPECT_EQ(Form->Fills, 1);
  EXPECT_EQ(Form->Log, "menu:Absent;");
}

TEST_F(FormTest, HintAppearsAfterThePauseAndGoesAfterTheHidePause)
{
  TPoint p = CentreOf(Form->Memo);
  Display->MoveMouse(p.x, p.y);
  Pump();
  Advance(400);
  THintWindow* hint = Application()->HintWindow();
  EXPECT_TRUE(!hint || !IsWindowVisible(hint->Handle())) << "not before the pause";
  Advance(200);
  hint = Application()->HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_EQ(hint->Caption(), "Tapez votre message");
  TRect r;
  GetWindowRect(hint->Handle(), &r);
  EXPECT_GT(r.Top, p.y) << "under the cursor";
  Advance(2600);
  EXPECT_FALSE(IsWindowVisible(hint->Handle()));
}

TEST_F(FormTest, AnExceptionInAHandlerShowsTheDefaultDialog)
{
  Application()->SetTitle("Corvane 2.1");
  Form->Send->OnClick = TNotifyEvent(+[](TObject*) { throw EInvalidOperation("Connexion perdue"); });
  std::string caption, text;
  WhenIdle([&] {
    TCustomForm* dialog = Screen()->ActiveCustomForm();
    if (!dialog || dialog == Form || !caption.empty())
      return false;
    caption = dialog->Caption();
    if (auto* label = dynamic_cast<TLabel*>(dialog->FindComponent("Message")))
      text = label->Caption();
    Display->PressKey(VK_RETURN);
    return true;
  });
  ClickAt(CentreOf(Form->Send));
  EXPECT_EQ(caption, "Corvane 2.1");
  EXPECT_EQ(text, "Connexion perdue.");
  EXPECT_EQ(Screen()->ActiveCustomForm(), Form);
}

TEST_F(FormTest, FirstLookScreenshot)
{
  Form->Memo->SetText("Bonjour Alice,\r\nÀ bientôt !");
  Form->Contacts->SetItemIndex(1);
  Form->Save->SetChecked(true);
  Pump();
  std::string path = (std::filesystem::current_path() / "ClassLibraryForm.png").string();
  ASSERT_TRUE(Display->Screenshot(Form->Handle(), path));
  TPixelImage picture;
  ASSERT_TRUE(ReadPng(path, picture));
  auto pixel = [&](TControl* c, int x, int y) {
    TPoint p = c->ClientToScreen(TPoint(x, y));
    TRect w;
    GetWindowRect(Form->Handle(), &w);
    return picture.Pixels[std::size_t((p.y - w.Top) * picture.Width + (p.x - w.Left))];
  };
  // Raised panel bevel: highlight top-left, shadow bottom-right, face inside.
  EXPECT_EQ(pixel(Form->Header, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(pixel(Form->Header, Form->Header->Width() - 1, 20), 0x808080u);
  EXPECT_EQ(pixel(Form->Header, 5, 5), 0xD4D0C8u);
  // The memo's client area is the window colour.
  EXPECT_EQ(pixel(Form->Memo, Form->Memo->ClientWidth() - 3, Form->Memo->ClientHeight() - 3), 0xFFFFFFu);
  // And the whole form, as the display writes it, is the first look kept.
  std::string message;
  EXPECT_TRUE(MatchesGolden(picture, std::string(CLASSES_GOLDEN_DIR) + "/ClassLibraryForm.png", &message)) << message;
}

}  // namespace

// A form freed by one of its own handlers (instead of answering caFree or
// calling Release): what ran the handler leaves the form alone afterwards
// (the sanitizer build checks), and a modal loop ends as cancelled.
TEST_F(FormTest, AFormFreedByItsOwnHandlerIsNotTouchedAfterwards)
{
  struct TFreeForm {
    int Calls = 0;
    void Close(TObject* Sender, TCloseAction&)
    {
      ++Calls;
      delete Sender;
    }
    void Click(TObject* Sender)
    {
      ++Calls;
      delete GetParentForm(static_cast<TControl*>(Sender));
    }
  } freer;

  auto* closing = TCustomForm::Create<TForm>(Application());
  closing->Show();
  closing->OnClose = TCloseEvent(&freer, &TFreeForm::Close);
  closing->Close();
  EXPECT_EQ(freer.Calls, 1);

  auto* modal = TCustomForm::Create<TForm>(Application());
  modal->SetBounds(100, 100, 200, 150);
  auto* button = new TButton(modal);
  button->SetParent(modal);
  button->SetBounds(10, 10, 80, 25);
  button->OnClick = TNotifyEvent(&freer, &TFreeForm::Click);
  bool clicked = false;
  WhenIdle([&] {
    if (clicked)
      return false;
    clicked = true;
    TPoint p = CentreOf(button);
    Display->Click(p.x, p.y);
    return true;
  });
  EXPECT_EQ(modal->ShowModal(), mrCancel);
  EXPECT_EQ(freer.Calls, 2);
  EXPECT_TRUE(Form->Enabled());
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}
