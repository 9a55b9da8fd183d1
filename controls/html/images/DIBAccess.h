// Raw row access to bitmaps for colour reduction: TDIBReader reads a
// bitmap's own rows in a pixel format it sets; TDIBWriter writes rows into a
// private device-independent copy that goes back into the bitmap (as an
// in-memory BMP file) when the writer is freed.
#pragma once

#include <vector>

#include "platform/base/Types.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/GdiTypes.h"

CORVANE_DECLARE_EXCEPTION(GIFException, EInvalidGraphic);

class TDIB {
public:
  TDIB(TBitmap* ABitmap, TPixelFormat APixelFormat) : FBitmap(ABitmap), FPixelFormat(APixelFormat) {}
  virtual ~TDIB() = default;
  TDIB(const TDIB&) = delete;
  TDIB& operator=(const TDIB&) = delete;

  // The first byte of row Row (0 at the top).
  virtual void* RowPointer(int Row) = 0;

protected:
  TBitmap* FBitmap;  // not owned
  TPixelFormat FPixelFormat;
};

class TDIBReader : public TDIB {
public:
  // Switches the bitmap to the format first.
  TDIBReader(TBitmap* ABitmap, TPixelFormat APixelFormat);
  void* RowPointer(int Row) override;
};

class TDIBWriter : public TDIB {
public:
  TDIBWriter(TBitmap* ABitmap, TPixelFormat APixelFormat);
  // Writes the copy back into the bitmap (failures are lost: nothing can
  // report them from here).
  ~TDIBWriter() override;
  void* RowPointer(int Row) override;

private:
  void CreateDIB();

  std::vector<BYTE> FInfo;    // header and colour table
  std::vector<BYTE> FPixels;  // rows as the header orders them
  std::size_t FRowBytes = 0;
  bool FMade = false;
};
