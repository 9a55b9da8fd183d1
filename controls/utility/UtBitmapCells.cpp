#include "controls/utility/UtBitmapCells.h"

#include <string>

#include "platform/base/Utf.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"

void CopyBitmapCell(TGraphic* Source, TBitmap* Dest, int Columns, int Rows, int Index)
{
  if (!Source || !Dest)
    return;
  if (Columns < 1)
    Columns = 1;
  if (Rows < 1)
    Rows = 1;
  if (Index < 0)
    Index = 0;
  int width = Source->Width() / Columns;
  int height = Source->Height() / Rows;
  int x = (Index % Columns) * width;
  int y = (Index / Columns) * height;
  Dest->SetSize(width, height);
  TRect cell(0, 0, width, height);
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    Dest->Canvas()->CopyRect(cell, bitmap->Canvas(), TRect(x, y, x + width, y + height));
    Dest->SetTransparentColor(bitmap->TransparentColor());
  } else {
    Dest->Canvas()->Brush()->SetColor(clSilver);
    Dest->Canvas()->FillRect(cell);
    Dest->Canvas()->Draw(-x, -y, Source);
  }
  Dest->SetTransparent(Source->Transparent());
}

int TallestTextHeight(TCanvas* Canvas)
{
  // The 8-bit code page is UTF-8: the characters 1 to 255 are written as such.
  std::u16string all;
  for (char16_t c = 1; c <= 255; ++c)
    all += c;
  return Canvas->TextHeight(UTF8Encode(all));
}
