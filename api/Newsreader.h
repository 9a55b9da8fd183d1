// Where the outside newsreader keeps its smileys. The smiley processor reads
// its table there and points its image elements there; the chat window lets
// its viewer read pictures from that folder only.
#pragma once

#include <string>

// The current user's registry keys of the newsreader.
inline constexpr const char* NewsreaderKey = "\\Software\\Veltrano\\MesNews";
inline constexpr const char* NewsreaderInitKey = "\\Software\\Veltrano\\MesNews\\init";

// The newsreader's data folder (value "EmplacementData", a plain prefix to
// which "config\" is added); false when the newsreader is not installed.
bool NewsreaderDataFolder(std::string& Folder);

// The folder of the smiley pictures, "<data folder>config", with the
// platform's separators; "" when the newsreader is not installed.
std::string SmileyPictureFolder();
