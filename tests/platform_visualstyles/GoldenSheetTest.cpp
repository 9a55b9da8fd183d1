// One golden sheet per class: a row per part, a cell per state, drawn by the
// module on a white canvas, with a caption on the parts that carry one.
#include <algorithm>

#include "ThemedElements.h"
#include "VisualStylesTestSupport.h"
#include "tests/support/GoldenImage.h"

namespace {

constexpr int LabelWidth = 24;
constexpr int CellWidth = 44;
constexpr int CellHeight = 22;
constexpr int Gap = 4;

class TGoldenSheetTest : public TVisualStylesTest, public ::testing::WithParamInterface<TThemedClass> {};

TEST_P(TGoldenSheetTest, EveryPartAndStateDrawsAsTheGoldenSheet)
{
  const TThemedClass& cls = GetParam();
  int columns = 1;
  for (const auto& part : cls.Parts)
    columns = std::max(columns, part.LastState - part.FirstState + 1);
  const int width = LabelWidth + columns * (CellWidth + Gap) + Gap;
  const int height = int(cls.Parts.size()) * (CellHeight + Gap) + Gap;
  TDrawFixture canvas(width, height);
  HTHEME theme = Open(cls.Name);
  ASSERT_NE(theme, nullptr);
  SetBkMode(canvas.DC, TRANSPARENT);

  int y = Gap;
  for (const auto& part : cls.Parts) {
    const std::string label = std::to_string(part.Part);
    TextOutA(canvas.DC, 4, y + 4, label.c_str(), int(label.size()));
    int x = LabelWidth + Gap;
    for (int state = part.FirstState; state <= part.LastState; ++state) {
      const RECT cell{x, y, x + CellWidth, y + CellHeight};
      EXPECT_EQ(DrawThemeBackground(theme, canvas.DC, part.Part, state, &cell, nullptr), S_OK)
          << "part " << part.Part << " state " << state;
      if (part.WithText) {
        RECT content{};
        ASSERT_EQ(GetThemeBackgroundContentRect(theme, canvas.DC, part.Part, state, &cell, &content), S_OK);
        EXPECT_EQ(DrawThemeText(theme, canvas.DC, part.Part, state, u"Ab", 2, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                0, &content),
                  S_OK);
      }
      x += CellWidth + Gap;
    }
    y += CellHeight + Gap;
  }
  CloseThemeData(theme);

  std::string message;
  EXPECT_TRUE(MatchesGolden(CaptureDC(canvas.DC),
                            std::string(VISUALSTYLES_GOLDEN_DIR) + "/vs-" + cls.FileName + ".png", &message))
      << message;
}

INSTANTIATE_TEST_SUITE_P(Classes, TGoldenSheetTest, ::testing::ValuesIn(ThemedClasses()),
                         [](const auto& info) { return std::string(info.param.FileName); });

}  // namespace
