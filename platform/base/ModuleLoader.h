// The module loader: shared modules (plug-ins, the chat library, the running
// program itself) loaded by name, with per-module load counts, their exports
// looked up by name.
//
// A module handle is the address at which the module is mapped, so any code can
// find its own module's handle from an address inside it (HInstance), whether
// the module was loaded here or linked at start. Modules are opened with their
// symbols kept local, and all their references resolved at load.
//
// Search: an absolute name is used as it stands; a bare or relative name is
// looked for in the program folder (the folder of the running executable), then
// in the current directory, and a bare name last in the system's library path.
// The host's module name "corvane" or "corvane.exe" (any case) and the running
// program's own file name stand for the running program: loading it raises its
// count, freeing lowers it, and it is never unloaded. The names of the original
// platform's modules that this layer stands in for ("uxtheme" or "uxtheme.dll",
// any case: the visual styles; "oleacc" and "user32": the window library)
// stand for the layer's own module, found beside the layer's libraries.
//
// Failures return 0 or null and leave the reason in GetLastError.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

using FARPROC = void*;

HMODULE LoadLibrary(LPCSTR fileName);
BOOL FreeLibrary(HMODULE module);
// Exports are looked up by name only, and only among the module's own symbols:
// a name that only a library the module uses defines is not found.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// The handle of a module already in the process (null: the program), without
// raising its count.
HMODULE GetModuleHandle(LPCSTR moduleName);
// Copies the module's full path (null: the program) into buffer, cut to
// size - 1 characters and zero-terminated. Returns the length copied; on a cut,
// size and ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);
// The module's full path, "" for an unknown handle.
std::string GetModuleName(HMODULE module);

// The module that holds an address (code or data), or null.
HMODULE ModuleFromAddress(const void* address);
// How many loads of the module are not yet freed; 0 for a module not loaded
// through LoadLibrary (the program counts 1 for its own start).
int GetModuleLoadCount(HMODULE module);

// The running executable's full path, and its folder with a trailing "/".
std::string ProgramFileName();
std::string ProgramFolder();
// Makes the loader (and ProgramFolder) look for modules in another folder, so a
// test can run the host on a folder of its own; "" restores the real one.
void SetProgramFolder(std::string_view folder);

namespace {
// The calling module's own handle: each module that includes this header gets
// its own copy of this function, so its address lies inside that module.
inline HMODULE HInstance()
{
  return ModuleFromAddress(reinterpret_cast<const void*>(&HInstance));
}
}  // namespace
