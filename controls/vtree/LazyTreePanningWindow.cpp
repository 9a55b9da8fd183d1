#include "controls/vtree/LazyTreePanningWindow.h"

#include <cstring>

#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/gdi/gdi.h"

namespace {

constexpr char kClassName[] = "LTPanningWindow";
constexpr int kSize = 32;

LRESULT PanningWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
  if (Msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window, &ps);
    auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtr(Window, GWLP_USERDATA));
    if (bitmap) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, bitmap);
      BitBlt(dc, 0, 0, kSize, kSize, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    }
    EndPaint(Window, &ps);
    return 0;
  }
  return DefWindowProc(Window, Msg, WParam, LParam);
}

void RegisterPanningClass()
{
  WNDCLASS existing;
  if (GetClassInfo(HInstance(), kClassName, &existing)) {
    if (existing.lpfnWndProc == &PanningWindowProc)
      return;
    UnregisterClass(kClassName, HInstance());
  }
  WNDCLASS wc;
  wc.lpfnWndProc = &PanningWindowProc;
  wc.hInstance = HInstance();
  wc.lpszClassName = kClassName;
  RegisterClass(&wc);
}

}  // namespace

HRGN RegionFromBitmap(HBITMAP Bitmap, COLORREF Transparent)
{
  BITMAP info{};
  if (!Bitmap || !GetObject(Bitmap, sizeof(info), &info) || info.bmWidth < 1 || info.bmHeight < 1)
    return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Bitmap);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < info.bmHeight; ++y) {
    int x = 0;
    while (x < info.bmWidth) {
      while (x < info.bmWidth && GetPixel(dc, x, y) == Transparent)
        ++x;
      int start = x;
      while (x < info.bmWidth && GetPixel(dc, x, y) != Transparent)
        ++x;
      if (x > start) {
        HRGN run = CreateRectRgn(start, y, x, y + 1);
        CombineRgn(region, region, run, RGN_OR);
        DeleteObject(run);
      }
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return region;
}

TPanningWindow::TPanningWindow(HWND Owner, TPoint ScreenCentre, const char* PictureName)
{
  FBitmap = LoadBitmap(HInstance(), PictureName);
  HRGN region = RegionFromBitmap(FBitmap, RGB(255, 0, 255));
  if (!region) {
    if (FBitmap)
      DeleteObject(FBitmap);
    LT_ASSERT(false, "Invalid wheel panning image.");
  }
  RegisterPanningClass();
  FWindow = CreateWindowEx(WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP, ScreenCentre.x - kSize / 2,
                           ScreenCentre.y - kSize / 2, kSize, kSize, Owner, nullptr, HInstance(), nullptr);
  SetWindowLongPtr(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FBitmap));
  // The window owns the region from here on.
  SetWindowRgn(FWindow, region, FALSE);
  ShowWindow(FWindow, SW_SHOWNOACTIVATE);
}

TPanningWindow::~TPanningWindow()
{
  if (FWindow)
    DestroyWindow(FWindow);
  if (FBitmap)
    DeleteObject(FBitmap);
}
