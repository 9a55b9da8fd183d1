// A system tray played by a test on its own connection, as the desktop's
// trays embed their icons: it owns the tray selection of screen 0 with a
// manager window at a given place, and embeds the first icon that asks to
// dock (XEMBED) in a slot as high as the tray and as wide as the icon's size
// hints ask (one pixel when they ask for nothing); it tells the icon it is
// embedded and maps it when the icon's XEMBED info asks to be mapped. No X
// header here, so that tests of the class library can use it.
#pragma once

struct _XDisplay;

class TTrayPlayer {
public:
  // The manager window's top-left corner on the screen, the height of the
  // slot it gives an icon, and the icon size it announces on its manager
  // window (_NET_SYSTEM_TRAY_ICON_SIZE; 0: none).
  TTrayPlayer(int X, int Y, int SlotHeight = 24, int AnnouncedIconSize = 0);
  ~TTrayPlayer();
  TTrayPlayer(const TTrayPlayer&) = delete;
  TTrayPlayer& operator=(const TTrayPlayer&) = delete;

  bool Started() const { return FDisplay != nullptr; }
  // Reads the dock requests that came in and embeds the first icon at
  // (10, 8) in the manager window; true once an icon is embedded.
  bool Docked();
  unsigned long Icon() const { return FIcon; }
  // The slot given to the icon.
  int IconWidth() const { return FIconWidth; }
  int IconHeight() const { return FIconHeight; }
  // The screen point at the middle of the embedded icon.
  int IconCenterX() const { return FX + 10 + FIconWidth / 2; }
  int IconCenterY() const { return FY + 8 + FIconHeight / 2; }

private:
  _XDisplay* FDisplay = nullptr;
  unsigned long FManager = 0;
  unsigned long FIcon = 0;
  int FX;
  int FY;
  int FSlotHeight;
  int FIconWidth = 0;
  int FIconHeight = 0;
};
