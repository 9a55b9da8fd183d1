// Windows of other processes of the same user. A process publishes its
// top-level windows that have a title in a folder of the user's runtime
// directory ($XDG_RUNTIME_DIR/corvane-windows, or a private folder under /tmp
// when it is unset) and listens on a local socket there; FindWindow reads the
// other processes' lists, and WM_COPYDATA sent to one of their windows goes
// over the socket. The receiver delivers it on the window's thread as a sent
// message with a COPYDATASTRUCT over its own copy of the bytes.
//
// A send waits at most the cross-process time limit (250 ms unless changed):
// a hung or vanished receiver costs the sender that wait, never more. A
// receiver reads each connection without waiting, into its own buffer: a
// peer that stops halfway through a request delays no other, and is dropped
// after a second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/Types.h"

UINT CrossProcessTimeout();
void SetCrossProcessTimeout(UINT milliseconds);
// The folder in use (made on first use, mode 0700).
std::string CrossProcessFolder();
// The stand-in windows this process holds for windows of other processes
// (those FindWindow found, and the most recent senders of requests).
std::size_t ForeignStandInCount();
// Largest copy-data block accepted from another process.
constexpr DWORD MaxCrossProcessCopyData = 1u << 20;

// Where the top-level windows of this process and of the others stand as a
// whole: the stamp moves on whenever a top-level window may have come, gone,
// or changed its title or class, here or in another process, so a lookup
// that found nothing need not be done again while the stamp stays. It is
// read without a system call: the processes of the folder share a counter
// in shared memory that each moves on once it has published its new list.
// Known is false when that counter could not be set up (every lookup must
// then be done again).
struct TWindowListStamp {
  bool Known = false;
  std::uint64_t Local = 0;
  std::uint64_t Others = 0;
  // Moves on when the shared counter had to be set up again (a segment or a
  // folder made anew).
  std::uint64_t Attachment = 0;
  bool operator==(const TWindowListStamp&) const = default;
};
TWindowListStamp WindowListStamp();
