#include "platform/display/x11/X11Cursors.h"

#include <algorithm>

namespace x11 {

namespace {

// Cursors of handles that are gone are not told to us: keep a bounded number.
constexpr std::size_t MaxCursors = 64;

}  // namespace

TX11Cursors::~TX11Cursors()
{
  for (auto& [h, c] : FMade)
    XFreeCursor(FCore.Dpy, c);
  if (FBlank)
    XFreeCursor(FCore.Dpy, FBlank);
}

Cursor TX11Cursors::Get(HCURSOR cursor)
{
  auto it = FMade.find(cursor);
  if (it != FMade.end())
    return it->second;
  Cursor made = Make(cursor);
  if (!cursor || made == FBlank)
    return made;
  if (FMade.size() >= MaxCursors) {
    XFreeCursor(FCore.Dpy, FMade[FOrder.front()]);
    FMade.erase(FOrder.front());
    FOrder.erase(FOrder.begin());
  }
  FMade[cursor] = made;
  FOrder.push_back(cursor);
  return made;
}

Cursor TX11Cursors::Make(HCURSOR cursor)
{
  Display* dpy = FCore.Dpy;
  TCursorImage image;
  bool blank = !cursor || !GetCursorImage(cursor, image) || image.Width <= 0 || image.Height <= 0;
  if (blank && FBlank)
    return FBlank;
  int w = blank ? 1 : image.Width, h = blank ? 1 : image.Height;
  int stride = (w + 7) / 8;
  std::vector<char> source(std::size_t(stride) * std::size_t(h), 0), mask(source.size(), 0);
  for (int y = 0; y < h && !blank; ++y)
    for (int x = 0; x < w; ++x) {
      std::size_t i = std::size_t(y) * std::size_t(w) + std::size_t(x);
      uint32_t p = image.Pixels[i];
      bool invert = i < image.Invert.size() && image.Invert[i];
      bool shown = invert || (p >> 24) >= 128;
      unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      bool dark = invert || (r * 30 + g * 59 + b * 11) / 100 < 128;
      std::size_t byte = std::size_t(y) * std::size_t(stride) + std::size_t(x / 8);
      char bit = char(1 << (x % 8));
      if (shown)
        mask[byte] = char(mask[byte] | bit);
      if (shown && dark)
        source[byte] = char(source[byte] | bit);
    }
  Pixmap src = XCreateBitmapFromData(dpy, FCore.Root, source.data(), unsigned(w), unsigned(h));
  Pixmap msk = XCreateBitmapFromData(dpy, FCore.Root, mask.data(), unsigned(w), unsigned(h));
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  black.flags = white.flags = DoRed | DoGreen | DoBlue;
  int hx = blank ? 0 : std::clamp(image.HotSpot.x, 0, w - 1), hy = blank ? 0 : std::clamp(image.HotSpot.y, 0, h - 1);
  Cursor made = XCreatePixmapCursor(dpy, src, msk, &black, &white, unsigned(hx), unsigned(hy));
  XFreePixmap(dpy, src);
  XFreePixmap(dpy, msk);
  if (blank)
    FBlank = made;
  return made;
}

}  // namespace x11
