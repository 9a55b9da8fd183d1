// The shapes of popup drop shadows, as pure functions: how a popup's shadow
// (and its opener's) is cut into strips, how thick it is, which way it is
// drawn, and the alpha each strip's pixels carry.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/win/win.h"

// Edges of a strip that end in a rounded corner.
constexpr BYTE ShadowFirstEnd = 1;   // the left or top end
constexpr BYTE ShadowSecondEnd = 2;  // the right or bottom end

enum class TShadowStyle : BYTE {
  Solid = 0,    // filled with clBtnShadow
  Layered = 1,  // a layered window with per-pixel alpha, composed by the display
  Blended = 2,  // alpha-blended onto the window's own pixels when erased
};

struct TShadowPiece {
  bool Vertical = false;
  TRect Bounds;
  BYTE Edges = 0;
  bool operator==(const TShadowPiece&) const = default;
};
// V1, H1, V2, H2, V3, H3.
using TShadowPieces = std::array<std::optional<TShadowPiece>, 6>;
enum TShadowPieceIndex { ShadowV1, ShadowH1, ShadowV2, ShadowH2, ShadowV3, ShadowH3 };

// The strips around Parent (the opener's screen rectangle, maybe empty) and
// Popup, Size thick: right of and below a rectangle alone; following the
// outline of both when they lie side by side or stacked, leaving out what
// they share; nothing when they overlap otherwise or both are empty.
TShadowPieces CutShadow(TRect Parent, TRect Popup, int Size);

// The thickness: halved on a low-colour display or without any alpha function.
int ShadowSize(int Size, bool LowColor, bool HaveUpdateLayeredWindow, bool HaveAlphaBlend);
TShadowStyle ChooseShadowStyle(bool LowColor, bool HaveUpdateLayeredWindow, bool HaveAlphaBlend);

// Fills Pixels (Width x Height, rows of Width values) with premultiplied
// black: the alpha in the top byte, colour 0. A horizontal strip fades down
// its rows, a vertical one across its columns; the ends in Edges get rounded
// corners as long as the strip is thick, sharing a strip too short for both.
void FillShadowAlpha(uint32_t* Pixels, int Width, int Height, bool Vertical, BYTE Edges);
