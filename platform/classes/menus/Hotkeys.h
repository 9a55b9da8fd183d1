// Hotkey markers in captions: "&" before the character that selects the item
// ("&&" stands for a plain "&"); a caption of "-" is a separator line.
#pragma once

#include <string>

constexpr char cHotkeyPrefix = '&';
constexpr const char* cLineCaption = "-";

// The caption without its markers ("&Fichier" gives "Fichier", "A && B" gives "A & B").
std::string StripHotkey(const std::string& Text);
// The marked character (the last one marked), a whole UTF-8 character; "" when none.
std::string GetHotkey(const std::string& Text);
// Captions compared as a user reads them: markers dropped, case ignored.
bool AnsiSameCaption(const std::string& Text1, const std::string& Text2);
