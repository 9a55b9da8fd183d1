// The exported visual-style functions. Nothing thrown crosses the module's
// edge: a failure inside answers an error code (or null, or false).
#include <algorithm>
#include <atomic>
#include <new>
#include <string_view>
#include <type_traits>

#include "platform/base/LastError.h"
#include "platform/visualstyles/ThemeHandles.h"
#include "platform/visualstyles/ThemePainter.h"
#include "platform/visualstyles/VisualStyles.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Edges.h"
#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/VisualStyleSetting.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"

namespace {

std::atomic<DWORD> AppProperties{STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT};

template <class TResult, class TBody>
TResult Guarded(TResult failure, TBody body) noexcept
{
  try {
    return body();
  } catch (const std::bad_alloc&) {
    if constexpr (std::is_same_v<TResult, HRESULT>)
      return E_OUTOFMEMORY;
    return failure;
  } catch (...) {
    return failure;
  }
}

// A part of an open theme in a state it has, or why not.
struct TElement {
  const TPartLook* Part = nullptr;
  TStateLook State;
  HRESULT Error = S_OK;
};

TElement Element(HTHEME theme, int part, int state)
{
  TElement element;
  auto data = FindThemeData(theme);
  if (!data) {
    element.Error = E_HANDLE;
    return element;
  }
  element.Part = FindPart(*data->Class, part);
  if (!element.Part || state < 0 || state > StateCount(element.Part->States)) {
    element.Part = nullptr;
    element.Error = E_INVALIDARG;
    return element;
  }
  element.State = ReadState(element.Part->States, state);
  return element;
}

// Runs body on the element, or answers why there is none.
template <class TBody>
HRESULT OnElement(HTHEME theme, int part, int state, TBody body) noexcept
{
  return Guarded<HRESULT>(E_FAIL, [&] {
    const TElement element = Element(theme, part, state);
    return element.Part ? body(element) : element.Error;
  });
}

// Copies text into a caller's buffer of `chars` units, cut and terminated.
HRESULT CopyOut(std::u16string_view text, LPWSTR buffer, int chars)
{
  if (!buffer || chars <= 0)
    return buffer ? E_INVALIDARG : S_OK;  // a buffer not asked for is left out
  const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(chars - 1));
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return n < text.size() ? E_INSUFFICIENT_BUFFER : S_OK;
}

}  // namespace

extern "C" {

BOOL IsThemeActive()
{
  return Guarded<BOOL>(FALSE, [] { return VisualStylesEnabled() ? TRUE : FALSE; });
}

BOOL IsAppThemed()
{
  return Guarded<BOOL>(FALSE, [] {
    return VisualStylesEnabled() && (AppProperties.load() & STAP_ALLOW_CONTROLS) ? TRUE : FALSE;
  });
}

DWORD GetThemeAppProperties() { return AppProperties.load(); }

void SetThemeAppProperties(DWORD flags)
{
  AppProperties.store(flags & (STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT));
}

HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList)
{
  return Guarded<HTHEME>(nullptr, [&]() -> HTHEME {
    if (!IsAppThemed() || !classList) {
      SetLastError(DWORD(E_PROP_ID_UNSUPPORTED));
      return nullptr;
    }
    // The first class of the list that the theme has: "Explorer::Tab;TAB" style prefixes are not names we know.
    std::u16string_view list(classList);
    while (!list.empty()) {
      const std::size_t end = std::min(list.find(u';'), list.size());
      std::u16string_view name = list.substr(0, end);
      while (!name.empty() && name.front() == u' ')
        name.remove_prefix(1);
      while (!name.empty() && name.back() == u' ')
        name.remove_suffix(1);
      if (const TThemeClass* cls = FindThemeClass(name))
        return AddThemeData(*cls, hwnd);
      list.remove_prefix(std::min(end + 1, list.size()));
    }
    SetLastError(DWORD(E_PROP_ID_UNSUPPORTED));
    return nullptr;
  });
}

HRESULT CloseThemeData(HTHEME theme)
{
  return Guarded<HRESULT>(E_FAIL, [&] { return RemoveThemeData(theme) ? S_OK : E_HANDLE; });
}

HTHEME GetWindowTheme(HWND hwnd)
{
  return Guarded<HTHEME>(nullptr, [&] { return LatestThemeOfWindow(hwnd); });
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!rect)
      return E_POINTER;
    const int saved = SaveDC(dc);
    if (!saved)
      return E_HANDLE;  // not a DC
    if (clipRect)
      IntersectClipRect(dc, clipRect->Left, clipRect->Top, clipRect->Right, clipRect->Bottom);
    PaintPart(dc, *element.Part, element.State, *rect);
    RestoreDC(dc, saved);
    return S_OK;
  });
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags, DWORD flags2,
                      const RECT* rect)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!rect || !text)
      return E_POINTER;
    const int saved = SaveDC(dc);
    if (!saved)
      return E_HANDLE;
    TStateLook look = element.State;
    if (flags2 & DTT_GRAYED)
      look.Disabled = true;
    SetTextColor(dc, PartTextColor(*element.Part, look));
    SetBkMode(dc, TRANSPARENT);
    RECT area = *rect;
    DrawTextW(dc, text, count, &area, flags & ~DT_CALCRECT);  // the rectangle is the caller's to keep
    RestoreDC(dc, saved);
    return S_OK;
  });
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                           const RECT* bounds, RECT* extent)
{
  return OnElement(theme, part, state, [&](const TElement&) -> HRESULT {
    if (!text || !extent)
      return E_POINTER;
    RECT area = bounds ? *bounds : RECT{0, 0, 0x7FFF, 0x7FFF};
    if (DrawTextW(dc, text, count, &area, flags | DT_CALCRECT) == 0 && count != 0)
      return E_FAIL;
    *extent = area;
    return S_OK;
  });
}

HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics)
{
  return OnElement(theme, part, state, [&](const TElement&) -> HRESULT {
    if (!metrics)
      return E_POINTER;
    return GetTextMetricsW(dc, metrics) ? S_OK : E_HANDLE;
  });
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC, int part, int state, const RECT* bounds, RECT* content)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!bounds || !content)
      return E_POINTER;
    const TRect& m = element.Part->Content;
    *content = {bounds->Left + m.Left, bounds->Top + m.Top, bounds->Right - m.Right, bounds->Bottom - m.Bottom};
    return S_OK;
  });
}

HRESULT GetThemePartSize(HTHEME theme, HDC, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!size)
      return E_POINTER;
    const TPartLook& look = *element.Part;
    const TRect& m = look.Content;
    // A stretching part is at least its margins and one pixel.
    const SIZE least{std::max<LONG>(1, m.Left + m.Right + 1), std::max<LONG>(1, m.Top + m.Bottom + 1)};
    const bool stretches = look.TrueSize.cx == 0;
    switch (kind) {
      case TS_MIN:
        *size = stretches ? least : look.TrueSize;
        return S_OK;
      case TS_TRUE:
        *size = stretches ? least : look.TrueSize;
        return S_OK;
      case TS_DRAW: {
        if (!rect) {
          *size = stretches ? least : look.TrueSize;
          return S_OK;
        }
        const RECT drawn = PartDrawRect(look, *rect);
        *size = {drawn.Width(), drawn.Height()};
        return S_OK;
      }
    }
    return E_INVALIDARG;
  });
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC, int part, int state, const RECT* rect, HRGN* region)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!rect || !region)
      return E_POINTER;
    const RECT r = PartDrawRect(*element.Part, *rect);
    HRGN made = element.Part->Kind == TPartKind::RadioButton ? CreateEllipticRgn(r.Left, r.Top, r.Right, r.Bottom)
                                                             : CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    if (!made)
      return E_OUTOFMEMORY;
    *region = made;
    return S_OK;
  });
}

BOOL IsThemePartDefined(HTHEME theme, int part, int state)
{
  return Guarded<BOOL>(FALSE, [&] {
    (void)state;  // the answer is for the part as a whole
    return Element(theme, part, 0).Part ? TRUE : FALSE;
  });
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state)
{
  return Guarded<BOOL>(FALSE, [&] {
    TElement element = Element(theme, part, state);
    return element.Part && PartIsPartlyTransparent(*element.Part, element.State) ? TRUE : FALSE;
  });
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!color)
      return E_POINTER;
    switch (property) {
      case TMT_FILLCOLOR: *color = PartFillColor(*element.Part, element.State); return S_OK;
      case TMT_TEXTCOLOR: *color = PartTextColor(*element.Part, element.State); return S_OK;
      case TMT_BORDERCOLOR: *color = PartBorderColor(*element.Part, element.State); return S_OK;
      default: return E_PROP_ID_UNSUPPORTED;
    }
  });
}

HRESULT GetThemeMargins(HTHEME theme, HDC, int part, int state, int property, const RECT*, MARGINS* margins)
{
  return OnElement(theme, part, state, [&](const TElement& element) -> HRESULT {
    if (!margins)
      return E_POINTER;
    if (property != TMT_CONTENTMARGINS && property != TMT_CAPTIONMARGINS)
      return E_PROP_ID_UNSUPPORTED;
    // The caption sits where the content does.
    const TRect& m = element.Part->Content;
    *margins = {int(m.Left), int(m.Right), int(m.Top), int(m.Bottom)};
    return S_OK;
  });
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                      RECT* content)
{
  return OnElement(theme, part, state, [&](const TElement&) -> HRESULT {
    if (!rect)
      return E_POINTER;
    RECT area = *rect;
    if (!DrawEdge(dc, &area, edge, flags | (content ? BF_ADJUST : 0)))
      return E_HANDLE;
    if (content)
      *content = area;
    return S_OK;
  });
}

HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HIMAGELIST images, int index)
{
  return OnElement(theme, part, state, [&](const TElement&) -> HRESULT {
    if (!rect)
      return E_POINTER;
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(images, &cx, &cy))
      return E_INVALIDARG;
    // Centred in the rectangle, as glyphs are.
    const int x = rect->Left + (rect->Width() - cx) / 2;
    const int y = rect->Top + (rect->Height() - cy) / 2;
    return ImageList_Draw(images, index, dc, x, y, ILD_TRANSPARENT) ? S_OK : E_INVALIDARG;
  });
}

COLORREF GetThemeSysColor(HTHEME theme, int colorId)
{
  // The theme draws its own parts; the rest of the screen keeps the system's colours.
  return Guarded<COLORREF>(0, [&] { return FindThemeData(theme) ? COLORREF(GetSysColor(colorId)) : COLORREF(0); });
}

HBRUSH GetThemeSysColorBrush(HTHEME theme, int colorId)
{
  return Guarded<HBRUSH>(nullptr, [&] { return FindThemeData(theme) ? GetSysColorBrush(colorId) : nullptr; });
}

HRESULT GetCurrentThemeName(LPWSTR name, int nameChars, LPWSTR color, int colorChars, LPWSTR size, int sizeChars)
{
  return Guarded<HRESULT>(E_FAIL, [&] {
    if (!IsThemeActive())
      return E_PROP_ID_UNSUPPORTED;
    HRESULT result = CopyOut(u"Flat", name, nameChars);
    if (SUCCEEDED(result))
      result = CopyOut(u"Light", color, colorChars);
    if (SUCCEEDED(result))
      result = CopyOut(u"Normal", size, sizeChars);
    return result;
  });
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, const RECT* rect)
{
  return Guarded<HRESULT>(E_FAIL, [&] {
    HWND parent = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    if (!parent)
      return E_HANDLE;
    TPoint origin{0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    const int saved = SaveDC(dc);
    if (!saved)
      return E_HANDLE;
    if (rect)
      IntersectClipRect(dc, rect->Left, rect->Top, rect->Right, rect->Bottom);
    // The parent paints in its own coordinates: its point `origin` lands on the child's (0, 0).
    OffsetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    SendMessage(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SendMessage(parent, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
    return S_OK;
  });
}

}  // extern "C"
