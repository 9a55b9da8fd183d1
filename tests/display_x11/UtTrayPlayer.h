// A system tray played by a test on its own connection: it owns the tray
// selection of screen 0 with a manager window at a given place, and embeds
// the first icon that asks to dock. No X header here, so that tests of the
// class library can use it.
#pragma once

struct _XDisplay;

class TTrayPlayer {
public:
  // The manager window's top-left corner on the screen.
  TTrayPlayer(int X, int Y);
  ~TTrayPlayer();
  TTrayPlayer(const TTrayPlayer&) = delete;
  TTrayPlayer& operator=(const TTrayPlayer&) = delete;

  bool Started() const { return FDisplay != nullptr; }
  // Reads the dock requests that came in and embeds the first icon, 24 by
  // 24 at (10, 8) in the manager window; true once an icon is embedded.
  bool Docked();
  unsigned long Icon() const { return FIcon; }
  // The screen point at the middle of the embedded icon.
  int IconCenterX() const { return FX + 10 + 12; }
  int IconCenterY() const { return FY + 8 + 12; }

private:
  _XDisplay* FDisplay = nullptr;
  unsigned long FManager = 0;
  unsigned long FIcon = 0;
  int FX;
  int FY;
};
