#include "ControlTestSupport.h"

TControlFixture* TControlFixture::Current = nullptr;

void TControlFixture::SetUp()
{
  Display = THeadlessDisplay::Use();
  THeadlessDisplay::UseVirtualClock();
  THeadlessDisplay::Advance(5000);  // no double click with an earlier test's last click
  SetBuiltinFontOnly(true);
  Current = this;
  static bool registered = [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "TControlParent";
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    return RegisterClass(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  Parent = CreateWindowEx(0, "TControlParent", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                          nullptr, nullptr, nullptr);
  ASSERT_TRUE(Parent);
  SetActiveWindow(Parent);
  Pump();
}

void TControlFixture::TearDown()
{
  Display->SetIdleScript(nullptr);
  if (IsWindow(Parent))
    DestroyWindow(Parent);
  Pump();
  // Keys and buttons a test left down do not leak into the next one.
  for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU})
    if (GetAsyncKeyState(vk) < 0)
      Display->KeyUp(vk);
  Pump();
  Current = nullptr;
}

HWND TControlFixture::Make(const char* cls, DWORD style, int x, int y, int w, int h, const char* text, int id,
                           DWORD exStyle)
{
  HWND hwnd = CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Parent,
                             reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
  Pump();
  Notices.clear();
  Seen.clear();
  return hwnd;
}

std::vector<WORD> TControlFixture::Codes(HWND control)
{
  std::vector<WORD> out;
  std::vector<TNotice> keep;
  for (const TNotice& n : Notices)
    if (!control || n.Control == control)
      out.push_back(n.Code);
  Notices.clear();
  return out;
}

int TControlFixture::Count(WORD code, HWND control)
{
  int n = 0;
  for (const TNotice& x : Notices)
    if (x.Code == code && (!control || x.Control == control))
      ++n;
  return n;
}

void TControlFixture::ClickAt(HWND hwnd, int x, int y, int button)
{
  TPoint p(x, y);
  ClientToScreen(hwnd, &p);
  Display->Click(p.x, p.y, button);
  Pump();
}

void TControlFixture::MoveTo(HWND hwnd, int x, int y)
{
  TPoint p(x, y);
  ClientToScreen(hwnd, &p);
  Display->MoveMouse(p.x, p.y);
  Pump();
}

void TControlFixture::Key(BYTE vk, bool shift, bool ctrl)
{
  if (shift)
    Display->KeyDown(VK_SHIFT);
  if (ctrl)
    Display->KeyDown(VK_CONTROL);
  Display->PressKey(vk);
  if (ctrl)
    Display->KeyUp(VK_CONTROL);
  if (shift)
    Display->KeyUp(VK_SHIFT);
  Pump();
}

std::string TControlFixture::Text(HWND hwnd)
{
  int n = GetWindowTextLength(hwnd);
  std::string s(std::size_t(n) + 1, '\0');
  n = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(std::size_t(n));
  return s;
}

LRESULT TControlFixture::ParentProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  TControlFixture* f = Current;
  if (f) {
    auto it = f->Handlers.find(msg);
    LRESULT r = 0;
    if (it != f->Handlers.end() && it->second(msg, w, l, r))
      return r;
    if (msg == WM_COMMAND && l) {
      f->Notices.push_back({reinterpret_cast<HWND>(l), HIWORD(w)});
      return 0;
    }
    if (msg == WM_COMMAND || msg == WM_DRAWITEM || msg == WM_MEASUREITEM || msg == WM_DELETEITEM ||
        msg == WM_COMPAREITEM || msg == WM_INITMENUPOPUP || msg == WM_ENTERMENULOOP || msg == WM_EXITMENULOOP ||
        msg == WM_UNINITMENUPOPUP || msg == WM_INITMENU || msg == WM_LBUTTONDOWN || msg == WM_VSCROLL ||
        msg == WM_HSCROLL)
      f->Seen.push_back(msg);
  }
  return DefWindowProc(hwnd, msg, w, l);
}
