#include "platform/win/accessibility/ObjectFromWindow.h"

#include "platform/win/accessibility/detail/StdWindowAccessible.h"
#include "platform/win/window/window.h"

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID iid, void** object)
{
  if (!object)
    return E_INVALIDARG;
  *object = nullptr;
  if (!IsWindow(hwnd) || (objectId != OBJID_WINDOW && objectId != OBJID_CLIENT))
    return E_INVALIDARG;
  try {
    IAccessible* created = accessibility_detail::NewStdWindowAccessible(hwnd, objectId);
    created->AddRef();
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID iid, void** object)
{
  if (!object)
    return E_INVALIDARG;
  *object = nullptr;
  if (!IsWindow(hwnd))
    return E_INVALIDARG;
  const LONG id = LONG(objectId);
  const LRESULT answer = SendMessage(hwnd, WM_GETOBJECT, 0, LPARAM(id));
  if (answer > 0)
    return ObjectFromLresult(answer, iid, 0, object);
  return CreateStdAccessibleObject(hwnd, id, iid, object);
}
