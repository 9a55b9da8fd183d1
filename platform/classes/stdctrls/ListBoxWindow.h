// What a list box control asks of its "LISTBOX" window, written once for the
// class library's list box and for the utility library's: reading a line,
// adding and inserting lines, line rectangles and hit testing, the window
// style bits of the list's settings.
#pragma once

#include <string>

#include "platform/classes/Messages.h"
#include "platform/classes/controls/ControlTypes.h"

// The list's settings that decide its window style.
struct TListBoxStyleBits {
  bool MultiSelect = false;
  bool ExtendedSelect = true;
  bool IntegralHeight = false;
  bool Sorted = false;
  int Columns = 0;
  int TabWidth = 0;
  // A single border: a sunken client edge in 3-D, else a plain border.
  bool Border = true;
  bool Ctl3D = true;
};

// Adds the style bits of the settings (and the border) to Params; the class
// keeps no redraw-on-resize styles.
void AddListBoxStyles(TCreateParams& Params, const TListBoxStyleBits& Bits);

// The text of line Index; false when the window has no such line.
bool ReadListBoxLine(HWND Window, int Index, std::string& Text);
// Adds or inserts a line; EOutOfResources "Impossible d'insérer une ligne"
// when the window refuses it. Add answers the new line's index.
int AddListBoxLine(HWND Window, const std::string& S);
void InsertListBoxLine(HWND Window, int Index, const std::string& S);

// The rectangle of line Index of Count lines; one past the last line is the
// rectangle below it; any other index gives an empty rectangle.
TRect ListBoxLineRect(HWND Window, int Index, int Count);
// The line at a client point, from the top line on: outside the client area
// -1; below the last line -1 when Existing, else Count.
int ListBoxLineAt(HWND Window, const TRect& Client, TPoint Pos, int Count, bool Existing);
