// The background colour of a table cell, for what stands in it (a radio
// button takes it), without the table headers.
#pragma once

#include "platform/base/Types.h"

class TCellObj;

// True with the colour when the cell has a background of its own.
bool CellBackground(const TCellObj* Cell, TColor& Color);
