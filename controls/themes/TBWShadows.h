// The drop shadow of one popup: up to six strips (CutShadow) made, rendered
// and shown together just under the popup, freed in reverse order.
#pragma once

#include <array>
#include <memory>

#include "controls/themes/TBWShadow.h"

class TShadows {
public:
  // ParentRect is the opener's screen rectangle (empty when none) and
  // PopupRect the popup's; the strips are Size thick (halved on a low-colour
  // display or without alpha functions).
  TShadows(const TRect& ParentRect, const TRect& PopupRect, int Size, BYTE Opacity, bool LowColor);
  ~TShadows();
  TShadows(const TShadows&) = delete;
  TShadows& operator=(const TShadows&) = delete;

  // Every piece goes right after Window in the z-order and shows.
  void Show(HWND Window);

  // V1, H1, V2, H2, V3, H3 (TShadowPieceIndex); null where there is none.
  TShadow* Piece(int Index) const { return FPieces[size_t(Index)].get(); }
  bool SaveBits() const { return FSaveBits; }

private:
  std::array<std::unique_ptr<TShadow>, 6> FPieces;
  bool FSaveBits = false;
};
