// Keyboard shortcuts: a virtual key with the modifier bits scShift 0x2000,
// scCtrl 0x4000 and scAlt 0x8000 (Ctrl+Enter is 13 + 0x4000 = 16397).
//
// Texts: modifiers "Shift+", "Ctrl+", "Alt+" in that order, then the key:
// letters and digits as themselves, "F1" to "F24", and the names BkSp, Tab,
// Esc, Enter, Space, PgUp, PgDn, End, Home, Left, Up, Right, Down, Ins, Del
// ("Ctrl+Enter", "Alt+S", "Shift+F10"). Reading ignores case and also takes
// "^" for Ctrl and the French names of the French keyboards: "Maj+" for Shift,
// Retour arrière, Tab, Echap, Entrée, Espace, Pg préc, Pg suiv, Fin, Début,
// Gauche, Haut, Droite, Bas, Inser, Suppr (accents optional).
#pragma once

#include <string>

#include "platform/base/Types.h"
#include "platform/classes/ShiftState.h"

using TShortCut = WORD;

constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

// 0 for a key above 255.
TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "" for a key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// 0 for a text that names no shortcut.
TShortCut TextToShortCut(std::string Text);
