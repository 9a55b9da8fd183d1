#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "controls/themes/TBWShadows.h"
#include "controls/themes/TBWStockObjects.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/SysColors.h"

namespace {

constexpr COLORREF BackgroundColor = RGB(200, 120, 40);
constexpr COLORREF PopupColor = RGB(255, 255, 255);
const TRect PopupBounds{100, 100, 200, 160};

HWND SolidWindow(const char* className, COLORREF color, const TRect& bounds)
{
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = className;
  wc.hbrBackground = CreateSolidBrush(color);
  RegisterClass(&wc);
  HWND hwnd = CreateWindowEx(0, className, "", WS_POPUP, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                             nullptr, nullptr, nullptr, nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return hwnd;
}

// A screen pixel (0x00RRGGBB) of a colour darkened by a pixel of alpha A under
// a window of the given opacity.
uint32_t Darkened(COLORREF color, int alpha, int opacity)
{
  const double keep = 1.0 - (alpha / 255.0) * (opacity / 255.0);
  auto channel = [&](int c) { return uint32_t(c * keep + 0.5); };
  return channel(GetRValue(color)) << 16 | channel(GetGValue(color)) << 8 | channel(GetBValue(color));
}

bool Near(uint32_t a, uint32_t b)
{
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 1)
      return false;
  return true;
}

class ShadowWindows : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    SelectSysColorScheme(TSysColorScheme::Classic);
    BindOptionalFunctions();
  }
  void TearDown() override
  {
    DestroyWindow(Popup);
    DestroyWindow(Background);
    Display->SetLayeredWindowsSupported(true);
    BindOptionalFunctions();
    THeadlessDisplay::PumpMessages();
  }
  // A background window, a popup over it, and the popup's shadow shown.
  std::unique_ptr<TShadows> ShadowAPopup()
  {
    Background = SolidWindow("TShadowTestBackground", BackgroundColor, TRect{0, 0, 400, 300});
    Popup = SolidWindow("TShadowTestPopup", PopupColor, PopupBounds);
    THeadlessDisplay::PumpMessages();
    auto shadows = std::make_unique<TShadows>(TRect(), PopupBounds, 4, 61, false);
    shadows->Show(Popup);
    THeadlessDisplay::PumpMessages();
    return shadows;
  }
  // Every pixel of the piece on screen is the background darkened by the
  // piece's alpha at the piece's opacity.
  void ExpectDarkened(const TShadowPiece& piece, int opacity)
  {
    const int w = piece.Bounds.Width(), h = piece.Bounds.Height();
    std::vector<uint32_t> alpha(size_t(w * h));
    FillShadowAlpha(alpha.data(), w, h, piece.Vertical, piece.Edges);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t seen = Display->ScreenPixel(piece.Bounds.Left + x, piece.Bounds.Top + y);
        const uint32_t expected = Darkened(BackgroundColor, int(alpha[size_t(y * w + x)] >> 24), opacity);
        ASSERT_TRUE(Near(seen, expected)) << "at (" << x << ", " << y << ") saw " << std::hex << seen
                                          << " expected " << expected;
      }
  }

  THeadlessDisplay* Display = nullptr;
  HWND Background = nullptr, Popup = nullptr;
};

struct TShadowCase {
  const char* Name;
  bool Composes;
  bool HaveAlphaBlend;
  TShadowStyle Style;
};

class ShadowRendering : public ShadowWindows, public ::testing::WithParamInterface<TShadowCase> {};

TEST_P(ShadowRendering, ThePopupCastsItsShadowOnTheScreen)
{
  const TShadowCase c = GetParam();
  Display->SetLayeredWindowsSupported(c.Composes);
  if (!c.HaveAlphaBlend)
    OptionalFunctions().AlphaBlend = nullptr;
  const auto shadows = ShadowAPopup();

  const TShadowPieces expected = CutShadow(TRect(), PopupBounds, 4);
  for (int i = 0; i < 6; ++i) {
    TShadow* piece = shadows->Piece(i);
    ASSERT_EQ(piece != nullptr, expected[size_t(i)].has_value()) << i;
    if (!piece)
      continue;
    EXPECT_EQ(piece->Style(), c.Style);
    EXPECT_EQ((GetWindowLong(piece->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0, c.Style == TShadowStyle::Layered);
    EXPECT_TRUE(piece->SaveBits());
    EXPECT_TRUE(IsWindowVisible(piece->Handle()));
    if (c.Style == TShadowStyle::Solid) {
      const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
      EXPECT_EQ(Display->ScreenPixel(expected[size_t(i)]->Bounds.Left, expected[size_t(i)]->Bounds.Bottom - 1),
                uint32_t(GetRValue(shadow)) << 16 | GetGValue(shadow) << 8 | GetBValue(shadow));
    } else {
      ExpectDarkened(*expected[size_t(i)], 61);
    }
  }
  // The popup itself stays on top of its shadow; the background beyond it is untouched.
  EXPECT_EQ(Display->ScreenPixel(PopupBounds.Right - 1, PopupBounds.Bottom - 1), 0xFFFFFFu);
  EXPECT_EQ(Display->ScreenPixel(PopupBounds.Right + 4, PopupBounds.Bottom + 4), 0xC87828u);
}

INSTANTIATE_TEST_SUITE_P(, ShadowRendering,
                         ::testing::Values(TShadowCase{"Composed", true, true, TShadowStyle::Layered},
                                           TShadowCase{"NotComposed", false, true, TShadowStyle::Blended},
                                           TShadowCase{"NotComposedNoAlphaBlend", false, false, TShadowStyle::Solid}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ShadowWindows, PiecesSitJustUnderThePopupAndLetTheMousePass)
{
  const auto shadows = ShadowAPopup();
  TShadow* v1 = shadows->Piece(ShadowV1);
  TShadow* h1 = shadows->Piece(ShadowH1);
  ASSERT_TRUE(v1 && h1);
  // Each piece went right after the popup; the later one ends up nearest.
  EXPECT_EQ(GetWindow(Popup, GW_HWNDNEXT), h1->Handle());
  EXPECT_EQ(GetWindow(h1->Handle(), GW_HWNDNEXT), v1->Handle());
  EXPECT_EQ(WindowFromPoint(TPoint(PopupBounds.Right + 1, PopupBounds.Top + 20)), Background);
  EXPECT_EQ(WindowFromPoint(TPoint(PopupBounds.Left + 20, PopupBounds.Bottom + 1)), Background);
  const DWORD style = DWORD(GetWindowLong(v1->Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_TRUE(GetWindowLong(v1->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

}  // namespace
