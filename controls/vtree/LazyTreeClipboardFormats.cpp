#include "controls/vtree/LazyTreeClipboardFormats.h"

#include <algorithm>
#include <mutex>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyStringTree.h"
#include "platform/win/window/Clipboard.h"

CLIPFORMAT CF_LAZYTREE = 0, CF_LTREFERENCE = 0, CF_HTML = 0, CF_RTF = 0, CF_RTFNOOBJS = 0, CF_CSV = 0;

namespace {

std::vector<TClipboardFormatEntry>& List()
{
  static std::vector<TClipboardFormatEntry> list;
  return list;
}

void AddEntry(TClipboardFormatEntry Entry)
{
  auto& list = List();
  list.push_back(std::move(Entry));
  // Kept by priority; entries of equal priority may come in any order.
  std::sort(list.begin(), list.end(),
            [](const TClipboardFormatEntry& a, const TClipboardFormatEntry& b) { return a.Priority < b.Priority; });
}

bool SameText(const std::string& a, const std::string& b)
{
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

CLIPFORMAT TClipboardFormatList::RegisterFormat(const std::string& Description, TLazyTreeClass TreeClass,
                                                int Priority, LONG Index, DWORD Aspect, DVTARGETDEVICE* Device,
                                                DWORD Medium)
{
  CLIPFORMAT format = CLIPFORMAT(RegisterClipboardFormat(Description.c_str()));
  TClipboardFormatEntry entry;
  entry.Description = Description;
  entry.TreeClass = TreeClass;
  entry.Priority = Priority;
  entry.FormatEtc.cfFormat = format;
  entry.FormatEtc.ptd = Device;
  entry.FormatEtc.dwAspect = Aspect;
  entry.FormatEtc.lindex = Index;
  entry.FormatEtc.tymed = Medium;
  AddEntry(std::move(entry));
  return format;
}

std::string StandardFormatName(CLIPFORMAT Format)
{
  static const char* kNames[16] = {"Plain text",   "Windows bitmap",  "Windows metafile", "Symbolic link",
                                   "Data interchange format", "Tiff image", "OEM text", "DIB image",
                                   "Palette data", "Pen data",        "Riff audio data",  "Wav audio data",
                                   "Unicode text", "Enhanced metafile image", "File name(s)", "Locale descriptor"};
  return Format >= 1 && Format <= 16 ? kNames[Format - 1] : std::string();
}

void TClipboardFormatList::RegisterKnownFormat(CLIPFORMAT Format, TLazyTreeClass TreeClass, int Priority)
{
  std::string description;
  if (Format > 16) {
    char name[2048];
    int length = GetClipboardFormatName(Format, name, int(sizeof name));
    if (length > 0)
      description.assign(name, std::size_t(length));
  } else {
    description = StandardFormatName(Format);
  }
  if (description.empty())
    return;
  TClipboardFormatEntry entry;
  entry.Description = description;
  entry.TreeClass = TreeClass;
  entry.Priority = Priority;
  entry.FormatEtc.cfFormat = Format;
  AddEntry(std::move(entry));
}

std::vector<FORMATETC> TClipboardFormatList::FormatsOf(const TBaseLazyTree* Tree, const TStrings* AllowedNames)
{
  std::vector<FORMATETC> formats;
  for (const TClipboardFormatEntry& e : List()) {
    if (!e.TreeClass.Includes(Tree))
      continue;
    if (AllowedNames && AllowedNames->IndexOf(e.Description) < 0)
      continue;
    formats.push_back(e.FormatEtc);
  }
  return formats;
}

const TClipboardFormatEntry* TClipboardFormatList::FindFormat(const std::string& Description)
{
  const auto& list = List();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (SameText(it->Description, Description))
      return &*it;
  return nullptr;
}

const TClipboardFormatEntry* TClipboardFormatList::FindFormat(CLIPFORMAT Format)
{
  const auto& list = List();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->FormatEtc.cfFormat == Format)
      return &*it;
  return nullptr;
}

void TClipboardFormatList::Clear() { List().clear(); }

const std::vector<TClipboardFormatEntry>& TClipboardFormatList::Entries() { return List(); }

void RegisterTreeClipboardFormats()
{
  static std::once_flag once;
  std::call_once(once, [] {
    TLazyTreeClass base = LazyTreeClassOf<TBaseLazyTree>("TBaseLazyTree");
    TLazyTreeClass text = LazyTreeClassOf<TCustomLazyStringTree>("TCustomLazyStringTree");
    CF_LAZYTREE = TClipboardFormatList::RegisterFormat(CFSTR_LAZYTREE, base, 50);
    CF_HTML = TClipboardFormatList::RegisterFormat(CFSTR_HTML, text, 80);
    CF_RTFNOOBJS = TClipboardFormatList::RegisterFormat(CFSTR_RTFNOOBJS, text, 84);
    CF_RTF = TClipboardFormatList::RegisterFormat(CFSTR_RTF, text, 85);
    CF_CSV = TClipboardFormatList::RegisterFormat(CFSTR_CSV, text, 90);
    TClipboardFormatList::RegisterKnownFormat(CF_UNICODETEXT, text, 95);
    TClipboardFormatList::RegisterKnownFormat(CF_TEXT, text, 100);
    CF_LTREFERENCE = CLIPFORMAT(RegisterClipboardFormat(CFSTR_LTREFERENCE));
  });
}

TClipboardFormats::TClipboardFormats(TBaseLazyTree* Owner) : FOwner(Owner)
{
  SetSorted(true);
  SetDuplicates(dupIgnore);
}

bool TClipboardFormats::Accepts(const std::string& S) const
{
  const TClipboardFormatEntry* entry = TClipboardFormatList::FindFormat(S);
  return entry && entry->TreeClass.Includes(FOwner);
}

int TClipboardFormats::Add(const std::string& S) { return AddObject(S, nullptr); }

int TClipboardFormats::AddObject(const std::string& S, TObject* AObject)
{
  return Accepts(S) ? TStringList::AddObject(S, AObject) : -1;
}

void TClipboardFormats::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TClipboardFormats::InsertObject(int Index, const std::string& S, TObject* AObject)
{
  if (Accepts(S))
    TStringList::InsertObject(Index, S, AObject);
}
