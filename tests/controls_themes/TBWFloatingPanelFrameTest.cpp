// A floating dockable panel under the real themes: its frame is the themed
// one, so the OfficeXP theme paints the border and caption in its own panel
// colours (not the platform's caption gradient and face-coloured border).
// Each theme's frame is also written as a picture to the test folder.
#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWFloating.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/toolbar/TBDock.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/stdctrls/Memo.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

class FloatingPanelFrame : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    if (!ThemeExists("Default"))
      RegisterDefaultTheme();
    if (!ThemeExists("OfficeXP"))
      RegisterOfficeXPTheme();
    if (!ThemeExists("Stripes"))
      RegisterStripesTheme();
    CreateThemeNexus(GetParam());
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 500, 360);
    auto* dock = new TTBDock(Form);
    dock->SetParent(Form);
    Panel = new TTBWDockablePanel(Form);
    Panel->SetName("Console");
    Panel->SetCaption("Console");
    Panel->SetCurrentDock(dock);
    auto* memo = new TMemo(Form);
    memo->SetParent(Panel);
    memo->SetAlign(alClient);
    Form->Show();
    Panel->MakeFloating(true);
    THeadlessDisplay::PumpMessages();
  }
  void TearDown() override
  {
    Form->Free();
    FreeThemeNexus();
    ClearThemeRegistry();
    FreeThemeManager();
  }
  COLORREF PixelOfFrame(int X, int Y)
  {
    HWND frame = Panel->FloatFrame()->Handle();
    HDC dc = GetWindowDC(frame);
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(frame, dc);
    return c;
  }

  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  TTBWDockablePanel* Panel = nullptr;
};

TEST_P(FloatingPanelFrame, FloatsInTheThemedFrame)
{
  ASSERT_TRUE(Panel->Floating());
  auto* frame = dynamic_cast<TTBWFloatingWindowParent*>(Panel->FloatFrame());
  ASSERT_NE(frame, nullptr);
  const std::string shot =
      ::testing::TempDir() + "floating-panel-" + GetParam() + "-" + std::to_string(getpid()) + ".png";
  EXPECT_TRUE(Display->Screenshot(frame->Handle(), shot)) << shot;

  if (std::string(GetParam()) != "OfficeXP")
    return;
  auto* theme = dynamic_cast<TTBWOfficeXPTheme*>(CurrentTheme());
  ASSERT_NE(theme, nullptr);
  const TOfficeFrameColors& colours = theme->Colors().PanelActive;
  TPoint border(0, 0);
  Panel->FloatingFrameSize(border);
  ASSERT_GT(border.x, 0);
  const int middle = frame->Height() / 2;
  EXPECT_EQ(PixelOfFrame(0, middle), COLORREF(ColorToRGB(colours.Border))) << "the left border";
  EXPECT_EQ(PixelOfFrame(frame->Width() - 1, middle), COLORREF(ColorToRGB(colours.Border))) << "the right border";
  // Across the caption, left of its text and of the close box.
  EXPECT_EQ(PixelOfFrame(border.x + 1, border.y + 1), COLORREF(ColorToRGB(colours.Caption))) << "the caption";
  EXPECT_EQ(PixelOfFrame(border.x + 1, border.y + GetSystemMetrics(SM_CYSMCAPTION) - 4),
            COLORREF(ColorToRGB(colours.Caption)))
      << "the caption's lower part";
}

INSTANTIATE_TEST_SUITE_P(Themes, FloatingPanelFrame, ::testing::Values("Default", "OfficeXP", "Stripes"));

}  // namespace
