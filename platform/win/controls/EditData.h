// The state of one edit control: its text (UTF-8, line ends CR LF), the
// selection, the lines as shown (wrapped or not), scrolling and the one-level
// undo. Positions are byte offsets into the text and always fall on whole
// characters (a CR LF pair counts as one step).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/controls/ControlSupport.h"

namespace controls {

struct TEditLine {
  int Start = 0;   // first byte
  int Length = 0;  // bytes shown (line end excluded)
  int Next = 0;    // first byte of the next line
};

class TEditData {
public:
  explicit TEditData(HWND hwnd, DWORD style);

  HWND Hwnd;
  DWORD Style;
  std::string Text;
  int Anchor = 0;  // the fixed end of the selection
  int Caret = 0;   // the moving end, where the caret shows
  std::vector<TEditLine> Lines;
  int FirstLine = 0;  // multi-line: first visible line
  int XOffset = 0;    // pixels scrolled horizontally
  HFONT Font = nullptr;
  int LineHeight = 13;
  int AveChar = 6;
  int LeftMargin = 1, RightMargin = 1;
  TRect FormatRect;
  bool FormatSet = false;  // EM_SETRECT fixed it
  UINT Limit = 30000;
  bool Modified = false;
  bool CanUndo = false;
  std::string UndoText;
  int UndoAnchor = 0, UndoCaret = 0;
  int TypingEnd = -1;  // end of the run being typed (one undo step), -1 when none
  char32_t Password = 0;
  bool Focused = false;
  bool Tracking = false;
  int WantedX = -1;  // column kept by up and down moves
  std::vector<int> TabStops;  // pixels; empty: every 8 average widths
  int MaxLineWidth = 0;

  bool Multi() const { return Style & ES_MULTILINE; }
  bool Wraps() const { return Multi() && !(Style & (ES_AUTOHSCROLL | WS_HSCROLL)); }
  int SelMin() const { return std::min(Anchor, Caret); }
  int SelMax() const { return std::max(Anchor, Caret); }
  int Length() const { return int(Text.size()); }

  // Steps over whole characters (CR LF together).
  int NextPos(int pos) const;
  int PrevPos(int pos) const;
  int Snap(int pos) const;  // to the start of the character holding pos
  bool IsBreakAt(int pos) const;

  // Lines and geometry.
  void UpdateFormatRect();
  void Relayout();
  int LineOf(int pos) const;
  int VisibleLines() const;
  int LineWidth(HDC dc, int line) const;
  int Extent(HDC dc, int start, int length) const;  // pixels of text (tabs, password)
  int XOf(HDC dc, int pos) const;                      // pixels from the line's left
  int PosAtX(HDC dc, int line, int x) const;          // nearest position to x on the line
  int AlignOffset(HDC dc, int line) const;            // ES_CENTER / ES_RIGHT shift
  TPoint ClientPosOf(int pos);                        // top-left of the character
  int PosAtClient(TPoint pt, int* line = nullptr);

  // Editing.
  // Replaces the selection; answers false when nothing could be inserted
  // (read-only typing, limit).
  bool Replace(const std::string& with, bool undoable, bool typing);
  std::string Prepared(const std::string& text) const;  // case, line ends, single line cut
  void SaveUndo(bool typing, int insertAt);
  void Undo();

  // Scrolling and the caret.
  void ScrollCaretIntoView();
  void UpdateScrollBars();
  void PlaceCaret();
  void SetSelection(int anchor, int caret, bool scroll = true);
  void Invalidate() { InvalidateRect(Hwnd, nullptr, TRUE); }
  // Word boundaries for Ctrl+arrows and double clicks.
  int WordStart(int pos) const;
  int WordEnd(int pos) const;
};

}  // namespace controls
