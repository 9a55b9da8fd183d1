#include <gtest/gtest.h>

#include "controls/html/images/BitmapCache.h"
#include "platform/classes/graphics/Bitmap.h"

namespace {

int Add(TStringBitmapList& Cache, const std::string& Name)
{
  return Cache.AddObject(TStringBitmapList::Key(Name), new TBitmapItem(new TBitmap, 0, nullptr));
}

}  // namespace

TEST(ImagesCacheTest, AnUnusedEntrySurvivesItsLimitOfDocuments)
{
  TStringBitmapList cache;
  cache.SetSorted(true);
  cache.SetCacheLimit(5);
  Add(cache, "a.gif");
  cache.ReleaseImage("A.GIF");  // its one user went
  for (int i = 0; i < 5; ++i)
    cache.AgeCache();
  EXPECT_EQ(cache.Count(), 1);
  cache.AgeCache();
  EXPECT_EQ(cache.Count(), 0);
}

TEST(ImagesCacheTest, EntriesInUseStay)
{
  TStringBitmapList cache;
  cache.SetCacheLimit(0);
  const int i = Add(cache, "b.png");
  EXPECT_EQ(cache.Item(i)->UserCount, 1);
  cache.UseImage(i);  // a second IMG element
  cache.ReleaseImage("B.PNG");
  for (int n = 0; n < 10; ++n)
    cache.AgeCache();
  ASSERT_EQ(cache.Count(), 1);
  cache.ReleaseImage("B.PNG");
  cache.AgeCache();
  EXPECT_EQ(cache.Count(), 0);
}

TEST(ImagesCacheTest, LoweringTheLimitDropsOlderUnusedEntriesAtOnce)
{
  TStringBitmapList cache;
  cache.SetCacheLimit(5);
  Add(cache, "old");
  Add(cache, "fresh");
  Add(cache, "used");
  cache.ReleaseImage("OLD");
  cache.ReleaseImage("FRESH");
  cache.AgeCache();
  const int fresh = cache.IndexOf("FRESH");
  cache.Item(fresh)->AgeCount = 0;
  cache.SetCacheLimit(0);
  EXPECT_EQ(cache.IndexOf("OLD"), -1);
  EXPECT_GE(cache.IndexOf("FRESH"), 0);  // AgeCount 0 is not above 0
  EXPECT_GE(cache.IndexOf("USED"), 0);
  EXPECT_EQ(cache.CacheLimit(), 0);
}

TEST(ImagesCacheTest, NamesDifferingInCaseOrBlanksShareAnEntry)
{
  EXPECT_EQ(TStringBitmapList::Key(" a.gif "), TStringBitmapList::Key("A.GIF"));
  TStringBitmapList cache;
  cache.SetSorted(true);
  Add(cache, " a.gif ");
  const int found = cache.IndexOf(TStringBitmapList::Key("A.GIF"));
  ASSERT_GE(found, 0);
  TPersistent* image = cache.UseImage(found);
  EXPECT_EQ(image, cache.Item(found)->MImage);
  EXPECT_EQ(cache.Item(found)->UserCount, 2);
  EXPECT_EQ(cache.Item(found)->AgeCount, 0);

  // The same key again: the entry there stays, the new one is not taken.
  auto* second = new TBitmapItem(new TBitmap, 0, nullptr);
  EXPECT_EQ(cache.AddObject(TStringBitmapList::Key("A.gif"), second), found);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(second->UserCount, 0);
  delete second;
}

// A key found again answers where the entry is now: entries added before it,
// removed, the whole cache emptied, or the comparison made case-sensitive.
TEST(ImagesCacheTest, AKeyFoundAgainFollowsTheChangesOfTheCache)
{
  TStringBitmapList cache;
  cache.SetSorted(true);
  Add(cache, "c.gif");
  int index = -1;
  ASSERT_TRUE(cache.Find("C.GIF", index));
  EXPECT_EQ(index, 0);
  ASSERT_TRUE(cache.Find("C.GIF", index));
  EXPECT_EQ(index, 0);
  Add(cache, "a.gif");
  ASSERT_TRUE(cache.Find("C.GIF", index));
  EXPECT_EQ(index, 1);
  TBitmapItem* gone = cache.Item(0);
  cache.Delete(0);
  delete gone;
  ASSERT_TRUE(cache.Find("C.GIF", index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(cache.Find("c.gif", index));
  cache.SetCaseSensitive(true);
  EXPECT_FALSE(cache.Find("c.gif", index));
  EXPECT_TRUE(cache.Find("C.GIF", index));
  cache.Clear();
  EXPECT_FALSE(cache.Find("C.GIF", index));
  EXPECT_EQ(cache.IndexOf("C.GIF"), -1);
}
