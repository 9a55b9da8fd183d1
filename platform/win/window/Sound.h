// Sounds: PlaySound, for the system events ("MenuPopup", "MenuCommand", ...)
// and wave files.
//
// The layer has no sound output, so nothing is ever played: a request to play
// fails (FALSE, last error ERROR_NOT_SUPPORTED) and callers carry on silent,
// as they do when a sound cannot be found. Stopping (no sound, or SND_PURGE)
// succeeds, since nothing is playing.
#pragma once

#include "platform/win/window/WindowTypes.h"

constexpr DWORD SND_SYNC = 0x0000, SND_ASYNC = 0x0001, SND_NODEFAULT = 0x0002, SND_MEMORY = 0x0004,
                SND_LOOP = 0x0008, SND_NOSTOP = 0x0010, SND_PURGE = 0x0040, SND_APPLICATION = 0x0080,
                SND_NOWAIT = 0x2000, SND_ALIAS = 0x10000, SND_FILENAME = 0x20000, SND_RESOURCE = 0x40004,
                SND_ALIAS_ID = 0x110000;

// Fails with ERROR_INVALID_PARAMETER when the flags name the sound two ways
// (an alias and a file) or SND_LOOP comes without SND_ASYNC.
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);
inline BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) { return PlaySound(sound, module, flags); }
