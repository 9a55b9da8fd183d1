// The visual-style functions of the platform layer, with the names and
// signatures the system's code binds. The module exports them with C linkage:
// code that binds them at run time loads "uxtheme.dll" (the module loader maps
// that name to this module) and looks them up with GetProcAddress; code in the
// process may call them directly through this header.
//
// Theme data is opened per class ("BUTTON", "TOOLBAR", ...; a list separated by
// ";" takes the first class known) and drawn through the drawing layer on the
// DC it is given, the DC's clipping and an optional clip rectangle honoured.
// Theme handles are checked: a stale or foreign handle answers E_HANDLE.
// OpenThemeData answers null while visual styles are off (the registry setting
// of platform/win/window/VisualStyleSetting.h) or the application properties
// leave controls unthemed.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/visualstyles/VisualStyleParts.h"

CORVANE_DECLARE_HANDLE(HTHEME);

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

constexpr HRESULT E_HANDLE = HRESULT(0x80070006);
// A property the part does not have.
constexpr HRESULT E_PROP_ID_UNSUPPORTED = HRESULT(0x80070490);
constexpr HRESULT E_INSUFFICIENT_BUFFER = HRESULT(0x8007007A);

// DrawThemeText's second flags: the text in the part's disabled colour.
constexpr DWORD DTT_GRAYED = 0x1;

// Application properties: which parts of the application are themed.
constexpr DWORD STAP_ALLOW_NONCLIENT = 0x1, STAP_ALLOW_CONTROLS = 0x2, STAP_ALLOW_WEBCONTENT = 0x4;

extern "C" {

HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                      DWORD flags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                           const RECT* bounds, RECT* extent);
HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                      RECT* content);
HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HIMAGELIST images, int index);
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int property, const RECT* rect, MARGINS* margins);
COLORREF GetThemeSysColor(HTHEME theme, int colorId);
HBRUSH GetThemeSysColorBrush(HTHEME theme, int colorId);
BOOL IsThemeActive();
BOOL IsAppThemed();
HTHEME GetWindowTheme(HWND hwnd);
DWORD GetThemeAppProperties();
void SetThemeAppProperties(DWORD flags);
HRESULT GetCurrentThemeName(LPWSTR name, int nameChars, LPWSTR color, int colorChars, LPWSTR size, int sizeChars);
HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect);

}  // extern "C"
