#include "platform/base/HashedStringList.h"

#include "platform/base/AnsiStrings.h"

std::string THashedStringList::Key(const std::string& S) const
{
  return CaseSensitive() ? S : AnsiUpperCase(S);
}

void THashedStringList::Rebuild(Table& table, bool names) const
{
  table.clear();
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    if (names) {
      std::size_t p = s.find(NameValueSeparator());
      if (p == std::string::npos)
        continue;
      s.resize(p);
    }
    table[Key(s)].push_back(i);
  }
}

int THashedStringList::Lookup(Table& table, bool& valid, bool names, const std::string& S) const
{
  // The keys depend on the case rule and the names on the separator, which
  // can change without a change of the strings.
  if (FHashCaseSensitive != CaseSensitive()) {
    FValueHashValid = FNameHashValid = false;
    FHashCaseSensitive = CaseSensitive();
  }
  if (FHashSeparator != NameValueSeparator()) {
    FNameHashValid = false;
    FHashSeparator = NameValueSeparator();
  }
  if (!valid) {
    Rebuild(table, names);
    valid = true;
  }
  auto found = table.find(Key(S));
  if (found == table.end())
    return -1;
  // Strings sharing a key are confirmed with the list's own comparison, in
  // index order, so the answer is the one a plain search would give.
  for (int i : found->second) {
    std::string s = Get(i);
    if (names)
      s.resize(s.find(NameValueSeparator()));
    if (CompareStrings(s, S) == 0)
      return i;
  }
  return -1;
}

int THashedStringList::IndexOf(const std::string& S) const
{
  return Lookup(FValueHash, FValueHashValid, false, S);
}

int THashedStringList::IndexOfName(const std::string& Name) const
{
  return Lookup(FNameHash, FNameHashValid, true, Name);
}

void THashedStringList::Changed()
{
  FValueHashValid = false;
  FNameHashValid = false;
  TStringList::Changed();
}
