#include "controls/utility/storage/UtMemoryAppStorage.h"

#include <algorithm>
#include <cstring>

#include "controls/utility/detail/Text.h"
#include "controls/utility/detail/ValueText.h"
#include "platform/base/IntConversions.h"
#include "platform/base/StringRoutines.h"

namespace {

bool StartsWith(const std::string& key, const std::string& prefix)
{
  return key.compare(0, prefix.size(), prefix) == 0;
}

// The prefix of the keys below a full path ("" for the top, which holds all).
std::string FolderPrefix(const std::string& full)
{
  return full.empty() ? std::string() : full + "\\";
}

}  // namespace

void TUtMemoryAppStorage::Put(const std::string& Path, std::string Text)
{
  FValues[FullPath(Path)] = std::move(Text);
  Changed();
}

const std::string* TUtMemoryAppStorage::Find(const std::string& Path) const
{
  auto found = FValues.find(FullPath(Path));
  return found == FValues.end() ? nullptr : &found->second;
}

void TUtMemoryAppStorage::Children(const std::string& Path, bool Folders, std::vector<std::string>& Names) const
{
  Names.clear();
  std::string prefix = FolderPrefix(FullPath(Path));
  for (auto it = FValues.lower_bound(prefix); it != FValues.end() && StartsWith(it->first, prefix); ++it) {
    std::string rest = it->first.substr(prefix.size());
    auto slash = rest.find('\\');
    bool isFolder = slash != std::string::npos;
    if (isFolder != Folders)
      continue;
    std::string name = isFolder ? rest.substr(0, slash) : rest;
    if (Names.empty() || Names.back() != name)
      Names.push_back(name);
  }
}

void TUtMemoryAppStorage::EnumFoldersRaw(const std::string& Path, std::vector<std::string>& Names)
{
  Children(Path, true, Names);
}

void TUtMemoryAppStorage::EnumValuesRaw(const std::string& Path, std::vector<std::string>& Names)
{
  Children(Path, false, Names);
}

bool TUtMemoryAppStorage::IsFolderRaw(const std::string& Path, bool)
{
  std::string prefix = FolderPrefix(FullPath(Path));
  auto it = FValues.lower_bound(prefix);
  return it != FValues.end() && StartsWith(it->first, prefix);
}

bool TUtMemoryAppStorage::PathExistsRaw(const std::string& Path)
{
  return ValueExistsRaw(Path) || IsFolderRaw(Path, true);
}

bool TUtMemoryAppStorage::ValueExistsRaw(const std::string& Path)
{
  return Find(Path) != nullptr;
}

void TUtMemoryAppStorage::DeleteValueRaw(const std::string& Path)
{
  if (FValues.erase(FullPath(Path)))
    Changed();
}

void TUtMemoryAppStorage::DeleteTreeRaw(const std::string& Path)
{
  std::string full = FullPath(Path);
  std::size_t before = FValues.size();
  FValues.erase(full);
  std::string prefix = FolderPrefix(full);
  auto first = FValues.lower_bound(prefix), last = first;
  while (last != FValues.end() && StartsWith(last->first, prefix))
    ++last;
  FValues.erase(first, last);
  if (FValues.size() != before)
    Changed();
}

std::int32_t TUtMemoryAppStorage::ReadIntegerRaw(const std::string& Path, std::int32_t Default)
{
  const std::string* text = Find(Path);
  return text ? StrToInt(*text) : Default;
}

void TUtMemoryAppStorage::WriteIntegerRaw(const std::string& Path, std::int32_t Value)
{
  Put(Path, std::to_string(Value));
}

double TUtMemoryAppStorage::ReadFloatRaw(const std::string& Path, double Default)
{
  const std::string* text = Find(Path);
  return text ? ut_detail::TextToFloat(*text) : Default;
}

void TUtMemoryAppStorage::WriteFloatRaw(const std::string& Path, double Value)
{
  Put(Path, ut_detail::FloatToText(Value));
}

std::string TUtMemoryAppStorage::ReadStringRaw(const std::string& Path, const std::string& Default)
{
  const std::string* text = Find(Path);
  return text ? *text : Default;
}

void TUtMemoryAppStorage::WriteStringRaw(const std::string& Path, const std::string& Value)
{
  Put(Path, Value);
}

int TUtMemoryAppStorage::ReadBinaryRaw(const std::string& Path, void* Buffer, int Size)
{
  const std::string* text = Find(Path);
  if (!text || !Buffer || Size <= 0)
    return 0;
  std::vector<std::uint8_t> bytes = ut_detail::HexToBytes(*text);
  std::size_t n = std::min(bytes.size(), std::size_t(Size));
  std::memcpy(Buffer, bytes.data(), n);
  return int(n);
}

void TUtMemoryAppStorage::WriteBinaryRaw(const std::string& Path, const void* Buffer, int Size)
{
  Put(Path, Buffer && Size > 0 ? ut_detail::BytesToHex(Buffer, std::size_t(Size)) : std::string());
}
