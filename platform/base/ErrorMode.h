// The process's error mode: which error boxes the system may show on the
// process's behalf (a failed library load, a drive with no disk). This layer
// never shows such a box, whatever the mode; the mode is still kept and
// answered, so code that sets it and puts the previous one back sees the
// values it set.
#pragma once

#include "platform/base/Types.h"

constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
constexpr UINT SEM_NOALIGNMENTFAULTEXCEPT = 0x0004;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

// Sets the mode for the whole process and returns the one it replaces.
UINT SetErrorMode(UINT mode);
UINT GetErrorMode();
