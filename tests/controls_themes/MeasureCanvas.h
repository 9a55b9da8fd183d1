// A canvas on a memory DC with the menu font, as a view measures with.
#pragma once

#include <string>

#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBMenuFont.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/win.h"

struct TMeasureCanvas {
  HDC DC = CreateCompatibleDC(nullptr);
  TCanvas Canvas;
  TMeasureCanvas()
  {
    Canvas.SetHandle(DC);
    Canvas.Font()->Assign(MenuFont());
  }
  ~TMeasureCanvas()
  {
    Canvas.SetHandle(nullptr);
    DeleteDC(DC);
  }
  TSize Text(const std::string& S)
  {
    TRect r(0, 0, 1, 0);
    DrawText(Canvas.Handle(), S.c_str(), int(S.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return TSize(r.Width(), r.Height());
  }
  // The size Item's viewer in V asks for.
  TSize Item(TTBView& V, TTBCustomItem* Item)
  {
    int w = 0, h = 0;
    V.FindViewerOfItem(Item)->CalcSize(&Canvas, w, h);
    return TSize(w, h);
  }
  TEXTMETRICA Metrics()
  {
    TEXTMETRICA tm{};
    GetTextMetrics(Canvas.Handle(), &tm);
    return tm;
  }
};

