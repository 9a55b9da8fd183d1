// What the standard window classes share: their per-window record in the
// window's extra bytes, notifications to the parent, the colours the parent
// chooses (WM_CTLCOLOR*), fonts and measuring, keyboard cues.
#pragma once

#include <string>
#include <vector>

#include "platform/win/controls/ControlConsts.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/window.h"

namespace controls {

// The record a control keeps at extra-byte offset 0 (every standard class
// reserves one pointer there).
template <class T>
T* DataOf(HWND hwnd)
{
  return reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0));
}
void SetDataOf(HWND hwnd, void* data);

// The window that hears a control's notifications: its parent, or the owner
// of a popup control.
HWND NotifyTarget(HWND hwnd);
// WM_COMMAND (id, code) to the notify target, with the control's handle.
void NotifyParent(HWND hwnd, WORD code);
// Asks the parent for the colours and brush of msg (WM_CTLCOLOREDIT, ...);
// a parent that answers nothing gets the classic defaults: window colours for
// edits and list boxes, face colours for the others.
HBRUSH ControlBrush(HWND hwnd, HDC dc, UINT msg);
// The font a control draws with: the one set by WM_SETFONT, or the GUI font.
HFONT ControlFont(HFONT font);
// Height and average width of a font.
void FontMetrics(HFONT font, int& height, int& aveWidth);
// Tab stops given in dialog units (a quarter of the average character width
// each) as pixels; none given: one every 8 average widths.
std::vector<int> TabStopPixels(int count, const int* stops, int aveChar);
// Whether the parent's keyboard cues hide the focus rectangle or the "&"
// underlines (WM_QUERYUISTATE).
bool HideFocus(HWND hwnd);
bool HideAccel(HWND hwnd);
// The window's text (its caption).
std::string WindowTextOf(HWND hwnd);
inline bool KeyIsDown(int vk) { return GetKeyState(vk) < 0; }

// A DC for measuring with a font, released on scope exit.
class TMeasureDC {
public:
  TMeasureDC(HWND hwnd, HFONT font);
  ~TMeasureDC();
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  HDC Handle() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
  HGDIOBJ FOld;
};

// UTF-8 steps over whole characters.
int NextCharPos(const std::string& text, int pos);
int PrevCharPos(const std::string& text, int pos);
// Case-insensitive comparison of UTF-8 texts (list box search and sorting).
int CompareTextNoCase(const std::string& a, const std::string& b);
// Whether a starts with prefix, ignoring case.
bool StartsWithNoCase(const std::string& a, const std::string& prefix);

}  // namespace controls
