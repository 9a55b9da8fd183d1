// Window classes: registration and the class values of a window.
#pragma once

#include "platform/win/window/WindowTypes.h"

// A class name given as an atom, the way the platform packs it in a name pointer.
inline LPCSTR MAKEINTATOM(ATOM atom) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(atom)); }

ATOM RegisterClass(const WNDCLASS* wc);
ATOM RegisterClassEx(const WNDCLASSEX* wc);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* wc);
BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR className, WNDCLASSEX* wc);
int GetClassName(HWND hwnd, LPSTR buffer, int size);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);


inline ULONG_PTR GetClassLong(HWND hwnd, int index) { return GetClassLongPtr(hwnd, index); }
inline ULONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value) { return SetClassLongPtr(hwnd, index, value); }
