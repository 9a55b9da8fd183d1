// Resources: files under a module's res/ folder, compiled into the module by
// corvane_resources() and found by module handle, name and type.
//
// Naming: a file's name without its extension is the resource name (compared
// without case; a name of digits also answers MAKEINTRESOURCE of that number);
// the extension gives the type: .bmp RT_BITMAP, .ico RT_GROUP_ICON (and
// RT_ICON), .cur RT_GROUP_CURSOR (and RT_CURSOR), anything else RT_RCDATA.
#pragma once

#include <cstddef>

#include "platform/win/gdi/GdiTypes.h"

// An integer resource name or type in a pointer, as the platform passes them.
inline LPCSTR MAKEINTRESOURCE(WORD id) { return reinterpret_cast<LPCSTR>(std::uintptr_t(id)); }
inline bool IS_INTRESOURCE(LPCSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

inline LPCSTR const RT_CURSOR = MAKEINTRESOURCE(1), RT_BITMAP = MAKEINTRESOURCE(2), RT_ICON = MAKEINTRESOURCE(3),
                    RT_RCDATA = MAKEINTRESOURCE(10), RT_GROUP_CURSOR = MAKEINTRESOURCE(12),
                    RT_GROUP_ICON = MAKEINTRESOURCE(14);

constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0, LR_MONOCHROME = 1, LR_LOADFROMFILE = 0x10, LR_LOADTRANSPARENT = 0x20,
               LR_DEFAULTSIZE = 0x40, LR_LOADMAP3DCOLORS = 0x1000, LR_CREATEDIBSECTION = 0x2000, LR_SHARED = 0x8000;

// One compiled file; the generated code of a module registers its table at load.
struct TResourceEntry {
  const char* Name;  // file name without its extension
  const char* Extension;  // lower case, without the dot
  const unsigned char* Data;
  std::size_t Size;
};
void RegisterResources(HMODULE module, const TResourceEntry* entries, std::size_t count);
void UnregisterResources(HMODULE module);

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL data);

// A device bitmap (monochrome for a 1-bit file, 32-bit otherwise).
HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name);
// Null module: the standard cursors (IDC_*) and icons (IDI_*) of the layer.
HCURSOR LoadCursor(HINSTANCE module, LPCSTR name);
HICON LoadIcon(HINSTANCE module, LPCSTR name);
// LR_LOADFROMFILE reads the file named by name; LR_CREATEDIBSECTION keeps a
// bitmap as a DIB section; LR_LOADMAP3DCOLORS maps grey 128, 192 and 223 to
// the shadow, face and light colours; LR_LOADTRANSPARENT maps the colour of
// the first pixel to the window colour.
HANDLE LoadImage(HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags);
