// The keyboard's scan codes and the keys they stand for on the layer's
// built-in layout (the original platform's English one). An extended key's
// scan code carries 0xE0 in its high byte; the extended keys share their low
// byte with the keypad's (Home and the keypad's 7 are both 0x47).
#pragma once

#include <string>

#include "platform/base/Types.h"

namespace wincore {

// The key at a scan code, left and right told apart (VK_LSHIFT, VK_RMENU,
// ...); the keypad's keys as their navigation keys. 0 for no key.
BYTE KeyOfScanCode(UINT scanCode);
// The scan code of a key (0xE0xx for an extended one); the generic Shift,
// Ctrl and Alt give the left key's, the keypad's digits their keys', the
// navigation keys (Home, Up, ...) their own extended ones. 0 for a key
// without one.
WORD ScanCodeOfKey(UINT vk);
// The name of the key at a scan code, "" for a key without a name.
std::string KeyNameOfScanCode(UINT scanCode);

}  // namespace wincore
