// Dragging an image-list image over a window or the screen: it shows at the
// position less its hot spot, hides and shows again on demand, and every
// pixel under it comes back exactly as it moves, hides and ends.
#include "WindowTestSupport.h"

#include "platform/win/gdi/gdi.h"

namespace {

constexpr uint32_t kImage = 0xF03010;  // the dragged image's colour
constexpr int kSize = 16;

class ImageListDragTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    // A 16 x 16 image, transparent in its top-left 4 x 4 corner.
    List = ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP image = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    Fill(dc, TRect(0, 0, kSize, kSize), RGB(0xF0, 0x30, 0x10));
    Fill(dc, TRect(0, 0, 4, 4), RGB(255, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(List, image, RGB(255, 0, 255));
    DeleteObject(image);
  }

  void TearDown() override
  {
    ImageList_EndDrag();
    ImageList_Destroy(List);
    TWindowFixture::TearDown();
  }

  // A shown borderless popup whose every pixel differs from its neighbours,
  // so that a pixel put back in the wrong place shows.
  HWND Patterned(int x, int y, int w, int h)
  {
    return Painted(x, y, w, h, 0, [](HDC dc, const TRect& r) {
      for (int py = 0; py < r.Bottom; ++py)
        for (int px = 0; px < r.Right; ++px)
          SetPixel(dc, px, py, RGB(px * 5, py * 7, (px + py) * 3));
    });
  }

  HIMAGELIST List = nullptr;
};

// Where the drag is drawn, and how a test reads it back.
struct TTarget {
  const char* Name;
  bool Screen;  // DragEnter with no window: screen coordinates
};

TEST_F(ImageListDragTest, TheImageMovesAcrossAWindowOrTheScreenAndLeavesNoTrace)
{
  const TRect windowRect(100, 100, 260, 220);
  HWND w = Patterned(windowRect.Left, windowRect.Top, windowRect.Width(), windowRect.Height());
  const TRect screenArea(0, 0, 400, 400);
  for (TTarget target : {TTarget{"window", false}, TTarget{"screen", true}}) {
    SCOPED_TRACE(target.Name);
    // What the target shows, in its own coordinates, rows top-down.
    const TRect area = target.Screen ? screenArea : TRect(0, 0, windowRect.Width(), windowRect.Height());
    auto snapshot = [&] {
      if (target.Screen)
        return Display->ScreenImage(area);
      std::vector<uint32_t> all;
      for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
          all.push_back(Display->Pixel(w, x, y));
      return all;
    };
    const std::vector<uint32_t> before = snapshot();
    // Every pixel outside the image at `at` is as it was; inside, the image
    // shows except in its transparent corner.
    auto expectImageAt = [&](TPoint at) {
      const std::vector<uint32_t> now = snapshot();
      int wrong = 0;
      std::size_t i = 0;
      for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x, ++i) {
          int ix = x - at.x, iy = y - at.y;
          bool inImage = ix >= 0 && iy >= 0 && ix < kSize && iy < kSize && !(ix < 4 && iy < 4);
          if (now[i] != (inImage ? kImage : before[i]))
            ++wrong;
        }
      EXPECT_EQ(wrong, 0) << "image at " << at.x << ", " << at.y;
    };

    ASSERT_TRUE(ImageList_BeginDrag(List, 0, 5, 7));
    // The path crosses the window's edge and, on the screen, the desktop.
    const TPoint path[] = {{40, 50}, {43, 52}, {60, 50}, {62, 70}, {5, 3}, {150, 110}, {158, 115}};
    HWND lock = target.Screen ? nullptr : w;
    ASSERT_TRUE(ImageList_DragEnter(lock, path[0].x, path[0].y));
    for (TPoint p : path) {
      ASSERT_TRUE(ImageList_DragMove(p.x, p.y));
      expectImageAt(TPoint(p.x - 5, p.y - 7));
    }
    // Hidden, it moves unseen; shown again, it is where the mouse went.
    ASSERT_TRUE(ImageList_DragShowNolock(FALSE));
    EXPECT_TRUE(snapshot() == before) << "hidden";
    ImageList_DragMove(80, 90);
    EXPECT_TRUE(snapshot() == before) << "moved while hidden";
    ASSERT_TRUE(ImageList_DragShowNolock(TRUE));
    expectImageAt(TPoint(75, 83));
    ASSERT_TRUE(ImageList_DragLeave(lock));
    EXPECT_TRUE(snapshot() == before) << "left";
    ASSERT_TRUE(ImageList_DragEnter(lock, 30, 30));
    expectImageAt(TPoint(25, 23));
    ImageList_EndDrag();
    EXPECT_TRUE(snapshot() == before) << "ended";
  }
}

TEST_F(ImageListDragTest, TheDragKeepsItsOwnCopyOfTheImage)
{
  HWND w = Patterned(100, 100, 100, 100);
  ASSERT_TRUE(ImageList_BeginDrag(List, 0, 0, 0));
  ImageList_Destroy(List);
  List = ImageList_Create(kSize, kSize, ILC_COLOR24, 1, 1);
  ASSERT_TRUE(ImageList_DragEnter(w, 10, 10));
  EXPECT_EQ(Display->Pixel(w, 20, 20), kImage);
  ImageList_EndDrag();
  EXPECT_EQ(Display->Pixel(w, 20, 20), 0x648C78u) << "the window's own pixel (100, 140, 120)";
}

TEST_F(ImageListDragTest, CallsWithoutADragOrWithABadImageFail)
{
  EXPECT_FALSE(ImageList_DragEnter(nullptr, 10, 10));
  EXPECT_FALSE(ImageList_DragMove(10, 10));
  EXPECT_FALSE(ImageList_DragShowNolock(TRUE));
  EXPECT_FALSE(ImageList_BeginDrag(List, 1, 0, 0));
  EXPECT_FALSE(ImageList_BeginDrag(nullptr, 0, 0, 0));
  ASSERT_TRUE(ImageList_BeginDrag(List, 0, 0, 0));
  EXPECT_FALSE(ImageList_DragShowNolock(TRUE)) << "not entered yet";
  HWND gone = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  DestroyWindow(gone);
  EXPECT_FALSE(ImageList_DragEnter(gone, 10, 10));
}

}  // namespace
