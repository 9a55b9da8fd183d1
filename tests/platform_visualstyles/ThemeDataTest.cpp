// What a theme handle answers: checked handles, the parts a class has, and
// answers about a part (region, transparency, colours, margins, sizes) that
// agree with the pixels it draws.
#include <cstdlib>

#include "ThemedElements.h"
#include "VisualStylesTestSupport.h"

namespace {

class TThemeDataTest : public TVisualStylesTest {};

// The pixels a part changes: drawn once on black and once on white, a pixel
// that differs between the two is one the part left alone.
struct TDrawnPixels {
  TDrawnPixels(HTHEME theme, int part, int state, const RECT& rect, const RECT* clip = nullptr)
      : OnBlack(Size, Size, RGB(0, 0, 0)), OnWhite(Size, Size, RGB(255, 255, 255))
  {
    Result = DrawThemeBackground(theme, OnBlack.DC, part, state, &rect, clip);
    DrawThemeBackground(theme, OnWhite.DC, part, state, &rect, clip);
  }
  bool Touched(int x, int y) const { return OnBlack.At(x, y) == OnWhite.At(x, y); }
  static constexpr int Size = 48;
  TDrawFixture OnBlack;
  TDrawFixture OnWhite;
  HRESULT Result;
};

TEST_F(TThemeDataTest, AClosedOrForeignHandleIsRefusedAndDrawsNothing)
{
  HTHEME theme = Open(u"BUTTON");
  ASSERT_EQ(CloseThemeData(theme), S_OK);
  EXPECT_EQ(CloseThemeData(theme), E_HANDLE);
  TDrawFixture canvas(20, 20);
  const RECT rect{0, 0, 20, 20};
  EXPECT_EQ(DrawThemeBackground(theme, canvas.DC, BP_PUSHBUTTON, PBS_NORMAL, &rect, nullptr), E_HANDLE);
  EXPECT_EQ(DrawThemeBackground(reinterpret_cast<HTHEME>(std::uintptr_t(0x1234)), canvas.DC, 1, 1, &rect, nullptr),
            E_HANDLE);
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
  COLORREF color = 0;
  EXPECT_EQ(GetThemeColor(theme, 0, 0, TMT_FILLCOLOR, &color), E_HANDLE);
  EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(theme, BP_CHECKBOX, 1));
}

TEST_F(TThemeDataTest, ClassListsTakeTheFirstKnownClassAndUnknownPartsAndStatesAreRefused)
{
  EXPECT_EQ(OpenThemeData(nullptr, u"NOSUCHCLASS"), nullptr);
  HTHEME theme = OpenThemeData(nullptr, u"NoSuchClass; toolbar");
  ASSERT_NE(theme, nullptr);
  EXPECT_TRUE(IsThemePartDefined(theme, TP_SPLITBUTTONDROPDOWN, 0));
  EXPECT_FALSE(IsThemePartDefined(theme, 7, 0));
  TDrawFixture canvas(20, 20);
  const RECT rect{0, 0, 20, 20};
  EXPECT_EQ(DrawThemeBackground(theme, canvas.DC, 7, 1, &rect, nullptr), E_INVALIDARG);
  EXPECT_EQ(DrawThemeBackground(theme, canvas.DC, TP_BUTTON, 7, &rect, nullptr), E_INVALIDARG);
  EXPECT_EQ(DrawThemeBackground(theme, canvas.DC, TP_BUTTON, TS_HOT, nullptr, nullptr), E_POINTER);
  CloseThemeData(theme);
}

TEST_F(TThemeDataTest, AWindowsThemeIsTheLastOneOpenedForItAndStillOpen)
{
  HWND window = reinterpret_cast<HWND>(std::uintptr_t(0x5000));  // only a key: the window is not asked
  HTHEME first = OpenThemeData(window, u"BUTTON");
  HTHEME second = OpenThemeData(window, u"HEADER");
  EXPECT_EQ(GetWindowTheme(window), second);
  CloseThemeData(second);
  EXPECT_EQ(GetWindowTheme(window), first);
  CloseThemeData(first);
  EXPECT_EQ(GetWindowTheme(window), nullptr);
}

TEST_F(TThemeDataTest, EveryPartDrawsOnlyInsideItsRegionAndFillsItUnlessPartlyTransparent)
{
  const RECT rect{4, 6, 44, 30};
  for (const auto& cls : ThemedClasses()) {
    HTHEME theme = Open(cls.Name);
    for (const auto& part : cls.Parts)
      for (int state = part.FirstState; state <= part.LastState; ++state) {
        SCOPED_TRACE(std::string(cls.FileName) + " part " + std::to_string(part.Part) + " state " +
                     std::to_string(state));
        TDrawnPixels drawn(theme, part.Part, state, rect);
        ASSERT_EQ(drawn.Result, S_OK);
        HRGN region = nullptr;
        ASSERT_EQ(GetThemeBackgroundRegion(theme, drawn.OnBlack.DC, part.Part, state, &rect, &region), S_OK);
        const bool partly = IsThemeBackgroundPartiallyTransparent(theme, part.Part, state);
        int outside = 0, untouchedInside = 0;
        for (int y = 0; y < TDrawnPixels::Size; ++y)
          for (int x = 0; x < TDrawnPixels::Size; ++x) {
            const bool inside = PtInRegion(region, x, y);
            if (!inside && drawn.Touched(x, y))
              ++outside;
            if (inside && !drawn.Touched(x, y))
              ++untouchedInside;
          }
        DeleteObject(region);
        EXPECT_EQ(outside, 0);
        if (!partly) {
          EXPECT_EQ(untouchedInside, 0);
        }
      }
    CloseThemeData(theme);
  }
}

TEST_F(TThemeDataTest, TheClipRectangleBoundsTheDrawing)
{
  HTHEME theme = Open(u"BUTTON");
  const RECT rect{4, 4, 44, 30};
  const RECT clip{10, 0, 20, 48};
  TDrawnPixels drawn(theme, BP_PUSHBUTTON, PBS_HOT, rect, &clip);
  for (int y = 0; y < TDrawnPixels::Size; ++y)
    for (int x = 0; x < TDrawnPixels::Size; ++x)
      EXPECT_EQ(drawn.Touched(x, y), x >= 10 && x < 20 && y >= 4 && y < 30) << x << "," << y;
  CloseThemeData(theme);
}

TEST_F(TThemeDataTest, ColoursAreThoseTheThemeDraws)
{
  HTHEME toolbar = Open(u"TOOLBAR");
  COLORREF fill = 0, text = 0;
  ASSERT_EQ(GetThemeColor(toolbar, 0, 0, TMT_FILLCOLOR, &fill), S_OK);
  ASSERT_EQ(GetThemeColor(toolbar, TP_BUTTON, TS_NORMAL, TMT_TEXTCOLOR, &text), S_OK);
  EXPECT_EQ(GetThemeColor(toolbar, 0, 0, 3804, &fill), E_PROP_ID_UNSUPPORTED);

  TDrawFixture canvas(40, 20);
  const RECT rect{0, 0, 40, 20};
  DrawThemeBackground(toolbar, canvas.DC, 0, 0, &rect, nullptr);
  EXPECT_EQ(canvas.At(20, 10), fill);
  DrawThemeText(toolbar, canvas.DC, TP_BUTTON, TS_NORMAL, u"H", 1, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &rect);
  int textPixels = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      textPixels += canvas.At(x, y) == text;
  EXPECT_GT(textPixels, 5);
  CloseThemeData(toolbar);
}

// Brightness as the themes compare it.
int Brightness(COLORREF c) { return (76 * GetRValue(c) + 150 * GetGValue(c) + 30 * GetBValue(c)) / 256; }

TEST_F(TThemeDataTest, DarkSystemColoursGiveDarkPartsUnderLightText)
{
  // Controls write in the system's text colours on the theme's faces, so the
  // faces follow the system colours from light to dark and back.
  HTHEME toolbar = Open(u"TOOLBAR");
  for (TSysColorScheme scheme : {TSysColorScheme::Dark, TSysColorScheme::Classic}) {
    SelectSysColorScheme(scheme);
    const bool dark = scheme == TSysColorScheme::Dark;
    COLORREF fill = 0, hot = 0, text = 0;
    ASSERT_EQ(GetThemeColor(toolbar, 0, 0, TMT_FILLCOLOR, &fill), S_OK);
    ASSERT_EQ(GetThemeColor(toolbar, TP_BUTTON, TS_HOT, TMT_FILLCOLOR, &hot), S_OK);
    ASSERT_EQ(GetThemeColor(toolbar, TP_BUTTON, TS_NORMAL, TMT_TEXTCOLOR, &text), S_OK);
    const int systemText = Brightness(GetSysColor(COLOR_BTNTEXT));
    for (COLORREF face : {fill, hot}) {
      EXPECT_EQ(Brightness(face) < 128, dark) << int(scheme);
      EXPECT_GT(std::abs(Brightness(face) - systemText), 100) << int(scheme);
    }
    EXPECT_EQ(Brightness(text) > 128, dark) << int(scheme);
    TDrawFixture canvas(20, 20);
    const RECT rect{0, 0, 20, 20};
    DrawThemeBackground(toolbar, canvas.DC, TP_BUTTON, TS_HOT, &rect, nullptr);
    EXPECT_EQ(canvas.At(10, 10), hot) << int(scheme);
  }
  CloseThemeData(toolbar);
}

TEST_F(TThemeDataTest, CaptionMarginsAndContentRectangleAgree)
{
  HTHEME toolbar = Open(u"TOOLBAR");
  MARGINS margins;
  ASSERT_EQ(GetThemeMargins(toolbar, nullptr, TP_BUTTON, TS_HOT, TMT_CAPTIONMARGINS, nullptr, &margins), S_OK);
  const RECT box{0, 0, 100, 100};
  RECT content;
  ASSERT_EQ(GetThemeBackgroundContentRect(toolbar, nullptr, TP_BUTTON, TS_HOT, &box, &content), S_OK);
  EXPECT_EQ(content, (RECT{margins.cxLeftWidth, margins.cyTopHeight, 100 - margins.cxRightWidth,
                           100 - margins.cyBottomHeight}));
  EXPECT_EQ(GetThemeMargins(toolbar, nullptr, TP_BUTTON, TS_HOT, TMT_FILLCOLOR, nullptr, &margins),
            E_PROP_ID_UNSUPPORTED);
  CloseThemeData(toolbar);
}

TEST_F(TThemeDataTest, FixedSizePartsDrawAtTheirTrueSize)
{
  HTHEME button = Open(u"BUTTON");
  SIZE size;
  ASSERT_EQ(GetThemePartSize(button, nullptr, BP_CHECKBOX, CBS_CHECKEDNORMAL, nullptr, TS_TRUE, &size), S_OK);
  EXPECT_EQ(size, (SIZE{13, 13}));
  const RECT rect{0, 0, 40, 40};
  TDrawnPixels drawn(button, BP_CHECKBOX, CBS_CHECKEDNORMAL, rect);
  int left = 48, right = -1;
  for (int y = 0; y < TDrawnPixels::Size; ++y)
    for (int x = 0; x < TDrawnPixels::Size; ++x)
      if (drawn.Touched(x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_EQ(right - left + 1, size.cx);
  CloseThemeData(button);
}

}  // namespace
