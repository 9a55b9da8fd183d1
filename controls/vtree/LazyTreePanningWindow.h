// The small shaped window that marks the anchor of wheel panning: 32x32
// pixels centred on the anchor, shaped by the non-fuchsia pixels of its
// picture, painting only that picture.
#pragma once

#include "platform/win/win.h"

// The region of every pixel of Bitmap that is not Transparent, made of runs
// row by row; null for an empty (or missing) bitmap.
HRGN RegionFromBitmap(HBITMAP Bitmap, COLORREF Transparent);

class TPanningWindow {
public:
  // Shows the window without activating it, owned by Owner, centred on the
  // screen point, with the named picture of the library's resources.
  TPanningWindow(HWND Owner, TPoint ScreenCentre, const char* PictureName);
  ~TPanningWindow();
  TPanningWindow(const TPanningWindow&) = delete;
  TPanningWindow& operator=(const TPanningWindow&) = delete;
  HWND Handle() const { return FWindow; }

private:
  HWND FWindow = nullptr;
  HBITMAP FBitmap = nullptr;
};
