#include "host/StyleMenu.h"

#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeRegistry.h"

TStyleMenu::TStyleMenu(TTBCustomItem* StyleMenu) : FStyleMenu(StyleMenu) {}

void TStyleMenu::BuildStyleMenu()
{
  FStyleMenu->SetCaption(CurrentThemeName());
  for (const std::string& name : ThemeNames()) {
    auto* item = new TTBWItem(FStyleMenu);
    item->SetCaption(name);
    item->OnClick = TNotifyEvent(this, &TStyleMenu::StyleClick);
    FStyleMenu->Add(item);
  }
}

void TStyleMenu::StyleClick(TObject* Sender)
{
  auto* item = dynamic_cast<TTBCustomItem*>(Sender);
  // A theme gone from the registry since the menu was built changes nothing.
  if (item && SetCurrentThemeName(item->Caption()))
    FStyleMenu->SetCaption(item->Caption());
}
