// The viewer's shared pictures and cursors, loaded once from the library's
// own resources: the error picture (1001) with its mask (1005), shown in the
// frame of a picture that cannot be had, and the placeholder (1002), shown
// while a picture is still coming or pictures are switched off; the screen
// cursors 1 to 5 (hand 1003, thick I-beam 1006, and the three panning
// cursors "UPDOWNCURSOR", "UPONLYCURSOR", "DOWNONLYCURSOR").
#pragma once

class TBitmap;

// Never null: a resource that cannot be loaded leaves an empty bitmap.
TBitmap* ErrorBitmap();
TBitmap* ErrorBitmapMask();
TBitmap* DefBitmap();
// Enters the cursors into the screen's table (once).
void RegisterViewerCursors();
