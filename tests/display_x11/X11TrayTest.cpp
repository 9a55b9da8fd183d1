// The notification area's icon in a system tray (the test plays the tray,
// embedding icons as the desktop's trays do): the icon's window asks for
// its size, fills the size the tray gives it, a click on it reaches the
// icon's window as its callback message, and a balloon opens as a popup
// next to it.
#include "UtTrayPlayer.h"
#include "X11TestSupport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT Callback = WM_USER + 1;
std::vector<LPARAM> gTrayEvents;

LRESULT TrayOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == Callback)
    gTrayEvents.push_back(lParam);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr uint32_t IconColour = 0x3366CC;

// A 16 x 16 icon of one opaque colour.
HICON SolidIcon()
{
  std::vector<uint32_t> colour(16 * 16, 0xFF000000u | IconColour);
  std::vector<uint8_t> mask(2 * 16, 0);
  HBITMAP colourBits = CreateBitmap(16, 16, 1, 32, colour.data());
  HBITMAP maskBits = CreateBitmap(16, 16, 1, 1, mask.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colourBits;
  info.hbmMask = maskBits;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colourBits);
  DeleteObject(maskBits);
  return icon;
}

class X11TrayTest : public X11Fixture {
protected:
  void ExpectIconFillsItsSlot(int SlotHeight, int Announced, int Width, int Square);

  // An icon of a window of the test's own, with its callback message, added.
  NOTIFYICONDATA AddIcon(HICON Icon)
  {
    WNDCLASS wc;
    wc.lpfnWndProc = &TrayOwnerProc;
    wc.lpszClassName = "X11TrayOwner";
    RegisterClass(&wc);
    NOTIFYICONDATA d;
    d.hWnd = Track(CreateWindowEx(0, "X11TrayOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    d.uID = 1;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = Callback;
    d.hIcon = Icon;
    std::strcpy(d.szTip, "Corvane");
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    return d;
  }
};

// Docks a solid icon in a tray whose slots are SlotHeight high and that
// announces Announced as its icon size (0: none); the slot must be Width
// wide, and the icon's colour must cover exactly the centred square of side
// Square.
void X11TrayTest::ExpectIconFillsItsSlot(int SlotHeight, int Announced, int Width, int Square)
{
  TTrayPlayer tray(900, 700, SlotHeight, Announced);
  ASSERT_TRUE(tray.Started());
  NOTIFYICONDATA d = AddIcon(SolidIcon());
  ASSERT_TRUE(PumpUntil([&] { return tray.Docked(); })) << "no dock request";
  ASSERT_TRUE(PumpUntil([&] { return Viewable(tray.Icon()); }));
  EXPECT_EQ(tray.IconWidth(), Width);
  EXPECT_EQ(tray.IconHeight(), SlotHeight);

  const int w = tray.IconWidth(), h = tray.IconHeight();
  const int left = (w - Square) / 2, top = (h - Square) / 2;
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(PumpUntil([&] {
    pixels = ServerPixels(tray.Icon(), w, h);
    return pixels.size() == std::size_t(w * h) && (pixels[std::size_t(top * w + left)] & 0xFFFFFF) == IconColour;
  })) << "the icon was not painted at the tray's size";
  int inside = 0, outside = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((pixels[std::size_t(y * w + x)] & 0xFFFFFF) == IconColour)
        ++(x >= left && x < left + Square && y >= top && y < top + Square ? inside : outside);
  EXPECT_EQ(inside, Square * Square);
  EXPECT_EQ(outside, 0);

  Shell_NotifyIcon(NIM_DELETE, &d);
  DestroyIcon(d.hIcon);
  Pump(30);
}

// A tray that names no size gets a 22-pixel square asked for in the hints;
// it gives a slot as high as itself and as wide as asked.
TEST_F(X11TrayTest, TheIconAsksForASquareAndFillsTheSlotTheTrayGives) { ExpectIconFillsItsSlot(24, 0, 22, 22); }

// A tray that announces its icon size gets it asked for, and the icon
// grows to it.
TEST_F(X11TrayTest, TheIconTakesTheSizeTheTrayAnnounces) { ExpectIconFillsItsSlot(32, 32, 32, 32); }

TEST_F(X11TrayTest, TheIconDocksInTheTrayAndItsClicksComeBack)
{
  TTrayPlayer tray(900, 700);
  ASSERT_TRUE(tray.Started());
  NOTIFYICONDATA d = AddIcon(LoadIcon(nullptr, IDI_APPLICATION));
  ASSERT_TRUE(PumpUntil([&] { return tray.Docked(); })) << "no dock request";
  ASSERT_TRUE(PumpUntil([&] { return Viewable(tray.Icon()); }));
  EXPECT_FALSE(Longs(tray.Icon(), "_XEMBED_INFO").empty());

  gTrayEvents.clear();
  Click(tray.IconCenterX(), tray.IconCenterY());
  EXPECT_TRUE(PumpUntil([&] {
    return gTrayEvents.size() >= 2 && gTrayEvents[gTrayEvents.size() - 2] == WM_LBUTTONDOWN &&
           gTrayEvents.back() == WM_LBUTTONUP;
  }));
  TPoint cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor, TPoint(tray.IconCenterX(), tray.IconCenterY())) << "where a menu of the icon would open";
  // A second click soon after is a double click.
  Click(tray.IconCenterX(), tray.IconCenterY());
  EXPECT_TRUE(PumpUntil([&] {
    return std::find(gTrayEvents.begin(), gTrayEvents.end(), LPARAM(WM_LBUTTONDBLCLK)) != gTrayEvents.end();
  }));

  // A balloon shows as a popup above the icon.
  NOTIFYICONDATA b = d;
  b.uFlags = NIF_INFO;
  std::strcpy(b.szInfoTitle, "Nouveau message");
  std::strcpy(b.szInfo, "Élodie vous a écrit");
  b.uTimeout = 10000;
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  HWND balloon = NotifyBalloonWindow();
  ASSERT_NE(balloon, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(balloon)); }));
  EXPECT_TRUE(OverrideRedirect(XOf(balloon)));
  TRect r;
  GetWindowRect(balloon, &r);
  EXPECT_LE(r.Bottom, 700 + 8);
  EXPECT_GE(r.Right, 900);

  Shell_NotifyIcon(NIM_DELETE, &d);
  Pump(30);
}

}  // namespace
