// The hint window of the extended toolbars: it shows a ready-drawn bitmap
// (the hint data) instead of drawing its text, so wide texts keep every
// character and the owner may draw the hint itself.
#pragma once

#include <string>

#include "platform/base/Utf.h"
#include "platform/classes/forms/HintWindow.h"

class TBitmap;
class TFont;

class TBitmapHint : public THintWindow {
public:
  using THintWindow::THintWindow;

  bool Activating() const { return FActivating; }
  TBitmap* HintGraphic() const { return FGraphic; }

  void ActivateHint(TRect Rect, const std::string& AHint) override;
  // Data is the bitmap to show; the window takes its size from it.
  void ActivateHintData(TRect Rect, const std::string& AHint, void* AData) override;

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  TBitmap* FGraphic = nullptr;
  bool FActivating = false;
};

// The hint window class the toolbars name in their hint information.
THintWindow* NewBitmapHint(TComponent* AOwner);

// Readies Bitmap for Hint: the font (in clInfoText), a black pen and a
// clInfoBk brush, sized to the text plus 8 by 4.
void PrepareHintBitmap(TBitmap* Bitmap, TFont* Font, const WideString& Hint);
// The plain hint picture: the whole bitmap filled with the brush and the
// text centred (two pixels left of centre across).
void PaintHintBitmap(TBitmap* Bitmap, const WideString& Hint);
