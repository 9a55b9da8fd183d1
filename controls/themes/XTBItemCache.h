// The sizes an extended toolbar remembers of the controls it stretches with
// its dock: one entry per item, with the control's bounds and the dock's
// size when they were taken.
#pragma once

#include <string>

#include "platform/classes/components/Collection.h"
#include "platform/classes/components/CollectionItem.h"
#include "platform/base/Geometry.h"

class TTBCustomItem;

class TXTBItemCache : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;

  // The attached item's name when there is one, else the stored name.
  std::string Name() const;
  void SetName(const std::string& Value) { FName = Value; }
  TTBCustomItem* Item() const { return FItem; }
  void SetItem(TTBCustomItem* Value) { FItem = Value; }
  int Left() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  int Top() const { return FTop; }
  void SetTop(int Value) { FTop = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  // The dock's size when the entry was taken.
  int ParentWidth() const { return FParentWidth; }
  void SetParentWidth(int Value) { FParentWidth = Value; }
  int ParentHeight() const { return FParentHeight; }
  void SetParentHeight(int Value) { FParentHeight = Value; }

  // From another entry: the item and the six sizes (not the stored name).
  void Assign(TPersistent* Source) override;

private:
  std::string FName;
  TTBCustomItem* FItem = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0, FParentWidth = 0, FParentHeight = 0;
};

class TXTBItemCacheCollection : public TCollection {
public:
  TXTBItemCacheCollection();
  TXTBItemCache* Add() { return static_cast<TXTBItemCache*>(TCollection::Add()); }
  // A new entry for Item with R's position and size; answers its index.
  int AddCache(TTBCustomItem* Item, const TRect& R);
  TXTBItemCache* Items(int Index) const { return static_cast<TXTBItemCache*>(TCollection::Items(Index)); }
  // The first entry holding Item; -1 for none or no item.
  int IndexOfItem(TTBCustomItem* Item) const;
};
