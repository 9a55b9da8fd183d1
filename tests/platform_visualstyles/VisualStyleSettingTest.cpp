// The registry setting turns visual styles off and on, and every window hears
// WM_THEMECHANGED when it turns over, and only then.
#include <map>

#include "VisualStylesTestSupport.h"

#include "platform/display/headless/HeadlessDisplay.h"

namespace {

std::map<HWND, int> ThemeChanges;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_THEMECHANGED)
    ++ThemeChanges[hwnd];
  return DefWindowProc(hwnd, msg, w, l);
}

class TVisualStyleSettingTest : public TVisualStylesTest {
public:
  void SetUp() override
  {
    TVisualStylesTest::SetUp();
    THeadlessDisplay::Use();
    static bool registered = [] {
      WNDCLASS wc{};
      wc.lpfnWndProc = RecordingProc;
      wc.lpszClassName = "TThemeListener";
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    ThemeChanges.clear();
  }
};

TEST_F(TVisualStyleSettingTest, TheSettingSwitchesThemesOffAndOn)
{
  const struct {
    const char* Value;
    bool Active;
  } cases[] = {{"", true}, {"dword:00000000", false}, {"dword:00000001", true}, {"\"0\"", false}, {"\"1\"", true}};
  for (const auto& c : cases) {
    UseSetting(c.Value);
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(IsThemeActive(), c.Active ? TRUE : FALSE);
    EXPECT_EQ(IsAppThemed(), c.Active ? TRUE : FALSE);
    HTHEME theme = OpenThemeData(nullptr, u"BUTTON");
    EXPECT_EQ(theme != nullptr, c.Active);
    if (theme)
      CloseThemeData(theme);
  }
}

TEST_F(TVisualStyleSettingTest, AnApplicationThatLeavesControlsUnthemedOpensNoTheme)
{
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT);
  EXPECT_TRUE(IsThemeActive());
  EXPECT_FALSE(IsAppThemed());
  EXPECT_EQ(OpenThemeData(nullptr, u"BUTTON"), nullptr);
}

TEST_F(TVisualStyleSettingTest, EveryWindowHearsTheChangeOnceAndOnlyWhenTheSettingTurns)
{
  HWND top = CreateWindowEx(0, "TThemeListener", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                            nullptr);
  HWND child = CreateWindowEx(0, "TThemeListener", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  HWND grandchild = CreateWindowEx(0, "TThemeListener", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
  HWND other = CreateWindowEx(0, "TThemeListener", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(top && child && grandchild && other);

  UseSetting("dword:00000001");  // on, as before: no change
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(ThemeChanges.empty());

  UseSetting("dword:00000000");
  THeadlessDisplay::PumpMessages();
  for (HWND hwnd : {top, child, grandchild, other})
    EXPECT_EQ(ThemeChanges[hwnd], 1);

  UseSetting("");  // back on by default
  THeadlessDisplay::PumpMessages();
  for (HWND hwnd : {top, child, grandchild, other})
    EXPECT_EQ(ThemeChanges[hwnd], 2);

  DestroyWindow(other);
  DestroyWindow(top);
}

}  // namespace
