// Status-icon packs: the folder "glyphs" beside the program holds image-list
// files ("<pack>.gpk") and folders of ten icons ("<pack>/0.ico" to "9.ico",
// one per status image). Choosing a pack from the pack menu replaces the
// images of the status list that the contact tree, the network toolbar and
// the popup show, for the rest of the run.
#pragma once

#include <string>

#include "controls/themes/XTBItems.h"
#include "host/HostParts.h"
#include "platform/base/Object.h"

class TCustomImageList;

// An item of the pack menu; its caption is the pack's name.
class TMyItem : public TXTBCustomItem {
public:
  explicit TMyItem(TComponent* AOwner);
  bool IsFile = false;  // an image-list file rather than a folder of icons
};

class TIconPacks : public TObject {
public:
  // StatusImages: the status list (imgStatus); PacksMenu: the pack menu
  // (mnuPacks). Warnings reports a pack that could not be loaded (may be null).
  TIconPacks(TCustomImageList* StatusImages, TXTBCustomItem* PacksMenu, IWarningDialog* Warnings);
  TIconPacks(const TIconPacks&) = delete;
  TIconPacks& operator=(const TIconPacks&) = delete;

  // One item per pack in the glyphs folder, in the search order: its folders
  // and, where the platform offers image-list packs, its ".gpk" files; names
  // beginning with "." are not packs.
  void BuildPackMenu();
  // Loads the pack into the status list. A pack that is gone answers false
  // with an empty Failure; one that cannot be read answers false with the
  // reason. Either way the status list keeps its images.
  bool LoadPack(const std::string& Name, bool IsFile, std::string& Failure);
  // The pack menu's click: loads the item's pack; on success the menu shows
  // its name and OnPackChanged runs (the main window repaints the toolbar
  // and the tree).
  void PackClick(TObject* Sender);

  TNotifyEvent OnPackChanged;

private:
  void LoadFilePack(const std::string& Path);
  void LoadFolderPack(const std::string& Folder);

  TCustomImageList* FStatusImages;
  TXTBCustomItem* FPacksMenu;
  IWarningDialog* FWarnings;
};
