#include "platform/win/controls/MenuWindow.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/win/controls/ControlSupport.h"

using namespace controls;

namespace {

// The menu fonts follow the non-client metrics: after a WM_SETTINGCHANGE that
// brought a new menu font, the next layout or paint makes the fonts anew.
// Menus of several threads may ask at once.
HFONT MenuFont(bool bold)
{
  struct TMenuFonts {
    std::mutex Lock;
    LOGFONTA MadeFrom{};
    HFONT Normal = nullptr, Heavy = nullptr;
  };
  static TMenuFonts* cache = new TMenuFonts;
  NONCLIENTMETRICS ncm;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  std::lock_guard<std::mutex> guard(cache->Lock);
  if (!cache->Normal || std::memcmp(&cache->MadeFrom, &ncm.lfMenuFont, sizeof(LOGFONTA)) != 0) {
    // A DC that still holds an old font keeps it alive until it lets it go.
    if (cache->Normal)
      DeleteObject(cache->Normal);
    if (cache->Heavy)
      DeleteObject(cache->Heavy);
    cache->MadeFrom = ncm.lfMenuFont;
    cache->Normal = CreateFontIndirectA(&ncm.lfMenuFont);
    ncm.lfMenuFont.lfWeight = 700;
    cache->Heavy = CreateFontIndirectA(&ncm.lfMenuFont);
  }
  return bold ? cache->Heavy : cache->Normal;
}

int CheckWidth() { return std::max(13, GetSystemMetrics(SM_CXMENUCHECK)); }
constexpr int SeparatorHeight = 9;
constexpr int TextGap = 12;  // between the text and the shortcut

void SplitText(const std::string& text, std::string& label, std::string& shortcut)
{
  std::size_t tab = text.find('\t');
  label = text.substr(0, tab);
  shortcut = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

TSize BitmapSize(HBITMAP bitmap)
{
  BITMAP bm;
  if (bitmap && GetObject(bitmap, sizeof bm, &bm))
    return TSize(bm.bmWidth, bm.bmHeight);
  return TSize(0, 0);
}

// A menu glyph (black on white) drawn in colour: black pixels take the colour.
void DrawGlyph(HDC dc, const TRect& r, UINT glyph, COLORREF colour)
{
  int w = r.Width(), h = r.Height();
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  TRect box(0, 0, w, h);
  DrawFrameControl(mem, &box, DFC_MENU, glyph);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  BitBlt(dc, r.Left, r.Top, w, h, mem, 0, 0, 0x00B8074A);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void DrawItem(HDC dc, TMenuPopup& p, const TMenuItemRec& it, int index, const TRect& r)
{
  bool selected = index == p.Selected;
  bool grayed = IsGrayed(it);
  if (IsSeparator(it)) {
    TRect line(r.Left + 1, r.Top + SeparatorHeight / 2 - 1, r.Right - 1, r.Top + SeparatorHeight / 2 + 1);
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  if (it.Type & MFT_OWNERDRAW) {
    DRAWITEMSTRUCT di;
    di.CtlType = ODT_MENU;
    di.itemID = it.Sub ? UINT(reinterpret_cast<UINT_PTR>(it.Sub)) : it.Id;
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = (selected ? ODS_SELECTED : 0) | (grayed ? (ODS_GRAYED | ODS_DISABLED) : 0) |
                   ((it.State & MFS_CHECKED) ? ODS_CHECKED : 0) | ((it.State & MFS_DEFAULT) ? ODS_DEFAULT : 0) |
                   (p.HideAccel ? ODS_NOACCEL : 0);
    di.hwndItem = reinterpret_cast<HWND>(p.Menu);
    di.hDC = dc;
    di.rcItem = r;
    di.itemData = it.Data;
    int saved = SaveDC(dc);
    SendMessage(p.Owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    RestoreDC(dc, saved);
  } else {
    TRect box = r;
    FillRect(dc, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (grayed && selected)
      text = GetSysColor(COLOR_GRAYTEXT);
    int cw = CheckWidth();
    TRect check(r.Left + 2, r.Top + (r.Height() - cw) / 2, r.Left + 2 + cw, r.Top + (r.Height() - cw) / 2 + cw);
    if (it.Type & MFT_BITMAP) {
      TSize s = BitmapSize(it.Bitmap);
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, it.Bitmap);
      BitBlt(dc, r.Left + cw + 4, r.Top + (r.Height() - s.cy) / 2, s.cx, s.cy, mem, 0, 0, selected ? NOTSRCCOPY : SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
    } else {
      HGDIOBJ oldFont = SelectObject(dc, MenuFont(it.State & MFS_DEFAULT));
      std::string label, shortcut;
      SplitText(it.Text, label, shortcut);
      SetBkMode(dc, TRANSPARENT);
      UINT fmt = DT_SINGLELINE | DT_VCENTER | (p.HideAccel ? DT_HIDEPREFIX : 0);
      TRect textRect(r.Left + cw + 6, r.Top, r.Right - cw - 4, r.Bottom);
      auto draw = [&](COLORREF colour, int dx) {
        SetTextColor(dc, colour);
        TRect t = textRect;
        OffsetRect(&t, dx, dx);
        DrawTextA(dc, label.data(), int(label.size()), &t, fmt | DT_LEFT);
        if (!shortcut.empty())
          DrawTextA(dc, shortcut.data(), int(shortcut.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
      };
      if (grayed && !selected) {
        draw(GetSysColor(COLOR_3DHILIGHT), 1);
        draw(GetSysColor(COLOR_3DSHADOW), 0);
      } else {
        draw(text, 0);
      }
      SelectObject(dc, oldFont);
    }
    if (it.State & MFS_CHECKED) {
      DrawGlyph(dc, check, (it.Type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, text);
    } else if (it.ItemBitmap) {
      TSize s = BitmapSize(it.ItemBitmap);
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, it.ItemBitmap);
      BitBlt(dc, check.Left + (cw - s.cx) / 2, r.Top + (r.Height() - s.cy) / 2, s.cx, s.cy, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
    }
    if (it.Sub) {
      TRect arrow(r.Right - cw - 2, check.Top, r.Right - 2, check.Bottom);
      DrawGlyph(dc, arrow, DFCS_MENUARROW, text);
    }
  }
}

void Paint(HWND hwnd, TMenuPopup* p)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc)
    return;
  TRect client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
  TRect edge = client;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  TMenuRec* m = MenuOf(p->Menu);
  if (m)
    for (std::size_t i = 0; i < m->Items.size() && i < p->Items.size(); ++i)
      DrawItem(dc, *p, m->Items[i], int(i), p->Items[i]);
  EndPaint(hwnd, &ps);
}

}  // namespace

namespace controls {

void LayOutPopup(TMenuPopup& p)
{
  p.Items.clear();
  TMenuRec* m = MenuOf(p.Menu);
  if (!m)
    return;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont(false));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  int cw = CheckWidth();
  int rowHeight = std::max(int(tm.tmHeight) + 4, cw + 4);
  int labelWidth = 0, shortcutWidth = 0, widest = 0;
  std::vector<int> heights;
  for (const TMenuItemRec& it : m->Items) {
    int h = rowHeight;
    if (IsSeparator(it)) {
      h = SeparatorHeight;
    } else if (it.Type & MFT_OWNERDRAW) {
      MEASUREITEMSTRUCT mi;
      mi.CtlType = ODT_MENU;
      mi.itemID = it.Sub ? UINT(reinterpret_cast<UINT_PTR>(it.Sub)) : it.Id;
      mi.itemData = it.Data;
      mi.itemHeight = UINT(rowHeight);
      SendMessage(p.Owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
      h = std::max(1, int(mi.itemHeight));
      widest = std::max(widest, int(mi.itemWidth) + cw);
    } else if (it.Type & MFT_BITMAP) {
      TSize s = BitmapSize(it.Bitmap);
      h = std::max(h, s.cy + 2);
      labelWidth = std::max(labelWidth, s.cx);
    } else {
      SelectObject(dc, MenuFont(it.State & MFS_DEFAULT));
      std::string label, shortcut;
      SplitText(it.Text, label, shortcut);
      TRect calc(0, 0, 0, 0);
      DrawTextA(dc, label.data(), int(label.size()), &calc, DT_SINGLELINE | DT_CALCRECT);
      labelWidth = std::max(labelWidth, calc.Width());
      if (!shortcut.empty()) {
        TRect s(0, 0, 0, 0);
        DrawTextA(dc, shortcut.data(), int(shortcut.size()), &s, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        shortcutWidth = std::max(shortcutWidth, s.Width());
      }
    }
    heights.push_back(h);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  int inner = std::max(widest, cw + 6 + labelWidth + (shortcutWidth ? TextGap + shortcutWidth : 0) + 4 + cw);
  inner = std::max(inner, 2 * cw + 20);
  int y = MenuFrame;
  for (int h : heights) {
    p.Items.push_back(TRect(MenuFrame, y, MenuFrame + inner, y + h));
    y += h;
  }
  p.Size = TSize(inner + 2 * MenuFrame, std::max(y, MenuFrame) + MenuFrame);
}

int PopupItemAt(const TMenuPopup& p, TPoint pt)
{
  for (std::size_t i = 0; i < p.Items.size(); ++i)
    if (p.Items[i].Contains(pt))
      return int(i);
  return -1;
}

}  // namespace controls

LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* p = DataOf<TMenuPopup>(hwnd);
  switch (msg) {
    case WM_PAINT:
      if (!p)
        break;
      Paint(hwnd, p);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}
