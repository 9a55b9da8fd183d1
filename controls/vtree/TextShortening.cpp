#include "controls/vtree/TextShortening.h"

#include "platform/win/gdi/gdi.h"

std::u16string ShortenText(const TTextMeasure& Measure, const std::u16string& S, int Width, int EllipsisWidth,
                           bool RightToLeft)
{
  const std::u16string ellipsis = u"...";
  if (S.empty() || Width <= 0)
    return {};
  if (EllipsisWidth == 0)
    EllipsisWidth = Measure(ellipsis);
  if (EllipsisWidth > Width)
    return {};
  // Binary search for the longest part that fits beside the ellipsis.
  std::size_t lo = 0, hi = S.size();
  while (lo < hi) {
    std::size_t mid = (lo + hi + 1) / 2;
    std::u16string part = RightToLeft ? S.substr(S.size() - mid) : S.substr(0, mid);
    if (Measure(part) + EllipsisWidth <= Width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return RightToLeft ? ellipsis + S.substr(S.size() - lo) : S.substr(0, lo) + ellipsis;
}

std::u16string ShortenText(HDC DC, const std::u16string& S, int Width, int EllipsisWidth, bool RightToLeft)
{
  auto measure = [DC](const std::u16string& t) {
    SIZE size{};
    GetTextExtentPoint32W(DC, t.data(), int(t.size()), &size);
    return int(size.cx);
  };
  return ShortenText(measure, S, Width, EllipsisWidth, RightToLeft);
}
