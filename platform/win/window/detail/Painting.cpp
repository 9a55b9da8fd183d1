// Update regions, WM_PAINT, and the device contexts of windows.
#include "platform/win/window/Painting.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/ScreenMirror.h"

using namespace wincore;

namespace {

// How a window DC was asked for, so its reach can be worked out again when
// the window tree changes while it is held.
struct TDCRequest {
  bool WholeWindow = false;
  bool ClipChildren = false;
  bool ClipSiblings = false;
  bool IgnoreLock = false;
  // Relative to the DC's device origin, so they move with the window.
  std::optional<TRegion> Intersect;
  std::optional<TRegion> Exclude;
};

struct TDCRec {
  HDC Dc = nullptr;
  HWND Hwnd = nullptr;  // null for a screen DC
  bool Own = false;
  TDCRequest Request;
  TRegion Visible;  // framebuffer coordinates
  std::uint64_t Generation = 0;  // of the window tree Visible was worked out at
};

// Device contexts handed out and not yet released (Core().Lock).
std::vector<TDCRec>& OpenDCs()
{
  static auto* list = new std::vector<TDCRec>;
  return *list;
}

TSurface EmptySurface()
{
  static uint32_t pixel;
  TSurface s;
  s.Bits = &pixel;
  s.Width = 1;
  s.Height = 1;
  s.StrideBytes = 4;
  return s;
}

TPoint FramebufferOrigin(TWnd* root) { return ScreenWindowRect(root).TopLeft(); }

TRegion Offset(TRegion r, int dx, int dy)
{
  r.Offset(dx, dy);
  return r;
}

bool NeedsPaint(const TWnd* w) { return !w->Update.IsEmpty() || !w->FrameUpdate.IsEmpty() || w->InternalPaint; }

bool LockedOut(TWnd* w)
{
  TWnd* locked = ResolveLocal(Core().LockedUpdate);
  return locked && IsDescendant(locked, w);
}

void ValidateTree(TWnd* w, const TRegion& area, UINT flags)
{
  w->Update = w->Update.Subtract(area);
  if (w->Update.IsEmpty())
    w->Erase = false;
  if (flags & RDW_NOINTERNALPAINT)
    w->InternalPaint = false;
  if (flags & RDW_ALLCHILDREN)
    for (TWnd* c : w->Children) {
      TRegion part = area.Intersect(c->Client);
      part.Offset(-c->Client.Left, -c->Client.Top);
      ValidateTree(c, part, flags);
    }
  UpdatePaintCount(w);
}

struct TDCGeometry {
  TSurface Surface;
  TPoint Origin;    // framebuffer pixels
  TRegion Visible;  // framebuffer pixels
};

// Where a DC of w may draw now; w null (gone) or without a framebuffer: nowhere.
TDCGeometry WorkOutGeometry(TWnd* w, const TDCRequest& req)
{
  TWnd* root = w ? RootOf(w) : nullptr;
  if (!root || !root->HasSurface || !root->Surface.Bits)
    return {EmptySurface(), TPoint(), TRegion()};
  TDCGeometry g;
  g.Surface = root->Surface;
  TPoint fb = FramebufferOrigin(root);
  TRect area = req.WholeWindow ? ScreenWindowRect(w) : ScreenClientRect(w);
  g.Origin = TPoint(area.Left - fb.x, area.Top - fb.y);
  g.Visible = VisibleRegion(w, req.WholeWindow, req.ClipChildren, req.ClipSiblings);
  if (req.Intersect)
    g.Visible = g.Visible.Intersect(Offset(*req.Intersect, g.Origin.x, g.Origin.y));
  if (req.Exclude)
    g.Visible = g.Visible.Subtract(Offset(*req.Exclude, g.Origin.x, g.Origin.y));
  if (!req.IgnoreLock && LockedOut(w))
    g.Visible = TRegion();
  return g;
}

TDCRec* FindOpen(HDC dc)
{
  auto& open = OpenDCs();
  auto it = std::find_if(open.begin(), open.end(), [dc](const TDCRec& r) { return r.Dc == dc; });
  return it == open.end() ? nullptr : &*it;
}

// Called by the drawing layer before a held window DC draws after the tree changed.
void RefreshWindowDC(HDC dc)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TDCRec* rec = FindOpen(dc);
  if (!rec || !rec->Hwnd)
    return;
  TDCGeometry g = WorkOutGeometry(ResolveLocal(rec->Hwnd), rec->Request);
  SetSurfaceDCGeometry(dc, g.Surface, g.Origin, g.Visible);
  rec->Visible = std::move(g.Visible);
  rec->Generation = Core().Geometry.load();
}

// intersect and exclude are in screen coordinates.
HDC MakeDC(TWnd* w, TDCRequest req, const TRegion* intersect, const TRegion* exclude, bool own)
{
  TRect area = req.WholeWindow ? ScreenWindowRect(w) : ScreenClientRect(w);
  if (intersect)
    req.Intersect = Offset(*intersect, -area.Left, -area.Top);
  if (exclude)
    req.Exclude = Offset(*exclude, -area.Left, -area.Top);
  TDCGeometry g = WorkOutGeometry(w, req);
  HDC dc;
  if (own) {
    if (!w->OwnDC)
      w->OwnDC = CreateSurfaceDC(g.Surface, g.Origin, g.Visible, w->Handle);
    else
      SetSurfaceDCGeometry(w->OwnDC, g.Surface, g.Origin, g.Visible);
    dc = w->OwnDC;
  } else {
    dc = CreateSurfaceDC(g.Surface, g.Origin, g.Visible, w->Handle);
  }
  SetSurfaceDCTracking(dc, &Core().Geometry, RefreshWindowDC);
  std::uint64_t now = Core().Geometry.load();
  if (TDCRec* rec = FindOpen(dc)) {
    rec->Request = std::move(req);
    rec->Visible = std::move(g.Visible);
    rec->Generation = now;
  } else {
    OpenDCs().push_back({dc, w->Handle, own, std::move(req), std::move(g.Visible), now});
  }
  return dc;
}

}  // namespace

namespace wincore {

void Present(HWND hwnd, const TRegion& changed)
{
  TDisplayBackend* display;
  HWND root;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    TWnd* r = RootOf(w);
    if (!r || !r->HasSurface)
      return;
    root = r->Handle;
    display = Core().Display.get();
  }
  if (display && !changed.IsEmpty())
    display->Present(root, changed);
}

}  // namespace wincore

namespace {

// Sends WM_NCPAINT and WM_ERASEBKGND for what is pending, leaving the update region.
void EraseNow(HWND hwnd)
{
  TRegion frame;
  bool erase;
  TRegion update;
  TPoint windowOrigin;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    frame = w->FrameUpdate;
    w->FrameUpdate = TRegion();
    erase = w->Erase;
    w->Erase = false;
    update = w->Update;
    windowOrigin = ScreenWindowRect(w).TopLeft();
    UpdatePaintCount(w);
  }
  if (!frame.IsEmpty()) {
    frame.Offset(windowOrigin.x, windowOrigin.y);
    HRGN rgn = CreateRegionFrom(frame);
    SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
    DeleteObject(rgn);
  }
  if (erase && !update.IsEmpty()) {
    HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE | DCX_USESTYLE);
    SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(hwnd, dc);
  }
}

}  // namespace

namespace wincore {

void UpdatePaintCount(TWnd* w)
{
  bool needs = NeedsPaint(w) && !w->MessageOnly;
  if (needs == w->NeedsPaintCounted || !w->Thread)
    return;
  w->NeedsPaintCounted = needs;
  std::lock_guard<std::mutex> lock(w->Thread->M);
  w->Thread->NeedPaint += needs ? 1 : -1;
  if (needs)
    Wake(*w->Thread);
}

void AddNeedPaint(TWnd* w) { UpdatePaintCount(w); }

TWnd* FindWindowToPaint(TThread& t, TWnd* filter)
{
  if (t.NeedPaint <= 0)
    return nullptr;
  std::vector<TWnd*> all;
  CollectPreOrder(filter ? filter : Core().Desktop, all);
  for (TWnd* w : all) {
    if (w->Thread.get() != &t || !w->NeedsPaintCounted)
      continue;
    if (!IsVisibleChain(w) || w->NoRedraw) {
      // Nothing to show: what was pending is dropped rather than asked for forever.
      w->Update = TRegion();
      w->FrameUpdate = TRegion();
      w->InternalPaint = false;
      w->Erase = false;
      UpdatePaintCount(w);
      continue;
    }
    if (LockedOut(w))
      continue;
    return w;
  }
  return nullptr;
}

void InvalidateTree(TWnd* w, const TRegion& clientArea, bool erase, UINT flags)
{
  if (w->MessageOnly || !IsVisibleChain(w) || w->NoRedraw)
    return;
  if (TWnd* root = RootOf(w); root && root != Core().Desktop && root->LayeredByUpdate)
    return;
  TRegion area = clientArea.Intersect(TRect(0, 0, w->Client.Width(), w->Client.Height()));
  if (w != Core().Desktop) {
    w->Update = w->Update.Union(area);
    if (erase && !area.IsEmpty())
      w->Erase = true;
    if (flags & RDW_FRAME)
      w->FrameUpdate = TRegion(TRect(0, 0, w->Rect.Width(), w->Rect.Height()));
  }
  bool children = !(flags & RDW_NOCHILDREN) && ((flags & RDW_ALLCHILDREN) || !(w->Style & WS_CLIPCHILDREN) ||
                                                w == Core().Desktop);
  if (children) {
    for (TWnd* c : w->Children) {
      if (!(c->Style & WS_VISIBLE) || c->LayeredByUpdate)
        continue;
      // clientArea is in w's client coordinates, which is where children's rectangles live.
      TRegion inWindow = clientArea.Intersect(c->Rect);
      if (w == Core().Desktop)
        inWindow = TRegion(c->Rect);
      if (inWindow.IsEmpty())
        continue;
      TRegion outside = inWindow.Subtract(TRegion(c->Client));
      if (!outside.IsEmpty()) {
        outside.Offset(-c->Rect.Left, -c->Rect.Top);
        c->FrameUpdate = c->FrameUpdate.Union(outside);
      }
      TRegion inClient = inWindow;
      inClient.Offset(-c->Client.Left, -c->Client.Top);
      InvalidateTree(c, inClient, erase, (flags & ~RDW_FRAME) | (w == Core().Desktop ? (flags & RDW_FRAME) : 0));
      UpdatePaintCount(c);
    }
  }
  if (w != Core().Desktop)
    UpdatePaintCount(w);
}

void InvalidateParentArea(TWnd* w, const TRect& rectInParent)
{
  TWnd* p = w->Parent;
  if (!p || p == Core().Desktop || p->MessageOnly)
    return;
  InvalidateTree(p, TRegion(rectInParent), true, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TRegion VisibleRegion(TWnd* w, bool wholeWindow, bool clipChildren, bool clipSiblings)
{
  if (!IsVisibleChain(w) || w->MessageOnly)
    return TRegion();
  TWnd* root = RootOf(w);
  if (!root || !root->HasSurface || !root->Surface.Bits || (root->Style & WS_MINIMIZE))
    return TRegion();
  TPoint fb = FramebufferOrigin(root);
  auto toFb = [&](TRect r) {
    OffsetRect(&r, -fb.x, -fb.y);
    return r;
  };
  auto shapeOf = [&](TWnd* x) {
    TRect r = toFb(ScreenWindowRect(x));
    if (!x->WindowRgn)
      return TRegion(r);
    return Offset(*x->WindowRgn, r.Left, r.Top).Intersect(TRegion(r));
  };
  TRegion rgn(toFb(wholeWindow ? ScreenWindowRect(w) : ScreenClientRect(w)));
  if (w->WindowRgn)
    rgn = rgn.Intersect(shapeOf(w));
  for (TWnd* a = w; a != root; a = a->Parent) {
    TWnd* parent = a->Parent;
    rgn = rgn.Intersect(TRegion(toFb(ScreenClientRect(parent))));
    if (parent->WindowRgn)
      rgn = rgn.Intersect(shapeOf(parent));
    bool clip = a == w ? clipSiblings : (a->Style & WS_CLIPSIBLINGS) != 0;
    if (clip)
      for (TWnd* s : parent->Children) {
        if (s == a)
          break;
        if (s->Style & WS_VISIBLE)
          rgn = rgn.Subtract(shapeOf(s));
      }
  }
  if (clipChildren)
    for (TWnd* c : w->Children)
      if (c->Style & WS_VISIBLE)
        rgn = rgn.Subtract(shapeOf(c));
  return rgn;
}

void GeometryChanged() { Core().Geometry.fetch_add(1, std::memory_order_acq_rel); }

void ReleaseWindowDCs(TWnd* w)
{
  // DCs of this tree may point into a framebuffer that moves or goes: they
  // let go of it now, and before they next draw they find the new one, or
  // keep drawing over nothing when their window is gone.
  GeometryChanged();
  TWnd* root = RootOf(w);
  for (auto& r : OpenDCs()) {
    if (!r.Hwnd)
      continue;  // the screen's: it belongs to no window
    TWnd* x = ResolveLocal(r.Hwnd);
    if (!x || (root && RootOf(x) == root) || IsDescendant(w, x)) {
      SetSurfaceDCGeometry(r.Dc, EmptySurface(), TPoint(), TRegion());
      r.Visible = TRegion();
    }
  }
  if (w->OwnDC) {
    auto& open = OpenDCs();
    open.erase(std::remove_if(open.begin(), open.end(), [w](const TDCRec& r) { return r.Dc == w->OwnDC; }), open.end());
    DeleteSurfaceDC(w->OwnDC);
    w->OwnDC = nullptr;
  }
}

}  // namespace wincore

BOOL RedrawWindow(HWND hwnd, const TRect* rect, HRGN region, UINT flags)
{
  std::vector<HWND> paintNow;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = hwnd ? ResolveLocal(hwnd) : Core().Desktop;
    if (!w)
      return FALSE;
    TRegion area;
    if (region) {
      const TRegion* r = RegionOf(region);
      if (!r)
        return FALSE;
      area = *r;
    } else if (rect) {
      area = TRegion(*rect);
    } else {
      area = TRegion(TRect(0, 0, w->Client.Width(), w->Client.Height()));
    }
    if (flags & RDW_INVALIDATE)
      InvalidateTree(w, area, (flags & RDW_ERASE) != 0, flags);
    else if ((flags & RDW_FRAME) && w != Core().Desktop && (flags & RDW_INVALIDATE))
      w->FrameUpdate = TRegion(TRect(0, 0, w->Rect.Width(), w->Rect.Height()));
    if (flags & RDW_VALIDATE) {
      ValidateTree(w, area, flags);
      if (flags & RDW_NOFRAME)
        w->FrameUpdate = TRegion();
      UpdatePaintCount(w);
    }
    if ((flags & RDW_INTERNALPAINT) && w != Core().Desktop) {
      w->InternalPaint = true;
      UpdatePaintCount(w);
    }
    if ((flags & RDW_NOINTERNALPAINT) && w != Core().Desktop) {
      w->InternalPaint = false;
      UpdatePaintCount(w);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
      std::vector<TWnd*> all;
      if (flags & RDW_NOCHILDREN)
        all.push_back(w);
      else
        CollectPreOrder(w, all);
      for (TWnd* x : all)
        if (x != Core().Desktop && x->Thread.get() == &CurrentThread())
          paintNow.push_back(x->Handle);
    }
  }
  for (HWND h : paintNow) {
    if (flags & RDW_UPDATENOW) {
      bool needs;
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* x = ResolveLocal(h);
        needs = x && x->NeedsPaintCounted && IsVisibleChain(x) && !LockedOut(x);
      }
      if (needs)
        SendMessage(h, WM_PAINT, 0, 0);
    } else {
      EraseNow(h);
    }
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const TRect* rect, BOOL erase)
{
  if (!hwnd)
    return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase)
{
  return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const TRect* rect) { return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN); }

BOOL ValidateRgn(HWND hwnd, HRGN region) { return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN); }

BOOL UpdateWindow(HWND hwnd)
{
  if (!IsWindow(hwnd))
    return FALSE;
  return RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW);
}

BOOL GetUpdateRect(HWND hwnd, TRect* rect, BOOL erase)
{
  bool any;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return FALSE;
    any = !w->Update.IsEmpty();
    if (rect)
      *rect = w->Update.Bounds();
  }
  if (erase && any)
    EraseNow(hwnd);
  return any ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase)
{
  TRegion update;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || !region)
      return 0;
    update = w->Update;
  }
  if (!SetRegionOf(region, update))
    return 0;
  if (erase && !update.IsEmpty())
    EraseNow(hwnd);
  return update.IsEmpty() ? NULLREGION : update.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

BOOL LockWindowUpdate(HWND hwnd)
{
  HWND unlocked = nullptr;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TCore& core = Core();
    if (hwnd) {
      if (!ResolveLocal(hwnd) || ResolveLocal(core.LockedUpdate))
        return FALSE;
      core.LockedUpdate = hwnd;
      GeometryChanged();
      return TRUE;
    }
    unlocked = ResolveLocal(core.LockedUpdate) ? core.LockedUpdate : nullptr;
    core.LockedUpdate = nullptr;
    GeometryChanged();
  }
  // What was drawn meanwhile was lost: the unlocked window is redrawn whole.
  if (unlocked)
    RedrawWindow(unlocked, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
  if (!paint)
    return nullptr;
  *paint = PAINTSTRUCT{};
  if (!IsWindow(hwnd))
    return nullptr;
  HideCaretForPaint(hwnd);
  TRegion update, frame;
  bool erase;
  TPoint windowOrigin, clientOrigin;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return nullptr;
    update = w->Update;
    frame = w->FrameUpdate;
    erase = w->Erase;
    w->Update = TRegion();
    w->FrameUpdate = TRegion();
    w->Erase = false;
    w->InternalPaint = false;
    UpdatePaintCount(w);
    windowOrigin = ScreenWindowRect(w).TopLeft();
    clientOrigin = ScreenClientRect(w).TopLeft();
  }
  if (!frame.IsEmpty()) {
    frame.Offset(windowOrigin.x, windowOrigin.y);
    HRGN rgn = CreateRegionFrom(frame);
    SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
    DeleteObject(rgn);
  }
  HDC dc;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return nullptr;
    TRegion screenUpdate = Offset(update, clientOrigin.x, clientOrigin.y);
    bool own = w->Class && (w->Class->Style & (CS_OWNDC | CS_CLASSDC));
    TDCRequest req;
    req.ClipChildren = (w->Style & WS_CLIPCHILDREN) != 0;
    req.ClipSiblings = (w->Style & WS_CLIPSIBLINGS) != 0;
    dc = MakeDC(w, std::move(req), &screenUpdate, nullptr, own);
    TRect bounds = update.Bounds();
    paint->rcPaint = bounds;
  }
  paint->hdc = dc;
  if (erase)
    paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
  if (!paint)
    return FALSE;
  ReleaseDC(hwnd, paint->hdc);
  ShowCaretAfterPaint(hwnd);
  return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  if (!hwnd || hwnd == GetDesktopWindow()) {
    TSurface s = ScreenSurface();
    TRegion all(TRect(0, 0, s.Width, s.Height));
    // Screen DCs still open follow a buffer made anew for another screen size.
    for (TDCRec& r : OpenDCs())
      if (!r.Hwnd) {
        SetSurfaceDCGeometry(r.Dc, s, TPoint(), all);
        r.Visible = all;
      }
    HDC dc = CreateSurfaceDC(s, TPoint(), all, nullptr);
    SetSurfaceDCMirror(dc, ScreenMirror());
    TDCRequest whole;
    whole.WholeWindow = true;
    OpenDCs().push_back({dc, nullptr, false, std::move(whole), all, 0});
    return dc;
  }
  TWnd* w = ResolveLocal(hwnd);
  if (!w)
    return nullptr;
  const TRegion* clipValue = clip && reinterpret_cast<std::uintptr_t>(clip) > 1 ? RegionOf(clip) : nullptr;
  TRegion update;
  const TRegion* intersect = (flags & DCX_INTERSECTRGN) ? clipValue : nullptr;
  if (flags & DCX_INTERSECTUPDATE) {
    TPoint o = ScreenClientRect(w).TopLeft();
    update = Offset(w->Update, o.x, o.y);
    if (intersect)
      update = update.Intersect(*intersect);
    intersect = &update;
  }
  bool useStyle = flags & DCX_USESTYLE;
  TDCRequest req;
  req.WholeWindow = flags & DCX_WINDOW;
  req.ClipChildren = (flags & DCX_CLIPCHILDREN) || (useStyle && (w->Style & WS_CLIPCHILDREN));
  req.ClipSiblings = (flags & DCX_CLIPSIBLINGS) || (useStyle && (w->Style & WS_CLIPSIBLINGS));
  req.IgnoreLock = (flags & DCX_LOCKWINDOWUPDATE) != 0;
  bool own = !(flags & (DCX_CACHE | DCX_WINDOW)) && w->Class && (w->Class->Style & (CS_OWNDC | CS_CLASSDC));
  TRegion emptyIntersect;
  if ((flags & DCX_INTERSECTRGN) && !intersect)
    intersect = &emptyIntersect;  // a stale region clips everything away
  return MakeDC(w, std::move(req), intersect, (flags & DCX_EXCLUDERGN) ? clipValue : nullptr, own);
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_USESTYLE); }

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE); }

int ReleaseDC(HWND hwnd, HDC dc)
{
  TDCRec rec;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    auto& open = OpenDCs();
    auto it = std::find_if(open.begin(), open.end(), [dc](const TDCRec& r) { return r.Dc == dc; });
    if (it == open.end() || (hwnd && it->Hwnd && it->Hwnd != hwnd))
      return 0;
    if (it->Hwnd && it->Generation != Core().Geometry.load()) {
      // Present where the DC reaches now, not where it reached when taken.
      TDCGeometry g = WorkOutGeometry(ResolveLocal(it->Hwnd), it->Request);
      it->Visible = std::move(g.Visible);
      it->Generation = Core().Geometry.load();
    }
    rec = *it;
    if (!rec.Own) {
      open.erase(it);
      DeleteSurfaceDC(dc);
    }
  }
  if (rec.Hwnd)
    Present(rec.Hwnd, rec.Visible);
  return 1;
}
