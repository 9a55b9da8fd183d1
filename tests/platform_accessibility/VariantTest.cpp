// Strings and variants: lengths that count, copies that own, references that balance.
#include <cstring>

#include "AccessibilityTestSupport.h"

TEST(Bstr, LengthIsTheStoredCountNotTheFirstZero)
{
  const char16_t text[] = {u'a', 0, u'b'};
  BSTR s = SysAllocStringLen(text, 3);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 3u);
  EXPECT_EQ(s[2], u'b');
  EXPECT_EQ(s[3], 0);  // always ends with a zero
  SysFreeString(s);

  BSTR zeroed = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(SysStringLen(zeroed), 4u);
  EXPECT_EQ(std::memcmp(zeroed, u"\0\0\0\0", 8), 0);
  SysFreeString(zeroed);

  BSTR plain = SysAllocString(u"Envoyer");
  EXPECT_EQ(SysStringLen(plain), 7u);
  SysFreeString(plain);

  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFF), nullptr);  // beyond what the count holds
  SysFreeString(nullptr);
}

TEST(Variant, CopyOwnsItsStringAndClearFreesIt)
{
  VARIANT source;
  source.vt = VT_BSTR;
  source.bstrVal = SysAllocString(u"Gras");
  VARIANT copy;
  copy.vt = VT_I4;
  copy.lVal = 7;
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  EXPECT_EQ(VariantClear(&source), S_OK);
  EXPECT_EQ(source.vt, VT_EMPTY);
  EXPECT_EQ(TakeText(copy.bstrVal), "Gras");  // still readable after the source went
}

TEST(Variant, ObjectReferencesBalance)
{
  const int before = TViewAccessible::Alive;
  auto* object = new TViewAccessible(nullptr);
  object->AddRef();
  VARIANT held;
  held.vt = VT_DISPATCH;
  held.pdispVal = object;
  VARIANT copy;
  ASSERT_EQ(VariantCopy(&copy, &held), S_OK);
  EXPECT_EQ(object->RefCount(), 2);
  EXPECT_EQ(VariantCopy(&copy, &copy), S_OK);  // onto itself: nothing changes
  EXPECT_EQ(object->RefCount(), 2);
  VariantClear(&copy);
  EXPECT_EQ(TViewAccessible::Alive, before + 1);
  VariantClear(&held);
  EXPECT_EQ(TViewAccessible::Alive, before);
}

TEST(Variant, UnknownKindIsRefusedAndLeftAlone)
{
  VARIANT odd;
  odd.vt = 0x2003;  // an array of VT_I4: not carried here
  VARIANT target;
  EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
  EXPECT_EQ(odd.vt, 0x2003);
  EXPECT_EQ(VariantCopy(&target, &odd), DISP_E_BADVARTYPE);
  EXPECT_EQ(target.vt, VT_EMPTY);
}

TEST(Dispatch, AnswersIDispatchAndNotImplementedMembers)
{
  const int before = TViewAccessible::Alive;
  InterfacePtr<IAccessible> object(new TViewAccessible(nullptr));
  auto dispatch = Supports<IDispatch>(object.Get());
  ASSERT_TRUE(dispatch);
  EXPECT_EQ(dispatch.Get(), static_cast<IDispatch*>(object.Get()));
  UINT count = 5;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(count, 0u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_IUnknown, nullptr, 0, 0, nullptr), E_NOTIMPL);
  EXPECT_EQ(dispatch->Invoke(0, IID_IUnknown, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  dispatch.Reset();
  object.Reset();
  EXPECT_EQ(TViewAccessible::Alive, before);
}
