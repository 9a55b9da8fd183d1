#include "controls/themes/XTBBitmapHint.h"

#include "controls/themes/XTBWideText.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"

namespace {

TRect TextExtent(TCanvas* Canvas, const WideString& Hint)
{
  TRect r(0, 0, 1, 1);
  DrawWideText(Canvas, Hint, r, DT_CALCRECT | DT_NOPREFIX);
  return r;
}

}  // namespace

void TBitmapHint::ActivateHint(TRect Rect, const std::string& AHint)
{
  FActivating = true;
  ScopeExit done([this] { FActivating = false; });
  THintWindow::ActivateHint(Rect, AHint);
}

void TBitmapHint::ActivateHintData(TRect Rect, const std::string& AHint, void* AData)
{
  FGraphic = static_cast<TBitmap*>(AData);
  if (FGraphic) {
    // The border takes a pixel on each side; the platform's hint window
    // adds no rows of its own, so the height keeps the bitmap's whole
    // height inside the border (the text sits 2 pixels from each edge).
    Rect.Right = Rect.Left + FGraphic->Width() - 2;
    Rect.Bottom = Rect.Top + FGraphic->Height() + 2;
  }
  THintWindow::ActivateHintData(Rect, AHint, AData);
}

void TBitmapHint::Paint()
{
  if (FGraphic)
    Canvas()->Draw(0, 0, FGraphic);
  else
    THintWindow::Paint();
}

void TBitmapHint::Dispatch(TMessage& Message)
{
  // The text is already in the bitmap: a caption change repaints nothing.
  if (Message.Msg == CM_TEXTCHANGED) {
    Message.Result = 1;
    return;
  }
  THintWindow::Dispatch(Message);
}

THintWindow* NewBitmapHint(TComponent* AOwner) { return new TBitmapHint(AOwner); }

void PrepareHintBitmap(TBitmap* Bitmap, TFont* Font, const WideString& Hint)
{
  TCanvas* canvas = Bitmap->Canvas();
  canvas->Font()->Assign(Font);
  canvas->Font()->SetColor(clInfoText);
  canvas->Pen()->SetColor(clBlack);
  canvas->Brush()->SetColor(clInfoBk);
  const TRect text = TextExtent(canvas, Hint);
  Bitmap->SetSize(text.Width() + 8, text.Height() + 4);
}

void PaintHintBitmap(TBitmap* Bitmap, const WideString& Hint)
{
  TCanvas* canvas = Bitmap->Canvas();
  canvas->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
  TRect text = TextExtent(canvas, Hint);
  OffsetRect(&text, (Bitmap->Width() - text.Width()) / 2 - 2, (Bitmap->Height() - text.Height()) / 2);
  DrawWideText(canvas, Hint, text, DT_NOPREFIX);
}
