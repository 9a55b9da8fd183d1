// TActionList: the action list forms place.
#pragma once

#include "platform/classes/actions/CustomActionList.h"

class TActionList : public TCustomActionList {
public:
  using TCustomActionList::TCustomActionList;
};
