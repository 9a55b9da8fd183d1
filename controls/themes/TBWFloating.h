// The themed floating frame: border, caption and close box painted by the
// theme, the close box lit while the mouse is over it, and a frame moved
// near the edges of the work area snapping onto them.
#pragma once

#include "controls/toolbar/TBFloatingWindowParent.h"

class TTBWFloatingWindowParent : public TTBFloatingWindowParent {
public:
  using TTBFloatingWindowParent::TTBFloatingWindowParent;

  bool CloseButtonHover() const { return FCloseButtonHover; }
  // Copied from the toolbar; 0 turns snapping off.
  int SnapDistance() const { return FSnapDistance; }
  void SetSnapDistance(int Value) { FSnapDistance = Value; }

  void DrawNCArea(bool ForPrint, HDC DC, HRGN Clip, unsigned Parts) override;
  void Dispatch(TMessage& Message) override;

private:
  void SetCloseButtonHover(bool Value);

  bool FCloseButtonHover = false;
  int FSnapDistance = 0;
};

// Where a window of Size moved to Position lands on WorkArea: an edge
// nearer than Distance pulls it flush; left and top win over right and
// bottom.
TPoint SnapToWorkArea(TPoint Position, TSize Size, const TRect& WorkArea, int Distance);

// A themed window's snap distance reaches the themed frame it floats in
// (nothing when Parent is no such frame).
void HandSnapDistance(TWinControl* Parent, int Distance);
