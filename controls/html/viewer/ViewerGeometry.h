// The viewer's layout decisions as plain arithmetic: how many layout passes
// a document gets and at which widths, where the scroll bars and the paint
// panel go, and scroll positions packed relative to the document's anchors
// so that they survive a new layout.
#pragma once

#include <functional>
#include <vector>

#include "controls/html/viewer/ViewerTypes.h"
#include "platform/base/Geometry.h"

// Documents at least this long are laid out once, with the vertical bar
// taken as present.
constexpr int SingleLayoutSourceLength = 10000;
// The widest document the viewer scrolls over and draws.
constexpr int MaxDocumentWidth = 6000;

struct TViewerFrame {
  TScrollStyle ScrollBars = ssBoth;
  bool ShowVScroll = false;  // htShowVScroll
  bool NoBorder = false;     // BorderStyle htNone
  int Width = 150, Height = 150;
  int BarWidth = 16;
};

// One layout of the document at a width: it answers the document height
// and sets the document width.
using TLayoutPass = std::function<int(int Width, int& DocWidth)>;

struct TLayoutResult {
  int DocHeight = 0, DocWidth = 0;
  std::vector<int> PassWidths;  // in the order they ran
};

// Runs one, two or three passes to decide whether the vertical bar is
// needed (one when the bars allow no vertical one, and one at the narrower
// width for long sources or an always-shown bar).
TLayoutResult FormatPasses(const TViewerFrame& F, int SourceLength, const TLayoutPass& Pass);

struct TBarPlacement {
  bool VNeeded = false, VShown = false, HShown = false;
  int VisibleWidth = 0;
  int Frame = 1;     // 0 without a border, else 1
  TRect Panel;       // the paint panel
  TRect HBar, VBar;  // bounds of the bars
  bool VBarVisible = false, VBarEnabled = true;
  int HMax = 0, HPage = 0, HLargeChange = 1;
  int VPage = 0, VMax = 0, VLargeChange = 0;
  int DocWidth = 0;  // capped at MaxDocumentWidth
};

TBarPlacement PlaceBars(const TViewerFrame& F, int DocWidth, int DocHeight, int VSmallChange = 16);

// Packs the vertical position V: with Tops the anchors' tops in vertical
// order, the last anchor at or above V gives ((index + 1) shl 16) or the
// distance below it; without one, V itself. A position that form cannot
// carry (a distance of 0x10000 or more, 0x8000 anchors or more, V above
// 0xFFFF without an anchor) packs as -(V + 1), kept as it is.
int PackPosition(const std::vector<int>& Tops, int V);
// The document y of a packed position after a new layout; false when its
// anchor no longer exists.
bool UnpackPosition(const std::vector<int>& Tops, int P, int& Y);
