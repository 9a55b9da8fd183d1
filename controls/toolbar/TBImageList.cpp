#include "controls/toolbar/TBImageList.h"

#include "platform/classes/components/Writer.h"
#include "platform/classes/graphics/Bitmap.h"

TTBCustomImageList::TTBCustomImageList(TComponent* AOwner)
    : TCustomImageList(AOwner),
      FCheckedImagesChangeLink(new TChangeLink),
      FDisabledImagesChangeLink(new TChangeLink),
      FHotImagesChangeLink(new TChangeLink),
      FImagesBitmap(new TBitmap)
{
  for (TChangeLink* link : {FCheckedImagesChangeLink, FDisabledImagesChangeLink, FHotImagesChangeLink})
    link->OnChange = TNotifyEvent(this, &TTBCustomImageList::CompanionChanged);
  FImagesBitmap->OnChange = TNotifyEvent(this, &TTBCustomImageList::ImagesBitmapChanged);
}

TTBCustomImageList::~TTBCustomImageList()
{
  delete FImagesBitmap;
  delete FHotImagesChangeLink;
  delete FDisabledImagesChangeLink;
  delete FCheckedImagesChangeLink;
}

void TTBCustomImageList::DrawImageState(TCanvas* Canvas, int X, int Y, int Index, bool Enabled, bool Selected,
                                        bool Checked)
{
  if (!Enabled && FDisabledImages)
    FDisabledImages->Draw(Canvas, X, Y, Index, true);
  else if (Checked && FCheckedImages)
    FCheckedImages->Draw(Canvas, X, Y, Index, Enabled);
  else if (Selected && FHotImages)
    FHotImages->Draw(Canvas, X, Y, Index, Enabled);
  else
    Draw(Canvas, X, Y, Index, Enabled);
}

void TTBCustomImageList::SetCompanion(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value)
{
  if (Value == this)
    Value = nullptr;
  if (Field == Value)
    return;
  if (Field) {
    Field->UnRegisterChanges(Link);
    Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Value) {
    Value->RegisterChanges(Link);
    Value->FreeNotification(this);
  }
  if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying))
    Change();
}

void TTBCustomImageList::CompanionChanged(TObject*) { Change(); }

void TTBCustomImageList::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomImageList::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  // A list being destroyed has let go of our change links already; only its
  // list methods can no longer be called on it, so the reference just goes.
  for (TCustomImageList** field : {&FCheckedImages, &FDisabledImages, &FHotImages})
    if (AComponent == *field) {
      *field = nullptr;
      if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying))
        Change();
    }
}

void TTBCustomImageList::SetImagesBitmap(TBitmap* Value)
{
  FImagesBitmap->Assign(Value);
  // Assign leaves OnChange to the caller.
  RebuildFromBitmap();
}

void TTBCustomImageList::SetImagesBitmapMaskColor(TColor Value)
{
  if (FImagesBitmapMaskColor == Value)
    return;
  FImagesBitmapMaskColor = Value;
  RebuildFromBitmap();
}

void TTBCustomImageList::ImagesBitmapChanged(TObject*) { RebuildFromBitmap(); }

void TTBCustomImageList::RebuildFromBitmap()
{
  if (FImagesBitmap->Empty())
    return;
  BeginUpdate();
  Clear();
  AddMasked(FImagesBitmap, FImagesBitmapMaskColor);
  EndUpdate();
}

void TTBCustomImageList::DefineProperties(TFiler* Filer)
{
  // Images cut from the strip come back from it when the form loads, so
  // they are not written a second time.
  if (dynamic_cast<TWriter*>(Filer) && !FImagesBitmap->Empty())
    return;
  TCustomImageList::DefineProperties(Filer);
}
