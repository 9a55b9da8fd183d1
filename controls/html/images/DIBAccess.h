// Raw row access to bitmaps for colour reduction: TDIBReader reads a
// bitmap's own rows in a pixel format it sets; TDIBWriter writes rows into a
// private device-independent copy that Finish puts back into the bitmap (as an
// in-memory BMP file).
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
  // A writer freed without Finish (left by an exception, say) drops its copy:
  // the bitmap keeps its old picture and nothing is thrown.
  ~TDIBWriter() override = default;
  void* RowPointer(int Row) override;
  // The copy as a BMP file; a stream that refuses it raises EWriteError.
  void SaveToStream(TStream* Stream);
  // Puts the copy back into the bitmap. Any failure is raised; a writer whose
  // rows were never asked for leaves the bitmap as it is.
  void Finish();

private:
  void CreateDIB();

  std::vector<BYTE> FInfo;    // header and colour table
  std::vector<BYTE> FPixels;  // rows as the header orders them
  std::size_t FRowBytes = 0;
  bool FMade = false;
};
