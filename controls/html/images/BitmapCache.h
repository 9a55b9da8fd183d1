// The viewer's image cache: TStringBitmapList, a string list keyed by the
// upper-cased, trimmed image name whose objects are TBitmapItem entries
// (owned). An entry counts the document objects that use it and the
// documents that went by without using it; an unused entry is dropped once it
// has missed more documents than the cache's limit.
#pragma once

#include <string>

#include "platform/base/Object.h"
#include "platform/base/StringList.h"
#include "platform/base/Types.h"

class TBitmap;
class TPersistent;

class TBitmapItem : public TObject {
public:
  // Takes ownership of both (Image: a bitmap or a TGIFImage).
  TBitmapItem(TPersistent* AImage, BYTE ATransparency, TBitmap* AMask);
  ~TBitmapItem() override;
  TBitmapItem(const TBitmapItem&) = delete;
  TBitmapItem& operator=(const TBitmapItem&) = delete;

  int AgeCount = 0;
  int UserCount = 0;
  BYTE Transp = 0;  // transparency kind (ImageLoading.h)
  TPersistent* MImage;
  TBitmap* Mask;
};

class TStringBitmapList : public TStringList {
public:
  TStringBitmapList() = default;
  ~TStringBitmapList() override;

  // Adds the key and the entry; an entry's first user is the one adding it.
  // A sorted cache that already holds the key answers that entry's index and
  // does not take AObject (the caller frees it).
  int AddObject(const std::string& S, TObject* AObject) override;
  // Frees every entry, then empties the list.
  void Clear() override;
  // The list's bisection, remembering the last key found until the list or
  // its comparison changes: a page names the same picture again and again,
  // and comparing without case is slow.
  bool Find(const std::string& S, int& Index) const override;
  // Marks the entry used: AgeCount 0, one more user; answers its image.
  TPersistent* UseImage(int I);
  // One user less for the entry of Name (when there is one).
  void ReleaseImage(const std::string& Name);
  // Drops unused entries older than N at once, then keeps N as the limit.
  void SetCacheLimit(int N);
  int CacheLimit() const { return FMaxCache; }
  // One more document: every entry ages; unused ones past the limit go.
  void AgeCache();
  TBitmapItem* Item(int I) const;

  // The key of an image name: upper-cased and trimmed.
  static std::string Key(const std::string& Name);

protected:
  void Changing() override;

private:
  void DeleteEntry(int I);

  int FMaxCache = 4;
  unsigned FGeneration = 0;  // moves on before every change of the list
  struct TLastFound {
    std::string Key;
    int Index = -1;  // -1: nothing remembered
    unsigned Generation = 0;
    bool CaseSensitive = false;
    TDuplicates Duplicates = dupIgnore;
  };
  mutable TLastFound FLastFound;
};
