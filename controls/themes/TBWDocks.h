// The themed dock: a background painted by the theme (when it has neither a
// background object nor a colour of its own), by its parent (when asked to
// look through), or by the framework; the toolbars docked in it continue
// that background behind their items.
#pragma once

#include "controls/toolbar/TBDock.h"

class TTBWDock : public TTBDock {
public:
  explicit TTBWDock(TComponent* AOwner);
  ~TTBWDock() override;

  // The dock shows what lies behind it.
  bool UseParentBackground() const { return FUseParentBackground; }
  void SetUseParentBackground(bool Value);
  // The theme paints the background.
  virtual bool ThemedBackground();
  // Set while the dock's own move or size is handled.
  bool Moving() const { return FMoving; }
  bool Resizing() const { return FResizing; }

  bool UsesBackground() override;
  // DC is in the dock's client coordinates; R is the part to paint.
  void DrawBackground(HDC DC, const TRect& R) override;
  void Dispatch(TMessage& Message) override;

private:
  void EraseBackground(TMessage& Message);
  void Resized();

  bool FMoving = false;
  bool FResizing = false;
  bool FUseParentBackground = false;
};

// Has Dock paint its background behind Control's client area (DC in
// Control's client coordinates; Area the part to paint, in those too).
void PaintDockBackgroundBehind(TTBDock* Dock, TControl* Control, HDC DC, const TRect& Area);
