#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/FontEngine.h"

using namespace gdi;

namespace {

// A character set, the letters it adds to ASCII (any one missing: not
// covered), and its name in the font lists.
struct TCharsetProbe {
  BYTE Charset;
  DWORD Bit;
  std::u32string Letters;
  const char16_t* Script;
};
const TCharsetProbe kCharsets[] = {
    {ANSI_CHARSET, FS_LATIN1, U"\u00e9\u00e7\u00df", u"Western"},
    {EASTEUROPE_CHARSET, FS_LATIN2, U"\u0142\u0159\u0151", u"Central European"},
    {RUSSIAN_CHARSET, FS_CYRILLIC, U"\u0416\u044f", u"Cyrillic"},
    {GREEK_CHARSET, FS_GREEK, U"\u03a9\u03b1", u"Greek"},
    {TURKISH_CHARSET, FS_TURKISH, U"\u011f\u0131\u015f", u"Turkish"},
    {HEBREW_CHARSET, FS_HEBREW, U"\u05d0\u05ea", u"Hebrew"},
    {ARABIC_CHARSET, FS_ARABIC, U"\u0627\u0644", u"Arabic"},
    {BALTIC_CHARSET, FS_BALTIC, U"\u0117\u012f\u0173", u"Baltic"},
    {SYMBOL_CHARSET, FS_SYMBOL, U"", u"Symbol"},  // told apart below
};

DWORD CoveredCharsets(const FcCharSet* chars)
{
  DWORD bits = 0;
  for (const auto& probe : kCharsets)
    if (!probe.Letters.empty() && std::all_of(probe.Letters.begin(), probe.Letters.end(),
                    [&](char32_t c) { return FcCharSetHasChar(chars, FcChar32(c)); }))
      bits |= probe.Bit;
  // A symbol face has no ASCII letters; its glyphs sit in the private area.
  if (!FcCharSetHasChar(chars, 'A') && FcCharSetHasChar(chars, 0xF041))
    bits |= FS_SYMBOL;
  return bits;
}

struct TFamily {
  std::string Name;
  DWORD Charsets = 0;  // FS_* bits
};

// Family names, without case duplicates, in a stable order, with the
// character sets their faces cover.
std::vector<TFamily> Families()
{
  std::vector<TFamily> families;
  std::set<std::string> seen;
  std::map<std::string, DWORD> coverage;  // by lower-case name
  auto add = [&](const std::string& name, DWORD charsets) {
    if (!name.empty() && seen.insert(LowerCase(name)).second)
      families.push_back({name, charsets});
  };
  EnsureFontLibraries();
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_CHARSET, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  std::vector<std::string> installed;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch)
      continue;
    std::string name = reinterpret_cast<const char*>(family);
    installed.push_back(name);
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) == FcResultMatch)
      coverage[LowerCase(name)] |= CoveredCharsets(chars);
  }
  if (set)
    FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  std::sort(installed.begin(), installed.end());
  // The platform names first, when the face they stand for is there.
  for (const char* alias : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma", "Times New Roman",
                            "Courier New", "Arial Unicode MS", "Verdana"}) {
    std::string target = SubstituteFace(alias).Family;
    if (std::find(installed.begin(), installed.end(), target) != installed.end())
      add(alias, coverage[LowerCase(target)]);
  }
  for (const auto& name : installed)
    add(name, coverage[LowerCase(name)]);
  add("Corvane Fixed", FS_LATIN1);
  return families;
}

LOGFONTW FamilyLogFont(const std::string& name, BYTE charset)
{
  LOGFONTW log;
  log.lfHeight = -11;
  log.lfWeight = FW_NORMAL;
  log.lfCharSet = charset;
  WideString wide = UTF8Decode(name);
  std::copy_n(wide.begin(), std::min<std::size_t>(wide.size(), LF_FACESIZE - 1), log.lfFaceName);
  return log;
}

DWORD FontTypeOf(const std::string& name) { return name == "Corvane Fixed" ? RASTER_FONTTYPE : TRUETYPE_FONTTYPE; }

}  // namespace

int EnumFontFamiliesW(HDC h, LPCWSTR family, FONTENUMPROCW proc, LPARAM param)
{
  if (!proc || !LookupDC(h))
    return 0;
  std::string wanted = family ? LowerCase(UTF8Encode(family)) : std::string();
  int result = 1;
  for (const auto& f : Families()) {
    if (family && LowerCase(f.Name) != wanted)
      continue;
    LOGFONTW log = FamilyLogFont(f.Name, DEFAULT_CHARSET);
    TEXTMETRICW metrics = FontInstanceOf(log)->Metrics;
    result = proc(&log, &metrics, FontTypeOf(f.Name), param);
    if (!result)
      break;
  }
  return result;
}

int EnumFontFamiliesExW(HDC h, const LOGFONTW* filter, FONTENUMPROCEXW proc, LPARAM param, DWORD flags)
{
  if (!proc || !filter || flags != 0 || !LookupDC(h))
    return 0;
  std::u16string face(filter->lfFaceName, std::find(filter->lfFaceName, filter->lfFaceName + LF_FACESIZE, u'\0'));
  std::string wanted = LowerCase(UTF8Encode(face));
  int result = 1;
  for (const auto& f : Families()) {
    if (!wanted.empty() && LowerCase(f.Name) != wanted)
      continue;
    TEXTMETRICW metrics = FontInstanceOf(FamilyLogFont(f.Name, DEFAULT_CHARSET))->Metrics;
    for (const auto& probe : kCharsets) {
      if (!(f.Charsets & probe.Bit) || (filter->lfCharSet != DEFAULT_CHARSET && filter->lfCharSet != probe.Charset))
        continue;
      ENUMLOGFONTEXW log;
      log.elfLogFont = FamilyLogFont(f.Name, probe.Charset);
      std::copy_n(log.elfLogFont.lfFaceName, LF_FACESIZE, log.elfFullName);
      std::u16string_view style = u"Regular", script = probe.Script;
      std::copy(style.begin(), style.end(), log.elfStyle);
      std::copy(script.begin(), script.end(), log.elfScript);
      NEWTEXTMETRICEXW ntm;
      ntm.ntmTm = metrics;
      ntm.ntmTm.tmCharSet = probe.Charset;
      ntm.ntmFontSig.fsCsb[0] = f.Charsets;
      result = proc(&log, &ntm, FontTypeOf(f.Name), param);
      if (!result)
        return result;
    }
  }
  return result;
}
