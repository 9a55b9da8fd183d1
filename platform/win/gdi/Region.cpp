#include "platform/win/gdi/Region.h"

#include <algorithm>

namespace {

using TSpans = std::vector<std::pair<int, int>>;

// The spans of the band of rects starting at index i (all rects sharing its Top).
std::size_t BandEnd(const std::vector<TRect>& rects, std::size_t i)
{
  std::size_t j = i;
  while (j < rects.size() && rects[j].Top == rects[i].Top)
    ++j;
  return j;
}

// Appends a band to a rectangle list, merging it with the band above when that
// band touches it and holds the same spans.
void AppendBand(std::vector<TRect>& out, int top, int bottom, const TSpans& spans, std::size_t& lastBandStart)
{
  if (spans.empty() || top >= bottom)
    return;
  if (lastBandStart < out.size()) {
    std::size_t n = out.size() - lastBandStart;
    if (out[lastBandStart].Bottom == top && n == spans.size()) {
      bool same = true;
      for (std::size_t k = 0; k < n && same; ++k)
        same = out[lastBandStart + k].Left == spans[k].first && out[lastBandStart + k].Right == spans[k].second;
      if (same) {
        for (std::size_t k = lastBandStart; k < out.size(); ++k)
          out[k].Bottom = bottom;
        return;
      }
    }
  }
  lastBandStart = out.size();
  for (auto& s : spans)
    out.push_back(TRect(s.first, top, s.second, bottom));
}

// Sorts spans and merges the ones that overlap or touch.
TSpans Normalize(TSpans spans)
{
  std::sort(spans.begin(), spans.end());
  TSpans out;
  for (auto& s : spans) {
    if (s.first >= s.second)
      continue;
    if (!out.empty() && s.first <= out.back().second)
      out.back().second = std::max(out.back().second, s.second);
    else
      out.push_back(s);
  }
  return out;
}

}  // namespace

TRegion::TRegion(const TRect& r)
{
  if (!r.IsEmpty())
    FRects.push_back(r);
  UpdateBounds();
}

TRegion TRegion::FromRows(int top, const std::vector<TSpans>& rows)
{
  TRegion result;
  std::size_t last = 0;
  for (std::size_t i = 0; i < rows.size(); ++i)
    AppendBand(result.FRects, top + int(i), top + int(i) + 1, Normalize(rows[i]), last);
  result.UpdateBounds();
  return result;
}

void TRegion::UpdateBounds()
{
  if (FRects.empty()) {
    FBounds = TRect();
    return;
  }
  TRect b = FRects.front();
  for (auto& r : FRects) {
    b.Left = std::min(b.Left, r.Left);
    b.Right = std::max(b.Right, r.Right);
    b.Bottom = std::max(b.Bottom, r.Bottom);
  }
  FBounds = b;
}

bool TRegion::Contains(const TPoint& p) const
{
  if (!FBounds.Contains(p))
    return false;
  for (auto& r : FRects) {
    if (r.Top > p.y)
      break;
    if (r.Contains(p))
      return true;
  }
  return false;
}

bool TRegion::Intersects(const TRect& q) const
{
  if (q.IsEmpty())
    return false;
  for (auto& r : FRects) {
    if (r.Top >= q.Bottom)
      break;
    if (r.Left < q.Right && q.Left < r.Right && r.Top < q.Bottom && q.Top < r.Bottom)
      return true;
  }
  return false;
}

void TRegion::Offset(int dx, int dy)
{
  for (auto& r : FRects) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
  }
  UpdateBounds();
}

void TRegion::Clear()
{
  FRects.clear();
  FBounds = TRect();
}

TRegion TRegion::Intersect(const TRect& r) const
{
  if (IsRect() || IsEmpty()) {
    TRect out;
    if (IsEmpty() || !IntersectRect(out, FRects.front(), r))
      return TRegion();
    return TRegion(out);
  }
  return Combine(*this, TRegion(r), TOp::Intersect);
}

TRegion TRegion::Union(const TRegion& o) const
{
  if (o.IsEmpty())
    return *this;
  if (IsEmpty())
    return o;
  return Combine(*this, o, TOp::Union);
}

TRegion TRegion::Intersect(const TRegion& o) const
{
  if (IsEmpty() || o.IsEmpty())
    return TRegion();
  if (o.IsRect())
    return Intersect(o.FRects.front());
  if (IsRect())
    return o.Intersect(FRects.front());
  return Combine(*this, o, TOp::Intersect);
}

TRegion TRegion::Subtract(const TRegion& o) const
{
  if (IsEmpty() || o.IsEmpty())
    return *this;
  return Combine(*this, o, TOp::Subtract);
}

TRegion TRegion::Xor(const TRegion& o) const
{
  if (o.IsEmpty())
    return *this;
  if (IsEmpty())
    return o;
  return Combine(*this, o, TOp::Xor);
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TOp op)
{
  // Every band edge of either region; between two neighbouring edges each
  // region is either one of its bands or nothing.
  std::vector<int> ys;
  ys.reserve((a.FRects.size() + b.FRects.size()) * 2);
  for (auto* rg : {&a, &b})
    for (auto& r : rg->FRects) {
      ys.push_back(r.Top);
      ys.push_back(r.Bottom);
    }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  TRegion result;
  std::size_t ia = 0, ib = 0, last = 0;
  TSpans sa, sb, out;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    int y0 = ys[k], y1 = ys[k + 1];
    auto spansAt = [y0](const std::vector<TRect>& rects, std::size_t& i, TSpans& spans) {
      spans.clear();
      while (i < rects.size() && rects[i].Bottom <= y0)
        i = BandEnd(rects, i);
      if (i < rects.size() && rects[i].Top <= y0)
        for (std::size_t j = i, e = BandEnd(rects, i); j < e; ++j)
          spans.push_back({rects[j].Left, rects[j].Right});
    };
    spansAt(a.FRects, ia, sa);
    spansAt(b.FRects, ib, sb);
    // Walk both span lists as a sequence of edges, tracking inside-a and inside-b.
    out.clear();
    std::vector<std::pair<int, int>> edges;  // x, which bit toggles
    for (auto& s : sa) {
      edges.push_back({s.first, 1});
      edges.push_back({s.second, 1});
    }
    for (auto& s : sb) {
      edges.push_back({s.first, 2});
      edges.push_back({s.second, 2});
    }
    std::sort(edges.begin(), edges.end());
    int state = 0;
    int start = 0;
    bool inside = false;
    for (std::size_t e = 0; e < edges.size();) {
      int x = edges[e].first;
      while (e < edges.size() && edges[e].first == x)
        state ^= edges[e++].second;
      bool ina = state & 1, inb = state & 2;
      bool now = op == TOp::Union ? (ina || inb) : op == TOp::Intersect ? (ina && inb) : op == TOp::Subtract ? (ina && !inb) : (ina != inb);
      if (now && !inside)
        start = x;
      else if (!now && inside)
        out.push_back({start, x});
      inside = now;
    }
    AppendBand(result.FRects, y0, y1, out, last);
  }
  result.UpdateBounds();
  return result;
}
