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
