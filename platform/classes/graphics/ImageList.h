// TImageList: the image list forms place (all of TCustomImageList published).
#pragma once

#include "platform/classes/graphics/CustomImageList.h"

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};
