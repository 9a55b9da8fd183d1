// The picture that follows the mouse while something is dragged (a header
// column here): a copy of the dragged thing, blended over the screen. It
// lives in a layered popup window, so the window system composes it over
// whatever lies below and nothing has to be saved and restored by hand; on a
// screen that cannot compose windows no picture shows and the drag still works.
#pragma once

#include <cstdint>

#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/window/WindowTypes.h"

enum TLTDragMoveRestriction { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };

class TLTDragImage {
public:
  TLTDragImage() = default;
  ~TLTDragImage();
  TLTDragImage(const TLTDragImage&) = delete;
  TLTDragImage& operator=(const TLTDragImage&) = delete;

  // Constant alpha of the picture (0 transparent .. 255 opaque).
  std::uint8_t Transparency = 128;
  // Brightens (above 0) or darkens (below 0) the picture as it is taken.
  std::int8_t PreBlendBias = 0;
  // The picture's alpha falls off from its centre.
  bool Fade = false;
  TLTDragMoveRestriction MoveRestriction = dmrNone;
  // Pixels of this colour are fully transparent; clNone for none.
  TColor ColorKey = clNone;

  // Takes a copy of Picture (any bitmap) to show with its top-left at
  // Position (screen); HotSpot is the mouse position the moves start from.
  void Prepare(HBITMAP Picture, TPoint Position, TPoint HotSpot);
  bool Prepared() const { return FWindow != nullptr; }
  void Show();
  void Hide();
  bool Visible() const { return FShown; }
  // Moves the picture by the mouse's step since the last call (within the
  // restriction); answers whether it moved. Force redraws it even without a step.
  bool MoveTo(TPoint P, bool Force = false);
  // Whether MoveTo(P) would move the visible picture.
  bool WillMove(TPoint P) const;
  // The picture's place on the screen while visible, else empty.
  TRect PictureRect() const;
  TPoint Position() const { return FPosition; }
  // Hides the picture and frees it.
  void End();

  // The alpha of a pixel of a W x H picture under Fade: 255 at the centre,
  // falling as e^(-8 r) with r the distance over the larger side.
  static std::uint8_t FadeAlpha(int X, int Y, int W, int H);

private:
  TPoint Step(TPoint P) const;
  void Present();

  HWND FWindow = nullptr;
  HBITMAP FPicture = nullptr;  // 32-bit, premultiplied when it carries its own alpha
  bool FPerPixel = false;
  bool FShown = false;
  TSize FSize;
  TPoint FPosition, FLastPosition;
};
