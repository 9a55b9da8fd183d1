#include "platform/classes/actions/ShortCutList.h"

#include <cstdint>

void TShortCutList::InsertItem(int Index, const std::string& S, TObject*)
{
  // The shortcut travels in the object slot, as the list's users read it.
  TStringList::InsertItem(Index, S, reinterpret_cast<TObject*>(std::uintptr_t(TextToShortCut(S))));
}

TShortCut TShortCutList::ShortCuts(int Index) const
{
  return TShortCut(reinterpret_cast<std::uintptr_t>(Objects(Index)));
}

int TShortCutList::IndexOfShortCut(TShortCut ShortCut) const
{
  for (int i = 0; i < Count(); ++i)
    if (ShortCuts(i) == ShortCut)
      return i;
  return -1;
}
