// A form made at one resolution shown on a screen of another: its client
// area, font and controls follow the screen.
#include "platform/base/MulDiv.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Font.h"

void TCustomForm::ChangeScale(int M, int D)
{
  if (M == D || D == 0)
    return;
  const int clientWidth = MulDiv(ClientWidth(), M, D), clientHeight = MulDiv(ClientHeight(), M, D);
  DisableAlign();
  try {
    ScaleControls(M, D);
    Font()->SetHeight(MulDiv(Font()->Height(), M, D));
    SetClientSize(TPoint(clientWidth, clientHeight));
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TCustomForm::ScaleToScreen()
{
  const int screen = Screen()->PixelsPerInch();
  if (!FScaled || screen == FPixelsPerInch)
    return;
  ScaleBy(screen, FPixelsPerInch);
  FPixelsPerInch = screen;
}
