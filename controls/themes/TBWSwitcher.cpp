#include "controls/themes/TBWSwitcher.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/base/Strings.h"

namespace {
int Switchers = 0;
}

TTBWSwitcher::TTBWSwitcher(TComponent* AOwner) : TComponent(AOwner)
{
  AddThemeClient(this);
  ++Switchers;
}

TTBWSwitcher::~TTBWSwitcher()
{
  --Switchers;
  RemoveThemeClient(this);
  if (ComponentState().Contains(csDesigning) && Switchers == 0)
    SetCurrentThemeName("Default");
}

std::string TTBWSwitcher::Theme() const { return CurrentThemeName(); }
void TTBWSwitcher::SetTheme(const std::string& Value) { SetCurrentThemeName(Value); }
bool TTBWSwitcher::EnableXPStyles() const { return GetThemeOption(2) == 0; }
void TTBWSwitcher::SetEnableXPStyles(bool Value) { SetThemeOption(2, Value ? 0 : 2); }

TFlatMenuStyle TTBWSwitcher::FlatMenuStyle() const
{
  switch (GetThemeOption(1)) {
    case 1: return fmsDisable;
    case 2: return fmsEnable;
    default: return fmsAuto;
  }
}

void TTBWSwitcher::SetFlatMenuStyle(TFlatMenuStyle Value)
{
  SetThemeOption(1, Value == fmsEnable ? 2 : Value == fmsDisable ? 1 : 0);
}

int TTBWSwitcher::ThemeCount() const
{
  TStringList names;
  GetThemeNames(&names);
  return names.Count();
}

std::string TTBWSwitcher::ThemeNameAt(int Index) const
{
  TStringList names;
  GetThemeNames(&names);
  return names.Strings(Index);
}

void TTBWSwitcher::Dispatch(TMessage& Message)
{
  if (Message.Msg == TBWM_THEMECHANGE && OnThemeChange)
    OnThemeChange(this);
  TMessageDispatcher::Dispatch(Message);
}

int TTBWSwitcher::LivingSwitchers() { return Switchers; }
