#include "controls/themes/XTBUnitObjects.h"

#include "controls/themes/XTBThemeNexus.h"
#include "platform/classes/graphics/Bitmap.h"

namespace {

int Starts = 0;
TBitmap* HintBitmap = nullptr;
HCURSOR Hand = nullptr;
TXtThemeNexus* ExtendedNexus = nullptr;

}  // namespace

void StartExtendedControls()
{
  if (Starts++ > 0)
    return;
  HintBitmap = new TBitmap;
  Hand = LoadCursor(nullptr, IDC_HAND);
  ExtendedNexus = new TXtThemeNexus;
}

void StopExtendedControls()
{
  if (Starts == 0 || --Starts > 0)
    return;
  delete ExtendedNexus;
  ExtendedNexus = nullptr;
  Hand = nullptr;
  delete HintBitmap;
  HintBitmap = nullptr;
}

TBitmap* SharedHintBitmap() { return HintBitmap; }
HCURSOR HandCursor() { return Hand; }
TXtThemeNexus* XtThemeNexus() { return ExtendedNexus; }
