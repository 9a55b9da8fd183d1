#include "X11TestSupport.h"

#include "platform/base/Utf.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

_XDisplay* X11Fixture::X = nullptr;
TX11Display* X11Fixture::Backend = nullptr;

_XDisplay* OpenTestDisplay()
{
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name)
    return nullptr;
  XInitThreads();
  Display* display = nullptr;
  X11Fixture::WaitUntil([&] { return (display = XOpenDisplay(nullptr)) != nullptr; }, 10000);
  return display;
}

void CloseTestDisplay(_XDisplay* Display)
{
  if (Display)
    XCloseDisplay(Display);
}

void X11Fixture::SetUpTestSuite()
{
  if (X || Backend)
    return;
  X = OpenTestDisplay();
  if (!X || !RegisterX11Display() || !SelectDisplayBackend("x11")) {
    if (X)
      XCloseDisplay(X);
    X = nullptr;
    return;
  }
  Backend = TX11Display::Current();
  SetBuiltinFontOnly(true);
}

void X11Fixture::SetUp()
{
  if (!X || !Backend)
    GTEST_SKIP() << "no X display to run on";
}

namespace {
// The windows of other programs a test showed (ShowForeignWindow).
std::vector<Window> gForeignWindows;
}  // namespace

void X11Fixture::TearDown()
{
  if (!X || !Backend)
    return;
  StopCompositor();
  for (Window w : gForeignWindows)
    XDestroyWindow(X, w);
  gForeignWindows.clear();
  XSync(X, False);
  StopWindowManager();
  for (HWND h : FMade)
    if (IsWindow(h))
      DestroyWindow(h);
  FMade.clear();
  if (GetCapture())
    ReleaseCapture();
  if (X) {
    // Every button and key back up, the pointer out of the way.
    for (int b = 1; b <= 3; ++b)
      XTestFakeButtonEvent(X, unsigned(b), False, 0);
    XSync(X, False);
  }
  Pump(30);
}

void X11Fixture::CatchUp()
{
  XSync(X, False);
  Backend->Sync();
}

bool X11Fixture::PumpUntil(const std::function<bool()>& done, int milliseconds)
{
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    CatchUp();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (done()) {
      // What the server did until done() held may have sent the back end
      // events it has not read yet (the expose of a window just mapped, the
      // loss of the clipboard to another program): it handles them first.
      CatchUp();
      return true;
    }
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool X11Fixture::WaitUntil(const std::function<bool()>& done, int milliseconds)
{
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void X11Fixture::Pump(int milliseconds)
{
  PumpUntil([] { return false; }, milliseconds);
}

unsigned long X11Fixture::AtomOf(const char* name) { return XInternAtom(X, name, False); }

bool X11Fixture::Viewable(XWin w)
{
  XWindowAttributes attrs;
  return w && XGetWindowAttributes(X, w, &attrs) && attrs.map_state == IsViewable;
}

bool X11Fixture::OverrideRedirect(XWin w)
{
  XWindowAttributes attrs;
  return w && XGetWindowAttributes(X, w, &attrs) && attrs.override_redirect;
}

std::vector<long> X11Fixture::Longs(XWin w, const char* property)
{
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<long> out;
  if (XGetWindowProperty(X, w, AtomOf(property), 0, 1 << 20, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) == Success &&
      data) {
    if (format == 32)
      out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    XFree(data);
  }
  return out;
}

std::string X11Fixture::Utf8Property(XWin w, const char* property)
{
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string out;
  if (XGetWindowProperty(X, w, AtomOf(property), 0, 1 << 20, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) == Success &&
      data) {
    if (format == 8)
      out.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return out;
}

void X11Fixture::MoveTo(int x, int y)
{
  XTestFakeMotionEvent(X, DefaultScreen(X), x, y, 0);
  XSync(X, False);
}

void X11Fixture::Click(int x, int y, int button)
{
  MoveTo(x, y);
  XTestFakeButtonEvent(X, unsigned(button), True, 0);
  XTestFakeButtonEvent(X, unsigned(button), False, 0);
  XSync(X, False);
}

void X11Fixture::Button(int button, bool down)
{
  XTestFakeButtonEvent(X, unsigned(button), down ? True : False, 0);
  XSync(X, False);
}

namespace {

// A key code with no symbols of its own, for symbols the keymap lacks.
KeyCode SpareKeyCode(Display* x)
{
  static KeyCode spare = 0;
  if (spare)
    return spare;
  int low, high, per;
  XDisplayKeycodes(x, &low, &high);
  KeySym* map = XGetKeyboardMapping(x, KeyCode(low), high - low + 1, &per);
  for (int code = high; code >= low && !spare; --code) {
    bool empty = true;
    for (int i = 0; i < per; ++i)
      empty = empty && map[(code - low) * per + i] == NoSymbol;
    if (empty)
      spare = KeyCode(code);
  }
  XFree(map);
  return spare;
}

// The key code that types sym at its first level, mapping the spare one when needed.
KeyCode CodeFor(Display* x, KeySym sym)
{
  KeyCode code = XKeysymToKeycode(x, sym);
  if (code && XkbKeycodeToKeysym(x, code, 0, 0) == sym)
    return code;
  code = SpareKeyCode(x);
  XChangeKeyboardMapping(x, code, 1, &sym, 1);
  XSync(x, False);
  return code;
}

}  // namespace

void X11Fixture::Key(unsigned long sym, bool down)
{
  KeyCode code = CodeFor(X, sym);
  if (down)
    Pump(20);  // the display hears of a new mapping before the key
  XTestFakeKeyEvent(X, code, down ? True : False, 0);
  XSync(X, False);
}

void X11Fixture::TypeKeySym(unsigned long sym)
{
  Key(sym, true);
  Key(sym, false);
}

void X11Fixture::TypeText(const std::string& utf8)
{
  std::u16string wide = UTF8Decode(utf8);  // from the base layer's UTF helpers
  for (char16_t c : wide) {
    KeySym sym = c == ' ' ? XK_space : c < 0x100 ? KeySym(c) : KeySym(0x01000000 | c);
    if (c == 0x20AC)
      sym = XK_EuroSign;
    bool upper = c >= 'A' && c <= 'Z';
    if (upper) {
      Key(XK_Shift_L, true);
      sym = KeySym(c - 'A' + 'a');
    }
    TypeKeySym(sym);
    if (upper)
      Key(XK_Shift_L, false);
    Pump(10);
  }
}

std::vector<uint32_t> X11Fixture::ServerPixels(XWin w, int width, int height)
{
  std::vector<uint32_t> out;
  XImage* image = XGetImage(X, w, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  if (!image)
    return out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  return out;
}

std::vector<uint32_t> X11Fixture::LayerPixels(HWND hwnd, int width, int height)
{
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, dib);
  HDC window = GetWindowDC(hwnd);
  BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
  ReleaseDC(hwnd, window);
  std::vector<uint32_t> out(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
  for (uint32_t& p : out)
    p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  return out;
}

std::string X11Fixture::Run(const std::string& command)
{
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    out.append(buffer, n);
  pclose(pipe);
  return out;
}

void X11Fixture::SendWindowManagerDelete(XWin w)
{
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = AtomOf("WM_PROTOCOLS");
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = long(AtomOf("WM_DELETE_WINDOW"));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(X, w, False, NoEventMask, &ev);
  XSync(X, False);
}

extern char** environ;

namespace {
pid_t gCompositor = 0;
pid_t gWindowManager = 0;

bool WindowManagerAnnounced(Display* X)
{
  Atom check = XInternAtom(X, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(X, DefaultRootWindow(X), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                                  &after, &data) == Success &&
               data && count == 1;
  if (data)
    XFree(data);
  return found;
}
}  // namespace

bool X11Fixture::StartCompositor()
{
  const char* argv[] = {"xcompmgr", nullptr};
  if (posix_spawnp(&gCompositor, "xcompmgr", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    gCompositor = 0;
    return false;
  }
  return PumpUntil([&] { return Backend->SupportsLayeredWindows(); }, 5000);
}

XWin X11Fixture::Root() { return DefaultRootWindow(X); }

XWin X11Fixture::ShowForeignWindow(int x, int y, int width, int height, const char* title)
{
  Window w = XCreateSimpleWindow(X, DefaultRootWindow(X), x, y, unsigned(width), unsigned(height), 0, 0, 0x4080C0);
  XStoreName(X, w, title);
  // Where the test puts it, not where the manager would place it.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = x;
  hints.y = y;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(X, w, &hints);
  XWMHints wmHints{};
  wmHints.flags = InputHint;
  wmHints.input = True;
  XSetWMHints(X, w, &wmHints);
  XSelectInput(X, w, ButtonPressMask);
  XMapWindow(X, w);
  XSync(X, False);
  gForeignWindows.push_back(w);
  return w;
}

bool X11Fixture::StartWindowManager()
{
  const char* argv[] = {"openbox", "--sm-disable", nullptr};
  if (posix_spawnp(&gWindowManager, "openbox", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    gWindowManager = 0;
    return false;
  }
  if (!PumpUntil([&] { return WindowManagerAnnounced(X); }, 10000))
    return false;
  // Announced is not yet managing: a window it frames shows that it is. A
  // window mapped while the manager starts may slip past it: it is shown
  // again until framed.
  Window probe = XCreateSimpleWindow(X, DefaultRootWindow(X), 0, 0, 10, 10, 0, 0, 0);
  bool managing = false;
  for (int attempt = 0; attempt < 20 && !managing; ++attempt) {
    XUnmapWindow(X, probe);
    XMapWindow(X, probe);
    XSync(X, False);
    managing = PumpUntil(
        [&] {
          Window root = 0, parent = 0, *children = nullptr;
          unsigned count = 0;
          if (!XQueryTree(X, probe, &root, &parent, &children, &count))
            return false;
          if (children)
            XFree(children);
          return parent != root;
        },
        500);
  }
  XDestroyWindow(X, probe);
  XSync(X, False);
  return managing;
}

void X11Fixture::StopWindowManager()
{
  if (!gWindowManager)
    return;
  kill(gWindowManager, SIGTERM);
  waitpid(gWindowManager, nullptr, 0);
  gWindowManager = 0;
  // A manager that ends takes its announcement with it; the root's property
  // may outlive it for a moment.
  PumpUntil([&] { return !WindowManagerAnnounced(X); }, 2000);
}

void X11Fixture::StopCompositor()
{
  if (!gCompositor)
    return;
  kill(gCompositor, SIGTERM);
  waitpid(gCompositor, nullptr, 0);
  gCompositor = 0;
  PumpUntil([&] { return !Backend->SupportsLayeredWindows(); });
}
