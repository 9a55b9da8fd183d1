// The popup menu component and the toolbar image lists.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupMenu.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

int VisiblePopupWindows()
{
  int n = 0;
  EnumWindows(
      [](HWND hwnd, LPARAM p) {
        if (IsWindowVisible(hwnd) && dynamic_cast<TTBPopupWindow*>(FindControl(hwnd)))
          ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

class TBPopupMenuTest : public ::testing::Test {
public:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Menu.OnPopup = TNotifyEvent(this, &TBPopupMenuTest::Popped);
    for (const char* caption : {"&One", "&Two"}) {
      auto* item = new TTBItem(nullptr);
      item->SetCaption(caption);
      Menu.Items()->Add(item);
    }
    Linked.SetCaption("&Network");
    for (const char* caption : {"&Connect", "&Disconnect", "&Status"}) {
      auto* item = new TTBItem(nullptr);
      item->SetCaption(caption);
      Linked.Add(item);
    }
    // Look at what is shown, then close the menu with Escape.
    Display->SetIdleScript([this] {
      if (HWND capture = GetCapture(); capture && !Closing) {
        Closing = true;
        EnumWindows(
            [](HWND hwnd, LPARAM p) {
              if (auto* w = dynamic_cast<TTBPopupWindow*>(FindControl(hwnd)); w && IsWindowVisible(hwnd)) {
                auto* self = reinterpret_cast<TBPopupMenuTest*>(p);
                for (int i = 0; i < w->View()->ViewerCount(); ++i)
                  self->Shown.push_back(w->View()->Viewers(i)->Item()->Caption());
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        // Keys reach the loop from whichever window has the focus; a press
        // far away ends the menu just as well without one.
        Display->MoveMouse(900, 700);
        Display->Press();
        return true;
      }
      return false;
    });
  }

  void TearDown() override
  {
    Display->SetIdleScript(nullptr);
    THeadlessDisplay::PumpMessages();
  }

  void Popped(TObject* Sender)
  {
    EXPECT_EQ(Sender, &Menu);
    EXPECT_EQ(VisiblePopupWindows(), 0) << "OnPopup ran after the window was shown";
    PointAtPopup = Menu.PopupPoint();
    ++PopupCount;
  }

  void Open(TPoint At = TPoint(100, 100))
  {
    Closing = false;
    Shown.clear();
    Menu.Popup(At.x, At.y);
    Display->Release();
    THeadlessDisplay::PumpMessages();
  }

  THeadlessDisplay* Display = nullptr;
  TTBPopupMenu Menu{nullptr};
  TTBSubmenuItem Linked{nullptr};
  int PopupCount = 0;
  TPoint PointAtPopup;
  bool Closing = false;
  std::vector<std::string> Shown;
};

// The menu records where it was opened before its popup event runs.
TEST_F(TBPopupMenuTest, OnPopupFiresOncePerOpeningBeforeTheWindowShows)
{
  Open();
  EXPECT_EQ(PopupCount, 1);
  EXPECT_EQ(Shown, (std::vector<std::string>{"&One", "&Two"}));
  EXPECT_EQ(PointAtPopup, TPoint(100, 100));
  Open(TPoint(140, 60));
  EXPECT_EQ(PopupCount, 2);
  EXPECT_EQ(PointAtPopup, TPoint(140, 60));
  EXPECT_EQ(Menu.PopupPoint(), TPoint(140, 60));
  EXPECT_EQ(VisiblePopupWindows(), 0);
}

TEST_F(TBPopupMenuTest, LinkSubitemsShowsTheLinkedChildrenUntilCleared)
{
  Menu.SetLinkSubitems(&Linked);
  Open();
  EXPECT_EQ(Shown, (std::vector<std::string>{"&Connect", "&Disconnect", "&Status"}));
  EXPECT_EQ(PopupCount, 1);
  Menu.SetLinkSubitems(nullptr);
  Open();
  EXPECT_EQ(Shown, (std::vector<std::string>{"&One", "&Two"}));
}

TEST_F(TBPopupMenuTest, StreamedChildrenOfTheMenuAreTheRootItemsChildren)
{
  std::vector<TComponent*> children;
  struct TCollect {
    std::vector<TComponent*>* Into;
    void Add(TComponent* C) { Into->push_back(C); }
  } collect{&children};
  Menu.GetChildren(TGetChildProc(&collect, &TCollect::Add), nullptr);
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0], Menu.Items()->Items(0));
  auto* streamed = new TTBItem(nullptr);
  streamed->SetParentComponent(&Menu);
  EXPECT_EQ(streamed->Parent(), Menu.Items());
}

// Image lists: one 16 x 16 image of one colour per list.
void AddSolidImage(TCustomImageList& List, TColor Color)
{
  TBitmap bitmap;
  bitmap.SetSize(16, 16);
  bitmap.Canvas()->Brush()->SetColor(Color);
  bitmap.Canvas()->FillRect(TRect(0, 0, 16, 16));
  List.AddMasked(&bitmap, TColor(0x00FF00FF));
}

struct TColorStateCase {
  bool Enabled, Selected, Checked;
  bool OnlyHot;
  TColor Want;
};

constexpr TColor Main = 0x000000C0, Checked = 0x0000C000, Disabled = 0x00808080, Hot = 0x00C00000;

const TColorStateCase StateCases[] = {
    {false, true, true, false, Disabled}, {true, true, true, false, Checked}, {true, true, false, false, Hot},
    {true, false, false, false, Main},    {true, true, true, true, Hot},     {true, false, true, true, Main},
};

TEST(TBImageList, DrawImageStateTakesTheListTheStateAsksFor)
{
  THeadlessDisplay::Use();
  for (const TColorStateCase& c : StateCases) {
    SCOPED_TRACE(testing::Message() << "enabled " << c.Enabled << ", selected " << c.Selected << ", checked "
                                    << c.Checked << (c.OnlyHot ? ", only hot images" : ""));
    TTBImageList list(nullptr), checked(nullptr), disabled(nullptr), hot(nullptr);
    AddSolidImage(list, Main);
    AddSolidImage(checked, Checked);
    AddSolidImage(disabled, Disabled);
    AddSolidImage(hot, Hot);
    list.SetHotImages(&hot);
    if (!c.OnlyHot) {
      list.SetCheckedImages(&checked);
      list.SetDisabledImages(&disabled);
    }
    TBitmap target;
    target.SetSize(16, 16);
    list.DrawImageState(target.Canvas(), 0, 0, 0, c.Enabled, c.Selected, c.Checked);
    EXPECT_EQ(target.Canvas()->Pixels(8, 8), c.Want);
  }
}

TEST(TBImageList, StripIsCutIntoImagesWithTheMaskColourTransparent)
{
  THeadlessDisplay::Use();
  TTBImageList list(nullptr);
  TBitmap strip;
  strip.SetSize(64, 16);
  strip.Canvas()->Brush()->SetColor(TColor(0x00FF00FF));
  strip.Canvas()->FillRect(TRect(0, 0, 64, 16));
  strip.Canvas()->Brush()->SetColor(Hot);
  strip.Canvas()->FillRect(TRect(32, 0, 48, 8));  // the top half of image 2
  list.SetImagesBitmap(&strip);
  ASSERT_EQ(list.Count(), 4);
  TBitmap target;
  target.SetSize(16, 16);
  target.Canvas()->Brush()->SetColor(TColor(0x00FFFFFF));
  target.Canvas()->FillRect(TRect(0, 0, 16, 16));
  list.Draw(target.Canvas(), 0, 0, 2);
  EXPECT_EQ(target.Canvas()->Pixels(4, 4), Hot);
  EXPECT_EQ(target.Canvas()->Pixels(4, 12), TColor(0x00FFFFFF)) << "the mask colour was drawn";
}

TEST(TBImageList, CompanionSetToTheListItselfStaysEmpty)
{
  TTBImageList list(nullptr);
  list.SetCheckedImages(&list);
  EXPECT_EQ(list.CheckedImages(), nullptr);
}

}  // namespace

namespace {

TEST(TBImageList, FreeingACompanionListClearsItsReference)
{
  TTBImageList list(nullptr);
  auto* hot = new TTBImageList(nullptr);
  list.SetHotImages(hot);
  delete hot;
  EXPECT_EQ(list.HotImages(), nullptr);
}

}  // namespace
