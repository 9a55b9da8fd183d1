#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "DrawFixture.h"
#include "tests/support/GoldenImage.h"

TEST(Screenshot, PngRoundTripAndGoldenMismatchLeavesTheFailedPicture)
{
  TDrawFixture f(5, 4, RGB(10, 20, 30));
  SetPixel(f.DC, 4, 3, RGB(250, 0, 7));
  TPixelImage shot = CaptureDC(f.DC);
  ASSERT_EQ(shot.Width, 5);
  EXPECT_EQ(shot.Pixels[19], 0xFA0007u);
  auto dir = std::filesystem::temp_directory_path() / ("corvane-shot-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string golden = (dir / "scene.png").string();
  ASSERT_TRUE(WritePng(golden, shot));
  TPixelImage back;
  ASSERT_TRUE(ReadPng(golden, back));
  EXPECT_EQ(back, shot);
  EXPECT_TRUE(MatchesGolden(CaptureBitmap(f.Bitmap()), golden));
  SetPixel(f.DC, 1, 2, RGB(0, 0, 0));
  std::string message;
  EXPECT_FALSE(MatchesGolden(CaptureDC(f.DC), golden, &message));
  EXPECT_NE(message.find("(1, 2)"), std::string::npos) << message;
  TPixelImage failed;
  ASSERT_TRUE(ReadPng((dir / "scene-FAILED.png").string(), failed));
  EXPECT_EQ(failed.Pixels[2 * 5 + 1], 0u);
  EXPECT_FALSE(ReadPng((dir / "absent.png").string(), back));
  std::filesystem::remove_all(dir);
}
