#include "WindowTestSupport.h"
#include "platform/base/LastError.h"

namespace {

class SystemInfoTest : public TWindowFixture {
protected:
  void TearDown() override
  {
    Display->SetMonitors({{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 738)}});
    TWindowFixture::TearDown();
  }
};

TEST_F(SystemInfoTest, MonitorsAreFoundByPointRectangleAndWindow)
{
  Display->SetMonitors({{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 738)},
                        {TRect(1024, 0, 2048, 768), TRect(1024, 30, 2048, 768)}});
  struct TCase {
    TPoint Pt;
    DWORD Flags;
    std::uintptr_t Monitor;  // 0: none
  } cases[] = {{{10, 10}, MONITOR_DEFAULTTONULL, 1},
               {{1500, 10}, MONITOR_DEFAULTTONULL, 2},
               {{3000, 10}, MONITOR_DEFAULTTONULL, 0},
               {{3000, 10}, MONITOR_DEFAULTTONEAREST, 2},
               {{3000, 10}, MONITOR_DEFAULTTOPRIMARY, 1}};
  for (auto& c : cases)
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MonitorFromPoint(c.Pt, c.Flags)), c.Monitor) << c.Pt.x;
  TRect mostlyRight(1000, 0, 1200, 100);
  HMONITOR right = MonitorFromRect(&mostlyRight, MONITOR_DEFAULTTONULL);
  MONITORINFO info;
  ASSERT_TRUE(GetMonitorInfo(right, &info));
  EXPECT_EQ(info.rcWork, TRect(1024, 30, 2048, 768));
  EXPECT_EQ(info.dwFlags, 0u);
  HWND w = Make(WS_POPUP, 1500, 100, 10, 10);
  EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), right);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2048);
  TRect work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, TRect(0, 0, 1024, 738));  // the primary monitor's
  info.cbSize = 3;
  EXPECT_FALSE(GetMonitorInfo(right, &info));
  EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(std::uintptr_t(9)), &info));
}

TEST_F(SystemInfoTest, NonClientMetricsCarryTheFontsAndCheckTheirSize)
{
  NONCLIENTMETRICS m;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(m.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(m.iSmCaptionHeight + 1, GetSystemMetrics(SM_CYSMCAPTION));
  EXPECT_NE(m.lfMenuFont.lfFaceName[0], 0);
  EXPECT_EQ(m.lfSmCaptionFont.lfWeight, 700);
  m.cbSize = 500;  // a caller with another idea of the structure gets nothing
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m, 0));
  UINT delay = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0));
  EXPECT_EQ(delay, 400u);
  EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &delay, 0));
}

TEST_F(SystemInfoTest, TheReportedPlatformIsTheNewestTheSystemKnows)
{
  OSVERSIONINFO v;
  ASSERT_TRUE(GetVersionEx(&v));
  EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(v.dwMajorVersion * 10 + v.dwMinorVersion, 51u);
  DWORD packed = GetVersion();
  EXPECT_EQ(LOBYTE(packed), 5);
  EXPECT_EQ(HIBYTE(LOWORD(packed)), 1);
  EXPECT_EQ(packed & 0x80000000u, 0u);  // the NT family
  char codePage[8];
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, codePage, sizeof codePage), 6);
  EXPECT_STREQ(codePage, "65001");
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, codePage, 3), 0);  // too small
}

}  // namespace

namespace {

TEST_F(SystemInfoTest, AChangedScreenResizesTheDesktopAndIsAnnounced)
{
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  Take();
  Display->SetMonitors({{TRect(0, 0, 800, 600), TRect(0, 0, 800, 570)}});
  Pump();
  TRect desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(desktop, TRect(0, 0, 800, 600));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  auto log = Take({WM_DISPLAYCHANGE});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Hwnd, w);
  EXPECT_EQ(LOWORD(log[0].L), 800);
}

}  // namespace

// Without sound output no request to play succeeds, so callers never think a
// menu sound was heard; stopping works, and malformed requests are told apart.
TEST(Sound, PlayingFailsTruthfullyStoppingSucceeds)
{
  struct {
    const char* sound;
    DWORD flags;
    BOOL result;
    DWORD error;
  } cases[] = {
      {"MenuPopup", SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP, FALSE, ERROR_NOT_SUPPORTED},
      {"MenuCommand", SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP, FALSE, ERROR_NOT_SUPPORTED},
      {"/tmp/ding.wav", SND_FILENAME | SND_SYNC, FALSE, ERROR_NOT_SUPPORTED},
      {"MenuPopup", SND_ALIAS | SND_FILENAME, FALSE, ERROR_INVALID_PARAMETER},
      {"MenuPopup", SND_ALIAS | SND_LOOP, FALSE, ERROR_INVALID_PARAMETER},
      {nullptr, 0, TRUE, 0},
      {"MenuPopup", SND_ALIAS | SND_PURGE, TRUE, 0},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(PlaySound(c.sound, nullptr, c.flags), c.result) << c.flags;
    EXPECT_EQ(GetLastError(), c.error) << c.flags;
  }
}
