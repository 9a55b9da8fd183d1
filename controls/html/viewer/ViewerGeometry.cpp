#include "controls/html/viewer/ViewerGeometry.h"

#include <algorithm>

namespace {

int BorderOf(const TViewerFrame& F) { return F.NoBorder ? 0 : 2; }

// A vertical bar is needed for a document as high as the room, or, when a
// horizontal bar would also take room, nearly as high and wider than Room.
bool NeedsVBar(const TViewerFrame& F, int DocHeight, int DocWidth, int Room)
{
  const int B = BorderOf(F);
  if (DocHeight >= F.Height - B)
    return true;
  return (F.ScrollBars == ssHorizontal || F.ScrollBars == ssBoth) && DocHeight >= F.Height - B - F.BarWidth &&
         DocWidth > Room;
}

}  // namespace

TLayoutResult FormatPasses(const TViewerFrame& F, int SourceLength, const TLayoutPass& Pass)
{
  TLayoutResult R;
  const int B = BorderOf(F);
  const int W = F.Width - B;
  auto Run = [&](int Width) {
    R.DocWidth = 0;
    R.DocHeight = Pass(Width, R.DocWidth);
    R.PassWidths.push_back(Width);
  };
  if (F.ScrollBars == ssNone || F.ScrollBars == ssHorizontal) {
    Run(W);
  } else if (F.ShowVScroll || SourceLength >= SingleLayoutSourceLength) {
    Run(W - F.BarWidth);
  } else {
    Run(W);
    if (NeedsVBar(F, R.DocHeight, R.DocWidth, F.Width - F.BarWidth - B)) {
      Run(W - F.BarWidth);
      if (!NeedsVBar(F, R.DocHeight, R.DocWidth, F.Width - B))
        Run(W);
    }
  }
  return R;
}

TBarPlacement PlaceBars(const TViewerFrame& F, int DocWidth, int DocHeight, int VSmallChange)
{
  TBarPlacement P;
  P.DocWidth = std::min(DocWidth, MaxDocumentWidth);
  P.Frame = F.NoBorder ? 0 : 1;
  const int B = 2 * P.Frame;
  const bool Vertical = F.ScrollBars == ssVertical || F.ScrollBars == ssBoth;
  if ((!F.ShowVScroll && DocHeight < F.Height - B && P.DocWidth <= F.Width - B) || F.ScrollBars == ssNone) {
    // nothing shown
  } else if (F.ScrollBars == ssHorizontal) {
    P.HShown = P.DocWidth > F.Width - B;
  } else {
    P.VNeeded = NeedsVBar(F, DocHeight, P.DocWidth, F.Width - F.BarWidth - B);
    P.HShown = F.ScrollBars == ssBoth && (P.DocWidth > F.Width - B ||
                                          ((P.VNeeded || F.ShowVScroll) && P.DocWidth > F.Width - F.BarWidth - B));
    P.VShown = P.VNeeded || F.ShowVScroll;
  }
  P.VisibleWidth = P.VShown || (F.ShowVScroll && Vertical) ? F.Width - F.BarWidth : F.Width;
  const int PH = P.HShown ? F.Height - B - F.BarWidth : F.Height - B;
  P.Panel = TRect(P.Frame, P.Frame, P.Frame + P.VisibleWidth - B, P.Frame + PH);
  P.HLargeChange = std::max(1, P.VisibleWidth - 20);
  P.HBar = TRect(P.Frame, F.Height - F.BarWidth - P.Frame, P.VisibleWidth, F.Height - P.Frame);
  P.HMax = std::max(0, std::max(P.DocWidth, P.VisibleWidth - B));
  P.HPage = P.VisibleWidth;
  P.VBar = TRect(F.Width - F.BarWidth - P.Frame, P.Frame, F.Width - P.Frame, P.Frame + PH);
  P.VLargeChange = PH - VSmallChange;
  if (F.ShowVScroll) {
    P.VBarVisible = Vertical;
    P.VBarEnabled = P.VNeeded;
  } else {
    P.VBarVisible = P.VShown;
  }
  P.VPage = PH + 1;
  P.VMax = DocHeight;
  return P;
}

int PackPosition(const std::vector<int>& Tops, int V)
{
  for (int I = int(Tops.size()) - 1; I >= 0; --I)
    if (Tops[std::size_t(I)] <= V) {
      // Only what the packed form can carry: an anchor number below 0x8000
      // and a distance below 0x10000.
      if (I + 1 < 0x8000 && V - Tops[std::size_t(I)] <= 0xFFFF)
        return ((I + 1) << 16) | (V - Tops[std::size_t(I)]);
      break;
    }
  // No anchor: V itself, or -(V + 1) when V would read as an anchor's.
  return V <= 0xFFFF ? V : -(V + 1);
}

bool UnpackPosition(const std::vector<int>& Tops, int P, int& Y)
{
  if (P < 0) {
    Y = -(P + 1);
    return true;
  }
  Y = P & 0xFFFF;
  const int Anchor = (P >> 16) & 0xFFFF;
  if (Anchor == 0)
    return true;
  if (Anchor > int(Tops.size()))
    return false;
  Y += Tops[std::size_t(Anchor - 1)];
  return true;
}
