// How the tests show the style model's values in failure messages.
#pragma once

#include <ostream>

#include "controls/html/styles/PropValue.h"

inline void PrintTo(const TPropValue& V, std::ostream* Out)
{
  *Out << (V.IsEmpty() ? std::string("<empty>") : V.Dump());
}
