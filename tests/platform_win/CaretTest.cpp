#include "WindowTestSupport.h"
#include "platform/win/gdi/SysColors.h"

namespace {

class CaretTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    THeadlessDisplay::UseVirtualClock();
  }
};

TEST_F(CaretTest, TheCaretInvertsItsRectangleBlinksAndSurvivesPainting)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
  Pump();
  const uint32_t background = Display->Pixel(w, 5, 5);
  const uint32_t inverted = ~background & 0xFFFFFF;
  ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
  EXPECT_EQ(Display->Pixel(w, 0, 0), background);  // created hidden
  SetCaretPos(5, 5);
  ShowCaret(w);
  EXPECT_EQ(Display->Pixel(w, 6, 14), inverted);
  EXPECT_EQ(Display->Pixel(w, 7, 5), background);  // two pixels wide
  THeadlessDisplay::Advance(GetCaretBlinkTime());
  Pump();
  EXPECT_EQ(Display->Pixel(w, 5, 5), background);  // blinked off
  THeadlessDisplay::Advance(GetCaretBlinkTime());
  Pump();
  EXPECT_EQ(Display->Pixel(w, 5, 5), inverted);
  // Repainting the window under it leaves the caret whole.
  InvalidateRect(w, nullptr, TRUE);
  Pump();
  EXPECT_EQ(Display->Pixel(w, 5, 5), inverted);
  // Hiding nests.
  HideCaret(w);
  HideCaret(w);
  ShowCaret(w);
  EXPECT_EQ(Display->Pixel(w, 5, 5), background);
  ShowCaret(w);
  EXPECT_EQ(Display->Pixel(w, 5, 5), inverted);
  SetCaretPos(20, 5);
  EXPECT_EQ(Display->Pixel(w, 5, 5), background);
  EXPECT_EQ(Display->Pixel(w, 20, 5), inverted);
  TPoint p;
  ASSERT_TRUE(GetCaretPos(&p));
  EXPECT_EQ(p, TPoint(20, 5));
  ASSERT_TRUE(DestroyCaret());
  EXPECT_EQ(Display->Pixel(w, 20, 5), background);
  EXPECT_FALSE(DestroyCaret());
  EXPECT_FALSE(ShowCaret(w));
}

}  // namespace
