#include "controls/toolbar/TBMenuFont.h"

#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {
// Kept to the end of the process: the drawing layer's handle table may be
// gone before a static owner would free the font at exit.
TFont* TheMenuFont = nullptr;
}

TFont* MenuFont()
{
  if (!TheMenuFont) {
    TheMenuFont = new TFont;
    RefreshMenuFont();
  }
  return TheMenuFont;
}

void RefreshMenuFont()
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    MenuFont()->SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
}
