// TPNGImage: a bitmap that loads itself from and saves itself to the PNG
// format (ISO/IEC 15948, PNG 1.2). It keeps the file's chunks in a
// TChunkList; loading reads and checks every chunk, then lets each act in
// file order (the data chunk decodes the pixels, ChunkIDAT.h). Registered
// with the picture registry as "PNG".
//
// Pictures: grey and palette images of 1, 4 (also for 2-bit samples, stored
// times 5) and 8 bits; RGB at 24 bits; 16-bit samples keep their high byte.
// Alpha and transparency chunks of grey and RGB images give Mask(): a
// monochrome bitmap, white where alpha is below 128 or a pixel has the
// transparent sample values. Sizes are capped (ImageLimits.h) before anything
// is allocated.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/html/images/ChunkList.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/GdiTypes.h"

// Bit n allows filter type n when saving.
using TFilterSet = std::uint8_t;

class TPNGImage : public TBitmap {
public:
  TPNGImage();
  ~TPNGImage() override;

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Assign(TPersistent* Source) override;
  TGraphic* NewInstance() const override { return new TPNGImage; }

  TChunkList* Chunks() { return &FChunkList; }
  TFilterSet Filters() const { return FFilters; }
  // The None filter is always added.
  void SetFilters(TFilterSet Value) { FFilters = TFilterSet(Value | 1); }
  bool Interlacing() const { return FInterlacing; }
  void SetInterlacing(bool Value) { FInterlacing = Value; }
  // The transparency of the last load (null when the picture is opaque); owned.
  TBitmap* Mask() const { return FMask.get(); }
  // Hands the mask to the caller.
  TBitmap* ReleaseMask() { return FMask.release(); }

  // The palette read from PLTE (for the data chunk).
  const std::vector<PALETTEENTRY>& FilePalette() const { return FFilePalette; }
  void SetFilePalette(std::vector<PALETTEENTRY> Value) { FFilePalette = std::move(Value); }

private:
  friend class TChunkIDAT;

  void CreateDefaultChunks();

  TChunkList FChunkList;
  std::unique_ptr<TBitmap> FMask;
  std::vector<PALETTEENTRY> FFilePalette;
  TFilterSet FFilters = 27;  // None, Sub, Average, Paeth
  bool FInterlacing = false;
};

// The picture registry entry ("PNG", "Portable Network Graphics"); made at
// start-up, removed at shut-down. Tests call it to make sure it is linked.
void RegisterPngFormat();
