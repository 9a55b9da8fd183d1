// The parts of the list box's window procedure, private to
// platform/win/controls. ListBox.cpp dispatches the window messages and
// paints; ListBoxInput.cpp has the keyboard, the mouse and scrolling,
// ListBoxMessages.cpp the LB_ messages.
#pragma once

#include <string>

#include "platform/win/controls/ListBoxData.h"

namespace controls::listbox {

// After a change of items, sizes or fonts: the top item, the bars, a repaint.
void Relayout(TListBoxData* l);
// The next item after start (wrapping) whose text starts with prefix, or is
// it when exact; LB_ERR when none.
int FindPrefix(TListBoxData* l, int start, const std::string& prefix, bool exact);

// Keyboard, mouse and scrolling.
void OnKeyDown(TListBoxData* l, WPARAM vk);
void OnChar(TListBoxData* l, WPARAM ch);
void OnButtonDown(TListBoxData* l, TPoint pt, bool dbl);
void OnMouseMove(TListBoxData* l, TPoint pt);
void OnButtonUp(TListBoxData* l);
LRESULT OnCaptureChanged(TListBoxData* l, LPARAM lParam);
LRESULT OnMouseWheel(TListBoxData* l, WPARAM wParam);
void OnScroll(TListBoxData* l, bool vertical, WORD code, int thumb);

// The LB_ messages; others go to DefWindowProc.
LRESULT ListBoxControlMessage(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace controls::listbox
