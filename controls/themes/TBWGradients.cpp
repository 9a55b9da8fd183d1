#include "controls/themes/TBWGradients.h"

#include <array>

#include "controls/themes/TBWStockObjects.h"
#include "platform/base/Exception.h"

namespace {

struct TRampSlot {
  int Length = 0;
  COLORREF First = 0, Last = 0;
  std::vector<COLORREF> Colors;
};
std::array<TRampSlot, 16> Slots;
int NextSlot = 0;
int Built = 0;

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

int Channel(COLORREF c, int shift) { return int((c >> shift) & 0xFF); }

std::vector<COLORREF> MakeRamp(int Length, COLORREF C1, COLORREF C2)
{
  std::vector<COLORREF> ramp(Length);
  const int n = Length - 1;
  for (int i = 0; i < Length; ++i) {
    COLORREF value = 0;
    for (int shift : {0, 8, 16}) {
      const int a = Channel(C1, shift), delta = Channel(C2, shift) - a;
      const int v = n == 0 ? a + FloorDiv(delta, 2) : a + FloorDiv(n / 2 + i * delta, n);
      value |= COLORREF(v) << shift;
    }
    ramp[i] = value;
  }
  return ramp;
}

}  // namespace

const std::vector<COLORREF>& RampFor(int Length, COLORREF C1, COLORREF C2)
{
  if (Length <= 0)
    throw EAssertionFailed("RampFor: length must be positive");
  for (int i = int(Slots.size()) - 1; i >= 0; --i)
    if (Slots[i].Length == Length && Slots[i].First == C1 && Slots[i].Last == C2)
      return Slots[i].Colors;
  TRampSlot& slot = Slots[NextSlot];
  NextSlot = (NextSlot + 1) % int(Slots.size());
  slot.Length = Length;
  slot.First = C1;
  slot.Last = C2;
  slot.Colors = MakeRamp(Length, C1, C2);
  ++Built;
  return slot.Colors;
}

int RampsBuilt() { return Built; }

void ClearRampCache()
{
  Slots = {};
  NextSlot = 0;
  Built = 0;
}

void GradientFillRect(HDC DC, const TRect& R, TColor C1, TColor C2, bool Vertical)
{
  if (!RectVisible(DC, &R))
    return;
  const COLORREF c1 = ColorToRGB(C1), c2 = ColorToRGB(C2);
  if (TGradientFillProc fill = OptionalFunctions().GradientFill) {
    TRIVERTEX vertices[2];
    vertices[0].x = R.Left;
    vertices[0].y = R.Top;
    vertices[0].Red = USHORT(GetRValue(c1) << 8);
    vertices[0].Green = USHORT(GetGValue(c1) << 8);
    vertices[0].Blue = USHORT(GetBValue(c1) << 8);
    vertices[1].x = R.Right;
    vertices[1].y = R.Bottom;
    vertices[1].Red = USHORT(GetRValue(c2) << 8);
    vertices[1].Green = USHORT(GetGValue(c2) << 8);
    vertices[1].Blue = USHORT(GetBValue(c2) << 8);
    GRADIENT_RECT mesh{0, 1};
    fill(DC, vertices, 2, &mesh, 1, Vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return;
  }
  const int length = Vertical ? R.Height() : R.Width();
  if (length <= 0)
    return;
  const std::vector<COLORREF> ramp = RampFor(length, c1, c2);
  TRect clip;
  GetClipBox(DC, &clip);
  const int origin = Vertical ? R.Top : R.Left;
  const int first = std::max(0, (Vertical ? clip.Top : clip.Left) - origin);
  const int last = std::min(length, (Vertical ? clip.Bottom : clip.Right) - origin);
  for (int i = first; i < last; ++i) {
    const TRect strip = Vertical ? TRect(R.Left, R.Top + i, R.Right, R.Top + i + 1)
                                 : TRect(R.Left + i, R.Top, R.Left + i + 1, R.Bottom);
    HBRUSH brush = CreateSolidBrush(ramp[i]);
    FillRect(DC, &strip, brush);
    DeleteObject(brush);
  }
}
