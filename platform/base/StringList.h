// TStringList: the string list that stores its strings and objects. Sorted
// lists keep their order on Add and answer IndexOf by bisection (Find);
// Duplicates decides what adding an existing string does (dupIgnore answers
// the existing index, dupError raises EStringListError "Doublons non autorisés
// dans cette liste"). CaseSensitive chooses AnsiCompareStr or AnsiCompareText.
// OnChanging and OnChange frame every change made outside BeginUpdate and
// EndUpdate (and the update as a whole).
#pragma once

#include <vector>

#include "platform/base/Method.h"
#include "platform/base/Strings.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Answers <0, 0 or >0 as the string at Index1 sorts before, with or after the one at Index2.
using TStringListSortCompare = int (*)(TStringList* List, int Index1, int Index2);

class TStringList : public TStrings {
public:
  using TStrings::Add;
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  // Bisection of a sorted list: true when found, with Index at the first equal
  // string; otherwise Index is where S would go.
  virtual bool Find(const std::string& S, int& Index) const;
  int IndexOf(const std::string& S) const override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare Compare);
  void SetCapacity(int NewCapacity) override;

  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  std::string Get(int Index) const override;
  int GetCapacity() const override { return int(FList.capacity()); }
  int GetCount() const override { return int(FList.size()); }
  // Sized once and filled in place: a viewer reloads a whole conversation
  // through this on every message.
  std::string GetTextStr() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject);

private:
  struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
  };

  static int DefaultCompare(TStringList* List, int Index1, int Index2);
  void CheckIndex(int Index) const;
  void ExchangeItems(int Index1, int Index2);
  void QuickSort(int L, int R, TStringListSortCompare Compare);
  int AddChecked(const std::string& S, TObject* AObject);

  std::vector<TStringItem> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
};
