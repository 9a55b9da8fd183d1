// TTBCustomImageList: an image list with companion lists for checked,
// disabled and hot images, and an optional strip bitmap its images are cut
// from. TTBImageList is the published form the forms carry.
#pragma once

#include "controls/toolbar/TBTypes.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/CustomImageList.h"

class TTBCustomImageList : public TCustomImageList {
public:
  explicit TTBCustomImageList(TComponent* AOwner);
  ~TTBCustomImageList() override;

  // The image of an item in a state: the disabled list for a disabled item,
  // else the checked list for a checked one, else the hot list for a
  // selected one, else this list.
  virtual void DrawImageState(TCanvas* Canvas, int X, int Y, int Index, bool Enabled, bool Selected, bool Checked);

  TCustomImageList* CheckedImages() const { return FCheckedImages; }
  void SetCheckedImages(TCustomImageList* Value) { SetCompanion(FCheckedImages, FCheckedImagesChangeLink, Value); }
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value) { SetCompanion(FDisabledImages, FDisabledImagesChangeLink, Value); }
  TCustomImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value) { SetCompanion(FHotImages, FHotImagesChangeLink, Value); }
  TBitmap* ImagesBitmap() const { return FImagesBitmap; }
  void SetImagesBitmap(TBitmap* Value);
  TColor ImagesBitmapMaskColor() const { return FImagesBitmapMaskColor; }
  void SetImagesBitmapMaskColor(TColor Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

private:
  void SetCompanion(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);
  void CompanionChanged(TObject* Sender);
  void ImagesBitmapChanged(TObject* Sender);
  void RebuildFromBitmap();

  TCustomImageList* FCheckedImages = nullptr;
  TChangeLink* FCheckedImagesChangeLink;
  TCustomImageList* FDisabledImages = nullptr;
  TChangeLink* FDisabledImagesChangeLink;
  TCustomImageList* FHotImages = nullptr;
  TChangeLink* FHotImagesChangeLink;
  TBitmap* FImagesBitmap;
  TColor FImagesBitmapMaskColor = 0xFF00FF;
};

class TTBImageList : public TTBCustomImageList {
public:
  using TTBCustomImageList::TTBCustomImageList;
};
