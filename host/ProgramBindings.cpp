#include "host/ProgramBindings.h"

#include "controls/themes/TBWPopups.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/ContactTreeBinding.h"
#include "host/IconPacks.h"
#include "host/MainForm.h"
#include "host/NetworkMenus.h"
#include "platform/classes/forms/Dialogs.h"

namespace {

// "Infos..." shows the plug-in's name, version and author in a plain dialog.
class TInformationDialog final : public IInfoDialog {
public:
  void ShowInformation(const std::string& Text) override
  {
    MessageDlg(Text, mtInformation, TMsgDlgButtons{mbOK}, 0);
  }
};

// The pack menu of the window; a pack chosen repaints what shows the status
// images.
class TWindowIconPacks final : public TIconPacks {
public:
  explicit TWindowIconPacks(TcorvaneMain& Window)
      : TIconPacks(Window.imgStatus(), Window.mnuPacks(), &Window), FWindow(Window)
  {
    OnPackChanged = TNotifyEvent(this, &TWindowIconPacks::Repaint);
  }

private:
  void Repaint(TObject*)
  {
    FWindow.TbNetWorks()->Repaint();
    FWindow.lstPlugContact()->Repaint();
  }
  TcorvaneMain& FWindow;
};

}  // namespace

TMainWindowBindings ProgramBindings()
{
  TMainWindowBindings bindings;
  bindings.NetworkMenus = [](TcorvaneMain& Window, THostCore& Core) {
    static TInformationDialog information;
    auto menus = std::make_shared<TNetworkMenus>(Window.TbNetWorks(), Window.TbNetWorks()->Items(),
                                                 Window.mnuPopup(), &Window);
    menus->Attach(&Core, &Window, &information);
    return menus;
  };
  bindings.ContactTree = [](TcorvaneMain& Window, THostCore& Core, const std::shared_ptr<TNetworkMenus>& Menus) {
    auto binding = std::make_shared<TContactTreeBinding>(Window.lstPlugContact(), Window.imgStatus(), Menus.get());
    binding->Attach(&Core);
    return binding;
  };
  bindings.IconPacks = [](TcorvaneMain& Window) {
    auto packs = std::make_shared<TWindowIconPacks>(Window);
    packs->BuildPackMenu();
    return packs;
  };
  return bindings;
}
