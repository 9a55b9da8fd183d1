// The keyboard: X key events turned into the layer's virtual keys, scan codes
// and characters. Characters come from the input method (accents, dead keys
// and compose sequences through XIM), keys through the X keyboard mapping;
// AltGr is the platform's Ctrl+Alt, plain Alt stays Alt.
#pragma once

#include <map>

#include "platform/display/x11/X11Core.h"

namespace x11 {

struct TKeyInput {
  BYTE Vk = 0;
  bool Down = false;
  DWORD Char = 0;
  WORD Scan = 0;
  bool Extended = false;
};

class TX11Keyboard {
public:
  explicit TX11Keyboard(TCore& core);
  ~TX11Keyboard();

  void WindowCreated(Window w);
  void WindowDestroyed(Window w);
  void Focus(Window w, bool in);
  // True when the input method took the event (a dead key, say).
  bool Filter(XEvent& ev);
  // The key messages one key event makes (the reader feeds them in order).
  std::vector<TKeyInput> Translate(XKeyEvent& ev);

  // The mapping rules, apart from any server: the virtual key of a key
  // whose first two levels are level0 and level1 and whose event gave
  // effective (scan: 0xE0xx for an extended key), and the scan code of an
  // X key code.
  static BYTE VirtualKey(KeySym level0, KeySym level1, KeySym effective, WORD scan, bool hasChar);
  static WORD ScanCode(unsigned keycode, bool& extended);
  static DWORD KeySymToUnicode(KeySym sym);

private:
  void OpenInputMethod();

  TCore& FCore;
  bool FImTried = false;
  XIM FIm = nullptr;
  std::map<Window, XIC> FContexts;
};

}  // namespace x11
