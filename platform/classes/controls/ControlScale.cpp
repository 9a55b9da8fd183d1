// Scaling controls by M/D, as forms made for one screen resolution are shown
// on another: places and sizes, size limits and fonts.
#include "platform/base/MulDiv.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Font.h"

namespace {

void ScaleConstraints(TSizeConstraints* C, int M, int D)
{
  C->SetMaxWidth(MulDiv(C->MaxWidth(), M, D));
  C->SetMaxHeight(MulDiv(C->MaxHeight(), M, D));
  C->SetMinWidth(MulDiv(C->MinWidth(), M, D));
  C->SetMinHeight(MulDiv(C->MinHeight(), M, D));
}

}  // namespace

void TControl::ScaleBy(int M, int D)
{
  if (M == D || D == 0)
    return;
  const int left = FLeft, top = FTop;
  ChangeScale(M, D);
  SetBounds(left, top, FWidth, FHeight);
}

void TControl::ChangeScale(int M, int D)
{
  if (M == D || D == 0)
    return;
  ScaleConstraints(FConstraints.get(), M, D);
  const int left = MulDiv(FLeft, M, D), top = MulDiv(FTop, M, D);
  SetBounds(left, top, MulDiv(FLeft + FWidth, M, D) - left, MulDiv(FTop + FHeight, M, D) - top);
  // A font of the parent's was scaled with the parent and comes down to it.
  if (!FParentFont)
    FFont->SetHeight(MulDiv(FFont->Height(), M, D));
}

void TWinControl::ScaleControls(int M, int D)
{
  for (int i = 0; i < ControlCount(); ++i)
    Controls(i)->ChangeScale(M, D);
}

void TWinControl::ChangeScale(int M, int D)
{
  if (M == D || D == 0)
    return;
  DisableAlign();
  try {
    ScaleControls(M, D);
    TControl::ChangeScale(M, D);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}
