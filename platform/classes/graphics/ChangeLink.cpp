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

bool SetLinkedImages(TComponent* Owner, TCustomImageList*& Images, TCustomImageList* Value, TChangeLink* Link)
{
  if (Value == Images)
    return false;
  if (Images) {
    Images->UnRegisterChanges(Link);
    Images->RemoveFreeNotification(Owner);
  }
  Images = Value;
  if (Images) {
    Images->RegisterChanges(Link);
    Images->FreeNotification(Owner);
  }
  return true;
}
