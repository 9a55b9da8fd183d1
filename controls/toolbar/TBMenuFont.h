// The one font of every menu caption, read from the system's menu font.
#pragma once

class TFont;

TFont* MenuFont();
// Reads the system's menu font again (after a settings change).
void RefreshMenuFont();
