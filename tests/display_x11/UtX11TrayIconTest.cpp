// The utility library's tray icon on the x11 display with a tray running
// (the test plays it): the icon docks, its balloon opens and closes after
// its own time-out, and double clicks on the icon send a minimised main
// form to the tray and bring it back.
#include "UtTrayPlayer.h"
#include "X11TestSupport.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "platform/classes/classes.h"

#include <chrono>

namespace {

class UtX11TrayIconTest : public X11Fixture {};

TEST_F(UtX11TrayIconTest, TheIconDocksItsBalloonTimesOutAndADoubleClickRestoresTheForm)
{
  TTrayPlayer tray(900, 700);
  ASSERT_TRUE(tray.Started());
  Application()->Initialize();
  TForm* main = nullptr;
  Application()->CreateForm(main);
  ASSERT_EQ(Application()->MainForm(), main);
  main->SetPosition(poDesigned);
  main->SetBounds(200, 150, 320, 200);
  main->Show();
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(main->Handle())); }));

  // As the host sets it up.
  auto* icon = new TUtTrayIcon(nullptr);
  icon->SetHint("Corvane|Messagerie instantanée");
  icon->SetSnap(true);
  icon->SetVisibility({tvVisibleTaskBar, tvVisibleTaskList, tvRestoreDbClick, tvMinimizeDbClick});
  icon->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return tray.Docked(); })) << "no dock request";
  ASSERT_TRUE(PumpUntil([&] { return Viewable(tray.Icon()); }));

  // The host's notice of 5 s: the icon's own timer closes it (the layer
  // would keep it 10 s at least).
  icon->ShowBalloonTip("Corvane", "Vous avez reçu un nouveau message", 2, 5000, false);
  HWND balloon = NotifyBalloonWindow();
  ASSERT_NE(balloon, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(balloon)); }));
  auto opened = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil([&] { return NotifyBalloonWindow() != balloon; }));
  auto shown = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - opened);
  EXPECT_GE(shown.count(), 4500);
  EXPECT_LT(shown.count(), 9500) << "closed by the icon's time-out, not the layer's";

  // The user minimises the main form; a double click sends it to the tray,
  // the next one brings it back, restored.
  ShowWindow(main->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(main->Handle()) != FALSE; }));
  auto doubleClick = [&] {
    Click(tray.IconCenterX(), tray.IconCenterY());
    Click(tray.IconCenterX(), tray.IconCenterY());
  };
  doubleClick();
  ASSERT_TRUE(PumpUntil([&] { return !icon->ApplicationVisible() && !IsWindowVisible(main->Handle()); }));
  Pump(700);  // the next press starts a new double click
  doubleClick();
  EXPECT_TRUE(PumpUntil([&] {
    return icon->ApplicationVisible() && Viewable(XOf(main->Handle())) && !IsIconic(main->Handle());
  }));
  EXPECT_EQ(main->WindowState(), wsNormal);

  delete icon;
  main->Free();
  Pump(30);
}

}  // namespace
