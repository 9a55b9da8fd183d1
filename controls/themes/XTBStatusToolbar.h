// The status-bar style toolbar: its separators may be hidden (by mode, or
// under a theme that draws its status bars without them), and docked on a
// form in its normal state its dock's bottom-right corner sizes the form.
#pragma once

#include <cstdint>
#include <string>

#include "controls/themes/XTBToolbars.h"

// Whether separators are hidden: mode 0 always; mode 1 unless visual
// styles are usable, then as mode 2; mode 2 under a theme whose name
// contains "Office".
bool SeparatorsHidden(std::uint8_t SeparatorMode, bool VisualStylesUsable, const std::string& ThemeName);
// The sizing corner in the dock's client coordinates: the dock's client
// rectangle from 3 pixels above it, the width of a vertical scroll bar.
TRect SizingCornerOf(const TRect& DockClient, int ScrollBarWidth);

class TXTBStatusToolbar : public TXTBToolbar {
public:
  explicit TXTBStatusToolbar(TComponent* AOwner);

  std::uint8_t SeparatorMode() const { return FSeparatorMode; }
  void SetSeparatorMode(std::uint8_t Value) { FSeparatorMode = Value; }
  // Under the current theme and visual styles.
  bool HidesSeparators();
  // The corner, in the dock's client coordinates; empty unless docked with
  // its form in the normal state.
  TRect SizingCorner();

  void Dispatch(TMessage& Message) override;

private:
  std::uint8_t FSeparatorMode = 2;
};
