#include "controls/themes/TBWNexus.h"

#include <algorithm>
#include <vector>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"

namespace {

class TTBWNexus : public TObject, public TMessageDispatcher {
public:
  explicit TTBWNexus(const std::string& ThemeName)
  {
    Current = AcquireTheme(ThemeName);
    AddThemeNotification(this);
  }
  ~TTBWNexus() override
  {
    RemoveThemeNotification(this);
    if (Current)
      ReleaseTheme(Current);
  }

  void Broadcast(WPARAM SubCode, LPARAM LParam)
  {
    // Clients may leave while they hear the notice: walk a copy and skip
    // whoever left since.
    const std::vector<TObject*> snapshot = Clients;
    for (TObject* client : snapshot) {
      if (std::find(Clients.begin(), Clients.end(), client) == Clients.end())
        continue;
      TMessage message;
      message.Msg = TBWM_THEMECHANGE;
      message.WParam = SubCode;
      message.LParam = LParam;
      DispatchToObject(client, message);
    }
  }

  void Dispatch(TMessage& Message) override
  {
    if (Message.Msg == TBWM_SYSCHANGE)
      Broadcast(Message.WParam, 0);
    TMessageDispatcher::Dispatch(Message);
  }

  TTBWTheme* Current = nullptr;
  std::vector<TObject*> Clients;
};

TTBWNexus* ThemeNexus = nullptr;

}  // namespace

TTBWTheme* CurrentTheme() { return ThemeNexus ? ThemeNexus->Current : nullptr; }

void CreateThemeNexus(const std::string& ThemeName)
{
  FreeThemeNexus();
  ThemeNexus = new TTBWNexus(ThemeName);
}

void FreeThemeNexus()
{
  delete ThemeNexus;
  ThemeNexus = nullptr;
}

int AddThemeClient(TObject* Component)
{
  if (!ThemeNexus)
    return -1;
  auto& clients = ThemeNexus->Clients;
  auto it = std::find(clients.begin(), clients.end(), Component);
  if (it != clients.end())
    return int(it - clients.begin());
  clients.push_back(Component);
  return int(clients.size()) - 1;
}

void RemoveThemeClient(TObject* Component)
{
  if (!ThemeNexus)
    return;
  auto& clients = ThemeNexus->Clients;
  auto it = std::find(clients.begin(), clients.end(), Component);
  if (it != clients.end())
    clients.erase(it);
}

bool SetCurrentThemeName(const std::string& Name)
{
  if (!ThemeNexus || !ThemeExists(Name))
    return false;
  if (ThemeNexus->Current)
    ReleaseTheme(ThemeNexus->Current);
  ThemeNexus->Current = AcquireTheme(Name);
  for (WPARAM code : {TSC_BEFOREVIEWCHANGE, TSC_VIEWCHANGE, TSC_AFTERVIEWCHANGE})
    ThemeNexus->Broadcast(code, 1);
  return true;
}

std::string CurrentThemeName() { return ThemeNexus && ThemeNexus->Current ? ThemeNexus->Current->Name() : std::string(); }
