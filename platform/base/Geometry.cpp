#include "platform/base/Geometry.h"

#include <algorithm>

BOOL SetRect(TRect* r, int left, int top, int right, int bottom)
{
  if (!r)
    return FALSE;
  *r = TRect(left, top, right, bottom);
  return TRUE;
}

BOOL SetRectEmpty(TRect* r)
{
  if (!r)
    return FALSE;
  *r = TRect();
  return TRUE;
}

BOOL CopyRect(TRect* dst, const TRect* src)
{
  if (!dst || !src)
    return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(const TRect* r)
{
  return !r || r->IsEmpty();
}

BOOL EqualRect(const TRect* a, const TRect* b)
{
  return a && b && *a == *b;
}

BOOL PtInRect(const TRect* r, TPoint p)
{
  return r && r->Contains(p);
}

BOOL OffsetRect(TRect* r, int dx, int dy)
{
  if (!r)
    return FALSE;
  r->Left += dx;
  r->Right += dx;
  r->Top += dy;
  r->Bottom += dy;
  return TRUE;
}

BOOL InflateRect(TRect* r, int dx, int dy)
{
  if (!r)
    return FALSE;
  r->Left -= dx;
  r->Right += dx;
  r->Top -= dy;
  r->Bottom += dy;
  return TRUE;
}

BOOL IntersectRect(TRect* dst, const TRect* a, const TRect* b)
{
  if (!dst || !a || !b)
    return FALSE;
  TRect r(std::max(a->Left, b->Left), std::max(a->Top, b->Top), std::min(a->Right, b->Right),
          std::min(a->Bottom, b->Bottom));
  if (r.IsEmpty()) {
    *dst = TRect();
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL UnionRect(TRect* dst, const TRect* a, const TRect* b)
{
  if (!dst || !a || !b)
    return FALSE;
  if (a->IsEmpty() && b->IsEmpty()) {
    *dst = TRect();
    return FALSE;
  }
  if (a->IsEmpty()) {
    *dst = *b;
    return TRUE;
  }
  if (b->IsEmpty()) {
    *dst = *a;
    return TRUE;
  }
  *dst = TRect(std::min(a->Left, b->Left), std::min(a->Top, b->Top), std::max(a->Right, b->Right),
               std::max(a->Bottom, b->Bottom));
  return TRUE;
}

BOOL SubtractRect(TRect* dst, const TRect* a, const TRect* b)
{
  if (!dst || !a || !b)
    return FALSE;
  TRect r = *a;
  TRect overlap;
  if (IntersectRect(&overlap, a, b)) {
    bool fullWidth = overlap.Left == a->Left && overlap.Right == a->Right;
    bool fullHeight = overlap.Top == a->Top && overlap.Bottom == a->Bottom;
    if (fullWidth && fullHeight) {
      r = TRect();
    } else if (fullWidth) {
      if (overlap.Top == a->Top)
        r.Top = overlap.Bottom;
      else if (overlap.Bottom == a->Bottom)
        r.Bottom = overlap.Top;
    } else if (fullHeight) {
      if (overlap.Left == a->Left)
        r.Left = overlap.Right;
      else if (overlap.Right == a->Right)
        r.Right = overlap.Left;
    }
  }
  *dst = r;
  return !r.IsEmpty();
}

bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) { return IntersectRect(&dst, &a, &b) != FALSE; }
bool UnionRect(TRect& dst, const TRect& a, const TRect& b) { return UnionRect(&dst, &a, &b) != FALSE; }
bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }
TPoint CenterPoint(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
