#include "controls/html/images/HtmlDither.h"

#include <memory>
#include <vector>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ColorLookup.h"
#include "controls/html/images/ColorQuantizer.h"
#include "controls/html/images/DIBAccess.h"
#include "controls/html/images/DisplayState.h"
#include "controls/html/images/DitherEngine.h"
#include "platform/win/gdi/gdi.h"

HPALETTE BuildCubePalette()
{
  std::vector<PALETTEENTRY> entries;
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j)
      for (int k = 0; k < 6; ++k)
        entries.push_back(PALETTEENTRY{BYTE(i * 51), BYTE(j * 51), BYTE(k * 51), 0});
  return PaletteFromEntries(entries.data(), int(entries.size()));
}

HPALETTE QuantizeToPalette(TBitmap* Bitmap, int Colors, int ColorBits, bool WithSystemColors)
{
  TDIBReader reader(Bitmap, pf24bit);
  const int quantised = WithSystemColors ? Colors - 20 : Colors;
  TColorQuantizer quantizer(quantised < 1 ? 1 : quantised, ColorBits);
  quantizer.AccumulateImage(&reader, Bitmap->Width(), Bitmap->Height());
  std::vector<PALETTEENTRY> colors = quantizer.ColorTable();
  std::vector<PALETTEENTRY> entries;
  if (WithSystemColors) {
    // Entries past the tree's leaves are black.
    const std::vector<PALETTEENTRY> system = DefaultPaletteEntries();
    entries.assign(256, PALETTEENTRY{0, 0, 0, 0});
    for (int i = 0; i < 10; ++i) {
      entries[std::size_t(i)] = system[std::size_t(i)];
      entries[std::size_t(246 + i)] = system[std::size_t(10 + i)];
    }
    for (std::size_t i = 0; i < colors.size() && i < 236; ++i)
      entries[10 + i] = colors[i];
  } else {
    colors.resize(std::size_t(Colors < 1 ? 1 : Colors > 256 ? 256 : Colors), PALETTEENTRY{0, 0, 0, 0});
    entries = colors;
  }
  return PaletteFromEntries(entries.data(), int(entries.size()));
}

TBitmap* ReduceBitmapColors(TBitmap* Bitmap, TColorReductionMode Mode, TDitherMode Dither)
{
  auto result = std::make_unique<TBitmap>();
  if (Mode == rmNone) {
    result->Assign(Bitmap);
    result->SetPixelFormat(pf24bit);
    return result.release();
  }
  result->SetPixelFormat(pf8bit);
  result->SetSize(Bitmap->Width(), Bitmap->Height());
  TDIBReader reader(Bitmap, pf24bit);

  HPALETTE palette = nullptr;
  switch (Mode) {
  case rmWindows20: {
    const std::vector<PALETTEENTRY> entries = DefaultPaletteEntries();
    palette = PaletteFromEntries(entries.data(), int(entries.size()));
    break;
  }
  case rmWebSafe:
    palette = BuildCubePalette();
    break;
  case rmQuantize:
    palette = QuantizeToPalette(Bitmap, 256, 8, true);
    break;
  default:
    palette = CopyPalette(ThePalette());
    break;
  }
  // The bitmap owns the palette from here, also when something fails below.
  result->SetPalette(palette);

  std::unique_ptr<TColorLookup> lookup;
  if (Mode == rmWebSafe)
    lookup = std::make_unique<TWebSafeColorLookup>();
  else
    lookup = std::make_unique<TFastColorLookup>(palette);
  if (lookup->Colors() == 0)
    return result.release();

  const int width = Bitmap->Width(), height = Bitmap->Height();
  std::unique_ptr<TDitherEngine> engine;
  if (Dither == dmFloydSteinberg)
    engine = std::make_unique<TFloydSteinbergEngine>(width, lookup.get());
  else
    engine = std::make_unique<TDitherEngine>(width, lookup.get());
  {
    TDIBWriter writer(result.get(), pf8bit);
    for (int y = 0; y < height; ++y) {
      const auto* src = static_cast<const BYTE*>(reader.RowPointer(y));
      auto* dst = static_cast<BYTE*>(writer.RowPointer(y));
      while (engine->Column() >= 0 && engine->Column() < width) {
        const int x = engine->Column();
        BYTE r, g, b;
        dst[x] = BYTE(engine->DitherPixel(src[3 * x + 2], src[3 * x + 1], src[3 * x], r, g, b));
      }
      engine->NextRow();
    }
    writer.Finish();
  }
  return result.release();
}

TBitmap* DitherForPaletteDisplay(TGraphic* Graphic)
{
  auto* bitmap = dynamic_cast<TBitmap*>(Graphic);
  if (!bitmap || bitmap->Empty())
    return nullptr;
  if (bitmap->PixelFormat() == pfDevice) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    return copy.release();
  }
  return ReduceBitmapColors(bitmap, ColorBits() < 8 ? rmWindows20 : rmDisplay, dmFloydSteinberg);
}
