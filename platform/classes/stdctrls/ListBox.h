// TListBox: the list box of forms.
#pragma once

#include "platform/classes/stdctrls/CustomListBox.h"

class TListBox : public TCustomListBox {
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
