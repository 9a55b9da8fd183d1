// The scenes of the toolbar golden pictures, shared by the headless tests
// and the X11 check that the screen shows the same pixels.
#pragma once

#include <string>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBImageList.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"

// Two 16 x 16 images: a filled square and a ring, with the mask colour
// showing through at the corners.
inline void AddSceneImages(TTBImageList& Images)
{
  TBitmap strip;
  strip.SetSize(32, 16);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(TColor(0x00FF00FF));
  c->FillRect(TRect(0, 0, 32, 16));
  c->Brush()->SetColor(TColor(0x00B05020));
  c->FillRect(TRect(2, 2, 14, 14));
  c->Brush()->SetColor(TColor(0x002080E0));
  c->FillRect(TRect(17, 1, 31, 15));
  c->Brush()->SetColor(TColor(0x00FF00FF));
  c->FillRect(TRect(21, 5, 27, 11));
  Images.SetImagesBitmap(&strip);
}

// A menu with images, check marks, a submenu, a separator, a disabled item
// and shortcuts.
struct TMenuScene {
  TTBImageList Images{nullptr};
  TTBRootItem Root{nullptr};

  TMenuScene()
  {
    AddSceneImages(Images);
    Root.SetSubMenuImages(&Images);
    Add(new TTBItem(nullptr), "&New\tCtrl+N")->SetImageIndex(0);
    Add(new TTBItem(nullptr), "&Open...\tCtrl+O")->SetImageIndex(1);
    Add(new TTBItem(nullptr), "&Word wrap")->SetChecked(true);
    TTBCustomItem* bold = Add(new TTBItem(nullptr), "&Bold\tCtrl+B");
    bold->SetImageIndex(0);
    bold->SetChecked(true);
    Add(new TTBSeparatorItem(nullptr), "");
    TTBCustomItem* recent = Add(new TTBSubmenuItem(nullptr), "&Recent");
    auto* file = new TTBItem(nullptr);
    file->SetCaption("&1 notes.txt");
    recent->Add(file);
    TTBCustomItem* print = Add(new TTBItem(nullptr), "&Print\tCtrl+P");
    print->SetImageIndex(1);
    print->SetEnabled(false);
  }

  TTBCustomItem* Add(TTBCustomItem* Item, const char* Caption)
  {
    Item->SetCaption(Caption);
    Root.Add(Item);
    return Item;
  }
};
