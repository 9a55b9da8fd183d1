#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/XTBBitmapHint.h"
#include "controls/themes/XTBStatusToolbar.h"
#include "controls/themes/XTBThemeNexus.h"
#include "controls/themes/XTBUnitObjects.h"
#include "controls/themes/XTBViewers.h"
#include "controls/themes/XTBWideText.h"
#include "platform/classes/graphics/Colors.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Text.h"
#include "tests/support/GoldenImage.h"
#include "TBWTestTheme.h"

namespace {

class TBoxControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};

// An item that takes one accelerator of its own.
class TKeyItem : public TXTBItem {
public:
  using TXTBItem::TXTBItem;
  bool DialogChar(WORD CharCode) override { return CharCode == 'k'; }
};

class ExtendedToolbarWindows : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    SetBuiltinFontOnly(true);
    Themes = std::make_unique<TTestThemeScope>(std::initializer_list<const char*>{"Default", "OfficeXP", "Stripes"});
    Application()->Initialize();
    StartExtendedControls();
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 400, 200);
  }
  void TearDown() override
  {
    Form->Free();
    THeadlessDisplay::PumpMessages();
    StopExtendedControls();
    Themes.reset();
    SetBuiltinFontOnly(false);
  }
  TXTBDock* AddDock(TTBDockPosition Position)
  {
    auto* dock = new TXTBDock(Form);
    dock->SetPosition(Position);
    dock->SetParent(Form);
    return dock;
  }
  template <class Bar = TXTBToolbar>
  Bar* AddToolbar(TTBDock* Dock, const std::vector<const char*>& Captions)
  {
    auto* bar = new Bar(Form);
    bar->SetCaption("Outils");
    for (const char* caption : Captions) {
      if (*caption) {
        // The wide caption is the one the extended viewer shows.
        auto* item = new TXTBItem(nullptr);
        item->SetCaption(SystemTextToWide(caption));
        bar->Items()->Add(item);
      } else {
        bar->Items()->Add(new TXTBSeparatorItem(nullptr));
      }
    }
    bar->SetCurrentDock(Dock);
    return bar;
  }
  // A toolbar with an anchored item and a right-anchored control 60 wide.
  struct TStretching {
    TXTBToolbar* Bar;
    TXTBItem* Anchored;
    TBoxControl* Box;
  };
  TStretching AddStretchingToolbar(TTBDock* Dock)
  {
    TXTBToolbar* bar = AddToolbar(Dock, {"Un"});
    auto* anchored = new TXTBItem(nullptr);
    anchored->SetCaption(u"Recherche");
    anchored->SetAnchored(true);
    bar->Items()->Add(anchored);
    auto* box = new TBoxControl(Form);
    box->SetBounds(0, 0, 60, 18);
    box->SetAnchors({akLeft, akRight});
    box->SetParent(bar);
    return {bar, anchored, box};
  }
  static int ViewerWidth(TTBCustomToolbar* Bar, TTBCustomItem* Item)
  {
    return Bar->View()->FindViewerOfItem(Item)->BoundsRect.Width();
  }
  void ShowForm()
  {
    Form->Show();
    THeadlessDisplay::PumpMessages();
  }
  void Screenshot(HWND Window, const std::string& Name)
  {
    const std::string shot = ::testing::TempDir() + std::to_string(getpid()) + "-" + Name;
    ASSERT_TRUE(Display->Screenshot(Window, shot));
    std::printf("rendered %s\n", shot.c_str());
  }

  THeadlessDisplay* Display = nullptr;
  std::unique_ptr<TTestThemeScope> Themes;
  TCustomForm* Form = nullptr;
};

TEST_F(ExtendedToolbarWindows, AnchoredItemsAndRightAnchoredControlsFollowTheDocksWidth)
{
  TXTBDock* dock = AddDock(dpTop);
  auto [bar, anchored, box] = AddStretchingToolbar(dock);
  bar->SetFullSize(true);  // the toolbar is resized with its dock
  ShowForm();
  const int itemWidth = ViewerWidth(bar, anchored), boxWidth = box->Width();

  Form->SetWidth(Form->Width() + 50);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(ViewerWidth(bar, anchored), itemWidth + 50);
  EXPECT_EQ(box->Width(), boxWidth + 50);
  ASSERT_EQ(bar->ItemCache()->Count(), 1);
  EXPECT_EQ(bar->ItemCache()->Items(0)->Width(), 60) << "the cache keeps the width the control had first";

  // A shrinking dock does not resize its toolbars on its own: the dock
  // tells them.
  Form->SetWidth(Form->Width() - 80);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(ViewerWidth(bar, anchored), itemWidth - 30);
  EXPECT_EQ(box->Width(), boxWidth - 30);
  EXPECT_FALSE(bar->InResize());
}

TEST_F(ExtendedToolbarWindows, ToolbarsDockedAtTheSideNeitherAnchorNorStretch)
{
  TXTBDock* dock = AddDock(dpLeft);
  auto [bar, anchored, box] = AddStretchingToolbar(dock);
  ShowForm();
  const int itemWidth = ViewerWidth(bar, anchored);
  Form->SetBounds(100, 100, 500, 260);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(ViewerWidth(bar, anchored), itemWidth);
  EXPECT_EQ(box->Width(), 60);
  EXPECT_EQ(bar->ItemCache()->Count(), 0);
}

TEST_F(ExtendedToolbarWindows, StatusToolbarSizesTheFormFromItsDocksCornerOnlyInTheNormalState)
{
  TXTBDock* dock = AddDock(dpBottom);
  AddToolbar(dock, {"Gauche"});
  auto* status = AddToolbar<TXTBStatusToolbar>(dock, {"Droite"});
  status->SetDockPos(1000);  // as far right as the dock allows
  ShowForm();
  ASSERT_GT(status->Left(), 0) << "the status toolbar lies away from the dock's origin";
  ASSERT_GE(status->Left() + status->Width(), dock->ClientWidth() - 8) << "and reaches the corner";

  auto hitTest = [&](int ClientX, int ClientY) {
    const TPoint screen = status->ClientToScreen(TPoint(ClientX, ClientY));
    return status->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  };
  const int right = status->ClientWidth() - 1, bottom = status->ClientHeight() - 1;
  EXPECT_EQ(hitTest(right, bottom), HTBOTTOMRIGHT);
  // The same distance from the toolbar's own left edge is far from the
  // dock's corner.
  const int fromCorner = dock->ClientWidth() - (status->ClientToScreen(TPoint(right, 0)).x - dock->ClientOrigin().x);
  EXPECT_EQ(hitTest(2, bottom), HTCLIENT);
  EXPECT_LT(fromCorner, GetSystemMetrics(SM_CXVSCROLL));

  Form->SetWindowState(wsMaximized);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(hitTest(status->ClientWidth() - 1, status->ClientHeight() - 1), HTCLIENT);
  Form->SetWindowState(wsNormal);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(hitTest(status->ClientWidth() - 1, status->ClientHeight() - 1), HTBOTTOMRIGHT);
}

TEST_F(ExtendedToolbarWindows, StatusToolbarSeparatorsAreNotPaintedUnderTheOfficeTheme)
{
  TXTBDock* dock = AddDock(dpBottom);
  auto* status = AddToolbar<TXTBStatusToolbar>(dock, {"Connecté", "", "3 contacts"});
  auto* plain = AddToolbar(dock, {"A", "", "B"});
  ShowForm();
  auto separatorsPainted = [&](TWinControl* Bar) {
    TTestTheme::Calls().clear();
    RedrawWindow(Bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return std::count_if(TTestTheme::Calls().begin(), TTestTheme::Calls().end(),
                         [](const TThemeCall& c) { return c.Op == "Separator"; });
  };
  for (const char* theme : {"Default", "OfficeXP", "Stripes"}) {
    ASSERT_TRUE(SetCurrentThemeName(theme));
    THeadlessDisplay::PumpMessages();
    EXPECT_EQ(separatorsPainted(status), std::string(theme) == "OfficeXP" ? 0 : 1) << theme;
    EXPECT_EQ(separatorsPainted(plain), 1) << "an ordinary toolbar keeps them under " << theme;
  }
}

TEST_F(ExtendedToolbarWindows, HintIsDrawnInWideTextOnTheSharedBitmap)
{
  TXTBDock* dock = AddDock(dpTop);
  TXTBToolbar* bar = AddToolbar(dock, {"Un"});
  auto* item = static_cast<TXTBItem*>(bar->Items()->Items(0));
  const WideString wide = u"Statut \u0416\u6587 ok";
  item->SetHint(wide);
  ShowForm();
  const TRect bounds = bar->View()->FindViewerOfItem(item)->BoundsRect;

  THintInfo info;
  info.CursorPos = TPoint(bounds.Left + 2, bounds.Top + 2);
  EXPECT_EQ(bar->Perform(CM_HINTSHOW, 0, LPARAM(&info)), 0);
  TBitmap* bitmap = SharedHintBitmap();
  EXPECT_EQ(info.HintData, bitmap);
  EXPECT_EQ(info.CursorRect, bounds);
  EXPECT_EQ(info.HintWindowClass, &NewBitmapHint);
  EXPECT_EQ(info.HintStr, WideToSystemText(wide));
  TRect text(0, 0, 1, 1);
  DrawWideText(bitmap->Canvas(), wide, text, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(bitmap->Width(), text.Width() + 8);
  EXPECT_EQ(bitmap->Height(), text.Height() + 4);
  EXPECT_EQ(ColorToRGB(bitmap->Canvas()->Pixels(0, 0)), ColorToRGB(clInfoBk));
  int inked = 0;
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x)
      inked += ColorToRGB(bitmap->Canvas()->Pixels(x, y)) == ColorToRGB(clInfoText);
  EXPECT_GT(inked, 20) << "the text is drawn, its wide characters too";

  // The item's event draws alone; the toolbar's event then is not asked.
  int toolbarEvents = 0;
  struct THandlers {
    int* Count;
    void Item(TObject*, TBitmap* Bitmap, WideString& Hint, bool& PaintDefault)
    {
      Bitmap->Canvas()->Brush()->SetColor(clRed);
      Bitmap->Canvas()->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
      Hint = u"autre";
      PaintDefault = false;
    }
    void Toolbar(TObject*, TBitmap*, WideString&, bool&) { ++*Count; }
  } handlers{&toolbarEvents};
  item->OnDrawHint = TXTBDrawHintEvent(&handlers, &THandlers::Item);
  bar->OnDrawHint = TXTBDrawHintEvent(&handlers, &THandlers::Toolbar);
  THintInfo again;
  again.CursorPos = info.CursorPos;
  EXPECT_EQ(bar->Perform(CM_HINTSHOW, 0, LPARAM(&again)), 0);
  EXPECT_EQ(toolbarEvents, 0);
  EXPECT_EQ(ColorToRGB(bitmap->Canvas()->Pixels(4, 4)), ColorToRGB(clRed));
}

TEST_F(ExtendedToolbarWindows, HintWindowShowsTheBitmap)
{
  TXTBDock* dock = AddDock(dpTop);
  TXTBToolbar* bar = AddToolbar(dock, {"Un", "Deux"});
  bar->SetShowHint(true);
  auto* item = static_cast<TXTBItem*>(bar->Items()->Items(1));
  item->SetHint(u"Envoyer \u00e0 tous \u2013 \u0416");
  ShowForm();
  const TRect b = bar->View()->FindViewerOfItem(item)->BoundsRect;
  const TPoint p = bar->ClientToScreen(TPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
  Display->MoveMouse(p.x, p.y);
  THeadlessDisplay::PumpMessages();
  THeadlessDisplay::Advance(2000);
  THeadlessDisplay::PumpMessages();
  HWND hint = nullptr;
  EnumThreadWindows(GetCurrentThreadId(),
                    [](HWND W, LPARAM Out) {
                      if (IsWindowVisible(W) && GetParent(W) == nullptr && (GetWindowLong(W, GWL_EXSTYLE) & WS_EX_TOPMOST))
                        *reinterpret_cast<HWND*>(Out) = W;
                      return TRUE;
                    },
                    LPARAM(&hint));
  ASSERT_NE(hint, nullptr) << "the hint window shows";
  TRect r;
  GetWindowRect(hint, &r);
  TBitmap* bitmap = SharedHintBitmap();
  EXPECT_EQ(r.Width(), bitmap->Width() - 2);
  EXPECT_EQ(r.Height(), bitmap->Height() + 2);
  Screenshot(hint, "xtb-hint.png");
}

TEST_F(ExtendedToolbarWindows, ErasingPaintsTheDocksBackgroundOrTheToolbarsOwn)
{
  TXTBDock* dock = AddDock(dpTop);
  TXTBToolbar* bar = AddToolbar(dock, {"Un"});
  ShowForm();
  struct TLog {
    std::vector<std::string> Calls;
    std::vector<TRect> Rects;
    void Dock(TObject*, TCanvas*, TRect R, TXTBPaintStage Stage, bool&)
    {
      Calls.push_back(Stage == pstPrePaint ? "dock-pre" : "dock-post");
      Rects.push_back(R);
    }
    void Bar(TObject*, TCanvas*, TRect R, TXTBPaintStage Stage, bool& PaintDefault)
    {
      Calls.push_back(Stage == pstPrePaint ? "bar-pre" : "bar-post");
      Rects.push_back(R);
      PaintDefault = false;
    }
  } log;
  HDC dc = GetDC(bar->Handle());
  bar->OnDrawBackground = TXTBDrawEvent(&log, &TLog::Bar);
  EXPECT_EQ(bar->Perform(WM_ERASEBKGND, WPARAM(dc), 0), 1);
  const TPoint offset(dock->ClientOrigin().x - bar->ClientOrigin().x, dock->ClientOrigin().y - bar->ClientOrigin().y);
  TRect dockHere = dock->ClientRect();
  OffsetRect(&dockHere, offset.x, offset.y);
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"bar-pre", "bar-post"}));
  EXPECT_EQ(log.Rects[0], dockHere) << "docked, its own event gets the dock's rectangle";

  log.Calls.clear();
  log.Rects.clear();
  dock->OnDrawBackground = TXTBDrawEvent(&log, &TLog::Dock);
  EXPECT_EQ(bar->Perform(WM_ERASEBKGND, WPARAM(dc), 0), 1);
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"dock-pre", "dock-post"})) << "the dock's event comes first";
  EXPECT_EQ(log.Rects[0], dockHere);
  ReleaseDC(bar->Handle(), dc);

  // The frame too carries the dock's picture.
  log.Calls.clear();
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_GE(std::count(log.Calls.begin(), log.Calls.end(), "dock-pre"), 2) << "client and frame";
}

TEST_F(ExtendedToolbarWindows, AcceleratorsAreAskedOfTheItems)
{
  TXTBDock* dock = AddDock(dpTop);
  TXTBToolbar* bar = AddToolbar(dock, {"&Un"});
  bar->Items()->Add(new TKeyItem(nullptr));
  ShowForm();
  EXPECT_EQ(bar->Perform(CM_DIALOGCHAR, 'k', 0), 1);
  EXPECT_EQ(bar->Perform(CM_DIALOGCHAR, 'u', 0), 0) << "the toolbar's own accelerators are not asked";
}

TEST_F(ExtendedToolbarWindows, DroppedControlsGetAnItemOwnedByTheOwnersOwner)
{
  TComponent outer(nullptr);
  auto* inner = new TComponent(&outer);
  auto* bar = new TXTBToolbar(inner);
  bar->SetParent(Form);
  auto* first = new TBoxControl(Form);
  first->SetParent(bar);
  ASSERT_EQ(bar->Items()->Count(), 1);
  EXPECT_EQ(bar->Items()->Items(0)->Owner(), inner) << "without the property the toolbar's owner owns it";
  bar->SetAutoControlItems(true);
  auto* second = new TBoxControl(Form);
  second->SetParent(bar);
  ASSERT_EQ(bar->Items()->Count(), 2);
  EXPECT_EQ(bar->Items()->Items(1)->Owner(), &outer);
  EXPECT_EQ(static_cast<TTBControlItem*>(bar->Items()->Items(1))->Control(), second);
  second->SetParent(nullptr);
  EXPECT_EQ(bar->Items()->Count(), 1) << "a leaving control takes its item along";
  delete second;
  delete bar;
}

TEST_F(ExtendedToolbarWindows, RenderStatusToolbarWithWideCaptions)
{
  TXTBDock* dock = AddDock(dpBottom);
  // The system's fonts, for the characters the built-in one lacks.
  SetBuiltinFontOnly(false);
  auto* status = AddToolbar<TXTBStatusToolbar>(dock, {"Connecté", "", "3 contacts", "", "Aide"});
  static_cast<TXTBItem*>(status->Items()->Items(2))->SetCaption(u"\u0416\u6587 3 contacts \u2013 ok");
  AddToolbar(dock, {"Fichier", "", "Édition"});
  ShowForm();
  Screenshot(Form->Handle(), "xtb-status.png");
}

TEST(ExtendedThemeNexus, HandlesCloseAndReopenAroundAStyleChange)
{
  THeadlessDisplay::Use();
  Application()->Initialize();
  {
    TXtThemeNexus nexus;
    ASSERT_TRUE(nexus.LibraryLoaded());
    const bool styled = nexus.TabTheme() != nullptr;
    EXPECT_TRUE(styled) << "visual styles are on by default";
    EXPECT_EQ(nexus.ProgressTheme() != nullptr, styled);
    EXPECT_EQ(nexus.TrackBarTheme() != nullptr, styled);
    BroadcastThemeNotification(TSC_BEFOREVIEWCHANGE);
    EXPECT_EQ(nexus.TabTheme(), nullptr);
    EXPECT_EQ(nexus.TrackBarTheme(), nullptr);
    BroadcastThemeNotification(TSC_VIEWCHANGE);
    EXPECT_EQ(nexus.ProgressTheme(), nullptr);
    BroadcastThemeNotification(TSC_AFTERVIEWCHANGE);
    EXPECT_EQ(nexus.TabTheme() != nullptr, styled);
    EXPECT_EQ(nexus.ProgressTheme() != nullptr, styled);
  }
  TXtThemeNexus::SetLibraryName("absent-uxtheme.dll");
  {
    TXtThemeNexus nexus;
    EXPECT_FALSE(nexus.LibraryLoaded());
    BroadcastThemeNotification(TSC_AFTERVIEWCHANGE);
    EXPECT_EQ(nexus.TabTheme(), nullptr);
  }
  TXtThemeNexus::SetLibraryName("uxtheme.dll");
  FreeThemeManager();
}

TEST(ExtendedControlsStartUp, NestedStartsShareOneSetOfObjects)
{
  THeadlessDisplay::Use();
  Application()->Initialize();
  EXPECT_EQ(SharedHintBitmap(), nullptr);
  StartExtendedControls();
  TBitmap* bitmap = SharedHintBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_NE(HandCursor(), nullptr);
  EXPECT_NE(XtThemeNexus(), nullptr);
  StartExtendedControls();
  EXPECT_EQ(SharedHintBitmap(), bitmap);
  StopExtendedControls();
  EXPECT_EQ(SharedHintBitmap(), bitmap) << "the last stop frees";
  StopExtendedControls();
  EXPECT_EQ(SharedHintBitmap(), nullptr);
  EXPECT_EQ(XtThemeNexus(), nullptr);
  StopExtendedControls();  // one stop too many changes nothing
  FreeThemeManager();
}

}  // namespace
