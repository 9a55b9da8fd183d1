// What the chat library's window tests share: finding a control inside a
// chat window made by the module, and the newsreader's installation under
// tests/fixtures that the smileys come from.
#pragma once

#include <string>

#include "platform/classes/classes.h"

template <class T>
T* FindChild(TWinControl* Parent)
{
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (auto* found = dynamic_cast<T*>(c))
      return found;
    if (auto* win = dynamic_cast<TWinControl*>(c))
      if (T* inner = FindChild<T>(win))
        return inner;
  }
  return nullptr;
}

// The fixture folder, ending in "/" (its smileys are in config/).
inline const std::string NewsreaderFixture = CORVANE_NEWSREADER_FIXTURE;

// A registry file's text that installs the newsreader in that folder.
inline std::string NewsreaderRegistryText()
{
  return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\r\n\"EmplacementData\"=\"" +
         NewsreaderFixture + "\"\r\n";
}
