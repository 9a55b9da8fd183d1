// ThvPanel: the window of a PANEL element; painting shows it only while
// ShowIt is set (the host decides, in its creation event or later).
#pragma once

#include "platform/classes/stdctrls/Panel.h"

class ThvPanel : public TPanel {
public:
  using TPanel::TPanel;
  bool ShowIt = true;
};
