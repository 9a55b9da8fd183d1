// The first control of a class among a window's controls, at any depth
// (children before their own children), or null: how tests reach the parts
// of a window they did not build (a chat window of the chat library).
#pragma once

#include "platform/classes/controls/WinControl.h"

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
