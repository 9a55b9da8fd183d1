// TPanel: the panel of forms.
#pragma once

#include "platform/classes/stdctrls/CustomPanel.h"

class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
