#include "WindowTestSupport.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/win/gdi/gdi.h"

TWindowFixture* TWindowFixture::Current = nullptr;

namespace {

// Each test process publishes its windows in a runtime folder of its own, so
// that tests running side by side (and the user's own programs) never find
// each other's windows. Helper processes inherit it.
struct TPrivateRuntimeFolder {
  std::string Path;
  TPrivateRuntimeFolder()
  {
    char name[] = "/tmp/corvane-wintest-XXXXXX";
    if (mkdtemp(name)) {
      Path = name;
      setenv("XDG_RUNTIME_DIR", name, 1);
    }
  }
  ~TPrivateRuntimeFolder()
  {
    if (Path.empty())
      return;
    std::string folder = Path + "/corvane-windows";
    if (DIR* dir = opendir(folder.c_str())) {
      while (dirent* e = readdir(dir))
        if (e->d_name[0] != '.')
          unlink((folder + "/" + e->d_name).c_str());
      closedir(dir);
    }
    rmdir(folder.c_str());
    rmdir(Path.c_str());
  }
} gRuntimeFolder;

}  // namespace

void TWindowFixture::SetUp()
{
  Display = THeadlessDisplay::Use();
  Current = this;
  static bool registered = [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "TRecorder";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(5 + 1));  // COLOR_WINDOW + 1
    return RegisterClass(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
}

void TWindowFixture::TearDown()
{
  Handlers.clear();
  Painters.clear();
  if (GetCapture())
    ReleaseCapture();
  for (auto it = Made.rbegin(); it != Made.rend(); ++it)
    if (IsWindow(*it))
      DestroyWindow(*it);
  // Leave nothing queued for the next test.
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  Current = nullptr;
}

HWND TWindowFixture::Make(DWORD style, int x, int y, int w, int h, HWND parent, DWORD exStyle, const char* title)
{
  HWND hwnd = CreateWindowEx(exStyle, "TRecorder", title, style, x, y, w, h, parent, nullptr, nullptr, nullptr);
  if (hwnd)
    Made.push_back(hwnd);
  return hwnd;
}

void TWindowFixture::Fill(HDC dc, const TRect& r, COLORREF colour)
{
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

HWND TWindowFixture::Painted(int x, int y, int w, int h, DWORD exStyle, std::function<void(HDC, const TRect&)> paint)
{
  HWND hwnd = Make(WS_POPUP, x, y, w, h, nullptr, exStyle);
  Painters[hwnd] = std::move(paint);
  PaintThroughPainters();
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

void TWindowFixture::PaintThroughPainters()
{
  On(WM_PAINT, [this](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    TRect r;
    GetClientRect(h, &r);
    if (auto it = Painters.find(h); it != Painters.end())
      it->second(dc, r);
    EndPaint(h, &ps);
    return true;
  });
}

std::vector<TRecorded> TWindowFixture::Take(const std::vector<UINT>& kinds)
{
  std::vector<TRecorded> out;
  for (auto& r : Log)
    if (kinds.empty() || std::find(kinds.begin(), kinds.end(), r.Msg) != kinds.end())
      out.push_back(r);
  Log.clear();
  return out;
}

LRESULT TWindowFixture::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  TWindowFixture* f = Current;
  if (f) {
    f->Log.push_back({hwnd, msg, w, l});
    auto it = f->Handlers.find(msg);
    LRESULT result = 0;
    if (it != f->Handlers.end() && it->second(hwnd, msg, w, l, result))
      return result;
  }
  return DefWindowProc(hwnd, msg, w, l);
}

std::string MessageName(UINT msg)
{
  static const std::map<UINT, const char*> names = {
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
      {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_PAINT, "WM_PAINT"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_TIMER, "WM_TIMER"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
      {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_SIZE, "WM_SIZE"}, {WM_MOVE, "WM_MOVE"}, {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"},
      {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"}};
  auto it = names.find(msg);
  return it == names.end() ? "msg" + std::to_string(msg) : it->second;
}

std::string TWindowFixture::Names(const std::vector<TRecorded>& log)
{
  std::string s;
  for (auto& r : log)
    s += (s.empty() ? "" : " ") + MessageName(r.Msg);
  return s;
}
