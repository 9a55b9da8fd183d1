#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/components/Component.h"
#include "platform/classes/components/OwnedCollection.h"

namespace {

class TColumn : public TCollectionItem {
public:
  std::string Text;
  void SetText(const std::string& v)
  {
    Text = v;
    Changed(false);
  }
  void Assign(TPersistent* Source) override
  {
    if (auto* c = dynamic_cast<TColumn*>(Source))
      SetText(c->Text);
    else
      TCollectionItem::Assign(Source);
  }

protected:
  std::string GetDisplayName() const override { return Text.empty() ? TCollectionItem::GetDisplayName() : Text; }
};

// Records Update (the item, or "*" for the whole collection) and Notify.
class TColumns : public TOwnedCollection {
public:
  explicit TColumns(TPersistent* owner) : TOwnedCollection(owner, CollectionItemClass<TColumn>()) { SetPropName("Columns"); }
  std::vector<std::string> Log;
  TColumn* Column(int i) const { return static_cast<TColumn*>(Items(i)); }

protected:
  void Update(TCollectionItem* Item) override
  {
    Log.push_back(Item ? "update " + static_cast<TColumn*>(Item)->Text : "update *");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override
  {
    static const char* names[] = {"added", "extracting", "deleting"};
    // An item freed on its own is no longer a TColumn by the time it is announced.
    auto* column = dynamic_cast<TColumn*>(Item);
    Log.push_back(std::string(names[Action]) + " " + (column ? column->Text : "#" + std::to_string(Item->ID())));
  }
};

}  // namespace

TEST(CollectionTest, NotificationsAndUpdateLock)
{
  TComponent tree(nullptr);
  tree.SetName("Tree1");
  TColumns columns(&tree);
  auto* a = static_cast<TColumn*>(columns.Add());
  a->SetText("A");
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"added ", "update *", "update A"}));

  columns.Log.clear();
  columns.BeginUpdate();
  static_cast<TColumn*>(columns.Add())->SetText("B");
  static_cast<TColumn*>(columns.Add())->SetText("C");
  columns.Delete(0);
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"added ", "added ", "deleting A", "extracting A"}));
  columns.EndUpdate();
  EXPECT_EQ(columns.Log.back(), "update *");
  EXPECT_EQ(columns.Count(), 2);

  columns.Log.clear();
  delete columns.Items(0);  // an item freed on its own leaves the collection
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"extracting #1", "update *"}));
  EXPECT_EQ(columns.Count(), 1);
  EXPECT_THROW(columns.Items(1), EListError);
}

TEST(CollectionTest, IndexMovesInsertionsIdsAndNamePaths)
{
  TComponent tree(nullptr);
  tree.SetName("Tree1");
  TColumns columns(&tree);
  for (const char* t : {"A", "B", "C", "D"})
    static_cast<TColumn*>(columns.Add())->SetText(t);
  auto order = [&] {
    std::string s;
    for (int i = 0; i < columns.Count(); ++i)
      s += columns.Column(i)->Text;
    return s;
  };
  columns.Log.clear();
  columns.Column(0)->SetIndex(2);
  EXPECT_EQ(order(), "BCAD");
  EXPECT_EQ(columns.Log, std::vector<std::string>{"update *"});  // a move changes the whole order
  columns.Column(3)->SetIndex(0);
  EXPECT_EQ(order(), "DBCA");
  EXPECT_THROW(columns.Column(0)->SetIndex(4), EListError);
  static_cast<TColumn*>(columns.Insert(1))->SetText("E");
  EXPECT_EQ(order(), "DEBCA");
  EXPECT_THROW(columns.Insert(7), EListError);

  // IDs are never reused, also after a deletion.
  int idOfE = columns.Column(1)->ID();
  EXPECT_EQ(idOfE, 4);
  columns.Delete(1);
  EXPECT_EQ(static_cast<TColumn*>(columns.Add())->ID(), 5);
  EXPECT_EQ(columns.FindItemID(idOfE), nullptr);
  EXPECT_EQ(columns.FindItemID(3), columns.Column(0));

  EXPECT_EQ(columns.Column(1)->GetNamePath(), "Tree1.Columns[1]");
  EXPECT_EQ(columns.Column(1)->DisplayName(), "B");
  EXPECT_EQ(columns.Column(4)->DisplayName(), "TColumn");
}

TEST(CollectionTest, AssignCopiesItemsOfAnotherCollection)
{
  TColumns source(nullptr), dest(nullptr);
  for (const char* t : {"X", "Y"})
    static_cast<TColumn*>(source.Add())->SetText(t);
  static_cast<TColumn*>(dest.Add())->SetText("old");
  dest.Log.clear();
  dest.Assign(&source);
  ASSERT_EQ(dest.Count(), 2);
  EXPECT_EQ(dest.Column(1)->Text, "Y");
  EXPECT_EQ(dest.Log.back(), "update *");
}
