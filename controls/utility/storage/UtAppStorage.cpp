#include "controls/utility/storage/UtAppStorage.h"

#include <algorithm>

#include "controls/utility/RtMime.h"
#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"

TUtCustomAppStorage::TUtCustomAppStorage(TComponent* AOwner)
    : TUtComponent(AOwner), FSubStorages(std::make_unique<TUtAppSubStorages>(this))
{
}

TUtCustomAppStorage::~TUtCustomAppStorage()
{
  // Emptied while the collection is whole, so that the items give back their
  // stores' free notifications.
  FSubStorages->Clear();
  FSubStorages.reset();
  FStorageOptions.reset();
}

void TUtCustomAppStorage::Notification(TComponent* AComponent, TOperation Operation)
{
  TUtComponent::Notification(AComponent, Operation);
  // The removed store may already be no more than a component: it is found
  // by its address.
  if (Operation == opRemove && FSubStorages)
    FSubStorages->RemoveReferencesTo(AComponent);
}

std::string TUtCustomAppStorage::JoinPaths(const std::vector<std::string>& Paths)
{
  if (Paths.empty())
    return {};
  std::size_t start = 0;
  for (std::size_t i = Paths.size() - 1; i >= 1; --i)
    if (!Paths[i].empty() && Paths[i][0] == '\\') {
      start = i;
      break;
    }
  std::vector<std::string> names;
  for (std::size_t i = start; i < Paths.size(); ++i) {
    const std::string& element = Paths[i];
    std::size_t from = 0;
    while (from <= element.size()) {
      std::size_t to = element.find('\\', from);
      if (to == std::string::npos)
        to = element.size();
      std::string part = element.substr(from, to - from);
      from = to + 1;
      if (part.empty())
        continue;
      if (part.find_first_not_of('.') == std::string::npos) {
        std::size_t remove = std::min(part.size() - 1, names.size());
        names.resize(names.size() - remove);
      } else {
        names.push_back(std::move(part));
      }
    }
  }
  std::string result;
  for (std::size_t i = 0; i < names.size(); ++i)
    result += (i ? "\\" : "") + names[i];
  return result;
}

std::unique_ptr<TUtCustomAppStorageOptions> TUtCustomAppStorage::OptionsClass() const
{
  return std::make_unique<TUtAppStorageOptions>();
}

TUtCustomAppStorageOptions* TUtCustomAppStorage::StorageOptions()
{
  // Made on first use, since the options class is chosen by the concrete store.
  if (!FStorageOptions)
    FStorageOptions = OptionsClass();
  return FStorageOptions.get();
}

void TUtCustomAppStorage::SetStorageOptions(TUtCustomAppStorageOptions* Value)
{
  if (Value && Value != StorageOptions())
    StorageOptions()->Assign(Value);
}

std::string TUtCustomAppStorage::EncryptValue(const std::string& Value)
{
  if (!OnEncryptPropertyValue || FCryptLevel <= 0)
    return Value;
  std::string v = Value;
  OnEncryptPropertyValue(v);
  return Base64Encode(v);
}

std::string TUtCustomAppStorage::DecryptValue(const std::string& Value)
{
  if (!OnDecryptPropertyValue || FCryptLevel <= 0)
    return Value;
  std::string v = Base64Decode(Value);
  OnDecryptPropertyValue(v);
  return v;
}

void TUtCustomAppStorage::ResolveStoragePath(const std::string& Path, std::string& TargetPath,
                                             TUtCustomAppStorage*& TargetStore)
{
  std::string resolved = "\\" + JoinPaths({FCurrentPath, Path});
  TargetStore = this;
  TUtAppSubStorage* item = FSubStorages->MatchingItem(resolved);
  if (item && item->AppStorage()) {
    TargetStore = item->AppStorage();
    resolved.erase(0, std::min(resolved.size(), item->RootPath().size() + 1));
    resolved = "\\" + JoinPaths({resolved});
    if (resolved == "\\")
      throw EAppStorageError(SInvalidPath);
  }
  TargetPath = resolved;
}

std::string TUtCustomAppStorage::FullPath(const std::string& Path) const
{
  std::string joined = JoinPaths({FCurrentPath, Path});
  std::string full = joined.empty() ? FRootPath : FRootPath + "\\" + joined;
  full.erase(0, std::min(full.find_first_not_of('\\'), full.size()));
  // The root alone names the top folder, without a separator after it.
  while (!full.empty() && full.back() == '\\')
    full.pop_back();
  return full;
}

void TUtCustomAppStorage::SplitValuePath(const std::string& Path, std::string& KeyPath, std::string& ValueName)
{
  std::string full = FullPath(Path);
  auto slash = full.rfind('\\');
  if (slash == std::string::npos) {
    KeyPath.clear();
    ValueName = full;
  } else {
    KeyPath = full.substr(0, slash);
    ValueName = full.substr(slash + 1);
  }
}

bool TUtCustomAppStorage::IsFolder(const std::string& Path, bool Flag)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  return store->IsFolderRaw(target, Flag);
}

bool TUtCustomAppStorage::ValueExists(const std::string& Path)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  return store->ValueExistsRaw(target);
}

void TUtCustomAppStorage::DeleteTree(const std::string& Path)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  store->DeleteTreeRaw(target);
}

std::int32_t TUtCustomAppStorage::ReadInteger(const std::string& Path, std::int32_t Default)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  return store->ReadIntegerValue(target, Default);
}

void TUtCustomAppStorage::WriteInteger(const std::string& Path, std::int32_t Value)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  store->WriteIntegerValue(target, Value);
}

std::string TUtCustomAppStorage::ReadString(const std::string& Path, const std::string& Default)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  return store->ReadStringValue(target, Default);
}

void TUtCustomAppStorage::WriteString(const std::string& Path, const std::string& Value)
{
  std::string target;
  TUtCustomAppStorage* store;
  ResolveStoragePath(Path, target, store);
  store->WriteStringValue(target, Value);
}

bool TUtCustomAppStorage::HasSubStorage(const TUtCustomAppStorage* Store) const
{
  std::vector<const TUtCustomAppStorage*> pending{this}, seen;
  while (!pending.empty()) {
    const TUtCustomAppStorage* s = pending.back();
    pending.pop_back();
    if (std::find(seen.begin(), seen.end(), s) != seen.end())
      continue;
    seen.push_back(s);
    for (int i = 0; i < s->FSubStorages->Count(); ++i)
      if (TUtCustomAppStorage* sub = s->FSubStorages->Items(i)->AppStorage()) {
        if (sub == Store)
          return true;
        pending.push_back(sub);
      }
  }
  return false;
}

bool TUtCustomAppStorage::IsMissing(const std::string& Path)
{
  return StorageOptions()->DefaultIfValueNotExists() && !ValueExistsRaw(Path);
}
