// The classes, parts and states that the system's themed code draws, as it
// names them: every one of them must draw, and each class has a golden sheet.
#pragma once

#include <ostream>
#include <vector>

#include "platform/visualstyles/VisualStyles.h"

struct TThemedPart {
  int Part;
  int FirstState;
  int LastState;
  bool WithText = false;  // a part the system writes a caption on
};

struct TThemedClass {
  const char16_t* Name;
  const char* FileName;
  std::vector<TThemedPart> Parts;
};

// Test names and failure messages show the class by its file name.
inline void PrintTo(const TThemedClass& cls, std::ostream* out) { *out << cls.FileName; }

inline const std::vector<TThemedClass>& ThemedClasses()
{
  static const std::vector<TThemedClass> classes = {
      {u"BUTTON", "button", {{BP_PUSHBUTTON, 1, 5, true}, {BP_RADIOBUTTON, 1, 8}, {BP_CHECKBOX, 1, 12}}},
      {u"SCROLLBAR", "scrollbar",
       {{SBP_ARROWBTN, 1, 16}, {SBP_THUMBBTNHORZ, 1, 4}, {SBP_THUMBBTNVERT, 1, 4}, {SBP_LOWERTRACKHORZ, 1, 4},
        {SBP_UPPERTRACKHORZ, 1, 4}, {SBP_LOWERTRACKVERT, 1, 4}, {SBP_UPPERTRACKVERT, 1, 4}, {SBP_GRIPPERHORZ, 1, 4},
        {SBP_GRIPPERVERT, 1, 4}, {SBP_SIZEBOX, 1, 2}}},
      {u"REBAR", "rebar", {{0, 0, 0}, {RP_GRIPPER, 0, 0}, {RP_GRIPPERVERT, 0, 0}}},
      {u"TOOLBAR", "toolbar",
       {{0, 0, 0},
        {TP_BUTTON, 1, 6, true},
        {TP_DROPDOWNBUTTON, 1, 6, true},
        {TP_SPLITBUTTON, 1, 6, true},
        {TP_SPLITBUTTONDROPDOWN, 1, 6},
        {TP_SEPARATOR, 1, 1},
        {TP_SEPARATORVERT, 1, 1}}},
      {u"WINDOW", "window",
       {{WP_SMALLCAPTION, 1, 3, true},
        {WP_SMALLFRAMELEFT, 1, 2},
        {WP_SMALLFRAMERIGHT, 1, 2},
        {WP_SMALLFRAMEBOTTOM, 1, 2},
        {WP_MDIMINBUTTON, 1, 4},
        {WP_SMALLCLOSEBUTTON, 1, 4},
        {WP_MDICLOSEBUTTON, 1, 4},
        {WP_MDIRESTOREBUTTON, 1, 4}}},
      {u"COMBOBOX", "combobox", {{0, 0, 0}, {CP_DROPDOWNBUTTON, 1, 4}}},
      {u"EXPLORERBAR", "explorerbar",
       {{EBP_HEADERBACKGROUND, 0, 0, true}, {EBP_NORMALGROUPBACKGROUND, 0, 0}, {EBP_NORMALGROUPHEAD, 0, 0, true}}},
      {u"STATUS", "status", {{0, 0, 0}, {SP_PANE, 0, 0, true}, {SP_GRIPPERPANE, 0, 0, true}, {SP_GRIPPER, 0, 0}}},
      {u"SPIN", "spin", {{SPNP_UP, 1, 4}, {SPNP_DOWN, 1, 4}}},
      {u"HEADER", "header", {{HP_HEADERITEM, 1, 3, true}, {HP_HEADERITEMLEFT, 1, 3, true}, {HP_HEADERITEMRIGHT, 1, 3}}},
      {u"TREEVIEW", "treeview", {{TVP_GLYPH, 1, 2}}},
      {u"TAB", "tab", {{TABP_TABITEM, 1, 5, true}, {TABP_PANE, 0, 0}}},
      {u"PROGRESS", "progress", {{PP_BAR, 0, 0}, {PP_BARVERT, 0, 0}, {PP_CHUNK, 0, 0}, {PP_CHUNKVERT, 0, 0}}},
      {u"TRACKBAR", "trackbar", {{TKP_TRACK, 1, 1}, {TKP_TRACKVERT, 1, 1}, {TKP_THUMB, 1, 5}}},
  };
  return classes;
}
