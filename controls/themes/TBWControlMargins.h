// TTBWControlMargins: the four margins a panel object keeps its content
// within. Every change (one per setter, one for a whole Assign) is reported
// to the owner's handler.
#pragma once

#include "platform/base/Persistent.h"
#include "platform/base/Method.h"

class TTBWControlMargins : public TPersistent {
public:
  int Left() const { return FLeft; }
  void SetLeft(int Value) { Store(FLeft, Value); }
  int Top() const { return FTop; }
  void SetTop(int Value) { Store(FTop, Value); }
  int Right() const { return FRight; }
  void SetRight(int Value) { Store(FRight, Value); }
  int Bottom() const { return FBottom; }
  void SetBottom(int Value) { Store(FBottom, Value); }

  // Copies the four values of another margins object, then reports one change.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

protected:
  virtual void Change();

private:
  void Store(int& Field, int Value);

  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};
