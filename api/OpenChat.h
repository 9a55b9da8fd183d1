// The open-chat request: another program asks the running host to open a
// chat window with someone by sending WM_COPYDATA with this record to the
// main window (titled "Corvane 2.1"). The host reads a record only when the
// copy-data descriptor carries at least 512 bytes; its tag is not read, so
// senders may put anything there (ours sends OpenChatRequestTag).
#pragma once

#include <cstddef>

#include "platform/base/ShortString.h"
#include "platform/base/Types.h"

#pragma pack(push, 1)
struct OpenChatRequest {
  // A network's name exactly as its plug-in's GetName answers it.
  ShortString Network;
  // The contact's address in that network's own notation.
  ShortString Address;
};
#pragma pack(pop)
static_assert(sizeof(OpenChatRequest) == 512, "an open-chat request is 512 bytes");
static_assert(offsetof(OpenChatRequest, Address) == 256, "the address follows the network name");

// The copy-data tag our own sender puts on an open-chat request ("OC").
constexpr ULONG_PTR OpenChatRequestTag = 0x4F43;
