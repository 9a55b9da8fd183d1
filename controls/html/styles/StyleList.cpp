#include "controls/html/styles/StyleList.h"

#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/StringRoutines.h"

TStyleList::TStyleList(const THtmlFontService& Fonts) : FFonts(Fonts)
{
  SetSorted(true);
  SetDuplicates(dupAccept);
  SetCaseSensitive(true);
}

TStyleList::~TStyleList()
{
  Clear();
}

int TStyleList::CompareStrings(const std::string& S1, const std::string& S2) const
{
  return CompareStr(S1, S2);
}

void TStyleList::Changed()
{
  ForgetCascades();
  TStringList::Changed();
}

void TStyleList::ForgetCascades()
{
  FCascades.clear();
  FRecent.Clear();
}

void TStyleList::EnsureSorted() const
{
  if (!Sorted())
    const_cast<TStyleList*>(this)->SetSorted(true);
}

bool TStyleList::Find(const std::string& S, int& Index) const
{
  EnsureSorted();
  return TStringList::Find(S, Index);
}

std::string TStyleList::Get(int Index) const
{
  EnsureSorted();
  return TStringList::Get(Index);
}

TObject* TStyleList::GetObject(int Index) const
{
  EnsureSorted();
  return TStringList::GetObject(Index);
}

void TStyleList::Clear()
{
  for (int I = 0; I < Count(); ++I) {
    std::unique_ptr<TProperties> Rule(static_cast<TProperties*>(TStringList::GetObject(I)));
    if (FSpareRules.size() < MaxSpareRules)
      FSpareRules.push_back(std::move(Rule));
  }
  // Emptied from the end rather than by TStringList::Clear, which gives its
  // storage back: every load rebuilds the default sheet, and growing the
  // list again costs a run of reallocations of a kilobyte and more.
  BeginUpdate();
  for (int I = Count() - 1; I >= 0; --I)
    TStringList::Delete(I);
  EndUpdate();
  SetSorted(true);
  FFirstRule.clear();
  ForgetCascades();
  FSequence = 10;
  FDefProp = nullptr;
}

TProperties* TStyleList::Rule(int Index) const
{
  return static_cast<TProperties*>(Objects(Index));
}

TProperties* TStyleList::RuleOf(const std::string& Key) const
{
  auto It = FFirstRule.find(Key);
  return It == FFirstRule.end() ? nullptr : It->second;
}

TProperties* TStyleList::AddRule(const std::string& Key)
{
  TProperties* Rule;
  if (FSpareRules.empty()) {
    Rule = new TProperties(FFonts);
  } else {
    Rule = FSpareRules.back().release();
    FSpareRules.pop_back();
    Rule->Reset();
  }
  Rule->PropTag = Key;
  if (Sorted())
    SetSorted(false);  // appended now, sorted when next read by position
  AddObject(Key, Rule);
  FFirstRule.emplace(Key, Rule);
  return Rule;
}

void TStyleList::MergeKey(const std::string& Key, TProperties& Target) const
{
  int Index = 0;
  if (!Find(Key, Index))
    return;
  for (; Index < Count() && Strings(Index) == Key; ++Index)
    Target.Merge(*Rule(Index));
}

void TStyleList::StoreProp(TProperties& Rule, const std::string& Selector, int Index, const std::string& Value)
{
  TColor Color = 0;
  switch (Index) {
  case piColor:
    if (ColorFromString(Value, true, Color)) {
      if (Selector == ":link") {
        ModifyLinkColor("hover", Color);
        ModifyLinkColor("visited", Color);
      } else if (Selector == ":visited") {
        ModifyLinkColor("hover", Color);
      }
      Rule.Props[piColor] = Color;
    }
    break;
  case piBackgroundColor:
    Rule.Props[piBackgroundColor] = ColorFromString(Value, true, Color) ? Color : clNone;
    break;
  case piBorderTopStyle:
  case piBorderRightStyle:
  case piBorderBottomStyle:
  case piBorderLeftStyle:
    if (Value != "none")
      Rule.Props[piBorderStyle] = Value;
    Rule.Props[std::size_t(Index)] = Value;
    break;
  default:
    // border-style, border-color, the side colours and the keyword
    // properties read as a STYLE attribute reads them.
    Rule.Assign(Index, Value);
    break;
  }
  // The kept cascades list the values each rule sets.
  ForgetCascades();
}

bool TStyleList::AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value)
{
  int Index = 0;
  if (!FindPropIndex(PropName, Index))
    return false;
  TProperties* Rule = RuleOf(Selector);
  if (!Rule)
    Rule = AddRule(Selector);
  StoreProp(*Rule, Selector, Index, Value);
  if (Selector.find(":hover") != std::string::npos)
    FLinksActive = true;
  if (Selector == "a")
    AddModifyProp("::link", PropName, Value);
  return true;
}

TProperties* TStyleList::AddDuplicate(const std::string& Key, const TProperties& Props)
{
  TProperties* Rule = AddRule(Key);
  Rule->Copy(Props);
  return Rule;
}

void TStyleList::ModifyLinkColor(const std::string& Pseudo, TColor Color)
{
  if (TProperties* Rule = RuleOf("::" + Pseudo)) {
    Rule->Props[piColor] = Color;
    ForgetCascades();
  }
}

std::string TStyleList::NextSequence()
{
  return std::to_string(FSequence++);
}
