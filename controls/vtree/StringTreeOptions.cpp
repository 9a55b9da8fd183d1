#include "controls/vtree/StringTreeOptions.h"

#include "controls/vtree/LazyStringTree.h"

TCustomStringTreeOptions::TCustomStringTreeOptions(TCustomLazyStringTree* Owner)
    : TCustomLazyTreeOptions(Owner), FStringOwner(Owner)
{
}

void TCustomStringTreeOptions::SetStringOptions(TLTStringOptions Value)
{
  if (Value == FStringOptions)
    return;
  bool staticChanged = Value.Contains(toShowStaticText) != FStringOptions.Contains(toShowStaticText);
  FStringOptions = Value;
  if (staticChanged && FStringOwner && !FStringOwner->ComponentState().Contains(csLoading) &&
      FStringOwner->HandleAllocated())
    FStringOwner->Invalidate();
}

void TCustomStringTreeOptions::Assign(const TCustomLazyTreeOptions& Source)
{
  if (auto* strings = dynamic_cast<const TCustomStringTreeOptions*>(&Source))
    SetStringOptions(strings->FStringOptions);
  TCustomLazyTreeOptions::Assign(Source);
}

void TCustomStringTreeOptions::ReadLegacyStringOptions(const std::vector<std::string>& Names)
{
  TLTStringOptions options;
  for (const std::string& name : Names) {
    if (name == "toSaveCaptions")
      options += toSaveCaptions;
    else if (name == "toShowStaticText")
      options += toShowStaticText;
  }
  SetStringOptions(options);
}
