// The attributes of the tag just read: TAttribute for one of them, and
// TAttributeList, which owns them and the property set of the tag's STYLE
// attribute.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/html/parser/Symbols.h"
#include "controls/html/text/FreeList.h"

class THtmlFontService;
class TProperties;
class TStringList;

class TAttribute : public TObject {
public:
  TAttribute(Symb Sy, std::string Name, int Value, std::string Text)
      : Which(Sy), WhichName(std::move(Name)), Value(Value), Name(std::move(Text))
  {
  }

  Symb Which;             // the attribute's symbol, or OtherAttribute
  std::string WhichName;  // the attribute's name as read, upper-cased
  int Value;              // the numeric value (1 for a bare BORDER)
  std::string Name;       // the text value, entities decoded
};

class TAttributeList : public TFreeList {
public:
  TAttributeList();
  ~TAttributeList() override;

  // Forgets the remembered ID and empties the list; the STYLE set stays
  // until it is replaced or the list is freed.
  void Clear() override;
  // A new attribute at the end of the list, its fields to be filled by the
  // caller. Every tag of a document fills the list again, so the objects
  // that Clear took out are used again, string buffers and all.
  TAttribute& AddAttribute();
  // The first attribute with symbol Sy, or null.
  TAttribute* Find(Symb Sy) const;
  TAttribute* Items(int Index) const { return static_cast<TAttribute*>(TFreeList::Items(Index)); }

  // A new string list of "NAME=value" lines; the caller owns it.
  std::unique_ptr<TStringList> CreateStringList() const;
  // CLASS lower-cased, or empty.
  std::string TheClass() const;
  // ID lower-cased (the first ID of the tag), remembered until Clear; empty without ID.
  std::string TheID();
  // TITLE as written, or empty.
  std::string TheTitle() const;
  // The property set read from STYLE (replacing the previous one), owned by
  // the list, its fonts realised with Fonts; null when the tag has no STYLE.
  TProperties* TheStyle(const THtmlFontService& Fonts);

private:
  std::string FTheID;
  bool FHaveID = false;
  std::unique_ptr<TProperties> FStyle;
  std::vector<std::unique_ptr<TAttribute>> FSpare;
};
