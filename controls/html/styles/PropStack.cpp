#include "controls/html/styles/PropStack.h"

TProperties* TPropStack::Push(const std::string& Tag, const std::string& AClass, const std::string& AnID,
                              const std::string& Pseudo, const std::string& ATitle, TProperties* AProp)
{
  if (Count() > MaxDepth)
    DeleteAndFree(1);
  const TProperties* Parent = Count() > 0 ? Last() : nullptr;
  TProperties* Entry;
  if (FSpare.empty()) {
    Entry = new TProperties(FFonts);
    Entry->SetFontMemo(&FFontMemo);
    if (Parent)
      Entry->Inherit(*Parent);
  } else {
    Entry = FSpare.back().release();
    FSpare.pop_back();
    if (Parent)
      Entry->ResetAndInherit(*Parent);
    else
      Entry->Reset();
  }
  Add(Entry);
  Entry->Combine(Styles, Tag, AClass, AnID, Pseudo, ATitle, AProp, this, Count() - 1);
  return Entry;
}

void TPropStack::Pop()
{
  if (Count() <= 1)
    return;
  FSpare.emplace_back(Last());
  Delete(Count() - 1);
}

void TPropStack::PopAName(const std::string& Tag)
{
  int Index = Count() - 1;
  while (Index >= 1 && Items(Index)->PropTag != Tag)
    --Index;
  if (Index < 1)
    return;
  TProperties* Entry = Items(Index);
  if (Entry->HasBorderStyle() && OnEndInlineBox)
    OnEndInlineBox(Entry);
  Delete(Index);
  FSpare.emplace_back(Entry);
  // Every entry that was above the removed one inherits again, from the
  // lowest upward; when the removed entry stood right above the base, the
  // entries above it keep the values they have.
  if (Index == 1)
    return;
  for (int I = Index; I < Count(); ++I)
    Items(I)->Update(*Items(I - 1), Styles, this, I);
}
