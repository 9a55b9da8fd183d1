// The bodies of the HTML viewer's fuzz targets, shared by the fuzzers and by
// the replay test of the normal test run. A broken expectation throws
// std::logic_error; anything else that goes wrong crashes.
#pragma once

#include <cstddef>
#include <cstdint>

// The whole parse through the recording seam. The first byte chooses the
// character set of the document's base entry and whether include comments
// are served; the rest is the document.
void FuzzHtml(const std::uint8_t* Data, std::size_t Size);
// The CSS reader. The first byte chooses a STYLE element's sheet (NUL at the
// end), a linked sheet with a base, or a STYLE attribute; the rules read are
// then applied to a few elements.
void FuzzCss(const std::uint8_t* Data, std::size_t Size);
