// TOwnedCollection: a collection that knows the persistent object holding it,
// for name paths and for the owner's change handling.
#pragma once

#include "platform/classes/components/Collection.h"

class TOwnedCollection : public TCollection {
public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};
