#include "platform/win/gdi/Cursors.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/detail/IconData.h"
#include "platform/win/gdi/detail/Shapes.h"

using namespace gdi;

namespace {

constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

// A 32x32 cursor image under construction.
struct TCanvas {
  std::vector<uint32_t> Pixels = std::vector<uint32_t>(32 * 32, 0);
  void Paint(const TRegion& r, uint32_t color)
  {
    TRegion inside = r.Intersect(TRect(0, 0, 32, 32));
    for (const TRect& part : inside.Rects())
      for (int y = part.Top; y < part.Bottom; ++y)
        for (int x = part.Left; x < part.Right; ++x)
          Pixels[std::size_t(y * 32 + x)] = color;
  }
  // A white shape with a black rim.
  void Shape(const TRegion& r)
  {
    Paint(r, kWhite);
    Paint(Outline(r), kBlack);
  }
  // Black strokes with a white halo one pixel wide.
  void Strokes(const TRegion& r)
  {
    TRegion halo;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        TRegion m = r;
        m.Offset(dx, dy);
        halo = halo.Union(m);
      }
    Paint(halo, kWhite);
    Paint(r, kBlack);
  }
};

TRegion Poly(std::initializer_list<TPoint> points)
{
  std::vector<TPoint> p(points);
  // Lattice points inside plus the edges: the closed outline belongs to the shape.
  TRegion r = PolygonRegion(p.data(), int(p.size()), WINDING);
  for (std::size_t i = 0; i < p.size(); ++i)
    for (const TPoint& q : LinePixels(p[i], p[(i + 1) % p.size()]))
      r = r.Union(TRegion(TRect(q.x, q.y, q.x + 1, q.y + 1)));
  return r;
}

TRegion Box(int l, int t, int r, int b) { return TRegion(TRect(l, t, r, b)); }

HCURSOR Make(const TCanvas& c, TPoint hot, bool icon = false)
{
  auto data = std::make_shared<TIconData>();
  data->IsIcon = icon;
  data->Width = data->Height = 32;
  data->HotSpot = hot;
  data->Color = c.Pixels;
  data->HasAlpha = true;
  data->Mask.resize(c.Pixels.size());
  for (std::size_t i = 0; i < c.Pixels.size(); ++i)
    data->Mask[i] = (c.Pixels[i] >> 24) == 0;
  return AddIcon(data);
}

HCURSOR Build(WORD id)
{
  TCanvas c;
  switch (id) {
  case 32512:  // arrow
  case 32650:
  case 32651:
    c.Shape(Poly({{0, 0}, {0, 16}, {4, 12}, {7, 18}, {9, 17}, {6, 11}, {11, 11}}));
    return Make(c, {0, 0});
  case 32513:  // I-beam
    c.Strokes(Box(2, 0, 5, 1).Union(Box(6, 0, 9, 1)).Union(Box(5, 1, 6, 16)).Union(Box(2, 16, 5, 17)).Union(Box(6, 16, 9, 17)));
    return Make(c, {5, 8});
  case 32514:  // hourglass
    c.Shape(Poly({{0, 0}, {12, 0}, {12, 2}, {7, 10}, {12, 18}, {12, 20}, {0, 20}, {0, 18}, {5, 10}, {0, 2}}));
    return Make(c, {6, 10});
  case 32515:  // cross
    c.Strokes(Box(10, 0, 11, 21).Union(Box(0, 10, 21, 11)));
    return Make(c, {10, 10});
  case 32516:  // up arrow
    c.Shape(Poly({{5, 0}, {10, 5}, {7, 5}, {7, 18}, {3, 18}, {3, 5}, {0, 5}}));
    return Make(c, {5, 0});
  case 32645:  // north-south
    c.Shape(Poly({{4, 0}, {8, 4}, {5, 4}, {5, 15}, {8, 15}, {4, 19}, {0, 15}, {3, 15}, {3, 4}, {0, 4}}));
    return Make(c, {4, 9});
  case 32644:  // west-east
    c.Shape(Poly({{0, 4}, {4, 0}, {4, 3}, {15, 3}, {15, 0}, {19, 4}, {15, 8}, {15, 5}, {4, 5}, {4, 8}}));
    return Make(c, {9, 4});
  case 32642:  // north-west to south-east
    c.Shape(Poly({{0, 0}, {6, 0}, {4, 2}, {11, 9}, {13, 7}, {13, 13}, {7, 13}, {9, 11}, {2, 4}, {0, 6}}));
    return Make(c, {6, 6});
  case 32643:  // north-east to south-west
    c.Shape(Poly({{13, 0}, {13, 6}, {11, 4}, {4, 11}, {6, 13}, {0, 13}, {0, 7}, {2, 9}, {9, 2}, {7, 0}}));
    return Make(c, {6, 6});
  case 32646:  // all directions
    c.Shape(Poly({{10, 0}, {14, 4}, {11, 4}, {11, 9}, {16, 9}, {16, 6}, {20, 10}, {16, 14}, {16, 11}, {11, 11},
                  {11, 16}, {14, 16}, {10, 20}, {6, 16}, {9, 16}, {9, 11}, {4, 11}, {4, 14}, {0, 10}, {4, 6},
                  {4, 9}, {9, 9}, {9, 4}, {6, 4}}));
    return Make(c, {10, 10});
  case 32648: {  // no
    TRegion ring = EllipseRegion(TRect(0, 0, 19, 19)).Subtract(EllipseRegion(TRect(3, 3, 16, 16)));
    c.Strokes(ring.Union(Poly({{4, 5}, {5, 4}, {14, 13}, {13, 14}})));
    return Make(c, {9, 9});
  }
  case 32649:  // pointing hand
    c.Shape(Poly({{5, 0}, {7, 0}, {7, 6}, {13, 7}, {15, 9}, {15, 15}, {13, 19}, {5, 19}, {1, 13}, {0, 10},
                  {2, 9}, {5, 11}}));
    return Make(c, {6, 0});
  case 32760:  // column sizing: two bars with arrows left and right
    c.Shape(Box(7, 0, 9, 19).Union(Box(10, 0, 12, 19)).Union(Poly({{0, 9}, {4, 5}, {4, 13}})).Union(Poly({{19, 9}, {15, 5}, {15, 13}})));
    c.Paint(Box(4, 8, 7, 11).Union(Box(12, 8, 15, 11)), kBlack);
    return Make(c, {9, 9});
  case 32761:  // row sizing
    c.Shape(Box(0, 7, 19, 9).Union(Box(0, 10, 19, 12)).Union(Poly({{9, 0}, {5, 4}, {13, 4}})).Union(Poly({{9, 19}, {5, 15}, {13, 15}})));
    c.Paint(Box(8, 4, 11, 7).Union(Box(8, 12, 11, 15)), kBlack);
    return Make(c, {9, 9});
  case 32762:  // drag: move
  case 32763:  // drag: copy
  case 32764: {  // drag: link
    c.Shape(Poly({{0, 0}, {0, 16}, {4, 12}, {7, 18}, {9, 17}, {6, 11}, {11, 11}}));
    c.Shape(Box(8, 19, 20, 27));
    if (id == 32763)
      c.Strokes(Box(23, 22, 24, 29).Union(Box(20, 25, 27, 26)));
    else if (id == 32764)
      c.Strokes(Box(21, 21, 27, 22).Union(Box(26, 21, 27, 27)).Union(Poly({{23, 25}, {27, 29}, {30, 25}})));
    return Make(c, {0, 0});
  }
  default: return nullptr;
  }
}

}  // namespace

HCURSOR StandardCursor(WORD id)
{
  static std::mutex lock;
  static std::map<WORD, HCURSOR> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto it = cache.find(id);
  if (it != cache.end())
    return it->second;
  HCURSOR c = Build(id);
  if (c)
    cache[id] = c;
  return c;
}

HICON StandardIcon(WORD id)
{
  static std::mutex lock;
  static std::map<WORD, HICON> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto it = cache.find(id);
  if (it != cache.end())
    return it->second;
  TCanvas c;
  uint32_t fill, mark = kWhite;
  TRegion body = EllipseRegion(TRect(2, 2, 30, 30)), sign;
  switch (id) {
  case 32512:
  case 32517:  // application: a small window
    c.Paint(Box(2, 4, 30, 28), kBlack);
    c.Paint(Box(3, 5, 29, 9), 0xFF0A246A);
    c.Paint(Box(3, 9, 29, 27), kWhite);
    return cache[id] = Make(c, {16, 16}, true);
  case 32513: fill = 0xFFD00000; sign = Poly({{9, 11}, {11, 9}, {22, 20}, {20, 22}}).Union(Poly({{20, 9}, {22, 11}, {11, 22}, {9, 20}})); break;
  case 32515:
    fill = 0xFFF0C000;
    body = Poly({{16, 2}, {30, 28}, {2, 28}});
    sign = Box(15, 10, 17, 20).Union(Box(15, 22, 17, 24));
    mark = kBlack;
    break;
  case 32514: fill = 0xFF2050C0; sign = Box(12, 8, 20, 10).Union(Box(18, 10, 20, 15)).Union(Box(15, 15, 19, 17)).Union(Box(15, 17, 17, 19)).Union(Box(15, 21, 17, 23)); break;
  case 32516: fill = 0xFF2050C0; sign = Box(15, 8, 17, 10).Union(Box(15, 12, 17, 24)); break;
  default: return nullptr;
  }
  c.Paint(body, fill);
  c.Paint(Outline(body), kBlack);
  c.Paint(sign, mark);
  return cache[id] = Make(c, {16, 16}, true);
}
