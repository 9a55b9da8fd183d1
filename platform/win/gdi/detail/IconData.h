// The value behind an icon handle.
#pragma once

#include <memory>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/detail/HandleTable.h"

namespace gdi {

struct TIconData {
  bool IsIcon = true;
  TPoint HotSpot;
  int Width = 0;
  int Height = 0;
  bool Mono = false;              // no colour image: XOR bits in Color as 0 / 0xFFFFFF
  bool HasAlpha = false;          // Color carries straight alpha in its high byte
  std::vector<uint32_t> Color;    // 0xAARRGGBB, Width x Height
  std::vector<uint8_t> Mask;      // 1: keep the screen (AND mask)
};

THandleTable<TIconData>& IconTable();
std::shared_ptr<TIconData> LookupIcon(HICON icon);
HICON AddIcon(std::shared_ptr<TIconData> icon);

}  // namespace gdi
