#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"
#include "TBDockTestSupport.h"
#include "TBGoldenScenes.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "controls/toolbar/TBToolbar.h"

namespace {

// Paints a view's viewers on a bitmap filled with the menu colour.
TPixelImage PaintView(TTBView& View, int Width, int Height)
{
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TRect all(0, 0, Width, Height);
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    View.PaintAllViewers(&canvas);
    canvas.SetHandle(nullptr);
  }
  TPixelImage image = CaptureDC(dc);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return image;
}

bool CheckGolden(const TPixelImage& Image, const char* Name)
{
  std::string golden = std::string(TOOLBAR_GOLDEN_DIR) + "/" + Name;
  if (std::getenv("CORVANE_WRITE_GOLDEN"))
    WritePng(golden, Image);
  std::string message;
  EXPECT_TRUE(MatchesGolden(Image, golden, &message)) << message;
  return message.empty();
}

// A toolbar view that shows a chevron once its room runs out.
class TChevronToolbarView : public TTBView {
public:
  TChevronToolbarView(TTBCustomItem* Source, TTBCustomItem* Chevron)
      : TTBView(nullptr, nullptr, Source, nullptr, true, false, false), FChevron(Chevron)
  {
    // The viewers are made again now that the chevron item is known.
    SetPriorityOrdering(true);
  }
  TTBCustomItem* ChevronItemForView() override { return FChevron; }

private:
  TTBCustomItem* FChevron;
};

}  // namespace

TEST(TBPaintGolden, MenuWithChecksSubmenuSeparatorDisabledAndShortcuts)
{
  THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  TTBRootItem root(nullptr);
  auto add = [&](TTBCustomItem* item, const char* caption) {
    item->SetCaption(caption);
    root.Add(item);
    return item;
  };
  add(new TTBItem(nullptr), "&Open\tCtrl+O");
  add(new TTBItem(nullptr), "&Checked")->SetChecked(true);
  add(new TTBSeparatorItem(nullptr), "");
  add(new TTBSubmenuItem(nullptr), "&More");
  add(new TTBItem(nullptr), "&Disabled\tF5")->SetEnabled(false);
  TTBView view(nullptr, nullptr, &root, nullptr, false, false, false);
  view.EnsureLayout();
  view.SetSelectedViewer(view.Viewers(0), false);
  TPoint natural, total;
  int lines = 0;
  view.ComputeLayout(false, tbaHorizontal, 0, 0, 0, natural, total, lines);
  TPixelImage image = PaintView(view, total.x, total.y);
  std::string golden = std::string(TOOLBAR_GOLDEN_DIR) + "/menu-plain.png";
  if (std::getenv("CORVANE_WRITE_GOLDEN"))
    WritePng(golden, image);
  std::string message;
  EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
  SetBuiltinFontOnly(false);
}

TEST(TBPaintGolden, PopupMenuWithImagesChecksSubmenuSeparatorDisabledAndShortcuts)
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  {
    TMenuScene scene;
    TPixelImage image;
    display->SetIdleScript([&] {
      HWND capture = GetCapture();
      if (!capture)
        return false;
      // The shot is of the menu once its show animation has ended.
      if (ShowAnimationRunning(nullptr)) {
        StopShowAnimation(nullptr);
        return true;
      }
      if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(TPoint(45, 35))))) {
        THeadlessDisplay::PumpMessages();
        TRect r;
        GetWindowRect(popup->Handle(), &r);
        image.Width = r.Width();
        image.Height = r.Height();
        image.Pixels = display->ScreenImage(r);
      }
      PostMessage(capture, WM_NULL, 0, 0);
      ReleaseCapture();
      return true;
    });
    scene.Root.PopupAtPoint(40, 30, false, tbpaLeft);
    display->SetIdleScript(nullptr);
    ASSERT_GT(image.Width, 0);
    CheckGolden(image, "menu-popup.png");
  }
  SetBuiltinFontOnly(false);
}

TEST(TBPaintGolden, ToolbarWithChevron)
{
  THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  {
    TTBImageList images(nullptr);
    AddSceneImages(images);
    TTBRootItem bar(nullptr);
    bar.SetSubMenuImages(&images);
    for (int i = 0; i < 6; ++i) {
      if (i == 3)
        bar.Add(new TTBSeparatorItem(nullptr));
      auto* button = new TTBItem(nullptr);
      button->SetCaption("B" + std::to_string(i));
      button->SetImageIndex(i % 2);
      button->SetChecked(i == 1);
      button->SetEnabled(i != 2);
      bar.Add(button);
    }
    // The chevron: a drop-down button of the hidden buttons.
    TTBSubmenuItem chevron(nullptr);
    chevron.SetOptions(tboDropdownArrow);
    TChevronToolbarView view(&bar, &chevron);
    view.SetChevronExtent(14);
    view.SetChevronPos(110);
    view.EnsureLayout();
    TTBItemViewer* chevronViewer = view.FindViewerOfItem(&chevron);
    ASSERT_TRUE(chevronViewer && chevronViewer->Shown()) << view.NaturalSize().x;
    TPixelImage image = PaintView(view, 110, view.NaturalSize().y);
    CheckGolden(image, "toolbar-chevron.png");
  }
  SetBuiltinFontOnly(false);
}

// The chevron's popup shows the hidden buttons as a toolbar does: a row of
// buttons with their images, the checked and the disabled one, and the
// separator between them upright.
TEST(TBPaintGolden, ChevronPopupShowsTheHiddenButtonsAsAToolbarRow)
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  {
    TDockFixture fixture;
    fixture.Form->Show();
    TTBDock* top = fixture.AddDock(dpTop);
    TTBImageList images(nullptr);
    AddSceneImages(images);
    auto* tools = new TTBToolbar(fixture.Form);
    tools->SetImages(&images);
    // Later buttons give way first: the separator, the checked and the
    // disabled one go behind the chevron.
    tools->SetChevronPriorityForNewItems(tbcpLowest);
    for (int i = 0; i < 8; ++i) {
      if (i == 6)
        tools->Items()->Add(new TTBSeparatorItem(nullptr));
      auto* button = new TTBItem(nullptr);
      button->SetCaption("B" + std::to_string(i));
      button->SetImageIndex(i % 2);
      button->SetDisplayMode(nbdmImageAndText);
      button->SetChecked(i == 6);
      button->SetEnabled(i != 7);
      tools->Items()->Add(button);
    }
    tools->SetCurrentDock(top);
    THeadlessDisplay::PumpMessages();
    TTBView* view = tools->View();
    TTBItemViewer* chevron = view->FindViewerOfItem(tools->ChevronItem());
    ASSERT_TRUE(chevron->Shown());

    TPixelImage image;
    int popupViewers = 0;
    display->SetIdleScript([&] {
      HWND capture = GetCapture();
      if (!capture)
        return false;
      if (ShowAnimationRunning(nullptr)) {
        StopShowAnimation(nullptr);
        return true;
      }
      if (TTBPopupWindow* popup = view->OpenViewerWindow()) {
        THeadlessDisplay::PumpMessages();
        for (int i = 0; i < popup->View()->ViewerCount(); ++i) {
          TTBItemViewer* v = popup->View()->Viewers(i);
          if (!v->Shown())
            continue;
          ++popupViewers;
          // One row: every shown button starts at the top of the popup.
          if (!v->IsLineBreak()) {
            EXPECT_EQ(v->BoundsRect.Top, popup->View()->Viewers(0)->BoundsRect.Top) << i;
          }
        }
        TRect r;
        GetWindowRect(popup->Handle(), &r);
        image.Width = r.Width();
        image.Height = r.Height();
        image.Pixels = display->ScreenImage(r);
      }
      PostMessage(capture, WM_NULL, 0, 0);
      ReleaseCapture();
      return true;
    });
    const TRect& r = chevron->BoundsRect;
    TPoint at = tools->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    display->MoveMouse(at.x, at.y);
    display->Press();
    THeadlessDisplay::PumpMessages();
    display->Release();
    THeadlessDisplay::PumpMessages();
    display->SetIdleScript(nullptr);
    ASSERT_GT(image.Width, 0) << "the chevron opened no popup";
    EXPECT_GE(popupViewers, 3);
    CheckGolden(image, "chevron-popup.png");
  }
  SetBuiltinFontOnly(false);
}

// The frames of dockable windows: docked with a double grip and the close
// box, and floating with its border, small caption and close box.
TEST(TBPaintGolden, DockedAndFloatingFrames)
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  {
    TDockFixture fixture;
    fixture.Form->SetBounds(100, 100, 400, 300);
    fixture.Form->Show();
    TTBDock* top = fixture.AddDock(dpTop, true);
    TFakeBar* docked = fixture.AddBar(top, 0, 0);
    docked->SetDragHandleStyle(dhDouble);
    docked->SetCloseButtonWhenDocked(true);
    TFakeBar* floating = fixture.AddBar(top, 0, 150);
    floating->SetText("Outils");
    floating->MakeFloating(true);
    floating->MoveFrameTo(TRect(200, 300, 200, 300));
    THeadlessDisplay::PumpMessages();
    auto shot = [display](TWinControl* Control) {
      TRect r;
      GetWindowRect(Control->Handle(), &r);
      TPixelImage image;
      image.Width = r.Width();
      image.Height = r.Height();
      image.Pixels = display->ScreenImage(r);
      return image;
    };
    CheckGolden(shot(docked), "frame-docked.png");
    ASSERT_TRUE(IsWindowVisible(floating->FloatFrame()->Handle()));
    CheckGolden(shot(floating->FloatFrame()), "frame-floating.png");
  }
  SetBuiltinFontOnly(false);
}
