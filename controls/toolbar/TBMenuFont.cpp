#include "controls/toolbar/TBMenuFont.h"

#include <memory>

#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {
std::unique_ptr<TFont> TheMenuFont;
}

TFont* MenuFont()
{
  if (!TheMenuFont) {
    TheMenuFont = std::make_unique<TFont>();
    RefreshMenuFont();
  }
  return TheMenuFont.get();
}

void RefreshMenuFont()
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    MenuFont()->SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
}
