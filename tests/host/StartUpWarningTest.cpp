// A start-up whose chat library is missing or incomplete shows the warning
// dialog in the real window: its title, icon, exact text and single OK
// button; OK ends the program once the window is built.
#include <sstream>

#include "controls/themes/XTBItems.h"
#include "controls/toolbar/TBCustomItem.h"
#include "host/ProgramBindings.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/win/gdi/Text.h"
#include "tests/host/MainWindowHarness.h"

namespace {

class StartUpWarning : public TMainWindowHarness {
protected:
  struct TSeenDialog {
    std::string Title, Text, Buttons;
    bool Icon = false, Modal = false;
  };

  // Opens the main window, answering the first dialog with Return; the
  // dialog's parts are kept. Nothing else may show a dialog.
  TSeenDialog OpenAnsweringTheDialog(int& Dialogs)
  {
    TSeenDialog seen;
    Dialogs = 0;
    Display->SetIdleScript([&] {
      TCustomForm* dialog = Screen()->ActiveCustomForm();
      if (!dialog || dialog == Main || seen.Modal)
        return false;
      ++Dialogs;
      seen.Title = dialog->Caption();
      seen.Modal = dialog->FormState().Contains(fsModal);
      seen.Icon = dialog->FindComponent("Image") != nullptr;
      if (auto* text = dynamic_cast<TLabel*>(dialog->FindComponent("Message")))
        seen.Text = text->Caption();
      for (int i = 0; i < dialog->ControlCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(dialog->Controls(i)))
          seen.Buttons += button->Caption() + "|";
      Display->PressKey(VK_RETURN);
      return true;
    });
    Open(ProgramBindings());
    Display->SetIdleScript(nullptr);
    return seen;
  }
};

// Run ends the process's loop for good once asked to, so each case runs in a
// child process; the child prints what differs and exits with 3 when nothing does.
TEST_F(StartUpWarning, MissingOrIncompleteChatLibraryWarnsWithOKAndEndsTheProgram)
{
  struct TCase {
    const char* Built;  // nullptr: no library at all
    const char* Text;
  };
  const TCase cases[] = {
      {nullptr, "Impossible de charger la Gestionnaire\r\nLe fichier tessel.so est manquant !"},
      {"faketessel_noupdatenick.so", "Impossible de charger la Gestionnaire\r\nLa procedure UpdateNick n'existe pas"},
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EXIT(
        {
          if (c.Built)
            PutChatLibrary(c.Built);
          Put("testnet.net");
          int dialogs = 0;
          TSeenDialog seen = OpenAnsweringTheDialog(dialogs);
          std::ostringstream wrong;
          auto check = [&](bool Ok, const std::string& What) {
            if (!Ok)
              wrong << What << "\n";
          };
          check(dialogs == 1, "dialogs shown: " + std::to_string(dialogs));
          check(seen.Modal, "the dialog is not modal");
          check(seen.Title == "Avertissement", "title: " + seen.Title);
          check(seen.Icon, "no warning icon");
          check(seen.Text == c.Text, "text: " + seen.Text);
          check(seen.Buttons == "OK|", "buttons: " + seen.Buttons);
          check(Logged(c.Text, 1), "no level-1 log line of the failure");
          check(Application()->Terminated(), "OK did not end the program");
          // The window is whole all the same: its menus are built and it
          // closes cleanly when the loop ends.
          check(Main->mnuStyle()->Caption() == u"Default", "style menu: " + WideToSystemText(Main->mnuStyle()->Caption()));
          check(Main->mnuStyle()->Count() == 3, "style menu not built");
          check(!Main->Core().ChatLibraryBound(), "library bound");
          FreeWindow();
          check(Logged("Déchargement terminé", 0), "the closing step did not finish");
          std::fputs(wrong.str().c_str(), stderr);
          std::fflush(stderr);
          // The fixture is not torn down in the child: no leak check at its exit.
          std::_Exit(wrong.str().empty() ? 3 : 1);
        },
        ::testing::ExitedWithCode(3), "^$");
  }
}

}  // namespace
