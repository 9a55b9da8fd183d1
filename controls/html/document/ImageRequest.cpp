// The document's image request: a picture by its source, from the image
// cache, else from the viewer's bitmap and stream events when it has them,
// else from a file (within the document's file rules). A stream event may
// answer "later": the source then waits in the pending list until the
// viewer supplies its bytes.
#include <algorithm>

#include "controls/html/document/ImageObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/ImageLoading.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/graphics/Bitmap.h"

namespace ImageRequestDetail {

// A GIF of one frame becomes a plain bitmap with the GIF's own mask; an
// animated one stays a GIF.
TPersistent* StillOrAnimated(TGIFImage* Gif, bool NonAnimated, TTransparency& Transp, TBitmap*& Mask)
{
  if (!Gif || !NonAnimated)
    return Gif;
  auto* Bmp = new TBitmap;
  Bmp->Assign(Gif->StillBitmap());
  if (Gif->IsTransparent() && Gif->StillMask()) {
    Mask = new TBitmap;
    Mask->Assign(Gif->StillMask());
    Transp = TGifMask;
  }
  delete Gif;
  return Bmp;
}

// Bytes of a picture, told by their signature.
TPersistent* DecodePicture(const std::string& Data, TTransparency& Transp, TBitmap*& Mask)
{
  TMemoryStream Stream;
  if (!Data.empty())
    Stream.Write(Data.data(), Integer(Data.size()));
  Stream.SetPosition(0);
  const TImageKind Kind = ImageKind(reinterpret_cast<const std::uint8_t*>(Data.data()), Data.size());
  if (Kind == TImageKind::Gif87a || Kind == TImageKind::Gif89a) {
    bool NonAnimated = false;
    return StillOrAnimated(GifStreamToImage(NonAnimated, &Stream), NonAnimated, Transp, Mask);
  }
  return DecodeImageStream(&Stream, Transp, Mask);
}

}  // namespace ImageRequestDetail

TPersistent* TSectionList::LoadPictureFile(const std::string& FileName, int& Transparent, TBitmap*& Mask)
{
  using namespace ImageRequestDetail;
  if (!FileAllowed(FileName))
    return nullptr;
  TTransparency Transp = TTransparency(Transparent);
  TPersistent* Picture = nullptr;
  const std::size_t Dot = FileName.find_last_of('.');
  const std::string Ext = Dot == std::string::npos ? std::string() : LowerCase(FileName.substr(Dot));
  if (Ext == ".gif") {
    bool NonAnimated = false;
    Picture = StillOrAnimated(GifFileToImage(NonAnimated, FileName), NonAnimated, Transp, Mask);
  } else {
    Picture = LoadImageFile(FileName, Transp, Mask);
  }
  Transparent = int(Transp);
  return Picture;
}

TPersistent* TSectionList::RequestPicture(const std::string& Source, int& Transparent, TBitmap*& Mask, bool& Waiting)
{
  using namespace ImageRequestDetail;
  if (!OnBitmapRequest && !OnImageRequest)
    return LoadPictureFile(ExpandName(Source), Transparent, Mask);
  if (OnBitmapRequest) {
    TColor Color = clNone;
    if (TBitmap* Bmp = OnBitmapRequest(Source, Color)) {
      if (Color != clNone) {
        Mask = MakeMask(Bmp, true, Color);
        Transparent = Mask ? int(TGifMask) : 0;
      } else if (Transparent == LLCorner) {
        Mask = MakeMask(Bmp, false, 0);
      }
      return Bmp;
    }
  }
  if (!OnImageRequest)
    return nullptr;
  std::string Data;
  switch (OnImageRequest(Source, Data)) {
  case TImageAnswer::Wait:
    Waiting = true;
    return nullptr;
  case TImageAnswer::Data: {
    TTransparency Transp = TTransparency(Transparent);
    TPersistent* Picture = DecodePicture(Data, Transp, Mask);
    Transparent = int(Transp);
    return Picture;
  }
  case TImageAnswer::None:
    break;
  }
  return LoadPictureFile(ExpandName(Source), Transparent, Mask);
}

TPersistent* TSectionList::GetTheBitmap(const std::string& Source, int& Transparent, TBitmap*& Mask, bool& FromCache,
                                        bool& Waiting, TBitmapItem** Entry)
{
  Mask = nullptr;
  FromCache = false;
  Waiting = false;
  if (Entry)
    *Entry = nullptr;
  const std::string& Key = ImageKey(Source);
  if (Key.empty())
    return nullptr;
  TStringBitmapList* Cache = ImageCache();
  int Index = -1;
  if (Cache->Find(Key, Index)) {
    TBitmapItem* Item = Cache->Item(Index);
    TPersistent* Picture = Cache->UseImage(Index);
    FromCache = true;
    auto* Bmp = dynamic_cast<TBitmap*>(Picture);
    if ((Item->Transp == TGifMask || Item->Transp == TPngKey) && Bmp) {
      Transparent = Item->Transp;
    } else if (Transparent == LLCorner && Bmp && Item->Transp != LLCorner) {
      // The lower-left mask is made once, for the first IMG that asks.
      delete Item->Mask;
      Item->Mask = MakeMask(Bmp, false, 0);
      Item->Transp = LLCorner;
    }
    Mask = Item->Mask;
    if (Entry)
      *Entry = Item;
    return Picture;
  }
  TPersistent* Picture = nullptr;
  try {
    Picture = RequestPicture(Source, Transparent, Mask, Waiting);
  } catch (const std::exception&) {
    Picture = nullptr;  // an undecodable picture shows as missing
  }
  if (!Picture) {
    delete Mask;
    Mask = nullptr;
    return nullptr;
  }
  ++DecodeCount;
  auto* Item = new TBitmapItem(Picture, Mask ? BYTE(Transparent) : 0, Mask);
  Cache->AddObject(Key, Item);
  if (Entry)
    *Entry = Item;
  return Picture;
}

bool TSectionList::IsPending(const std::string& Source)
{
  const std::string& Key = ImageKey(Source);
  return std::any_of(PendingImages.begin(), PendingImages.end(), [&](const auto& P) { return P.first == Key; });
}

void TSectionList::AddPending(const std::string& Source, TImageObj* Image)
{
  PendingImages.emplace_back(ImageKey(Source), Image);
}

void TSectionList::ForgetPending(TImageObj* Image)
{
  std::erase_if(PendingImages, [&](const auto& P) { return P.second == Image; });
}

bool TSectionList::SupplyPicture(const std::string& Source, const std::string& Data)
{
  using namespace ImageRequestDetail;
  const std::string Key = TStringBitmapList::Key(Source);
  if (Key.empty() || std::none_of(PendingImages.begin(), PendingImages.end(),
                                  [&](const auto& P) { return P.first == Key; }))
    return false;
  TStringBitmapList* Cache = ImageCache();
  int Index = -1;
  bool Failed = false;
  if (!Cache->Find(Key, Index)) {
    TTransparency Transp = NotTransp;
    TBitmap* Mask = nullptr;
    TPersistent* Picture = nullptr;
    try {
      Picture = DecodePicture(Data, Transp, Mask);
    } catch (const std::exception&) {
      Picture = nullptr;
    }
    if (Picture) {
      ++DecodeCount;
      auto* Item = new TBitmapItem(Picture, Mask ? BYTE(Transp) : 0, Mask);
      Cache->AddObject(Key, Item);
      Item->UserCount = 0;  // the images take it again as they measure
    } else {
      delete Mask;
      Failed = true;  // what cannot be decoded shows the error picture
    }
  }
  std::vector<TImageObj*> Waiting;
  for (auto It = PendingImages.begin(); It != PendingImages.end();)
    if (It->first == Key) {
      if (It->second)
        Waiting.push_back(It->second);
      It = PendingImages.erase(It);
    } else {
      ++It;
    }
  for (TImageObj* Image : Waiting)
    Image->Reload(Failed);
  return true;
}
