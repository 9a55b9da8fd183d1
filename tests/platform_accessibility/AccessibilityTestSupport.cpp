#include "AccessibilityTestSupport.h"

int TViewAccessible::Alive = 0;
int TAccessibilityFixture::Clicks = 0;

TViewAccessible::TViewAccessible(HWND view) : FView(view) { ++Alive; }
TViewAccessible::~TViewAccessible() { --Alive; }

HRESULT TViewAccessible::get_accParent(IDispatch** parent)
{
  return AccessibleObjectFromWindow(FView, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT TViewAccessible::get_accChildCount(LONG* count)
{
  *count = 2;
  return S_OK;
}

HRESULT TViewAccessible::get_accChild(VARIANT child, IDispatch** object)
{
  *object = nullptr;
  return child.vt == VT_I4 && (child.lVal == 1 || child.lVal == 2) ? S_FALSE : E_INVALIDARG;  // simple children
}

HRESULT TViewAccessible::get_accName(VARIANT child, BSTR* name)
{
  static const char16_t* const names[] = {u"Barre", u"Ouvrir", u"Fermer"};
  if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > 2)
    return E_INVALIDARG;
  *name = SysAllocString(names[child.lVal]);
  return S_OK;
}

HRESULT TViewAccessible::get_accRole(VARIANT child, VARIANT* role)
{
  role->vt = VT_I4;
  role->lVal = child.lVal == CHILDID_SELF ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
  return S_OK;
}

VARIANT ChildId(LONG id)
{
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::string TakeText(BSTR text)
{
  if (!text)
    return "<null>";
  std::string utf8 = UTF8Encode(std::u16string_view(text, SysStringLen(text)));
  SysFreeString(text);
  return utf8;
}

std::string Name(IAccessible* object, LONG child)
{
  BSTR name = nullptr;
  object->get_accName(ChildId(child), &name);
  return TakeText(name);
}

LONG Role(IAccessible* object)
{
  VARIANT role;
  EXPECT_EQ(object->get_accRole(ChildId(CHILDID_SELF), &role), S_OK);
  EXPECT_EQ(role.vt, VT_I4);
  return role.lVal;
}

LONG State(IAccessible* object)
{
  VARIANT state;
  EXPECT_EQ(object->get_accState(ChildId(CHILDID_SELF), &state), S_OK);
  EXPECT_EQ(state.vt, VT_I4);
  return state.lVal;
}

TRect Location(IAccessible* object)
{
  LONG left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(object->accLocation(&left, &top, &width, &height, ChildId(CHILDID_SELF)), S_OK);
  return {left, top, left + width, top + height};
}

TRect ScreenRect(HWND hwnd)
{
  TRect rect;
  GetWindowRect(hwnd, &rect);
  return rect;
}

InterfacePtr<IAccessible> TakeObject(VARIANT& answer)
{
  InterfacePtr<IAccessible> object;
  if (answer.vt == VT_DISPATCH && answer.pdispVal)
    object = Supports<IAccessible>(answer.pdispVal);
  VariantClear(&answer);
  return object;
}

InterfacePtr<IAccessible> Child(IAccessible* object, LONG child)
{
  IDispatch* dispatch = nullptr;
  if (FAILED(object->get_accChild(ChildId(child), &dispatch)) || !dispatch)
    return {};
  auto accessible = Supports<IAccessible>(dispatch);
  dispatch->Release();
  return accessible;
}

InterfacePtr<IAccessible> FromWindow(HWND hwnd, LONG objectId)
{
  void* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, DWORD(objectId), IID_IAccessible, &object)))
    return {};
  return InterfacePtr<IAccessible>::Adopt(static_cast<IAccessible*>(object));
}

namespace {

LRESULT ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  // A new object at each question; the answer holds it until the client
  // takes it.
  if (msg == WM_GETOBJECT && LONG(lParam) == OBJID_CLIENT) {
    auto* object = new TViewAccessible(hwnd);
    return LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
    ++TAccessibilityFixture::Clicks;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterTestClass(const char* name, WNDPROC procedure)
{
  WNDCLASSEX known = {};
  known.cbSize = sizeof(known);
  if (GetClassInfoEx(nullptr, name, &known))
    return;
  WNDCLASSEX wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = procedure;
  wc.lpszClassName = name;
  RegisterClassEx(&wc);
}

}  // namespace

void TAccessibilityFixture::SetUp()
{
  Display = THeadlessDisplay::Use();
  Clicks = 0;
  RegisterTestClass("AccTestForm", FormProc);
  RegisterTestClass("AccTestView", ViewProc);
  Form = CreateWindowEx(0, "AccTestForm", "Fenêtre", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                        nullptr, nullptr, nullptr);
  const DWORD child = WS_CHILD | WS_VISIBLE;
  Send = CreateWindowEx(0, "Button", "&Envoyer", child | BS_DEFPUSHBUTTON, 10, 10, 80, 25, Form, nullptr, nullptr,
                        nullptr);
  Password = CreateWindowEx(0, "Edit", "secret", child | ES_PASSWORD, 120, 10, 150, 25, Form, nullptr, nullptr,
                            nullptr);
  Bold = CreateWindowEx(0, "Button", "Gras", child | BS_AUTOCHECKBOX, 10, 60, 80, 20, Form, nullptr, nullptr, nullptr);
  SendMessage(Bold, BM_SETCHECK, BST_CHECKED, 0);
  Hidden = CreateWindowEx(0, "Static", "Caché", WS_CHILD, 200, 100, 100, 40, Form, nullptr, nullptr, nullptr);
  Disabled = CreateWindowEx(0, "Button", "Non", child | WS_DISABLED, 10, 200, 80, 25, Form, nullptr, nullptr,
                            nullptr);
  View = CreateWindowEx(0, "AccTestView", "Outils", child, 120, 200, 200, 30, Form, nullptr, nullptr, nullptr);
  ASSERT_TRUE(Form && Send && Password && Bold && Hidden && Disabled && View);
  THeadlessDisplay::PumpMessages();
}

void TAccessibilityFixture::TearDown()
{
  DestroyWindow(Form);
  THeadlessDisplay::PumpMessages();
}
