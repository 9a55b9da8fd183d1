#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/base/Utf.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/FontEngine.h"

using namespace gdi;

namespace {

// Family names, without case duplicates, in a stable order.
std::vector<std::string> Families()
{
  std::vector<std::string> names;
  std::set<std::string> seen;
  auto add = [&](const std::string& name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (!name.empty() && seen.insert(key).second)
      names.push_back(name);
  };
  EnsureFontLibraries();
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  std::vector<std::string> installed;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
      installed.push_back(reinterpret_cast<const char*>(family));
  }
  if (set)
    FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  std::sort(installed.begin(), installed.end());
  // The platform names first, when the face they stand for is there.
  for (const char* alias : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma", "Times New Roman",
                            "Courier New", "Arial Unicode MS", "Verdana"}) {
    std::string target = SubstituteFace(alias);
    if (std::find(installed.begin(), installed.end(), target) != installed.end())
      add(alias);
  }
  for (const auto& name : installed)
    add(name);
  add("Corvane Fixed");
  return names;
}

}  // namespace

int EnumFontFamiliesW(HDC h, LPCWSTR family, FONTENUMPROCW proc, LPARAM param)
{
  if (!proc || !LookupDC(h))
    return 0;
  std::string wanted = family ? UTF8Encode(family) : std::string();
  std::transform(wanted.begin(), wanted.end(), wanted.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  int result = 1;
  for (const auto& name : Families()) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (family && key != wanted)
      continue;
    LOGFONTW log;
    log.lfHeight = -11;
    log.lfWeight = FW_NORMAL;
    log.lfCharSet = DEFAULT_CHARSET;
    WideString wide = UTF8Decode(name);
    std::copy_n(wide.begin(), std::min<std::size_t>(wide.size(), LF_FACESIZE - 1), log.lfFaceName);
    TEXTMETRICW metrics = FontInstanceOf(log)->Metrics;
    result = proc(&log, &metrics, name == "Corvane Fixed" ? RASTER_FONTTYPE : TRUETYPE_FONTTYPE, param);
    if (!result)
      break;
  }
  return result;
}
