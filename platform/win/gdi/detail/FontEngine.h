// Fonts as the raster draws them: a resolved logical font with its metrics
// and a cache of rendered glyphs. Outline faces come from FreeType through
// fontconfig; the built-in fixed-metric face is compiled in.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

namespace gdi {

// A rendered glyph: coverage 0-255, Width x Height, whose top-left pixel sits
// at (pen x + Left, baseline - Top).
struct TGlyph {
  int Advance = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage;
};

class TFontInstance {
public:
  virtual ~TFontInstance() = default;
  // Cached: rendered once per instance and character.
  const TGlyph& Glyph(char32_t c);
  int Advance(char32_t c);
  // The advances of count characters into out, under one lock: measuring a
  // run is the hot path of laying out text.
  void AdvancesOf(const char32_t* chars, std::size_t count, int* out);

  TEXTMETRICW Metrics;
  std::string FamilyName;
  int EmHeight = 0;
  int UnderlinePosition = 1;  // pixels below the baseline of the line's top row
  int UnderlineThickness = 1;
  int StrikeOutPosition = 3;  // pixels above the baseline of the line's top row
  int StrikeOutThickness = 1;
  bool Underline = false;
  bool StrikeOut = false;
  bool Builtin = false;

protected:
  virtual TGlyph Render(char32_t c) = 0;
  // The advance of a character without its picture: what measuring needs.
  // By default the glyph is rendered (and kept); outline faces read their
  // metrics instead, and Render gives the glyph the same advance.
  virtual int MeasureAdvance(char32_t c);

private:
  // Under FLock.
  int AdvanceLocked(char32_t c);

  // The advances of the first characters, straight from a table: most text
  // is measured in them. -1 until the glyph is rendered.
  static constexpr char32_t kDirectAdvances = 0x800;
  std::vector<int> FDirectAdvances;
  std::unordered_map<char32_t, int> FOtherAdvances;
  std::mutex FLock;
  std::unordered_map<char32_t, TGlyph> FGlyphs;
};

// The face name reserved for the built-in font.
inline constexpr const char16_t* kBuiltinFaceName = u"Corvane Fixed";
// The instance that draws a logical font (shared between fonts that resolve alike).
std::shared_ptr<TFontInstance> FontInstanceOf(const LOGFONTW& log);
struct TGdiFont;
// The instance of a font object, kept on the object after the first call.
std::shared_ptr<TFontInstance> ResolvedFont(TGdiFont& font);
std::shared_ptr<TFontInstance> NewBuiltinInstance(const LOGFONTW& log);
// The face a name maps to before fontconfig sees it, and the width (in
// percent of the face's own) at which it stands in for that name.
struct TFaceSubstitute {
  std::string Family;
  int WidthPercent = 100;
};
TFaceSubstitute SubstituteFace(const std::string& face);
// Starts FreeType and fontconfig once; every use of fontconfig goes after it,
// so that their caches are handed back at exit.
void EnsureFontLibraries();
// The same on a thread of its own, once (PrepareFontLibraries).
void StartFontLibrariesEarly();

}  // namespace gdi
