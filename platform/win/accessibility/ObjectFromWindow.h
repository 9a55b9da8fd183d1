// Handing accessible objects from a window to a client: a window answers
// WM_GETOBJECT with LresultFromObject, the client turns that answer back into
// the object with ObjectFromLresult; AccessibleObjectFromWindow does both, and
// falls back on the standard object of the window when it answers nothing.
//
// These are the accessibility run-time's entry points, exported with C
// linkage: code that binds them at run time loads "oleacc.dll" (the module
// loader maps that name to this library) and finds them with GetProcAddress.
#pragma once

#include "platform/win/accessibility/Accessible.h"
#include "platform/win/window/WindowTypes.h"

extern "C" {

// Keeps a reference to the object's iid interface and answers a positive
// number that names it, for a WM_GETOBJECT handler to return. The reference
// is held until ObjectFromLresult takes it (an answer nobody claims is let go
// after two minutes). A failure answers its HRESULT (negative): E_INVALIDARG
// for no object, E_NOINTERFACE when the object lacks iid.
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
// Takes the object named by a LresultFromObject answer (once: the number is
// spent) and answers its iid interface in *object, a counted reference.
// E_INVALIDARG for a number that names nothing.
HRESULT ObjectFromLresult(LRESULT result, REFIID iid, WPARAM wParam, void** object);

// Sends WM_GETOBJECT (wParam 0, lParam the object id sign-extended, so
// OBJID_CLIENT arrives as -4) to the window; a positive answer gives the
// window's own object, anything else the standard one (CreateStdAccessibleObject).
// E_INVALIDARG for a window that does not exist or a null out-parameter.
HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID iid, void** object);
// The standard object of a window: OBJID_WINDOW (the whole window, whose one
// child is its client object) or OBJID_CLIENT (the client area, whose children
// are the child windows); E_INVALIDARG for other ids.
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID iid, void** object);

}  // extern "C"
