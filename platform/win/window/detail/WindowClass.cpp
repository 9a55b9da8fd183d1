#include "platform/win/window/WindowClass.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/base/LastError.h"
#include "platform/win/controls/SystemClasses.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace wincore {

// A class by name or atom (Core().Lock held).
TClassRec* FindClass(LPCSTR name)
{
  // The standard classes join the first time any class is looked up.
  static bool systemClasses = false;
  if (!systemClasses) {
    systemClasses = true;
    RegisterSystemClasses();
  }
  auto v = reinterpret_cast<std::uintptr_t>(name);
  for (auto& c : Core().Classes) {
    if (v <= 0xFFFF) {
      if (c->Atom == ATOM(v))
        return c.get();
    } else if (strcasecmp(c->Name.c_str(), name) == 0) {
      return c.get();
    }
  }
  return nullptr;
}

}  // namespace wincore

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
  if (!wc || !wc->lpszClassName || reinterpret_cast<std::uintptr_t>(wc->lpszClassName) <= 0xFFFF ||
      !*wc->lpszClassName || wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > 40000 ||
      wc->cbWndExtra > 40000) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  if (FindClass(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_unique<TClassRec>();
  c->Atom = Core().NextAtom++;
  c->Name = wc->lpszClassName;
  c->Style = wc->style;
  c->WndProc = wc->lpfnWndProc;
  c->ClsExtra = wc->cbClsExtra;
  c->WndExtra = wc->cbWndExtra;
  c->Instance = wc->hInstance;
  c->Icon = wc->hIcon;
  c->IconSm = wc->hIconSm;
  c->Cursor = wc->hCursor;
  c->Background = wc->hbrBackground;
  if (wc->lpszMenuName && reinterpret_cast<std::uintptr_t>(wc->lpszMenuName) > 0xFFFF)
    c->MenuName = wc->lpszMenuName;
  c->Extra.assign(std::size_t(wc->cbClsExtra), 0);
  ATOM atom = c->Atom;
  Core().Classes.push_back(std::move(c));
  return atom;
}

ATOM RegisterClass(const WNDCLASS* wc)
{
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEX ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TClassRec* c = FindClass(className);
  if (!c) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  if (c->WindowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  auto& all = Core().Classes;
  all.erase(std::remove_if(all.begin(), all.end(), [c](auto& p) { return p.get() == c; }), all.end());
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, WNDCLASSEX* wc)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TClassRec* c = FindClass(className);
  if (!c || !wc) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  wc->style = c->Style;
  wc->lpfnWndProc = c->WndProc;
  wc->cbClsExtra = c->ClsExtra;
  wc->cbWndExtra = c->WndExtra;
  wc->hInstance = c->Instance;
  wc->hIcon = c->Icon;
  wc->hIconSm = c->IconSm;
  wc->hCursor = c->Cursor;
  wc->hbrBackground = c->Background;
  wc->lpszMenuName = c->MenuName.empty() ? nullptr : c->MenuName.c_str();
  wc->lpszClassName = c->Name.c_str();
  return c->Atom;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* wc)
{
  WNDCLASSEX ex;
  if (!wc || !GetClassInfoEx(instance, className, &ex))
    return FALSE;
  wc->style = ex.style;
  wc->lpfnWndProc = ex.lpfnWndProc;
  wc->cbClsExtra = ex.cbClsExtra;
  wc->cbWndExtra = ex.cbWndExtra;
  wc->hInstance = ex.hInstance;
  wc->hIcon = ex.hIcon;
  wc->hCursor = ex.hCursor;
  wc->hbrBackground = ex.hbrBackground;
  wc->lpszMenuName = ex.lpszMenuName;
  wc->lpszClassName = ex.lpszClassName;
  return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !w->Class || !buffer || size <= 0)
    return 0;
  int n = std::min<int>(size - 1, int(w->Class->Name.size()));
  std::memcpy(buffer, w->Class->Name.data(), std::size_t(n));
  buffer[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !w->Class)
    return 0;
  TClassRec* c = w->Class;
  switch (index) {
    case GCLP_MENUNAME: return reinterpret_cast<ULONG_PTR>(c->MenuName.empty() ? nullptr : c->MenuName.c_str());
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c->Background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c->Cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c->Icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c->IconSm);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c->Instance);
    case GCL_CBWNDEXTRA: return ULONG_PTR(c->WndExtra);
    case GCL_CBCLSEXTRA: return ULONG_PTR(c->ClsExtra);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->WndProc);
    case GCL_STYLE: return c->Style;
    case GCW_ATOM: return c->Atom;
    default:
      if (index >= 0 && std::size_t(index) + sizeof(ULONG_PTR) <= c->Extra.size()) {
        ULONG_PTR v;
        std::memcpy(&v, c->Extra.data() + index, sizeof v);
        return v;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !w->Class)
    return 0;
  ULONG_PTR old = GetClassLongPtr(hwnd, index);
  TClassRec* c = w->Class;
  switch (index) {
    case GCLP_HBRBACKGROUND: c->Background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HCURSOR: c->Cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HICON: c->Icon = reinterpret_cast<HICON>(value); break;
    case GCLP_HICONSM: c->IconSm = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: c->WndProc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: c->Style = UINT(value); break;
    default:
      if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= c->Extra.size()) {
        std::memcpy(c->Extra.data() + index, &value, sizeof value);
        break;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
  return old;
}
