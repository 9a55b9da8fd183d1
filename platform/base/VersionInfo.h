// Version resources of files. The platform's own system libraries answer
// with the versions the layer stands in for ("shell32.dll" 6.0, the shell
// whose notification area shows balloon notices; "kernel32.dll" 5.1);
// every other file has no version resource.
#pragma once

#include "platform/base/Types.h"

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;  // 0xFEEF04BD
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52, "the fixed file information takes 52 bytes");

// The size of the file's version block, 0 when it has none. Handle, when
// given, is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR fileName, DWORD* handle);
// Copies the version block into data (len bytes at least the block's size).
BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD len, void* data);
// Finds a value in a version block: the sub-block "\" answers the fixed file
// information (52 bytes). Other sub-blocks are not held.
BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* len);
