// The theme's classes and their parts: what each part looks like (its kind),
// how its state numbers read, its size and its margins. The drawing of each
// kind is in ThemePainter.
#pragma once

#include <string_view>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"

enum class TPartKind {
  Background,      // the class's face colour over the rectangle
  PushButton,      // a framed face
  ToolButton,      // a flat face: only hot, pressed and checked states show
  SplitArrow,      // a flat face with a down arrow
  CheckBox,        // a 13 x 13 box, centred
  RadioButton,     // a 13 x 13 circle, centred
  SeparatorLine,   // a vertical line (separators of horizontal toolbars)
  SeparatorHorz,   // a horizontal line
  GripperVert,     // a column of dots (the gripper of a horizontal band)
  GripperHorz,     // a row of dots
  Caption,         // a caption strip, active or inactive
  FrameSide,       // a side of a small frame, in the caption's colour
  CaptionClose,    // the close button of a small caption
  MdiButton,       // a flat button with a glyph (minimise, close, restore)
  Field,           // a white field in a frame
  DropButton,      // the button of a drop-down field, with a down arrow
  SpinButton,      // a framed button with an up or down arrow
  StatusBack,      // the status bar: a face with a line at its top
  StatusPane,      // a line at the pane's right edge
  StatusFlushPane, // a pane flush with the bar's right edge: nothing to draw
  SizeGrip,        // a triangle of dots in the bottom-right corner
  HeaderItem,      // a column face with lines at its right and bottom
  HeaderFiller,    // the header past the last column: a line at its bottom
  TreeGlyph,       // a 9 x 9 box with a plus (closed) or a minus (opened)
  TabItem,
  TabPane,
  ProgressBar,
  ProgressChunk,
  Track,
  Thumb,
  ScrollArrow,     // direction and look both from the state
  ScrollThumb,
  ScrollTrack,
  ScrollGripper,
  ExplorerHeader,
  ExplorerGroup,
  ExplorerGroupHead,
};

// How a part's state numbers read.
enum class TStateScheme {
  None,      // state 0 or 1
  Push,      // 1 normal, 2 hot, 3 pressed, 4 disabled, 5 defaulted
  Tool,      // 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked, 6 hot and checked
  Check,     // 1-4 unchecked, 5-8 checked, 9-12 mixed: normal, hot, pressed, disabled each
  Radio,     // 1-4 unchecked, 5-8 checked
  Caption,   // 1 active, 2 inactive, 3 disabled
  Frame,     // 1 active, 2 inactive
  Header,    // 1 normal, 2 hot, 3 pressed
  Glyph,     // 1 closed, 2 opened
  Tab,       // 1 normal, 2 hot, 3 selected, 4 disabled, 5 focused
  Thumb,     // 1 normal, 2 hot, 3 pressed, 4 focused, 5 disabled
  Arrow,     // 1-16: up, down, left, right; normal, hot, pressed, disabled each
  SizeBox,   // 1 right-aligned, 2 left-aligned
};

enum class TArrow { None, Up, Down, Left, Right };
enum class TGlyph { None, Close, Minimise, Restore };

struct TPartLook {
  int Part;
  TPartKind Kind;
  TStateScheme States;
  TSize TrueSize;  // (0, 0): the part stretches to its rectangle
  TRect Content;   // content margins: left, top, right, bottom widths
  TArrow Arrow = TArrow::None;
  TGlyph Glyph = TGlyph::None;
};

struct TThemeClass {
  const char* Name;
  const TPartLook* Parts;
  int PartCount;
};

// The class of a name ("BUTTON", any ASCII case), null for a class the theme lacks.
const TThemeClass* FindThemeClass(std::u16string_view name);
const TPartLook* FindPart(const TThemeClass& cls, int part);
// The highest state number of a scheme; state 0 stands for the first.
int StateCount(TStateScheme scheme);

// A state number read through its scheme.
struct TStateLook {
  bool Hot = false;
  bool Pressed = false;
  bool Disabled = false;
  bool Checked = false;
  bool Mixed = false;
  bool Defaulted = false;
  bool Inactive = false;
  bool Selected = false;
  bool Focused = false;
  bool Opened = false;       // tree glyphs
  bool LeftAligned = false;  // size boxes
  TArrow Arrow = TArrow::None;  // scroll-bar arrows
};
TStateLook ReadState(TStateScheme scheme, int state);
