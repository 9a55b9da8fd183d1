// The cascade: which rules of the style sheet an element takes, in which
// order, and the fonts of a link's four states.
#include <memory>
#include <string_view>
#include <vector>

#include "controls/html/styles/PropStack.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleList.h"
#include "controls/html/styles/StyleNumbers.h"

namespace {

// One compound selector: tag.class#id:pseudo.
struct TCompound {
  std::string_view Tag, Class, ID, Pseudo;
};

TCompound SplitCompound(std::string_view S)
{
  TCompound C;
  std::string_view* Part = &C.Tag;
  std::size_t Start = 0;
  for (std::size_t I = 0; I <= S.size(); ++I) {
    if (I < S.size() && S[I] != '.' && S[I] != '#' && S[I] != ':')
      continue;
    *Part = S.substr(Start, I - Start);
    if (I < S.size())
      Part = S[I] == '.' ? &C.Class : S[I] == '#' ? &C.ID : &C.Pseudo;
    Start = I + 1;
  }
  return C;
}

bool PartMatches(std::string_view Part, const std::string& Value)
{
  return Part.empty() || Part == Value;
}

bool Matches(const TCompound& C, const std::string& Tag, const std::string& Class, const std::string& ID,
             const std::string& Pseudo)
{
  return PartMatches(C.Tag, Tag) && PartMatches(C.Class, Class) && PartMatches(C.ID, ID) &&
         PartMatches(C.Pseudo, Pseudo);
}

// The compounds of a key, at most 10: the element's, then its ancestors from
// the nearest (the digits in front of the first ancestor are dropped).
std::vector<TCompound> SplitKey(std::string_view Key)
{
  std::vector<TCompound> Compounds;
  std::size_t Start = 0;
  while (Start < Key.size() && Compounds.size() < 10) {
    std::size_t Blank = Key.find(' ', Start);
    if (Blank == std::string_view::npos)
      Blank = Key.size();
    std::string_view Word = Key.substr(Start, Blank - Start);
    Start = Blank + 1;
    if (Word.empty())
      continue;
    if (Compounds.size() == 1) {
      std::size_t Digits = 0;
      while (Digits < Word.size() && Word[Digits] >= '0' && Word[Digits] <= '9')
        ++Digits;
      Word.remove_prefix(Digits);
    }
    Compounds.push_back(SplitCompound(Word));
  }
  return Compounds;
}

// True when the ancestors of a descendant rule are found, in order, among the
// entries below StackIndex (the bottom entry excepted).
bool AncestorsMatch(const std::vector<TCompound>& Compounds, const TPropStack& Stack, int StackIndex)
{
  int Entry = StackIndex - 1;
  for (std::size_t A = 1; A < Compounds.size(); ++A) {
    bool Found = false;
    while (!Found && Entry >= 1) {
      const TProperties* P = Stack.Items(Entry--);
      Found = Matches(Compounds[A], P->PropTag, P->PropClass, P->PropID, P->PropPseudo);
    }
    if (!Found)
      return false;
  }
  return true;
}


// The rules an element of Tag, AClass, AnID and Pseudo takes whatever its
// ancestors, kept in the list until it changes.
const TStyleList::TCascade& CascadeOf(const TStyleList& Styles, const std::string& Tag, const std::string& AClass,
                                      const std::string& AnID, const std::string& Pseudo)
{
  auto& Recent = Styles.RecentCascades();
  if (const auto* Slot = Recent.Find([&](const TStyleList::TRecentCascade& Kept) {
        return Kept.Tag == Tag && Kept.Class == AClass && Kept.ID == AnID && Kept.Pseudo == Pseudo;
      }))
    return *Slot->Cascade;
  auto Remember = [&](const TStyleList::TCascade& Cascade) -> const TStyleList::TCascade& {
    Recent.Remember({Tag, AClass, AnID, Pseudo, &Cascade});
    return Cascade;
  };

  std::string CacheKey;
  CacheKey.reserve(Tag.size() + AClass.size() + AnID.size() + Pseudo.size() + 3);
  CacheKey.append(Tag).append(1, '\1').append(AClass).append(1, '\1').append(AnID).append(1, '\1').append(Pseudo);
  auto& Cache = Styles.Cascades();
  if (auto It = Cache.find(CacheKey); It != Cache.end())
    return Remember(It->second);

  TStyleList::TCascade Cascade;
  auto Take = [&](const std::string& Key) {
    int Index = 0;
    if (!Styles.Find(Key, Index))
      return;
    for (; Index < Styles.Count() && Styles.Strings(Index) == Key; ++Index)
      Cascade.Own.push_back({Styles.Rule(Index), Styles.Rule(Index)->MergedIndexes()});
  };
  // "hover" and "visited" take only their own pseudo-class rules; a plain
  // element (or a link) takes the rules of its tag and class as well.
  const bool Plain = Pseudo.empty() || (Pseudo != "hover" && Pseudo != "visited");
  if (Tag == "a" && !Pseudo.empty())
    Take("::" + Pseudo);
  if (Plain)
    Take(Tag);
  if (!Pseudo.empty())
    Take(":" + Pseudo);
  if (Plain && !AClass.empty()) {
    Take("." + AClass);
    Take(Tag + "." + AClass);
  }
  if (!Pseudo.empty())
    Take(Tag + ":" + Pseudo);
  if (!AClass.empty() && !Pseudo.empty()) {
    Take("." + AClass + ":" + Pseudo);
    Take(Tag + "." + AClass + ":" + Pseudo);
  }
  if (!AnID.empty()) {
    Take("#" + AnID);
    Take(Tag + "#" + AnID);
    if (!AClass.empty())
      Take("." + AClass + "#" + AnID);
    if (!Pseudo.empty()) {
      Take("#" + AnID + ":" + Pseudo);
      Take(Tag + "#" + AnID + ":" + Pseudo);
    }
    if (!AClass.empty())
      Take(Tag + "." + AClass + "#" + AnID);
    if (!AClass.empty() && !Pseudo.empty()) {
      Take("." + AClass + "#" + AnID + ":" + Pseudo);
      Take(Tag + "." + AClass + "#" + AnID + ":" + Pseudo);
    }
  }

  // Descendant rules, in three runs of keys: those that start with the tag,
  // with the class and with the pseudo-class.
  std::string Prefixes[3] = {Tag, AClass.empty() ? std::string() : "." + AClass,
                             Pseudo.empty() ? std::string() : ":" + Pseudo};
  for (const std::string& Prefix : Prefixes) {
    if (Prefix.empty())
      continue;
    int Index = 0;
    Styles.Find(Prefix, Index);
    for (; Index < Styles.Count(); ++Index) {
      std::string Key = Styles.Strings(Index);
      if (Key.compare(0, Prefix.size(), Prefix) != 0)
        break;
      const TCompound First = SplitCompound(std::string_view(Key).substr(0, Key.find(' ')));
      if (First.Tag != Tag && First.Pseudo != Pseudo && First.Class != AClass)
        break;
      if (Key.find(' ') == std::string::npos || !Matches(First, Tag, AClass, AnID, Pseudo))
        continue;
      if (SplitKey(Key).size() > 1)
        Cascade.Descendants.emplace_back(Styles.Rule(Index), std::move(Key));
    }
  }
  // Built apart and stored last: the searches above may sort the list, which
  // empties the cache.
  return Remember(Cache.emplace(std::move(CacheKey), std::move(Cascade)).first->second);
}

}  // namespace

bool TProperties::Merges(int Index, const TPropValue& V)
{
  // A box value left IntNull, as every rule starts, is not taken.
  if (V.IsEmpty())
    return false;
  return !(Index >= piMarginTop && Index <= piLeft && !(V.IsString() || (V.IsNumber() && V.AsInteger() != IntNull)));
}

std::vector<unsigned char> TProperties::MergedIndexes() const
{
  std::vector<unsigned char> Indexes;
  for (int I = 0; I < PropCount; ++I)
    if (Merges(I, Props[std::size_t(I)]))
      Indexes.push_back((unsigned char)I);
  return Indexes;
}

void TProperties::Merge(const TProperties& Rule)
{
  for (int I = 0; I < PropCount; ++I)
    if (Merges(I, Rule.Props[std::size_t(I)]))
      MergeValue(I, Rule.Props[std::size_t(I)]);
}

void TProperties::Merge(const TProperties& Rule, const std::vector<unsigned char>& Indexes)
{
  for (unsigned char I : Indexes)
    MergeValue(I, Rule.Props[I]);
}

void TProperties::MergeValue(int I, const TPropValue& V)
{
  switch (I) {
  case piFontFamily:
  case piFontSize:
  case piFontStyle:
  case piFontWeight:
  case piTextDecoration:
  case piLetterSpacing:
  case piColor:
  case piBackgroundColor:
    Props[std::size_t(I)] = V;
    ExplicitFlags[std::size_t(I)] = true;
    if (FHasFontInfo && FFontInfo)
      for (int L = 0; L < 4; ++L) {
        ThtFontInfo& Info = FFontInfo->Ar(L);
        const std::string& S = V.AsString();
        switch (I) {
        case piFontFamily:
          ReadFontName(FFonts, S, Info.Name);
          break;
        case piFontSize:
          Info.Size = V.IsNumber() ? BoundFontPoints(V.AsDouble())
                                   : FontSizeConv(S, Info.Size, FFonts.PixelsPerInch());
          break;
        case piFontStyle:
          if (S == "italic" || S == "oblique")
            Info.Style += fsItalic;
          else if (S == "normal")
            Info.Style -= fsItalic;
          break;
        case piFontWeight: {
          double W = 0;
          if (S.find("bold") != std::string::npos)
            Info.Style += fsBold;
          else if (S.find("normal") != std::string::npos)
            Info.Style -= fsBold;
          else if ((V.IsNumber() ? (W = V.AsDouble(), true) : ReadNumber(S, W)) && W >= 600)
            Info.Style += fsBold;
          break;
        }
        case piTextDecoration:
          if (S == "underline")
            Info.Style += fsUnderline;
          else if (S == "line-through")
            Info.Style += fsStrikeOut;
          else if (S == "none")
            Info.Style -= TFontStyles{fsUnderline, fsStrikeOut};
          break;
        case piLetterSpacing:
          Info.LetterSpacing = V;
          break;
        case piColor:
          Info.Color = V.AsInteger();
          break;
        default:
          Info.bgColor = V.AsInteger();
          break;
        }
      }
    break;
  default:
    Props[std::size_t(I)] = V;
    break;
  }
}

void TProperties::Combine(TStyleList* Styles, const std::string& Tag, const std::string& AClass,
                          const std::string& AnID, const std::string& Pseudo, const std::string& ATitle,
                          TProperties* AProp, TPropStack* Stack, int StackIndex)
{
  const TPropValue& Size = Props[piFontSize];
  const double BaseSize = Size.IsNumber() && Size.AsDouble() > 0 ? Size.AsDouble() : DefPointSize();
  if (Styles) {
    const TStyleList::TCascade& Cascade = CascadeOf(*Styles, Tag, AClass, AnID, Pseudo);
    for (const auto& [Rule, Indexes] : Cascade.Own)
      Merge(*Rule, Indexes);
    if (Stack)
      for (const auto& [Rule, Key] : Cascade.Descendants)
        if (AncestorsMatch(SplitKey(Key), *Stack, StackIndex))
          Merge(*Rule);
  }
  if (AProp && AProp != FOwnStyle.get()) {
    auto Copy = std::make_unique<TProperties>(FFonts);
    Copy->Copy(*AProp);
    FOwnStyle = std::move(Copy);
  } else if (!AProp) {
    FOwnStyle.reset();
  }
  if (FOwnStyle)
    Merge(*FOwnStyle);
  if (Props[piFontSize].IsString())
    Props[piFontSize] = FontSizeConv(Props[piFontSize].AsString(), BaseSize, FFonts.PixelsPerInch());
  PropTag = Tag;
  PropClass = AClass;
  PropID = AnID;
  PropPseudo = Pseudo;
  PropStyle = FOwnStyle.get();
  if (!ATitle.empty())
    PropTitle = ATitle;
  if (Pseudo == "link") {
    if (!FFontInfo)
      FFontInfo = std::make_unique<TFontInfoArray>();
    ComputeLinkFonts(Styles, Stack, StackIndex);
    FHasFontInfo = true;
  }
}

void TProperties::ComputeLinkFonts(TStyleList* Styles, TPropStack* Stack, int StackIndex)
{
  if (!FFontInfo)
    FFontInfo = std::make_unique<TFontInfoArray>();
  SetFontBG();
  GetFontInfo(FFontInfo->Ar(TFontInfoArray::LFont));

  // A temporary entry above this one, inherited from Parent and combined for
  // the pseudo-class; it stands on the stack while it is combined, so that
  // descendant rules see the link as its parent.
  const bool OnStack = Stack && StackIndex >= 0 && StackIndex < Stack->Count() && Stack->Items(StackIndex) == this;
  auto Temporary = [&](const TProperties& Parent, int At, const std::string& Pseudo) {
    auto* Entry = new TProperties(FFonts);
    if (OnStack)
      Stack->Insert(At, Entry);
    Entry->Inherit(Parent);
    Entry->Combine(Styles, PropTag, PropClass, PropID, Pseudo, PropTitle, PropStyle, OnStack ? Stack : nullptr, At);
    Entry->SetFontBG();
    return Entry;
  };
  auto Remove = [&](TProperties* Entry) {
    if (OnStack)
      Stack->Remove(Entry);
    delete Entry;
  };

  TProperties* Visited = Temporary(*this, StackIndex + 1, "visited");
  Visited->GetFontInfo(FFontInfo->Ar(TFontInfoArray::VFont));
  TProperties* VisitedHover = Temporary(*Visited, StackIndex + 2, "hover");
  VisitedHover->GetFontInfo(FFontInfo->Ar(TFontInfoArray::HVFont));
  Remove(VisitedHover);
  Remove(Visited);
  TProperties* Hover = Temporary(*this, StackIndex + 1, "hover");
  Hover->GetFontInfo(FFontInfo->Ar(TFontInfoArray::HLFont));
  Remove(Hover);
}
