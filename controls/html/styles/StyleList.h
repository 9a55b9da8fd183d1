// TStyleList: the style sheet of one document, a sorted list of selector keys
// (duplicates accepted), each owning the TProperties of its declarations.
//
// Keys are lower case: a compound key tag.class#id:pseudo of the parts that
// exist; "::link", "::visited" and "::hover" for links in those states;
// descendant keys with their last compound first, then a blank, a run of
// digits (the ancestor count and a sequence number, which keep keys apart and
// are ignored in matching) and the ancestors from the nearest to the
// farthest, each followed by a blank; and "default" and "null". Keys sort in
// byte order, so that every key that starts with a given text is found in one
// run after it. New rules are appended and the list is sorted when it is next
// read by position, so that a large sheet costs n log n and not n squared.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "controls/html/RecentRing.h"
#include "controls/html/styles/CssParser.h"
#include "platform/base/StringList.h"
#include "platform/base/Types.h"

class THtmlFontService;
class TProperties;

class TStyleList : public TStringList, public TCssSink {
public:
  // The rules' fonts and lengths are realised with Fonts, which outlives the list.
  explicit TStyleList(const THtmlFontService& Fonts);
  ~TStyleList() override;

  // Removes every rule; the sequence counter goes back to 10.
  void Clear() override;

  // Sets the named property of the rule for Selector (made when missing);
  // false when PropName is none of the 55 names. Declarations for "a" also go
  // to "::link", and a selector with ":hover" turns LinksActive on.
  bool AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value) override;
  // A new rule under Key with a copy of Props' values.
  TProperties* AddDuplicate(const std::string& Key, const TProperties& Props);
  // The colour of the rule "::" + Pseudo, when there is one.
  void ModifyLinkColor(const std::string& Pseudo, TColor Color);
  // The running number as decimal text; taking it advances it.
  std::string NextSequence() override;

  // Rebuilds the default rules of a document from the viewer's defaults.
  void StyleDefaultSheet(const std::string& FontName, const std::string& PreFontName, int MarginWidth,
                         int MarginHeight, int CharSet, bool LinkUnderline, TColor OverColor, TColor VisitedColor,
                         TColor HotSpotColor, TColor FontColor, double FontSize);

  const THtmlFontService& Fonts() const { return FFonts; }
  TProperties* Rule(int Index) const;
  // The first rule with exactly Key, or null.
  TProperties* RuleOf(const std::string& Key) const;
  // The "default" rule, once the default sheet is built.
  TProperties* DefProp() const { return FDefProp; }
  // A rule selected ":hover": links are to show a hover state.
  bool LinksActive() const { return FLinksActive; }
  void SetLinksActive(bool Value) { FLinksActive = Value; }

  // Merges every rule with exactly Key into Target, in list order.
  void MergeKey(const std::string& Key, TProperties& Target) const;

  bool Find(const std::string& S, int& Index) const override;

  // What the cascade takes for one element whatever its ancestors: the rules
  // of its own keys in merging order, and the descendant rules whose last
  // compound it matches (with their keys, for the ancestor check). Worked out
  // once per tag, class, id and pseudo-class and kept until a rule is added
  // or changed through the list or the list is cleared, since every element
  // would otherwise search the sorted keys a dozen times. Each own rule comes
  // with the indexes of the values it sets (see TProperties::MergedIndexes):
  // a rule sets a few of the 55.
  struct TOwnRule {
    const TProperties* Rule;
    std::vector<unsigned char> Indexes;
  };
  struct TCascade {
    std::vector<TOwnRule> Own;
    std::vector<std::pair<const TProperties*, std::string>> Descendants;
  };
  std::unordered_map<std::string, TCascade>& Cascades() const { return FCascades; }
  // The cascades last looked up, by the element's four names, checked before
  // the map: a document's elements mostly repeat a handful of kinds, and
  // comparing four short names costs less than making and hashing a key.
  struct TRecentCascade {
    std::string Tag, Class, ID, Pseudo;
    const TCascade* Cascade = nullptr;
  };
  using TRecentCascades = TRecentRing<TRecentCascade, 4>;
  TRecentCascades& RecentCascades() const { return FRecent; }

protected:
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  // Any change of the keys or rules makes the kept cascades stale.
  void Changed() override;
  std::string Get(int Index) const override;
  // Read through Get, which sorts first.
  std::string GetTextStr() const override { return TStrings::GetTextStr(); }
  TObject* GetObject(int Index) const override;

private:
  // Sorting changes no rule, only the order in which positions see them.
  void EnsureSorted() const;
  // Drops the kept cascades and the recent ones pointing into them.
  void ForgetCascades();
  TProperties* AddRule(const std::string& Key);
  void StoreProp(TProperties& Rule, const std::string& Selector, int Index, const std::string& Value);

  const THtmlFontService& FFonts;
  std::unordered_map<std::string, TProperties*> FFirstRule;  // by key, for lookups while rules come in
  mutable std::unordered_map<std::string, TCascade> FCascades;
  mutable TRecentCascades FRecent;
  int FSequence = 10;
  TProperties* FDefProp = nullptr;
  bool FLinksActive = false;
  // Rules of a cleared sheet, reset and handed out again by AddRule: every
  // load rebuilds the default sheet, and its rules are large allocations.
  std::vector<std::unique_ptr<TProperties>> FSpareRules;
  static constexpr std::size_t MaxSpareRules = 256;
};
