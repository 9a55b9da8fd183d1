#include "platform/win/controls/ComboBox.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/Clock.h"
#include "platform/base/Utf.h"
#include "platform/win/controls/ControlSupport.h"
#include "platform/win/window/ModalLoop.h"

using namespace controls;

namespace {

struct TComboData {
  HWND Hwnd = nullptr;
  HWND List = nullptr;
  HFONT Font = nullptr;
  int ItemHeight = 13;
  int FieldHeight = 21;
  int DropHeight = 100;
  int DroppedWidth = 0;
  bool Dropped = false;
  bool Focused = false;
  bool ExtendedUI = false;
  std::string Search;
  DWORD SearchTime = 0;
};

TComboData* ComboOf(HWND hwnd) { return DataOf<TComboData>(hwnd); }

LRESULT ToList(TComboData* c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessage(c->List, msg, w, l); }

int Count(TComboData* c) { return int(ToList(c, LB_GETCOUNT)); }
int Current(TComboData* c) { return int(ToList(c, LB_GETCURSEL)); }

std::string ItemText(TComboData* c, int i)
{
  LRESULT n = ToList(c, LB_GETTEXTLEN, WPARAM(i));
  if (n < 0)
    return std::string();
  std::string s(std::size_t(n) + 1, '\0');
  ToList(c, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(std::size_t(n));
  return s;
}

TRect ButtonRect(TComboData* c)
{
  TRect r;
  GetClientRect(c->Hwnd, &r);
  InflateRect(&r, -2, -2);
  r.Left = std::max(r.Left, r.Right - GetSystemMetrics(SM_CXVSCROLL));
  return r;
}

void Paint(TComboData* c)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(c->Hwnd, &ps);
  if (!dc)
    return;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(c->Font));
  bool enabled = IsWindowEnabled(c->Hwnd);
  TRect r;
  GetClientRect(c->Hwnd, &r);
  HBRUSH brush = ControlBrush(c->Hwnd, dc, WM_CTLCOLORLISTBOX);
  COLORREF text = GetTextColor(dc);
  FillRect(dc, &r, enabled ? brush : GetSysColorBrush(COLOR_3DFACE));
  TRect edge = r;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  TRect button = ButtonRect(c);
  DrawFrameControl(dc, &button, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | (c->Dropped ? (DFCS_PUSHED | DFCS_FLAT) : 0) | (enabled ? 0 : DFCS_INACTIVE));
  TRect field(r.Left + 3, r.Top + 3, button.Left - 1, r.Bottom - 3);
  bool highlight = c->Focused && !c->Dropped;
  if (highlight)
    FillRect(dc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
  int cur = Current(c);
  if (cur >= 0) {
    std::string s = ItemText(c, cur);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : highlight ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    TRect t = field;
    t.Left += 2;
    DrawTextA(dc, s.data(), int(s.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (highlight && !HideFocus(c->Hwnd)) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &field);
  }
  SelectObject(dc, oldFont);
  EndPaint(c->Hwnd, &ps);
}

void SelectByUser(TComboData* c, int i)
{
  int n = Count(c);
  if (n == 0)
    return;
  i = std::clamp(i, 0, n - 1);
  if (i == Current(c))
    return;
  ToList(c, LB_SETCURSEL, WPARAM(i));
  InvalidateRect(c->Hwnd, nullptr, FALSE);
  NotifyParent(c->Hwnd, CBN_SELCHANGE);
}

TRect DroppedRect(TComboData* c)
{
  TRect w;
  GetWindowRect(c->Hwnd, &w);
  int width = std::max(w.Width(), c->DroppedWidth);
  int n = std::max(1, Count(c));
  int room = std::max(c->ItemHeight, c->DropHeight - c->FieldHeight);
  int height = std::min(room, n * c->ItemHeight) + 2;
  TRect r(w.Left, w.Bottom, w.Left + width, w.Bottom + height);
  MONITORINFO mi;
  if (GetMonitorInfo(MonitorFromPoint(w.TopLeft(), MONITOR_DEFAULTTONEAREST), &mi) && r.Bottom > mi.rcWork.Bottom)
    r = TRect(w.Left, w.Top - height, w.Left + width, w.Top);
  return r;
}

void Close(TComboData* c, bool accept, int before)
{
  HWND hwnd = c->Hwnd;
  c->Dropped = false;
  ShowWindow(c->List, SW_HIDE);
  if (GetCapture() == hwnd)
    ReleaseCapture();
  InvalidateRect(hwnd, nullptr, FALSE);
  if (!accept)
    ToList(c, LB_SETCURSEL, WPARAM(before));
  NotifyParent(hwnd, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!IsWindow(hwnd))
    return;
  NotifyParent(hwnd, CBN_CLOSEUP);
  if (IsWindow(hwnd) && accept && Current(c) != before)
    NotifyParent(hwnd, CBN_SELCHANGE);
}

// The list is dropped: a loop of its own follows the mouse over it until a
// choice, a press elsewhere or a key ends it.
void DropDown(TComboData* c)
{
  HWND hwnd = c->Hwnd;
  if (c->Dropped)
    return;
  NotifyParent(hwnd, CBN_DROPDOWN);
  if (!IsWindow(hwnd))
    return;
  int before = Current(c);
  TRect r = DroppedRect(c);
  SetWindowPos(c->List, HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (before >= 0)
    ToList(c, LB_SETTOPINDEX, WPARAM(before));
  c->Dropped = true;
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(c->List);
  SetCapture(hwnd);
  bool accept = false, done = false;
  bool movedSincePress = false;
  TModalLoop loop(hwnd, NoMessageFilter, [&] { return done; });
  MSG msg;
  while (loop.Next(msg)) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      TRect listRect, listClient;
      GetWindowRect(c->List, &listRect);
      TPoint pt = msg.pt;
      ScreenToClient(c->List, &pt);
      GetClientRect(c->List, &listClient);
      bool inClient = listClient.Contains(pt);
      if (msg.message == WM_MOUSEWHEEL) {
        SendMessage(c->List, WM_MOUSEWHEEL, msg.wParam, msg.lParam);
        continue;
      }
      if (msg.message == WM_MOUSEMOVE) {
        if (inClient) {
          movedSincePress = true;
          LRESULT hit = ToList(c, LB_ITEMFROMPOINT, 0, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
          if (!HIWORD(std::uintptr_t(hit)) && LOWORD(std::uintptr_t(hit)) != Current(c)) {
            ToList(c, LB_SETCURSEL, LOWORD(std::uintptr_t(hit)));
            UpdateWindow(c->List);
          }
        }
        continue;
      }
      bool down = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK;
      if (down && listRect.Contains(msg.pt) && !inClient) {
        // The list's scroll bar tracks as usual, then the drop goes on.
        LRESULT hit = SendMessage(c->List, WM_NCHITTEST, 0, MAKELPARAM(WORD(msg.pt.x), WORD(msg.pt.y)));
        SendMessage(c->List, WM_NCLBUTTONDOWN, WPARAM(hit), MAKELPARAM(WORD(msg.pt.x), WORD(msg.pt.y)));
        if (IsWindow(hwnd) && c->Dropped)
          SetCapture(hwnd);
        continue;
      }
      if (down && !inClient) {
        // A press elsewhere (the field included) closes the list unchanged.
        done = true;
        break;
      }
      if (msg.message == WM_LBUTTONUP && inClient) {
        LRESULT hit = ToList(c, LB_ITEMFROMPOINT, 0, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
        if (!HIWORD(std::uintptr_t(hit))) {
          ToList(c, LB_SETCURSEL, LOWORD(std::uintptr_t(hit)));
          accept = true;
          done = true;
        }
        continue;
      }
      if (msg.message == WM_LBUTTONUP && movedSincePress) {
        continue;
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      int cur = Current(c), n = Count(c);
      switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
          if (KeyIsDown(VK_MENU)) {
            accept = true;
            done = true;
            break;
          }
          if (n)
            ToList(c, LB_SETCURSEL, WPARAM(std::clamp(cur + (msg.wParam == VK_DOWN ? 1 : -1), 0, n - 1)));
          break;
        case VK_HOME: if (n) ToList(c, LB_SETCURSEL, 0); break;
        case VK_END: if (n) ToList(c, LB_SETCURSEL, WPARAM(n - 1)); break;
        case VK_RETURN:
        case VK_F4: accept = true; done = true; break;
        case VK_ESCAPE: done = true; break;
        default: break;
      }
      continue;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
      continue;
    DispatchMessage(&msg);
  }
  if (IsWindow(hwnd))
    Close(c, accept, before);
}

void TypeAhead(TComboData* c, WPARAM ch)
{
  DWORD now = DWORD(GetTickCount64());
  if (now - c->SearchTime > 2000)
    c->Search.clear();
  c->SearchTime = now;
  std::string s;
  AppendUtf8(s, char32_t(ch));
  bool repeat = c->Search == s;
  if (!repeat)
    c->Search += s;
  int start = c->Search.size() > s.size() ? Current(c) - 1 : Current(c);
  LRESULT found = ToList(c, LB_FINDSTRING, WPARAM(start), reinterpret_cast<LPARAM>((repeat ? s : c->Search).c_str()));
  if (found >= 0)
    SelectByUser(c, int(found));
}

LRESULT ComboMessage(TComboData* c, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT ComboBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TComboData* c = ComboOf(hwnd);
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    // Only the drop-down list is offered: an editable or always-open combo
    // box, or an owner-drawn one, is refused rather than shown wrongly.
    if ((cs->style & 3) != CBS_DROPDOWNLIST || (cs->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
      return FALSE;
    c = new TComboData;
    c->Hwnd = hwnd;
    c->DropHeight = std::max(cs->cy, 0);
    SetDataOf(hwnd, c);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!c)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetDataOf(hwnd, nullptr);
    delete c;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  return ComboMessage(c, msg, wParam, lParam);
}

namespace {

void Measure(TComboData* c)
{
  int ave;
  FontMetrics(c->Font, c->ItemHeight, ave);
  c->FieldHeight = c->ItemHeight + 8;
}

LRESULT ComboMessage(TComboData* c, UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = c->Hwnd;
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      Measure(c);
      DWORD listStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                        ((cs->style & CBS_SORT) ? LBS_SORT : 0) | ((cs->style & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
      c->List = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", listStyle, 0, 0, 10, 10, hwnd,
                               nullptr, nullptr, nullptr);
      if (!c->List)
        return -1;
      TRect w;
      GetWindowRect(hwnd, &w);
      SetWindowPos(hwnd, nullptr, 0, 0, w.Width(), c->FieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      if (c->List)
        DestroyWindow(c->List);
      c->List = nullptr;
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // The height asked for is the dropped height; the control keeps its field's.
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (wp && !(wp->flags & SWP_NOSIZE) && wp->cy != c->FieldHeight) {
        c->DropHeight = wp->cy;
        wp->cy = c->FieldHeight;
      }
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_PAINT:
      Paint(c);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(ControlBrush(hwnd, reinterpret_cast<HDC>(wParam), WM_CTLCOLORLISTBOX));
    case WM_SETFONT:
      c->Font = reinterpret_cast<HFONT>(wParam);
      Measure(c);
      SendMessage(c->List, WM_SETFONT, wParam, lParam);
      {
        TRect w;
        GetWindowRect(hwnd, &w);
        int drop = c->DropHeight;
        SetWindowPos(hwnd, nullptr, 0, 0, w.Width(), c->FieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        c->DropHeight = drop;
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->Font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      c->Focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      c->Focused = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd)
        SetFocus(hwnd);
      if (IsWindow(hwnd))
        DropDown(c);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      bool alt = KeyIsDown(VK_MENU);
      if (wParam == VK_F4 || (alt && (wParam == VK_DOWN || wParam == VK_UP)) ||
          (c->ExtendedUI && wParam == VK_DOWN)) {
        DropDown(c);
        return 0;
      }
      if (msg == WM_SYSKEYDOWN)
        return DefWindowProc(hwnd, msg, wParam, lParam);
      int cur = Current(c), page = std::max(1, c->DropHeight / std::max(1, c->ItemHeight) - 1);
      switch (wParam) {
        case VK_UP: case VK_LEFT: SelectByUser(c, cur < 0 ? 0 : cur - 1); break;
        case VK_DOWN: case VK_RIGHT: SelectByUser(c, cur + 1); break;
        case VK_PRIOR: SelectByUser(c, cur - page); break;
        case VK_NEXT: SelectByUser(c, cur + page); break;
        case VK_HOME: SelectByUser(c, 0); break;
        case VK_END: SelectByUser(c, Count(c) - 1); break;
        default: break;
      }
      return 0;
    }
    case WM_CHAR:
      if (wParam >= 0x20)
        TypeAhead(c, wParam);
      return 0;
    case WM_MOUSEWHEEL: {
      int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      if (notches)
        SelectByUser(c, Current(c) - notches);
      return 0;
    }
    case WM_GETTEXT: {
      if (!lParam || wParam == 0)
        return 0;
      int cur = Current(c);
      std::string s = cur >= 0 ? ItemText(c, cur) : std::string();
      std::size_t n = std::min<std::size_t>(wParam - 1, s.size());
      std::memcpy(reinterpret_cast<char*>(lParam), s.data(), n);
      reinterpret_cast<char*>(lParam)[n] = 0;
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: {
      int cur = Current(c);
      return cur >= 0 ? ToList(c, LB_GETTEXTLEN, WPARAM(cur)) : 0;
    }
    case WM_SETTEXT: {
      // A drop-down list shows only its items: the text selects the item equal to it.
      LRESULT found = ToList(c, LB_FINDSTRINGEXACT, WPARAM(-1), lParam);
      if (found < 0)
        return CB_ERR;
      ToList(c, LB_SETCURSEL, WPARAM(found));
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    }
    case CB_ADDSTRING: return ToList(c, LB_ADDSTRING, 0, lParam);
    case CB_INSERTSTRING: return ToList(c, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      LRESULT r = ToList(c, LB_DELETESTRING, wParam, 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case CB_RESETCONTENT:
      ToList(c, LB_RESETCONTENT);
      InvalidateRect(hwnd, nullptr, FALSE);
      return CB_OKAY;
    case CB_GETCOUNT: return ToList(c, LB_GETCOUNT);
    case CB_GETCURSEL: return ToList(c, LB_GETCURSEL);
    case CB_SETCURSEL: {
      LRESULT r = ToList(c, LB_SETCURSEL, wParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case CB_GETLBTEXT: return ToList(c, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return ToList(c, LB_GETTEXTLEN, wParam);
    case CB_FINDSTRING: return ToList(c, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return ToList(c, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
      LRESULT found = ToList(c, LB_FINDSTRING, wParam, lParam);
      if (found >= 0) {
        ToList(c, LB_SETCURSEL, WPARAM(found));
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return found;
    }
    case CB_GETITEMDATA: return ToList(c, LB_GETITEMDATA, wParam);
    case CB_SETITEMDATA: return ToList(c, LB_SETITEMDATA, wParam, lParam) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_SETITEMHEIGHT:
      if (int(wParam) == -1) {
        c->FieldHeight = std::max(1, int(LOWORD(std::uintptr_t(lParam)))) + 8;
        TRect w;
        GetWindowRect(hwnd, &w);
        int drop = c->DropHeight;
        SetWindowPos(hwnd, nullptr, 0, 0, w.Width(), c->FieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        c->DropHeight = drop;
        return CB_OKAY;
      }
      c->ItemHeight = std::max(1, int(LOWORD(std::uintptr_t(lParam))));
      return ToList(c, LB_SETITEMHEIGHT, 0, lParam) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_GETITEMHEIGHT: return int(wParam) == -1 ? c->FieldHeight - 8 : ToList(c, LB_GETITEMHEIGHT, 0);
    case CB_SHOWDROPDOWN:
      if (wParam && !c->Dropped)
        DropDown(c);
      return TRUE;
    case CB_GETDROPPEDSTATE: return c->Dropped;
    case CB_GETDROPPEDCONTROLRECT:
      if (lParam)
        *reinterpret_cast<TRect*>(lParam) = DroppedRect(c);
      return TRUE;
    case CB_SETDROPPEDWIDTH: c->DroppedWidth = int(wParam); return c->DroppedWidth;
    case CB_GETDROPPEDWIDTH: {
      TRect w;
      GetWindowRect(hwnd, &w);
      return std::max(w.Width(), c->DroppedWidth);
    }
    case CB_SETEXTENDEDUI: c->ExtendedUI = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return c->ExtendedUI;
    case CB_GETTOPINDEX: return ToList(c, LB_GETTOPINDEX);
    case CB_SETTOPINDEX: return ToList(c, LB_SETTOPINDEX, wParam) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_GETHORIZONTALEXTENT: return ToList(c, LB_GETHORIZONTALEXTENT);
    case CB_SETHORIZONTALEXTENT: ToList(c, LB_SETHORIZONTALEXTENT, wParam); return 0;
    case CB_LIMITTEXT:
    case CB_GETEDITSEL:
    case CB_SETEDITSEL: return CB_ERR;  // a drop-down list has no edit field
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
