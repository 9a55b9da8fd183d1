// TMemo: the multi-line text box of forms.
#pragma once

#include "platform/classes/stdctrls/CustomMemo.h"

class TMemo : public TCustomMemo {
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
