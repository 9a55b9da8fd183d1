#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/List.h"
#include "platform/base/ObjectList.h"

namespace {

// Records every notification.
class TRecordingList : public TList {
public:
  ~TRecordingList() override { Clear(); }
  std::vector<std::pair<void*, TListNotification>> Log;

protected:
  void Notify(void* Ptr, TListNotification Action) override { Log.emplace_back(Ptr, Action); }
};

// Counts its destructions.
class TCounted : public TObject {
public:
  explicit TCounted(int& counter) : FCounter(counter) {}
  ~TCounted() override { ++FCounter; }

private:
  int& FCounter;
};

int a, b, c, d;

int CompareInts(void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); }

}  // namespace

TEST(List, BadIndexesRaiseListErrorsNamingTheIndex)
{
  TList list;
  list.Add(&a);
  auto message = [&](auto call) {
    try {
      call();
    } catch (const EListError& e) {
      return e.Message();
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message([&] { list.Items(1); }), "Indice de liste hors limites (1)");
  EXPECT_EQ(message([&] { list.Delete(-1); }), "Indice de liste hors limites (-1)");
  EXPECT_EQ(message([&] { list.Insert(2, &b); }), "Indice de liste hors limites (2)");
  EXPECT_EQ(message([&] { list.Exchange(0, 5); }), "Indice de liste hors limites (5)");
  EXPECT_EQ(message([&] { list.Move(0, 1); }), "Indice de liste hors limites (1)");
  EXPECT_THROW(list.SetCount(-1), EListError);
  EXPECT_THROW(list.SetCapacity(0), EListError);  // below the count
  TList empty;
  EXPECT_EQ(message([&] { empty.First(); }), "Indice de liste hors limites (0)");
  EXPECT_EQ(message([&] { empty.Last(); }), "Indice de liste hors limites (-1)");
}

TEST(List, EditingKeepsOrder)
{
  TList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(1, &c);  // a c b
  list.Add(nullptr);
  list.Add(&d);  // a c b nil d
  EXPECT_EQ(list.IndexOf(&b), 2);
  EXPECT_EQ(list.IndexOf(&d), 4);
  list.Pack();  // a c b d
  EXPECT_EQ(list.Count(), 4);
  list.Move(0, 3);  // c b d a
  list.Exchange(0, 1);  // b c d a
  EXPECT_EQ((std::vector<void*>{list[0], list[1], list[2], list[3]}), (std::vector<void*>{&b, &c, &d, &a}));
  EXPECT_EQ(list.Remove(&d), 2);
  EXPECT_EQ(list.Remove(&d), -1);
  EXPECT_EQ(list.First(), &b);
  EXPECT_EQ(list.Last(), &a);
  list.SetCount(5);  // grows with nil
  EXPECT_EQ(list.Items(4), nullptr);
  EXPECT_GE(list.Capacity(), 5);
}

TEST(List, SortIsStableWithTheCompareFunction)
{
  int values[] = {3, 1, 2, 1};
  TList list;
  for (int& v : values)
    list.Add(&v);
  list.Sort(CompareInts);
  EXPECT_EQ((std::vector<void*>{list[0], list[1], list[2], list[3]}),
            (std::vector<void*>{&values[1], &values[3], &values[2], &values[0]}));
}

TEST(List, NotifiesAddedExtractedAndDeleted)
{
  TRecordingList list;
  list.Add(&a);
  list.Add(nullptr);  // nil is never announced
  list.Insert(0, &b);
  list.SetItems(0, &c);  // b leaves, c comes
  EXPECT_EQ(list.Extract(&a), &a);
  EXPECT_EQ(list.Extract(&d), nullptr);
  list.Delete(0);
  list.Add(&d);
  list.Clear();
  using N = std::pair<void*, TListNotification>;
  EXPECT_EQ(list.Log, (std::vector<N>{{&a, lnAdded}, {&b, lnAdded}, {&b, lnDeleted}, {&c, lnAdded},
                                      {&a, lnExtracted}, {&c, lnDeleted}, {&d, lnAdded}, {&d, lnDeleted}}));
}

TEST(ObjectList, FreesWhatItOwnsButNotWhatItHandsBack)
{
  int freed = 0;
  auto* kept = new TCounted(freed);
  {
    TObjectList list;
    list.Add(new TCounted(freed));
    list.Add(new TCounted(freed));
    list.Add(kept);
    list.Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(list.Extract(kept), kept);
    list.SetItems(0, new TCounted(freed));  // the replaced object goes
    EXPECT_EQ(freed, 2);
  }
  EXPECT_EQ(freed, 3);  // the last one went with the list
  {
    TObjectList borrowed(false);
    borrowed.Add(kept);
    borrowed.Clear();
  }
  EXPECT_EQ(freed, 3);
  delete kept;
}
