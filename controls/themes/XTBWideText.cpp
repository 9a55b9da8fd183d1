#include "controls/themes/XTBWideText.h"

#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"

namespace {

// Brush made clear for the drawing, restored afterwards.
class TClearBrushScope {
public:
  explicit TClearBrushScope(TCanvas* Canvas)
      : FCanvas(Canvas), FStyle(Canvas->Brush()->Style()), FColor(Canvas->Brush()->Color())
  {
    Canvas->Brush()->SetStyle(bsClear);
  }
  ~TClearBrushScope()
  {
    FCanvas->Brush()->SetColor(FColor);
    FCanvas->Brush()->SetStyle(FStyle);
  }
  TClearBrushScope(const TClearBrushScope&) = delete;
  TClearBrushScope& operator=(const TClearBrushScope&) = delete;

private:
  TCanvas* FCanvas;
  TBrushStyle FStyle;
  TColor FColor;
};

int DrawOnce(TCanvas* Canvas, const WideString& Text, TRect& R, UINT Format)
{
  Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC dc = Canvas->Handle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int result = DrawTextW(dc, Text.c_str(), int(Text.size()), &R, Format);
  SetBkMode(dc, oldMode);
  return result;
}

}  // namespace

int DrawWideText(TCanvas* Canvas, const WideString& Text, TRect& R, UINT Format)
{
  TClearBrushScope brush(Canvas);
  return DrawOnce(Canvas, Text, R, Format);
}

int DrawWideTextOutlined(TCanvas* Canvas, const WideString& Text, TRect& R, UINT Format, TColor Outline)
{
  TClearBrushScope brush(Canvas);
  if (!(Format & DT_CALCRECT)) {
    const TColor textColor = Canvas->Font()->Color();
    Canvas->Font()->SetColor(Outline);
    for (int dx : {-1, 1})
      for (int dy : {-1, 1}) {
        TRect shifted = R;
        OffsetRect(&shifted, dx, dy);
        DrawOnce(Canvas, Text, shifted, Format);
      }
    Canvas->Font()->SetColor(textColor);
  }
  return DrawOnce(Canvas, Text, R, Format);
}
