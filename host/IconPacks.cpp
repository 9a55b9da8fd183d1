#include "host/IconPacks.h"

#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSearch.h"
#include "platform/base/FileStream.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/ole/StreamAdapter.h"

namespace {

constexpr int PackImageCount = 10;
constexpr std::string_view PackFileExtension = ".gpk";

std::string GlyphsFolder()
{
  return ProgramFolder() + "glyphs\\";
}

bool IsPackFile(const std::string& Name)
{
  return Name.size() > PackFileExtension.size() &&
         SameText(std::string_view(Name).substr(Name.size() - PackFileExtension.size()), PackFileExtension);
}

// An image list the pack is built in, freed unless it is handed over.
struct TPendingList {
  HIMAGELIST Handle;
  ~TPendingList()
  {
    if (Handle)
      ImageList_Destroy(Handle);
  }
  HIMAGELIST Release()
  {
    HIMAGELIST handle = Handle;
    Handle = nullptr;
    return handle;
  }
};

}  // namespace

TMyItem::TMyItem(TComponent* AOwner) : TXTBCustomItem(AOwner) {}

TIconPacks::TIconPacks(TCustomImageList* StatusImages, TXTBCustomItem* PacksMenu, IWarningDialog* Warnings)
    : FStatusImages(StatusImages), FPacksMenu(PacksMenu), FWarnings(Warnings)
{
}

void TIconPacks::BuildPackMenu()
{
  const bool filePacks = IsWindowsXP();
  TSearchRec rec;
  if (FindFirst(GlyphsFolder() + "*", faAnyFile, rec) != 0)
    return;
  do {
    // ".", ".." and hidden entries are no packs.
    if (rec.Name.empty() || rec.Name[0] == '.')
      continue;
    const bool folder = (rec.Attr & faDirectory) != 0;
    if (!folder && !(filePacks && IsPackFile(rec.Name)))
      continue;
    auto* item = new TMyItem(FPacksMenu);
    item->SetCaption(
        SystemTextToWide(folder ? rec.Name : rec.Name.substr(0, rec.Name.size() - PackFileExtension.size())));
    item->IsFile = !folder;
    if (!folder)
      item->SetImageIndex(0);
    item->OnClick = TNotifyEvent(this, &TIconPacks::PackClick);
    FPacksMenu->Add(item);
  } while (FindNext(rec) == 0);
  FindClose(rec);
}

bool TIconPacks::LoadPack(const std::string& Name, bool IsFile, std::string& Failure)
{
  Failure.clear();
  const std::string path = GlyphsFolder() + Name + (IsFile ? std::string(PackFileExtension) : std::string());
  if (IsFile ? !FileExists(path) : !DirectoryExists(path))
    return false;
  return RunGuarded([&] { IsFile ? LoadFilePack(path) : LoadFolderPack(path); }, Failure);
}

void TIconPacks::LoadFilePack(const std::string& Path)
{
  TFileStream file(Path, fmOpenRead | fmShareDenyWrite);
  HIMAGELIST list = nullptr;
  {
    InterfacePtr<IStream> adapter(new TStreamAdapter(&file));
    list = ImageList_Read(adapter.Get());
  }
  // A file that is not an image list leaves the status images as they were.
  if (!list)
    throw EReadError(SImageReadFail);
  FStatusImages->SetHandle(list);
}

void TIconPacks::LoadFolderPack(const std::string& Folder)
{
  // Built in a copy: a pack missing an icon changes nothing.
  TPendingList pending{ImageList_Duplicate(FStatusImages->Handle())};
  if (!pending.Handle)
    throw EInvalidOperation(SReplaceImage);
  if (ImageList_GetImageCount(pending.Handle) < PackImageCount)
    ImageList_SetImageCount(pending.Handle, PackImageCount);
  for (int i = 0; i < PackImageCount; ++i) {
    TIcon icon;
    icon.SetWidth(FStatusImages->Width());
    icon.SetHeight(FStatusImages->Height());
    icon.LoadFromFile(Folder + "\\" + std::to_string(i) + ".ico");
    if (ImageList_ReplaceIcon(pending.Handle, i, icon.Handle()) < 0)
      throw EInvalidOperation(SReplaceImage);
  }
  FStatusImages->SetHandle(pending.Release());
}

void TIconPacks::PackClick(TObject* Sender)
{
  auto* item = dynamic_cast<TMyItem*>(Sender);
  if (!item)
    return;
  const std::string name = WideToSystemText(item->Caption());
  std::string failure;
  if (!LoadPack(name, item->IsFile, failure)) {
    if (failure.empty())
      return;
    HostLog(1, "LoadPack(" + name + ") : " + failure);
    if (FWarnings)
      FWarnings->ShowWarning(failure);
    return;
  }
  FPacksMenu->SetCaption(item->Caption());
  if (OnPackChanged)
    OnPackChanged(this);
}
