// The arithmetic of a docked panel's frame, kept apart from the window so
// that it can be checked with plain numbers: where the close box lies, which
// part of the frame a point hits, and how a dragged edge changes the length.
#pragma once

#include "controls/toolbar/TBDockTypes.h"
#include "platform/win/win.h"

// Private hit codes of a docked panel: the four split edges of a panel in a
// multi-dock (the caption and the close box use the framework's codes).
constexpr int HT_SPLIT_LEFT = 86;
constexpr int HT_SPLIT_RIGHT = 87;
constexpr int HT_SPLIT_TOP = 88;
constexpr int HT_SPLIT_BOTTOM = 89;
constexpr int PanelResizeGrip = 2;  // pixels of an edge that resize or split

enum TPanelSide : int { psTop = 0, psBottom = 1, psLeft = 2, psRight = 3 };

// The close box, in window coordinates: a square of caption height - 1 at the
// end of the caption bar.
TRect PanelCloseBox(bool InVerticalDock, bool CaptionVertical, int ClientWidth, int ClientHeight,
                    int CaptionHeight);

struct TPanelHitInput {
  TRect Window;          // screen
  TPoint Point;          // screen
  TTBDockPosition Dock = dpTop;
  bool Resizable = true;
  bool Splits[4] = {};   // by TPanelSide: the edge is a split edge
  bool InClient = false; // the point lies in the client area
  bool CaptionShown = true;
  bool Designing = false;
  TRect CloseBox;        // window coordinates; empty without a close box
};
// WM_NCHITTEST of a docked panel: a resize edge (HTTOP...), a split edge
// (86-89), HTCLIENT, the close box (2001), the caption (2000) or 0.
int PanelHitTest(const TPanelHitInput& In);

// The length of the window along the moved edge: the start length plus how
// far the pointer went outwards. A pointer back at the start gives the start
// length, whatever the edge.
int DockedResizeLength(int Edge, const TRect& Initial, const TPoint& Start, const TPoint& Cursor);
// Initial with its moving edge placed for Length.
TRect PlaceMovingEdge(int Edge, const TRect& Initial, int Length);
// The length a docked resize may reach: at most the parent's client extent
// less 32 pixels for the rest of the form, then within the client limits
// (a maximum counts only above the minimum).
int ClampDockedLength(int Size, int ParentExtent, int NonClient, int MinClient, int MaxClient);
