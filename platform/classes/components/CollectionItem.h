// TCollectionItem: one item of a TCollection. An item belongs to at most one
// collection; freeing it takes it out. (An item freed directly is announced
// while its destructor runs: the collection's Notify may compare the pointer
// but not use the item as its own class. Delete and Clear take items out
// before freeing them.)
#pragma once

#include <string>

#include "platform/base/Persistent.h"
#include "platform/classes/Forward.h"

class TCollectionItem : public TPersistent {
public:
  // With a collection, the item is added to it at once.
  explicit TCollectionItem(TCollection* Collection = nullptr);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (null: out of any).
  virtual void SetCollection(TCollection* Value);
  // A number unique in the collection for its lifetime, never reused.
  int ID() const { return FID; }
  // The position in the collection (-1 outside one); setting it moves the item.
  int Index() const;
  virtual void SetIndex(int Value);
  std::string DisplayName() const { return GetDisplayName(); }
  virtual void SetDisplayName(const std::string& Value);

  std::string GetNamePath() const override;
  TPersistent* GetOwner() const override;

protected:
  // The class name unless a descendant has a better text.
  virtual std::string GetDisplayName() const;
  // Tells the collection: AllItems for a change of order or of several items.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};
