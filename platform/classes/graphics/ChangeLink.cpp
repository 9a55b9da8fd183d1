#include "platform/classes/graphics/ChangeLink.h"

#include "platform/classes/graphics/CustomImageList.h"

TChangeLink::~TChangeLink()
{
  if (FSender)
    FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
  if (OnChange)
    OnChange(FSender);
}
