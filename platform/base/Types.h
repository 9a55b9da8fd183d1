// Integer, handle and message-parameter types of the platform layer.
//
// Handles are pointer-sized opaque values. They are not pointers into memory:
// each kind of handle is resolved through its own table, which detects stale
// values, so a destroyed handle can be passed anywhere without harm.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;

using BOOL = std::int32_t;      // 0 false, anything else true
using LongBool = std::int32_t;  // the same on the wire; -1 when written as true by the class library
using BYTEBOOL = std::uint8_t;
// Macros, as other C headers (the JPEG library's among them) define them too.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HRESULT = std::int32_t;
using ATOM = WORD;

using WCHAR = char16_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = char16_t*;
using LPCWSTR = const char16_t*;
using PChar = char*;
using PWideChar = char16_t*;

// One opaque handle type per kind, so that a window cannot be passed where a
// brush is expected.
#define CORVANE_DECLARE_HANDLE(name) \
  struct name##__;                   \
  using name = name##__*

CORVANE_DECLARE_HANDLE(HWND);
CORVANE_DECLARE_HANDLE(HDC);
CORVANE_DECLARE_HANDLE(HMENU);
CORVANE_DECLARE_HANDLE(HICON);
CORVANE_DECLARE_HANDLE(HKEY);
CORVANE_DECLARE_HANDLE(HINSTANCE);
CORVANE_DECLARE_HANDLE(HRSRC);
CORVANE_DECLARE_HANDLE(HMONITOR);
CORVANE_DECLARE_HANDLE(HHOOK);
CORVANE_DECLARE_HANDLE(HIMAGELIST);
CORVANE_DECLARE_HANDLE(HGDIOBJ__Base);

using HANDLE = void*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGLOBAL = HANDLE;
using THandle = HANDLE;

// Drawing objects share one handle space (SelectObject, DeleteObject and
// GetObject take any of them), so they are all one opaque type underneath.
using HGDIOBJ = HGDIOBJ__Base;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HPALETTE = HGDIOBJ;
using HRGN = HGDIOBJ;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// A colour as the platform stores it: 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16); }
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }

// A colour as the class library stores it: an RGB value, or 0xFF000000 plus the
// index of a system colour, or one of the special values below.
using TColor = std::int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = TColor(0xFF000000);

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(std::uintptr_t v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(std::uintptr_t v) { return BYTE((v >> 8) & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return WORD(lo | (WORD(hi) << 8)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(MAKELONG(lo, hi)); }
constexpr LRESULT MAKELRESULT(WORD lo, WORD hi) { return LRESULT(MAKELONG(lo, hi)); }
// Signed coordinates packed in an LPARAM.
constexpr int GET_X_LPARAM(LPARAM l) { return int(SHORT(LOWORD(std::uintptr_t(l)))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(SHORT(HIWORD(std::uintptr_t(l)))); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002);
constexpr HRESULT E_POINTER = HRESULT(0x80004003);
constexpr HRESULT E_FAIL = HRESULT(0x80004005);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000E);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
