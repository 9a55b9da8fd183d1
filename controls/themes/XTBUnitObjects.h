// What the extended controls share while they are in use: the one bitmap
// every toolbar's hint is drawn on, the hand cursor and the nexus of the
// tab, progress and track-bar handles. The program's start-up makes them
// and its end frees them; the calls nest (only the first makes, the last
// frees).
#pragma once

#include "platform/win/win.h"

class TBitmap;
class TXtThemeNexus;

void StartExtendedControls();
void StopExtendedControls();

// Null while the extended controls are not started.
TBitmap* SharedHintBitmap();
HCURSOR HandCursor();
TXtThemeNexus* XtThemeNexus();
