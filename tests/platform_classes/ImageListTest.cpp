#include <gtest/gtest.h>

#include <vector>

#include "platform/base/MemoryStream.h"
#include "platform/classes/actions/ActionList.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/ImageList.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/gdi/ImageList.h"

namespace {

// A 4 x 4 image: fuchsia (transparent) around a black 2 x 2 square.
void MakeSquare(TBitmap& b)
{
  b.SetPixelFormat(pf24bit);
  b.SetSize(4, 4);
  b.Canvas()->Brush()->SetColor(clFuchsia);
  b.Canvas()->FillRect(TRect(0, 0, 4, 4));
  b.Canvas()->Brush()->SetColor(clBlack);
  b.Canvas()->FillRect(TRect(1, 1, 3, 3));
}

struct TListener {
  int Changes = 0;
  TChangeLink* Victim = nullptr;  // freed by the first change it hears
  void Changed(TObject*)
  {
    ++Changes;
    delete Victim;
    Victim = nullptr;
  }
};

TBitmap* ScreenBitmap(int w, int h, TColor color)
{
  auto* screen = new TBitmap;
  screen->SetPixelFormat(pf32bit);
  screen->SetSize(w, h);
  screen->Canvas()->Brush()->SetColor(color);
  screen->Canvas()->FillRect(TRect(0, 0, w, h));
  return screen;
}

}  // namespace

TEST(ImageListTest, ChangeLinksHearEachChangeOnceAndOutliveTheList)
{
  auto* list = new TImageList(nullptr, 4, 4);
  TListener a, b;
  auto* linkA = new TChangeLink;
  auto* linkB = new TChangeLink;
  linkA->OnChange = TNotifyEvent(&a, &TListener::Changed);
  linkB->OnChange = TNotifyEvent(&b, &TListener::Changed);
  list->RegisterChanges(linkA);
  list->RegisterChanges(linkB);
  TBitmap square;
  MakeSquare(square);
  list->AddMasked(&square, clFuchsia);
  EXPECT_EQ(a.Changes, 1);
  EXPECT_EQ(b.Changes, 1);

  list->BeginUpdate();
  list->AddMasked(&square, clFuchsia);
  list->Add(&square, nullptr);
  list->EndUpdate();
  EXPECT_EQ(a.Changes, 2);
  EXPECT_EQ(b.Changes, 2);
  EXPECT_EQ(list->Count(), 3);

  // A handler that frees another link during the change: that link is skipped.
  a.Victim = linkB;
  list->Delete(0);
  EXPECT_EQ(a.Changes, 3);
  EXPECT_EQ(b.Changes, 2);

  delete list;  // the surviving link must forget it
  EXPECT_EQ(linkA->Sender(), nullptr);
  delete linkA;
}

TEST(ImageListTest, MaskedDrawingAndTheDisabledLook)
{
  TImageList list(nullptr, 4, 4);
  TBitmap square;
  MakeSquare(square);
  ASSERT_EQ(list.AddMasked(&square, clFuchsia), 0);

  std::unique_ptr<TBitmap> screen(ScreenBitmap(6, 6, clWhite));
  list.Draw(screen->Canvas(), 1, 1, 0);
  EXPECT_EQ(screen->Canvas()->Pixels(1, 1), clWhite);
  EXPECT_EQ(screen->Canvas()->Pixels(2, 2), clBlack);
  EXPECT_EQ(screen->Canvas()->Pixels(3, 3), clBlack);

  // Disabled: the dark pixels in the highlight colour one pixel down and
  // right, then in the shadow colour in place; nothing of the image's own colour.
  std::unique_ptr<TBitmap> greyed(ScreenBitmap(6, 6, clWhite));
  list.Draw(greyed->Canvas(), 1, 1, 0, false);
  TColor shadow = TColor(ColorToRGB(clBtnShadow)), highlight = TColor(ColorToRGB(clBtnHighlight));
  EXPECT_EQ(greyed->Canvas()->Pixels(2, 2), shadow);
  EXPECT_EQ(greyed->Canvas()->Pixels(3, 3), shadow);
  EXPECT_EQ(greyed->Canvas()->Pixels(4, 4), highlight);
  EXPECT_EQ(greyed->Canvas()->Pixels(1, 1), clWhite);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_NE(greyed->Canvas()->Pixels(x, y), clBlack) << x << "," << y;
}

TEST(ImageListTest, ImagesComeBackAsBitmapsAndThroughStreams)
{
  TImageList list(nullptr, 4, 4);
  TBitmap square;
  MakeSquare(square);
  list.AddMasked(&square, clFuchsia);
  list.SetBkColor(clYellow);

  TBitmap image;
  EXPECT_TRUE(list.GetBitmap(0, &image));
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Canvas()->Pixels(0, 0), clYellow);
  EXPECT_EQ(image.Canvas()->Pixels(1, 2), clBlack);
  EXPECT_FALSE(list.GetBitmap(1, &image));

  TMemoryStream stream;
  TWriter writer(&stream);
  list.WriteState(&writer);
  stream.SetPosition(0);
  TImageList copy(nullptr);
  TReader reader(&stream);
  copy.ReadState(&reader);
  EXPECT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Width(), 4);
  std::unique_ptr<TBitmap> screen(ScreenBitmap(4, 4, clWhite));
  copy.SetBkColor(clNone);
  copy.Draw(screen->Canvas(), 0, 0, 0);
  EXPECT_EQ(screen->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(screen->Canvas()->Pixels(2, 1), clBlack);
}

TEST(ImageListTest, IndexErrorsAndResizing)
{
  TImageList list(nullptr, 4, 4);
  TBitmap square;
  MakeSquare(square);
  list.Add(&square, nullptr);
  try {
    list.Delete(1);
    FAIL() << "index past the end accepted";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Index de liste d'images incorrect");
  }
  EXPECT_THROW(list.Replace(3, &square, nullptr), EInvalidOperation);
  TListener listener;
  TChangeLink link;
  link.OnChange = TNotifyEvent(&listener, &TListener::Changed);
  list.RegisterChanges(&link);
  list.SetWidth(8);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(listener.Changes, 1);
  list.Clear();
  EXPECT_EQ(listener.Changes, 2);
}

TEST(ImageListTest, HandlesAreTakenOverOrShared)
{
  HIMAGELIST pack = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 4, 4);
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(16, 8);
  ImageList_Add(pack, strip.Handle(), nullptr);
  {
    TImageList list(nullptr);
    TListener listener;
    TChangeLink link;
    link.OnChange = TNotifyEvent(&listener, &TListener::Changed);
    list.RegisterChanges(&link);
    list.SetShareImages(true);
    list.SetHandle(pack);
    EXPECT_EQ(listener.Changes, 1);
    EXPECT_EQ(list.Width(), 8);
    EXPECT_EQ(list.Count(), 2);
  }
  EXPECT_EQ(ImageList_GetImageCount(pack), 2);  // shared: still there
  {
    TImageList owner(nullptr);
    owner.SetHandle(pack);
  }
  int cx = 0, cy = 0;
  EXPECT_FALSE(ImageList_GetIconSize(pack, &cx, &cy));  // taken over: freed with the list
}

TEST(ImageListTest, ActionListsAndMenusFollowTheImageListTheyShow)
{
  auto* first = new TImageList(nullptr, 4, 4);
  auto* second = new TImageList(nullptr, 4, 4);
  TActionList actions(nullptr);
  TPopupMenu menu(nullptr);
  int actionChanges = 0, menuChanges = 0;
  struct TCounter {
    int* Count;
    void Changed(TObject*) { ++*Count; }
    void MenuChanged(TObject*, TMenuItem*, bool) { ++*Count; }
  } actionCounter{&actionChanges}, menuCounter{&menuChanges};
  actions.OnChange = TNotifyEvent(&actionCounter, &TCounter::Changed);
  menu.OnChange = TMenuChangeEvent(&menuCounter, &TCounter::MenuChanged);

  actions.SetImages(first);
  menu.SetImages(first);
  EXPECT_EQ(actionChanges, 1);
  EXPECT_EQ(menuChanges, 1);
  actions.SetImages(first);  // the same list again: nothing to tell
  menu.SetImages(first);
  EXPECT_EQ(actionChanges, 1);
  EXPECT_EQ(menuChanges, 1);
  first->Change();
  EXPECT_EQ(actionChanges, 2);
  EXPECT_EQ(menuChanges, 2);

  // Moved to the second list, they no longer hear the first.
  actions.SetImages(second);
  menu.SetImages(second);
  first->Change();
  EXPECT_EQ(actionChanges, 3);
  EXPECT_EQ(menuChanges, 3);
  second->Change();
  EXPECT_EQ(actionChanges, 4);
  EXPECT_EQ(menuChanges, 4);

  // Freeing the list they show clears their property.
  delete second;
  EXPECT_EQ(actions.Images(), nullptr);
  EXPECT_EQ(menu.Images(), nullptr);
  delete first;
}
