// corvane: the program. Its logic lives in the host library; the program
// links it with an exported dynamic symbol table, so that the modules it
// loads find CreateMessageInput and CreateNetworkInput in it.
#include "host/MainForm.h"
#include "host/ProgramBindings.h"
#include "host/ThemeLayer.h"
#include "platform/classes/forms/Application.h"
#include "platform/startup/DisplayStartup.h"

namespace {

// The main window with the program's bindings of its controls.
class TProgramMain final : public TcorvaneMain {
public:
  explicit TProgramMain(TComponent* AOwner) : TcorvaneMain(AOwner, ProgramBindings()) {}
};

}  // namespace

int main()
{
  StartDisplay();
  Application()->Initialize();
  {
    TThemeLayerScope themes;
    Application()->SetTitle(TcorvaneMain::Title);
    TProgramMain* window = nullptr;
    Application()->CreateForm(window);
    Application()->Run();
    // The window and its themed controls go before the theme layer.
    delete Application();
  }
  return 0;
}
