// TChangeLink: how an object hears of changes to an image list it shows.
// Register it with the list's RegisterChanges; freeing either side unhooks
// the other.
#pragma once

#include "platform/base/Method.h"
#include "platform/base/Object.h"
#include "platform/classes/Forward.h"

class TChangeLink : public TObject {
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  virtual void Change();
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }

  TNotifyEvent OnChange;

private:
  TCustomImageList* FSender = nullptr;
};

// Sets Owner's image-list property Images to Value: Link moves from the old
// list to the new one, and Owner is told when the new list is freed. False
// (nothing done) when Images is Value already.
bool SetLinkedImages(TComponent* Owner, TCustomImageList*& Images, TCustomImageList* Value, TChangeLink* Link);
