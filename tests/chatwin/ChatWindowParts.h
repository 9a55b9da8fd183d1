// What the chat library's window tests share: finding a control inside a
// chat window made by the module, and the newsreader's installation under
// tests/fixtures that the smileys come from.
#pragma once

#include <string>

#include "platform/classes/classes.h"
#include "tests/support/FindChild.h"

// The fixture folder, ending in "/" (its smileys are in config/).
inline const std::string NewsreaderFixture = CORVANE_NEWSREADER_FIXTURE;

// A registry file's text that installs the newsreader in that folder.
inline std::string NewsreaderRegistryText()
{
  return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\r\n\"EmplacementData\"=\"" +
         NewsreaderFixture + "\"\r\n";
}
