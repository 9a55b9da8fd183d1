// The raised or sunken frame of the viewer's objects, in the colours the
// document asks for (printing, a white page, a monochrome printer).
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "platform/win/gdi/gdi.h"

void RaisedFrame(HDC DC, const TSectionList& Document, const TRect& R, bool Raised, int Width)
{
  const COLORREF Back = PlainColor(Document.Background);
  const bool WhitePage = Back == 0xFFFFFF;
  TColor Light = Document.Printing || WhitePage ? TColor(0xC0C0C0) : TColor(clBtnHighlight);
  TColor Dark = clBtnShadow;
  if (Document.Printing && Document.MonochromePrinter)
    Light = Dark = 0;
  if (Width <= 1) {
    FrameLines(DC, R.Left, R.Top, Raised, Light, Dark, R.Bottom - 1, R.Right - 1);
    return;
  }
  const TColor TopLeft = Raised ? Light : Dark;
  const TColor BottomRight = Raised ? Dark : Light;
  const TRect Inner{R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width};
  DrawBorder(DC, R, Inner, {TopLeft, TopLeft, BottomRight, BottomRight}, {1, 1, 1, 1},
             clNone);
}

