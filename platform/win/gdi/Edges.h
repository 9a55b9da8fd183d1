// The classic look: three-dimensional edges, frame controls (caption buttons,
// scroll arrows, menu glyphs, check boxes, radio buttons, push buttons) and
// captions, in the system colours, with glyphs drawn by the layer.
#pragma once

#include <string>

#include "platform/win/gdi/GdiTypes.h"

constexpr UINT BDR_RAISEDOUTER = 1, BDR_SUNKENOUTER = 2, BDR_RAISEDINNER = 4, BDR_SUNKENINNER = 8,
               BDR_OUTER = 3, BDR_INNER = 12, EDGE_RAISED = 5, EDGE_SUNKEN = 10, EDGE_ETCHED = 6, EDGE_BUMP = 9;
constexpr UINT BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_TOPLEFT = 3, BF_BOTTOMRIGHT = 12,
               BF_RECT = 15, BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000,
               BF_FLAT = 0x4000, BF_MONO = 0x8000;

constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4, DFC_POPUPMENU = 5;
constexpr UINT DFCS_CAPTIONCLOSE = 0, DFCS_CAPTIONMIN = 1, DFCS_CAPTIONMAX = 2, DFCS_CAPTIONRESTORE = 3,
               DFCS_CAPTIONHELP = 4, DFCS_MENUARROW = 0, DFCS_MENUCHECK = 1, DFCS_MENUBULLET = 2,
               DFCS_MENUARROWRIGHT = 4, DFCS_SCROLLUP = 0, DFCS_SCROLLDOWN = 1, DFCS_SCROLLLEFT = 2,
               DFCS_SCROLLRIGHT = 3, DFCS_SCROLLCOMBOBOX = 5, DFCS_SCROLLSIZEGRIP = 8, DFCS_BUTTONCHECK = 0,
               DFCS_BUTTONRADIOIMAGE = 1, DFCS_BUTTONRADIOMASK = 2, DFCS_BUTTONRADIO = 4, DFCS_BUTTON3STATE = 8,
               DFCS_BUTTONPUSH = 0x10, DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400,
               DFCS_TRANSPARENT = 0x800, DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000,
               DFCS_MONO = 0x8000;

constexpr UINT DC_ACTIVE = 1, DC_SMALLCAP = 2, DC_ICON = 4, DC_TEXT = 8, DC_INBUTTON = 0x10, DC_GRADIENT = 0x20,
               DC_BUTTONS = 0x1000;

// Rings, outer then inner, each one pixel: top and left in the top-left
// colour (stopping one pixel short of the far corner), bottom and right in the
// bottom-right colour. Raised outer: 3D light / dark shadow; raised inner:
// highlight / shadow; sunken outer: shadow / highlight; sunken inner: dark
// shadow / 3D light. BF_SOFT swaps the top-left colours of the two rings;
// BF_FLAT draws shadow outside and face inside; BF_MONO window frame outside
// and window inside. BF_MIDDLE fills the rest with the face colour (window for
// BF_MONO); BF_ADJUST shrinks rect by what was drawn.
BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state);
// The caption of a window: its text comes from the window system's text
// source (SetCaptionTextSource), its font from SetCaptionFonts.
BOOL DrawCaption(HWND window, HDC dc, const TRect* rect, UINT flags);
// The same, with the text given (the window system's non-client painting).
BOOL DrawCaptionText(HDC dc, const TRect* rect, const std::u16string& text, UINT flags);

using TCaptionTextSource = std::u16string (*)(HWND window);
void SetCaptionTextSource(TCaptionTextSource source);
void SetCaptionFonts(const LOGFONTW& caption, const LOGFONTW& smallCaption);
