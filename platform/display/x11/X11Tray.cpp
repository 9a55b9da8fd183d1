#include "platform/display/x11/X11Tray.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace x11 {

namespace {

constexpr long SystemTrayRequestDock = 0;
constexpr long XembedMapped = 1;
constexpr long XembedEmbeddedNotify = 0;
// The size of a tray icon when the tray does not say (what trays give).
constexpr int DefaultTraySide = 22;

}  // namespace

namespace x11_tray {

// A square ARGB picture (not premultiplied) resampled to size x size: each
// pixel of the result averages the source area it covers, weighted by
// coverage and alpha, so a 16-pixel icon grows to 22 without doubled rows.
std::vector<uint32_t> ScaledSquare(const std::vector<uint32_t>& pixels, int side, int size)
{
  std::vector<uint32_t> out(std::size_t(size) * std::size_t(size), 0);
  if (side <= 0 || size <= 0)
    return out;
  const double step = double(side) / double(size);
  for (int y = 0; y < size; ++y) {
    const double y0 = y * step, y1 = (y + 1) * step;
    for (int x = 0; x < size; ++x) {
      const double x0 = x * step, x1 = (x + 1) * step;
      double a = 0, r = 0, g = 0, b = 0, area = 0;
      for (int sy = int(y0); sy < side && sy < y1; ++sy) {
        const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
        for (int sx = int(x0); sx < side && sx < x1; ++sx) {
          const double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
          if (w <= 0)
            continue;
          const uint32_t p = pixels[std::size_t(sy) * std::size_t(side) + std::size_t(sx)];
          const double alpha = double(p >> 24) * w;
          a += alpha;
          r += double((p >> 16) & 0xFF) * alpha;
          g += double((p >> 8) & 0xFF) * alpha;
          b += double(p & 0xFF) * alpha;
          area += w;
        }
      }
      if (a <= 0 || area <= 0)
        continue;
      auto channel = [](double v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
      out[std::size_t(y) * std::size_t(size) + std::size_t(x)] =
          channel(a / area) << 24 | channel(r / a) << 16 | channel(g / a) << 8 | channel(b / a);
    }
  }
  return out;
}

}  // namespace x11_tray

TX11Tray::~TX11Tray()
{
  for (auto& [key, icon] : FIcons)
    if (icon.Win)
      XDestroyWindow(FCore.Dpy, icon.Win);
}

void TX11Tray::Make(TIcon& icon)
{
  Display* dpy = FCore.Dpy;
  Window manager = XGetSelectionOwner(dpy, FCore.A.TraySelection);
  std::vector<long> visual;
  icon.Argb = manager && FCore.ArgbVisual && FCore.GetLongs(manager, FCore.A.TrayVisual, XA_VISUALID, visual) &&
              !visual.empty() && VisualID(visual[0]) == XVisualIDFromVisual(FCore.ArgbVisual);
  XSetWindowAttributes attrs;
  attrs.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  attrs.border_pixel = 0;
  unsigned long mask = CWEventMask | CWBorderPixel;
  if (icon.Argb) {
    attrs.background_pixel = 0;
    attrs.colormap = FCore.ArgbColormap;
    mask |= CWBackPixel | CWColormap;
  } else {
    attrs.background_pixmap = ParentRelative;  // the tray's own background shows through
    mask |= CWBackPixmap;
  }
  const int side = PreferredSide(manager);
  icon.Win = XCreateWindow(dpy, FCore.Root, 0, 0, unsigned(side), unsigned(side), 0, icon.Argb ? 32 : CopyFromParent,
                           InputOutput, icon.Argb ? FCore.ArgbVisual : CopyFromParent, mask, &attrs);
  icon.Width = icon.Height = side;
  // Trays lay their icons out by these hints (without them some give the
  // icon a width of one pixel); any size the tray gives is taken after.
  XSizeHints* hints = XAllocSizeHints();
  if (hints) {
    hints->flags = PMinSize | PBaseSize;
    hints->min_width = hints->min_height = side;
    hints->base_width = hints->base_height = side;
    XSetWMNormalHints(dpy, icon.Win, hints);
    XFree(hints);
  }
  FCore.SetLongs(icon.Win, FCore.A.XembedInfo, FCore.A.XembedInfo, {0, XembedMapped});
  FCore.SetUtf8(icon.Win, FCore.A.NetWmName, icon.Tip);
}

int TX11Tray::PreferredSide(Window manager)
{
  std::vector<long> size;
  if (manager && FCore.GetLongs(manager, FCore.Intern("_NET_SYSTEM_TRAY_ICON_SIZE"), XA_CARDINAL, size) &&
      !size.empty() && size[0] >= 8 && size[0] <= 256)
    return int(size[0]);
  return DefaultTraySide;
}

bool TX11Tray::Dock(TIcon& icon)
{
  Window manager = XGetSelectionOwner(FCore.Dpy, FCore.A.TraySelection);
  if (!manager)
    return false;
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = manager;
  ev.xclient.message_type = FCore.A.TrayOpcode;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = long(FCore.LastTime);
  ev.xclient.data.l[1] = SystemTrayRequestDock;
  ev.xclient.data.l[2] = long(icon.Win);
  TErrorTrap trap(FCore.Dpy);
  XSendEvent(FCore.Dpy, manager, False, NoEventMask, &ev);
  icon.Docked = !trap.Failed();
  return icon.Docked;
}

bool TX11Tray::Show(HWND window, UINT id, HICON handle, const std::string& tip)
{
  TIcon& icon = FIcons[{window, id}];
  TCursorImage image;
  icon.Pixels.clear();
  icon.Side = 0;
  if (handle && GetCursorImage(handle, image) && image.Width > 0 && image.Height > 0 &&
      image.Pixels.size() >= std::size_t(image.Width) * std::size_t(image.Height)) {
    // Made square, centred: the tray gives a square.
    int side = std::max(image.Width, image.Height);
    icon.Pixels.assign(std::size_t(side) * std::size_t(side), 0);
    icon.Side = side;
    int dx = (side - image.Width) / 2, dy = (side - image.Height) / 2;
    for (int y = 0; y < image.Height; ++y)
      for (int x = 0; x < image.Width; ++x)
        icon.Pixels[std::size_t(y + dy) * std::size_t(side) + std::size_t(x + dx)] =
            image.Pixels[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)];
  }
  icon.Tip = tip;
  if (!icon.Win)
    Make(icon);
  else
    FCore.SetUtf8(icon.Win, FCore.A.NetWmName, tip);
  if (!icon.Docked)
    Dock(icon);
  Paint(icon);
  return icon.Docked;
}

void TX11Tray::Remove(HWND window, UINT id)
{
  auto it = FIcons.find({window, id});
  if (it == FIcons.end())
    return;
  if (it->second.Win)
    XDestroyWindow(FCore.Dpy, it->second.Win);
  FIcons.erase(it);
}

bool TX11Tray::IconRect(HWND window, UINT id, TRect& rect)
{
  auto it = FIcons.find({window, id});
  if (it == FIcons.end() || !it->second.Docked)
    return false;
  XWindowAttributes attrs;
  TErrorTrap trap(FCore.Dpy);
  if (!XGetWindowAttributes(FCore.Dpy, it->second.Win, &attrs) || attrs.map_state != IsViewable)
    return false;
  TPoint at = FCore.RootPosition(it->second.Win);
  rect = TRect(at.x, at.y, at.x + attrs.width, at.y + attrs.height);
  return true;
}

void TX11Tray::TrayChanged()
{
  Window manager = XGetSelectionOwner(FCore.Dpy, FCore.A.TraySelection);
  for (auto& [key, icon] : FIcons) {
    if (!manager)
      icon.Docked = false;
    else if (!icon.Docked)
      Dock(icon);
  }
}

void TX11Tray::Paint(TIcon& icon)
{
  Display* dpy = FCore.Dpy;
  XClearWindow(dpy, icon.Win);
  int w = icon.Width, h = icon.Height;
  if (icon.Side == 0 || w <= 0 || h <= 0)
    return;
  // The largest square the tray's size holds, centred.
  int size = std::min(w, h);
  int left = (w - size) / 2, top = (h - size) / 2;
  const std::vector<uint32_t> scaled = x11_tray::ScaledSquare(icon.Pixels, icon.Side, size);
  Visual* visual = icon.Argb ? FCore.ArgbVisual : DefaultVisual(dpy, FCore.Screen);
  int depth = icon.Argb ? 32 : DefaultDepth(dpy, FCore.Screen);
  XImage* image = XCreateImage(dpy, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(size), unsigned(size), 32, 0);
  if (!image)
    return;
  image->data = static_cast<char*>(std::calloc(std::size_t(image->bytes_per_line) * std::size_t(size), 1));
  int stride = (size + 7) / 8;
  std::vector<char> mask(std::size_t(stride) * std::size_t(size), 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      uint32_t p = scaled[std::size_t(y) * std::size_t(size) + std::size_t(x)];
      int alpha = int(p >> 24);
      XPutPixel(image, x, y, PixelFor(visual, depth, p & 0xFFFFFF, icon.Argb ? alpha : 255));
      if (alpha >= 128)
        mask[std::size_t(y) * std::size_t(stride) + std::size_t(x / 8)] |= char(1 << (x % 8));
    }
  GC gc = XCreateGC(dpy, icon.Win, 0, nullptr);
  Pixmap clip = 0;
  if (!icon.Argb) {
    clip = XCreateBitmapFromData(dpy, icon.Win, mask.data(), unsigned(size), unsigned(size));
    XSetClipMask(dpy, gc, clip);
    XSetClipOrigin(dpy, gc, left, top);
  }
  XPutImage(dpy, icon.Win, gc, image, 0, 0, left, top, unsigned(size), unsigned(size));
  XFreeGC(dpy, gc);
  if (clip)
    XFreePixmap(dpy, clip);
  XDestroyImage(image);
}

bool TX11Tray::OnEvent(const XEvent& ev, TActions& actions)
{
  for (auto& [key, icon] : FIcons) {
    if (icon.Win != ev.xany.window)
      continue;
    HWND window = key.first;
    UINT id = key.second;
    switch (ev.type) {
      case Expose:
        if (ev.xexpose.count == 0)
          Paint(icon);
        break;
      case ConfigureNotify:
        // The size the tray gives: the icon follows it.
        if (ev.xconfigure.width != icon.Width || ev.xconfigure.height != icon.Height) {
          icon.Width = ev.xconfigure.width;
          icon.Height = ev.xconfigure.height;
          Paint(icon);
        }
        break;
      case ReparentNotify:
        if (ev.xreparent.parent == FCore.Root) {
          // The tray went and handed the icon back: it waits hidden for the next one.
          icon.Docked = false;
          XUnmapWindow(FCore.Dpy, icon.Win);
        }
        break;
      case ClientMessage:
        if (ev.xclient.message_type == FCore.A.Xembed && ev.xclient.data.l[1] == XembedEmbeddedNotify) {
          // Embedded: the window's size is the tray's from now on.
          icon.Docked = true;
          XWindowAttributes attrs;
          if (XGetWindowAttributes(FCore.Dpy, icon.Win, &attrs)) {
            icon.Width = attrs.width;
            icon.Height = attrs.height;
          }
          Paint(icon);
        }
        break;
      case ButtonPress:
      case ButtonRelease: {
        int button = ButtonIndex(ev.xbutton.button);
        if (button < 0)
          break;
        TPoint at(ev.xbutton.x_root, ev.xbutton.y_root);
        bool down = ev.type == ButtonPress;
        actions.push_back([=] {
          InputMouseOutside(at);
          InputNotifyIconMouse(window, id, button, down);
        });
        break;
      }
      case MotionNotify: {
        TPoint at(ev.xmotion.x_root, ev.xmotion.y_root);
        actions.push_back([=] {
          InputMouseOutside(at);
          InputNotifyIconMouse(window, id, -1, false);
        });
        break;
      }
      default:
        break;
    }
    return true;
  }
  return false;
}

}  // namespace x11
