// A chat window of "tessel.so" on a real X server: a contact's message with
// a smiley opens it, the user clicks into the memo and types with accents
// through the keyboard, Ctrl+Enter sends to the host, and the echo comes back
// under "Moi". The smileys show as pictures on the screen, whose picture is
// written to a file the test names in its output.
#include "X11TestSupport.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "api/ChatLibrary.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/themes/TBWThemeManager.h"
#include "platform/base/DateTime.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/base/Utf.h"
#include "platform/classes/classes.h"
#include "platform/win/gdi/Screenshot.h"
#include "plugins/smileys/SmileyReplacer.h"
#include "tests/chatwin/ChatWindowParts.h"
#include "tests/chatwin/RecordingHost.h"
#include "tests/platform_base/TempFolder.h"

namespace {

constexpr unsigned long KeyControl = 0xFFE3, KeyReturn = 0xFF0D;
// The smiley pictures of the newsreader's fixture hold this green on their
// first frame, which nothing else in a chat window shows.
constexpr uint32_t SmileyGreen = 0x07FE0D;

class ChatWindowX11Test : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    SetRegistryFile(Folder.Write("registry.reg", NewsreaderRegistryText()));

    Module = LoadLibrary(ChatLibraryFileName);
    ASSERT_NE(Module, nullptr);
    NewMessage = reinterpret_cast<TNewMessage>(GetProcAddress(Module, "NewMessage"));
    InitManager = reinterpret_cast<TInitManager>(GetProcAddress(Module, "InitManager"));
    EndManager = reinterpret_cast<TEndManager>(GetProcAddress(Module, "EndManager"));
    ASSERT_TRUE(NewMessage && InitManager && EndManager);
    // The host runs the user's own message through the smiley processor
    // too before it reaches the window.
    recording_host::OwnMessageEcho() = [this](const UserID& Key, const std::string& Text) {
      const TReplacedMessage html = Smileys.Replace(Text, mkText);
      NewMessage(&Key, Now(), html.Text.c_str(), html.Kind);
    };
    recording_host::Calls().clear();
    InitManager();
  }

  void TearDown() override
  {
    if (EndManager)
      EndManager();
    // The status bar's plain theme started the theme layer's manager, which
    // the program frees at its end.
    FreeThemeManager();
    recording_host::OwnMessageEcho() = nullptr;
    if (Module)
      FreeLibrary(Module);
    SetRegistryFile("");
    X11Fixture::TearDown();
  }

  void ReceiveFromBob(const std::string& Text)
  {
    const UserID key("0;0;1");
    const TReplacedMessage html = Smileys.Replace(Text, mkText);
    NewMessage(&key, EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 0), html.Text.c_str(), html.Kind);
  }

  // The program's own loop runs the messages: shortcuts are found there,
  // before a key reaches the focused control.
  static bool RunUntil(const std::function<bool()>& Done)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitBound);
    for (;;) {
      CatchUp();
      Application()->ProcessMessages();
      if (Done())
        return true;
      if (std::chrono::steady_clock::now() > end)
        return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // The whole X window of the form, frame included, as the server shows it.
  TPixelImage Screen(TWinControl* Form)
  {
    TRect r;
    GetWindowRect(Form->Handle(), &r);
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    return TPixelImage{w, h, ServerPixels(XOf(Form->Handle()), w, h)};
  }

  const TSmileyReplacer Smileys{LoadSmileyTable(NewsreaderFixture + "config/smileys.txt"), NewsreaderFixture};
  TTempFolder Folder;
  HMODULE Module = nullptr;
  TNewMessage NewMessage = nullptr;
  TInitManager InitManager = nullptr;
  TEndManager EndManager = nullptr;
};

}  // namespace

TEST_F(ChatWindowX11Test, TypingWithAccentsAndCtrlEnterSendsAndSmileysShowAsPictures)
{
  ReceiveFromBob("Salut ! Tu viens ce soir ? :)");
  HWND hwnd = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    hwnd = FindWindow(nullptr, "Messages avec Bob");
    return hwnd && Viewable(XOf(hwnd));
  }));
  auto* form = dynamic_cast<TWinControl*>(FindControl(hwnd));
  ASSERT_NE(form, nullptr);
  auto* memo = FindChild<TCustomMemo>(form);
  THtmlView* viewer = FindChild<THtmlView>(form);
  ASSERT_TRUE(memo && viewer);

  // The user clicks into the memo and types.
  const TPoint inMemo = memo->ClientToScreen(TPoint(memo->Width() / 2, memo->Height() / 2));
  Click(inMemo.x, inMemo.y);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == memo->Handle(); }));
  const std::string typed = "Voilà, ça marche très bien ;)";
  TypeText(typed);
  ASSERT_TRUE(PumpUntil([&] { return memo->Text() == typed; })) << memo->Text();

  Key(KeyControl, true);
  TypeKeySym(KeyReturn);
  Key(KeyControl, false);
  ASSERT_TRUE(RunUntil([&] { return memo->Text().empty(); })) << memo->Text();
  EXPECT_EQ(recording_host::Calls(),
            (std::vector<std::string>{"GetContactName(0;0;1)", "GetNetworkName(0;0;1)", "SendToContact(0;0;1," + typed + ")",
                                      "ShowOwnMessage(0;0;1," + typed + ")"}));
  viewer->SelectAll();
  const std::string shown = UTF8Encode(viewer->SelText());
  viewer->SetSelection(0, 0);  // nothing selected for the picture
  EXPECT_NE(shown.find("Moi, "), std::string::npos) << shown;
  EXPECT_NE(shown.find("Voilà, ça marche très bien"), std::string::npos) << shown;

  // Both smileys are pictures on the screen, inside the viewer, held on
  // their first frame.
  ASSERT_EQ(viewer->SectionList().AnimList.size(), 2u);
  for (TImageObj* image : viewer->SectionList().AnimList)
    if (auto* gif = dynamic_cast<TGIFImage*>(image->Image)) {
      gif->SetAnimate(false);
      gif->SetCurrentFrame(1);
    }
  viewer->PaintPanel()->Invalidate();
  const TPoint viewerOrigin = viewer->ClientToScreen(TPoint(0, 0));
  TRect frame;
  GetWindowRect(hwnd, &frame);
  const TRect inViewer(viewerOrigin.x - frame.Left, viewerOrigin.y - frame.Top,
                       viewerOrigin.x - frame.Left + viewer->Width(), viewerOrigin.y - frame.Top + viewer->Height());
  TPixelImage screen;
  int greenRows = 0;
  EXPECT_TRUE(PumpUntil([&] {
    screen = Screen(form);
    greenRows = 0;
    // Rows holding the green of a smiley: two groups, one per message.
    for (int y = inViewer.Top; y < inViewer.Bottom && !screen.Pixels.empty(); ++y)
      for (int x = inViewer.Left; x < inViewer.Right; ++x)
        if (screen.Pixels[std::size_t(y * screen.Width + x)] == SmileyGreen) {
          ++greenRows;
          break;
        }
    return greenRows >= 2 * 10;
  })) << greenRows << " rows of the viewer show a smiley's green";

  const std::string png = (std::filesystem::current_path() / ("chat-window-x11-" + std::to_string(getpid()) + ".png")).string();
  ASSERT_TRUE(WritePng(png, screen));
  RecordProperty("screenshot", png);
  std::cout << "screenshot: " << png << std::endl;
}
