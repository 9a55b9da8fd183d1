// The parts of the edit control's window procedure, private to
// platform/win/controls. Edit.cpp dispatches the window messages and keeps the
// changes the user makes and the clipboard; EditInput.cpp has the keyboard and
// the mouse, EditView.cpp painting and scrolling, EditMessages.cpp the EM_
// messages.
#pragma once

#include <string>

#include "platform/win/controls/EditData.h"

namespace controls::edit {

bool ReadOnly(TEditData* e);
// After a change the user made: repaints, and tells the parent when notify.
void Changed(TEditData* e, bool notify);
// Replaces the selection as the user does (EN_UPDATE, EN_CHANGE, EN_MAXTEXT).
void UserReplace(TEditData* e, const std::string& text, bool typing);
void Copy(TEditData* e);
void Paste(TEditData* e);
void Clear(TEditData* e);

// Keyboard and mouse.
void OnKeyDown(TEditData* e, WPARAM vk);
void OnChar(TEditData* e, char32_t c);
void OnMouse(TEditData* e, UINT msg, LPARAM lParam);  // left button presses, moves, releases

// Painting and scrolling.
void Paint(TEditData* e);
void ScrollLines(TEditData* e, int lines, bool notify);
void ScrollPixels(TEditData* e, int dx, bool notify);
LRESULT OnScrollBar(TEditData* e, bool vertical, WORD code, int thumb);
LRESULT OnMouseWheel(TEditData* e, WPARAM wParam);

// The EM_ messages; others go to DefWindowProc.
LRESULT EditControlMessage(TEditData* e, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace controls::edit
