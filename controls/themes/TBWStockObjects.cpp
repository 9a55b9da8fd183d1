#include "controls/themes/TBWStockObjects.h"

#include "platform/base/ModuleLoader.h"

namespace {

TThemeStockObjects Stock;
bool StockCreated = false;

struct TLibraries {
  HMODULE User32 = nullptr;
  HMODULE Msimg32 = nullptr;
  bool Bound = false;
};
TLibraries Libraries;
TThemeOptionalFunctions BoundFunctions;

TDrawingCacheRecord Caches[DrawingCacheCount];

void CreateStockObjects()
{
  HDC screen = GetDC(nullptr);
  Stock.ColorBitmap = CreateCompatibleBitmap(screen, 8, 8);
  Stock.ColorDC = CreateCompatibleDC(screen);
  SelectObject(Stock.ColorDC, Stock.ColorBitmap);
  ReleaseDC(nullptr, screen);
  NONCLIENTMETRICS metrics;
  metrics.cbSize = 340;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0))
    Stock.SmallCaptionFont = CreateFontIndirect(&metrics.lfSmCaptionFont);
  else
    Stock.SmallCaptionFont = HFONT(GetStockObject(DEFAULT_GUI_FONT));
  StockCreated = true;
}

}  // namespace

TThemeStockObjects& StockObjects()
{
  if (!StockCreated)
    CreateStockObjects();
  return Stock;
}

void FreeStockObjects()
{
  if (!StockCreated)
    return;
  DeleteObject(Stock.SmallCaptionFont);
  DeleteDC(Stock.ColorDC);
  DeleteObject(Stock.ColorBitmap);
  Stock = TThemeStockObjects();
  StockCreated = false;
}

void RecreateStockObjects()
{
  FreeStockObjects();
  CreateStockObjects();
}

TThemeOptionalFunctions& OptionalFunctions()
{
  if (!Libraries.Bound)
    BindOptionalFunctions();
  return BoundFunctions;
}

void BindOptionalFunctions()
{
  UnbindOptionalFunctions();
  Libraries.User32 = LoadLibrary("user32.dll");
  Libraries.Msimg32 = LoadLibrary("msimg32.dll");
  if (Libraries.User32)
    BoundFunctions.UpdateLayeredWindow =
        reinterpret_cast<TUpdateLayeredWindowProc>(GetProcAddress(Libraries.User32, "UpdateLayeredWindow"));
  if (Libraries.Msimg32) {
    BoundFunctions.AlphaBlend = reinterpret_cast<TAlphaBlendProc>(GetProcAddress(Libraries.Msimg32, "AlphaBlend"));
    BoundFunctions.GradientFill =
        reinterpret_cast<TGradientFillProc>(GetProcAddress(Libraries.Msimg32, "GradientFill"));
  }
  Libraries.Bound = true;
}

void UnbindOptionalFunctions()
{
  BoundFunctions = TThemeOptionalFunctions();
  if (Libraries.Msimg32)
    FreeLibrary(Libraries.Msimg32);
  if (Libraries.User32)
    FreeLibrary(Libraries.User32);
  Libraries = TLibraries();
}

TDrawingCacheRecord& DrawingCache(int Index) { return Caches[Index]; }

void ClearDrawingCaches()
{
  for (TDrawingCacheRecord& record : Caches) {
    record.Key1 = record.Key2 = -1;
    for (HGDIOBJ& object : record.Objects) {
      if (object)
        DeleteObject(object);
      object = nullptr;
    }
  }
}
