// The clipboard formats trees render: one process-wide registry of formats
// with the tree class that renders each and its preference, and the list of
// format names each tree enables (ClipboardFormats).
#pragma once

#include <string>
#include <vector>

#include "platform/base/StringList.h"
#include "platform/win/ole/DataObject.h"

class TBaseLazyTree;

// A tree class: its name and the test whether a tree is of it or a descendant.
struct TLazyTreeClass {
  const char* Name = nullptr;
  bool (*Includes)(const TBaseLazyTree* Tree) = nullptr;
};

template <class T>
TLazyTreeClass LazyTreeClassOf(const char* Name)
{
  return {Name, [](const TBaseLazyTree* Tree) { return dynamic_cast<const T*>(Tree) != nullptr; }};
}

// Format names.
inline constexpr const char* CFSTR_LAZYTREE = "Lazy Tree Data";
inline constexpr const char* CFSTR_LTREFERENCE = "Lazy Tree Reference";
inline constexpr const char* CFSTR_HTML = "HTML Format";
inline constexpr const char* CFSTR_RTF = "Rich Text Format";
inline constexpr const char* CFSTR_RTFNOOBJS = "Rich Text Format Without Objects";
inline constexpr const char* CFSTR_CSV = "CSV";

// The identifiers registered at start-up (RegisterTreeClipboardFormats).
extern CLIPFORMAT CF_LAZYTREE, CF_LTREFERENCE, CF_HTML, CF_RTF, CF_RTFNOOBJS, CF_CSV;

struct TClipboardFormatEntry {
  std::string Description;
  TLazyTreeClass TreeClass;
  int Priority = 0;
  FORMATETC FormatEtc;
};

class TClipboardFormatList {
public:
  // Registers Description as a clipboard format and adds an entry for it;
  // answers the format's identifier.
  static CLIPFORMAT RegisterFormat(const std::string& Description, TLazyTreeClass TreeClass, int Priority,
                                   LONG Index = -1, DWORD Aspect = DVASPECT_CONTENT, DVTARGETDEVICE* Device = nullptr,
                                   DWORD Medium = TYMED_HGLOBAL);
  // A standard or already registered format under its own name; nothing for
  // an identifier that is neither.
  static void RegisterKnownFormat(CLIPFORMAT Format, TLazyTreeClass TreeClass, int Priority);
  // The formats a tree offers, by preference: entries of its class or an
  // ancestor whose description AllowedNames holds (all of them without a list).
  static std::vector<FORMATETC> FormatsOf(const TBaseLazyTree* Tree, const TStrings* AllowedNames);
  // The last entry of that description (letter case ignored), or null.
  static const TClipboardFormatEntry* FindFormat(const std::string& Description);
  static const TClipboardFormatEntry* FindFormat(CLIPFORMAT Format);
  static void Clear();
  static const std::vector<TClipboardFormatEntry>& Entries();
};

// The names of the standard formats 1 to 16; empty for others.
std::string StandardFormatName(CLIPFORMAT Format);

// Registers the tree formats once per process.
void RegisterTreeClipboardFormats();

// The format names a tree enables: sorted, duplicates ignored, and only names
// the registry knows for the tree's class.
class TClipboardFormats : public TStringList {
public:
  explicit TClipboardFormats(TBaseLazyTree* Owner);
  using TStringList::Add;
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  TBaseLazyTree* Owner() const { return FOwner; }

private:
  bool Accepts(const std::string& S) const;
  TBaseLazyTree* FOwner;
};
