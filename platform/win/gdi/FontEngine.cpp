#include "platform/win/gdi/detail/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/FontLibraries.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/detail/GdiObjects.h"

namespace gdi {

namespace {

std::atomic<bool> GBuiltinOnly{false};

std::string FaceUtf8(const LOGFONTW& log)
{
  std::size_t n = 0;
  while (n < LF_FACESIZE && log.lfFaceName[n])
    ++n;
  return UTF8Encode(std::u16string_view(log.lfFaceName, n));
}

struct TLibrary {
  FT_Library Library = nullptr;
  std::mutex Lock;  // FreeType faces are not safe across threads: one lock for all
  TLibrary()
  {
    FT_Init_FreeType(&Library);
    FcInit();
  }
  // Fontconfig's caches are handed back at exit, so leak checkers see a clean end.
  ~TLibrary() { FcFini(); }
};

TLibrary& Lib()
{
  static TLibrary lib;
  return lib;
}

// The thread that starts the libraries early; joined at exit.
struct TLibraryStarter {
  std::thread Thread;
  ~TLibraryStarter()
  {
    if (Thread.joinable())
      Thread.join();
  }
};

class TOutlineInstance : public TFontInstance {
public:
  TOutlineInstance(FT_Face face, const LOGFONTW& log, bool embolden, int widthPercent)
      : FFace(face), FEmbolden(embolden)
  {
    FMono = log.lfQuality == NONANTIALIASED_QUALITY;
    int upem = face->units_per_EM ? face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double winDescent = os2 && os2->usWinAscent ? os2->usWinDescent : -face->descender;
    // A negative height is the em size; a positive one the cell (ascent + descent).
    double em;
    if (log.lfHeight < 0)
      em = -log.lfHeight;
    else if (log.lfHeight > 0)
      em = log.lfHeight * upem / (winAscent + winDescent);
    else
      em = 16.0 * upem / (winAscent + winDescent);
    FEm26 = std::max<FT_F26Dot6>(64, FT_F26Dot6(std::lround(em * 64)));
    // A narrowed stand-in keeps the height and is drawn at a narrower
    // horizontal size, whole pixels so that it is hinted at that size.
    FEm26X = FEm26;
    if (widthPercent != 100)
      FEm26X = std::max<FT_F26Dot6>(64, FT_F26Dot6(std::lround(em * widthPercent / 100.0)) * 64);
    double scale = double(FEm26) / 64.0 / upem;
    double scaleX = double(FEm26X) / 64.0 / upem;
    FUnitsToPixelsX = scaleX;
    EmHeight = int(std::lround(em));
    Metrics.tmAscent = LONG(std::lround(winAscent * scale));
    Metrics.tmDescent = LONG(std::lround(winDescent * scale));
    Metrics.tmHeight = Metrics.tmAscent + Metrics.tmDescent;
    Metrics.tmInternalLeading = std::max<LONG>(0, Metrics.tmHeight - EmHeight);
    double lineGap = hhea ? (hhea->Ascender - hhea->Descender + hhea->Line_Gap) - (winAscent + winDescent) : 0;
    Metrics.tmExternalLeading = LONG(std::max(0.0, std::round(lineGap * scale)));
    Metrics.tmAveCharWidth = LONG(std::lround((os2 ? os2->xAvgCharWidth : upem / 2) * scaleX));
    Metrics.tmMaxCharWidth = LONG(std::lround((face->bbox.xMax - face->bbox.xMin) * scaleX));
    Metrics.tmWeight = log.lfWeight ? log.lfWeight : FW_NORMAL;
    Metrics.tmItalic = log.lfItalic ? 255 : 0;
    Metrics.tmUnderlined = log.lfUnderline ? 255 : 0;
    Metrics.tmStruckOut = log.lfStrikeOut ? 255 : 0;
    Metrics.tmFirstChar = 0x20;
    Metrics.tmLastChar = 0xFFFC;
    Metrics.tmDefaultChar = 0x1F;
    Metrics.tmBreakChar = 0x20;
    bool fixed = FT_IS_FIXED_WIDTH(face);
    Metrics.tmPitchAndFamily = BYTE((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? FF_MODERN : FF_SWISS));
    Metrics.tmCharSet = log.lfCharSet;
    Metrics.tmDigitizedAspectX = Metrics.tmDigitizedAspectY = 96;
    Underline = log.lfUnderline;
    StrikeOut = log.lfStrikeOut;
    UnderlinePosition = std::max(1, int(std::lround(-face->underline_position * scale)));
    UnderlineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
    StrikeOutPosition = os2 ? std::max(1, int(std::lround(os2->yStrikeoutPosition * scale))) : Metrics.tmAscent / 3;
    StrikeOutThickness = os2 ? std::max(1, int(std::lround(os2->yStrikeoutSize * scale))) : 1;
    FamilyName = face->family_name ? face->family_name : "";
  }

protected:
  // From the face's advance table, without loading or hinting the outline:
  // measuring a caption needs nothing more, and drawing uses the same value.
  int MeasureAdvance(char32_t c) override
  {
    std::lock_guard<std::mutex> lock(Lib().Lock);
    return AdvanceOf(FT_Get_Char_Index(FFace, c));
  }

  TGlyph Render(char32_t c) override
  {
    TGlyph g;
    std::lock_guard<std::mutex> lock(Lib().Lock);
    FT_Set_Char_Size(FFace, FEm26X, FEm26, 72, 72);  // FEm26 is pixels: one point a pixel
    FT_UInt index = FT_Get_Char_Index(FFace, c);
    g.Advance = AdvanceOf(index);
    FT_Int32 flags = FMono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(FFace, index, flags) != 0)
      return g;
    FT_GlyphSlot slot = FFace->glyph;
    if (FEmbolden && slot->format == FT_GLYPH_FORMAT_OUTLINE)
      FT_Outline_Embolden(&slot->outline, EmboldenStrength());
    if (c == U' ' || FT_Render_Glyph(slot, FMono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
      return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.Left = slot->bitmap_left;
    g.Top = slot->bitmap_top;
    g.Width = int(bm.width);
    g.Height = int(bm.rows);
    g.Coverage.assign(std::size_t(g.Width) * std::size_t(g.Height), 0);
    for (int y = 0; y < g.Height; ++y) {
      const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
      for (int x = 0; x < g.Width; ++x) {
        uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (((row[x / 8] >> (7 - (x & 7))) & 1) ? 255 : 0) : row[x];
        g.Coverage[std::size_t(y * g.Width + x)] = v;
      }
    }
    return g;
  }

private:
  FT_Pos EmboldenStrength() const { return std::max<FT_Pos>(32, FEm26 / 24); }
  // Under the library's lock: the design advance scaled to pixels and
  // rounded (an emboldened glyph is wider by the strength added).
  int AdvanceOf(FT_UInt index)
  {
    FT_Fixed units = 0;
    if (FT_Get_Advance(FFace, index, FT_LOAD_NO_SCALE, &units) != 0)
      return 0;
    double pixels = double(units) * FUnitsToPixelsX;
    if (FEmbolden)
      pixels += double(EmboldenStrength()) / 64.0;
    return int(std::lround(pixels));
  }

  FT_Face FFace;
  FT_F26Dot6 FEm26 = 64 * 12;
  FT_F26Dot6 FEm26X = 64 * 12;
  double FUnitsToPixelsX = 0;
  bool FMono = false;
  bool FEmbolden = false;
};

struct TFaceKey {
  std::string Family;
  bool Bold;
  bool Italic;
  auto operator<=>(const TFaceKey&) const = default;
};

// Opens the face fontconfig picks for a family and style; null when none.
FT_Face OpenFace(const TFaceKey& key, bool& embolden)
{
  static std::map<TFaceKey, std::pair<FT_Face, bool>> faces;
  auto it = faces.find(key);
  if (it != faces.end()) {
    embolden = it->second.second;
    return it->second.first;
  }
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(key.Family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, key.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, key.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FT_Face face = nullptr;
  embolden = false;
  if (match) {
    FcChar8* file = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FT_New_Face(Lib().Library, reinterpret_cast<const char*>(file), index, &face) != 0)
      face = nullptr;
    embolden = key.Bold && weight < FC_WEIGHT_DEMIBOLD;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  faces[key] = {face, embolden};
  return face;
}

}  // namespace

void EnsureFontLibraries()
{
  Lib();
}

void StartFontLibrariesEarly()
{
  static TLibraryStarter starter;
  static std::once_flag once;
  std::call_once(once, [] { starter.Thread = std::thread([] { Lib(); }); });
}

TFaceSubstitute SubstituteFace(const std::string& face)
{
  // The platform's interface faces are narrower than the free face that
  // stands in for them: at their width, captions fit the fixed layouts
  // made for them (Arial and its stand-in share their widths already).
  constexpr int InterfaceWidth = 91;
  static const std::map<std::string, TFaceSubstitute> table = {
      {"ms sans serif", {"Liberation Sans", InterfaceWidth}},
      {"microsoft sans serif", {"Liberation Sans", InterfaceWidth}},
      {"tahoma", {"Liberation Sans", InterfaceWidth}},
      {"ms shell dlg", {"Liberation Sans", InterfaceWidth}},
      {"ms shell dlg 2", {"Liberation Sans", InterfaceWidth}},
      {"system", {"Liberation Sans", InterfaceWidth}},
      {"", {"Liberation Sans", InterfaceWidth}},
      {"arial", {"Liberation Sans"}},
      {"times new roman", {"Liberation Serif"}},
      {"times", {"Liberation Serif"}},
      {"courier new", {"Liberation Mono"}},
      {"courier", {"Liberation Mono"}},
      {"fixedsys", {"Liberation Mono"}},
      {"arial unicode ms", {"DejaVu Sans"}},
      {"verdana", {"DejaVu Sans"}},
  };
  auto it = table.find(LowerCase(face));
  return it == table.end() ? TFaceSubstitute{face} : it->second;
}

std::shared_ptr<TFontInstance> FontInstanceOf(const LOGFONTW& log)
{
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && log.lfFaceName[i]; ++i)
    face += log.lfFaceName[i];
  if (GBuiltinOnly || face == kBuiltinFaceName)
    return NewBuiltinInstance(log);
  using TKey = std::tuple<std::string, LONG, LONG, BYTE, BYTE, BYTE, BYTE>;
  static std::mutex lock;
  static std::map<TKey, std::shared_ptr<TFontInstance>> instances;
  TKey key{LowerCase(FaceUtf8(log)), log.lfHeight, log.lfWeight, log.lfItalic, log.lfUnderline, log.lfStrikeOut,
           log.lfQuality == NONANTIALIASED_QUALITY ? 1 : 0};
  std::lock_guard<std::mutex> guard(lock);
  auto it = instances.find(key);
  if (it != instances.end())
    return it->second;
  bool embolden = false;
  FT_Face ftFace;
  const TFaceSubstitute substitute = SubstituteFace(FaceUtf8(log));
  {
    std::lock_guard<std::mutex> ft(Lib().Lock);
    ftFace = OpenFace({substitute.Family, log.lfWeight >= FW_SEMIBOLD, log.lfItalic != 0}, embolden);
  }
  std::shared_ptr<TFontInstance> instance;
  if (ftFace)
    instance = std::make_shared<TOutlineInstance>(ftFace, log, embolden, substitute.WidthPercent);
  else
    instance = NewBuiltinInstance(log);  // no outline face on this machine
  instances[key] = instance;
  return instance;
}

std::shared_ptr<TFontInstance> ResolvedFont(TGdiFont& font)
{
  const bool builtinOnly = GBuiltinOnly;
  std::lock_guard<TSpinLock> guard(font.ResolvedLock);
  if (!font.Resolved || font.ResolvedBuiltinOnly != builtinOnly) {
    font.Resolved = FontInstanceOf(font.Log);
    font.ResolvedBuiltinOnly = builtinOnly;
  }
  return font.Resolved;
}

}  // namespace gdi

void SetBuiltinFontOnly(bool builtinOnly) { gdi::GBuiltinOnly = builtinOnly; }
void PrepareFontLibraries() { gdi::StartFontLibrariesEarly(); }
bool BuiltinFontOnly() { return gdi::GBuiltinOnly; }
