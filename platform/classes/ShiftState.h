// The shift state of keyboard and mouse events, and its conversions from the
// MK_ flags of mouse messages and the key data of key messages.
#pragma once

#include "platform/base/Set.h"
#include "platform/base/Types.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TShiftStateFlag, "Classes", ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
using TShiftState = Set<TShiftStateFlag>;
CORVANE_DESCRIBE_SET(TShiftState);

// From the MK_ flags of a mouse message, Alt read from the keyboard state.
TShiftState KeysToShiftState(WORD Keys);
// From a key message's key data: Shift and Ctrl from the keyboard state, Alt
// from the key data's bit 29.
TShiftState KeyDataToShiftState(std::int32_t KeyData);
// The keyboard state of Shift, Ctrl and Alt now.
TShiftState KeyboardStateToShiftState();
