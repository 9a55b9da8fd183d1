#include "platform/visualstyles/ThemeHandles.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/win/gdi/detail/HandleTable.h"

namespace {

constexpr std::uint8_t ThemeTag = 0x54;

struct TThemeRegistry {
  THandleTable<TThemeData> Table{ThemeTag};
  std::mutex Lock;
  std::map<HWND, std::vector<HTHEME>> ByWindow;  // open handles of each window, oldest first
};

TThemeRegistry& Registry()
{
  // Goes with the module: a program that frees the library (the theme layer
  // does when visual styles are switched off) leaves nothing behind.
  static TThemeRegistry registry;
  return registry;
}

}  // namespace

HTHEME AddThemeData(const TThemeClass& cls, HWND window)
{
  auto data = std::make_shared<TThemeData>();
  data->Class = &cls;
  data->Window = window;
  auto theme = reinterpret_cast<HTHEME>(Registry().Table.Add(std::move(data)));
  if (window) {
    std::lock_guard guard(Registry().Lock);
    Registry().ByWindow[window].push_back(theme);
  }
  return theme;
}

std::shared_ptr<const TThemeData> FindThemeData(HTHEME theme)
{
  return Registry().Table.Get(reinterpret_cast<std::uintptr_t>(theme));
}

bool RemoveThemeData(HTHEME theme)
{
  auto data = Registry().Table.Remove(reinterpret_cast<std::uintptr_t>(theme));
  if (!data)
    return false;
  if (data->Window) {
    std::lock_guard guard(Registry().Lock);
    auto found = Registry().ByWindow.find(data->Window);
    if (found != Registry().ByWindow.end()) {
      std::erase(found->second, theme);
      if (found->second.empty())
        Registry().ByWindow.erase(found);
    }
  }
  return true;
}

HTHEME LatestThemeOfWindow(HWND window)
{
  std::lock_guard guard(Registry().Lock);
  auto found = Registry().ByWindow.find(window);
  return found == Registry().ByWindow.end() ? nullptr : found->second.back();
}
