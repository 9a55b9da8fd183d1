// Global memory blocks and the clipboard. The clipboard's contents live in
// the process; the display back end is told when the process owns it and,
// when another program owns it, offers that program's formats by name
// (DisplayBackend.h). Standard formats are named "CF_TEXT",
// "CF_UNICODETEXT", "CF_DIB", ... on that seam; registered formats by their
// registered names. CF_TEXT (UTF-8) and CF_UNICODETEXT (UTF-16) are made from
// each other when only one is there.
#pragma once

#include <string>

#include "platform/win/window/WindowTypes.h"

using SIZE_T = std::size_t;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = GMEM_SHARE;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// A fixed block's handle is its address; a moveable one's is opaque.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T size);
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T size, UINT flags);
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
// Null on success, the handle back on failure.
HGLOBAL GlobalFree(HGLOBAL block);
HGLOBAL GlobalHandle(const void* memory);

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard owns the block from then on. A null block promises the data:
// the owner renders it on WM_RENDERFORMAT when someone asks.
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
UINT RegisterClipboardFormat(LPCSTR name);
int GetClipboardFormatName(UINT format, LPSTR buffer, int size);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

// For display back ends: another program took the clipboard (its formats are
// then asked of the back end), and the name of a format on the bridge.
void InputClipboardTaken();
std::string ClipboardFormatBridgeName(UINT format);
UINT ClipboardFormatFromBridgeName(const std::string& name);
