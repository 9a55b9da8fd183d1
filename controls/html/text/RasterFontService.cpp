#include "controls/html/text/RasterFontService.h"

#include <algorithm>
#include <vector>

#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/Text.h"

namespace {

// More realised fonts than a document uses at once: past it they are all
// made again on demand.
constexpr std::size_t MaxCachedFonts = 64;

int StyleBits(const TFontStyles& Style)
{
  return (Style.Contains(fsBold) ? 1 : 0) | (Style.Contains(fsItalic) ? 2 : 0) |
         (Style.Contains(fsUnderline) ? 4 : 0) | (Style.Contains(fsStrikeOut) ? 8 : 0);
}

int CollectFace(const LOGFONTW* Log, const TEXTMETRICW*, DWORD, LPARAM Param)
{
  auto* Faces = reinterpret_cast<std::set<std::string>*>(Param);
  Faces->insert(LowerCase(UTF8Encode(Log->lfFaceName)));
  return 1;
}

// The cell of Count characters of Text at (X, Y) in the font selected into DC.
TRect TextCell(HDC DC, int X, int Y, const char16_t* Text, int Count)
{
  TSize Size;
  GetTextExtentPoint32W(DC, Text, Count, &Size);
  TEXTMETRICW M;
  GetTextMetricsW(DC, &M);
  return TRect(X, Y, X + Size.cx, Y + M.tmHeight);
}

// Whether two descriptions name the same realised font as they stand (the
// character extra is applied per call, not realised).
bool SameFont(const THtmlFontDesc& A, const THtmlFontDesc& B)
{
  return A.Height == B.Height && A.Style == B.Style && A.CharSet == B.CharSet && A.Name == B.Name;
}

}  // namespace

TRasterFontService::TRasterFontService() : FMeasureDC(CreateCompatibleDC(nullptr)) {}

TRasterFontService::~TRasterFontService()
{
  DeleteDC(FMeasureDC);
  ReleaseFonts();
}

void TRasterFontService::ReleaseFonts() const
{
  // Each DC goes before its font: a DC keeps drawing with a deleted font.
  for (const auto& Entry : FFonts) {
    if (Entry.second.MeasureDC)
      DeleteDC(Entry.second.MeasureDC);
    DeleteObject(Entry.second.Handle);
  }
  FFonts.clear();
  FRecent.Clear();
}

int TRasterFontService::PixelsPerInch() const
{
  // What GetDeviceCaps(LOGPIXELSY) answers for the measuring DC, without a
  // DC lookup: styles ask for it for nearly every element.
  return FMeasureDC ? ScreenPixelsPerInch() : 0;
}

bool TRasterFontService::FaceInstalled(std::string_view Face) const
{
  // Style sheets ask for the same family element after element; the
  // installed families do not change once listed.
  if (FLastFaceAsked && Face == FLastFace)
    return FLastFaceInstalled;
  if (FFaces.empty())
    EnumFontFamiliesW(FMeasureDC, nullptr, CollectFace, reinterpret_cast<LPARAM>(&FFaces));
  std::string Key = LowerCase(Trim(Face));
  FLastFace.assign(Face);
  FLastFaceInstalled = !Key.empty() && FFaces.count(Key) > 0;
  FLastFaceAsked = !FFaces.empty();
  return FLastFaceInstalled;
}

TRasterFontService::TRealised& TRasterFontService::FontOf(const THtmlFontDesc& Font) const
{
  if (const TRecent* Recent = FRecent.Find([&](const TRecent& Kept) { return SameFont(Font, Kept.Desc); }))
    return *Recent->Realised;
  TFontKey Key{LowerCase(Trim(Font.Name)), Font.Height, StyleBits(Font.Style), Font.CharSet};
  auto Found = FFonts.find(Key);
  if (Found == FFonts.end()) {
    if (FFonts.size() >= MaxCachedFonts)
      ReleaseFonts();
    std::u16string Face = UTF8Decode(Trim(Font.Name));
    if (Face.size() >= LF_FACESIZE)
      Face.resize(LF_FACESIZE - 1);
    TRealised Made;
    Made.Handle = CreateFontW(Font.Height, 0, 0, 0, Font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
                              Font.Style.Contains(fsItalic), Font.Style.Contains(fsUnderline),
                              Font.Style.Contains(fsStrikeOut), Font.CharSet, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Face.c_str());
    Found = FFonts.emplace(std::move(Key), Made).first;
  }
  FRecent.Remember({Font, &Found->second});
  return Found->second;
}

TRasterFontService::TRealised& TRasterFontService::SelectForMeasure(const THtmlFontDesc& Font) const
{
  TRealised& Realised = FontOf(Font);
  if (!Realised.MeasureDC) {
    Realised.MeasureDC = CreateCompatibleDC(nullptr);
    SelectObject(Realised.MeasureDC, Realised.Handle);
  }
  return Realised;
}

THtmlTextMetrics TRasterFontService::Metrics(const THtmlFontDesc& Font) const
{
  // Known metrics need no DC.
  if (TRealised& Known = FontOf(Font); Known.HaveMetrics)
    return Known.Metrics;
  TRealised& Realised = SelectForMeasure(Font);
  TEXTMETRICW Tm;
  GetTextMetricsW(Realised.MeasureDC, &Tm);
  THtmlTextMetrics& M = Realised.Metrics;
  M.Height = Tm.tmHeight;
  M.Ascent = Tm.tmAscent;
  M.Descent = Tm.tmDescent;
  M.InternalLeading = Tm.tmInternalLeading;
  M.ExternalLeading = Tm.tmExternalLeading;
  M.AveCharWidth = Tm.tmAveCharWidth;
  M.MaxCharWidth = Tm.tmMaxCharWidth;
  M.CharSet = Tm.tmCharSet;
  Realised.HaveMetrics = true;
  return M;
}

void TRasterFontService::TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const
{
  if (Count <= 0)
    return;
  const HDC DC = SelectForMeasure(Font).MeasureDC;
  // The measuring DC's extra stays 0 between calls.
  if (Font.CharExtra)
    SetTextCharacterExtra(DC, Font.CharExtra);
  TSize Size;
  if (!GetTextExtentExPointW(DC, Text, Count, 0, nullptr, Extents, &Size))
    std::fill(Extents, Extents + Count, 0);
  if (Font.CharExtra)
    SetTextCharacterExtra(DC, 0);
}

void TRasterFontService::DrawText(HDC DC, int X, int Y, const THtmlFontDesc& Font, TColor Color, TColor Background,
                                  const char16_t* Text, int Count, const TRect* Clip) const
{
  if (Count <= 0)
    return;
  const int Saved = SaveDC(DC);
  SelectObject(DC, FontOf(Font).Handle);
  SetTextCharacterExtra(DC, Font.CharExtra);
  // The text advances as TextExtents measured it: no justification of the
  // caller's spreads it.
  SetTextJustification(DC, 0, 0);
  SetTextAlign(DC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  if (Background != clNone) {
    TRect Cell = TextCell(DC, X, Y, Text, Count);
    if (!Clip || IntersectRect(Cell, Cell, *Clip)) {
      HBRUSH Brush = CreateSolidBrush(ColorToRGB(Background));
      FillRect(DC, &Cell, Brush);
      DeleteObject(Brush);
    }
  }
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(Color));
  ExtTextOutW(DC, X, Y, Clip ? ETO_CLIPPED : 0, Clip, Text, UINT(Count), nullptr);
  RestoreDC(DC, Saved);
}
