#include "ControlTestSupport.h"

#include <algorithm>
#include <deque>

namespace {

int MenuWindows()
{
  int n = 0;
  EnumWindows(
      [](HWND hwnd, LPARAM p) {
        char cls[16] = {};
        GetClassName(hwnd, cls, sizeof cls);
        if (std::string(cls) == "#32768" && IsWindowVisible(hwnd))
          ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

// The topmost menu window (the deepest open level).
HWND TopMenuWindow()
{
  HWND top = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM p) {
        char cls[16] = {};
        GetClassName(hwnd, cls, sizeof cls);
        if (std::string(cls) == "#32768" && !*reinterpret_cast<HWND*>(p))
          *reinterpret_cast<HWND*>(p) = hwnd;  // the first one found is on top
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&top));
  return top;
}

class MenuTest : public TControlFixture {
public:
  HMENU Menu = nullptr;
  HMENU Sub = nullptr;
  std::deque<std::function<void()>> Steps;
  bool Ended = false;

  void SetUp() override
  {
    TControlFixture::SetUp();
    Menu = CreatePopupMenu();
    Sub = CreatePopupMenu();
    AppendMenu(Sub, MF_STRING, 200, "Sous &un");
    AppendMenu(Sub, MF_STRING, 201, "Sous deux");
    AppendMenu(Menu, MF_STRING, 100, "&Ouvrir");
    AppendMenu(Menu, MF_STRING | MF_CHECKED, 101, "&Copier\tCtrl+C");
    AppendMenu(Menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(Menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Sub), "&Plus");
    AppendMenu(Menu, MF_STRING | MF_GRAYED, 102, "Grisé");
    // The script plays the user while the menu loop waits; once it has run
    // out, the menu is ended so that no test can hang.
    Display->SetIdleScript([this] {
      if (!Steps.empty()) {
        auto step = std::move(Steps.front());
        Steps.pop_front();
        step();
        return true;
      }
      if (!Ended) {
        Ended = true;
        EndMenu();
        return true;
      }
      return false;
    });
  }
  void TearDown() override
  {
    DestroyMenu(Menu);
    TControlFixture::TearDown();
  }
  // Items of the menu shown at (50, 50): 17 pixels each from y 53, the
  // separator 9.
  static TPoint ItemPoint(int index)
  {
    static const int tops[] = {53, 70, 87, 96, 113};
    return TPoint(70, tops[index] + 5);
  }
  int Track(UINT flags = TPM_RETURNCMD)
  {
    return TrackPopupMenu(Menu, flags, 50, 50, 0, Parent, nullptr);
  }
};

TEST_F(MenuTest, ItemsAreChosenByMouseAndByKeyboard)
{
  struct TCase {
    const char* What;
    std::vector<std::function<void(MenuTest&)>> Do;
    int Expected;
  } cases[] = {
      {"click", {[](MenuTest& t) { t.Display->Click(ItemPoint(1).x, ItemPoint(1).y); }}, 101},
      {"a click on a greyed item does nothing",
       {[](MenuTest& t) { t.Display->Click(ItemPoint(4).x, ItemPoint(4).y); },
        [](MenuTest& t) { t.Display->PressKey(VK_ESCAPE); }},
       0},
      {"arrows skip the separator, Enter chooses",
       {[](MenuTest& t) { t.Display->PressKey(VK_DOWN); }, [](MenuTest& t) { t.Display->PressKey(VK_DOWN); },
        [](MenuTest& t) { t.Display->PressKey(VK_DOWN); }, [](MenuTest& t) { t.Display->PressKey(VK_RIGHT); },
        [](MenuTest& t) { t.Display->PressKey(VK_DOWN); }, [](MenuTest& t) { t.Display->PressKey(VK_RETURN); }},
       201},
      {"mnemonic", {[](MenuTest& t) { t.Display->PressKey('O'); }}, 100},
      {"mnemonic of a submenu, then of its item",
       {[](MenuTest& t) { t.Display->PressKey('P'); }, [](MenuTest& t) { t.Display->PressKey('U'); }}, 200},
      {"Escape", {[](MenuTest& t) { t.Display->PressKey(VK_ESCAPE); }}, 0},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    THeadlessDisplay::Advance(1000);
    Ended = false;
    for (auto& step : c.Do)
      Steps.push_back([this, step] { step(*this); });
    EXPECT_EQ(Track(), c.Expected);
    EXPECT_FALSE(Ended);
    EXPECT_EQ(MenuWindows(), 0);
  }
}

TEST_F(MenuTest, ASubmenuOpensAfterTheMenuDelay)
{
  UINT delay = 0;
  SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
  ASSERT_GT(delay, 1u);
  int before = -1, after = -1;
  TRect subRect;
  Steps.push_back([&] { Display->MoveMouse(ItemPoint(3).x, ItemPoint(3).y); });
  Steps.push_back([&] { THeadlessDisplay::Advance(delay - 1); });
  Steps.push_back([&] {
    before = MenuWindows();
    THeadlessDisplay::Advance(1);
  });
  Steps.push_back([&] {
    after = MenuWindows();
    TRect r;
    GetWindowRect(TopMenuWindow(), &r);
    subRect = r;
    // Along the parent level, then down onto the submenu's second item.
    Display->MoveMouse(r.Left + 20, r.Top + 3 + 17 + 5);
  });
  Steps.push_back([&] { Display->Click(subRect.Left + 20, subRect.Top + 3 + 17 + 5); });
  EXPECT_EQ(Track(), 201);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 2);
  EXPECT_EQ(subRect.Top, 96 - 3);  // level with its item
}

TEST_F(MenuTest, AClickOutsideClosesTheMenuAndReachesTheWindowUnderIt)
{
  Steps.push_back([&] { Display->Click(300, 250); });
  Seen.clear();
  EXPECT_EQ(Track(), 0);
  Pump();
  EXPECT_EQ(MenuWindows(), 0);
  std::vector<UINT> order;
  for (UINT m : Seen)
    if (m != WM_COMMAND)
      order.push_back(m);
  EXPECT_EQ(order, (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP,
                                      WM_EXITMENULOOP, WM_LBUTTONDOWN}));
}

TEST_F(MenuTest, WithoutReturnCmdTheChoiceIsPostedAsACommand)
{
  WPARAM command = 0;
  On(WM_COMMAND, [&](UINT, WPARAM w, LPARAM, LRESULT& r) {
    command = w;
    r = 0;
    return true;
  });
  Steps.push_back([&] { Display->PressKey('O'); });
  EXPECT_TRUE(Track(TPM_LEFTALIGN));
  EXPECT_EQ(command, 0u);  // posted, not sent
  Pump();
  EXPECT_EQ(command, MAKEWPARAM(100, 0));
}

// A message filter hook of the thread sees the messages of the menu loop with
// MSGF_MENU, and a message it eats never reaches the menu.
struct TFiltered {
  int Code;
  UINT Message;
  WPARAM WParam;
  bool operator==(const TFiltered&) const = default;
};
std::vector<TFiltered> gFiltered;
HHOOK gFilter = nullptr;
LRESULT EatLetterO(int code, WPARAM w, LPARAM l)
{
  const MSG* msg = reinterpret_cast<const MSG*>(l);
  if (code >= 0 && msg->message != WM_TIMER)
    gFiltered.push_back({code, msg->message, msg->wParam});
  if (code == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == 'O')
    return 1;
  return CallNextHookEx(gFilter, code, w, l);
}

TEST_F(MenuTest, AMessageFilterHookSeesTheMenuLoopAndMayEatAMessage)
{
  gFiltered.clear();
  gFilter = SetWindowsHookEx(WH_MSGFILTER, EatLetterO, nullptr, GetCurrentThreadId());
  ASSERT_NE(gFilter, nullptr);
  Steps.push_back([&] { Display->PressKey('O'); });  // eaten: "&Ouvrir" is not chosen
  Steps.push_back([&] { Display->PressKey(VK_ESCAPE); });
  int chosen = Track();
  EXPECT_TRUE(UnhookWindowsHookEx(gFilter));
  EXPECT_EQ(chosen, 0);
  EXPECT_FALSE(Ended);
  EXPECT_NE(std::find(gFiltered.begin(), gFiltered.end(), TFiltered{MSGF_MENU, WM_KEYDOWN, 'O'}), gFiltered.end());
  EXPECT_NE(std::find(gFiltered.begin(), gFiltered.end(), TFiltered{MSGF_MENU, WM_KEYDOWN, VK_ESCAPE}),
            gFiltered.end());
  for (const TFiltered& f : gFiltered) {
    EXPECT_EQ(f.Code, MSGF_MENU);
    // The eaten key was never translated into a character.
    EXPECT_FALSE(f.Message == WM_CHAR && (f.WParam == 'o' || f.WParam == 'O'));
  }

  // Outside a modal loop nobody calls the filter.
  gFiltered.clear();
  gFilter = SetWindowsHookEx(WH_MSGFILTER, EatLetterO, nullptr, GetCurrentThreadId());
  PostMessage(Parent, WM_USER, 0, 0);
  Pump();
  UnhookWindowsHookEx(gFilter);
  EXPECT_TRUE(gFiltered.empty());
}

TEST_F(MenuTest, TheMenuFontFollowsANewNonClientMetricsFont)
{
  NONCLIENTMETRICS original;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof original, &original, 0));
  // The dark pixels of the first item's text while the menu is up.
  auto inkOfFirstItem = [&] {
    int ink = -1;
    Steps.push_back([&] {
      HWND menu = TopMenuWindow();
      TRect r;
      GetWindowRect(menu, &r);
      ink = 0;
      for (int y = 3; y < 3 + 17; ++y)
        for (int x = 3; x < r.Width() - 3; ++x)
          ink += Display->Pixel(menu, x, y) == 0 ? 1 : 0;
      Display->PressKey(VK_ESCAPE);
    });
    Ended = false;
    Track();
    return ink;
  };
  int normal = inkOfFirstItem();
  NONCLIENTMETRICS bold = original;
  bold.lfMenuFont.lfWeight = 700;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof bold, &bold, SPIF_SENDCHANGE));
  int heavy = inkOfFirstItem();
  ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof original, &original, SPIF_SENDCHANGE));
  int back = inkOfFirstItem();
  EXPECT_GT(normal, 0);
  EXPECT_GT(heavy, normal);
  EXPECT_EQ(back, normal);
}

TEST(MenuHandleTest, ItemsAndStatesRoundTrip)
{
  HMENU m = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenu(m, MF_STRING, 1, "Un");
  AppendMenu(m, MF_STRING, 3, "Trois");
  InsertMenu(m, 3, MF_BYCOMMAND | MF_STRING, 2, "Deux");
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sous");
  AppendMenu(sub, MF_STRING, 10, "Dix");
  EXPECT_EQ(GetMenuItemCount(m), 4);
  EXPECT_EQ(GetMenuItemID(m, 1), 2u);
  EXPECT_EQ(GetMenuItemID(m, 3), UINT(-1));
  EXPECT_EQ(GetSubMenu(m, 3), sub);
  EXPECT_EQ(CheckMenuItem(m, 10, MF_CHECKED), DWORD(MF_UNCHECKED));  // found in the submenu
  EXPECT_EQ(GetMenuState(sub, 0, MF_BYPOSITION), UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m, 3, MF_BYPOSITION), UINT(MF_POPUP | (1 << 8)));
  EXPECT_EQ(EnableMenuItem(m, 2, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(m, 2, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
  EXPECT_TRUE(CheckMenuRadioItem(m, 0, 2, 1, MF_BYPOSITION));
  MENUITEMINFO info;
  char text[16];
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID;
  info.dwTypeData = text;
  info.cch = sizeof text;
  ASSERT_TRUE(GetMenuItemInfo(m, 1, TRUE, &info));
  EXPECT_EQ(std::string(text), "Deux");
  EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(info.fState & MFS_CHECKED);
  EXPECT_EQ(info.wID, 2u);
  EXPECT_TRUE(SetMenuDefaultItem(m, 3, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(m, TRUE, 0), 2u);
  EXPECT_TRUE(ModifyMenu(m, 1, MF_BYCOMMAND | MF_STRING, 11, "Onze"));
  EXPECT_EQ(GetMenuItemID(m, 0), 11u);
  EXPECT_TRUE(RemoveMenu(m, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(sub));  // removed, not destroyed
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sous");
  EXPECT_TRUE(DeleteMenu(m, 3, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_TRUE(DestroyMenu(m));
  EXPECT_FALSE(DestroyMenu(m));
  EXPECT_EQ(GetMenuItemCount(m), -1);
}

}  // namespace
