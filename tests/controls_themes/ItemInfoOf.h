// An item-state record as a view fills it, for tests and the theme gallery.
#pragma once

#include "controls/themes/TBWTheme.h"

inline TTBWItemInfo ItemInfoOf(std::uint32_t ViewKind, std::uint32_t Options, bool Enabled = true,
                               std::uint8_t Hover = HK_NONE, bool Pushed = false, bool Checked = false)
{
  TTBWItemInfo info;
  info.ViewKind = ViewKind;
  info.ItemOptions = Options;
  info.Enabled = Enabled;
  info.HoverKind = Hover;
  info.Pushed = Pushed;
  info.Checked = Checked;
  return info;
}
