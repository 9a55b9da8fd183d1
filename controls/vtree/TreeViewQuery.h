// The tree-view query messages through which screen tools read the tree, and
// the item record of TVM_GETITEMA (the item handle is a node pointer).
#pragma once

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/base/Types.h"

constexpr UINT TVM_GETITEMRECT = 0x1104, TVM_GETNEXTITEM = 0x110A, TVM_GETITEMA = 0x110C;
constexpr UINT TVIF_TEXT = 0x1, TVIF_IMAGE = 0x2, TVIF_STATE = 0x8, TVIF_HANDLE = 0x10, TVIF_SELECTEDIMAGE = 0x20,
               TVIF_CHILDREN = 0x40;

struct TTreeViewItemA {
  UINT mask;
  PLazyNode hItem;
  UINT state;
  UINT stateMask;
  char* pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
