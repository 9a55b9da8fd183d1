// Wide (UTF-16) text drawn on a canvas in its font and font colour over a
// clear background: the extended items' captions, their measurement and the
// bitmap hints.
#pragma once

#include "platform/base/Utf.h"
#include "platform/classes/graphics/GraphicsTypes.h"
#include "platform/win/win.h"

class TCanvas;

// Draws Text in R with DrawText's Format flags and answers DrawText's
// result; with DT_CALCRECT R receives the text's extent instead. The
// canvas's brush is left as it was.
int DrawWideText(TCanvas* Canvas, const WideString& Text, TRect& R, UINT Format);
// The same, with the text first drawn at the four diagonal offsets (one
// pixel) in Outline, so it stands out on any background.
int DrawWideTextOutlined(TCanvas* Canvas, const WideString& Text, TRect& R, UINT Format, TColor Outline);
