// TImageObj: an image placed in a section's text by IMG (or the background
// of a block, or a list item's bullet). It reads its attributes and style,
// obtains its picture through the document's image request, decides its
// size, paints itself inline or as a left or right float, frames a missing
// picture with its alt text, and answers hit tests for links and maps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/SmallOwnerList.h"
#include "controls/html/document/PictureSource.h"
#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/win/gdi/GdiTypes.h"

class TAttributeList;
class TBitmap;
class TFontObj;
class TGIFImage;
class TImageFormControlObj;
class TMapItem;
class TPersistent;
class TProperties;
class TSectionList;

class TImageObj : public TObject {
public:
  enum { AlignTop = 1, AlignMiddle = 2, AlignBaseline = 4, AlignLeft = 5, AlignRight = 6, AlignBottom = 3 };
  // Pictures wider or taller than this are clamped (sizes come from the page).
  static constexpr int MaxSize = 32767;

  TImageObj(TSectionList* ADocument, int APos, TAttributeList& Attributes);
  // A background or bullet picture.
  TImageObj(TSectionList* ADocument, const std::string& ASource);
  ~TImageObj() override;
  // Kept by the ten thousand in a long conversation: in slots of their own size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Object, std::size_t Size) noexcept;

private:
  // What few pictures have, made when one of it is set.
  struct TRarePart {
    std::string Alt, Title, MapName;
    TImageFormControlObj* FormControl = nullptr;
  };
  std::unique_ptr<TRarePart> FRare;

public:
  TSectionList* Document;
  TPersistent* Image = nullptr;  // a TBitmap or a TGIFImage; the cache's unless OwnsImage or Missing
  TBitmap* Mask = nullptr;
  TPictureSource Source;
  int Pos = 0;  // character index in the section's text
  int ImageWidth = 0, ImageHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;
  int DrawX = 0, DrawY = 0;   // document coordinates of the last paint
  int IndentX = 0;            // a float's x, given by the line layout

private:
  // The clock's time at which a GIF shared with the cache (SharedGif)
  // started to animate: its own copy, made later, animates from then.
  DWORD FAnimationStart = 0;

public:
  // Sizes and spaces stay within MaxSize: narrow fields keep the many
  // pictures of a long conversation small.
  std::int16_t SpecWidth = -1, SpecHeight = -1;  // -1: not given
  std::int16_t HSpaceL = 0, HSpaceR = 0, VSpaceT = 0, VSpaceB = 0;
  std::int8_t Align = AlignBaseline;
  std::int8_t Transparent = 0;  // the transparency kind (ImageLoading.h)
  std::int8_t HoverState = 0;   // 0 none, 1 hovered, 2 pressed
  bool PercentWidth : 1 = false, PercentHeight : 1 = false;
  bool FixedSize : 1 = false;
  bool NoBorder : 1 = false;
  bool ShownByLastPaint : 1 = false;  // in the document's ShownPictures
  bool Bordered : 1 = false;
  bool IsMap : 1 = false, UseMap : 1 = false;
  // No picture of its own: the error picture (it cannot be had) or the
  // placeholder (it is still coming, or pictures are switched off).
  bool Missing : 1 = false;
  bool Waiting : 1 = false;  // in the document's pending list
  bool OwnsImage : 1 = false;
  bool Cached : 1 = false;  // Image is a use of a cache entry, released at the end
  bool Requested : 1 = false;
  bool Active : 1 = false;  // ACTIVE: a GIF whose frames show the hover state
  // Image is the cache's GIF itself (a use of its entry, Cached): each IMG
  // animates on its own copy, but until a picture is first shown or hovered
  // its copy would still stand at its first frame, so a long conversation's
  // smileys share the cache's GIF until then.
  bool SharedGif : 1 = false;

  // ALT, TITLE and USEMAP's map name: empty for most pictures.
  const std::string& Alt() const { return FRare ? FRare->Alt : NoText(); }
  void SetAlt(const std::string& Value);
  const std::string& Title() const { return FRare ? FRare->Title : NoText(); }
  void SetTitle(const std::string& Value);
  const std::string& MapName() const { return FRare ? FRare->MapName : NoText(); }
  void SetMapName(const std::string& Value);
  // The image input that shows this picture, when there is one: a click on
  // the picture submits its form.
  TImageFormControlObj* FormControl() const { return FRare ? FRare->FormControl : nullptr; }
  void SetFormControl(TImageFormControlObj* Value);

  bool Floating() const { return Align == AlignLeft || Align == AlignRight; }
  int TotalWidth() const { return ClientWidth + HSpaceL + HSpaceR; }
  int TotalHeight() const { return ClientHeight + VSpaceT + VSpaceB; }

  void ApplyStyle(TProperties& Props);
  // Obtains the picture (once) and computes the size against the available
  // width and height; Font is the run the image sits in. Form controls and
  // panels stand in the text as boxes that measure and place themselves.
  virtual void Measure(int AvailHeight, int AvailWidth, const TFontObj* Font);
  // Paints at X (document), aligned on the line by Baseline and LineTop (document).
  virtual void Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font);
  // Paints only the picture at the given screen rectangle (the current frame
  // of a GIF; a masked bitmap through its mask); nothing when it is missing.
  void DrawPicture(HDC DC, int X, int Y, int W, int H);
  // Drives a state image: with 2 frames the second shows while hovered or
  // pressed; with 3, the second while hovered and the third while pressed;
  // with any other count the animation runs while hovered. Leaving stops it.
  void SetHover(int State);
  // The picture that was waiting has come (or could not be decoded, Failed):
  // the next measure takes it from the cache or shows the error picture.
  void Reload(bool Failed);

private:
  static const std::string& NoText();
  TRarePart& RarePart();

  void Obtain();
  // A picture that still shows the cache's GIF takes its own copy, to
  // animate or follow the mouse by itself.
  void OwnGifCopy();
  void ShowErrorPicture();
  void ShowPlaceholder();
  void LetGo();
  // The frame, the small picture and the alt text of a missing picture.
  void DrawMissing(HDC DC, int X, int Y, const TFontObj* Font);
  // The keyboard focus is on the link or the image input this picture shows.
  bool HasFocus(const TFontObj* Font) const;
};

class TImageObjList {
public:
  TSmallOwnerList<TImageObj> Items;
  int Count() const { return int(Items.size()); }
  // The image at Pos (the items ascend by position).
  TImageObj* FindImage(int Pos) const;
  // Characters from Pos to the next image at or after it; 99999999 when none.
  int GetImageCountAt(int Pos) const;
  // The image whose client box holds the document point.
  TImageObj* ImageAt(int X, int Y) const;
};
