#include "platform/classes/graphics/Pen.h"

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/Objects.h"

void TPen::CopyProperties(const TPen& Source)
{
  FColor = Source.FColor;
  FWidth = Source.FWidth;
  FStyle = Source.FStyle;
  FMode = Source.FMode;
}

HPEN TPen::Handle()
{
  static constexpr UINT Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  if (!FHandle)
    FHandle = CreatePen(int(Styles[FStyle]), FWidth, ColorToRGB(FColor));
  return FHandle;
}

int TPen::RasterOp(TPenMode Mode)
{
  static constexpr int Ops[] = {R2_BLACK,      R2_WHITE,       R2_NOP,      R2_NOT,        R2_COPYPEN,   R2_NOTCOPYPEN,
                                R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                                R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,   R2_NOTXORPEN};
  return Ops[Mode];
}

void TPen::SetColor(TColor Value)
{
  if (Value != FColor) {
    FColor = Value;
    Changed();
  }
}

void TPen::SetWidth(int Value)
{
  if (Value >= 0 && Value != FWidth) {
    FWidth = Value;
    Changed();
  }
}

void TPen::SetStyle(TPenStyle Value)
{
  if (Value != FStyle) {
    FStyle = Value;
    Changed();
  }
}

void TPen::SetMode(TPenMode Value)
{
  if (Value != FMode) {
    FMode = Value;
    TGraphicsObject::Changed();
  }
}
