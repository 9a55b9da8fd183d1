#include <gtest/gtest.h>

#include "platform/base/base.h"

namespace {

class TSample : public TPersistent {
public:
  int Value = 0;
  void Handler(TObject* sender) { Seen = sender; }
  void Other(TObject*) {}
  TObject* Seen = nullptr;
};

class TOtherSample : public TPersistent {};

}  // namespace

TEST(ObjectModel, ClassNameIsTheBareClassName)
{
  TSample s;
  EXPECT_EQ(s.ClassName(), "TSample");
  EXPECT_TRUE(s.ClassNameIs("tsample"));
  EConvertError e("x");
  EXPECT_EQ(e.ClassName(), "EConvertError");
}

TEST(ObjectModel, AssignWithoutSupportRaisesConvertError)
{
  TSample a;
  TOtherSample b;
  try {
    a.Assign(&b);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Impossible d'affecter TOtherSample à TSample");
  }
}

TEST(ObjectModel, MethodPointersCompareByObjectAndFunction)
{
  TSample a, b;
  TNotifyEvent h1(&a, &TSample::Handler);
  TNotifyEvent h2(&a, &TSample::Handler);
  TNotifyEvent h3(&b, &TSample::Handler);
  TNotifyEvent h4(&a, &TSample::Other);
  EXPECT_TRUE(h1 == h2);
  EXPECT_FALSE(h1 == h3);
  EXPECT_FALSE(h1 == h4);
  EXPECT_FALSE(TNotifyEvent() == h1);
  EXPECT_TRUE(TNotifyEvent() == nullptr);
  h1(&b);
  EXPECT_EQ(a.Seen, &b);
  EXPECT_EQ(h1.Data(), &a);
}

namespace {
enum class TColourKind { ckRed, ckGreen, ckBlue, ckFourth, ckFifth, ckSixth, ckSeventh, ckEighth, ckNinth };
enum TTinyKind { tk3 = 3, tk4, tk5 };
}  // namespace
CORVANE_ENUM_RANGE(TColourKind, 0, 8);
CORVANE_ENUM_RANGE(TTinyKind, 3, 5);

TEST(ObjectModel, SetsUseTheStoredBitLayout)
{
  using S = Set<TColourKind>;
  static_assert(S::Size == 2);
  static_assert(Set<TTinyKind>::Size == 1);
  S s{TColourKind::ckGreen, TColourKind::ckNinth};
  EXPECT_EQ(s.Bytes()[0], 0x02);
  EXPECT_EQ(s.Bytes()[1], 0x01);
  EXPECT_EQ(s.ToInteger(), 0x0102u);
  EXPECT_TRUE(s.Contains(TColourKind::ckNinth));
  EXPECT_FALSE(s.Contains(TColourKind::ckRed));
  // Bits above the range are not elements when a stored integer is read back.
  S t = S::FromInteger(0xFFFF);
  EXPECT_EQ(t.ToInteger(), 0x01FFu);
  EXPECT_TRUE(S{TColourKind::ckGreen} <= s);
  EXPECT_FALSE(s <= S{TColourKind::ckGreen});
  Set<TTinyKind> tiny{tk3, tk5};
  EXPECT_EQ(tiny.Bytes()[0], (1 << 3) | (1 << 5));
}

namespace {
struct ISample : IUnknown {
  static constexpr GUID IID = MakeGUID("{8A1C6E2B-0D4F-4E55-9B3A-1F2E3D4C5B6A}");
  virtual int Answer() = 0;
};
struct IOther : IUnknown {
  static constexpr GUID IID = MakeGUID("{11111111-2222-3333-4444-555555555555}");
  virtual int Other() = 0;
};
int gAlive = 0;
class TSampleObject : public TInterfacedObject<ISample, IOther> {
public:
  TSampleObject() { ++gAlive; }
  ~TSampleObject() override { --gAlive; }
  int Answer() override { return 42; }
  int Other() override { return 7; }
};
}  // namespace

TEST(ObjectModel, InterfacesCountReferencesAndFreeThemselves)
{
  EXPECT_EQ(GUIDToString(ISample::IID), "{8A1C6E2B-0D4F-4E55-9B3A-1F2E3D4C5B6A}");
  GUID parsed;
  ASSERT_TRUE(StringToGUID("{8a1c6e2b-0d4f-4e55-9b3a-1f2e3d4c5b6a}", parsed));
  EXPECT_TRUE(parsed == ISample::IID);
  EXPECT_FALSE(StringToGUID("{8a1c6e2b-0d4f-4e55-9b3a-1f2e3d4c5b6}", parsed));
  {
    InterfacePtr<ISample> a(new TSampleObject);
    EXPECT_EQ(gAlive, 1);
    EXPECT_EQ(a->Answer(), 42);
    auto other = Supports<IOther>(a.Get());
    ASSERT_TRUE(other);
    EXPECT_EQ(other->Other(), 7);
    InterfacePtr<ISample> copy = a;
    a.Reset();
    EXPECT_EQ(gAlive, 1);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(copy->QueryInterface(MakeGUID("{00000000-0000-0000-0000-000000000001}"), &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
  }
  EXPECT_EQ(gAlive, 0);
}

TEST(ObjectModel, CharacterSetsHoldEveryByte)
{
  Set<char> s{'a', '\xE9', '\xFF'};
  EXPECT_TRUE(s.Contains('\xE9'));
  EXPECT_TRUE(s.Contains('\xFF'));
  EXPECT_FALSE(s.Contains('b'));
  EXPECT_EQ(s.Bytes()[0xE9 / 8], 1 << (0xE9 % 8));
}
