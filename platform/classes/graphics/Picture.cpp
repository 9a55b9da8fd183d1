#include "platform/classes/graphics/Picture.h"

#include <mutex>
#include <vector>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Format.h"
#include "platform/base/Path.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Icon.h"

namespace {

struct TFileFormat {
  std::string Extension;
  std::string Description;
  TGraphicClass GraphicClass;
};

struct TFileFormats {
  std::mutex Lock;
  std::vector<TFileFormat> List{
      {"bmp", "Bitmaps", []() -> TGraphic* { return new TBitmap; }},
      {"ico", "Icônes", []() -> TGraphic* { return new TIcon; }},
  };
};

TFileFormats& FileFormats()
{
  static TFileFormats formats;
  return formats;
}

std::string ExtensionOf(const std::string& FileName)
{
  std::string ext = ExtractFileExt(FileName);
  if (!ext.empty() && ext[0] == '.')
    ext.erase(0, 1);
  return ext;
}

}  // namespace

TPicture::~TPicture()
{
  delete FGraphic;
}

void TPicture::Take(TGraphic* NewGraphic)
{
  delete FGraphic;
  FGraphic = NewGraphic;
  if (FGraphic)
    FGraphic->OnChange = TNotifyEvent(this, &TPicture::Changed);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value)
{
  if (Value == FGraphic)
    return;
  TGraphic* copy = nullptr;
  if (Value) {
    copy = Value->NewInstance();
    OnFailure freeing([&] { delete copy; });
    copy->Assign(Value);
  }
  Take(copy);
}

void TPicture::SetBitmap(TBitmap* Value)
{
  SetGraphic(Value);
}

TBitmap* TPicture::Bitmap()
{
  auto* bitmap = dynamic_cast<TBitmap*>(FGraphic);
  if (!bitmap) {
    bitmap = new TBitmap;
    Take(bitmap);
  }
  return bitmap;
}

TIcon* TPicture::Icon()
{
  auto* icon = dynamic_cast<TIcon*>(FGraphic);
  if (!icon) {
    icon = new TIcon;
    Take(icon);
  }
  return icon;
}

int TPicture::Width() const
{
  return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const
{
  return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::LoadFromFile(const std::string& FileName)
{
  std::string ext = ExtensionOf(FileName);
  TGraphicClass graphicClass = FindGraphicClass(ext);
  if (!graphicClass)
    throw EInvalidGraphic(Format(SUnknownExtension, ext));
  TGraphic* graphic = graphicClass();
  {
    OnFailure freeing([&] { delete graphic; });
    graphic->LoadFromFile(FileName);
  }
  Take(graphic);
}

void TPicture::SaveToFile(const std::string& FileName)
{
  if (FGraphic)
    FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
  if (!Source)
    SetGraphic(nullptr);
  else if (auto* picture = dynamic_cast<TPicture*>(Source))
    SetGraphic(picture->FGraphic);
  else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
    SetGraphic(graphic);
  else
    TPersistent::Assign(Source);
}

void TPicture::Changed(TObject*)
{
  if (OnChange)
    OnChange(this);
}

void TPicture::RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                  TGraphicClass GraphicClass)
{
  auto& formats = FileFormats();
  std::lock_guard lock(formats.Lock);
  formats.List.push_back({LowerCase(Extension), Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass)
{
  auto& formats = FileFormats();
  std::lock_guard lock(formats.Lock);
  std::erase_if(formats.List, [&](const TFileFormat& f) { return f.GraphicClass == GraphicClass; });
}

TGraphicClass TPicture::FindGraphicClass(const std::string& Extension)
{
  auto& formats = FileFormats();
  std::lock_guard lock(formats.Lock);
  for (auto it = formats.List.rbegin(); it != formats.List.rend(); ++it)
    if (AnsiSameText(it->Extension, Extension))
      return it->GraphicClass;
  return nullptr;
}
