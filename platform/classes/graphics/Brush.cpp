#include "platform/classes/graphics/Brush.h"

#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/SysColors.h"

void TBrush::CopyProperties(const TBrush& Source)
{
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FBitmap = Source.FBitmap;
}

HBRUSH TBrush::Handle()
{
  if (!FHandle) {
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = CreatePatternBrush(FBitmap->Handle());
    } else {
      LOGBRUSH lb{};
      lb.lbColor = ColorToRGB(FColor);
      if (FStyle == bsSolid)
        lb.lbStyle = BS_SOLID;
      else if (FStyle == bsClear)
        lb.lbStyle = BS_HOLLOW;
      else {
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = ULONG_PTR(FStyle - bsHorizontal);
      }
      FHandle = CreateBrushIndirect(&lb);
    }
  }
  return FHandle;
}

void TBrush::SetColor(TColor Value)
{
  if (Value == FColor && FStyle != bsClear)
    return;
  FColor = Value;
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
  if (Value == FStyle && !FBitmap)
    return;
  FStyle = Value;
  FBitmap = nullptr;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value)
{
  FBitmap = Value;
  FColor = 0xFFFFFF;
  FStyle = bsSolid;
  Changed();
}
