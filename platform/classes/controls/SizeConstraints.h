// TSizeConstraints: the smallest and largest size a control may take (0: no
// limit). A change re-applies them to the control.
#pragma once

#include "platform/base/Method.h"
#include "platform/base/Persistent.h"
#include "platform/classes/Forward.h"

class TSizeConstraints : public TPersistent {
public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}

  void Assign(TPersistent* Source) override;
  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MaxHeight() const { return FMaxHeight; }
  // A minimum above the maximum raises the maximum, and the other way round.
  void SetMinWidth(int Value);
  void SetMinHeight(int Value);
  void SetMaxWidth(int Value);
  void SetMaxHeight(int Value);
  TControl* Control() const { return FControl; }

  TNotifyEvent OnChange;

private:
  void Change();
  TControl* FControl;
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};
