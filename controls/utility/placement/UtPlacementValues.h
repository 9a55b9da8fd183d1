// Writing a form's window state and position into a settings store and
// reading them back: "ShowCmd", "Flags", "PixelsPerInch", and "MinMaxPos"
// and "NormPos" as "l,t,r,b" (the last two also under the name followed by
// the screen suffix, which wins when present). A malformed value, or a
// normal rectangle that lies on no screen, leaves the position alone.
#pragma once

#include <string>

class TCustomForm;
class TUtCustomAppStorage;

void WriteFormPlacement(TCustomForm* Form, TUtCustomAppStorage* Store, const std::string& Path, bool SaveState,
                        bool SavePosition);
void ReadFormPlacement(TCustomForm* Form, TUtCustomAppStorage* Store, const std::string& Path, bool RestoreState,
                       bool RestorePosition);

// Four integers separated by commas, each optional (0); false when a part
// is not a number.
bool ParsePlacementNumbers(const std::string& Text, int (&Numbers)[4]);
