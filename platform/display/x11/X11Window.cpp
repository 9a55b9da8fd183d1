#include "platform/display/x11/X11Window.h"

#include <X11/extensions/shape.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace x11 {

namespace {

constexpr long WindowEvents = ExposureMask | StructureNotifyMask | PropertyChangeMask | FocusChangeMask | KeyPressMask |
                              KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                              EnterWindowMask | LeaveWindowMask;

// Motif hints: decorations only, and none of them: the layer draws its own frame.
constexpr long MwmHintsDecorations = 1L << 1;

std::string Latin1(const std::string& utf8)
{
  std::string out;
  std::u16string wide = UTF8Decode(utf8);
  for (char16_t c : wide)
    out += c < 0x100 ? char(c) : '?';
  return out;
}

}  // namespace

bool TX11Window::IsPopupKind(const TDisplayWindowState& s)
{
  if (!(s.Style & WS_POPUP) || (s.Style & WS_CAPTION) == WS_CAPTION)
    return false;
  // A popup without a caption that stays above, passes the focus on or
  // belongs to another window (menus, lists that drop down, hints, balloons):
  // the window manager has no say in it.
  return (s.ExStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE)) || s.Owner;
}

TX11Window::TX11Window(TCore& core, HWND hwnd, const TRect& screenRect, bool withPixels)
    : FCore(core), FHwnd(hwnd), FRect(screenRect)
{
  ServerRect = screenRect;
  if (withPixels)
    Allocate(screenRect.Width(), screenRect.Height());
  CreateXWindow();
}

TX11Window::~TX11Window()
{
  DestroyXWindow();
  FreeBuffer();
}

TSurface TX11Window::Surface() const
{
  TSurface s;
  if (!FBits)
    return s;
  s.Bits = FBits;
  s.Width = FWidth;
  s.Height = FHeight;
  s.StrideBytes = FWidth * 4;
  return s;
}

void TX11Window::CreateXWindow()
{
  Display* dpy = FCore.Dpy;
  XSetWindowAttributes attrs;
  attrs.background_pixmap = 0;  // None: the framebuffer covers everything, no flash of a background
  attrs.border_pixel = 0;
  attrs.bit_gravity = NorthWestGravity;
  attrs.event_mask = WindowEvents;
  attrs.override_redirect = FOverrideRedirect ? True : False;
  attrs.colormap = FArgb ? FCore.ArgbColormap : FCore.RgbColormap;
  unsigned long mask = CWBackPixmap | CWBorderPixel | CWBitGravity | CWEventMask | CWOverrideRedirect | CWColormap;
  Visual* visual = FArgb ? FCore.ArgbVisual : FCore.RgbVisual;
  int depth = FArgb ? 32 : FCore.RgbDepth;
  FWindow = XCreateWindow(dpy, FCore.Root, FRect.Left, FRect.Top, unsigned(std::max(FRect.Width(), 1)),
                          unsigned(std::max(FRect.Height(), 1)), 0, depth, InputOutput, visual, mask, &attrs);
  FGc = XCreateGC(dpy, FWindow, 0, nullptr);
  ServerRect = FRect;
  FViewable = false;

  Atom protocols[] = {FCore.A.WmDeleteWindow, FCore.A.NetWmPing};
  XSetWMProtocols(dpy, FWindow, protocols, 2);
  FCore.SetLongs(FWindow, FCore.A.NetWmPid, XA_CARDINAL, {long(getpid())});
  FCore.SetLongs(FWindow, FCore.A.WmClientLeader, XA_WINDOW, {long(FCore.Leader)});
  XClassHint klass;
  std::string name = program_invocation_short_name;
  klass.res_name = name.data();
  std::string className = "Corvane";
  klass.res_class = className.data();
  XSetClassHint(dpy, FWindow, &klass);
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0)
    XChangeProperty(dpy, FWindow, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<unsigned char*>(host), int(std::strlen(host)));
  FIconShown = nullptr;
  ApplyProperties();
  if (!FTitle.empty())
    SetTitle(FTitle);
  if (FShaped)
    ApplyShape();
  ApplyInputShape();
}

void TX11Window::DestroyXWindow()
{
  if (FGc)
    XFreeGC(FCore.Dpy, FGc);
  FGc = nullptr;
  if (FWindow)
    XDestroyWindow(FCore.Dpy, FWindow);
  FWindow = 0;
}

void TX11Window::Allocate(int width, int height)
{
  // A window of no size still gets one pixel, so its surface is never null.
  FWidth = std::max(width, 1);
  FHeight = std::max(height, 1);
  std::size_t bytes = std::size_t(FWidth) * std::size_t(FHeight) * 4;
  Display* dpy = FCore.Dpy;
  if (FCore.ShmUsable) {
    FShm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (FShm.shmid >= 0) {
      FShm.shmaddr = static_cast<char*>(shmat(FShm.shmid, nullptr, 0));
      if (FShm.shmaddr == reinterpret_cast<char*>(-1))
        FShm.shmaddr = nullptr;
      FShm.readOnly = True;
      bool attached = false;
      if (FShm.shmaddr) {
        TErrorTrap trap(dpy);
        XShmAttach(dpy, &FShm);
        attached = !trap.Failed();
      }
      // Gone once both sides let go of it.
      shmctl(FShm.shmid, IPC_RMID, nullptr);
      if (attached) {
        FImage = XShmCreateImage(dpy, FCore.RgbVisual, 24, ZPixmap, FShm.shmaddr, &FShm, unsigned(FWidth),
                                 unsigned(FHeight));
        // A new segment comes zeroed from the system: clearing it again
        // would only touch every page before the first paint does.
        FBits = reinterpret_cast<uint32_t*>(FShm.shmaddr);
        return;
      }
      if (FShm.shmaddr)
        shmdt(FShm.shmaddr);
      FShm = XShmSegmentInfo{};
    }
    // A server that cannot reach our memory (another machine, another
    // namespace) gets the pixels over the connection from now on.
    FCore.ShmUsable = false;
  }
  FHeap.assign(std::size_t(FWidth) * std::size_t(FHeight), 0);
  FBits = FHeap.data();
  if (FCore.DirectRgb) {
    FImage = XCreateImage(dpy, FCore.RgbVisual, 24, ZPixmap, 0, reinterpret_cast<char*>(FBits), unsigned(FWidth),
                          unsigned(FHeight), 32, FWidth * 4);
    if (FImage) {
      bool littleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
      FImage->byte_order = littleEndian ? LSBFirst : MSBFirst;
    }
  }
}

void TX11Window::FreeBuffer()
{
  if (FImage) {
    FImage->data = nullptr;  // the memory is ours, not Xlib's
    XDestroyImage(FImage);
    FImage = nullptr;
  }
  if (FShm.shmaddr) {
    XShmDetach(FCore.Dpy, &FShm);
    shmdt(FShm.shmaddr);
    FShm = XShmSegmentInfo{};
  }
  FHeap.clear();
  FHeap.shrink_to_fit();
  FBits = nullptr;
  FWidth = 0;
  FHeight = 0;
}

void TX11Window::ReleasePixels() { FreeBuffer(); }

void TX11Window::RestorePixels()
{
  if (!FBits)
    Allocate(FRect.Width(), FRect.Height());
}

void TX11Window::Resize(const TRect& screenRect)
{
  if (FBits) {
    // Keep the old pixels while the new buffer is made.
    std::vector<uint32_t> old(FBits, FBits + std::size_t(FWidth) * std::size_t(FHeight));
    int oldWidth = FWidth, oldHeight = FHeight;
    FreeBuffer();
    Allocate(screenRect.Width(), screenRect.Height());
    int w = std::min(oldWidth, FWidth), h = std::min(oldHeight, FHeight);
    for (int y = 0; y < h; ++y)
      std::copy_n(old.begin() + std::ptrdiff_t(y) * oldWidth, w, FBits + std::ptrdiff_t(y) * FWidth);
  }
  FRect = screenRect;
  if (ServerRect != FRect) {
    XMoveResizeWindow(FCore.Dpy, FWindow, FRect.Left, FRect.Top, unsigned(std::max(FRect.Width(), 1)),
                      unsigned(std::max(FRect.Height(), 1)));
    Asked(FRect);
  }
  if (!FOverrideRedirect)
    ApplyProperties();  // fixed-size hints follow the size
}

void TX11Window::Move(const TRect& screenRect)
{
  FRect = TRect(screenRect.Left, screenRect.Top, screenRect.Left + FRect.Width(), screenRect.Top + FRect.Height());
  if (ServerRect.Left != FRect.Left || ServerRect.Top != FRect.Top) {
    XMoveWindow(FCore.Dpy, FWindow, FRect.Left, FRect.Top);
    Asked(FRect);
  }
}

void TX11Window::Asked(const TRect& r)
{
  ServerRect = r;
  TRect shown(r.Left, r.Top, r.Left + std::max(r.Width(), 1), r.Top + std::max(r.Height(), 1));
  if (FAsked.size() >= 16)
    FAsked.erase(FAsked.begin());
  FAsked.push_back(shown);
}

bool TX11Window::AckConfigure(const TRect& reported)
{
  auto it = std::find(FAsked.begin(), FAsked.end(), reported);
  if (it == FAsked.end())
    return false;
  FAsked.erase(FAsked.begin(), it + 1);
  return true;
}

void TX11Window::SetState(const TDisplayWindowState& state, Window owner)
{
  bool wasMinimized = FState.Style & WS_MINIMIZE;
  HICON oldIcon = FState.Icon;
  DWORD oldExStyle = FState.ExStyle;
  FState = state;
  FOwner = owner;
  if (oldExStyle != state.ExStyle)
    ApplyInputShape();
  bool minimized = state.Style & WS_MINIMIZE;
  if (!FShown) {
    if (oldIcon != state.Icon)
      ApplyIcon();
    return;  // the rest is applied when it shows
  }
  if (oldIcon != state.Icon)
    ApplyIcon();
  if (minimized && !wasMinimized && !FIconified && !FOverrideRedirect) {
    FIconified = true;
    if (FCore.WindowManager())
      XIconifyWindow(FCore.Dpy, FWindow, FCore.Screen);
    else
      XUnmapWindow(FCore.Dpy, FWindow);
  } else if (!minimized && FIconified) {
    FIconified = false;
    WmIconic = false;
    XMapWindow(FCore.Dpy, FWindow);
  }
}

void TX11Window::ApplyProperties()
{
  Display* dpy = FCore.Dpy;
  const TAtoms& a = FCore.A;
  if (FOverrideRedirect) {
    // One that never takes the focus is a notice shown beside the work
    // (balloons); the others open from it and close with it (menus, lists,
    // hints).
    Atom type = (FState.ExStyle & WS_EX_NOACTIVATE) ? a.NetWmWindowTypeNotification : a.NetWmWindowTypePopupMenu;
    FCore.SetLongs(FWindow, a.NetWmWindowType, XA_ATOM, {long(type)});
    if (FOwner)
      XSetTransientForHint(dpy, FWindow, FOwner);
    return;
  }
  // Managed: the layer draws the frame and caption, the window manager none.
  FCore.SetLongs(FWindow, a.MotifWmHints, a.MotifWmHints, {MwmHintsDecorations, 0, 0, 0, 0});
  Atom type = a.NetWmWindowTypeNormal;
  if (FState.ExStyle & WS_EX_TOOLWINDOW)
    type = a.NetWmWindowTypeUtility;
  else if (FOwner && (FState.Style & WS_DLGFRAME) && !(FState.Style & WS_THICKFRAME))
    type = a.NetWmWindowTypeDialog;
  FCore.SetLongs(FWindow, a.NetWmWindowType, XA_ATOM, {long(type)});
  if (FOwner)
    XSetTransientForHint(dpy, FWindow, FOwner);
  else
    XDeleteProperty(dpy, FWindow, a.WmTransientFor);
  // The task bar shows windows that belong to no other, unless they are tool windows.
  std::vector<long> states;
  bool inTaskBar = (FState.ExStyle & WS_EX_APPWINDOW) || (!FOwner && !(FState.ExStyle & WS_EX_TOOLWINDOW));
  if (!inTaskBar) {
    states.push_back(long(a.NetWmStateSkipTaskbar));
    states.push_back(long(a.NetWmStateSkipPager));
  }
  if (FState.ExStyle & WS_EX_TOPMOST)
    states.push_back(long(a.NetWmStateAbove));
  FCore.SetLongs(FWindow, a.NetWmState, XA_ATOM, states);

  XWMHints hints{};
  hints.flags = InputHint | StateHint | WindowGroupHint;
  hints.input = (FState.ExStyle & WS_EX_NOACTIVATE) ? False : True;
  hints.initial_state = (FState.Style & WS_MINIMIZE) ? IconicState : NormalState;
  hints.window_group = FCore.Leader;
  XSetWMHints(dpy, FWindow, &hints);
  XSizeHints size{};
  size.flags = USPosition | USSize | PPosition | PSize;
  size.x = FRect.Left;
  size.y = FRect.Top;
  size.width = std::max(FRect.Width(), 1);
  size.height = std::max(FRect.Height(), 1);
  if (!(FState.Style & WS_THICKFRAME)) {
    size.flags |= PMinSize | PMaxSize;
    size.min_width = size.max_width = size.width;
    size.min_height = size.max_height = size.height;
  }
  XSetWMNormalHints(dpy, FWindow, &size);
}

void TX11Window::ApplyIcon()
{
  if (FState.Icon == FIconShown)
    return;
  FIconShown = FState.Icon;
  std::vector<long> data;
  for (HICON icon : {FState.Icon, FState.SmallIcon}) {
    TCursorImage image;
    if (!icon || (icon == FState.Icon && !data.empty()) || !GetCursorImage(icon, image) || image.Width <= 0)
      continue;
    if (!data.empty() && long(image.Width) == data[0])
      continue;  // the same size twice
    data.push_back(image.Width);
    data.push_back(image.Height);
    for (uint32_t p : image.Pixels)
      data.push_back(long(p));
  }
  if (data.empty())
    XDeleteProperty(FCore.Dpy, FWindow, FCore.A.NetWmIcon);
  else
    FCore.SetLongs(FWindow, FCore.A.NetWmIcon, XA_CARDINAL, data);
}

void TX11Window::Show(bool visible)
{
  Display* dpy = FCore.Dpy;
  if (!visible) {
    if (FShown) {
      if (FOverrideRedirect)
        XUnmapWindow(dpy, FWindow);
      else
        XWithdrawWindow(dpy, FWindow, FCore.Screen);
    }
    FShown = false;
    FIconified = false;
    return;
  }
  if (FShown)
    return;
  // The kind is settled while the window is unmapped.
  bool popup = IsPopupKind(FState);
  if (popup != FOverrideRedirect) {
    FOverrideRedirect = popup;
    XSetWindowAttributes attrs;
    attrs.override_redirect = popup ? True : False;
    XChangeWindowAttributes(dpy, FWindow, CWOverrideRedirect, &attrs);
  }
  if (FOverrideRedirect)
    XDeleteProperty(dpy, FWindow, FCore.A.MotifWmHints);
  ApplyProperties();
  ApplyIcon();
  FShown = true;
  bool minimized = FState.Style & WS_MINIMIZE;
  FIconified = minimized && !FOverrideRedirect;
  if (FOverrideRedirect)
    XMapRaised(dpy, FWindow);
  else if (!minimized || FCore.WindowManager())
    XMapWindow(dpy, FWindow);  // a minimised one maps iconic (WM_HINTS) where a window manager runs
}

void TX11Window::SetTitle(const std::string& title)
{
  FTitle = title;
  FCore.SetUtf8(FWindow, FCore.A.NetWmName, title);
  FCore.SetUtf8(FWindow, FCore.A.NetWmIconName, title);
  std::string latin = Latin1(title);
  XChangeProperty(FCore.Dpy, FWindow, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin.data()), int(latin.size()));
  XChangeProperty(FCore.Dpy, FWindow, XA_WM_ICON_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin.data()), int(latin.size()));
}

void TX11Window::SetShape(const TRegion* shape)
{
  if (!shape && !FShaped)
    return;
  FShaped = shape != nullptr;
  FShape = shape ? shape->Rects() : std::vector<TRect>();
  ApplyShape();
}

void TX11Window::ApplyShape()
{
  int event, error;
  if (!XShapeQueryExtension(FCore.Dpy, &event, &error))
    return;
  if (!FShaped) {
    XShapeCombineMask(FCore.Dpy, FWindow, ShapeBounding, 0, 0, 0, ShapeSet);
    return;
  }
  // The protocol's rectangles are 16-bit: a region reaching further is cut
  // to what they can say (far beyond any window) rather than wrapped round.
  const TRect reach(-32768, -32768, 32767, 32767);
  std::vector<XRectangle> rects;
  for (TRect r : FShape)
    if (IntersectRect(&r, &r, &reach))
      rects.push_back({short(r.Left), short(r.Top), static_cast<unsigned short>(r.Width()),
                       static_cast<unsigned short>(r.Height())});
  XShapeCombineRectangles(FCore.Dpy, FWindow, ShapeBounding, 0, 0, rects.data(), int(rects.size()), ShapeSet,
                          Unsorted);
}

void TX11Window::ApplyInputShape()
{
  if (!FCore.InputShapes())
    return;
  // A layered window that lets clicks through (drop shadows) takes none from
  // the server either, so the programs below it get them.
  bool clickThrough = (FState.ExStyle & WS_EX_LAYERED) && (FState.ExStyle & WS_EX_TRANSPARENT);
  if (clickThrough)
    XShapeCombineRectangles(FCore.Dpy, FWindow, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
  else
    XShapeCombineMask(FCore.Dpy, FWindow, ShapeInput, 0, 0, 0, ShapeSet);
}

bool TX11Window::SetLayering(const TDisplayLayering& layering)
{
  bool opaque = layering.Alpha == 255 && !layering.UseColorKey && !layering.PerPixelAlpha;
  if (opaque) {
    // Any window shows opaque pixels, with or without a compositor.
    FLayering = layering;
    if (FArgb)
      PresentAll();
    return true;
  }
  if (!FCore.CompositorRuns())
    return false;
  FLayering = layering;
  if (!FArgb) {
    // The visual of an X window is fixed: the window is made again with one that has alpha.
    bool shown = FShown;
    DestroyXWindow();
    FArgb = true;
    FShown = false;
    CreateXWindow();
    if (shown)
      Show(true);
  }
  PresentAll();
  return true;
}

void TX11Window::PresentAll() { Present(TRect(0, 0, FWidth, FHeight)); }

void TX11Window::Present(const TRect& area)
{
  TRect bounds(0, 0, FWidth, FHeight), r;
  if (!FBits || !FViewable || !IntersectRect(&r, &area, &bounds))
    return;
  if (FArgb || !FImage || !FCore.DirectRgb) {
    PutConverted(r);
    return;
  }
  if (FShm.shmaddr)
    XShmPutImage(FCore.Dpy, FWindow, FGc, FImage, r.Left, r.Top, r.Left, r.Top, unsigned(r.Width()),
                 unsigned(r.Height()), False);
  else
    XPutImage(FCore.Dpy, FWindow, FGc, FImage, r.Left, r.Top, r.Left, r.Top, unsigned(r.Width()),
              unsigned(r.Height()));
}

// A framebuffer pixel as the compositor takes it: premultiplied, its alpha
// the window's constant alpha (times its own with per-pixel alpha), none
// where the colour key makes a hole.
uint32_t TX11Window::Layered(uint32_t pixel) const
{
  if (FLayering.UseColorKey && (pixel & 0xFFFFFF) == FLayering.ColorKey)
    return 0;
  uint32_t argb = FLayering.PerPixelAlpha ? pixel : (pixel | 0xFF000000);
  return BlendPixel(0, argb, FLayering.Alpha, true);
}

// Pixels the server cannot take as they are: another visual, or alpha.
void TX11Window::PutConverted(const TRect& r)
{
  Visual* visual = FArgb ? FCore.ArgbVisual : FCore.RgbVisual;
  int depth = FArgb ? 32 : FCore.RgbDepth;
  XImage* image = XCreateImage(FCore.Dpy, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(r.Width()),
                               unsigned(r.Height()), 32, 0);
  if (!image)
    return;
  image->data = static_cast<char*>(std::malloc(std::size_t(image->bytes_per_line) * std::size_t(r.Height())));
  if (!image->data) {
    XDestroyImage(image);
    return;
  }
  for (int y = 0; y < r.Height(); ++y) {
    const uint32_t* row = FBits + std::ptrdiff_t(r.Top + y) * FWidth + r.Left;
    for (int x = 0; x < r.Width(); ++x)
      XPutPixel(image, x, y, FArgb ? PremultipliedPixelFor(visual, depth, Layered(row[x])) : PixelFor(visual, depth, row[x] & 0xFFFFFF, 255));
  }
  XPutImage(FCore.Dpy, FWindow, FGc, image, 0, 0, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
  XDestroyImage(image);
}

}  // namespace x11
