// TEdit: the one-line text box of forms.
#pragma once

#include "platform/classes/stdctrls/CustomEdit.h"

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
