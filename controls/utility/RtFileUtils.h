// A module's file name and a file's fixed version information.
#pragma once

#include <string>

#include "platform/base/Types.h"
#include "platform/base/VersionInfo.h"

// The file name of a loaded module (the running program for null); empty when
// the handle names no module.
std::string ModuleFileName(HMODULE Module);
// The fixed version information of the file's version resource; false when
// it has none or the block is not exactly the 52-byte record.
bool ReadFixedFileVersion(const std::string& FileName, VS_FIXEDFILEINFO& FixedInfo);
