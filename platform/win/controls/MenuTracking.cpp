// TrackPopupMenu: the modal loop of a popup menu and its cascading levels.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/base/CaseMap.h"
#include "platform/base/Utf.h"
#include "platform/win/controls/ControlSupport.h"
#include "platform/win/controls/MenuWindow.h"
#include "platform/win/controls/Menus.h"
#include "platform/win/window/ModalLoop.h"

using namespace controls;

namespace {

constexpr UINT_PTR SubmenuTimer = 0xFFE1;
thread_local bool tlsEndMenu = false;
thread_local int tlsDepth = 0;

class TMenuLoop {
public:
  TMenuLoop(HWND owner, UINT flags) : FOwner(owner), FFlags(flags) {}
  ~TMenuLoop() { CloseFrom(0); }

  UINT Run(HMENU menu, int x, int y, const TRect* exclude);

private:
  HWND FOwner;
  UINT FFlags;
  std::vector<std::unique_ptr<TMenuPopup>> FLevels;
  bool FDone = false;
  UINT FChosen = 0;
  bool FHideAccel = true;
  int FPendingLevel = -1;  // the level whose selection waits for the delay
  MSG FReplay;
  bool FHasReplay = false;

  bool Notify() const { return !(FFlags & TPM_NONOTIFY); }
  TMenuItemRec* ItemOf(int level, int index);
  bool Open(HMENU menu, int parentIndex, TPoint at, const TRect* exclude, bool alignRight);
  void OpenSubmenu(int level, bool selectFirst);
  void CloseFrom(int level);
  void Select(int level, int index);
  void Choose(int level, int index);
  int LevelAt(TPoint screen, int& index);
  void OnMouse(const MSG& msg);
  void OnKey(const MSG& msg);
  void OnChar(char32_t c);
  void Step(int level, int by);
  void ReplayOutside(const MSG& msg);
  HWND Capture() const { return FLevels.empty() ? nullptr : FLevels[0]->Window; }
};

TMenuItemRec* TMenuLoop::ItemOf(int level, int index)
{
  if (level < 0 || level >= int(FLevels.size()))
    return nullptr;
  TMenuRec* m = MenuOf(FLevels[std::size_t(level)]->Menu);
  if (!m || index < 0 || index >= int(m->Items.size()))
    return nullptr;
  return &m->Items[std::size_t(index)];
}

bool TMenuLoop::Open(HMENU menu, int parentIndex, TPoint at, const TRect* exclude, bool alignRight)
{
  if (Notify())
    SendMessage(FOwner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(WORD(parentIndex < 0 ? 0 : parentIndex), 0));
  if (!MenuOf(menu) || GetMenuItemCount(menu) <= 0)
    return false;
  auto p = std::make_unique<TMenuPopup>();
  p->Menu = menu;
  p->Owner = FOwner;
  p->ParentIndex = parentIndex;
  p->HideAccel = FHideAccel;
  LayOutPopup(*p);
  int w = p->Size.cx, h = p->Size.cy;
  TRect work;
  MONITORINFO mi;
  if (GetMonitorInfo(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &mi))
    work = mi.rcWork;
  else
    work = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  int x = at.x, y = at.y;
  if (FLevels.empty()) {
    if (FFlags & TPM_CENTERALIGN)
      x -= w / 2;
    else if (FFlags & TPM_RIGHTALIGN)
      x -= w;
    if (FFlags & TPM_VCENTERALIGN)
      y -= h / 2;
    else if (FFlags & TPM_BOTTOMALIGN)
      y -= h;
    // Kept on the screen, flipping to the other side of the point when needed.
    if (x + w > work.Right)
      x = std::max(work.Left, (FFlags & (TPM_CENTERALIGN | TPM_RIGHTALIGN)) ? work.Right - w : at.x - w);
    if (y + h > work.Bottom)
      y = std::max(work.Top, at.y - h);
    if (exclude && !IsRectEmpty(exclude)) {
      TRect mine(x, y, x + w, y + h), overlap;
      if (IntersectRect(&overlap, &mine, exclude))
        y = exclude->Bottom + h <= work.Bottom ? exclude->Bottom : std::max(work.Top, exclude->Top - h);
    }
  } else {
    if (alignRight || x + w > work.Right)
      x = exclude ? exclude->Left - w + MenuFrame : x - w;
    if (y + h > work.Bottom)
      y = std::max(work.Top, work.Bottom - h);
  }
  x = std::max(x, work.Left);
  y = std::max(y, work.Top);
  HWND hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MenuWindowClassName, "", WS_POPUP, x, y, w, h, FOwner,
                             nullptr, nullptr, nullptr);
  if (!hwnd)
    return false;
  p->Window = hwnd;
  SetDataOf(hwnd, p.get());
  FLevels.push_back(std::move(p));
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd);
  return true;
}

void TMenuLoop::OpenSubmenu(int level, bool selectFirst)
{
  TMenuPopup& p = *FLevels[std::size_t(level)];
  TMenuItemRec* it = ItemOf(level, p.Selected);
  if (!it || !it->Sub || IsGrayed(*it))
    return;
  if (int(FLevels.size()) > level + 1 && FLevels[std::size_t(level) + 1]->ParentIndex == p.Selected)
    return;  // already open
  CloseFrom(level + 1);
  TRect r = p.Items[std::size_t(p.Selected)];
  TPoint topRight(r.Right, r.Top - MenuFrame), topLeft(r.Left, r.Top);
  ClientToScreen(p.Window, &topRight);
  ClientToScreen(p.Window, &topLeft);
  TRect parentItem(topLeft.x, topLeft.y, topRight.x, topRight.y + r.Height());
  if (Open(it->Sub, p.Selected, TPoint(topRight.x - MenuFrame, topRight.y), &parentItem, false) && selectFirst)
    Step(level + 1, 1);
}

void TMenuLoop::CloseFrom(int level)
{
  while (int(FLevels.size()) > std::max(level, 0)) {
    std::unique_ptr<TMenuPopup> p = std::move(FLevels.back());
    FLevels.pop_back();
    if (IsWindow(p->Window)) {
      SetDataOf(p->Window, nullptr);
      DestroyWindow(p->Window);
    }
    if (Notify() && IsWindow(FOwner))
      SendMessage(FOwner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(p->Menu), 0);
  }
  if (FPendingLevel >= int(FLevels.size()))
    FPendingLevel = -1;
}

void TMenuLoop::Select(int level, int index)
{
  TMenuPopup& p = *FLevels[std::size_t(level)];
  if (p.Selected == index)
    return;
  p.Selected = index;
  InvalidateRect(p.Window, nullptr, FALSE);
  TMenuItemRec* it = ItemOf(level, index);
  if (Notify() && it) {
    UINT flags = (it->State & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT)) | MF_HILITE |
                 (it->Type & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) | (it->Sub ? MF_POPUP : 0);
    WORD id = it->Sub ? WORD(index) : WORD(it->Id);
    SendMessage(FOwner, WM_MENUSELECT, MAKEWPARAM(id, WORD(flags)), reinterpret_cast<LPARAM>(p.Menu));
  }
}

void TMenuLoop::Choose(int level, int index)
{
  TMenuItemRec* it = ItemOf(level, index);
  if (!it || IsSeparator(*it) || IsGrayed(*it))
    return;
  if (it->Sub) {
    Select(level, index);
    OpenSubmenu(level, true);
    return;
  }
  FChosen = it->Id;
  FDone = true;
}

int TMenuLoop::LevelAt(TPoint screen, int& index)
{
  // The deepest level first: it lies above the others.
  for (int level = int(FLevels.size()) - 1; level >= 0; --level) {
    TRect r;
    GetWindowRect(FLevels[std::size_t(level)]->Window, &r);
    if (!r.Contains(screen))
      continue;
    TPoint pt = screen;
    ScreenToClient(FLevels[std::size_t(level)]->Window, &pt);
    index = PopupItemAt(*FLevels[std::size_t(level)], pt);
    return level;
  }
  index = -1;
  return -1;
}

void TMenuLoop::Step(int level, int by)
{
  TMenuRec* m = MenuOf(FLevels[std::size_t(level)]->Menu);
  int n = m ? int(m->Items.size()) : 0;
  if (n == 0)
    return;
  int i = FLevels[std::size_t(level)]->Selected;
  for (int k = 0; k < n; ++k) {
    i = i < 0 ? (by > 0 ? 0 : n - 1) : (i + by + n) % n;
    if (!IsSeparator(m->Items[std::size_t(i)])) {
      Select(level, i);
      return;
    }
  }
}

// The press that closes the menu reaches the window under the pointer, as if
// the menu had not been there.
void TMenuLoop::ReplayOutside(const MSG& msg)
{
  HWND target = WindowFromPoint(msg.pt);
  if (!target)
    return;
  LRESULT hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(WORD(msg.pt.x), WORD(msg.pt.y)));
  UINT button = msg.message;
  if (hit == HTCLIENT) {
    TPoint pt = msg.pt;
    ScreenToClient(target, &pt);
    PostMessage(target, button, msg.wParam, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
  } else {
    UINT nc = button - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    PostMessage(target, nc, WPARAM(hit), MAKELPARAM(WORD(msg.pt.x), WORD(msg.pt.y)));
  }
}

void TMenuLoop::OnMouse(const MSG& msg)
{
  int index;
  int level = LevelAt(msg.pt, index);
  bool down = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN;
  bool up = msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP;
  bool chooses = msg.message == WM_LBUTTONUP || (msg.message == WM_RBUTTONUP && (FFlags & TPM_RIGHTBUTTON));
  if (level < 0) {
    if (down) {
      FDone = true;
      FChosen = 0;
      FReplay = msg;
      FHasReplay = true;
    }
    return;
  }
  if (msg.message == WM_MOUSEMOVE || down) {
    TMenuItemRec* it = ItemOf(level, index);
    if (index >= 0 && it && IsSeparator(*it))
      index = -1;
    if (index < 0)
      return;
    Select(level, index);
    // The deeper levels follow after the menu delay: a submenu opens, one
    // that no longer belongs closes.
    bool fits = int(FLevels.size()) > level + 1 && FLevels[std::size_t(level) + 1]->ParentIndex == index;
    if (down && it && it->Sub) {
      OpenSubmenu(level, false);
    } else if (!fits && ((it && it->Sub) || int(FLevels.size()) > level + 1)) {
      UINT delay = 400;
      SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
      FPendingLevel = level;
      SetTimer(FLevels[0]->Window, SubmenuTimer, std::max(delay, 1u), nullptr);
    }
    return;
  }
  if (up && chooses && index >= 0)
    Choose(level, index);
}

void TMenuLoop::OnChar(char32_t c)
{
  if (FLevels.empty())
    return;
  int level = int(FLevels.size()) - 1;
  TMenuPopup& p = *FLevels[std::size_t(level)];
  TMenuRec* m = MenuOf(p.Menu);
  if (!m)
    return;
  char32_t want = UnicodeToLower(c);
  std::vector<int> matches;
  for (std::size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItemRec& it = m->Items[i];
    if (IsSeparator(it) || (it.Type & (MFT_BITMAP | MFT_OWNERDRAW)))
      continue;
    // The character after a single "&".
    const std::string& t = it.Text;
    for (std::size_t k = 0; k + 1 < t.size(); ++k) {
      if (t[k] != '&')
        continue;
      if (t[k + 1] == '&') {
        ++k;
        continue;
      }
      std::size_t pos = k + 1;
      if (UnicodeToLower(DecodeUtf8Char(t, pos)) == want)
        matches.push_back(int(i));
      break;
    }
  }
  if (matches.size() == 1) {
    Choose(level, matches[0]);
    return;
  }
  if (matches.size() > 1) {
    // Several items share the letter: the next of them is selected.
    auto next = std::upper_bound(matches.begin(), matches.end(), p.Selected);
    Select(level, next == matches.end() ? matches[0] : *next);
    return;
  }
  LRESULT r = SendMessage(FOwner, WM_MENUCHAR, MAKEWPARAM(WORD(c), MF_POPUP), reinterpret_cast<LPARAM>(p.Menu));
  switch (HIWORD(std::uintptr_t(r))) {
    case MNC_EXECUTE: Choose(level, LOWORD(std::uintptr_t(r))); break;
    case MNC_SELECT: Select(level, LOWORD(std::uintptr_t(r))); break;
    case MNC_CLOSE: FDone = true; FChosen = 0; break;
    default: MessageBeep(0); break;
  }
}

void TMenuLoop::OnKey(const MSG& msg)
{
  int level = int(FLevels.size()) - 1;
  if (FHideAccel) {
    // The keyboard in use shows the underlined letters.
    FHideAccel = false;
    for (auto& p : FLevels) {
      p->HideAccel = false;
      InvalidateRect(p->Window, nullptr, FALSE);
    }
  }
  switch (msg.wParam) {
    case VK_DOWN: Step(level, 1); break;
    case VK_UP: Step(level, -1); break;
    case VK_HOME: FLevels[std::size_t(level)]->Selected = -1; Step(level, 1); break;
    case VK_END: FLevels[std::size_t(level)]->Selected = -1; Step(level, -1); break;
    case VK_RIGHT: OpenSubmenu(level, true); break;
    case VK_LEFT:
      if (level > 0)
        CloseFrom(level);
      break;
    case VK_ESCAPE:
      if (level > 0) {
        CloseFrom(level);
      } else {
        FDone = true;
        FChosen = 0;
      }
      break;
    case VK_RETURN: {
      int sel = FLevels[std::size_t(level)]->Selected;
      if (sel < 0) {
        FDone = true;
        FChosen = 0;
      } else {
        Choose(level, sel);
      }
      break;
    }
    case VK_MENU:
    case VK_F10:
      FDone = true;
      FChosen = 0;
      break;
    default: break;
  }
}

UINT TMenuLoop::Run(HMENU menu, int x, int y, const TRect* exclude)
{
  BOOL cues = FALSE;
  SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  FHideAccel = !cues;
  if (Notify()) {
    SendMessage(FOwner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(FOwner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  }
  if (!IsWindow(FOwner) || !Open(menu, -1, TPoint(x, y), exclude, false)) {
    if (Notify() && IsWindow(FOwner))
      SendMessage(FOwner, WM_EXITMENULOOP, TRUE, 0);
    return 0;
  }
  HWND capture = Capture();
  SetCapture(capture);
  tlsEndMenu = false;
  // A message filter hook may take a message before the menu sees it.
  TModalLoop loop(capture, MSGF_MENU, [&] { return FDone || tlsEndMenu || !IsWindow(FOwner); });
  MSG msg;
  while (loop.Next(msg)) {
    if (msg.message == WM_KEYF1 || msg.message == WM_SYSTIMER)
      continue;
    if (msg.message == WM_TIMER && msg.hwnd == capture && msg.wParam == SubmenuTimer) {
      KillTimer(capture, SubmenuTimer);
      int level = FPendingLevel;
      FPendingLevel = -1;
      if (level >= 0 && level < int(FLevels.size())) {
        CloseFrom(level + 1);
        OpenSubmenu(level, false);
      }
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      OnMouse(msg);
      continue;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      TranslateMessage(&msg);
      OnKey(msg);
      continue;
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
      if (msg.wParam >= 0x20)
        OnChar(char32_t(msg.wParam));
      continue;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_DEADCHAR ||
        msg.message == WM_SYSDEADCHAR)
      continue;
    DispatchMessage(&msg);
  }
  KillTimer(capture, SubmenuTimer);
  if (GetCapture() == capture)
    ReleaseCapture();
  CloseFrom(0);
  // Characters the last key made are not left for the window under the menu.
  MSG flush;
  while (PeekMessage(&flush, nullptr, WM_CHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
  }
  if (FHasReplay)
    ReplayOutside(FReplay);
  if (Notify() && IsWindow(FOwner)) {
    SendMessage(FOwner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(FOwner, WM_EXITMENULOOP, TRUE, 0);
  }
  return FChosen;
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params)
{
  if (!MenuOf(menu) || !IsWindow(owner))
    return FALSE;
  // One menu loop at a time, unless the caller asks for a nested one.
  if (tlsDepth > 0 && !(flags & TPM_RECURSE))
    return FALSE;
  ++tlsDepth;
  UINT chosen;
  {
    TMenuLoop loop(owner, flags);
    chosen = loop.Run(menu, x, y, params ? &params->rcExclude : nullptr);
  }
  --tlsDepth;
  tlsEndMenu = false;
  if (flags & TPM_RETURNCMD)
    return BOOL(chosen);
  if (chosen && IsWindow(owner))
    PostMessage(owner, WM_COMMAND, MAKEWPARAM(WORD(chosen), 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const TRect*)
{
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu()
{
  if (tlsDepth == 0)
    return FALSE;
  tlsEndMenu = true;
  PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
  return TRUE;
}
