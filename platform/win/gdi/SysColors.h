// System colours and their brushes, with switchable schemes for tests, and
// the class library's colour encodings (a TColor below zero names a system
// colour by its low byte).
#pragma once

#include "platform/win/gdi/GdiTypes.h"

constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
              COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
              COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
              COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
              COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
              COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
              COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
              COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
              COLOR_DESKTOP = COLOR_BACKGROUND, COLOR_3DFACE = COLOR_BTNFACE, COLOR_3DSHADOW = COLOR_BTNSHADOW,
              COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT, COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
              COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int SYS_COLOR_COUNT = 31;

DWORD GetSysColor(int index);
// A stock brush of the colour (follows scheme changes); null for an unknown
// index or one the scheme leaves without a brush.
HBRUSH GetSysColorBrush(int index);
BOOL SetSysColors(int count, const INT* indexes, const COLORREF* colors);

// Test schemes: the classic grey one (face 212,208,200; the default), a flat
// grey 192 one, and a dark one (face brightness below 64).
enum class TSysColorScheme { Classic, FlatGrey, Dark };
void SelectSysColorScheme(TSysColorScheme scheme);
// Makes GetSysColorBrush answer null for one index (the fallback paths of
// callers that test for it), or brings the brush back.
void SetSysColorBrushAbsent(int index, bool absent);

// The class library's colour helpers.
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR, clBackground = clSystemColor | COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION, clMenu = clSystemColor | COLOR_MENU,
                 clWindow = clSystemColor | COLOR_WINDOW, clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                 clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE, clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT, clBtnFace = clSystemColor | COLOR_BTNFACE,
                 clBtnShadow = clSystemColor | COLOR_BTNSHADOW, clGrayText = clSystemColor | COLOR_GRAYTEXT,
                 clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT, cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW,
                 cl3DLight = clSystemColor | COLOR_3DLIGHT, clInfoText = clSystemColor | COLOR_INFOTEXT,
                 clInfoBk = clSystemColor | COLOR_INFOBK, clHotLight = clSystemColor | COLOR_HOTLIGHT,
                 clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION,
                 clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION,
                 clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT, clMenuBar = clSystemColor | COLOR_MENUBAR;

// A system colour (any negative value: the low byte is the index) becomes its
// RGB value; every other value, clNone and clDefault included, is returned as it is.
COLORREF ColorToRGB(TColor color);
inline bool IsSysColor(TColor color) { return color < 0; }
