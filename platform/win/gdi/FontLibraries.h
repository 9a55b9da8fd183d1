// Starting the font libraries ahead of need.
#pragma once

// Starts the font libraries (FreeType, fontconfig's configuration) on a
// thread of their own, so that a program's start-up does other work
// meanwhile; the first font that needs them waits for them. Optional: they
// start on first use otherwise.
void PrepareFontLibraries();
