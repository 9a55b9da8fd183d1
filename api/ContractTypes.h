// The value types that cross module boundaries: contact keys, message kinds,
// presence statuses and time stamps. Their sizes are part of the contract.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/DateTime.h"
#include "platform/base/ShortString.h"
#include "platform/base/Types.h"

// A contact key: three decimal numbers joined by ";" (network index, group
// index, contact index), as in "0;2;5". A leading "-" marks a message written
// by the local user.
using UserID = ShortString;

// What a message text holds. Other values travel unchanged; the chat window
// answers them with an apology line.
using MessageKind = BYTE;
inline constexpr MessageKind mkText = 0;
inline constexpr MessageKind mkRtf = 1;
inline constexpr MessageKind mkHtml = 2;

// A network's or a contact's presence; also the index of its status image.
using PresenceStatus = BYTE;
inline constexpr PresenceStatus psOffline = 0;
inline constexpr PresenceStatus psOnline = 1;
inline constexpr PresenceStatus psAway = 2;
inline constexpr PresenceStatus psNotAvailable = 3;
inline constexpr PresenceStatus psInvisible = 4;
inline constexpr PresenceStatus psDoNotDisturb = 5;

static_assert(sizeof(UserID) == 256, "a key takes a 256-byte area");
static_assert(sizeof(MessageKind) == 1 && sizeof(PresenceStatus) == 1, "kinds and statuses are bytes");
static_assert(sizeof(TDateTime) == 8, "a time stamp is an 8-byte float");
static_assert(sizeof(HMODULE) == sizeof(void*), "module handles are pointer-sized");
