// The start of a program's display: which back end shows its windows. A
// program (or a test that runs like one) calls StartDisplay once, before its
// first window and before Application()->Initialize(); the libraries it links
// see only the window system's display seam (DisplayBackend.h).
#pragma once

#include "platform/win/window/DisplayBackend.h"

enum class TDisplayStart {
  Automatic,  // x11 when the display DISPLAY names answers, headless otherwise
  Headless,   // headless whatever DISPLAY says (tests)
};

// Registers the back ends the choice needs and selects one. Answers the back
// end in use: after the first window, the one chosen then.
TDisplayBackend* StartDisplay(TDisplayStart start = TDisplayStart::Automatic);
