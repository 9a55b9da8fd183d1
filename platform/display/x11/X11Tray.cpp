#include "platform/display/x11/X11Tray.h"

#include <algorithm>

namespace x11 {

namespace {

constexpr long SystemTrayRequestDock = 0;
constexpr long XembedMapped = 1;

}  // namespace

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
  icon.Win = XCreateWindow(dpy, FCore.Root, 0, 0, 22, 22, 0, icon.Argb ? 32 : CopyFromParent, InputOutput,
                           icon.Argb ? FCore.ArgbVisual : CopyFromParent, mask, &attrs);
  icon.Width = icon.Height = 22;
  FCore.SetLongs(icon.Win, FCore.A.XembedInfo, FCore.A.XembedInfo, {0, XembedMapped});
  FCore.SetUtf8(icon.Win, FCore.A.NetWmName, icon.Tip);
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
  std::size_t side = std::size_t(icon.Side);
  if (side == 0 || w <= 0 || h <= 0)
    return;
  int size = std::min(w, h);
  int left = (w - size) / 2, top = (h - size) / 2;
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
      // Nearest pixel of the icon scaled to the tray's size.
      uint32_t p = icon.Pixels[std::size_t(y) * side / std::size_t(size) * side + std::size_t(x) * side / std::size_t(size)];
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
        icon.Width = ev.xconfigure.width;
        icon.Height = ev.xconfigure.height;
        Paint(icon);
        break;
      case ReparentNotify:
        if (ev.xreparent.parent == FCore.Root) {
          // The tray went and handed the icon back: it waits hidden for the next one.
          icon.Docked = false;
          XUnmapWindow(FCore.Dpy, icon.Win);
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
