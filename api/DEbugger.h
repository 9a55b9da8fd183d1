// The debug log channel: one diagnostic line to an outside debug console, a
// top-level window titled "CDebug" in this or another process, if one runs.
#pragma once

#include <cstddef>

#include "platform/base/ShortString.h"
#include "platform/base/Types.h"

// The copy-data payload: 513 bytes, the source, then the text, then the level
// (0 progress step, 1 error, 2 and 3 detail).
#pragma pack(push, 1)
struct LogRecord {
  ShortString Source;
  ShortString Text;
  BYTE Level = 0;
};
#pragma pack(pop)
static_assert(sizeof(LogRecord) == 513, "a log record is 513 bytes");
static_assert(offsetof(LogRecord, Source) == 0 && offsetof(LogRecord, Text) == 256 && offsetof(LogRecord, Level) == 512,
              "a log record keeps the layout consoles read");

// The copy-data tag of a log record.
constexpr ULONG_PTR LogRecordTag = 1;

// Sends the record to the "CDebug" window with WM_COPYDATA. Without such a
// window it returns at once. A console that does not answer costs at most the
// window system's cross-process time limit (CrossProcess.h): the host never
// freezes for its debug console.
void DebugLog(const ShortString& Source, BYTE Level, const ShortString& Text);
