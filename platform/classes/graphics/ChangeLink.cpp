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
    // A list being freed has unhooked the link already and is no longer an
    // image list: only its component part is left to forget Owner.
    if (Link->Sender() == Images)
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
