// The font-change watch: the text tree asks whether OnPaintText touched the
// canvas font, so that it measures the text again only then.
#include "controls/vtree/BaseLazyTree.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"

void TBaseLazyTree::AttachFontChangeWatch(TCanvas* Canvas)
{
  if (FWatchedCanvas == Canvas || !Canvas)
    return;
  DetachFontChangeWatch();
  FWatchedCanvas = Canvas;
  FCanvasFontChange = Canvas->Font()->OnChange;
  Canvas->Font()->OnChange = TNotifyEvent(this, &TBaseLazyTree::WatchedFontChange);
}

void TBaseLazyTree::DetachFontChangeWatch()
{
  if (!FWatchedCanvas)
    return;
  FWatchedCanvas->Font()->OnChange = FCanvasFontChange;
  FWatchedCanvas = nullptr;
  FCanvasFontChange = {};
}

void TBaseLazyTree::WatchedFontChange(TObject* Sender)
{
  FFontChanged = true;
  if (FCanvasFontChange)
    FCanvasFontChange(Sender);
}
