#include "platform/classes/graphics/CustomImageList.h"

#include <algorithm>

#include "platform/base/Exception.h"
#include "platform/base/Interface.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/components/Filer.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/classes/graphics/detail/BitmapImage.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/ole/StreamAdapter.h"

namespace {

// A TColor as the image-list calls take it.
COLORREF RGBColorOf(TColor Value)
{
  if (Value == clNone)
    return CLR_NONE;
  if (Value == clDefault)
    return CLR_DEFAULT;
  return ColorToRGB(Value);
}

TColor ColorOf(COLORREF Value)
{
  if (Value == CLR_NONE)
    return clNone;
  if (Value == CLR_DEFAULT)
    return clDefault;
  return TColor(Value);
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner)
    : TComponent(AOwner), FBkColor(clNone), FBlendColor(clNone)
{
}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TCustomImageList(AOwner)
{
  FWidth = AWidth;
  FHeight = AHeight;
}

TCustomImageList::~TCustomImageList()
{
  // The links outlive the list in their owners: they must not call back.
  for (TChangeLink* link : FClients)
    link->SetSender(nullptr);
  FClients.clear();
  FreeHandle();
}

void TCustomImageList::HandleNeeded()
{
  if (FHandle)
    return;
  if (FWidth <= 0 || FHeight <= 0 || FWidth > 0x8000 || FHeight > 0x8000)
    throw EInvalidOperation(SInvalidImageSize);
  FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | (FMasked ? ILC_MASK : 0), FAllocBy, FAllocBy);
  if (!FHandle)
    throw EOutOfResources(SOutOfResources);
  if (FBkColor != clNone)
    ImageList_SetBkColor(FHandle, RGBColorOf(FBkColor));
}

void TCustomImageList::FreeHandle()
{
  if (FHandle && !FShareImages)
    ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle()
{
  HandleNeeded();
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST Value)
{
  if (Value == FHandle)
    return;
  FreeHandle();
  FHandle = Value;
  if (FHandle) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(FHandle, &cx, &cy);
    FWidth = cx;
    FHeight = cy;
    FBkColor = ColorOf(ImageList_GetBkColor(FHandle));
  }
  Change();
}

void TCustomImageList::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TCustomImageList*>(Source);
  if (!source) {
    TComponent::Assign(Source);
    return;
  }
  if (source == this)
    return;
  BeginUpdate();
  FMasked = source->FMasked;
  FAllocBy = source->FAllocBy;
  FBlendColor = source->FBlendColor;
  FDrawingStyle = source->FDrawingStyle;
  FImageType = source->FImageType;
  if (source->FHandle) {
    HIMAGELIST copy = ImageList_Duplicate(source->FHandle);
    bool share = FShareImages;
    FShareImages = false;
    SetHandle(copy);
    FShareImages = share;
  } else {
    FreeHandle();
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FBkColor = source->FBkColor;
    Change();
  }
  EndUpdate();
}

int TCustomImageList::Count() const
{
  return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
  HandleNeeded();
  int index = ImageList_Add(FHandle, Image ? Image->Handle() : nullptr, Mask ? Mask->Handle() : nullptr);
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
  if (MaskColor == clNone)
    return Add(Image, nullptr);
  HandleNeeded();
  int index = ImageList_AddMasked(FHandle, Image ? Image->Handle() : nullptr, ColorToRGB(MaskColor));
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* Image)
{
  if (!Image)
    return Add(nullptr, nullptr);
  if (Image->Width() < FWidth || Image->Height() < FHeight)
    throw EInvalidOperation(SInvalidImageSize);
  HandleNeeded();
  int index = ImageList_AddIcon(FHandle, Image->Handle());
  Change();
  return index;
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
  HandleNeeded();
  if (!ImageList_Replace(FHandle, Index, Image ? Image->Handle() : nullptr, Mask ? Mask->Handle() : nullptr))
    throw EInvalidOperation(SReplaceImage);
  Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor)
{
  if (!NewImage || MaskColor == clNone) {
    Replace(Index, NewImage, nullptr);
    return;
  }
  // The image with its masked colour turned black, and the mask of that colour.
  TBitmap image;
  image.Assign(NewImage);
  image.SetPixelFormat(pf32bit);
  TBitmap mask;
  mask.Assign(NewImage);
  mask.Mask(MaskColor);
  int w = image.Width(), h = image.Height();
  auto maskPixels = bitmap_detail::ReadPixels(mask.Handle(), w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<std::uint32_t*>(image.ScanLine(y));
    for (int x = 0; x < w; ++x)
      if (maskPixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] != 0)
        row[x] = 0;
  }
  Replace(Index, &image, &mask);
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image)
{
  if (!Image)
    return;
  if (Image->Width() < FWidth || Image->Height() < FHeight)
    throw EInvalidOperation(SInvalidImageSize);
  HandleNeeded();
  if (Index < 0 || Index >= Count() || ImageList_ReplaceIcon(FHandle, Index, Image->Handle()) == -1)
    throw EInvalidOperation(SReplaceImage);
  Change();
}

void TCustomImageList::Delete(int Index)
{
  if (Index >= Count())
    throw EInvalidOperation(SImageIndexError);
  if (FHandle)
    ImageList_Remove(FHandle, Index);
  Change();
}

void TCustomImageList::Clear()
{
  Delete(-1);
}

bool TCustomImageList::Overlay(int ImageIndex, int Overlay)
{
  HandleNeeded();
  return ImageList_SetOverlayImage(FHandle, ImageIndex, Overlay + 1) != 0;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled)
{
  static constexpr UINT Styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  if (FHandle)
    DoDraw(Index, Canvas, X, Y, Styles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0), Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, int Overlay, bool Enabled)
{
  static constexpr UINT Styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  if (FHandle && Overlay >= 0 && Overlay < 4)
    DoDraw(ImageIndex, Canvas, X, Y,
           Styles[FDrawingStyle] | (FImageType == itMask ? ILD_MASK : 0) | INDEXTOOVERLAYMASK(UINT(Overlay + 1)),
           Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled)
{
  if (!FHandle)
    return;
  HDC dc = Canvas->Handle();
  if (Enabled)
    ImageList_DrawEx(FHandle, Index, dc, X, Y, 0, 0, RGBColorOf(BkColor()), RGBColorOf(FBlendColor), Style);
  else
    ImageList_DrawDisabled(FHandle, Index, dc, X, Y);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
  if (!Image || !FHandle || Index < 0 || Index >= Count())
    return false;
  Image->SetSize(FWidth, FHeight);
  Draw(Image->Canvas(), 0, 0, Index);
  return true;
}

void TCustomImageList::GetIcon(int Index, TIcon* Image)
{
  if (Image && FHandle)
    Image->SetHandle(ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

void TCustomImageList::Resize()
{
  if (FHandle)
    ImageList_SetIconSize(FHandle, FWidth, FHeight);
  Change();
}

void TCustomImageList::SetWidth(int Value)
{
  if (Value != FWidth) {
    FWidth = Value;
    Resize();
  }
}

void TCustomImageList::SetHeight(int Value)
{
  if (Value != FHeight) {
    FHeight = Value;
    Resize();
  }
}

void TCustomImageList::SetMasked(bool Value)
{
  if (Value == FMasked)
    return;
  FMasked = Value;
  // The layer's lists take their kind at creation: a new, empty list.
  if (FHandle) {
    FreeHandle();
    HandleNeeded();
  }
  Change();
}

TColor TCustomImageList::BkColor() const
{
  return FHandle ? ColorOf(ImageList_GetBkColor(FHandle)) : FBkColor;
}

void TCustomImageList::SetBkColor(TColor Value)
{
  if (FHandle)
    ImageList_SetBkColor(FHandle, RGBColorOf(Value));
  FBkColor = Value;
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value)
{
  if (Value != FBlendColor) {
    FBlendColor = Value;
    Change();
  }
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value)
{
  if (Value != FDrawingStyle) {
    FDrawingStyle = Value;
    Change();
  }
}

void TCustomImageList::SetImageType(TImageType Value)
{
  if (Value != FImageType) {
    FImageType = Value;
    Change();
  }
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
  if (!Value || Value->Sender() == this)
    return;
  if (Value->Sender())
    Value->Sender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it != FClients.end()) {
    FClients.erase(it);
    Value->SetSender(nullptr);
  }
}

void TCustomImageList::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  if (FChanged) {
    FChanged = false;
    Change();
  }
}

void TCustomImageList::Change()
{
  FChanged = true;
  if (FUpdateCount > 0)
    return;
  // A handler may unregister links (or free their owners): walk a copy and
  // skip the links that left meanwhile.
  std::vector<TChangeLink*> clients = FClients;
  for (TChangeLink* link : clients)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
      link->Change();
  if (OnChange)
    OnChange(this);
}

void TCustomImageList::DefineProperties(TFiler* Filer)
{
  Filer->DefineBinaryProperty("Bitmap", TStreamProc(this, &TCustomImageList::ReadData),
                              TStreamProc(this, &TCustomImageList::WriteData), Count() > 0);
}

void TCustomImageList::ReadData(TStream* Stream)
{
  InterfacePtr<IStream> adapter(new TStreamAdapter(Stream));
  HIMAGELIST list = ImageList_Read(adapter.Get());
  if (!list)
    throw EReadError(SImageReadFail);
  bool share = FShareImages;
  FShareImages = false;
  SetHandle(list);
  FShareImages = share;
}

void TCustomImageList::WriteData(TStream* Stream)
{
  InterfacePtr<IStream> adapter(new TStreamAdapter(Stream));
  if (!ImageList_Write(Handle(), adapter.Get()))
    throw EWriteError(SImageWriteFail);
}
