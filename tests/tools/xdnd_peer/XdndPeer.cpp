// A small program of its own on the X display for drag-and-drop tests,
// written against plain Xlib.
//
//   xdnd_peer target X Y W H [copy|move|link]
//     Shows a window there that takes drops of text (UTF8_STRING,
//     text/plain;charset=utf-8, text/plain), prints "ready <window>" and then
//     "dropped <action> <text>" for each drop (the action it answers: the
//     one given, else the one the source asks for).
//   xdnd_peer source WINDOW TEXT [copy|move|link]
//     Presses the first button over a window of its own, drives the pointer
//     with XTest onto WINDOW (found from the root down, as any source does),
//     drags TEXT there and drops it; prints "finished <accepted 0|1> <action>"
//     once the target says it is done, or "refused" when it never accepted.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

Display* dpy;
Window root;

Atom A(const char* name) { return XInternAtom(dpy, name, False); }

std::string Name(Atom a)
{
  if (!a)
    return "none";
  char* n = XGetAtomName(dpy, a);
  std::string s = n ? n : "";
  if (n)
    XFree(n);
  return s;
}

std::string ActionWord(Atom a)
{
  std::string n = Name(a);
  return n.rfind("XdndAction", 0) == 0 ? std::string(1, char(n[10] + 32)) + n.substr(11) : n;
}

void Send(Window to, const char* type, long l0, long l1 = 0, long l2 = 0, long l3 = 0, long l4 = 0)
{
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = to;
  ev.xclient.message_type = A(type);
  ev.xclient.format = 32;
  long l[5] = {l0, l1, l2, l3, l4};
  for (int i = 0; i < 5; ++i)
    ev.xclient.data.l[i] = l[i];
  XSendEvent(dpy, to, False, NoEventMask, &ev);
  XFlush(dpy);
}

// Waits for an event that until() accepts, handling the others with other();
// false after the time limit.
bool WaitFor(const std::function<bool(XEvent&)>& until, const std::function<void(XEvent&)>& other, int ms)
{
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    while (XPending(dpy)) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (until(ev))
        return true;
      other(ev);
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    if (left <= 0)
      return false;
    pollfd fd = {ConnectionNumber(dpy), POLLIN, 0};
    poll(&fd, 1, int(std::min<long long>(left, 100)));
  }
}

Window MakeWindow(int x, int y, int w, int h)
{
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  attrs.background_pixel = 0x336699;
  attrs.event_mask = PropertyChangeMask | StructureNotifyMask;
  Window win = XCreateWindow(dpy, root, x, y, unsigned(w), unsigned(h), 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attrs);
  XMapRaised(dpy, win);
  WaitFor([](XEvent& ev) { return ev.type == MapNotify; }, [](XEvent&) {}, 5000);
  return win;
}

int RunTarget(int x, int y, int w, int h, const char* answer)
{
  Window win = MakeWindow(x, y, w, h);
  long version = 5;
  XChangeProperty(dpy, win, A("XdndAware"), XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&version),
                  1);
  std::printf("ready %lu\n", win);
  std::fflush(stdout);
  const char* wanted[] = {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"};
  Window source = 0;
  Atom type = 0, action = 0;
  for (;;) {
    XEvent ev;
    XNextEvent(dpy, &ev);
    if (ev.type != ClientMessage)
      continue;
    const long* l = ev.xclient.data.l;
    Atom kind = ev.xclient.message_type;
    if (kind == A("XdndEnter")) {
      source = Window(l[0]);
      std::vector<Atom> types;
      if (l[1] & 1) {
        Atom actual;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, source, A("XdndTypeList"), 0, 1024, False, XA_ATOM, &actual, &format, &count, &after,
                           &data);
        for (unsigned long i = 0; data && i < count; ++i)
          types.push_back(Atom(reinterpret_cast<long*>(data)[i]));
        if (data)
          XFree(data);
      } else {
        for (int i = 2; i < 5; ++i)
          if (l[i])
            types.push_back(Atom(l[i]));
      }
      type = 0;
      for (const char* t : wanted)
        for (Atom a : types)
          if (!type && a == A(t))
            type = a;
    } else if (kind == A("XdndPosition") && Window(l[0]) == source) {
      action = answer ? A((std::string("XdndAction") + char(answer[0] - 32) + (answer + 1)).c_str()) : Atom(l[4]);
      Send(source, "XdndStatus", long(win), type ? 1 : 0, 0, 0, type ? long(action) : 0);
    } else if (kind == A("XdndLeave")) {
      source = 0;
    } else if (kind == A("XdndDrop") && Window(l[0]) == source) {
      std::string text;
      bool ok = false;
      if (type) {
        Atom property = A("XDND_PEER_DATA");
        XConvertSelection(dpy, A("XdndSelection"), type, property, win, Time(l[2]));
        XFlush(dpy);
        bool refused = false;
        ok = WaitFor(
            [&](XEvent& e) {
              refused = e.type == SelectionNotify && e.xselection.property == 0;
              return e.type == SelectionNotify;
            },
            [](XEvent&) {}, 20000);
        ok = ok && !refused;
        Atom actual;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (ok && XGetWindowProperty(dpy, win, property, 0, 1 << 24, True, AnyPropertyType, &actual, &format, &count,
                                     &after, &data) == Success &&
            data) {
          text.assign(reinterpret_cast<char*>(data), count);
          XFree(data);
        } else {
          ok = false;
        }
      }
      Send(source, "XdndFinished", long(win), ok ? 1 : 0, ok ? long(action) : 0);
      std::printf("dropped %s %s\n", ok ? ActionWord(action).c_str() : "none", text.c_str());
      std::fflush(stdout);
      source = 0;
    }
  }
}

// The window under the point that says it takes drops, from the root down.
Window AwareWindowAt(int x, int y)
{
  Window w = root;
  for (int depth = 0; depth < 32; ++depth) {
    Window child = 0;
    int cx, cy;
    if (!XTranslateCoordinates(dpy, root, w, x, y, &cx, &cy, &child) || !child)
      return 0;
    w = child;
    Atom actual;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy, w, A("XdndAware"), 0, 1, False, XA_ATOM, &actual, &format, &count, &after, &data);
    if (data) {
      XFree(data);
      if (count)
        return w;
    }
  }
  return 0;
}

int RunSource(Window target, const std::string& text, const char* action)
{
  Window own = MakeWindow(0, 0, 40, 40);
  Atom actionAtom = A((std::string("XdndAction") + char(action[0] - 32) + (action + 1)).c_str());
  Atom utf8 = A("UTF8_STRING"), plain = A("text/plain;charset=utf-8");
  XTestFakeMotionEvent(dpy, -1, 20, 20, 0);
  XTestFakeButtonEvent(dpy, 1, True, 0);
  XSync(dpy, False);
  XSetSelectionOwner(dpy, A("XdndSelection"), own, CurrentTime);

  XWindowAttributes attrs;
  XGetWindowAttributes(dpy, target, &attrs);
  int tx, ty;
  Window child;
  XTranslateCoordinates(dpy, target, root, attrs.width / 2, attrs.height / 2, &tx, &ty, &child);
  // Serves the data to whoever asks while the drag goes on.
  auto serve = [&](XEvent& ev) {
    if (ev.type != SelectionRequest)
      return;
    XSelectionRequestEvent& r = ev.xselectionrequest;
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.time = r.time;
    if (r.target == utf8 || r.target == plain) {
      XChangeProperty(dpy, r.requestor, r.property, r.target, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
      reply.xselection.property = r.property;
    } else if (r.target == A("TARGETS")) {
      long targets[] = {long(A("TARGETS")), long(utf8), long(plain)};
      XChangeProperty(dpy, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(targets), 3);
      reply.xselection.property = r.property;
    }
    XSendEvent(dpy, r.requestor, False, 0, &reply);
    XFlush(dpy);
  };
  // Moves in steps, as a hand does, then talks to the window under the pointer.
  for (int step = 1; step <= 10; ++step) {
    XTestFakeMotionEvent(dpy, -1, 20 + (tx - 20) * step / 10, 20 + (ty - 20) * step / 10, 0);
    XSync(dpy, False);
  }
  Window aware = AwareWindowAt(tx, ty);
  if (aware != target) {
    std::printf("no target %lu\n", aware);
    return 1;
  }
  Send(target, "XdndEnter", long(own), (5L << 24), long(utf8), long(plain), 0);
  bool accepted = false;
  Atom answered = 0;
  Send(target, "XdndPosition", long(own), 0, (long(tx) << 16) | ty, CurrentTime, long(actionAtom));
  bool got = WaitFor(
      [&](XEvent& ev) {
        if (ev.type != ClientMessage || ev.xclient.message_type != A("XdndStatus"))
          return false;
        accepted = ev.xclient.data.l[1] & 1;
        answered = Atom(ev.xclient.data.l[4]);
        return true;
      },
      serve, 20000);
  if (!got) {
    std::printf("no status\n");
    return 1;
  }
  XTestFakeButtonEvent(dpy, 1, False, 0);
  XSync(dpy, False);
  if (!accepted) {
    Send(target, "XdndLeave", long(own));
    std::printf("refused\n");
    return 0;
  }
  Send(target, "XdndDrop", long(own), 0, CurrentTime);
  long finishedAccepted = 0;
  Atom finishedAction = 0;
  bool finished = WaitFor(
      [&](XEvent& ev) {
        if (ev.type != ClientMessage || ev.xclient.message_type != A("XdndFinished"))
          return false;
        finishedAccepted = ev.xclient.data.l[1] & 1;
        finishedAction = Atom(ev.xclient.data.l[2]);
        return true;
      },
      serve, 20000);
  if (!finished) {
    std::printf("unfinished\n");
    return 1;
  }
  std::printf("finished %ld %s\n", finishedAccepted, ActionWord(finishedAction ? finishedAction : answered).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "no display\n");
    return 2;
  }
  root = DefaultRootWindow(dpy);
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "target" && argc >= 6)
    return RunTarget(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     argc > 6 ? argv[6] : nullptr);
  if (mode == "source" && argc >= 4)
    return RunSource(Window(std::strtoul(argv[2], nullptr, 0)), argv[3], argc > 4 ? argv[4] : "copy");
  std::fprintf(stderr, "usage: xdnd_peer target X Y W H [copy|move|link] | source WINDOW TEXT [copy|move|link]\n");
  return 2;
}
