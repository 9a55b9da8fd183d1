// The standard scroll bars of a window (WS_HSCROLL, WS_VSCROLL), drawn in its
// non-client area and tracked by the layer, and scrolling a window's pixels.
#pragma once

#include "platform/win/window/WindowTypes.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// WM_HSCROLL / WM_VSCROLL codes
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_LTUP = 1;
constexpr UINT ESB_DISABLE_RTDN = 2;
constexpr UINT ESB_DISABLE_BOTH = 3;

constexpr WPARAM SC_VSCROLL = 0xF070;
constexpr WPARAM SC_HSCROLL = 0xF080;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

// SB_HORZ and SB_VERT: the window's own bars. SB_CTL: a scroll bar control,
// which keeps its values itself (SBM_SETSCROLLINFO, SBM_GETSCROLLINFO,
// SBM_ENABLE_ARROWS; ShowScrollBar shows or hides the control). A range the page covers hides
// the bar, or disables it with SIF_DISABLENOSCROLL. Answers the position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;

// Moves the client area's pixels (within scroll and clip, client
// coordinates) by dx, dy; what is uncovered, or came from a covered place,
// is answered and (SW_INVALIDATE) invalidated; a pending update region moves
// with the pixels. Answers the region's type (NULLREGION, SIMPLEREGION,
// COMPLEXREGION), ERROR (0) for a bad window.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update,
                   TRect* updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scroll, const TRect* clip);

// Scroll bar controls draw and track themselves with the frame bars'
// routines: the bar fills rect (client coordinates). The tracking loop of a
// press (screen point) reads the values through read after every step, sends
// WM_HSCROLL/WM_VSCROLL with the control's handle to notify, and hands the
// dragged thumb's position to setTrackPos.
using TScrollBarControlRead = bool (*)(HWND control, SCROLLINFO& values, UINT& disabledArrows);
void DrawScrollBarControl(HDC dc, const TRect& rect, bool vertical, const SCROLLINFO& values, UINT disabledArrows);
void TrackScrollBarControl(HWND control, const TRect& rect, bool vertical, TPoint screenPoint, HWND notify,
                           TScrollBarControlRead read, void (*setTrackPos)(HWND, int));
