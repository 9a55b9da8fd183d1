// Handing objects from windows to clients: the number a window answers holds
// its object until the client takes it, once; a window with an object of its
// own hands it out, others the standard one; the run-time binds by name.
#include "AccessibilityTestSupport.h"

TEST(LresultFromObject, HoldsTheObjectUntilTakenOnce)
{
  const int before = TViewAccessible::Alive;
  auto* object = new TViewAccessible(nullptr);
  InterfacePtr<IAccessible> maker(object);
  const LRESULT answer = LresultFromObject(IID_IAccessible, 0, maker.Get());
  ASSERT_GT(answer, 0);
  EXPECT_EQ(object->RefCount(), 2);
  maker.Reset();  // the window lets its object go before the client asks
  EXPECT_EQ(TViewAccessible::Alive, before + 1);  // the answer keeps it alive

  void* taken = nullptr;
  ASSERT_EQ(ObjectFromLresult(answer, IID_IDispatch, 0, &taken), S_OK);
  EXPECT_EQ(taken, static_cast<IDispatch*>(object));
  EXPECT_EQ(object->RefCount(), 1);  // the answer's reference went to the client
  void* again = reinterpret_cast<void*>(1);
  EXPECT_EQ(ObjectFromLresult(answer, IID_IDispatch, 0, &again), E_INVALIDARG);  // spent
  EXPECT_EQ(again, nullptr);
  static_cast<IDispatch*>(taken)->Release();
  EXPECT_EQ(TViewAccessible::Alive, before);
}

TEST(LresultFromObject, RefusesWhatItCannotHold)
{
  const int before = TViewAccessible::Alive;
  auto* view = new TViewAccessible(nullptr);
  InterfacePtr<IAccessible> object(view);
  const GUID other = MakeGUID("{A5C0D7CC-3EC4-4090-A0F8-3D03271877EA}");
  EXPECT_EQ(LresultFromObject(other, 0, object.Get()), E_NOINTERFACE);
  EXPECT_EQ(LresultFromObject(IID_IAccessible, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(view->RefCount(), 1);  // nothing held
  void* taken = nullptr;
  EXPECT_EQ(ObjectFromLresult(12345678, IID_IAccessible, 0, &taken), E_INVALIDARG);
  object.Reset();
  EXPECT_EQ(TViewAccessible::Alive, before);
}

TEST(LresultFromObject, UnclaimedAnswersAreLetGo)
{
  THeadlessDisplay::UseVirtualClock();
  const int before = TViewAccessible::Alive;
  LresultFromObject(IID_IAccessible, 0, static_cast<IAccessible*>(new TViewAccessible(nullptr)));
  THeadlessDisplay::Advance(60000);
  auto* second = new TViewAccessible(nullptr);
  const LRESULT kept = LresultFromObject(IID_IAccessible, 0, static_cast<IAccessible*>(second));
  EXPECT_EQ(TViewAccessible::Alive, before + 2);
  THeadlessDisplay::Advance(61000);  // the first is two minutes old, the second one
  void* taken = nullptr;
  ASSERT_EQ(ObjectFromLresult(kept, IID_IAccessible, 0, &taken), S_OK);
  EXPECT_EQ(TViewAccessible::Alive, before + 1);
  static_cast<IAccessible*>(taken)->Release();
  EXPECT_EQ(TViewAccessible::Alive, before);
  DisableVirtualClock();
}

TEST_F(TAccessibilityFixture, WindowWithItsOwnObjectHandsItOut)
{
  const int before = TViewAccessible::Alive;
  {
    // Asked directly, as a client does by hand.
    const LRESULT answer = SendMessage(View, WM_GETOBJECT, 0, LPARAM(OBJID_CLIENT));
    ASSERT_GT(answer, 0);
    void* object = nullptr;
    ASSERT_EQ(ObjectFromLresult(answer, IID_IAccessible, 0, &object), S_OK);
    auto own = InterfacePtr<IAccessible>::Adopt(static_cast<IAccessible*>(object));
    EXPECT_EQ(Name(own.Get()), "Barre");
    EXPECT_EQ(Name(own.Get(), 2), "Fermer");

    auto client = FromWindow(View, OBJID_CLIENT);
    ASSERT_TRUE(client);
    EXPECT_EQ(Role(client.Get()), ROLE_SYSTEM_TOOLBAR);
    EXPECT_EQ(TViewAccessible::Alive, before + 2);

    // The window object is the standard one; its child is the view's own.
    auto window = FromWindow(View, OBJID_WINDOW);
    ASSERT_TRUE(window);
    EXPECT_EQ(Role(window.Get()), ROLE_SYSTEM_WINDOW);
    EXPECT_EQ(Name(window.Get()), "Outils");
    auto child = Child(window.Get(), 1);
    ASSERT_TRUE(child);
    EXPECT_EQ(Role(child.Get()), ROLE_SYSTEM_TOOLBAR);

    // And the view's parent leads back to that window object.
    IDispatch* parent = nullptr;
    ASSERT_EQ(client->get_accParent(&parent), S_OK);
    auto parentObject = Supports<IAccessible>(parent);
    parent->Release();
    EXPECT_EQ(Location(parentObject.Get()), ScreenRect(View));
  }
  EXPECT_EQ(TViewAccessible::Alive, before);  // every object freed with its last client
}

TEST_F(TAccessibilityFixture, RefusesMissingWindowsAndObjects)
{
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(AccessibleObjectFromWindow(nullptr, OBJID_WINDOW, IID_IAccessible, &object), E_INVALIDARG);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(AccessibleObjectFromWindow(Form, OBJID_WINDOW, IID_IAccessible, nullptr), E_INVALIDARG);
  EXPECT_EQ(CreateStdAccessibleObject(Form, OBJID_CARET, IID_IAccessible, &object), E_INVALIDARG);
  const GUID other = MakeGUID("{A5C0D7CC-3EC4-4090-A0F8-3D03271877EA}");
  EXPECT_EQ(AccessibleObjectFromWindow(Form, OBJID_CLIENT, other, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
}

TEST(RunTimeBinding, EntryPointsAreFoundByTheirModuleNames)
{
  HMODULE oleacc = LoadLibrary("oleacc.dll");
  ASSERT_NE(oleacc, nullptr);
  EXPECT_EQ(GetProcAddress(oleacc, "LresultFromObject"), reinterpret_cast<FARPROC>(&LresultFromObject));
  EXPECT_EQ(GetProcAddress(oleacc, "AccessibleObjectFromWindow"),
            reinterpret_cast<FARPROC>(&AccessibleObjectFromWindow));
  EXPECT_TRUE(FreeLibrary(oleacc));
  HMODULE user32 = GetModuleHandle("user32.dll");
  ASSERT_NE(user32, nullptr);
  EXPECT_EQ(GetProcAddress(user32, "NotifyWinEvent"), reinterpret_cast<FARPROC>(&NotifyWinEvent));
}
