#include "platform/win/window/VisualStyleSetting.h"

#include <cstring>

#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/WindowTree.h"

namespace {

BOOL NotifyThemeChanged(HWND hwnd, LPARAM)
{
  // Posted to windows of other threads, sent to this thread's: a busy thread never blocks the switch.
  SendNotifyMessage(hwnd, WM_THEMECHANGED, 0, 0);
  return TRUE;
}

BOOL NotifyTopLevel(HWND hwnd, LPARAM)
{
  NotifyThemeChanged(hwnd, 0);
  EnumChildWindows(hwnd, NotifyThemeChanged, 0);
  return TRUE;
}

void OnRegistryChange(const TRegistryStore& before, const TRegistryStore& after)
{
  if (VisualStylesEnabledIn(before) != VisualStylesEnabledIn(after))
    EnumWindows(NotifyTopLevel, 0);
}

// The window system watches the setting from the moment it is loaded.
[[maybe_unused]] const bool Watching = (AddRegistryChangeHandler(OnRegistryChange), true);

}  // namespace

bool VisualStylesEnabledIn(const TRegistryStore& store)
{
  const TRegistryKey* key = store.FindKey(VisualStylesKey);
  if (!key)
    return true;
  auto found = key->Values.find("visualstyles");
  if (found == key->Values.end())
    return true;
  const TRegistryValue& value = found->second;
  if (value.Type == REG_DWORD && value.Data.size() == 4) {
    DWORD number = 0;
    std::memcpy(&number, value.Data.data(), 4);  // little-endian, as the file stores it
    return number != 0;
  }
  if (value.Type == REG_SZ)
    return value.Data.empty() || std::strcmp(reinterpret_cast<const char*>(value.Data.data()), "0") != 0;
  return true;
}

bool VisualStylesEnabled()
{
  return VisualStylesEnabledIn(*CurrentRegistry());
}
