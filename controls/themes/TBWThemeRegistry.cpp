#include "controls/themes/TBWThemeRegistry.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWTheme.h"
#include "platform/base/Exception.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/forms/Application.h"
#include "platform/base/Strings.h"

namespace {

struct TThemeEntry {
  std::string Name;
  TTBWThemeClass ThemeClass = nullptr;
  TTBWTheme* Instance = nullptr;
  int UseCount = 0;
};
std::vector<TThemeEntry> Entries;

bool ApplicationActive()
{
  TApplication* app = ApplicationIfAny();
  return app && app->Active();
}

}  // namespace

void RegisterTheme(const std::string& Name, TTBWThemeClass ThemeClass)
{
  // A longer name would be cut after the uniqueness check and could collide
  // with another: it is refused instead.
  if (Name.empty() || Name.size() > MaxThemeNameLength || !ThemeClass)
    throw Exception("Cannot register theme");
  if (FindThemeIndex(Name) >= 0)
    throw Exception("Theme " + Name + " is already registered");
  Entries.push_back({Name, ThemeClass, nullptr, 0});
}

int FindThemeIndex(const std::string& Name)
{
  for (std::size_t i = 0; i < Entries.size(); ++i)
    if (CompareText(Entries[i].Name, Name) == 0)
      return int(i);
  return -1;
}

bool ThemeExists(const std::string& Name) { return FindThemeIndex(Name) >= 0; }

void GetThemeNames(TStrings* List)
{
  if (!List)
    throw EAssertionFailed("GetThemeNames: no list");
  for (const TThemeEntry& entry : Entries)
    List->Add(entry.Name);
}

std::vector<std::string> ThemeNames()
{
  std::vector<std::string> names;
  for (const TThemeEntry& entry : Entries)
    names.push_back(entry.Name);
  return names;
}

TTBWTheme* AcquireTheme(const std::string& Name)
{
  const int index = FindThemeIndex(Name);
  if (index < 0)
    throw Exception("Unknown theme " + Name);
  TThemeEntry* entry = &Entries[index];
  if (!entry->Instance) {
    if (entry->UseCount != 0)
      throw EAssertionFailed("AcquireTheme: a counted theme without an instance");
    TTBWTheme* theme = entry->ThemeClass(entry->Name);
    // The constructor may have registered more themes: find the entry again.
    entry = &Entries[index];
    entry->Instance = theme;
    TMessage message;
    message.Msg = TBWM_SYSCHANGE;
    message.WParam = ApplicationActive() ? 1 : 0;
    theme->Dispatch(message);
  }
  ++entry->UseCount;
  return entry->Instance;
}

void ReleaseTheme(TTBWTheme*& Theme)
{
  for (TThemeEntry& entry : Entries) {
    if (!Theme || entry.Instance != Theme)
      continue;
    if (entry.UseCount < 1)
      throw Exception("Cannot release theme " + entry.Name);
    if (--entry.UseCount == 0) {
      TTBWTheme* instance = entry.Instance;
      entry.Instance = nullptr;
      delete instance;
      Theme = nullptr;
    }
    return;
  }
  throw Exception("Cannot release theme");
}

int ThemeUseCount(const std::string& Name)
{
  const int index = FindThemeIndex(Name);
  return index < 0 ? 0 : Entries[index].UseCount;
}

void ClearThemeRegistry()
{
  for (TThemeEntry& entry : Entries)
    delete entry.Instance;
  Entries.clear();
}
