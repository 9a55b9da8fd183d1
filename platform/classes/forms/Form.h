// TForm: the form class of the program's own forms.
#pragma once

#include "platform/classes/forms/CustomForm.h"

class TForm : public TCustomForm {
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
