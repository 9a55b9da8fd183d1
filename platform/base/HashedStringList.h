// THashedStringList: a TStringList whose IndexOf and IndexOfName look strings
// and names up in hash tables. The tables are rebuilt after any change, so
// they always agree with the list.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/StringList.h"

class THashedStringList : public TStringList {
public:
  int IndexOf(const std::string& S) const override;
  int IndexOfName(const std::string& Name) const override;

protected:
  void Changed() override;

private:
  using Table = std::unordered_map<std::string, std::vector<int>>;

  std::string Key(const std::string& S) const;
  void Rebuild(Table& table, bool names) const;
  int Lookup(Table& table, bool& valid, bool names, const std::string& S) const;

  mutable Table FValueHash, FNameHash;
  mutable bool FValueHashValid = false, FNameHashValid = false;
  mutable bool FHashCaseSensitive = false;
  mutable char FHashSeparator = '=';
};
