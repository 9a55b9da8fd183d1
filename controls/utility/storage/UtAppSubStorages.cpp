#include "controls/utility/storage/UtAppSubStorages.h"

#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/detail/Text.h"
#include "controls/utility/storage/UtAppStorage.h"
#include "platform/base/StringRoutines.h"

namespace {

// Whether Path lies below Root: Root equals its first characters, case
// ignored, and a "\" follows.
bool Covers(const std::string& root, const std::string& path)
{
  return path.size() > root.size() && path[root.size()] == '\\' &&
         SameText(std::string_view(path).substr(0, root.size()), root);
}

}  // namespace

void TUtAppSubStorage::SetRootPath(const std::string& Value)
{
  std::string normal = TUtCustomAppStorage::JoinPaths({Value});
  if (normal == FRootPath)
    return;
  if (FCollection->MatchingItem(normal + "\\*", Index()))
    throw EAppStorageError(Format(SNotAUniqueRootPath, normal));
  FRootPath = normal;
}

void TUtAppSubStorage::SetAppStorage(TUtCustomAppStorage* Value)
{
  if (Value == FAppStorage)
    return;
  TUtCustomAppStorage* owner = OwnerStore();
  if (Value && (Value == owner || Value->HasSubStorage(owner)))
    throw EAppStorageError(SCircularReferenceOfStorages);
  TUtCustomAppStorage* old = FAppStorage;
  FAppStorage = Value;
  if (old)
    owner->StopWatching(old);
  if (Value)
    owner->Watch(Value);
}

std::string TUtAppSubStorage::DisplayName() const
{
  if (!FRootPath.empty() && FAppStorage)
    return "\\" + FRootPath + "=" + FAppStorage->Name();
  return ClassName();
}

int TUtAppSubStorage::Index() const
{
  for (int i = 0; i < FCollection->Count(); ++i)
    if (FCollection->FItems[std::size_t(i)].get() == this)
      return i;
  return -1;
}

TUtCustomAppStorage* TUtAppSubStorage::OwnerStore() const
{
  return FCollection->Owner();
}

TUtAppSubStorages::~TUtAppSubStorages()
{
  Clear();
}

TUtAppSubStorage* TUtAppSubStorages::Items(int Index) const
{
  if (Index < 0 || Index >= Count())
    ut_detail::ListIndexError(Index);
  return FItems[std::size_t(Index)].get();
}

TUtAppSubStorage* TUtAppSubStorages::Add()
{
  FItems.push_back(std::make_unique<TUtAppSubStorage>(this));
  return FItems.back().get();
}

TUtAppSubStorage* TUtAppSubStorages::Add(const std::string& RootPath, TUtCustomAppStorage* AppStorage)
{
  TUtAppSubStorage* item = Add();
  try {
    item->SetRootPath(RootPath);
    item->SetAppStorage(AppStorage);
  } catch (...) {
    Delete(Count() - 1);
    throw;
  }
  return item;
}

void TUtAppSubStorages::Delete(int Index)
{
  TUtAppSubStorage* item = Items(Index);
  item->SetAppStorage(nullptr);
  FItems.erase(FItems.begin() + Index);
}

void TUtAppSubStorages::Clear()
{
  while (!FItems.empty())
    Delete(Count() - 1);
}

TUtAppSubStorage* TUtAppSubStorages::MatchingItem(const std::string& Path, int ExcludeIndex) const
{
  std::string path = TUtCustomAppStorage::JoinPaths({Path});
  TUtAppSubStorage* best = nullptr;
  for (int i = 0; i < Count(); ++i) {
    if (i == ExcludeIndex)
      continue;
    TUtAppSubStorage* item = FItems[std::size_t(i)].get();
    if (Covers(item->RootPath(), path) && (!best || item->RootPath().size() > best->RootPath().size()))
      best = item;
  }
  return best;
}

void TUtAppSubStorages::RemoveReferencesTo(TUtCustomAppStorage* Store)
{
  for (int i = Count() - 1; i >= 0; --i)
    if (FItems[std::size_t(i)]->FAppStorage == Store)
      Delete(i);
}
