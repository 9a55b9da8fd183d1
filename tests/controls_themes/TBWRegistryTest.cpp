#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWVisualStyles.h"
#include "platform/base/Exception.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace {

std::vector<std::string>* Journal = nullptr;

class TRecordingTheme : public TTBWTheme {
public:
  using TTBWTheme::TTBWTheme;
  ~TRecordingTheme() override
  {
    if (Journal)
      Journal->push_back("freed " + Name());
  }
  int Recomputed = 0;

protected:
  void RecomputeColors() override { ++Recomputed; }
};

// A themed control stand-in: records what it hears.
class TListener : public TObject, public TMessageDispatcher {
public:
  explicit TListener(std::string Name) : FName(std::move(Name)) {}
  void Dispatch(TMessage& Message) override
  {
    if (Journal)
      Journal->push_back(FName + " " + std::to_string(Message.Msg) + ":" + std::to_string(Message.WParam) + "," +
                         std::to_string(Message.LParam));
    if (OnHear)
      OnHear();
  }
  std::function<void()> OnHear;

private:
  std::string FName;
};

std::string Hex(UINT msg) { return std::to_string(msg); }

class ThemeRegistry : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    Journal = &FJournal;
    RegisterTheme("Default", ThemeClassOf<TRecordingTheme>);
    RegisterTheme("OfficeXP", ThemeClassOf<TRecordingTheme>);
    CreateThemeNexus("Default");
  }
  void TearDown() override
  {
    FreeThemeNexus();
    ClearThemeRegistry();
    FreeThemeManager();
    Journal = nullptr;
  }
  std::vector<std::string> FJournal;
};

std::string MessageText(std::function<void()> call)
{
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(none)";
}

TEST_F(ThemeRegistry, ErrorTexts)
{
  EXPECT_EQ(MessageText([] { RegisterTheme("default", ThemeClassOf<TRecordingTheme>); }),
            "Theme default is already registered");
  EXPECT_EQ(MessageText([] { RegisterTheme("", ThemeClassOf<TRecordingTheme>); }), "Cannot register theme");
  EXPECT_EQ(MessageText([] { RegisterTheme("X", nullptr); }), "Cannot register theme");
  EXPECT_EQ(MessageText([] { AcquireTheme("Nope"); }), "Unknown theme Nope");
  TRecordingTheme stranger("Stranger");
  TTBWTheme* p = &stranger;
  EXPECT_EQ(MessageText([&] { ReleaseTheme(p); }), "Cannot release theme");
  EXPECT_EQ(ThemeNames(), (std::vector<std::string>{"Default", "OfficeXP"}));
}

TEST_F(ThemeRegistry, NamesLongerThan255AreRefusedNotCut)
{
  const std::string longName(256, 'a');
  EXPECT_EQ(MessageText([&] { RegisterTheme(longName, ThemeClassOf<TRecordingTheme>); }),
            "Cannot register theme");
  EXPECT_FALSE(ThemeExists(longName.substr(0, 255)));
  RegisterTheme(std::string(255, 'a'), ThemeClassOf<TRecordingTheme>);
  EXPECT_TRUE(ThemeExists(std::string(255, 'A')));
}

TEST_F(ThemeRegistry, AcquireSharesAndTheLastReleaseFrees)
{
  TTBWTheme* a = AcquireTheme("officexp");
  TTBWTheme* b = AcquireTheme("OFFICEXP");
  EXPECT_EQ(a, b);
  EXPECT_EQ(ThemeUseCount("OfficeXP"), 2);
  ReleaseTheme(a);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(FJournal.empty());
  ReleaseTheme(b);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(FJournal, (std::vector<std::string>{"freed OfficeXP"}));
}

TEST_F(ThemeRegistry, SwitchFreesTheOldThemeThenNotifiesInOrder)
{
  TListener first("first"), second("second");
  AddThemeClient(&first);
  EXPECT_EQ(AddThemeClient(&second), 1);
  EXPECT_EQ(AddThemeClient(&first), 0);
  EXPECT_FALSE(SetCurrentThemeName("Office"));
  EXPECT_TRUE(FJournal.empty());
  EXPECT_TRUE(SetCurrentThemeName("officexp"));
  EXPECT_EQ(CurrentThemeName(), "OfficeXP");
  const std::string m = Hex(TBWM_THEMECHANGE);
  EXPECT_EQ(FJournal, (std::vector<std::string>{"freed Default", "first " + m + ":1,1", "second " + m + ":1,1",
                                                "first " + m + ":2,1", "second " + m + ":2,1",
                                                "first " + m + ":3,1", "second " + m + ":3,1"}));
  // The same name again gives a fresh instance.
  TTBWTheme* before = CurrentTheme();
  FJournal.clear();
  SetCurrentThemeName("OfficeXP");
  EXPECT_EQ(FJournal.front(), "freed OfficeXP");
  EXPECT_NE(CurrentTheme(), nullptr);
  (void)before;
  RemoveThemeClient(&first);
  RemoveThemeClient(&second);
}

TEST_F(ThemeRegistry, AClientRemovedDuringABroadcastIsSkipped)
{
  TListener first("first"), second("second"), third("third");
  AddThemeClient(&first);
  AddThemeClient(&second);
  AddThemeClient(&third);
  // The first client takes the second with it when it hears sub-code 1.
  first.OnHear = [&] { RemoveThemeClient(&second); };
  SetCurrentThemeName("OfficeXP");
  const std::string m = Hex(TBWM_THEMECHANGE);
  EXPECT_EQ(FJournal, (std::vector<std::string>{"freed Default", "first " + m + ":1,1", "third " + m + ":1,1",
                                                "first " + m + ":2,1", "third " + m + ":2,1",
                                                "first " + m + ":3,1", "third " + m + ":3,1"}));
  RemoveThemeClient(&first);
  RemoveThemeClient(&third);
}

TEST_F(ThemeRegistry, SystemChangesReachThemesAndClients)
{
  TListener client("client");
  AddThemeClient(&client);
  auto* theme = static_cast<TRecordingTheme*>(CurrentTheme());
  const int before = theme->Recomputed;
  SendMessage(ThemeManagerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(theme->Recomputed, before + 1);
  SendMessage(ThemeManagerWindow(), WM_ACTIVATEAPP, 0, 0);
  const std::string m = Hex(TBWM_THEMECHANGE);
  EXPECT_EQ(FJournal, (std::vector<std::string>{"client " + m + ":1,0", "client " + m + ":2,0",
                                                "client " + m + ":3,0", "client " + m + ":5,0"}));
  RemoveThemeClient(&client);
}

TEST_F(ThemeRegistry, VisualStylesOffClosesEveryHandle)
{
  SetThemeOption(2, 1);
  EXPECT_EQ(GetThemeOption(2), 2);
  EXPECT_FALSE(ThemeSystemState().VisualStylesActive);
  for (HTHEME handle : ThemeSystemState().Handles)
    EXPECT_EQ(handle, nullptr);
  SetThemeOption(2, 0);
  EXPECT_EQ(GetThemeOption(2), 0);
  EXPECT_EQ(GetThemeOption(7), -1);
}

TEST(VisualStyleBinding, BindsOnceAndAnswersFalseWithoutTheLibrary)
{
  UnbindVisualStyles();
  const int loads = VisualStyleLibraryLoads();
  ASSERT_TRUE(BindVisualStyles());
  EXPECT_TRUE(BindVisualStyles());
  EXPECT_EQ(VisualStyleLibraryLoads(), loads + 1);
  EXPECT_NE(VisualStyles().OpenThemeData, nullptr);
  EXPECT_EQ(VisualStyles().GetThemeBackgroundExtent, VisualStyles().GetThemeBackgroundContentRect);
  EXPECT_EQ(VisualStyles().EnableTheming, nullptr);  // the module has no such export
  UnbindVisualStyles();
  EXPECT_EQ(VisualStyles().OpenThemeData, nullptr);
  SetVisualStyleLibraryName("no-such-style-library.dll");
  EXPECT_FALSE(BindVisualStyles());
  EXPECT_FALSE(ThemesUsable());
  SetVisualStyleLibraryName("uxtheme.dll");
}

}  // namespace

#include "controls/themes/TBWSwitcher.h"

namespace {

int SwitcherEvents = 0;
void CountEvent(TObject*) { ++SwitcherEvents; }

TEST_F(ThemeRegistry, SwitcherFiresThreeEventsASwitchAndMapsOptions)
{
  TTBWSwitcher switcher(nullptr);
  switcher.OnThemeChange = TNotifyEvent(&CountEvent);
  SwitcherEvents = 0;
  switcher.SetTheme("Nope");
  EXPECT_EQ(switcher.Theme(), "Default");
  EXPECT_EQ(SwitcherEvents, 0);
  switcher.SetTheme("OfficeXP");
  EXPECT_EQ(switcher.Theme(), "OfficeXP");
  EXPECT_EQ(SwitcherEvents, 3);
  switcher.SetTheme("Default");
  EXPECT_EQ(SwitcherEvents, 6) << "three events for every switch";
  switcher.SetTheme("OfficeXP");
  EXPECT_EQ(SwitcherEvents, 9);
  EXPECT_EQ(switcher.ThemeCount(), 2);
  EXPECT_EQ(switcher.ThemeNameAt(1), "OfficeXP");
  switcher.SetFlatMenuStyle(fmsDisable);
  EXPECT_EQ(switcher.FlatMenuStyle(), fmsDisable);
  EXPECT_EQ(GetThemeOption(1), 1);
  switcher.SetEnableXPStyles(false);
  EXPECT_EQ(GetThemeOption(2), 2);
  switcher.SetEnableXPStyles(true);
  switcher.SetFlatMenuStyle(fmsAuto);
}

// The state the themes read, recomputed from the options and the system
// colours: the layer's system never asks for flat menus itself, so the
// flat-menu option alone decides them.
TEST_F(ThemeRegistry, SystemStateFollowsTheOptionsAndTheSystemColours)
{
  struct {
    int FlatOption;  // 0 automatic, 1 off, 2 on
    bool Styles;
    COLORREF Face;
    bool Flat;
    TColor Menu, MenuText;
    bool StyledToolbar, White;
  } rows[] = {
      {0, false, RGB(212, 208, 200), false, clMenu, clMenuText, false, false},
      {1, false, RGB(212, 208, 200), false, clMenu, clMenuText, false, false},
      {2, false, RGB(212, 208, 200), true, clWindow, clWindowText, false, false},
      {2, true, RGB(212, 208, 200), true, clWindow, clWindowText, true, false},
      {0, true, RGB(255, 255, 255), false, clMenu, clMenuText, true, true},
      {1, false, RGB(255, 255, 255), false, clMenu, clMenuText, false, true},
  };
  const COLORREF oldFace = GetSysColor(COLOR_BTNFACE);
  const int face = COLOR_BTNFACE;
  for (const auto& row : rows) {
    SetSysColors(1, &face, &row.Face);
    SetThemeOption(1, row.FlatOption);
    SetThemeOption(2, row.Styles ? 0 : 1);
    const TThemeSystemState& s = ThemeSystemState();
    const std::string at = "flat option " + std::to_string(row.FlatOption) + (row.Styles ? ", styled" : ", plain") +
                           (row.White ? ", white face" : "");
    EXPECT_EQ(s.FlatMenus, row.Flat) << at;
    EXPECT_EQ(s.MenuColor, row.Menu) << at;
    EXPECT_EQ(s.MenuTextColor, row.MenuText) << at;
    EXPECT_EQ(s.VisualStylesActive, row.Styles) << at;
    EXPECT_EQ(s.ToolbarTheme() != nullptr, row.Styles) << at;
    // Styled, the toolbar colours are the visual style's, not the system's.
    EXPECT_EQ(s.ToolbarColor != TColor(clBtnFace), row.StyledToolbar) << at;
    EXPECT_EQ(s.WhiteButtonFace, row.White) << at;
    EXPECT_FALSE(s.LowColorDisplay) << at;
  }
  SetSysColors(1, &face, &oldFace);
  SetThemeOption(1, 0);
  SetThemeOption(2, 0);
}

}  // namespace
