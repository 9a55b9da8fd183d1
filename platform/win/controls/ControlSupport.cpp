#include "platform/win/controls/ControlSupport.h"

#include <algorithm>

#include "platform/base/CaseMap.h"
#include "platform/base/Utf.h"

namespace controls {

void SetDataOf(HWND hwnd, void* data) { SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(data)); }

HWND NotifyTarget(HWND hwnd)
{
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  if (style & WS_CHILD)
    return GetParent(hwnd);
  return GetWindow(hwnd, GW_OWNER);
}

void NotifyParent(HWND hwnd, WORD code)
{
  HWND target = NotifyTarget(hwnd);
  if (!target)
    return;
  WORD id = WORD(GetWindowLongPtr(hwnd, GWL_ID));
  SendMessage(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

HBRUSH ControlBrush(HWND hwnd, HDC dc, UINT msg)
{
  if (HWND target = NotifyTarget(hwnd)) {
    LRESULT r = SendMessage(target, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    if (r)
      return reinterpret_cast<HBRUSH>(r);
  }
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

HFONT ControlFont(HFONT font)
{
  return font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void FontMetrics(HFONT font, int& height, int& aveWidth)
{
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ControlFont(font));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  height = tm.tmHeight > 0 ? int(tm.tmHeight) : 13;
  aveWidth = tm.tmAveCharWidth > 0 ? int(tm.tmAveCharWidth) : 6;
}

std::vector<int> TabStopPixels(int count, const int* stops, int aveChar)
{
  std::vector<int> pixels;
  if (count == 0)
    pixels.push_back(aveChar * 8);
  for (int i = 0; i < count && stops; ++i)
    pixels.push_back(stops[i] * aveChar / 4);
  return pixels;
}

namespace {
LRESULT UIState(HWND hwnd) { return SendMessage(hwnd, WM_QUERYUISTATE, 0, 0); }
}  // namespace

bool HideFocus(HWND hwnd) { return UIState(hwnd) & UISF_HIDEFOCUS; }
bool HideAccel(HWND hwnd) { return UIState(hwnd) & UISF_HIDEACCEL; }

std::string WindowTextOf(HWND hwnd)
{
  int n = GetWindowTextLength(hwnd);
  std::string s(std::size_t(n) + 1, '\0');
  n = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(std::size_t(n > 0 ? n : 0));
  return s;
}

TMeasureDC::TMeasureDC(HWND hwnd, HFONT font) : FWnd(hwnd), FDC(GetDC(hwnd))
{
  if (!FDC) {
    FWnd = nullptr;
    FDC = CreateCompatibleDC(nullptr);
  }
  FOld = SelectObject(FDC, ControlFont(font));
}

TMeasureDC::~TMeasureDC()
{
  SelectObject(FDC, FOld);
  if (FWnd)
    ReleaseDC(FWnd, FDC);
  else
    DeleteDC(FDC);
}

int NextCharPos(const std::string& text, int pos)
{
  int n = int(text.size());
  if (pos >= n)
    return n;
  ++pos;
  while (pos < n && (static_cast<unsigned char>(text[std::size_t(pos)]) & 0xC0) == 0x80)
    ++pos;
  return pos;
}

int PrevCharPos(const std::string& text, int pos)
{
  if (pos <= 0)
    return 0;
  pos = std::min(pos, int(text.size()));
  --pos;
  while (pos > 0 && (static_cast<unsigned char>(text[std::size_t(pos)]) & 0xC0) == 0x80)
    --pos;
  return pos;
}

namespace {
char32_t Folded(const std::string& s, std::size_t& pos)
{
  return UnicodeToLower(DecodeUtf8Char(s, pos));
}
}  // namespace

int CompareTextNoCase(const std::string& a, const std::string& b)
{
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t x = Folded(a, i), y = Folded(b, j);
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (i < a.size())
    return 1;
  if (j < b.size())
    return -1;
  return 0;
}

bool StartsWithNoCase(const std::string& a, const std::string& prefix)
{
  std::size_t i = 0, j = 0;
  while (j < prefix.size()) {
    if (i >= a.size())
      return false;
    if (Folded(a, i) != Folded(prefix, j))
      return false;
  }
  return true;
}

}  // namespace controls
