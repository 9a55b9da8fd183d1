#include <cstdlib>
#include <map>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/detail/Core.h"

namespace {

std::map<std::string, TDisplayFactory>& Factories()
{
  static auto* factories = new std::map<std::string, TDisplayFactory>;
  return *factories;
}

std::mutex& FactoriesLock()
{
  static auto* lock = new std::mutex;
  return *lock;
}

}  // namespace

void RegisterDisplayBackend(const std::string& name, TDisplayFactory factory)
{
  std::lock_guard<std::mutex> lock(FactoriesLock());
  Factories()[name] = factory;
}

bool SelectDisplayBackend(const std::string& name)
{
  TDisplayFactory factory = nullptr;
  {
    std::lock_guard<std::mutex> lock(FactoriesLock());
    auto& all = Factories();
    std::string chosen = name;
    if (chosen.empty()) {
      const char* display = std::getenv("DISPLAY");
      chosen = display && *display && all.count("x11") ? "x11" : "headless";
    }
    auto it = all.find(chosen);
    if (it == all.end())
      return false;
    factory = it->second;
  }
  wincore::TCore& core = wincore::Core();
  std::lock_guard<std::recursive_mutex> lock(core.Lock);
  for (auto& slot : core.Slots)
    if (slot.Wnd && slot.Wnd->HasSurface)
      return core.Display && core.Display->Name() == name;
  core.Display = factory();
  auto monitors = core.Display->Monitors();
  if (!monitors.empty())
    core.Desktop->Rect = core.Desktop->Client = monitors.front().Bounds;
  return true;
}

TDisplayBackend* CurrentDisplayBackend()
{
  wincore::TCore& core = wincore::Core();
  std::lock_guard<std::recursive_mutex> lock(core.Lock);
  return core.Display.get();
}

// A display without a desktop around it has nothing to do with these.
void TDisplayBackend::UpdateWindowState(HWND, const TDisplayWindowState&) {}
void TDisplayBackend::WindowActivated(HWND) {}
bool TDisplayBackend::BeginMoveSize(HWND, int, TPoint) { return false; }
bool TDisplayBackend::ShowNotifyIcon(HWND, UINT, HICON, const std::string&) { return false; }
void TDisplayBackend::RemoveNotifyIcon(HWND, UINT) {}
bool TDisplayBackend::NotifyIconRect(HWND, UINT, TRect&) { return false; }

bool TDisplayBackend::SetWindowLayering(HWND window, const TDisplayLayering& layering)
{
  if (layering.UseColorKey || layering.PerPixelAlpha)
    return false;
  return SetWindowAlpha(window, layering.Alpha);
}

bool TDisplayBackend::ReadScreen(const TRect&, const TSurface&) { return false; }
bool TDisplayBackend::DrawOnScreen(const TRect&, const TSurface&) { return false; }
