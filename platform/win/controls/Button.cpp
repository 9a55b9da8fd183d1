#include "platform/win/controls/Button.h"

#include <algorithm>
#include <string>

#include "platform/win/controls/ControlSupport.h"

using namespace controls;

namespace {

struct TButtonData {
  LRESULT Check = BST_UNCHECKED;
  bool Pushed = false;
  bool Focused = false;
  bool Tracking = false;  // the left button is held on it
  bool SpaceDown = false;
  HFONT Font = nullptr;
  HGDIOBJ Image = nullptr;
  WPARAM ImageType = IMAGE_BITMAP;
};

TButtonData* ButtonOf(HWND hwnd) { return DataOf<TButtonData>(hwnd); }
DWORD Style(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
DWORD Kind(HWND hwnd) { return Style(hwnd) & BS_TYPEMASK; }
bool IsPush(DWORD kind) { return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_PUSHBOX; }
bool IsCheck(DWORD kind) { return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE; }
bool IsRadio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }
bool IsAuto(DWORD kind) { return kind == BS_AUTOCHECKBOX || kind == BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON; }

constexpr int CheckSize = 13;

UINT TextFormat(HWND hwnd, DWORD style, DWORD kind)
{
  UINT fmt = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  DWORD h = style & BS_CENTER, v = style & BS_VCENTER;
  if (h == BS_LEFT)
    fmt |= DT_LEFT;
  else if (h == BS_RIGHT)
    fmt |= DT_RIGHT;
  else if (h == BS_CENTER || (h == 0 && (IsPush(kind) || (style & BS_PUSHLIKE))))
    fmt |= DT_CENTER;
  if (v == BS_TOP)
    fmt |= DT_TOP;
  else if (v == BS_BOTTOM)
    fmt |= DT_BOTTOM;
  else
    fmt |= DT_VCENTER;
  if (HideAccel(hwnd))
    fmt |= DT_HIDEPREFIX;
  return fmt;
}

// Text drawn in rect, greyed by embossing when disabled; answers where it went.
TRect DrawLabel(HWND hwnd, HDC dc, TRect rect, UINT fmt, bool enabled)
{
  std::string text = WindowTextOf(hwnd);
  TRect calc = rect;
  DrawTextA(dc, text.data(), int(text.size()), &calc, (fmt & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  // Multi-line text is centred vertically by hand (DT_VCENTER needs one line).
  if (!(fmt & DT_SINGLELINE)) {
    int h = calc.Height();
    if (fmt & DT_BOTTOM)
      rect.Top = rect.Bottom - h;
    else if (!(fmt & DT_TOP) && (fmt & DT_VCENTER))
      rect.Top += (rect.Height() - h) / 2;
  }
  SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    DrawTextA(dc, text.data(), int(text.size()), &rect, fmt);
  } else {
    TRect shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextA(dc, text.data(), int(text.size()), &shifted, fmt);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextA(dc, text.data(), int(text.size()), &rect, fmt);
  }
  // Where the text landed, for the focus rectangle.
  TRect out = calc;
  int w = calc.Width(), h = calc.Height();
  if (fmt & DT_CENTER)
    out.Left = rect.Left + (rect.Width() - w) / 2;
  else if (fmt & DT_RIGHT)
    out.Left = rect.Right - w;
  else
    out.Left = rect.Left;
  if (fmt & DT_SINGLELINE) {
    if (fmt & DT_VCENTER)
      out.Top = rect.Top + (rect.Height() - h) / 2;
    else if (fmt & DT_BOTTOM)
      out.Top = rect.Bottom - h;
    else
      out.Top = rect.Top;
  } else {
    out.Top = rect.Top;
  }
  out.Right = out.Left + w;
  out.Bottom = out.Top + h;
  return out;
}

void DrawImage(HDC dc, TButtonData* b, const TRect& r, bool enabled)
{
  if (!b->Image)
    return;
  if (b->ImageType == IMAGE_ICON) {
    int x = r.Left + (r.Width() - 16) / 2, y = r.Top + (r.Height() - 16) / 2;
    DrawIconEx(dc, x, y, reinterpret_cast<HICON>(b->Image), 0, 0, 0, nullptr, DI_NORMAL);
    return;
  }
  BITMAP bm;
  if (!GetObject(b->Image, sizeof bm, &bm))
    return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, b->Image);
  int x = r.Left + (r.Width() - bm.bmWidth) / 2, y = r.Top + (r.Height() - bm.bmHeight) / 2;
  BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, enabled ? SRCCOPY : MERGEPAINT);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void OwnerDraw(HWND hwnd, HDC dc, TButtonData* b, bool enabled)
{
  DRAWITEMSTRUCT di;
  di.CtlType = ODT_BUTTON;
  di.CtlID = UINT(GetWindowLongPtr(hwnd, GWL_ID));
  di.itemAction = ODA_DRAWENTIRE;
  di.itemState = (b->Pushed ? ODS_SELECTED : 0) | (b->Focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED) |
                 (HideFocus(hwnd) ? ODS_NOFOCUSRECT : 0) | (HideAccel(hwnd) ? ODS_NOACCEL : 0);
  di.hwndItem = hwnd;
  di.hDC = dc;
  GetClientRect(hwnd, &di.rcItem);
  if (HWND target = NotifyTarget(hwnd))
    SendMessage(target, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
}

void PaintPush(HWND hwnd, HDC dc, TButtonData* b, DWORD style, DWORD kind, bool enabled)
{
  TRect r;
  GetClientRect(hwnd, &r);
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORBTN);
  FillRect(dc, &r, brush);
  bool isDefault = kind == BS_DEFPUSHBUTTON;
  bool down = b->Pushed || ((style & BS_PUSHLIKE) && b->Check == BST_CHECKED);
  if (isDefault) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (b->Pushed && isDefault) {
    // The default button pressed: a flat shadow frame.
    FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW));
    TRect inner = r;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_3DFACE));
  } else {
    UINT state = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | ((style & BS_FLAT) ? DFCS_FLAT : 0);
    if ((style & BS_PUSHLIKE) && b->Check == BST_CHECKED && !b->Pushed)
      state |= DFCS_CHECKED;
    TRect frame = r;
    DrawFrameControl(dc, &frame, DFC_BUTTON, state);
  }
  TRect content = r;
  InflateRect(&content, -3, -3);
  if (down)
    OffsetRect(&content, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if ((style & (BS_BITMAP | BS_ICON)) && b->Image)
    DrawImage(dc, b, content, enabled);
  else
    DrawLabel(hwnd, dc, content, TextFormat(hwnd, style, kind), enabled);
  if (b->Focused && !HideFocus(hwnd)) {
    TRect focus = r;
    InflateRect(&focus, -3, -3);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void PaintCheck(HWND hwnd, HDC dc, TButtonData* b, DWORD style, DWORD kind, bool enabled)
{
  TRect r;
  GetClientRect(hwnd, &r);
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC);
  COLORREF textColour = GetTextColor(dc);
  FillRect(dc, &r, brush);
  bool right = style & BS_LEFTTEXT;
  int top = r.Top + (r.Height() - CheckSize) / 2;
  if ((style & BS_VCENTER) == BS_TOP)
    top = r.Top;
  else if ((style & BS_VCENTER) == BS_BOTTOM)
    top = r.Bottom - CheckSize;
  TRect box = right ? TRect(r.Right - CheckSize, top, r.Right, top + CheckSize)
                    : TRect(r.Left, top, r.Left + CheckSize, top + CheckSize);
  UINT state = IsRadio(kind) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (b->Check == BST_CHECKED)
    state |= DFCS_CHECKED;
  if (b->Check == BST_INDETERMINATE && !IsRadio(kind))
    state = DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (b->Pushed)
    state |= DFCS_PUSHED;
  if (!enabled)
    state |= DFCS_INACTIVE;
  if (style & BS_FLAT)
    state |= DFCS_FLAT;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  TRect text = right ? TRect(r.Left, r.Top, box.Left - 4, r.Bottom) : TRect(box.Right + 4, r.Top, r.Right, r.Bottom);
  SetTextColor(dc, textColour);
  TRect at = DrawLabel(hwnd, dc, text, TextFormat(hwnd, style, kind), enabled);
  if (b->Focused && !HideFocus(hwnd) && GetWindowTextLength(hwnd) > 0) {
    InflateRect(&at, 1, 1);
    IntersectRect(&at, &at, &r);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &at);
  }
}

void PaintGroup(HWND hwnd, HDC dc, DWORD style, bool enabled)
{
  TRect r;
  GetClientRect(hwnd, &r);
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC);
  COLORREF textColour = GetTextColor(dc);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  std::string text = WindowTextOf(hwnd);
  TRect frame = r;
  frame.Top += int(tm.tmHeight) / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty())
    return;
  UINT fmt = DT_SINGLELINE | DT_LEFT | DT_TOP | (HideAccel(hwnd) ? DT_HIDEPREFIX : 0);
  TRect calc(0, 0, 0, 0);
  DrawTextA(dc, text.data(), int(text.size()), &calc, fmt | DT_CALCRECT);
  int left = (style & BS_CENTER) == BS_CENTER ? (r.Width() - calc.Width()) / 2
             : (style & BS_CENTER) == BS_RIGHT ? r.Right - 8 - calc.Width() - 2
                                               : r.Left + 8;
  TRect back(left, r.Top, left + calc.Width() + 4, r.Top + int(tm.tmHeight));
  FillRect(dc, &back, brush);
  TRect at(left + 2, r.Top, back.Right, back.Bottom);
  SetTextColor(dc, textColour);
  DrawLabel(hwnd, dc, at, fmt, enabled);
}

void Paint(HWND hwnd, TButtonData* b)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc)
    return;
  HGDIOBJ old = SelectObject(dc, ControlFont(b->Font));
  DWORD style = Style(hwnd), kind = style & BS_TYPEMASK;
  bool enabled = !(style & WS_DISABLED);
  if (kind == BS_OWNERDRAW)
    OwnerDraw(hwnd, dc, b, enabled);
  else if (kind == BS_GROUPBOX)
    PaintGroup(hwnd, dc, style, enabled);
  else if (IsPush(kind) || kind == BS_USERBUTTON || (style & BS_PUSHLIKE))
    PaintPush(hwnd, dc, b, style, kind, enabled);
  else
    PaintCheck(hwnd, dc, b, style, kind, enabled);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

void SetPushed(HWND hwnd, TButtonData* b, bool pushed)
{
  if (b->Pushed == pushed)
    return;
  b->Pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
  if (Style(hwnd) & BS_NOTIFY)
    NotifyParent(hwnd, pushed ? BN_HILITE : BN_UNHILITE);
}

// The radio buttons of hwnd's group: from the sibling with WS_GROUP at or
// before it to the next WS_GROUP.
void UncheckGroup(HWND hwnd)
{
  HWND parent = GetParent(hwnd);
  if (!parent)
    return;
  HWND first = hwnd;
  while (!(GetWindowLongPtr(first, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev)
      break;
    first = prev;
  }
  for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != first && (GetWindowLongPtr(w, GWL_STYLE) & WS_GROUP))
      break;
    if (w != hwnd && (SendMessage(w, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
      SendMessage(w, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND hwnd, TButtonData* b)
{
  DWORD kind = Kind(hwnd);
  if (IsAuto(kind)) {
    if (kind == BS_AUTORADIOBUTTON) {
      b->Check = BST_CHECKED;
      InvalidateRect(hwnd, nullptr, FALSE);
      UncheckGroup(hwnd);
    } else {
      LRESULT next = b->Check == BST_UNCHECKED ? BST_CHECKED
                     : (b->Check == BST_CHECKED && kind == BS_AUTO3STATE) ? BST_INDETERMINATE
                                                                          : BST_UNCHECKED;
      b->Check = next;
      InvalidateRect(hwnd, nullptr, FALSE);
    }
  }
  if (IsWindow(hwnd))
    NotifyParent(hwnd, BN_CLICKED);
}

LRESULT ButtonMessage(HWND hwnd, TButtonData* b, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT ButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TButtonData* b = ButtonOf(hwnd);
  if (msg == WM_NCCREATE) {
    b = new TButtonData;
    SetDataOf(hwnd, b);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!b)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetDataOf(hwnd, nullptr);
    delete b;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  return ButtonMessage(hwnd, b, msg, wParam, lParam);
}

namespace {

LRESULT ButtonMessage(HWND hwnd, TButtonData* b, UINT msg, WPARAM wParam, LPARAM lParam)
{
  DWORD kind = Kind(hwnd);
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd, b);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      // A group box lets clicks through to what lies under it.
      if (kind == BS_GROUPBOX)
        return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      b->Font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(std::uintptr_t(lParam)))
        InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(b->Font);
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
      if (msg == WM_UPDATEUISTATE)
        DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      if (kind == BS_GROUPBOX)
        return DLGC_STATIC;
      if (kind == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON || kind == BS_PUSHBOX)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (IsRadio(kind))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON;
    case WM_SETFOCUS:
      b->Focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (Style(hwnd) & BS_NOTIFY)
        NotifyParent(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      b->Focused = false;
      if (b->SpaceDown) {
        b->SpaceDown = false;
        SetPushed(hwnd, b, false);
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      if (Style(hwnd) & BS_NOTIFY)
        NotifyParent(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (IsRadio(kind) || kind == BS_OWNERDRAW || (Style(hwnd) & BS_NOTIFY)) {
        NotifyParent(hwnd, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (kind == BS_GROUPBOX)
        return 0;
      if (GetFocus() != hwnd)
        SetFocus(hwnd);
      if (!IsWindow(hwnd))
        return 0;
      b->Tracking = true;
      SetCapture(hwnd);
      SetPushed(hwnd, b, true);
      return 0;
    case WM_MOUSEMOVE:
      if (b->Tracking) {
        TRect r;
        GetClientRect(hwnd, &r);
        SetPushed(hwnd, b, r.Contains(TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!b->Tracking)
        return 0;
      b->Tracking = false;
      bool inside = b->Pushed;
      SetPushed(hwnd, b, false);
      if (GetCapture() == hwnd)
        ReleaseCapture();
      if (inside && IsWindow(hwnd))
        Click(hwnd, b);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (b->Tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
        b->Tracking = false;
        SetPushed(hwnd, b, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && kind != BS_GROUPBOX && !(lParam & KF_REPEAT_BIT)) {
        b->SpaceDown = true;
        SetPushed(hwnd, b, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && b->SpaceDown) {
        b->SpaceDown = false;
        SetPushed(hwnd, b, false);
        if (!b->Tracking)
          Click(hwnd, b);
      }
      return 0;
    case WM_SYSKEYUP:
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case BM_GETCHECK:
      return (IsCheck(kind) || IsRadio(kind) || (Style(hwnd) & BS_PUSHLIKE)) ? b->Check : BST_UNCHECKED;
    case BM_SETCHECK: {
      if (!IsCheck(kind) && !IsRadio(kind))
        return 0;
      LRESULT v = LRESULT(wParam);
      if (v == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE)
        v = BST_CHECKED;
      v = std::clamp<LRESULT>(v, BST_UNCHECKED, BST_INDETERMINATE);
      if (b->Check != v) {
        b->Check = v;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      // A checked radio button takes its group's tab stop.
      if (IsRadio(kind)) {
        LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
        SetWindowLongPtr(hwnd, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
      }
      return 0;
    }
    case BM_GETSTATE:
      return b->Check | (b->Pushed ? BST_PUSHED : 0) | (b->Focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(hwnd, b, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
      style = (style & ~LONG_PTR(0xFFFF)) | LONG_PTR(wParam & 0xFFFF);
      SetWindowLongPtr(hwnd, GWL_STYLE, style);
      if (lParam)
        InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd) || kind == BS_GROUPBOX)
        return 0;
      SetPushed(hwnd, b, true);
      SetPushed(hwnd, b, false);
      Click(hwnd, b);
      return 0;
    case BM_SETIMAGE: {
      HGDIOBJ old = b->Image;
      b->Image = reinterpret_cast<HGDIOBJ>(lParam);
      b->ImageType = wParam;
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return wParam == b->ImageType ? reinterpret_cast<LRESULT>(b->Image) : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
