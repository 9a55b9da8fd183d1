// Launch to first painted main window of the real program on an X server.
//
//   host_startup_driver PROGRAM_FOLDER [RUNS]
//
// PROGRAM_FOLDER is a folder filled by scripts/run-folder. Each run starts
// ./corvane there (as scripts/run does) and watches the screen from another
// connection: the main window ("Corvane 2.1") counts as painted once it is
// viewable and no 8 x 8 block of it is still the black the server shows
// where nothing was drawn (the program's X windows have no background, so
// the screen stays black there until the first frame is presented). The
// program is then closed as a person closes it. Prints each run and the
// medians of launch-to-mapped and launch-to-painted, in milliseconds, and
// the processor time the program had used by then (its main thread, and all
// its threads): on a machine shared with other work the wall-clock figures
// include waiting for a processor, the processor times do not.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point Start)
{
  return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
}

std::string WindowTitle(Display* X, Window W)
{
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(X, W, XInternAtom(X, "_NET_WM_NAME", False), 0, 256, False,
                         XInternAtom(X, "UTF8_STRING", False), &actual, &format, &count, &after, &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return title;
}

// The viewable window titled Title among the root's children and their
// children (a window manager's frames hold the clients one level down).
Window FindViewable(Display* X, Window Parent, const std::string& Title, int Depth)
{
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(X, Parent, &root, &parent, &children, &count))
    return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attrs;
    if (!XGetWindowAttributes(X, children[i], &attrs) || attrs.map_state != IsViewable)
      continue;
    if (WindowTitle(X, children[i]) == Title)
      found = children[i];
    else if (Depth > 0)
      found = FindViewable(X, children[i], Title, Depth - 1);
  }
  if (children)
    XFree(children);
  return found;
}

// True when no 8 x 8 block of the window's pixels on the screen is black.
bool Painted(Display* X, Window W)
{
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(X, W, &attrs) || attrs.map_state != IsViewable || attrs.width < 8 || attrs.height < 8)
    return false;
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(X, W, DefaultRootWindow(X), 0, 0, &x, &y, &child);
  XImage* image = XGetImage(X, DefaultRootWindow(X), x, y, unsigned(attrs.width), unsigned(attrs.height), AllPlanes,
                            ZPixmap);
  if (!image)
    return false;
  bool painted = true;
  for (int by = 0; by + 8 <= attrs.height && painted; by += 8)
    for (int bx = 0; bx + 8 <= attrs.width && painted; bx += 8) {
      bool black = true;
      for (int py = by; py < by + 8 && black; ++py)
        for (int px = bx; px < bx + 8 && black; ++px)
          black = (XGetPixel(image, px, py) & 0xFFFFFF) == 0;
      painted = !black;
    }
  XDestroyImage(image);
  return painted;
}

void CloseProgram(Display* X, Window W, pid_t Pid)
{
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = W;
  ev.xclient.message_type = XInternAtom(X, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = long(XInternAtom(X, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(X, W, False, NoEventMask, &ev);
  XFlush(X);
  const TClock::time_point asked = TClock::now();
  int status = 0;
  while (waitpid(Pid, &status, WNOHANG) != Pid) {
    if (MillisecondsSince(asked) > 5000) {
      kill(Pid, SIGKILL);
      waitpid(Pid, &status, 0);
      std::fprintf(stderr, "the program did not end when its window was closed\n");
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Milliseconds a process's threads ran on a processor (the first field of
// each thread's schedstat), for its main thread and for all of them.
void ProcessorTime(pid_t Pid, double& Main, double& All)
{
  Main = All = 0;
  const std::string tasks = "/proc/" + std::to_string(Pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir)
    return;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.')
      continue;
    std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
    double nanoseconds = 0;
    if (!(in >> nanoseconds))
      continue;
    All += nanoseconds / 1e6;
    if (std::atoi(entry->d_name) == Pid)
      Main = nanoseconds / 1e6;
  }
  closedir(dir);
}

double Median(std::vector<double> Values)
{
  std::sort(Values.begin(), Values.end());
  const std::size_t n = Values.size();
  return n == 0 ? 0 : n % 2 ? Values[n / 2] : (Values[n / 2 - 1] + Values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER [RUNS]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  Display* X = XOpenDisplay(nullptr);
  if (!X) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  std::vector<double> mapped, painted, mainCpu, allCpu;
  for (int run = 0; run < runs; ++run) {
    const TClock::time_point start = TClock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(folder.c_str()) != 0)
        _exit(127);
      setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
      if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr))
        _exit(127);
      execl("./corvane", "./corvane", static_cast<char*>(nullptr));
      _exit(127);
    }
    Window main = 0;
    double mappedAt = 0, paintedAt = 0, mainAt = 0, allAt = 0;
    while (MillisecondsSince(start) < 10000) {
      if (!main && (main = FindViewable(X, DefaultRootWindow(X), "Corvane 2.1", 1)) != 0)
        mappedAt = MillisecondsSince(start);
      if (main && Painted(X, main)) {
        paintedAt = MillisecondsSince(start);
        ProcessorTime(pid, mainAt, allAt);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!paintedAt) {
      std::fprintf(stderr, "run %d: the main window was not painted within 10 s\n", run + 1);
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return 1;
    }
    std::printf("run %2d: mapped %7.1f ms, painted %7.1f ms; processor %6.1f ms (main thread), %6.1f ms (all)\n",
                run + 1, mappedAt, paintedAt, mainAt, allAt);
    std::fflush(stdout);
    mapped.push_back(mappedAt);
    painted.push_back(paintedAt);
    mainCpu.push_back(mainAt);
    allCpu.push_back(allAt);
    CloseProgram(X, main, pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  std::printf("median of %d: mapped %.1f ms, first painted main window %.1f ms; processor time by then %.1f ms "
              "(main thread), %.1f ms (all threads)\n",
              runs, Median(mapped), Median(painted), Median(mainCpu), Median(allCpu));
  XCloseDisplay(X);
  return 0;
}
