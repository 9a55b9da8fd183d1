// The chat-window library's entry points ("tessel.so"), which the host looks
// up by name after loading the library. Keys and nicknames are length-prefixed
// strings owned by the caller, texts zero-terminated and owned by the caller;
// the library copies what it keeps. Every entry catches at the module edge.
#pragma once

#include "api/ContractTypes.h"

// Shows a message in the contact's chat window, creating the window when
// there is none. A key with a leading "-" is the user's own message; the
// window is the one of the key without the mark.
using TNewMessageEntry = void (*)(const UserID* Key, TDateTime Time, const char* Text, MessageKind Kind);
// Starts the window manager, which attaches to the host (IMessageInput).
using TInitManagerEntry = void (*)();
// Destroys every chat window without saving and detaches from the host.
using TEndManagerEntry = void (*)();
// Opens (or brings up) the contact's chat window without a message.
using TNewMessageFromMeEntry = void (*)(const UserID* Key);
// Whether a chat window is open for the key (without "-").
using TMessageIsOpenEntry = bool (*)(const UserID* Key);
// A contact's nickname changed.
using TUpdateNickEntry = void (*)(const UserID* Key, const ShortString* Nick);
