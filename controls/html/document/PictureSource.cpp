#include "controls/html/document/PictureSource.h"

#include <mutex>
#include <string_view>
#include <unordered_map>

// Shared by the pictures of one source; the text never changes, the count
// changes under the table's lock.
struct TPictureSource::TShared {
  explicit TShared(const std::string& AText) : Text(AText) {}
  const std::string Text;
  long Users = 0;
};

namespace {

// Every source in use, keyed by a view of its shared text; an entry goes
// with its last user. Documents of several threads may hold pictures at once.
struct TPictureSourceTable {
  std::mutex Lock;
  std::unordered_map<std::string_view, void*> Entries;
};

TPictureSourceTable& SourceTable()
{
  // Never destroyed: pictures freed while the program ends still find it.
  static auto* Table = new TPictureSourceTable;
  return *Table;
}

}  // namespace

TPictureSource::TPictureSource(const TPictureSource& Other)
{
  Assign(Other.str());
}

TPictureSource& TPictureSource::operator=(const TPictureSource& Other)
{
  if (this != &Other)
    Assign(Other.str());
  return *this;
}

const std::string& TPictureSource::str() const
{
  static const std::string None;
  return FShared ? FShared->Text : None;
}

void TPictureSource::Assign(const std::string& Text)
{
  if (FShared && FShared->Text == Text)
    return;
  Release();
  if (Text.empty())
    return;
  TPictureSourceTable& Table = SourceTable();
  const std::lock_guard<std::mutex> Guard(Table.Lock);
  auto It = Table.Entries.find(std::string_view(Text));
  TShared* Shared;
  if (It != Table.Entries.end()) {
    Shared = static_cast<TShared*>(It->second);
  } else {
    Shared = new TShared(Text);
    Table.Entries.emplace(std::string_view(Shared->Text), Shared);
  }
  ++Shared->Users;
  FShared = Shared;
}

void TPictureSource::Release()
{
  if (!FShared)
    return;
  TPictureSourceTable& Table = SourceTable();
  {
    const std::lock_guard<std::mutex> Guard(Table.Lock);
    if (--FShared->Users == 0) {
      Table.Entries.erase(std::string_view(FShared->Text));
      delete FShared;
    }
  }
  FShared = nullptr;
}
