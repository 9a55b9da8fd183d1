#include "platform/display/x11/X11Core.h"

#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <X11/extensions/Xfixes.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace x11 {

namespace {

std::atomic<unsigned long> gLastErrorSerial{0};

int RecordError(Display*, XErrorEvent* error)
{
  gLastErrorSerial = error->serial;
  return 0;
}

struct TAtomName {
  Atom TAtoms::*Field;
  const char* Name;
};

const TAtomName AtomNames[] = {
    {&TAtoms::WmProtocols, "WM_PROTOCOLS"},
    {&TAtoms::WmDeleteWindow, "WM_DELETE_WINDOW"},
    {&TAtoms::WmState, "WM_STATE"},
    {&TAtoms::WmChangeState, "WM_CHANGE_STATE"},
    {&TAtoms::WmTransientFor, "WM_TRANSIENT_FOR"},
    {&TAtoms::WmClientLeader, "WM_CLIENT_LEADER"},
    {&TAtoms::NetWmPing, "_NET_WM_PING"},
    {&TAtoms::NetWmPid, "_NET_WM_PID"},
    {&TAtoms::NetWmName, "_NET_WM_NAME"},
    {&TAtoms::NetWmIconName, "_NET_WM_ICON_NAME"},
    {&TAtoms::NetWmIcon, "_NET_WM_ICON"},
    {&TAtoms::NetWmWindowType, "_NET_WM_WINDOW_TYPE"},
    {&TAtoms::NetWmWindowTypeNormal, "_NET_WM_WINDOW_TYPE_NORMAL"},
    {&TAtoms::NetWmWindowTypeDialog, "_NET_WM_WINDOW_TYPE_DIALOG"},
    {&TAtoms::NetWmWindowTypeUtility, "_NET_WM_WINDOW_TYPE_UTILITY"},
    {&TAtoms::NetWmWindowTypePopupMenu, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
    {&TAtoms::NetWmWindowTypeDropdownMenu, "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU"},
    {&TAtoms::NetWmWindowTypeTooltip, "_NET_WM_WINDOW_TYPE_TOOLTIP"},
    {&TAtoms::NetWmWindowTypeNotification, "_NET_WM_WINDOW_TYPE_NOTIFICATION"},
    {&TAtoms::NetWmState, "_NET_WM_STATE"},
    {&TAtoms::NetWmStateAbove, "_NET_WM_STATE_ABOVE"},
    {&TAtoms::NetWmStateSkipTaskbar, "_NET_WM_STATE_SKIP_TASKBAR"},
    {&TAtoms::NetWmStateSkipPager, "_NET_WM_STATE_SKIP_PAGER"},
    {&TAtoms::NetWmStateHidden, "_NET_WM_STATE_HIDDEN"},
    {&TAtoms::NetWmMoveResize, "_NET_WM_MOVERESIZE"},
    {&TAtoms::NetActiveWindow, "_NET_ACTIVE_WINDOW"},
    {&TAtoms::NetSupported, "_NET_SUPPORTED"},
    {&TAtoms::NetSupportingWmCheck, "_NET_SUPPORTING_WM_CHECK"},
    {&TAtoms::NetWorkArea, "_NET_WORKAREA"},
    {&TAtoms::NetCurrentDesktop, "_NET_CURRENT_DESKTOP"},
    {&TAtoms::MotifWmHints, "_MOTIF_WM_HINTS"},
    {&TAtoms::Utf8String, "UTF8_STRING"},
    {&TAtoms::Clipboard, "CLIPBOARD"},
    {&TAtoms::Targets, "TARGETS"},
    {&TAtoms::Multiple, "MULTIPLE"},
    {&TAtoms::Timestamp, "TIMESTAMP"},
    {&TAtoms::Text, "TEXT"},
    {&TAtoms::TextPlainUtf8, "text/plain;charset=utf-8"},
    {&TAtoms::TextPlain, "text/plain"},
    {&TAtoms::Incr, "INCR"},
    {&TAtoms::SelectionProperty, "CORVANE_SELECTION"},
    {&TAtoms::Manager, "MANAGER"},
    {&TAtoms::TrayOpcode, "_NET_SYSTEM_TRAY_OPCODE"},
    {&TAtoms::TrayVisual, "_NET_SYSTEM_TRAY_VISUAL"},
    {&TAtoms::XembedInfo, "_XEMBED_INFO"},
    {&TAtoms::Xembed, "_XEMBED"},
    {&TAtoms::XdndAware, "XdndAware"},
    {&TAtoms::XdndProxy, "XdndProxy"},
    {&TAtoms::XdndEnter, "XdndEnter"},
    {&TAtoms::XdndPosition, "XdndPosition"},
    {&TAtoms::XdndStatus, "XdndStatus"},
    {&TAtoms::XdndLeave, "XdndLeave"},
    {&TAtoms::XdndDrop, "XdndDrop"},
    {&TAtoms::XdndFinished, "XdndFinished"},
    {&TAtoms::XdndSelection, "XdndSelection"},
    {&TAtoms::XdndTypeList, "XdndTypeList"},
    {&TAtoms::XdndActionCopy, "XdndActionCopy"},
    {&TAtoms::XdndActionMove, "XdndActionMove"},
    {&TAtoms::XdndActionLink, "XdndActionLink"},
    {&TAtoms::XdndActionAsk, "XdndActionAsk"},
    {&TAtoms::XdndActionPrivate, "XdndActionPrivate"},
};

int Shift(unsigned long mask)
{
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

int Bits(unsigned long mask)
{
  int n = 0;
  for (; mask; mask >>= 1)
    n += int(mask & 1);
  return n;
}

}  // namespace

TErrorTrap::TErrorTrap(Display* dpy) : FDpy(dpy), FFirstSerial(NextRequest(dpy)) {}

TErrorTrap::~TErrorTrap() = default;

bool TErrorTrap::Failed()
{
  XSync(FDpy, False);
  return gLastErrorSerial >= FFirstSerial;
}

TCore::TCore()
{
  XInitThreads();
  Dpy = TakeProbeConnection();
  if (!Dpy)
    Dpy = XOpenDisplay(nullptr);
  if (!Dpy)
    return;
  XSetErrorHandler(&RecordError);
  Screen = DefaultScreen(Dpy);
  Root = RootWindow(Dpy, Screen);
  // Every atom in one round trip.
  char compositor[64], tray[64];
  std::snprintf(compositor, sizeof compositor, "_NET_WM_CM_S%d", Screen);
  std::snprintf(tray, sizeof tray, "_NET_SYSTEM_TRAY_S%d", Screen);
  std::vector<char*> names;
  for (const TAtomName& a : AtomNames)
    names.push_back(const_cast<char*>(a.Name));
  names.push_back(compositor);
  names.push_back(tray);
  std::vector<Atom> atoms(names.size(), 0);
  XInternAtoms(Dpy, names.data(), int(names.size()), False, atoms.data());
  for (std::size_t i = 0; i < std::size(AtomNames); ++i)
    A.*(AtomNames[i].Field) = atoms[i];
  A.CompositorSelection = atoms[std::size(AtomNames)];
  A.TraySelection = atoms[std::size(AtomNames) + 1];

  // Pixels go out as they are on a 24-bit TrueColor visual with the usual
  // masks; any other TrueColor visual gets them converted.
  XVisualInfo info;
  Visual* def = DefaultVisual(Dpy, Screen);
  if (XMatchVisualInfo(Dpy, Screen, 24, TrueColor, &info) && info.red_mask == 0xFF0000 &&
      info.green_mask == 0xFF00 && info.blue_mask == 0xFF) {
    RgbVisual = info.visual;
    RgbDepth = 24;
  } else {
    RgbVisual = def;
    RgbDepth = DefaultDepth(Dpy, Screen);
  }
  RgbColormap = RgbVisual == def ? DefaultColormap(Dpy, Screen) : XCreateColormap(Dpy, Root, RgbVisual, AllocNone);
  DirectRgb = RgbDepth == 24 && RgbVisual->red_mask == 0xFF0000 && RgbVisual->green_mask == 0xFF00 &&
              RgbVisual->blue_mask == 0xFF;
  if (DirectRgb) {
    // The server must read 32 bits a pixel in our byte order for the pixels to go as they are.
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(Dpy, &count);
    bool fits = false;
    for (int i = 0; i < count; ++i)
      fits = fits || (formats[i].depth == 24 && formats[i].bits_per_pixel == 32);
    if (formats)
      XFree(formats);
    DirectRgb = fits;
  }
  bool littleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
  ShmUsable = DirectRgb && XShmQueryExtension(Dpy) && (ImageByteOrder(Dpy) == LSBFirst) == littleEndian;
  if (XMatchVisualInfo(Dpy, Screen, 32, TrueColor, &info)) {
    ArgbVisual = info.visual;
    ArgbColormap = XCreateColormap(Dpy, Root, ArgbVisual, AllocNone);
  }

  XSetWindowAttributes attrs;
  attrs.event_mask = PropertyChangeMask;
  Leader = XCreateWindow(Dpy, Root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &attrs);
  XSelectInput(Dpy, Root, PropertyChangeMask | StructureNotifyMask);
  int fixesError;
  int fixesEvent;
  if (XFixesQueryExtension(Dpy, &fixesEvent, &fixesError)) {
    XFixesEvent = fixesEvent;
    unsigned long mask = XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                         XFixesSelectionClientCloseNotifyMask;
    XFixesSelectSelectionInput(Dpy, Leader, A.Clipboard, mask);
    XFixesSelectSelectionInput(Dpy, Leader, A.CompositorSelection, mask);
    XFixesSelectSelectionInput(Dpy, Leader, A.TraySelection, mask);
  }
  WakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  XFlush(Dpy);
}

TCore::~TCore()
{
  if (Dpy)
    XCloseDisplay(Dpy);
  if (WakeFd >= 0)
    close(WakeFd);
}

void TCore::WakeReader()
{
  if (WakeFd < 0)
    return;
  uint64_t one = 1;
  ssize_t n = write(WakeFd, &one, sizeof one);
  (void)n;
}

Atom TCore::Intern(const char* name) { return XInternAtom(Dpy, name, False); }

namespace x11_core {

struct TTimeProbe {
  Window Leader;
  Atom Property;
};

Bool IsTimeProbe(Display*, XEvent* ev, XPointer arg)
{
  auto* probe = reinterpret_cast<TTimeProbe*>(arg);
  return ev->type == PropertyNotify && ev->xproperty.window == probe->Leader && ev->xproperty.atom == probe->Property;
}

}  // namespace x11_core

Time TCore::ServerTime()
{
  x11_core::TTimeProbe probe{Leader, Intern("_CORVANE_TIME_PROBE")};
  XChangeProperty(Dpy, Leader, probe.Property, XA_STRING, 8, PropModeAppend, nullptr, 0);
  // The notice comes before the answer to the sync: it is in the queue then.
  XSync(Dpy, False);
  XEvent ev;
  if (XCheckIfEvent(Dpy, &ev, &x11_core::IsTimeProbe, reinterpret_cast<XPointer>(&probe)) && ev.xproperty.time) {
    LastTime = ev.xproperty.time;
    return ev.xproperty.time;
  }
  return LastTime;
}

std::string TCore::AtomName(Atom atom)
{
  if (atom == 0)
    return std::string();
  TErrorTrap trap(Dpy);
  char* name = XGetAtomName(Dpy, atom);
  std::string s = name ? name : "";
  if (name)
    XFree(name);
  return s;
}

bool TCore::GetLongs(Window w, Atom property, Atom type, std::vector<long>& out)
{
  out.clear();
  Atom actual;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  TErrorTrap trap(Dpy);
  if (XGetWindowProperty(Dpy, w, property, 0, 0x10000, False, type, &actual, &format, &count, &after, &data) !=
          Success ||
      !data) {
    return false;
  }
  bool ok = format == 32 && (type == AnyPropertyType || actual == type);
  if (ok)
    out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  XFree(data);
  return ok;
}

bool TCore::GetBytes(Window w, Atom property, std::vector<unsigned char>& out, Atom* typeOut)
{
  out.clear();
  Atom actual;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  TErrorTrap trap(Dpy);
  if (XGetWindowProperty(Dpy, w, property, 0, 0x4000000, False, AnyPropertyType, &actual, &format, &count, &after,
                         &data) != Success) {
    return false;
  }
  if (typeOut)
    *typeOut = actual;
  if (!data)
    return actual != 0;
  if (format == 8)
    out.assign(data, data + count);
  XFree(data);
  return format == 8;
}

void TCore::SetLongs(Window w, Atom property, Atom type, const std::vector<long>& values)
{
  XChangeProperty(Dpy, w, property, type, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                  int(values.size()));
}

void TCore::SetUtf8(Window w, Atom property, const std::string& text)
{
  XChangeProperty(Dpy, w, property, A.Utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
}

Window TCore::WindowManager()
{
  if (WmKnown)
    return WmCache;
  WmKnown = true;
  WmCache = 0;
  std::vector<long> check, again;
  if (!GetLongs(Root, A.NetSupportingWmCheck, XA_WINDOW, check) || check.empty())
    return 0;
  // The check window names itself, or it is a stale leftover of a window manager gone.
  if (!GetLongs(Window(check[0]), A.NetSupportingWmCheck, XA_WINDOW, again) || again.empty() || again[0] != check[0])
    return 0;
  WmCache = Window(check[0]);
  return WmCache;
}

bool TCore::InputShapes()
{
  if (FInputShapes < 0) {
    int event, error, major = 0, minor = 0;
    FInputShapes = XShapeQueryExtension(Dpy, &event, &error) && XShapeQueryVersion(Dpy, &major, &minor) &&
                   (major > 1 || (major == 1 && minor >= 1));
  }
  return FInputShapes > 0;
}

bool TCore::WmSupports(Atom hint)
{
  if (!WindowManager())
    return false;
  std::vector<long> supported;
  if (!GetLongs(Root, A.NetSupported, XA_ATOM, supported))
    return false;
  for (long a : supported)
    if (Atom(a) == hint)
      return true;
  return false;
}

bool TCore::CompositorRuns() { return ArgbVisual && XGetSelectionOwner(Dpy, A.CompositorSelection) != 0; }

TRect TCore::ScreenRect() { return TRect(0, 0, DisplayWidth(Dpy, Screen), DisplayHeight(Dpy, Screen)); }

TRect TCore::WorkArea()
{
  if (!WorkAreaKnown) {
    WorkAreaCache = AskWorkArea();
    WorkAreaKnown = true;
  }
  return WorkAreaCache;
}

TRect TCore::AskWorkArea()
{
  TRect screen = ScreenRect();
  std::vector<long> area, desktop;
  if (!GetLongs(Root, A.NetWorkArea, XA_CARDINAL, area) || area.size() < 4)
    return screen;
  std::size_t index = 0;
  if (GetLongs(Root, A.NetCurrentDesktop, XA_CARDINAL, desktop) && !desktop.empty() && desktop[0] >= 0 &&
      std::size_t(desktop[0]) * 4 + 4 <= area.size())
    index = std::size_t(desktop[0]) * 4;
  TRect work(int(area[index]), int(area[index + 1]), int(area[index] + area[index + 2]),
             int(area[index + 1] + area[index + 3]));
  TRect both;
  if (!IntersectRect(&both, &work, &screen))
    return screen;
  return both;
}

TPoint TCore::RootPosition(Window w)
{
  int x = 0, y = 0;
  Window child;
  TErrorTrap trap(Dpy);
  XTranslateCoordinates(Dpy, w, Root, 0, 0, &x, &y, &child);
  return TPoint(x, y);
}

TLocked::TLocked(TCore& core) : FCore(core) { FCore.Lock.lock(); }

TLocked::~TLocked()
{
  if (FCore.Dpy) {
    XFlush(FCore.Dpy);
    if (XEventsQueued(FCore.Dpy, QueuedAlready) > 0)
      FCore.WakeReader();
  }
  FCore.Lock.unlock();
}

unsigned long PixelFor(const Visual* visual, int depth, uint32_t rgb, int alpha)
{
  unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  if (alpha < 255) {
    r = (r * unsigned(alpha) + 127) / 255;
    g = (g * unsigned(alpha) + 127) / 255;
    b = (b * unsigned(alpha) + 127) / 255;
  }
  return PremultipliedPixelFor(visual, depth, (uint32_t(alpha) << 24) | (r << 16) | (g << 8) | b);
}

unsigned long PremultipliedPixelFor(const Visual* visual, int depth, uint32_t argb)
{
  auto place = [](unsigned v, unsigned long mask) {
    int bits = Bits(mask);
    unsigned scaled = bits >= 8 ? v << (bits - 8) : v >> (8 - bits);
    return (static_cast<unsigned long>(scaled) << Shift(mask)) & mask;
  };
  unsigned long p = place((argb >> 16) & 0xFF, visual->red_mask) | place((argb >> 8) & 0xFF, visual->green_mask) |
                    place(argb & 0xFF, visual->blue_mask);
  if (depth == 32) {
    unsigned long all = visual->red_mask | visual->green_mask | visual->blue_mask;
    unsigned long alphaMask = 0xFFFFFFFFul & ~all;
    p |= place(argb >> 24, alphaMask);
  }
  return p;
}

uint32_t RgbOfPixel(const Visual* visual, unsigned long pixel)
{
  auto take = [pixel](unsigned long mask) {
    int bits = Bits(mask);
    unsigned v = unsigned((pixel & mask) >> Shift(mask));
    if (bits >= 8)
      return v >> (bits - 8);
    // Fewer bits: spread them over the byte so that the top value is 255.
    unsigned top = (1u << bits) - 1;
    return top ? (v * 255 + top / 2) / top : 0;
  };
  return (take(visual->red_mask) << 16) | (take(visual->green_mask) << 8) | take(visual->blue_mask);
}

}  // namespace x11
