// "tessel.so" loaded by name through the module loader, as the host loads it,
// with this program as the host: messages open windows and show in the
// viewer, sending goes to the host and comes back under "Moi", nick updates,
// closing with the conversation saved, and the manager's end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "api/ChatLibrary.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWPopups.h"
#include "platform/base/DateTime.h"
#include "platform/base/FileSystem.h"
#include "platform/base/FreedMemory.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/base/Utf.h"
#include "platform/base/WholeFile.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/chatwin/HeadlessApplication.h"
#include "platform/win/win.h"
#include "plugins/smileys/SmileyReplacer.h"
#include "tests/chatwin/ChatWindowParts.h"
#include "tests/chatwin/RecordingHost.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/platform_base/TempFolder.h"
#include "tests/support/GoldenImage.h"

namespace {

TButton* FindButton(TWinControl* Parent, const std::string& Caption)
{
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && b->Caption() == Caption)
      return b;
    if (auto* win = dynamic_cast<TWinControl*>(c))
      if (TButton* inner = FindButton(win, Caption))
        return inner;
  }
  return nullptr;
}

class TesselModule : public ::testing::Test {
protected:
  static void SetUpTestSuite() { StartHeadlessApplication(); }
  static void TearDownTestSuite() { StopHeadlessApplication(); }

  void SetUp() override
  {
    recording_host::Calls().clear();
    recording_host::FailingCalls().clear();
    recording_host::ContactName() = "Bob";
    recording_host::NetworkName() = "TestNet";
    FSavedDir = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(Folder.Path()));
    // The newsreader is installed: the viewers may show its smileys.
    SetRegistryFile(Folder.Write("registry.reg", NewsreaderRegistryText()));
    Module = LoadLibrary(ChatLibraryFileName);
    ASSERT_NE(Module, nullptr);
    Resolve(UpdateNick, "UpdateNick");
    Resolve(MessageIsOpen, "MessageIsOpen");
    Resolve(EndManager, "EndManager");
    Resolve(InitManager, "InitManager");
    Resolve(NewMessageFromMe, "NewMessageFromMe");
    Resolve(NewMessage, "NewMessage");
    // The host's receive path: the echo comes back as the user's message.
    recording_host::OwnMessageEcho() = [this](const UserID& Key, const std::string& Text) {
      NewMessage(&Key, Now(), Text.c_str(), mkText);
    };
    InitManager();
  }

  void TearDown() override
  {
    if (!Ended)
      EndManager();
    recording_host::OwnMessageEcho() = nullptr;
    recording_host::FailingCalls().clear();
    if (Module)
      FreeLibrary(Module);
    SetCurrentDir(FSavedDir);
    SetRegistryFile("");
  }

  template <class F>
  void Resolve(F& Entry, const char* Name)
  {
    Entry = reinterpret_cast<F>(GetProcAddress(Module, Name));
    ASSERT_NE(Entry, nullptr) << Name;
  }

  void Receive(const std::string& Key, const std::string& Text, MessageKind Kind = mkText)
  {
    const UserID key(Key);
    NewMessage(&key, EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 0), Text.c_str(), Kind);
    Application()->ProcessMessages();
  }

  bool IsOpen(const std::string& Key)
  {
    const UserID key(Key);
    return MessageIsOpen(&key) != 0;
  }

  static TWinControl* Window(const std::string& Caption)
  {
    HWND hwnd = FindWindow(nullptr, Caption.c_str());
    return hwnd ? dynamic_cast<TWinControl*>(FindControl(hwnd)) : nullptr;
  }

  // What the viewer shows, as text.
  static std::string Shown(TWinControl* Form)
  {
    THtmlView* viewer = FindChild<THtmlView>(Form);
    viewer->SelectAll();
    return UTF8Encode(viewer->SelText());
  }

  std::vector<std::string> TesselLines() const
  {
    std::vector<std::string> lines;
    for (const TCDebugLine& line : Debug.Lines)
      if (line.Source == "tessel.dll")
        lines.push_back(line.Text);
    return lines;
  }

  TCDebugWindow Debug;
  TTempFolder Folder;
  HMODULE Module = nullptr;
  bool Ended = false;
  TUpdateNick UpdateNick = nullptr;
  TMessageIsOpen MessageIsOpen = nullptr;
  TEndManager EndManager = nullptr;
  TInitManager InitManager = nullptr;
  TNewMessageFromMe NewMessageFromMe = nullptr;
  TNewMessage NewMessage = nullptr;

private:
  std::string FSavedDir;
};

}  // namespace

TEST_F(TesselModule, AMessageOpensAWindowAndShowsInTheViewerAsTyped)
{
  Debug.Lines.clear();
  Receive("0;0;1", "Salut <img src=x onerror=1> & C:\\ :)");
  ASSERT_TRUE(IsOpen("0;0;1"));
  TWinControl* form = Window("Messages avec Bob");
  ASSERT_NE(form, nullptr);
  const std::string shown = Shown(form);
  EXPECT_NE(shown.find("Bob, 08/12/2026 23:31:19"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Salut <img src=x onerror=1> & C:\\ :)"), std::string::npos) << shown;
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"GetContactName(0;0;1)", "GetNetworkName(0;0;1)"}));

  const std::vector<std::string> expected = {
      "Nouveau message de 0;0;1",
      "GetWindow(0;0;1)",
      "GetWindow; Resultat pas trouvé",
      "Creation de la fenêtre 0;0;1",
      "GetWindow(0;0;1)",
      "GetWindows; TRace de la fenêtre trouvée -> 0",
      "GetWindows; La fenêtre est encore ouverte",
      "dlgmsg; Ajout de messsage",
      "dlgmsg; formatage du message en HTML",
      "dlgmsg; Affichage du message",
      "MessageisOpen(0;0;1)",
      "GetWindow(0;0;1)",
      "GetWindows; TRace de la fenêtre trouvée -> 0",
      "GetWindows; La fenêtre est encore ouverte",
      "MessageIsOpen : Oui",
  };
  EXPECT_EQ(TesselLines(), expected);

  // A second message for the contact goes to the same window.
  Receive("0;0;1", "encore");
  int windows = 0;
  for (HWND w = FindWindow(nullptr, "Messages avec Bob"); w; w = FindWindowEx(nullptr, w, nullptr, "Messages avec Bob"))
    ++windows;
  EXPECT_EQ(windows, 1);
  EXPECT_NE(Shown(form).find("encore"), std::string::npos);
}

TEST_F(TesselModule, KindsShowAsTextExceptHtml)
{
  Receive("0;0;1", "<b>gras</b>", mkHtml);
  Receive("0;0;1", "{\\rtf1\\ansi\\pard <i>rtf\\par}", mkRtf);
  Receive("0;0;1", "x", 7);
  const std::string shown = Shown(Window("Messages avec Bob"));
  EXPECT_NE(shown.find("gras"), std::string::npos);
  EXPECT_EQ(shown.find("<b>"), std::string::npos);
  EXPECT_NE(shown.find("<i>rtf"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Désolé, cette affichage de Corvane ne connait pas ce format :/ (Formatmessage :"),
            std::string::npos) << shown;
}

// The viewer ends a document at a zero character: one in a contact's RTF
// message must not hide the rest of the conversation.
TEST_F(TesselModule, AZeroCharacterInAMessageHidesNothingAfterIt)
{
  Receive("0;0;1", "{\\rtf1 avant\\'00apr\\u232?s\\u0? fin}", mkRtf);
  Receive("0;0;1", "suivant");
  const std::string shown = Shown(Window("Messages avec Bob"));
  EXPECT_NE(shown.find("avantaprès fin"), std::string::npos) << shown;
  EXPECT_NE(shown.find("suivant"), std::string::npos) << shown;
}

// A large message leaves copies behind it (its conversion, the text the
// viewer read on): the program's next idle moment gives them back.
TEST_F(TesselModule, ALargeMessageIsGivenBackAtTheNextIdleMoment)
{
  Receive("0;0;1", "premier");
  ReturnFreedMemory();  // what the window's making freed is not the message's
  Receive("0;0;1", "petit");
  EXPECT_FALSE(ReturnFreedMemory());
  Receive("0;0;1", std::string(std::size_t(2) << 20, 'a'));
  EXPECT_TRUE(ReturnFreedMemory());
  EXPECT_NE(Shown(Window("Messages avec Bob")).find("aaaa"), std::string::npos);
}

TEST_F(TesselModule, SendingCallsTheNetworkAndEchoesUnderMoi)
{
  Receive("0;0;1", "Salut");
  TWinControl* form = Window("Messages avec Bob");
  auto* memo = FindChild<TCustomMemo>(form);
  TButton* send = FindButton(form, "Envoyer");
  ASSERT_TRUE(memo && send);
  EXPECT_FALSE(send->Enabled());
  recording_host::Calls().clear();

  // The shortcut with an empty memo sends nothing.
  memo->SetFocus();
  THeadlessDisplay* display = THeadlessDisplay::Current();
  display->KeyDown(VK_CONTROL);
  display->PressKey(VK_RETURN);
  display->KeyUp(VK_CONTROL);
  Application()->ProcessMessages();
  EXPECT_TRUE(recording_host::Calls().empty());

  memo->SetText("Bonjour <toi>");
  EXPECT_TRUE(send->Enabled());
  display->KeyDown(VK_CONTROL);
  display->PressKey(VK_RETURN);
  display->KeyUp(VK_CONTROL);
  Application()->ProcessMessages();
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"SendToContact(0;0;1,Bonjour <toi>)", "ShowOwnMessage(0;0;1,Bonjour <toi>)"}));
  EXPECT_EQ(memo->Text(), "");
  const std::string shown = Shown(form);
  EXPECT_NE(shown.find("Moi, "), std::string::npos) << shown;
  EXPECT_NE(shown.find("Bonjour <toi>"), std::string::npos);

  // The button sends the same way.
  recording_host::Calls().clear();
  memo->SetText("deux");
  send->Click();
  Application()->ProcessMessages();
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"SendToContact(0;0;1,deux)", "ShowOwnMessage(0;0;1,deux)"}));
}

TEST_F(TesselModule, ANickUpdateChangesTheCaptionAndLaterHeaders)
{
  Receive("0;0;1", "avant");
  const UserID key("0;0;1");
  const ShortString nick("Robert");
  UpdateNick(&key, &nick);
  TWinControl* form = Window("Messages avec Robert");
  ASSERT_NE(form, nullptr);
  Receive("0;0;1", "après");
  const std::string shown = Shown(form);
  EXPECT_NE(shown.find("Bob, "), std::string::npos);
  EXPECT_NE(shown.find("Robert, "), std::string::npos);
  // No window for the key: nothing happens.
  const UserID other("0;0;9");
  UpdateNick(&other, &nick);
  EXPECT_FALSE(IsOpen("0;0;9"));
}

TEST_F(TesselModule, OpeningWithTheOwnMarkUsesTheContactsWindow)
{
  const UserID marked("-0;0;1");
  NewMessageFromMe(&marked);
  Application()->ProcessMessages();
  EXPECT_TRUE(IsOpen("0;0;1"));
  EXPECT_FALSE(IsOpen("-0;0;1"));
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"GetContactName(0;0;1)", "GetNetworkName(0;0;1)"}));
}

TEST_F(TesselModule, ClosingWithTheBoxTickedWritesTheFile)
{
  recording_host::ContactName() = "../../x";
  Receive("0;0;1", "un <message>");
  TWinControl* form = Window("Messages avec ../../x");
  ASSERT_NE(form, nullptr);
  FindChild<TCheckBox>(form)->SetChecked(true);
  SendMessage(form->Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  EXPECT_FALSE(IsOpen("0;0;1"));
  EXPECT_EQ(FindWindow(nullptr, "Messages avec ../../x"), nullptr);

  // The nickname cannot lead the file out of the network's folder.
  const std::string path = Folder.Path() + "TestNet/%2E%2E%2F.%2E%2Fx.html";
  ASSERT_TRUE(FileExists(path));
  const std::string saved = ReadWholeFile(path, 1 << 20);
  EXPECT_NE(saved.find("un &lt;message&gt;"), std::string::npos);
  EXPECT_NE(saved.find("<DIV class=\"Session\">"), std::string::npos);

  // A later message opens a new window with a new conversation.
  Receive("0;0;1", "nouveau");
  EXPECT_EQ(Shown(Window("Messages avec ../../x")).find("un <message>"), std::string::npos);
}

// A save that fails keeps the conversation: the window hides and stays in
// the list, the user is told once, and the next close writes it all.
TEST_F(TesselModule, AFailedSaveKeepsTheConversationForTheNextSave)
{
  Receive("0;0;1", "perdu ?");
  // A file where the network's folder should be: the save cannot happen.
  Folder.Write("TestNet", "");
  TWinControl* form = Window("Messages avec Bob");
  FindChild<TCheckBox>(form)->SetChecked(true);
  Debug.Lines.clear();
  recording_host::Calls().clear();
  for (int attempt = 0; attempt < 2; ++attempt) {
    SendMessage(form->Handle(), WM_CLOSE, 0, 0);
    Application()->ProcessMessages();
    EXPECT_TRUE(IsOpen("0;0;1"));
    ASSERT_EQ(FindWindow(nullptr, "Messages avec Bob"), form->Handle());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    if (attempt == 0)
      form->Show();
  }
  ASSERT_EQ(recording_host::Calls().size(), 1u);
  EXPECT_EQ(recording_host::Calls()[0].rfind("AddLog(Impossible d'enregistrer la conversation avec Bob : ", 0), 0u);
  const auto failed = std::find_if(Debug.Lines.begin(), Debug.Lines.end(), [](const TCDebugLine& l) {
    return l.Level == 1 && l.Text.rfind("dlgmsg; Erreur lors de la destruction : ", 0) == 0;
  });
  EXPECT_NE(failed, Debug.Lines.end());

  // The folder can be made now: the next message shows the same
  // conversation, and closing saves both messages.
  std::filesystem::remove(Folder.Path() + "TestNet");
  Receive("0;0;1", "retrouvé");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  SendMessage(form->Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  EXPECT_FALSE(IsOpen("0;0;1"));
  const std::string saved = ReadWholeFile(Folder.Path() + "TestNet/Bob.html", 1 << 20);
  EXPECT_NE(saved.find("perdu ?"), std::string::npos);
  EXPECT_NE(saved.find("retrouvé"), std::string::npos);
}

// A conversation whose save failed and that no later close saved is written
// at the end, when it can be.
TEST_F(TesselModule, TheEndSavesAConversationWhoseSaveFailed)
{
  Receive("0;0;1", "gardé");
  Folder.Write("TestNet", "");
  TWinControl* form = Window("Messages avec Bob");
  FindChild<TCheckBox>(form)->SetChecked(true);
  SendMessage(form->Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  std::filesystem::remove(Folder.Path() + "TestNet");
  EndManager();
  Ended = true;
  EXPECT_NE(ReadWholeFile(Folder.Path() + "TestNet/Bob.html", 1 << 20).find("gardé"), std::string::npos);
}

TEST_F(TesselModule, EndingTheManagerClosesWindowsAndWritesNothing)
{
  Receive("0;0;1", "a");
  Receive("0;0;2", "b");
  FindChild<TCheckBox>(Window("Messages avec Bob"))->SetChecked(true);
  Debug.Lines.clear();
  EndManager();
  Ended = true;
  Application()->ProcessMessages();
  EXPECT_EQ(FindWindow(nullptr, "Messages avec Bob"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(Folder.Path() + "TestNet"));
  EXPECT_EQ(TesselLines(), (std::vector<std::string>{"Déchargement du gestionnaire de fenêtre",
                                                     "Fermeture de toute les fenêtres", "Déconnexion de Corvane",
                                                     "Déchargement terminé"}));
  EXPECT_EQ(recording_host::LiveObjects(), 0);
  // The entry points after the end fail inside the module and say so.
  EXPECT_FALSE(IsOpen("0;0;1"));
}

TEST_F(TesselModule, AWindowClosedJustBeforeTheEndGoesWithTheModule)
{
  Receive("0;0;1", "a");
  // Closed: the window waits for its release, which the end comes before.
  SendMessage(Window("Messages avec Bob")->Handle(), WM_CLOSE, 0, 0);
  EndManager();
  Ended = true;
  FreeLibrary(Module);
  Module = nullptr;
  Application()->ProcessMessages();  // the release finds no window left
  SUCCEED();
}

TEST_F(TesselModule, TheContactMenuHoldsItsItemsAndNoControlOpensIt)
{
  Receive("0;0;1", "a");
  TWinControl* form = Window("Messages avec Bob");
  auto* menu = dynamic_cast<TTBWPopupMenu*>(form->FindComponent("TBWPopupMenu1"));
  ASSERT_NE(menu, nullptr);
  TTBCustomItem* items = menu->Items();
  ASSERT_EQ(items->Count(), 4);
  EXPECT_EQ(items->Items(0)->Caption(), "Info Contact");
  EXPECT_NE(dynamic_cast<TTBWSeparatorItem*>(items->Items(1)), nullptr);
  TTBCustomItem* direct = items->Items(2);
  TTBCustomItem* server = items->Items(3);
  EXPECT_EQ(direct->Caption(), "Envoi direct");
  EXPECT_EQ(server->Caption(), "Envoi par le serveur");
  for (int i = 0; i < items->Count(); ++i) {
    EXPECT_NE(dynamic_cast<TTBWCustomItem*>(items->Items(i)) != nullptr, i == 1) << i;
    EXPECT_FALSE(items->Items(i)->OnClick) << i;
  }
  EXPECT_FALSE(direct->Checked());
  EXPECT_TRUE(server->Checked());
  // The two ways of sending exclude each other.
  direct->Click();
  EXPECT_TRUE(direct->Checked());
  EXPECT_FALSE(server->Checked());
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"GetContactName(0;0;1)", "GetNetworkName(0;0;1)"}));

  std::vector<TControl*> controls{form};
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i]->PopupMenu(), nullptr) << controls[i]->Name();
    if (auto* win = dynamic_cast<TWinControl*>(controls[i]))
      for (int c = 0; c < win->ControlCount(); ++c)
        controls.push_back(win->Controls(c));
  }
}

// A conversation with a smiley, the user's own answer and a typed reply, as
// the window shows it.
TEST_F(TesselModule, RendersAChatWindow)
{
  const TSmileyReplacer smileys(LoadSmileyTable(NewsreaderFixture + "config/smileys.txt"), NewsreaderFixture);
  auto viaProcessor = [&](const std::string& Key, const std::string& Text) {
    const TReplacedMessage html = smileys.Replace(Text, mkText);
    Receive(Key, html.Text, html.Kind);
  };
  viaProcessor("0;0;1", "Salut ! Tu as vu le <match> d'hier ? :)");
  viaProcessor("-0;0;1", "Oui, génial ;-)\r\nOn en reparle demain.");
  viaProcessor("0;0;1", "D'accord & à demain.");
  TWinControl* form = Window("Messages avec Bob");
  // The caret shows, and does not blink away before the picture is taken.
  const UINT blink = GetCaretBlinkTime();
  SetCaretBlinkTime(600000);
  auto* memo = FindChild<TCustomMemo>(form);
  memo->SetText("Bonne soirée");
  memo->SetSelStart(int(memo->Text().size()));  // positions count bytes
  Application()->ProcessMessages();
  form->Update();
  // Both smileys were read from the newsreader's folder; they hold still
  // on their first frame for the picture.
  THtmlView* viewer = FindChild<THtmlView>(form);
  EXPECT_EQ(viewer->SectionList().ImageCache()->Count(), 2);
  for (TImageObj* image : viewer->SectionList().AnimList)
    if (auto* gif = dynamic_cast<TGIFImage*>(image->Image)) {
      gif->SetAnimate(false);
      gif->SetCurrentFrame(1);
    }
  viewer->PaintPanel()->Invalidate();
  form->Update();
  HDC dc = GetWindowDC(form->Handle());
  const TPixelImage shown = CaptureDC(dc);
  ReleaseDC(form->Handle(), dc);
  SetCaretBlinkTime(blink);
  std::string why;
  EXPECT_TRUE(MatchesGolden(shown, std::string(CHATWIN_GOLDEN_DIR) + "/chat-window.png", &why)) << why;
}

// A chat window out of sight (hidden, or minimised) holds no pixels; shown
// again it is repainted whole and shows exactly what it showed before.
TEST_F(TesselModule, AWindowOutOfSightHoldsNoPixelsAndShowsTheSameAgain)
{
  Receive("0;0;1", "Salut ! Tu as vu le <match> d'hier ?");
  Receive("-0;0;1", "Oui, g\xC3\xA9nial.\r\nOn en reparle demain.");
  auto* form = dynamic_cast<TCustomForm*>(Window("Messages avec Bob"));
  ASSERT_NE(form, nullptr);
  // The caret does not blink between the pictures.
  const UINT blink = GetCaretBlinkTime();
  SetCaretBlinkTime(600000);
  auto picture = [&] {
    Application()->ProcessMessages();
    form->Update();
    HDC dc = GetWindowDC(form->Handle());
    const TPixelImage shown = CaptureDC(dc);
    ReleaseDC(form->Handle(), dc);
    return shown.Pixels;
  };
  const std::vector<uint32_t> before = picture();
  THeadlessDisplay* display = THeadlessDisplay::Current();
  ASSERT_GT(display->PixelBytes(form->Handle()), 0u);
  struct TWay {
    const char* Name;
    std::function<void()> Out, Back;
  };
  const TWay ways[] = {
      {"hidden", [&] { form->Hide(); }, [&] { form->Show(); }},
      {"minimised", [&] { ShowWindow(form->Handle(), SW_MINIMIZE); }, [&] { ShowWindow(form->Handle(), SW_RESTORE); }},
  };
  for (const TWay& way : ways) {
    SCOPED_TRACE(way.Name);
    way.Out();
    Application()->ProcessMessages();
    EXPECT_EQ(display->PixelBytes(form->Handle()), 0u);
    way.Back();
    EXPECT_TRUE(picture() == before);
  }
  SetCaretBlinkTime(blink);
}

TEST_F(TesselModule, EachStepOfAWindowsLifeLogsItsExactLines)
{
  auto tessel = [](const char* Text) { return TCDebugLine{"tessel.dll", 0, Text}; };
  EXPECT_EQ(Debug.Lines, std::vector<TCDebugLine>{tessel("initialisation du gestionnaire de fenêtre")});

  Debug.Lines.clear();
  const UserID marked("-0;0;1");
  NewMessageFromMe(&marked);
  Application()->ProcessMessages();
  EXPECT_EQ(Debug.Lines, (std::vector<TCDebugLine>{
                             tessel("Nouveau message de moi"), tessel("GetWindow(0;0;1)"),
                             tessel("GetWindow; Resultat pas trouvé"), tessel("Creation de la fenêtre 0;0;1"),
                             tessel("GetWindow(0;0;1)"), tessel("GetWindows; TRace de la fenêtre trouvée -> 0"),
                             tessel("GetWindows; La fenêtre est encore ouverte")}));
  TWinControl* form = Window("Messages avec Bob");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(FindChild<TCheckBox>(form)->Caption(), "Enregistrer la conversation");

  Debug.Lines.clear();
  const UserID key("0;0;1");
  const ShortString nick("Robert");
  UpdateNick(&key, &nick);
  EXPECT_EQ(Debug.Lines, (std::vector<TCDebugLine>{tessel("GetWindow(0;0;1)"),
                                                   tessel("GetWindows; TRace de la fenêtre trouvée -> 0"),
                                                   tessel("GetWindows; La fenêtre est encore ouverte"),
                                                   {"UpdateNick", 0, "tessel -> msgdlg / Robert"}}));

  Debug.Lines.clear();
  SendMessage(form->Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  EXPECT_EQ(Debug.Lines, (std::vector<TCDebugLine>{
                             tessel("dlgmsg; Fermeture de la fenêtre"),
                             tessel("dlgmsg; Effacement de la fenêtre de la liste"), tessel("DeleteWindow : ..."),
                             tessel("GetWindow(0;0;1)"), tessel("GetWindows; TRace de la fenêtre trouvée -> 0"),
                             tessel("GetWindows; La fenêtre est encore ouverte"), tessel("DeleteWindow : Ok"),
                             tessel("dlgmsg; On permet la destruction de la fenêtre")}));
}

// A window that cannot be made whole leaves neither a record nor a window
// behind, and the contact's next message opens one normally.
TEST_F(TesselModule, AFailedWindowCreationIsUndone)
{
  const struct {
    const char* failing;
    const char* newWindowLine;
  } cases[] = {
      {"GetContactName", "NewWindow : Échec simulé de GetContactName"},
      {"GetNetworkName", "NewWindow : Échec simulé de GetNetworkName"},
      // The host gave the manager no interface: nothing can be asked of it.
      {"CreateMessageInput", "NewWindow : Impossible de charger Corvane"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    recording_host::FailingCalls() = {c.failing};
    EndManager();
    InitManager();
    const int forms = Screen()->FormCount();
    Debug.Lines.clear();
    Receive("0;0;1", "perdu");
    EXPECT_FALSE(IsOpen("0;0;1"));
    EXPECT_EQ(Screen()->FormCount(), forms);
    auto logged = [&](const std::string& Text) {
      return std::any_of(Debug.Lines.begin(), Debug.Lines.end(),
                         [&](const TCDebugLine& l) { return l.Level == 1 && l.Text.rfind(Text, 0) == 0; });
    };
    EXPECT_TRUE(logged(c.newWindowLine));
    EXPECT_TRUE(logged("NewMessage : "));

    recording_host::FailingCalls().clear();
    EndManager();
    InitManager();
    Receive("0;0;1", "reçu");
    EXPECT_TRUE(IsOpen("0;0;1"));
    EXPECT_EQ(Screen()->FormCount(), forms + 1);
    EXPECT_NE(Shown(Window("Messages avec Bob")).find("reçu"), std::string::npos);
  }
}

// After the manager's end no entry point may reach a freed window or the
// released host: each one says so in the log and returns.
TEST_F(TesselModule, EveryEntryPointAfterTheEndFailsInsideTheModule)
{
  Receive("0;0;1", "a");
  EndManager();
  Ended = true;
  const int forms = Screen()->FormCount();
  const UserID key("0;0;1");
  const ShortString nick("Robert");
  const struct {
    const char* name;
    std::function<void()> call;
  } cases[] = {
      {"UpdateNick : ", [&] { UpdateNick(&key, &nick); }},
      {"MessageIsOpen : ", [&] { EXPECT_FALSE(MessageIsOpen(&key)); }},
      {"NewMessageFromMe : ", [&] { NewMessageFromMe(&key); }},
      {"NewMessage : ", [&] { NewMessage(&key, Now(), "b", mkText); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Debug.Lines.clear();
    recording_host::Calls().clear();
    c.call();
    Application()->ProcessMessages();
    EXPECT_EQ(Debug.Lines, (std::vector<TCDebugLine>{
                               {"tessel.dll", 1, std::string(c.name) + "Le gestionnaire de fenêtre n'est pas initialisé"}}));
    EXPECT_TRUE(recording_host::Calls().empty());
    EXPECT_EQ(Screen()->FormCount(), forms);
  }
  // A second end has nothing left to free and fails at nothing.
  Debug.Lines.clear();
  EndManager();
  EXPECT_EQ(TesselLines(), (std::vector<std::string>{"Déchargement du gestionnaire de fenêtre",
                                                     "Fermeture de toute les fenêtres", "Déconnexion de Corvane",
                                                     "Déchargement terminé"}));
}

// A contact's HTML may name any file or address: the window reads pictures
// only from the smiley folder, fetches no style sheet and nothing from the
// network. The same message in a viewer without those limits shows that
// every file named would have been read.
TEST_F(TesselModule, AnHtmlMessageReadsNothingOutsideTheSmileyFolder)
{
  const std::string smileys = NewsreaderFixture + "config/";
  std::filesystem::copy_file(smileys + "sourire.gif", Folder.Path() + "outside.gif");
  Folder.Write("red.css", "body, div, p { background-color: #FF0000 }\r\n");
  const std::string folderName = std::filesystem::path(Folder.Path()).parent_path().filename().string();
  const std::vector<std::string> outside = {
      std::string(CHATWIN_GOLDEN_DIR) + "/chat-window.png",                   // absolute, elsewhere
      "outside.gif",                                                          // the current folder
      "../" + folderName + "/outside.gif",                                    // up and back down
      smileys + "../../../../../../../../../../.." + Folder.Path() + "outside.gif",  // out of the folder
      "http://127.0.0.1:9/smiley.png",
  };
  std::string html = "<link rel=\"stylesheet\" href=\"" + Folder.Path() + "red.css\">";
  html += "<img src=\"" + smileys + "sourire.gif\">";
  for (const std::string& src : outside)
    html += "<img src=\"" + src + "\">";
  html += "<table background=\"outside.gif\"><tr><td>cellule</td></tr></table><p>fin</p>";

  auto redPixels = [](TWinControl* Viewer) {
    Viewer->Update();
    HDC dc = GetWindowDC(Viewer->Handle());
    const TPixelImage shown = CaptureDC(dc);
    ReleaseDC(Viewer->Handle(), dc);
    return std::count_if(shown.Pixels.begin(), shown.Pixels.end(),
                         [](std::uint32_t p) { return (p & 0xFFFFFF) == 0xFF0000; });
  };

  Receive("0;0;1", html, mkHtml);
  THtmlView* viewer = FindChild<THtmlView>(Window("Messages avec Bob"));
  ASSERT_NE(viewer, nullptr);
  TSectionList& doc = viewer->SectionList();
  EXPECT_EQ(doc.ImageCache()->Count(), 1);  // the smiley alone
  EXPECT_EQ(redPixels(viewer), 0);

  doc.RestrictFiles = false;
  doc.AllowedFolders.clear();
  doc.LoadLinkedSheets = true;
  Receive("0;0;1", html, mkHtml);
  EXPECT_EQ(doc.ImageCache()->Count(), int(outside.size()));  // all but the address
  EXPECT_GT(redPixels(viewer), 0);
}
