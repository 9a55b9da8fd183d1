// The value behind an image-list handle.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/detail/HandleTable.h"

namespace gdi {

struct TImageListData {
  struct TImage {
    std::vector<uint32_t> Pixels;  // Cx x Cy, 0xAARRGGBB (alpha used when HasAlpha)
    std::vector<uint8_t> Mask;     // 1: transparent
    bool HasAlpha = false;
  };
  int Cx = 16;
  int Cy = 16;
  UINT Flags = 0;
  int Grow = 4;
  COLORREF BkColor = 0xFFFFFFFF;  // CLR_NONE
  std::array<int, 4> Overlays{-1, -1, -1, -1};
  std::vector<TImage> Images;
  int Count() const { return int(Images.size()); }
};

THandleTable<TImageListData>& ImageLists();
std::shared_ptr<TImageListData> LookupImageList(HIMAGELIST list);
HIMAGELIST AddImageList(std::shared_ptr<TImageListData> list);

}  // namespace gdi
