// The drag image of image lists. Every change of what shows (show, move,
// hide) is one pass over the rectangle around the old and the new place: the
// pixels there are read, the background kept from the last showing is put
// back where the image was, the background under the new place is kept, the
// image is drawn, and the whole rectangle goes out in one copy, so the image
// never flickers and never leaves a trace.
#include "platform/win/window/ImageListDrag.h"

#include <mutex>
#include <optional>

#include "platform/win/gdi/gdi.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/WindowTree.h"

namespace {

struct TDragImage {
  HIMAGELIST Image = nullptr;  // the dragged image alone, index 0
  int Cx = 0, Cy = 0;
  TPoint Hotspot;
  bool Entered = false;
  HWND Lock = nullptr;         // null: the screen
  TPoint Position;             // where the hot spot goes, in the lock window's coordinates
  bool Visible = false;        // wanted on the screen (DragShowNolock)
  // What is on the screen now: the image's top-left, and the pixels it covers.
  std::optional<TPoint> ShownAt;
  HDC Background = nullptr;
  HBITMAP BackgroundBitmap = nullptr;
  HGDIOBJ BackgroundOld = nullptr;
};

std::recursive_mutex gLock;
TDragImage gDrag;

HBITMAP Bitmap32(int width, int height) { return CreateBitmap(width, height, 1, 32, nullptr); }

HWND DrawingWindow(HWND lock) { return lock == GetDesktopWindow() ? nullptr : lock; }

// Redraws so that the image shows at `at` (top-left, lock window
// coordinates), or nowhere. False when the window cannot be drawn on (gone):
// what was kept is then forgotten.
bool ShowAt(TDragImage& d, std::optional<TPoint> at)
{
  if (!d.ShownAt && !at)
    return true;
  HWND window = DrawingWindow(d.Lock);
  HDC dc = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (!dc) {
    d.ShownAt.reset();
    return false;
  }
  TRect before = d.ShownAt ? Bounds(d.ShownAt->x, d.ShownAt->y, d.Cx, d.Cy) : TRect();
  TRect after = at ? Bounds(at->x, at->y, d.Cx, d.Cy) : TRect();
  TRect area;
  UnionRect(&area, &before, &after);
  HDC work = CreateCompatibleDC(dc);
  HBITMAP workBitmap = Bitmap32(area.Width(), area.Height());
  HGDIOBJ workOld = SelectObject(work, workBitmap);
  BitBlt(work, 0, 0, area.Width(), area.Height(), dc, area.Left, area.Top, SRCCOPY);
  if (d.ShownAt)
    BitBlt(work, before.Left - area.Left, before.Top - area.Top, d.Cx, d.Cy, d.Background, 0, 0, SRCCOPY);
  if (at) {
    BitBlt(d.Background, 0, 0, d.Cx, d.Cy, work, after.Left - area.Left, after.Top - area.Top, SRCCOPY);
    ImageList_Draw(d.Image, 0, work, after.Left - area.Left, after.Top - area.Top, ILD_TRANSPARENT);
  }
  BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), work, 0, 0, SRCCOPY);
  SelectObject(work, workOld);
  DeleteObject(workBitmap);
  DeleteDC(work);
  ReleaseDC(window, dc);
  d.ShownAt = at;
  return true;
}

// Shows the image where the state says it belongs.
bool Refresh(TDragImage& d)
{
  std::optional<TPoint> at;
  if (d.Image && d.Entered && d.Visible)
    at = TPoint(d.Position.x - d.Hotspot.x, d.Position.y - d.Hotspot.y);
  return ShowAt(d, at);
}

void Forget(TDragImage& d)
{
  if (d.Background) {
    SelectObject(d.Background, d.BackgroundOld);
    DeleteDC(d.Background);
    DeleteObject(d.BackgroundBitmap);
  }
  if (d.Image)
    ImageList_Destroy(d.Image);
  d = TDragImage();
}

}  // namespace

BOOL ImageList_BeginDrag(HIMAGELIST track, int index, int dxHotspot, int dyHotspot)
{
  std::lock_guard<std::recursive_mutex> lock(gLock);
  ImageList_EndDrag();
  int cx, cy;
  if (!ImageList_GetIconSize(track, &cx, &cy) || index < 0 || index >= ImageList_GetImageCount(track))
    return FALSE;
  // A copy of its own: the list may change or go while the drag runs.
  HICON icon = ImageList_GetIcon(track, index, ILD_TRANSPARENT);
  HIMAGELIST image = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 1);
  bool copied = icon && image && ImageList_ReplaceIcon(image, -1, icon) == 0;
  if (icon)
    DestroyIcon(icon);
  if (!copied) {
    if (image)
      ImageList_Destroy(image);
    return FALSE;
  }
  TDragImage& d = gDrag;
  d.Image = image;
  d.Cx = cx;
  d.Cy = cy;
  d.Hotspot = TPoint(dxHotspot, dyHotspot);
  d.Background = CreateCompatibleDC(nullptr);
  d.BackgroundBitmap = Bitmap32(cx, cy);
  d.BackgroundOld = SelectObject(d.Background, d.BackgroundBitmap);
  return TRUE;
}

void ImageList_EndDrag()
{
  std::lock_guard<std::recursive_mutex> lock(gLock);
  ShowAt(gDrag, std::nullopt);
  Forget(gDrag);
}

BOOL ImageList_DragEnter(HWND lock, int x, int y)
{
  std::lock_guard<std::recursive_mutex> guard(gLock);
  TDragImage& d = gDrag;
  if (!d.Image || (lock && !IsWindow(lock)))
    return FALSE;
  if (d.Entered)
    ShowAt(d, std::nullopt);
  d.Entered = true;
  d.Lock = lock;
  d.Position = TPoint(x, y);
  d.Visible = true;
  return Refresh(d) ? TRUE : FALSE;
}

BOOL ImageList_DragLeave(HWND)
{
  std::lock_guard<std::recursive_mutex> guard(gLock);
  TDragImage& d = gDrag;
  ShowAt(d, std::nullopt);
  d.Entered = false;
  d.Visible = false;
  d.Lock = nullptr;
  return TRUE;
}

BOOL ImageList_DragMove(int x, int y)
{
  std::lock_guard<std::recursive_mutex> guard(gLock);
  TDragImage& d = gDrag;
  if (!d.Image)
    return FALSE;
  d.Position = TPoint(x, y);
  return Refresh(d) ? TRUE : FALSE;
}

BOOL ImageList_DragShowNolock(BOOL show)
{
  std::lock_guard<std::recursive_mutex> guard(gLock);
  TDragImage& d = gDrag;
  if (!d.Image || !d.Entered)
    return FALSE;
  d.Visible = show != FALSE;
  return Refresh(d) ? TRUE : FALSE;
}
