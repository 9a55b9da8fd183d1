#include <gtest/gtest.h>

#include "controls/toolbar/TBCommon.h"

TEST(TBCommon, MenuShowDelayFromRegistryText)
{
  const std::string tooLong(33, '1');
  struct Case {
    bool exists, isString;
    const char* text;
    int expected;
  } cases[] = {
      {false, false, "", 400}, {true, true, "abc", 0}, {true, true, "-5", 0},
      {true, true, "250", 250}, {true, false, "250", 0}, {true, true, tooLong.c_str(), 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MenuShowDelayFromRegistryText(c.exists, c.isString, c.text), c.expected) << c.text;
}

TEST(TBCommon, AccelMarks)
{
  EXPECT_EQ(AccelCharOf("&File"), U'F');
  EXPECT_EQ(AccelCharOf("a&&b&x"), U'x');
  EXPECT_EQ(AccelCharOf("a&&b"), 0u);
  EXPECT_EQ(AccelCharOf("&\xC3\x89" "diter"), U'\u00C9');
  EXPECT_EQ(AccelCharOf("trailing&"), 0u);
  EXPECT_EQ(RemoveAccelMarks("&&A&b"), "&Ab");
  EXPECT_EQ(DoubleAmpersands("a&b"), "a&&b");
}

TEST(TBCommon, TrimEllipsisOrColon)
{
  EXPECT_EQ(TrimEllipsisOrColon("Options..."), "Options");
  EXPECT_EQ(TrimEllipsisOrColon("Name:"), "Name");
  EXPECT_EQ(TrimEllipsisOrColon(":"), ":");
  EXPECT_EQ(TrimEllipsisOrColon("..."), "...");
  EXPECT_EQ(TrimEllipsisOrColon("a...:"), "a...");
}

TEST(TBCommon, DivideAwayFromZero)
{
  EXPECT_EQ(DivideAwayFromZero(26, 3), 9);
  EXPECT_EQ(DivideAwayFromZero(-26, 3), -9);
  EXPECT_EQ(DivideAwayFromZero(27, 3), 9);
  EXPECT_EQ(DivideAwayFromZero(0, 3), 0);
}

TEST(TBCommon, SortListKeepsTheOrderOfEqualKeys)
{
  struct Entry {
    int key, id;
  } entries[] = {{2, 0}, {1, 1}, {2, 2}, {1, 3}, {2, 4}};
  TList list;
  for (Entry& e : entries)
    list.Add(&e);
  auto compare = [](void* a, void* b, void*) { return static_cast<Entry*>(a)->key - static_cast<Entry*>(b)->key; };
  SortList(&list, compare, nullptr);
  int ids[5];
  for (int i = 0; i < 5; ++i)
    ids[i] = static_cast<Entry*>(list[i])->id;
  EXPECT_EQ(std::vector<int>(ids, ids + 5), (std::vector<int>{1, 3, 0, 2, 4}));
}

TEST(TBCommon, ListHelpers)
{
  TList* list = nullptr;
  int a = 0, b = 0;
  EXPECT_TRUE(AddToListOnce(list, &a));
  EXPECT_FALSE(AddToListOnce(list, &a));
  EXPECT_TRUE(InsertAtFrontOnce(list, &b));
  EXPECT_EQ(list->Items(0), &b);
  RemoveFromListAndFree(list, &a);
  RemoveFromListAndFree(list, &b);
  EXPECT_EQ(list, nullptr);
}
