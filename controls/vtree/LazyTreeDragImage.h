// The picture that follows the pointer while nodes or a column are dragged:
// a semi-transparent copy blended over what the screen shows under it. The
// screen under the picture is kept, so hiding or moving it gives the screen
// back exactly.
#pragma once

#include <cstdint>

#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/ole/DataObject.h"

class TBaseLazyTree;

enum TLTDragMoveRestriction { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };

class TLTDragImage {
public:
  explicit TLTDragImage(TBaseLazyTree* Owner);
  // The tree that paints under the picture (a header learns it late).
  void SetOwner(TBaseLazyTree* Owner) { FOwner = Owner; }
  ~TLTDragImage();
  TLTDragImage(const TLTDragImage&) = delete;
  TLTDragImage& operator=(const TLTDragImage&) = delete;

  // Takes a copy of Picture (any bitmap) shown with its top-left at
  // ImagePosition (screen); HotSpot is the pointer's screen point.
  void PrepareDrag(HBITMAP Picture, TPoint ImagePosition, TPoint HotSpot, IDataObject* DataObject);
  void ShowDragImage();
  void HideDragImage();
  // Moves the picture with the pointer; true when it moved.
  bool DragTo(TPoint P, bool ForceRepaint);
  bool WillMove(TPoint P) const;
  TRect GetDragImageRect() const;
  // Where the picture's top-left stands on the screen.
  TPoint ImagePosition() const { return FImagePosition; }
  // The tree painted part of itself under the picture: the kept screen is
  // taken again from the tree (client part, and with NonClient the frame).
  void RecaptureBackground(TBaseLazyTree* Tree, TRect R, HRGN VisibleRegion, bool UpdateNow, bool NonClient);
  void EndDrag();
  bool Visible() const { return FPrepared && !FCapturePending && !FUseShellImage; }
  bool Prepared() const { return FPrepared; }

  std::uint8_t Transparency = 128;
  std::int8_t PreBlendBias = 0;
  std::int8_t PostBlendBias = 0;
  bool Fade = false;
  TLTDragMoveRestriction MoveRestriction = dmrNone;
  TColor ColorKey = TColor(0x1FFFFFFF);  // clNone: no key

  // The alpha of the drag bitmap at a pixel (for checking the fall-off).
  std::uint8_t AlphaAt(int X, int Y) const;

private:
  struct TDib {
    HDC DC = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Old = nullptr;
    std::uint32_t* Bits = nullptr;
  };
  void MakeDib(TDib& D, int Width, int Height);
  void FreeDib(TDib& D);
  void BuildAlpha(HDC PictureDC);
  void CaptureScreen();
  void RestoreScreen();
  // Moves the visible picture by less than its size, strip by strip.
  void MoveOverlapping(int DeltaX, int DeltaY);
  // Shifts the kept screen of the overlap to where it lies in the new place.
  void ScrollBack(int DX, int DY);
  void DrawOnScreen();

  TBaseLazyTree* FOwner;
  bool FCapturePending = false, FPrepared = false, FUseShellImage = false;
  TPoint FLastPosition, FImagePosition;
  int FWidth = 0, FHeight = 0;
  TDib FDrag, FBlend, FBack;
};
