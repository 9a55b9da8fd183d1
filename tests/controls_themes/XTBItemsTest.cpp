#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/themes/TBWNexus.h"
#include "controls/themes/XTBItems.h"
#include "controls/themes/XTBViewers.h"
#include "controls/themes/XTBWideText.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBMenuFont.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/menus/ShortCuts.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "MeasureCanvas.h"
#include "TBWTestTheme.h"

namespace {

class ExtendedItems : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    Themes = std::make_unique<TTestThemeScope>(std::initializer_list<const char*>{"Test"});
    TBitmap strip;
    strip.SetSize(16, 16);
    Images.SetImagesBitmap(&strip);
    Root.RegisterNotification(TTBItemChangedProc(this, &ExtendedItems::Changed));
  }
  void TearDown() override
  {
    Root.UnregisterNotification(TTBItemChangedProc(this, &ExtendedItems::Changed));
    Views.clear();
    Themes.reset();
    SetBuiltinFontOnly(false);
  }
  void Changed(TTBCustomItem*, bool, TTBItemChangedAction Action, int, TTBCustomItem*)
  {
    Notices.push_back(Action);
  }
  TTBView& View(bool Toolbar)
  {
    Views.push_back(std::make_unique<TTBView>(nullptr, nullptr, &Root, nullptr, Toolbar, false, false));
    return *Views.back();
  }
  template <class T = TXTBItem>
  T* Add(const WideString& Caption, int ImageIndex = -1)
  {
    auto* item = new T(nullptr);
    item->SetCaption(Caption);
    item->SetImageIndex(ImageIndex);
    Root.Add(item);
    return item;
  }
  TSize Measure(TTBView& V, TTBCustomItem* Item) { return Canvas.Item(V, Item); }
  TXTBItemViewer* Viewer(TTBView& V, TTBCustomItem* Item)
  {
    return dynamic_cast<TXTBItemViewer*>(V.FindViewerOfItem(Item));
  }

  std::unique_ptr<TTestThemeScope> Themes;
  TTBImageList Images{nullptr};
  TTBRootItem Root{nullptr};
  TMeasureCanvas Canvas;
  std::vector<std::unique_ptr<TTBView>> Views;
  std::vector<TTBItemChangedAction> Notices;
};

TEST_F(ExtendedItems, WideCaptionKeepsTheNarrowOneInStepAndNotifiesOnlyOnChange)
{
  TXTBItem* item = Add(u"Réseau ✓");
  EXPECT_EQ(item->TTBCustomItem::Caption(), "Réseau ✓");
  Notices.clear();
  item->SetCaption(u"Réseau ✓");
  EXPECT_TRUE(Notices.empty());
  item->SetCaption(u"Greffons");
  EXPECT_EQ(Notices, std::vector<TTBItemChangedAction>{tbicInvalidateAndResize});
  EXPECT_EQ(item->TTBCustomItem::Caption(), "Greffons");
  // The narrow caption written directly leaves the wide one alone.
  item->TTBCustomItem::SetCaption("Autre");
  EXPECT_EQ(item->Caption(), u"Greffons");
  // The hint goes to the narrow field without any notice.
  Notices.clear();
  item->SetHint(u"Aide|Longue");
  EXPECT_EQ(item->TTBCustomItem::Hint(), "Aide|Longue");
  EXPECT_TRUE(Notices.empty());
}

TEST_F(ExtendedItems, CustomSizesClampAndReplaceTheMeasuredSizeBeforeTheMinimum)
{
  TTBView& bar = View(true);
  TXTBItem* item = Add(u"Abc");
  item->SetCustomWidth(-5);
  EXPECT_EQ(item->CustomWidth(), -1);
  item->SetCustomHeight(-7);
  EXPECT_EQ(item->CustomHeight(), -1);
  const TSize natural = Measure(bar, item);
  EXPECT_GT(natural.cx, 0);
  item->SetCustomWidth(0);
  EXPECT_EQ(Measure(bar, item).cx, 0);
  item->SetMinWidth(12);
  item->SetCustomHeight(40);
  EXPECT_EQ(Measure(bar, item), TSize(12, 40));
}

TEST_F(ExtendedItems, WideCaptionIsMeasuredAsWideTextOnePixelLower)
{
  TTBView& bar = View(true);
  const WideString caption = u"Δοκιμή 試験";
  TXTBItem* item = Add(caption);
  TRect r(0, 1, 0, 0);
  DrawWideText(&Canvas.Canvas, caption, r, DT_CALCRECT);
  TPoint size;
  Viewer(bar, item)->MeasureCaption(&Canvas.Canvas, item->TTBCustomItem::Caption(), size, 0, false, 0);
  EXPECT_EQ(size, TPoint(r.Right, r.Bottom));
  EXPECT_EQ(size.y, Canvas.Metrics().tmHeight + 1);
  // An item without caption measures nothing.
  TXTBItem* empty = Add(u"");
  Viewer(bar, empty)->MeasureCaption(&Canvas.Canvas, "", size, 0, false, 0);
  EXPECT_EQ(size, TPoint(0, 0));
}

TEST_F(ExtendedItems, HintComesFromTheHintTheCaptionAndTheShortcut)
{
  TTBView& bar = View(true);
  TXTBItem* shortHint = Add(u"Ouvrir");
  shortHint->SetHint(u"Court|Long");
  TXTBItem* fromCaption = Add(u"Ouvrir");
  fromCaption->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
  auto* submenu = Add<TXTBSubmenuItem>(u"Réseaux");
  auto* split = Add<TXTBSubmenuItem>(u"Réseaux");
  split->SetDropdownCombo(true);
  const WideString shortcut = u" (" + SystemTextToWide(ShortCutToText(fromCaption->ShortCut())) + u")";
  struct {
    TTBCustomItem* Item;
    WideString Expected;
  } cases[] = {
      {shortHint, u"Court"},
      {fromCaption, u"Ouvrir" + shortcut},
      {submenu, u""},
      {split, u"Réseaux"},
  };
  for (auto& c : cases)
    EXPECT_EQ(Viewer(bar, c.Item)->HintText(), c.Expected) << c.Item->TTBCustomItem::Caption();
  Application()->SetHintShortCuts(false);
  EXPECT_EQ(Viewer(bar, fromCaption)->HintText(), u"Ouvrir");
  Application()->SetHintShortCuts(true);
}

// Writes the item's properties, reads them into a fresh item.
std::unique_ptr<TXTBItem> RoundTrip(TXTBItem& Item, TMemoryStream& Stream)
{
  TWriter writer(&Stream);
  writer.WriteProperties(&Item);
  Stream.SetPosition(0);
  auto copy = std::make_unique<TXTBItem>(nullptr);
  TReader reader(&Stream);
  reader.ReadProperties(copy.get());
  return copy;
}

TEST_F(ExtendedItems, CaptionAndHintStreamWideAndOlderNarrowStreamsLoad)
{
  TXTBItem item(nullptr);
  item.SetCaption(u"Réseau 日本\t\U0001F600");
  item.SetHint(u"Aide");
  TMemoryStream stream;
  auto copy = RoundTrip(item, stream);
  EXPECT_EQ(copy->Caption(), item.Caption());
  EXPECT_EQ(copy->Hint(), u"Aide");
  EXPECT_EQ(copy->TTBCustomItem::Caption(), item.TTBCustomItem::Caption());

  // Empty texts are not written at all.
  TXTBItem blank(nullptr);
  TMemoryStream empty;
  TWriter writer(&empty);
  writer.WriteProperties(&blank);
  EXPECT_EQ(empty.Size(), 1);  // the end marker only

  // A stream from before wide captions holds 8-bit text.
  TMemoryStream narrow;
  {
    TWriter w(&narrow);
    w.WriteStr("CaptionW");
    w.WriteString("Connexion");
    w.WriteListEnd();
  }
  narrow.SetPosition(0);
  TXTBItem loaded(nullptr);
  TReader reader(&narrow);
  reader.ReadProperties(&loaded);
  EXPECT_EQ(loaded.Caption(), u"Connexion");
}

TEST_F(ExtendedItems, AttachedControlIsToggledByAClickAndMirroredInTheCheck)
{
  auto* control = new TControl(nullptr);
  TXTBItem* item = Add(u"Console");
  item->SetControl(control);
  EXPECT_TRUE(item->Checked());
  item->Click();
  EXPECT_FALSE(control->Visible());
  item->RefreshFromAction();
  EXPECT_FALSE(item->Checked());
  // A control freed is forgotten.
  delete control;
  EXPECT_EQ(item->Control(), nullptr);
  item->Click();
}

// Theme calls and item events in the order they happened.
class ExtendedItemPainting : public ExtendedItems {
protected:
  void OnItem(TObject*, TCanvas*, TRect, const TTBWItemInfo& Info, TXTBPaintStage Stage, bool& PaintDefault)
  {
    EXPECT_TRUE(PaintDefault);
    Log(std::string(Stage == pstPrePaint ? "pre" : "post") + "Item" + std::to_string(Info.ComboPart));
    if (Stage == pstPrePaint && Info.ComboPart == SkipPart)
      PaintDefault = false;
  }
  void OnCaption(TObject*, TCanvas*, TRect, WideString& Caption, TRect& Rect, bool, TXTBPaintStage Stage,
                 bool& PaintDefault)
  {
    EXPECT_TRUE(PaintDefault);
    Log(std::string(Stage == pstPrePaint ? "pre" : "post") + "Caption");
    Captions.push_back(Caption);
    CaptionRects.push_back(Rect);
  }
  void OnImage(TObject*, TCanvas*, const TTBWItemInfo&, TXTBPaintStage Stage, TCustomImageList*&, int& Index,
               TRect&, bool& PaintDefault)
  {
    EXPECT_TRUE(PaintDefault);
    Log(std::string(Stage == pstPrePaint ? "pre" : "post") + "Image" + std::to_string(Index));
  }
  void Log(const std::string& Event)
  {
    TThemeCall call;
    call.Op = Event;
    TTestTheme::Calls().push_back(call);
  }
  void Hook(TXTBCustomItem* Item)
  {
    Item->OnDrawItem = TXTBDrawItemEvent(this, &ExtendedItemPainting::OnItem);
    Item->OnDrawCaption = TXTBDrawTextEvent(this, &ExtendedItemPainting::OnCaption);
    Item->OnDrawImage = TXTBDrawImageEvent(this, &ExtendedItemPainting::OnImage);
  }
  std::vector<std::string> Paint(TTBView& V, TTBCustomItem* Item, const TRect& R)
  {
    TTestTheme::Calls().clear();
    V.FindViewerOfItem(Item)->Paint(&Canvas.Canvas, R, false, false, false);
    return TTestTheme::Ops();
  }
  int SkipPart = -1;
  std::vector<WideString> Captions;
  std::vector<TRect> CaptionRects;
};

TEST_F(ExtendedItemPainting, EventsBracketEachThemeCallAndCanSuppressIt)
{
  Root.SetSubMenuImages(&Images);
  TTBView& bar = View(true);
  auto* split = Add<TXTBSubmenuItem>(u"Réseau", 0);
  split->SetDropdownCombo(true);
  Hook(split);
  SkipPart = CP_SPLITRIGHT;
  const std::vector<std::string> expected{"preItem2",   "ItemFrame",   "postItem2", "preItem3",
                                          "postItem3",  "preCaption",  "postCaption", "preImage0",
                                          "ItemImage",  "postImage0"};
  EXPECT_EQ(Paint(bar, split, TRect(0, 0, 80, 22)), expected);
  // The viewer drew the wide caption itself: the theme's 8-bit caption
  // routine was not called.
  ASSERT_EQ(Captions.size(), 2u);
  EXPECT_EQ(Captions[0], u"Réseau");
}

TEST_F(ExtendedItemPainting, MenuItemShortcutGoesThroughTheCaptionEventsToo)
{
  TTBView& menu = View(false);
  TXTBItem* item = Add(u"Ouvrir\tCtrl+O");
  Hook(item);
  const std::vector<std::string> expected{"preItem0",   "MenuItemFrame", "postItem0",  "preCaption",
                                          "postCaption", "preCaption",   "postCaption"};
  EXPECT_EQ(Paint(menu, item, TRect(0, 0, 150, 20)), expected);
  EXPECT_EQ(Captions, (std::vector<WideString>{u"Ouvrir", u"Ouvrir", u"Ctrl+O", u"Ctrl+O"}));
}

TEST_F(ExtendedItemPainting, ToolbarCaptionIsPlacedByItsAlignment)
{
  TTBView& bar = View(true);
  TXTBItem* item = Add(u"Abc");
  Hook(item);
  TPoint text;
  Viewer(bar, item)->MeasureCaption(&Canvas.Canvas, "Abc", text, 0, false, 0);
  // The text area is the item less 2 on each side: 2..98 across, 2..28 down.
  const int top = 2 + (26 - text.y) / 2;
  struct {
    TAlignment Alignment;
    int Left;
  } cases[] = {{taLeftJustify, 2 + 3}, {taRightJustify, 98 - 3 - text.x}, {taCenter, 2 + (96 - text.x) / 2}};
  for (auto& c : cases) {
    item->SetAlignment(c.Alignment);
    CaptionRects.clear();
    Paint(bar, item, TRect(0, 0, 100, 30));
    ASSERT_FALSE(CaptionRects.empty());
    EXPECT_EQ(CaptionRects[0], TRect(c.Left, top, c.Left + text.x, top + text.y)) << int(c.Alignment);
  }
}

}  // namespace
