#include <gtest/gtest.h>

#include <algorithm>

#include "SampleTypes.h"
#include "controls/utility/RtMime.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/storage/UtMemoryAppStorage.h"

namespace {

// An in-memory store that counts the string reads and keeps the defaults it
// was asked with.
class TCountingStorage : public TUtMemoryAppStorage {
public:
  std::string ReadStringRaw(const std::string& Path, const std::string& Default) override
  {
    ++StringReads;
    LastDefault = Default;
    return TUtMemoryAppStorage::ReadStringRaw(Path, Default);
  }
  int StringReads = 0;
  std::string LastDefault;
};

std::string Stored(const TUtMemoryAppStorage& store, const std::string& fullPath)
{
  auto found = store.Values().find(fullPath);
  return found == store.Values().end() ? "<none>" : found->second;
}

}  // namespace

TEST(UtAppStorage, JoinPathsNormalises)
{
  struct Case {
    std::vector<std::string> paths;
    const char* joined;
  } cases[] = {
      {{}, ""},
      {{"\\"}, ""},
      {{"..", "a"}, "a"},
      {{"Forms\\Main", "..\\Other", "Size"}, "Forms\\Other\\Size"},
      {{"Forms", "\\Abs\\x"}, "Abs\\x"},
      {{"\\Abs", "x"}, "Abs\\x"},
      {{"a\\b\\c", "..."}, "a"},
      {{"a\\b", "....", "c"}, "c"},
      {{"a\\\\b\\", "\\\\"}, ""},
      {{"a\\.\\b"}, "a\\b"},
      {{"Forms\\Main", "Width"}, "Forms\\Main\\Width"},
      {{"MiXed\\Case"}, "MiXed\\Case"},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const auto& p : c.paths)
      shown += "[" + p + "]";
    EXPECT_EQ(TUtCustomAppStorage::JoinPaths(c.paths), c.joined) << shown;
  }
}

TEST(UtAppStorage, SubStoragesTakeThePathsBelowTheLongestRoot)
{
  TUtMemoryAppStorage main, a, ab;
  // A root below an existing one is refused, so the deeper one comes first.
  main.SubStorages()->Add("A\\B", &ab);
  main.SubStorages()->Add("A", &a);
  struct Case {
    const char* path;
    TUtMemoryAppStorage* store;
    const char* key;
  } cases[] = {
      {"A\\B\\C", &ab, "C"},      {"A\\B", &a, "B"},       {"A", &main, "A"},       {"a\\x", &a, "x"},
      {"\\A\\b\\c\\d", &ab, "c\\d"}, {"Other\\y", &main, "Other\\y"}, {"AB\\z", &main, "AB\\z"},
  };
  int value = 0;
  for (const Case& c : cases) {
    main.WriteInteger(c.path, ++value);
    EXPECT_EQ(Stored(*c.store, c.key), std::to_string(value)) << c.path;
    EXPECT_EQ(main.ReadInteger(c.path, -1), value) << c.path;
    std::string target;
    TUtCustomAppStorage* store = nullptr;
    main.ResolveStoragePath(c.path, target, store);
    EXPECT_EQ(store, c.store) << c.path;
    EXPECT_EQ(target, std::string("\\") + c.key) << c.path;
  }
  EXPECT_EQ(main.SubStorages()->Items(0)->DisplayName(), "\\A\\B=");
  ab.SetName("Inner");
  EXPECT_EQ(main.SubStorages()->Items(0)->DisplayName(), "\\A\\B=Inner");
  EXPECT_EQ(main.SubStorages()->Add()->DisplayName(), "TUtAppSubStorage");
}

TEST(UtAppStorage, RootsMustBeUnique)
{
  TUtMemoryAppStorage main, other;
  main.SubStorages()->Add("A", &other);
  main.SubStorages()->Add("X\\Y", &other);
  struct Case {
    const char* root;
    const char* error;  // null when accepted
  } cases[] = {
      {"a", "'a' is not a unique root path"},
      {"A\\B\\C", "'A\\B\\C' is not a unique root path"},
      {"\\x\\y\\", "'x\\y' is not a unique root path"},
      {"X", nullptr},  // above another root
      {"B", nullptr},
  };
  for (const Case& c : cases) {
    TUtAppSubStorage* item = main.SubStorages()->Add();
    try {
      item->SetRootPath(c.root);
      EXPECT_EQ(c.error, nullptr) << c.root;
      EXPECT_EQ(item->RootPath(), TUtCustomAppStorage::JoinPaths({c.root}));
    } catch (const EAppStorageError& e) {
      ASSERT_NE(c.error, nullptr) << c.root;
      EXPECT_EQ(e.Message(), c.error);
    }
    main.SubStorages()->Delete(item->Index());
  }
  // Setting the root an item already has changes nothing.
  EXPECT_NO_THROW(main.SubStorages()->Items(0)->SetRootPath("A"));
}

TEST(UtAppStorage, CircularStoragesAreRefused)
{
  TUtMemoryAppStorage top, middle, bottom;
  top.SubStorages()->Add("M", &middle);
  middle.SubStorages()->Add("B", &bottom);
  for (TUtMemoryAppStorage* store : {&top, &middle}) {
    try {
      bottom.SubStorages()->Add("Loop", store);
      ADD_FAILURE();
    } catch (const EAppStorageError& e) {
      EXPECT_EQ(e.Message(), "Circular reference of storages");
    }
  }
  EXPECT_THROW(top.SubStorages()->Add("Self", &top), EAppStorageError);
  EXPECT_EQ(bottom.SubStorages()->Count(), 0);
  EXPECT_EQ(top.SubStorages()->Count(), 1);
}

TEST(UtAppStorage, AStoreThatGoesAwayLeavesNoItemBehind)
{
  TUtMemoryAppStorage main, kept;
  auto doomed = std::make_unique<TUtMemoryAppStorage>();
  main.SubStorages()->Add("A", doomed.get());
  main.SubStorages()->Add("B", &kept);
  main.SubStorages()->Add("C", doomed.get());
  // Dropping one of the two items that use the store keeps the other watched.
  main.SubStorages()->Delete(0);
  doomed.reset();
  ASSERT_EQ(main.SubStorages()->Count(), 1);
  EXPECT_EQ(main.SubStorages()->Items(0)->RootPath(), "B");
  main.WriteString("C\\x", "here");
  EXPECT_EQ(Stored(main, "C\\x"), "here");

  // The owner going first leaves the other store with nothing to call back.
  auto owner = std::make_unique<TUtMemoryAppStorage>();
  owner->SubStorages()->Add("K", &kept);
  owner.reset();
  TUtMemoryAppStorage other;
  other.SubStorages()->Add("K", &kept);
}

TEST(UtAppStorage, BooleanStringOptions)
{
  TUtMemoryAppStorage store;
  TUtCustomAppStorageOptions* o = store.StorageOptions();
  EXPECT_EQ(o->FirstTrueString(), "TRUE");
  EXPECT_EQ(o->FirstFalseString(), "FALSE");
  EXPECT_TRUE(o->BooleanAsString());
  o->SetBooleanStringTrueValues(" , OUI");
  EXPECT_FALSE(o->BooleanAsString());
  o->SetBooleanAsString(true);  // refused while the first true string is empty
  EXPECT_FALSE(o->BooleanAsString());
  o->SetBooleanStringTrueValues(" Oui , O");
  o->SetBooleanAsString(true);
  EXPECT_TRUE(o->BooleanAsString());
  EXPECT_EQ(o->FirstTrueString(), "Oui");
  EXPECT_TRUE(o->IsTrueString("oUI"));
  EXPECT_TRUE(o->IsInValueList("a b", "\"A B\", c"));
  EXPECT_FALSE(o->IsInValueList("a", "\"A B\", c"));

  TUtAppStorageOptions copy;
  copy.SetFloatAsString(true);
  store.SetStorageOptions(&copy);
  EXPECT_TRUE(store.StorageOptions()->FloatAsString());
  EXPECT_EQ(store.StorageOptions()->FirstTrueString(), "TRUE");  // all ten values copied
}

TEST(UtAppStorage, MissingValuesGiveTheDefaultWithoutAsking)
{
  TCountingStorage store;
  EXPECT_EQ(store.ReadString("Nothing\\Here", "dflt"), "dflt");
  EXPECT_EQ(store.StringReads, 0);
  store.StorageOptions()->SetDefaultIfValueNotExists(false);
  store.EnablePropertyValueCrypt();
  store.OnEncryptPropertyValue = TUtAppStorageCryptEvent(+[](std::string& v) { v = "<" + v + ">"; });
  // Without a decrypt event the encrypted default comes back as it was stored.
  EXPECT_EQ(store.ReadString("Nothing\\Here", "dflt"), Base64Encode("<dflt>"));
  EXPECT_EQ(store.StringReads, 1);
  EXPECT_EQ(store.LastDefault, Base64Encode("<dflt>"));
}

TEST(UtAppStorage, BooleansReadFromEitherForm)
{
  struct Case {
    const char* stored;
    bool expected;
  } cases[] = {
      {"yes", true}, {"YES", true}, {"Y", true}, {"true", true}, {"n", false},
      {"False", false}, {"7", true}, {"0", false}, {"-1", true},
  };
  TUtMemoryAppStorage store;
  for (const Case& c : cases) {
    store.WriteString("Flag", c.stored);
    EXPECT_EQ(store.ReadBooleanValue("Flag", !c.expected), c.expected) << c.stored;
  }
  store.WriteString("Flag", "peut-être");
  EXPECT_THROW(store.ReadBooleanValue("Flag", true), EConvertError);
  store.StorageOptions()->SetDefaultIfReadConvertError(true);
  EXPECT_TRUE(store.ReadBooleanValue("Flag", true));
  EXPECT_FALSE(store.ReadBooleanValue("Flag", false));

  store.WriteBooleanValue("Written", true);
  EXPECT_EQ(Stored(store, "Written"), "TRUE");
  store.StorageOptions()->SetBooleanAsString(false);
  store.WriteBooleanValue("Written", false);
  EXPECT_EQ(Stored(store, "Written"), "0");
}

TEST(UtAppStorage, EnumerationsByNameNumberAndRange)
{
  TUtMemoryAppStorage store;
  store.WriteEnum("State", cbGrayed);
  EXPECT_EQ(Stored(store, "State"), "cbGrayed");
  store.StorageOptions()->SetEnumerationAsString(false);
  store.WriteEnum("State", cbChecked);
  EXPECT_EQ(Stored(store, "State"), "1");

  struct Case {
    const char* stored;
    TCheckBoxState expected;
  } cases[] = {
      {"CBCHECKED", cbChecked}, {"cbgrayed", cbGrayed}, {"2", cbGrayed}, {"0", cbUnchecked},
  };
  for (const Case& c : cases) {
    store.WriteString("State", c.stored);
    EXPECT_EQ(store.ReadEnum("State", cbUnchecked), c.expected) << c.stored;
  }
  EXPECT_EQ(store.ReadEnum("Missing", cbGrayed), cbGrayed);

  // Numbers outside the type and unknown names are conversion errors, never a
  // value the enumeration cannot hold.
  for (const char* bad : {"3", "-1", "255", "cbMaybe"}) {
    store.StorageOptions()->SetDefaultIfReadConvertError(false);
    store.WriteString("State", bad);
    EXPECT_THROW(store.ReadEnum("State", cbChecked), EConvertError) << bad;
    store.StorageOptions()->SetDefaultIfReadConvertError(true);
    EXPECT_EQ(store.ReadEnum("State", cbChecked), cbChecked) << bad;
  }
  EXPECT_THROW(store.WriteEnum("State", TCheckBoxState(5)), ERangeError);

  // The Boolean type goes through the boolean forms.
  store.WriteEnum("Visible", true);
  EXPECT_EQ(Stored(store, "Visible"), "TRUE");
  EXPECT_TRUE(store.ReadEnum("Visible", false));
}

TEST(UtAppStorage, ByteBooleanTypesAndIntegerIdentifiers)
{
  TUtMemoryAppStorage store;
  auto byteBool = NewEnumType("ByteBool", "", {"False", "True"}, otUByte);
  auto byteBoolRange = NewSubrangeType("ByteBool", byteBool.get(), 0, 1);
  byteBool->Data.MinValue = -128;  // a boolean type's base starts below zero
  std::uint8_t value = 0xFF, def = 0;
  store.WriteEnumerationValue("B", byteBoolRange.get(), &value);
  EXPECT_EQ(Stored(store, "B"), "TRUE");
  value = 0;
  store.ReadEnumerationValue("B", byteBoolRange.get(), &def, &value);
  EXPECT_EQ(value, 1);

  auto colour = NewOrdinalType(tkInteger, "TColour", otSLong, -2147483647 - 1, 2147483647);
  RegisterIntegerIdents(
      colour.get(),
      [](std::int32_t v, std::string& ident) {
        ident = "clRed";
        return v == 0xFF;
      },
      [](const std::string& ident, std::int32_t& v) {
        v = 0xFF;
        return ident == "clRed";
      });
  std::int32_t c = 0xFF, cdef = 0x123;
  store.WriteEnumerationValue("Colour", colour.get(), &c);
  EXPECT_EQ(Stored(store, "Colour"), "clRed");
  c = 0x00FF00;
  store.WriteEnumerationValue("Green", colour.get(), &c);
  EXPECT_EQ(Stored(store, "Green"), "65280");
  c = 0;
  store.ReadEnumerationValue("Colour", colour.get(), &cdef, &c);
  EXPECT_EQ(c, 0xFF);
  store.ReadEnumerationValue("Green", colour.get(), &cdef, &c);
  EXPECT_EQ(c, 0x00FF00);
  EXPECT_FALSE(store.StorageOptions()->DefaultIfReadConvertError());  // restored after the lookup

  // A float is no ordinal: the store refuses it.
  double d = 1;
  try {
    store.WriteEnumerationValue("F", TypeInfo<double>(), &d);
    ADD_FAILURE();
  } catch (const EAppStorageError& e) {
    EXPECT_EQ(e.Message(), "Invalid type");
  }
}

TEST(UtAppStorage, SetsElementByElementOrAsText)
{
  TUtMemoryAppStorage store;
  store.WriteSet("Opts", TLetters{ltA, ltC});
  EXPECT_EQ(Stored(store, "Opts\\ltA"), "TRUE");
  EXPECT_EQ(Stored(store, "Opts\\ltB"), "FALSE");
  EXPECT_EQ(Stored(store, "Opts\\ltE"), "FALSE");
  EXPECT_TRUE(store.ReadSet("Opts", TLetters{ltE}) == (TLetters{ltA, ltC}));

  store.StorageOptions()->SetSetAsString(true);
  store.WriteSet("Text", TLetters{ltB, ltC, ltD});
  EXPECT_EQ(Stored(store, "Text"), "[ltB, ltC, ltD]");
  EXPECT_TRUE(store.ReadSet("Text", TLetters{}) == (TLetters{ltB, ltC, ltD}));
  EXPECT_TRUE(store.ReadSet("Absent", TLetters{ltE}) == TLetters{ltE});
  // The folder form is read whatever the option says.
  EXPECT_TRUE(store.ReadSet("Opts", TLetters{}) == (TLetters{ltA, ltC}));

  store.WriteString("Text", "[ltA, ltZ]");
  EXPECT_THROW(store.ReadSet("Text", TLetters{}), ERtRTTI);

  auto small = NewOrdinalType(tkInteger, "TSmall", otUByte, 0, 15);
  auto smallSet = NewSetType("TSmallSet", small.get());
  std::uint8_t value[2] = {}, def[2] = {};
  store.WriteString("Small", "[3, 300]");
  EXPECT_THROW(store.ReadSetValue("Small", smallSet.get(), def, value), ERtRTTI);
  store.StorageOptions()->SetSetAsString(false);
  value[0] = 0x09;  // 0 and 3
  store.WriteSetValue("Ints", smallSet.get(), value);
  EXPECT_EQ(Stored(store, "Ints\\Int_3"), "TRUE");
  EXPECT_EQ(Stored(store, "Ints\\Int_15"), "FALSE");
  value[0] = 0;
  store.ReadSetValue("Ints", smallSet.get(), def, value);
  EXPECT_EQ(value[0], 0x09);
}

TEST(UtAppStorage, CharacterSetElementNames)
{
  TUtMemoryAppStorage store;
  store.WriteSet("Chars", TCharSet{'a', '\\', '~'});
  std::vector<std::string> names;
  store.EnumValuesRaw("Chars", names);
  EXPECT_EQ(names.size(), 256u);
  for (const char* name : {"Char#0", "Char#32", "Char_!", "Char_z", "Char#123", "Char#255", "Char#92", "Char_["})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  EXPECT_EQ(std::find(names.begin(), names.end(), "Char_"), names.end());
  EXPECT_EQ(Stored(store, "Chars\\Char_a"), "TRUE");
  EXPECT_EQ(Stored(store, "Chars\\Char#92"), "TRUE");
  EXPECT_EQ(Stored(store, "Chars\\Char#126"), "TRUE");
  EXPECT_EQ(Stored(store, "Chars\\Char_b"), "FALSE");
  EXPECT_TRUE(store.ReadSet("Chars", TCharSet{}) == (TCharSet{'a', '\\', '~'}));
}

TEST(UtAppStorage, FloatsDatesAndBinaryBlocks)
{
  TUtMemoryAppStorage store;
  store.WriteFloatValue("Native", 0.1);
  EXPECT_EQ(Stored(store, "Native"), "0.1");
  EXPECT_DOUBLE_EQ(store.ReadFloatValue("Native", 0), 0.1);
  store.WriteString("Comma", "1,5");
  EXPECT_DOUBLE_EQ(store.ReadFloatValue("Comma", 0), 1.5);
  store.WriteString("Bad", "abc");
  EXPECT_THROW(store.ReadFloatValue("Bad", 2), EConvertError);
  store.StorageOptions()->SetDefaultIfReadConvertError(true);
  EXPECT_DOUBLE_EQ(store.ReadFloatValue("Bad", 2), 2);

  TDateTime when = 46365.4375;  // 9 December 2026, 10:30
  store.WriteDateTimeValue("When", when);
  EXPECT_EQ(Stored(store, "When"), "2026-12-09 10:30:00.000");
  EXPECT_NEAR(store.ReadDateTimeValue("When", 0), when, 1e-9);
  store.StorageOptions()->SetDateTimeAsString(false);
  store.WriteDateTimeValue("Raw", when);
  EXPECT_NEAR(store.ReadDateTimeValue("Raw", 0), when, 1e-12);
  EXPECT_NEAR(store.ReadDateTimeValue("When", 0), when, 1e-9);  // the text form as a fallback

  // Settings written in the French locale's forms before still read.
  store.StorageOptions()->SetDateTimeAsString(true);
  struct TFrench {
    const char* Text;
    double Value;
  } french[] = {{"09/12/2026 10:30:00", when}, {"9/12/2026 10:30", when}, {"09/12/2026", 46365.0}};
  for (const TFrench& f : french) {
    store.WriteString("Fr", f.Text);
    EXPECT_NEAR(store.ReadDateTimeValue("Fr", 0), f.Value, 1e-9) << f.Text;
  }
  store.WriteString("Fr", "-2,5E-5");
  EXPECT_DOUBLE_EQ(store.ReadFloatValue("Fr", 0), -2.5e-5);
  store.StorageOptions()->SetDefaultIfReadConvertError(false);
  for (const char* bad : {"31/02/2026", "09/12/26", "09/12/2026 25:00", "2026-12-09 10", "09/12/2026x"}) {
    store.WriteString("Fr", bad);
    EXPECT_THROW(store.ReadDateTimeValue("Fr", 0), EConvertError) << bad;
  }

  const std::uint8_t bytes[] = {0x00, 0xFF, 0x10};
  store.WriteBinaryValue("Blob", bytes, 3);
  EXPECT_EQ(Stored(store, "Blob"), "00FF10");
  std::uint8_t back[8] = {};
  EXPECT_EQ(store.ReadBinaryValue("Blob", back, 2), 2);
  EXPECT_EQ(back[1], 0xFF);
  EXPECT_EQ(back[2], 0);
}

TEST(UtAppStorage, CryptedValuesTravelAsBase64)
{
  TUtMemoryAppStorage store;
  auto reverse = +[](std::string& v) { std::reverse(v.begin(), v.end()); };
  store.OnEncryptPropertyValue = TUtAppStorageCryptEvent(reverse);
  store.OnDecryptPropertyValue = TUtAppStorageCryptEvent(reverse);
  store.WriteString("Plain", "secret");
  EXPECT_EQ(Stored(store, "Plain"), "secret");  // the level is 0
  store.EnablePropertyValueCrypt();
  store.WriteString("Hidden", "secret");
  EXPECT_EQ(Stored(store, "Hidden"), Base64Encode("terces"));
  EXPECT_EQ(store.ReadString("Hidden", ""), "secret");
  store.DisablePropertyValueCrypt();
  EXPECT_EQ(store.ReadString("Hidden", ""), Base64Encode("terces"));
}

TEST(UtAppStorage, FoldersValuesAndTrees)
{
  TUtMemoryAppStorage store;
  store.SetRootPath("Corvane");
  store.WriteInteger("Forms\\Main\\Left", 10);
  store.WriteInteger("Forms\\Main\\Top", 20);
  store.WriteInteger("Forms\\Chat\\Left", 30);
  store.WriteInteger("Version", 2);
  EXPECT_EQ(Stored(store, "Corvane\\Forms\\Main\\Left"), "10");
  EXPECT_TRUE(store.IsFolder("Forms"));
  EXPECT_FALSE(store.IsFolder("forms\\MAIN"));  // values keep their case
  EXPECT_FALSE(store.IsFolder("Forms\\Main\\Left"));
  EXPECT_TRUE(store.ValueExists("Forms\\Main\\Left"));
  EXPECT_FALSE(store.ValueExists("Forms\\Main"));
  std::vector<std::string> names;
  store.EnumFoldersRaw("Forms", names);
  EXPECT_EQ(names, (std::vector<std::string>{"Chat", "Main"}));
  store.EnumValuesRaw("", names);
  EXPECT_EQ(names, (std::vector<std::string>{"Version"}));
  store.DeleteTree("Forms\\Main");
  EXPECT_FALSE(store.IsFolder("Forms\\Main"));
  EXPECT_TRUE(store.ValueExists("Forms\\Chat\\Left"));
  EXPECT_EQ(store.Values().size(), 2u);
}
