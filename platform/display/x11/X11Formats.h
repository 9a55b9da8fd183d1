// The layer's clipboard formats and the X targets that carry the same data
// to other programs, with the conversions both ways: text (UTF-8 with LF on
// the X side, CR LF on the layer's), "HTML Format" as text/html (its offsets
// header taken off on the way out and made on the way in), "Rich Text
// Format" as text/rtf, and CF_HDROP file lists as text/uri-list. Formats go
// by their names on the clipboard bridge ("CF_UNICODETEXT", "HTML Format");
// X targets by their atom names. No X call: the clipboard and drag and drop
// both use it, and tests call it directly.
#pragma once

#include <string>
#include <vector>

#include "platform/win/window/WindowTypes.h"

namespace x11 {

// The X targets a layer format goes out as, best first; empty when it has
// no X equivalent.
std::vector<std::string> XTargetsOf(const std::string& layerFormat);
// The X targets a layer format is read from, best first (what other
// programs offer for it, older names included).
std::vector<std::string> XSourcesOf(const std::string& layerFormat);
// The layer formats that data of an X target becomes (both text formats for
// text); empty when none.
std::vector<std::string> LayerFormatsOf(const std::string& xTarget);

// The layer's bytes of a format as another program wants them for a target;
// false when they cannot be carried (not that format's layout, no files).
bool LayerToX(const std::string& layerFormat, const std::string& xTarget, const std::vector<BYTE>& layer,
              std::string& out);
// Another program's bytes of an X target as the layer's bytes of a format;
// false when they make nothing of that format. Survives any input.
bool XToLayer(const std::string& xTarget, const std::string& layerFormat, const std::vector<unsigned char>& x,
              std::vector<BYTE>& out);

// A new moveable block holding the bytes (null when memory runs out).
HGLOBAL BlockOf(const std::vector<BYTE>& bytes);

}  // namespace x11
