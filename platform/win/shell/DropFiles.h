// Lists of files in CF_HDROP data: a DROPFILES header in a global block, then
// the names, each ending in a zero, the list ending in one more zero; the
// names are UTF-16 when fWide is set, UTF-8 otherwise.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/win/window/Clipboard.h"

using HDROP = HGLOBAL;

struct DROPFILES {
  DWORD pFiles = sizeof(DROPFILES);  // offset of the first name from the header's start
  TPoint pt;                         // the drop point, in the target window's client area
  BOOL fNC = FALSE;                  // the point lies in the non-client area
  BOOL fWide = TRUE;
};

// A moveable CF_HDROP block with the names in UTF-16 (fWide set), or null
// when memory runs out.
HDROP MakeDropFiles(const std::vector<std::string>& utf8Names, TPoint point = {}, bool nonClient = false);

// With index 0xFFFFFFFF: the number of files. With no buffer: the length of
// name index in characters (bytes for A, UTF-16 units for W), without the
// zero. Otherwise copies at most size - 1 characters and a zero, and answers
// the number copied. 0 for a bad block or index. A block that breaks its own
// layout (offsets past its end, no final zero) is read only as far as it goes.
UINT DragQueryFileA(HDROP drop, UINT index, char* buffer, UINT size);
UINT DragQueryFileW(HDROP drop, UINT index, char16_t* buffer, UINT size);
inline UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size)
{
  return DragQueryFileA(drop, index, buffer, size);
}
// The drop point; TRUE when it lies in the client area.
BOOL DragQueryPoint(HDROP drop, TPoint* point);
// Frees the block.
void DragFinish(HDROP drop);
