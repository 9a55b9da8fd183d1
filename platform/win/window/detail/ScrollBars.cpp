// The standard scroll bars of windows, and scrolling a window's pixels.
#include "platform/win/window/ScrollBars.h"

#include <algorithm>
#include <cstring>

#include "platform/win/controls/ControlConsts.h"
#include "platform/win/gdi/Edges.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/Hooks.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/ModalLoop.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/Timers.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

using TBar = TWnd::TBar;

TBar* BarOf(TWnd* w, int bar) { return bar == SB_HORZ ? &w->HBar : bar == SB_VERT ? &w->VBar : nullptr; }

// The parts of a bar, in window coordinates.
struct TBarGeometry {
  bool Shown = false;
  bool Vertical = false;
  TRect Bar, Less, More, Track, Thumb;
  int TrackStart = 0, TrackLength = 0, ThumbLength = 0;
  bool Scrollable = false;
};

bool Scrollable(const TBar& b) { return b.Max > b.Min && (b.Page == 0 || b.Max - b.Min + 1 > b.Page); }

// Lays out the arrows, track and thumb of a bar whose rectangle is set.
void LayOut(TBarGeometry& g, const TBar& b, int pos)
{
  bool vertical = g.Vertical;
  int length = vertical ? g.Bar.Height() : g.Bar.Width();
  int cross = vertical ? g.Bar.Width() : g.Bar.Height();
  int arrow = std::min(vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL), length / 2);
  if (vertical) {
    g.Less = TRect(g.Bar.Left, g.Bar.Top, g.Bar.Right, g.Bar.Top + arrow);
    g.More = TRect(g.Bar.Left, g.Bar.Bottom - arrow, g.Bar.Right, g.Bar.Bottom);
    g.Track = TRect(g.Bar.Left, g.Less.Bottom, g.Bar.Right, g.More.Top);
  } else {
    g.Less = TRect(g.Bar.Left, g.Bar.Top, g.Bar.Left + arrow, g.Bar.Bottom);
    g.More = TRect(g.Bar.Right - arrow, g.Bar.Top, g.Bar.Right, g.Bar.Bottom);
    g.Track = TRect(g.Less.Right, g.Bar.Top, g.More.Left, g.Bar.Bottom);
  }
  g.TrackStart = vertical ? g.Track.Top : g.Track.Left;
  g.TrackLength = std::max(0, length - 2 * arrow);
  g.Scrollable = Scrollable(b) && b.Disabled != ESB_DISABLE_BOTH;
  int minThumb = 8;
  if (!g.Scrollable || g.TrackLength < minThumb)
    return;
  int range = b.Max - b.Min + 1;
  g.ThumbLength = b.Page ? std::max(minThumb, int(long(g.TrackLength) * b.Page / range)) : std::min(cross, g.TrackLength);
  int span = range - std::max(b.Page, 1);
  int offset = span > 0 ? int(long(g.TrackLength - g.ThumbLength) * (std::clamp(pos, b.Min, b.Min + span) - b.Min) / span) : 0;
  int start = g.TrackStart + offset;
  g.Thumb = vertical ? TRect(g.Bar.Left, start, g.Bar.Right, start + g.ThumbLength)
                     : TRect(start, g.Bar.Top, start + g.ThumbLength, g.Bar.Bottom);
}

TBarGeometry Geometry(TWnd* w, bool vertical, int pos)
{
  TBarGeometry g;
  g.Vertical = vertical;
  DWORD style = w->Style;
  if (!(style & (vertical ? WS_VSCROLL : WS_HSCROLL)) || (style & WS_MINIMIZE))
    return g;
  g.Shown = true;
  TRect client = w->Client;
  OffsetRect(&client, -w->Rect.Left, -w->Rect.Top);
  int sx = GetSystemMetrics(SM_CXVSCROLL), sy = GetSystemMetrics(SM_CYHSCROLL);
  if (vertical) {
    int left = (w->ExStyle & WS_EX_LEFTSCROLLBAR) ? client.Left - sx : client.Right;
    g.Bar = TRect(left, client.Top, left + sx, client.Bottom);
  } else {
    g.Bar = TRect(client.Left, client.Bottom, client.Right, client.Bottom + sy);
  }
  LayOut(g, vertical ? w->VBar : w->HBar, pos);
  return g;
}

// Keeps the values within their rules: a page no larger than the range, a
// position within what the page leaves.
void Normalise(TBar& b)
{
  if (b.Max < b.Min)
    b.Max = b.Min;
  int range = b.Max - b.Min + 1;
  b.Page = std::clamp(b.Page, 0, range);
  int last = b.Max - std::max(b.Page - 1, 0);
  b.Pos = std::clamp(b.Pos, b.Min, std::max(b.Min, last));
  b.TrackPos = std::clamp(b.TrackPos, b.Min, std::max(b.Min, last));
}

void ShowBar(HWND hwnd, int bar, bool show)
{
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : (WS_HSCROLL | WS_VSCROLL);
  bool changed;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
    changed = style != w->Style;
    w->Style = style;
  }
  if (changed)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Arrows, track and thumb of one bar.
void PaintBar(HDC dc, const TBarGeometry& g, const TBar& values)
{
  UINT disabled = g.Scrollable ? values.Disabled : ESB_DISABLE_BOTH;
  TRect less = g.Less, more = g.More;
  DrawFrameControl(dc, &less, DFC_SCROLL,
                   (g.Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | ((disabled & ESB_DISABLE_LTUP) ? DFCS_INACTIVE : 0));
  DrawFrameControl(dc, &more, DFC_SCROLL,
                   (g.Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | ((disabled & ESB_DISABLE_RTDN) ? DFCS_INACTIVE : 0));
  TRect track = g.Track;
  FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
  if (!g.Thumb.IsEmpty()) {
    TRect thumb = g.Thumb;
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void RedrawBars(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN); }

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw)
{
  if (bar == SB_CTL)
    return info && IsWindow(hwnd) ? int(SendMessage(hwnd, SBM_SETSCROLLINFO, WPARAM(redraw), reinterpret_cast<LPARAM>(info))) : 0;
  if (!info || (bar != SB_HORZ && bar != SB_VERT))
    return 0;
  bool scrollable, disableNoScroll, shown;
  int pos;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return 0;
    TBar& b = *BarOf(w, bar);
    if (info->fMask & SIF_RANGE) {
      b.Min = info->nMin;
      b.Max = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
      b.Page = int(std::min<UINT>(info->nPage, 0x7FFFFFFF));
    if (info->fMask & SIF_POS)
      b.Pos = info->nPos;
    b.DisableNoScroll = info->fMask & SIF_DISABLENOSCROLL;
    Normalise(b);
    pos = b.Pos;
    scrollable = Scrollable(b);
    disableNoScroll = b.DisableNoScroll;
    shown = w->Style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
  }
  // A bar with nothing to scroll goes away, or stays disabled when asked.
  if (!(info->fMask & (SIF_RANGE | SIF_PAGE)) || (scrollable == shown && !disableNoScroll)) {
    if (redraw)
      RedrawBars(hwnd);
    return pos;
  }
  if (scrollable || disableNoScroll)
    ShowBar(hwnd, bar, true);
  else
    ShowBar(hwnd, bar, false);
  if (redraw)
    RedrawBars(hwnd);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info)
{
  if (bar == SB_CTL)
    return info && IsWindow(hwnd) ? BOOL(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info))) : FALSE;
  if (!info || (bar != SB_HORZ && bar != SB_VERT))
    return FALSE;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w)
    return FALSE;
  const TBar& b = *BarOf(w, bar);
  if (info->fMask & SIF_RANGE) {
    info->nMin = b.Min;
    info->nMax = b.Max;
  }
  if (info->fMask & SIF_PAGE)
    info->nPage = UINT(b.Page);
  if (info->fMask & SIF_POS)
    info->nPos = b.Pos;
  if (info->fMask & SIF_TRACKPOS)
    info->nTrackPos = b.TrackPos;
  return (info->fMask & SIF_ALL) ? TRUE : FALSE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
  int old = GetScrollPos(hwnd, bar);
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
  SCROLLINFO si;
  si.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw)
{
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = min;
  si.nMax = max;
  if (!IsWindow(hwnd))
    return FALSE;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max)
{
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si))
    return FALSE;
  if (min)
    *min = si.nMin;
  if (max)
    *max = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
  if (bar == SB_CTL) {
    if (!IsWindow(hwnd))
      return FALSE;
    ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    return TRUE;
  }
  if (!IsWindow(hwnd) || bar < SB_HORZ || bar > SB_BOTH || bar == SB_CTL)
    return FALSE;
  ShowBar(hwnd, bar, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
  if (bar == UINT(SB_CTL))
    return IsWindow(hwnd) ? BOOL(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0)) : FALSE;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || (bar != UINT(SB_HORZ) && bar != UINT(SB_VERT) && bar != UINT(SB_BOTH)))
      return FALSE;
    if (bar != UINT(SB_VERT))
      w->HBar.Disabled = arrows & ESB_DISABLE_BOTH;
    if (bar != UINT(SB_HORZ))
      w->VBar.Disabled = arrows & ESB_DISABLE_BOTH;
  }
  RedrawBars(hwnd);
  return TRUE;
}

namespace wincore {

void PaintScrollBars(HWND hwnd, HDC dc)
{
  TBarGeometry bars[2];
  TBar values[2];
  bool bothShown;
  TRect box;
  bool grip;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    bars[0] = Geometry(w, false, w->HBar.Pos);
    bars[1] = Geometry(w, true, w->VBar.Pos);
    values[0] = w->HBar;
    values[1] = w->VBar;
    bothShown = bars[0].Shown && bars[1].Shown;
    box = TRect(bars[1].Bar.Left, bars[0].Bar.Top, bars[1].Bar.Right, bars[0].Bar.Bottom);
    grip = (w->Style & WS_THICKFRAME) && !(w->ExStyle & WS_EX_LEFTSCROLLBAR);
  }
  for (int i = 0; i < 2; ++i)
    if (bars[i].Shown)
      PaintBar(dc, bars[i], values[i]);
  if (bothShown) {
    if (grip)
      DrawFrameControl(dc, &box, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    else
      FillRect(dc, &box, GetSysColorBrush(COLOR_3DFACE));
  }
}

}  // namespace wincore

namespace {

// Where a tracked bar lives: a window's frame bar or a scroll bar control.
// Its values are read again after every step (the receiver moves them).
class TTrackedBar {
public:
  virtual ~TTrackedBar() = default;
  // False when the bar went away.
  virtual bool Read(TBarGeometry& g, TBar& values, TPoint& origin) = 0;
  virtual void Send(WORD code, int pos) = 0;
  virtual void SetTrackPos(int pos) = 0;
};

// Follows a press on a scroll bar until release: arrows and page areas repeat
// while held over, the thumb is dragged (SB_THUMBTRACK, then SB_THUMBPOSITION);
// SB_ENDSCROLL closes every press.
void RunTrack(HWND hwnd, bool vertical, TPoint screen, TTrackedBar& bar)
{
  enum TPart { None, Less, More, PageLess, PageMore, Thumb } part = None;
  TPoint origin;
  TBarGeometry g;
  TBar values;
  if (!bar.Read(g, values, origin) || !g.Shown || !g.Scrollable)
    return;
  auto local = [&](TPoint p) { return TPoint(p.x - origin.x, p.y - origin.y); };
  auto partAt = [&](TPoint p) {
    if (g.Less.Contains(p))
      return (values.Disabled & ESB_DISABLE_LTUP) ? None : Less;
    if (g.More.Contains(p))
      return (values.Disabled & ESB_DISABLE_RTDN) ? None : More;
    if (g.Thumb.Contains(p))
      return Thumb;
    if (g.Track.Contains(p)) {
      int at = vertical ? p.y : p.x;
      int thumbStart = vertical ? g.Thumb.Top : g.Thumb.Left;
      return at < thumbStart ? PageLess : PageMore;
    }
    return None;
  };
  part = partAt(local(screen));
  if (part == None)
    return;
  WORD code = part == Less ? SB_LINEUP : part == More ? SB_LINEDOWN : part == PageLess ? SB_PAGEUP : SB_PAGEDOWN;
  constexpr UINT_PTR RepeatTimer = 0xFFF0;
  int grab = (vertical ? screen.y - origin.y - g.Thumb.Top : screen.x - origin.x - g.Thumb.Left);
  int trackPos = values.Pos;
  SetCapture(hwnd);
  if (part != Thumb) {
    bar.Send(code, 0);
    SetTimer(hwnd, RepeatTimer, 350, nullptr);
  }
  bool over = true;
  TModalLoop loop(hwnd, MSGF_SCROLLBAR);
  MSG msg;
  while (loop.Next(msg)) {
    if (msg.message == WM_LBUTTONUP)
      break;
    if (msg.message == WM_MOUSEMOVE) {
      TPoint p = local(msg.pt);
      if (part == Thumb) {
        // The thumb follows the pointer where it was grabbed.
        int span = values.Max - values.Min + 1 - std::max(values.Page, 1);
        int room = g.TrackLength - g.ThumbLength;
        int at = (vertical ? p.y : p.x) - grab - g.TrackStart;
        int pos = room > 0 ? values.Min + int((long(std::clamp(at, 0, room)) * span + room / 2) / room) : values.Min;
        if (pos != trackPos) {
          trackPos = pos;
          bar.SetTrackPos(pos);
          bar.Send(SB_THUMBTRACK, pos);
        }
      } else {
        over = partAt(p) == part;
      }
      continue;
    }
    if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == RepeatTimer) {
      SetTimer(hwnd, RepeatTimer, 50, nullptr);
      if (!bar.Read(g, values, origin))
        break;
      // A page press stops once the thumb reaches the pointer.
      TPoint cursor;
      GetCursorPos(&cursor);
      if (over && (part == Less || part == More || partAt(local(cursor)) == part))
        bar.Send(code, 0);
      continue;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
      continue;
    DispatchMessage(&msg);
  }
  KillTimer(hwnd, RepeatTimer);
  if (GetCapture() == hwnd)
    ReleaseCapture();
  if (!IsWindow(hwnd))
    return;
  if (part == Thumb)
    bar.Send(SB_THUMBPOSITION, trackPos);
  if (IsWindow(hwnd))
    bar.Send(SB_ENDSCROLL, 0);
}

// A frame bar: values in the window record, messages to the window itself.
class TFrameBar : public TTrackedBar {
public:
  TFrameBar(HWND hwnd, bool vertical) : FWnd(hwnd), FVertical(vertical) {}
  bool Read(TBarGeometry& g, TBar& values, TPoint& origin) override
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(FWnd);
    if (!w)
      return false;
    values = FVertical ? w->VBar : w->HBar;
    g = Geometry(w, FVertical, values.Pos);
    origin = ScreenWindowRect(w).TopLeft();
    return true;
  }
  void Send(WORD code, int pos) override
  {
    SendMessage(FWnd, FVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, WORD(pos)), 0);
  }
  void SetTrackPos(int pos) override
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (TWnd* w = ResolveLocal(FWnd))
      (FVertical ? w->VBar : w->HBar).TrackPos = pos;
  }

private:
  HWND FWnd;
  bool FVertical;
};

TBar BarFromInfo(const SCROLLINFO& si, UINT disabled)
{
  TBar b;
  b.Min = si.nMin;
  b.Max = si.nMax;
  b.Page = int(std::min<UINT>(si.nPage, 0x7FFFFFFF));
  b.Pos = si.nPos;
  b.TrackPos = si.nTrackPos;
  b.Disabled = disabled;
  return b;
}

// A scroll bar control: values through SBM_GETSCROLLINFO, messages to the
// window that hears the control, with the control's handle.
class TControlBar : public TTrackedBar {
public:
  TControlBar(HWND control, const TRect& rect, bool vertical, HWND notify, TScrollBarControlRead read,
              void (*setTrack)(HWND, int))
      : FControl(control), FRect(rect), FVertical(vertical), FNotify(notify), FRead(read), FSetTrack(setTrack)
  {
  }
  bool Read(TBarGeometry& g, TBar& values, TPoint& origin) override
  {
    if (!IsWindow(FControl))
      return false;
    SCROLLINFO si;
    UINT disabled = 0;
    if (!FRead(FControl, si, disabled))
      return false;
    values = BarFromInfo(si, disabled);
    g = TBarGeometry();
    g.Shown = true;
    g.Vertical = FVertical;
    g.Bar = FRect;
    LayOut(g, values, values.Pos);
    origin = TPoint(0, 0);
    ClientToScreen(FControl, &origin);
    return true;
  }
  void Send(WORD code, int pos) override
  {
    if (FNotify)
      SendMessage(FNotify, FVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, WORD(pos)),
                  reinterpret_cast<LPARAM>(FControl));
  }
  void SetTrackPos(int pos) override
  {
    if (FSetTrack && IsWindow(FControl))
      FSetTrack(FControl, pos);
  }

private:
  HWND FControl;
  TRect FRect;
  bool FVertical;
  HWND FNotify;
  TScrollBarControlRead FRead;
  void (*FSetTrack)(HWND, int);
};

}  // namespace

namespace wincore {

void TrackScrollBar(HWND hwnd, bool vertical, TPoint screen)
{
  TFrameBar bar(hwnd, vertical);
  RunTrack(hwnd, vertical, screen, bar);
}

}  // namespace wincore

void DrawScrollBarControl(HDC dc, const TRect& rect, bool vertical, const SCROLLINFO& values, UINT disabledArrows)
{
  TBarGeometry g;
  g.Shown = true;
  g.Vertical = vertical;
  g.Bar = rect;
  TBar b = BarFromInfo(values, disabledArrows);
  LayOut(g, b, b.Pos);
  PaintBar(dc, g, b);
}

void TrackScrollBarControl(HWND control, const TRect& rect, bool vertical, TPoint screenPoint, HWND notify,
                           TScrollBarControlRead read, void (*setTrackPos)(HWND, int))
{
  if (!read)
    return;
  TControlBar bar(control, rect, vertical, notify, read, setTrackPos);
  RunTrack(control, vertical, screenPoint, bar);
}

namespace {

// Copies the pixels of moved, each from the place dx, dy before it, through
// a scratch copy: the region's rectangles come top first and left first, so
// copying in place would let a later rectangle read pixels an earlier one
// already overwrote whenever the scroll goes down or right.
void MovePixels(TSurface& s, const TRegion& moved, int dx, int dy)
{
  std::vector<TRect> rects = moved.Rects();
  std::size_t pixels = 0;
  for (const TRect& r : rects)
    pixels += std::size_t(r.Width()) * std::size_t(r.Height());
  std::vector<uint32_t> scratch;
  scratch.reserve(pixels);
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y) {
      const uint32_t* from = s.Row(y - dy) + r.Left - dx;
      scratch.insert(scratch.end(), from, from + r.Width());
    }
  const uint32_t* next = scratch.data();
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y) {
      std::memcpy(s.Row(y) + r.Left, next, std::size_t(r.Width()) * 4);
      next += r.Width();
    }
}

}  // namespace

int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
                   UINT flags)
{
  TRegion invalid;
  TRegion presented;  // framebuffer coordinates
  std::vector<HWND> children;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return 0;
    TRect client(0, 0, w->Client.Width(), w->Client.Height());
    TRect area = client;
    if (scroll)
      IntersectRect(&area, &area, scroll);
    if (clip)
      IntersectRect(&area, &area, clip);
    TRegion areaRgn(area);
    // What the window itself shows now, in client coordinates. Children are
    // left out whatever the window's style: their pixels are theirs, and they
    // either stay where they are or are moved and repainted.
    TRegion visible = VisibleRegion(w, false, true, (w->Style & WS_CLIPSIBLINGS) != 0);
    TWnd* root = RootOf(w);
    TPoint origin = ScreenClientRect(w).TopLeft();
    TPoint fb = root ? ScreenWindowRect(root).TopLeft() : TPoint();
    visible.Offset(fb.x - origin.x, fb.y - origin.y);
    TRegion source = areaRgn.Intersect(visible);
    TRegion moved = source;
    moved.Offset(dx, dy);
    moved = moved.Intersect(source);
    if ((dx || dy) && root && root->HasSurface && root->Surface.Bits && !moved.IsEmpty()) {
      presented = moved;
      presented.Offset(origin.x - fb.x, origin.y - fb.y);
      MovePixels(root->Surface, presented, dx, dy);
    }
    // Whatever did not receive pixels from a place that showed them is
    // uncovered (areas hidden under children or other windows included).
    invalid = areaRgn.Subtract(moved);
    // A pending update region moves with the pixels.
    TRegion pending = w->Update.Intersect(areaRgn);
    if (!pending.IsEmpty()) {
      TRegion shifted = pending;
      shifted.Offset(dx, dy);
      w->Update = w->Update.Subtract(pending).Union(shifted.Intersect(areaRgn));
      UpdatePaintCount(w);
    }
    if (flags & SW_SCROLLCHILDREN)
      for (TWnd* c : w->Children) {
        TRect overlap;
        if (!scroll || IntersectRect(&overlap, &c->Rect, scroll)) {
          children.push_back(c->Handle);
          // Where a child was and where it goes both need painting.
          if (c->Style & WS_VISIBLE) {
            TRegion covered(c->Rect);
            TRect after = c->Rect;
            OffsetRect(&after, dx, dy);
            invalid = invalid.Union(covered.Union(TRegion(after)).Intersect(client));
          }
        }
      }
  }
  Present(hwnd, presented);
  for (HWND c : children) {
    TRect r;
    GetWindowRect(c, &r);
    TPoint p(r.Left, r.Top);
    ScreenToClient(hwnd, &p);
    SetWindowPos(c, nullptr, p.x + dx, p.y + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  if (update)
    SetRegionOf(update, invalid);
  if (updateRect)
    *updateRect = invalid.Bounds();
  if (flags & SW_INVALIDATE) {
    // Children that moved are repainted whole; children that stayed keep their
    // pixels unless the window paints over them (no WS_CLIPCHILDREN).
    HRGN rgn = CreateRegionFrom(invalid);
    RedrawWindow(hwnd, nullptr, rgn,
                 RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) | ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    DeleteObject(rgn);
  }
  return invalid.IsEmpty() ? NULLREGION : invalid.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip)
{
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != 0 ? TRUE : FALSE;
}
