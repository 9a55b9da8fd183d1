// Dragging an image of an image list: one drag image per process, drawn over
// a window (or the screen) as the mouse moves, the pixels under it kept and
// put back exactly as it moves, hides and ends.
//
// Positions are in the coordinates of the window given to DragEnter: relative
// to its window rectangle's top-left corner (the frame included), or to the
// screen when that window is null or the desktop. The image's top-left lands
// at the position less the hot spot given to BeginDrag.
//
// The window is not locked against painting: a caller that paints under a
// shown image hides it first (DragShowNolock(FALSE)) and shows it again
// after, as the class library does around WM_PAINT; otherwise the pixels put
// back when the image leaves are the ones it covered.
#pragma once

#include "platform/win/window/WindowTypes.h"

// Starts a drag with a copy of image `index` of `track` (a drag in progress
// ends first). Nothing shows until DragEnter.
BOOL ImageList_BeginDrag(HIMAGELIST track, int index, int dxHotspot, int dyHotspot);
// Hides the image and forgets the drag.
void ImageList_EndDrag();
// Shows the image over `lock` (null: the screen) at (x, y).
BOOL ImageList_DragEnter(HWND lock, int x, int y);
// Hides the image and leaves the window.
BOOL ImageList_DragLeave(HWND lock);
// Moves the image; while hidden, only where it will show.
BOOL ImageList_DragMove(int x, int y);
// Shows or hides the image in the window entered, keeping the drag.
BOOL ImageList_DragShowNolock(BOOL show);
