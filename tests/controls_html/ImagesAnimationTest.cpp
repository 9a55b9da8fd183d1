#include <gtest/gtest.h>

#include <memory>

#include "ImageTestSupport.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/ImageLoading.h"
#include "platform/base/VirtualClock.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"

using namespace image_test;

namespace {

// A 2 x 2 animation written with giflib.
TBytes Animation(const std::vector<TFrameSpec>& Frames, int Loops)
{
  return GiflibAnimation(2, 2, Frames, Loops);
}

std::unique_ptr<TGIFImage> Open(const TBytes& Data, bool* Still = nullptr)
{
  TByteViewStream stream(Data.data(), Data.size());
  bool still = false;
  std::unique_ptr<TGIFImage> image(GifStreamToImage(still, &stream));
  if (Still)
    *Still = still;
  return image;
}

class ImagesAnimationTest : public ::testing::Test {
protected:
  void SetUp() override { EnableVirtualClock(); }
  void TearDown() override { DisableVirtualClock(); }

  // Steps until the animation stops (or a bound); answers the frames shown.
  std::vector<int> Play(TGIFImage& Image, int Steps)
  {
    std::vector<int> shown = {Image.CurrentFrame()};
    for (int i = 0; i < Steps && Image.Animate(); ++i) {
      AdvanceVirtualClock(1000);
      Image.StepAnimation(nullptr);
      if (Image.Animate())
        shown.push_back(Image.CurrentFrame());
    }
    return shown;
  }
};

}  // namespace

TEST_F(ImagesAnimationTest, IterationsFollowTheLoopCount)
{
  const std::vector<TFrameSpec> frames = {{10, -1, 1}, {10, -1, 2}};
  struct Case {
    int Loops;
    int Iterations;
    std::vector<int> Shown;
  } cases[] = {
      {-1, 1, {1, 2}},
      {2, 3, {1, 2, 1, 2, 1, 2}},
  };
  for (const Case& c : cases) {
    auto image = Open(Animation(frames, c.Loops));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->NumIterations(), c.Iterations);
    image->SetAnimate(true);
    EXPECT_EQ(Play(*image, 50), c.Shown) << c.Loops;
    EXPECT_EQ(image->CurrentFrame(), 2);  // stopped on the last frame
  }
  auto forever = Open(Animation(frames, 0));
  EXPECT_EQ(forever->NumIterations(), 0);
  forever->SetAnimate(true);
  EXPECT_EQ(Play(*forever, 40).size(), 41u);
  EXPECT_TRUE(forever->Animate());
}

TEST_F(ImagesAnimationTest, DelaysAndTheClock)
{
  auto image = Open(Animation({{0, -1, 1}, {1, -1, 2}, {10, -1, 3}}, 0));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Frames()->Items(0)->frDelay, 30);
  EXPECT_EQ(image->Frames()->Items(1)->frDelay, 30);
  EXPECT_EQ(image->Frames()->Items(2)->frDelay, 100);

  // A step comes only once the frame's delay has passed, also when the
  // millisecond clock wraps in between.
  SetVirtualTickCount(0xFFFFFFF0ull);
  image->SetAnimate(true);
  AdvanceVirtualClock(29);
  image->StepAnimation(nullptr);
  EXPECT_EQ(image->CurrentFrame(), 1);
  AdvanceVirtualClock(1);  // 0x1_0000000E: past the wrap
  image->StepAnimation(nullptr);
  EXPECT_EQ(image->CurrentFrame(), 2);
}

TEST_F(ImagesAnimationTest, CurrentFrameAndStillPictures)
{
  auto image = Open(Animation({{5, 0, 1}, {5, 0, 2}, {5, 0, 3}}, 0));
  ASSERT_NE(image, nullptr);
  image->SetCurrentFrame(0);
  EXPECT_EQ(image->CurrentFrame(), 3);
  image->SetCurrentFrame(4);
  EXPECT_EQ(image->CurrentFrame(), 1);
  EXPECT_EQ(image->LastDisposal(), 2);

  // The still bitmap shows the first frame, with its mask.
  image->SetCurrentFrame(3);
  TBitmap* still = image->StillBitmap();
  ASSERT_NE(still, nullptr);
  EXPECT_EQ(Pixels(still), (std::vector<std::uint32_t>{0x000000, 0xFF0000, 0xFF0000, 0xFF0000}));
  ASSERT_NE(image->StillMask(), nullptr);
  EXPECT_EQ(Pixels(image->StillMask()), (std::vector<std::uint32_t>{0xFFFFFF, 0, 0, 0}));

  bool stillFlag = false;
  auto single = Open(Animation({{5, -1, 2}}, -1), &stillFlag);
  ASSERT_NE(single, nullptr);
  EXPECT_TRUE(stillFlag);
  EXPECT_FALSE(single->IsAnimated());
  EXPECT_EQ(single->StillMask(), nullptr);
}

TEST_F(ImagesAnimationTest, DrawingLeavesTransparentPixelsAlone)
{
  auto image = Open(Animation({{5, 0, 1}, {5, 0, 3}}, 0));
  ASSERT_NE(image, nullptr);
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 4);
  target.Canvas()->Brush()->SetColor(TColor(RGB(9, 9, 9)));
  target.Canvas()->FillRect(TRect(0, 0, 4, 4));
  image->SetCurrentFrame(2);
  image->DrawFrame(target.Canvas(), 0, 0, 4, 4);  // stretched twice
  const auto px = Pixels(&target);
  EXPECT_EQ(px[0], 0x090909u);  // transparent top-left, scaled up
  EXPECT_EQ(px[5], 0x090909u);
  EXPECT_EQ(px[2], 0x0000FFu);
  EXPECT_EQ(px[15], 0x0000FFu);
  EXPECT_EQ(image->LastDrawRect(), TRect(0, 0, 4, 4));
}

TEST_F(ImagesAnimationTest, CopiesShareTheStripAndOutliveTheirSource)
{
  auto image = Open(Animation({{5, -1, 1}, {5, -1, 2}}, 0));
  ASSERT_NE(image, nullptr);
  image->SetCurrentFrame(2);
  auto copy = std::make_unique<TGIFImage>(image.get());
  EXPECT_TRUE(copy->IsCopy());
  EXPECT_EQ(copy->Strip(), image->Strip());
  EXPECT_EQ(copy->CurrentFrame(), 1);
  EXPECT_EQ(copy->Frames(), image->Frames());  // read-only: shared, not copied

  // The cache frees its entry (and the source image) while the copy still
  // shows it: the copy keeps drawing from the shared strip.
  TStringBitmapList cache;
  cache.AddObject(TStringBitmapList::Key("a.gif"), new TBitmapItem(image.release(), TGifMask, nullptr));
  cache.Clear();
  TBitmap target;
  target.SetSize(2, 2);
  copy->DrawFrame(target.Canvas(), 0, 0, 2, 2);
  EXPECT_EQ(Pixels(&target)[3], 0xFF0000u);
  copy->SetAnimate(true);  // reads the frame records the copy still shares
  copy->SetCurrentFrame(2);
  EXPECT_EQ(copy->Frames()->Count(), 2);
}
