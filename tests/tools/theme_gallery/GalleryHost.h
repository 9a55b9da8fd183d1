// The host-like form the gallery's window scenes, the theme benchmarks and
// the X11 check share: a form with a top dock holding a menu bar and three
// themed toolbars (drag handles single, double and none with a close box),
// the menu bar's "Fichier" menu, and on demand a floating toolbar or a
// bottom multi-dock of dockable panels. Everything
// stands at fixed screen places so the pictures are the same every time.
#pragma once

#include <vector>

#include "platform/win/win.h"

class TCustomForm;
class TCustomImageList;
class TTBCustomItem;
class TTBWDock;
class TTBWToolbar;
class TXTBMultiDock;

// Two 16 x 16 images on a white mask: a framed blue square, and a round
// glyph of mid-tones (what the faded, tinted and shaded forms work on).
HIMAGELIST MakeGalleryImages();

class TGalleryHost {
public:
  static constexpr int FormLeft = 40, FormTop = 40, FormWidth = 440, FormHeight = 330;

  // Shown, laid out and painted; ToolbarCount toolbars below the menu bar.
  TGalleryHost(TCustomImageList* Images, int ToolbarCount = 3);
  ~TGalleryHost();
  TGalleryHost(const TGalleryHost&) = delete;
  TGalleryHost& operator=(const TGalleryHost&) = delete;

  TCustomForm* Form() const { return FForm; }
  TTBWDock* TopDock() const { return FTopDock; }
  TTBWToolbar* MenuBar() const { return FMenuBar; }
  const std::vector<TTBWToolbar*>& Toolbars() const { return FToolbars; }
  // The menu bar's first item ("Fichier") and its 8-entry menu.
  TTBCustomItem* FileMenu() const { return FFileMenu; }
  // Screen rectangles: a menu bar item, the dock.
  TRect MenuBarItemRect(int Index) const;
  TRect DockRect() const;
  // A toolbar of its own floating at (Left, Top) of the screen, its frame
  // active; freed with the host.
  TTBWToolbar* AddFloatingToolbar(int Left, int Top);
  // A bottom multi-dock of three docked panels ("Console", "Contacts"
  // without its close box, "Journal des evenements"), laid out and painted.
  TXTBMultiDock* AddPanelMultiDock();

private:
  TTBWToolbar* NewToolbar(const char* Caption);

  TCustomImageList* FImages;
  TCustomForm* FForm = nullptr;
  TTBWDock* FTopDock = nullptr;
  TTBWToolbar* FMenuBar = nullptr;
  std::vector<TTBWToolbar*> FToolbars;
  TTBCustomItem* FFileMenu = nullptr;
};

// Runs every pending message until none is left (a bound keeps it finite).
void SettleMessages();
