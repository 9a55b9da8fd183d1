// TRasterFontService: the viewer's fonts through the drawing layer. Text is
// measured on a memory DC of the screen with the same fonts that draw it, so
// a laid-out line paints exactly as wide as it was measured.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "controls/html/RecentRing.h"
#include "controls/html/text/FontService.h"

// Realised fonts are kept (up to a bound) for the fonts asked for again and
// again while a document is measured. Use it from one thread, as the drawing
// layer's DCs are.
class TRasterFontService : public THtmlFontService {
public:
  TRasterFontService();
  ~TRasterFontService() override;
  TRasterFontService(const TRasterFontService&) = delete;
  TRasterFontService& operator=(const TRasterFontService&) = delete;

  int PixelsPerInch() const override;
  // The installed families, the platform names the drawing layer maps to
  // them and its built-in face, without case.
  bool FaceInstalled(std::string_view Face) const override;
  THtmlTextMetrics Metrics(const THtmlFontDesc& Font) const override;
  void TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const override;
  void DrawText(HDC DC, int X, int Y, const THtmlFontDesc& Font, TColor Color, TColor Background,
                const char16_t* Text, int Count, const TRect* Clip = nullptr) const override;

private:
  using TFontKey = std::tuple<std::string, int, int, int>;  // face, height, style bits, character set
  struct TRealised {
    HFONT Handle = nullptr;
    // A memory DC holding only this font, made at its first measure: text
    // alternates between a few fonts run after run (a header, a message),
    // and one shared DC would select a font before nearly every measure.
    HDC MeasureDC = nullptr;
    bool HaveMetrics = false;
    THtmlTextMetrics Metrics;
  };

  // The font of Font, made on first use. The few last ones asked for are
  // found again without building a key: layout asks for the same fonts run
  // after run, parsing alternates between a block's font and its text's.
  TRealised& FontOf(const THtmlFontDesc& Font) const;
  // The font of Font with its measuring DC made.
  TRealised& SelectForMeasure(const THtmlFontDesc& Font) const;
  // Frees every realised font and its measuring DC.
  void ReleaseFonts() const;

  HDC FMeasureDC;  // for the questions that are not about one font
  mutable std::map<TFontKey, TRealised> FFonts;
  struct TRecent {
    THtmlFontDesc Desc;
    TRealised* Realised = nullptr;  // into FFonts
  };
  mutable TRecentRing<TRecent, 4> FRecent;
  mutable std::set<std::string> FFaces;  // lower-cased; empty until first asked
  mutable std::string FLastFace;  // the last face asked for, as asked
  mutable bool FLastFaceInstalled = false;
  mutable bool FLastFaceAsked = false;
};
