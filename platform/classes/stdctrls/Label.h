// TLabel: the caption control of forms.
#pragma once

#include "platform/classes/stdctrls/CustomLabel.h"

class TLabel : public TCustomLabel {
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
