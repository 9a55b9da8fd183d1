// Icons of the shell notification area in the desktop's system tray: each is
// a small window of ours that the tray embeds (the system-tray protocol with
// XEMBED), painting the icon's image; the mouse on it goes to the layer's
// notification area. Without a tray the icons wait for one to start.
//
// Size: the window asks for a square of the tray's icon size (its
// _NET_SYSTEM_TRAY_ICON_SIZE, else 22 pixels) in its size hints, which trays
// read to lay their icons out, and then takes whatever size the tray gives
// it: the icon is scaled to the largest square that fits and centred.
#pragma once

#include <map>

#include "platform/display/x11/X11Core.h"

namespace x11 {

namespace x11_tray {
// A square ARGB picture (0xAARRGGBB, not premultiplied, side x side)
// resampled to size x size by area averaging.
std::vector<uint32_t> ScaledSquare(const std::vector<uint32_t>& pixels, int side, int size);
}  // namespace x11_tray

class TX11Tray {
public:
  explicit TX11Tray(TCore& core) : FCore(core) {}
  ~TX11Tray();

  // Under the lock.
  bool Show(HWND window, UINT id, HICON icon, const std::string& tip);
  void Remove(HWND window, UINT id);
  bool IconRect(HWND window, UINT id, TRect& rect);
  // A tray started (or the one we knew went): icons dock again.
  void TrayChanged();
  // Events on our icon windows; false when the window is not one of them.
  bool OnEvent(const XEvent& ev, TActions& actions);

private:
  struct TIcon {
    Window Win = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // 0xAARRGGBB, Side x Side
    int Side = 0;
    std::string Tip;
    bool Docked = false;
    bool Argb = false;
  };
  bool Dock(TIcon& icon);
  void Paint(TIcon& icon);
  void Make(TIcon& icon);
  // The side the tray asks its icons to have.
  int PreferredSide(Window manager);

  TCore& FCore;
  std::map<std::pair<HWND, UINT>, TIcon> FIcons;
};

}  // namespace x11
