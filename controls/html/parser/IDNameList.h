// The document's named places: the names given by ID and A NAME, each with an
// object that can tell its vertical position in the laid-out document.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/base/StringList.h"

// What a laid-out document answers about a character position.
class TPositionLookup {
public:
  virtual ~TPositionLookup() = default;
  // The y of the character at Position, 0 when no object holds it.
  virtual int PositionY(int Position) = 0;
};

// An object of the name list: it knows where it is.
class TIDObject : public TObject {
public:
  virtual int YPosition() = 0;
};

// A named character position.
class TChPosObj : public TIDObject {
public:
  TChPosObj(TPositionLookup* Document, int ChPos) : FDocument(Document), FChPos(ChPos) {}
  int YPosition() override { return FDocument ? FDocument->PositionY(FChPos) : 0; }
  int ChPos() const { return FChPos; }

private:
  TPositionLookup* FDocument;
  int FChPos;
};

// Sorted names (without case), each with its object. The list frees the
// TChPosObj objects it made for ID attributes and anchors; objects that
// registered themselves (images, form controls, blocks) belong to the
// document. Names are appended and sorted when the list is next read by
// position, so that a document with many names costs n log n.
class TIDNameList : public TStringList {
public:
  explicit TIDNameList(TPositionLookup* Document);
  ~TIDNameList() override;

  void Clear() override;
  void Delete(int Index) override;
  // Adds Name with Object; an entry already under Name gives way to it (its
  // TChPosObj freed).
  int AddObject(const std::string& Name, TObject* Object) override;
  void AddChPosObject(const std::string& Name, int Position);
  TIDObject* IDObject(int Index) const { return static_cast<TIDObject*>(Objects(Index)); }
  bool Find(const std::string& S, int& Index) const override;

protected:
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  std::string Get(int Index) const override;
  // Read through Get, which sorts first.
  std::string GetTextStr() const override { return TStrings::GetTextStr(); }
  TObject* GetObject(int Index) const override;

private:
  void EnsureSorted() const;
  void Reindex() const;

  TPositionLookup* FDocument;
  // The position of each name (lower-cased) in the list as it stands.
  mutable std::unordered_map<std::string, int> FPositions;
};
