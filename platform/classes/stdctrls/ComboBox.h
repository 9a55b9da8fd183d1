// TComboBox: the drop-down list of forms.
#pragma once

#include "platform/classes/stdctrls/CustomComboBox.h"

class TComboBox : public TCustomComboBox {
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
