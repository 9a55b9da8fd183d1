// TPaintPanel: the child panel of the viewer that receives the painting and
// the mouse of the document area. Every paint goes through an off-screen
// bitmap the size of the clip rectangle: the background colour and picture
// first, then the document, then one copy to the screen. The bitmap lives
// only during the paint: a window shown for hours between two messages would
// otherwise keep a second picture of its document area all that time.
#pragma once

#include "controls/html/viewer/BackgroundTiling.h"
#include "platform/classes/stdctrls/CustomPanel.h"

class THtmlView;
class TBitmap;

class TPaintPanel : public TCustomPanel {
public:
  TPaintPanel(TComponent* AOwner, THtmlView* AViewer);
  ~TPaintPanel() override;

  void Dispatch(TMessage& Message) override;
  // True while a paint runs (a nested paint does nothing).
  bool Painting() const { return FPainting; }
  // Fills R with the panel colour and tiles the document's background
  // picture over it, as placed by Pos (the viewer's scroll offsets apply
  // unless the picture is fixed).
  void DrawBackground(HDC DC, const TRect& R);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Drags over the document go to the viewer's OnDragOver and OnDragDrop,
  // with the viewer as the sender.
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;

private:
  THtmlView* FViewer;
  bool FPainting = false;
};

// Tiles Image (through Mask, white where transparent, when given) over R on
// DC as Tiling says; a 1 by 1 picture is stretched over the covered area
// and drawn once.
void TileBackground(HDC DC, const TRect& R, TColor Fill, TBitmap* Image, TBitmap* Mask, const TTiling& Tiling);
