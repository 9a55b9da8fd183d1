// The chat-window library's entry points: the six exports the host looks up
// by name in "tessel.so" after loading it. Keys and nicknames cross as
// length-prefixed strings owned by the caller, texts as zero-terminated
// 8-bit text owned by the caller; the library copies both on entry. No entry
// point lets a failure out: each logs it under "tessel.dll" and returns.
#pragma once

#include "api/ContractTypes.h"

// The module's file name, in the program folder.
inline constexpr const char* ChatLibraryFileName = "tessel.so";

extern "C" {
// Renames the contact's window ("Messages avec " + Nick) when one is open.
using TUpdateNick = void (*)(const UserID* Key, const ShortString* Nick);
// 1 while a chat window is open for Key.
using TMessageIsOpen = bool (*)(const UserID* Key);
// Closes every chat window without saving and lets go of the host.
using TEndManager = void (*)();
// Starts the window manager, which attaches to the host.
using TInitManager = void (*)();
// Opens (or brings up) the contact's window without a message; a leading
// "-" on Key is ignored.
using TNewMessageFromMe = void (*)(const UserID* Key);
// Shows a message in the contact's window, opening it when needed; a key
// starting with "-" is the user's own message. A message that could not be
// shown is logged; the caller learns it from MessageIsOpen afterwards, so
// that it keeps a message it holds elsewhere.
using TNewMessage = void (*)(const UserID* Key, TDateTime Time, const char* Text, MessageKind Kind);
}
