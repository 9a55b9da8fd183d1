// The small glyphs of controls that themes draw: arrows of scroll and spin
// buttons, the check mark, and the box or circle of a check control.
#pragma once

#include "platform/win/win.h"

// A filled triangle pointing in Direction (SAB_UP, SAB_DOWN, SAB_LEFT,
// SAB_RIGHT), centred in R, its base Size pixels wide (odd sizes round down
// to even) and half as deep.
void FillArrowTriangle(HDC DC, const TRect& R, int Direction, int Size, TColor Color);
// The size of a scroll arrow in R: three quarters of its smaller side.
int ScrollArrowSize(const TRect& R);

// A tick three pixels thick, seven across, centred in R.
void DrawCheckMark(HDC DC, const TRect& R, TColor Color);

// A check box (a rectangle over R and, when Marked, the check mark) or a
// radio button (an ellipse over R and, when Marked, a dot DotInset pixels
// inside it), outlined in LineColor (none for clNone) and filled with Fill
// (none when null; the caller keeps it).
void DrawCheckControlShape(HDC DC, const TRect& R, bool Radio, TColor LineColor, HBRUSH Fill, bool Marked,
                           TColor MarkColor, int DotInset);

struct ButtonPaintState;
// One arrow part of an edit field's button, with its own hot and pushed state.
struct TEditButtonPart {
  TRect R;
  bool Hot = false;
  bool Pushed = false;
  int Direction = 0;  // SAB_UP or SAB_DOWN
};
// The parts of the button in R: one downward part for a dropdown button, the
// upper and lower halves of a spin pair; answers how many.
int EditButtonParts(const TRect& R, const ButtonPaintState& State, TEditButtonPart (&Parts)[2]);
// The arrows of edit-field buttons: a triangle four pixels across.
constexpr int EditButtonArrowSize = 4;
