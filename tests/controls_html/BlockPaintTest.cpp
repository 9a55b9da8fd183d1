// What blocks paint besides their text: tiled and placed background
// pictures, relatively positioned boxes, and state images that follow the
// mouse.
#include <gtest/gtest.h>

#include <filesystem>

#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/paint/BackgroundTiles.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"

namespace {

namespace fs = std::filesystem;

TEST(BlockPaintTest, FirstTileOffsetOnOneAxis)
{
  struct {
    TBackgroundPosKind Kind;
    int Value;
    bool Repeat;
    int Box, Tile, Offset;
  } Cases[] = {
      {bpLeft, 0, false, 100, 30, 0},      {bpTop, 0, true, 100, 30, 0},
      {bpCenter, 0, false, 100, 30, 35},   {bpCenter, 0, true, 100, 30, -25},
      {bpRight, 0, false, 100, 30, 70},    {bpBottom, 0, true, 100, 30, -20},
      {bpPercent, 50, false, 100, 30, 35}, {bpPercent, 100, false, 100, 30, 70},
      {bpLength, 12, false, 100, 30, 12},  {bpLength, 12, true, 100, 30, -18},
      {bpLength, 130, false, 100, 30, 100}, {bpLength, -50, false, 100, 30, -30},
      {bpCenter, 0, false, 10, 30, -10},   {bpPercent, 2000000000, false, 100, 30, 100},
  };
  for (const auto& C : Cases) {
    TBackgroundPosition P;
    P.Kind = C.Kind;
    P.Value = C.Value;
    P.Repeat = C.Repeat;
    EXPECT_EQ(FirstTileOffset(P, C.Box, C.Tile), C.Offset)
        << int(C.Kind) << " " << C.Value << " " << C.Repeat << " " << C.Box << " " << C.Tile;
  }
}

TPictureFolder Pictures()
{
  return {"corvane-block-backgrounds", {{"red4.png", 4, 4, 0xFF0000u}, {"thin.png", 1, 3, 0xFF0000u}}};
}

// A 40 x 20 green box (no margins) with the given background declarations;
// the picture at a fixed place of the page.
struct TBoxPage {
  std::unique_ptr<TSectionList> Doc;
  TRendered R;
  TRect Padding{};
  TBoxPage(const TPictureFolder& F, const std::string& Background)
  {
    Doc = MakeDocument();
    F.AllowIn(*Doc);
    ParseHtmlIntoSections("<BODY><DIV style=\"width:40px; height:20px; background-color:#00FF00; " + Background +
                              "\"></DIV>",
                          *Doc);
    R = Render(*Doc, 200, 100);
    TBlock* B = BodyBlocks(*Doc).at(0);
    Padding = {B->ContentLeft, B->ContentTop, B->ContentLeft + B->NewWidth, B->ContentBot};
  }
  // The red pixels of the box, as a count and their bounds.
  int RedCount(TRect& Bounds) const
  {
    int N = 0;
    Bounds = {9999, 9999, -1, -1};
    for (int Y = Padding.Top; Y < Padding.Bottom; ++Y)
      for (int X = Padding.Left; X < Padding.Right; ++X)
        if (At(R.Picture, X, Y) == 0xFF0000u) {
          ++N;
          Bounds = {std::min(Bounds.Left, X), std::min(Bounds.Top, Y), std::max(Bounds.Right, X + 1),
                    std::max(Bounds.Bottom, Y + 1)};
        }
    return N;
  }
};

TEST(BlockPaintTest, BackgroundPictureIsPlacedAndRepeatedInThePaddingBox)
{
  const TPictureFolder F = Pictures();
  struct {
    const char* Style;
    int Count;
    int Left, Top, Right, Bottom;  // relative to the padding box
  } Cases[] = {
      {"background-image:url(red4.png)", 40 * 20, 0, 0, 40, 20},
      {"background-image:url(red4.png); background-repeat:no-repeat", 16, 0, 0, 4, 4},
      {"background-image:url(red4.png); background-repeat:no-repeat; background-position:right bottom", 16, 36, 16,
       40, 20},
      {"background-image:url(red4.png); background-repeat:no-repeat; background-position:center", 16, 18, 8, 22, 12},
      {"background-image:url(red4.png); background-repeat:repeat-x; background-position:0 50%", 40 * 4, 0, 8, 40, 12},
      {"background-image:url(red4.png); background-repeat:repeat-y; background-position:10px 0", 4 * 20, 10, 0, 14, 20},
      // One pixel wide: stretched across the box, three rows per tile.
      {"background-image:url(thin.png); background-repeat:no-repeat", 40 * 3, 0, 0, 40, 3},
  };
  for (const auto& C : Cases) {
    TBoxPage Page(F, C.Style);
    TRect Red;
    EXPECT_EQ(Page.RedCount(Red), C.Count) << C.Style;
    EXPECT_EQ(Red.Left - Page.Padding.Left, C.Left) << C.Style;
    EXPECT_EQ(Red.Top - Page.Padding.Top, C.Top) << C.Style;
    EXPECT_EQ(Red.Right - Page.Padding.Left, C.Right) << C.Style;
    EXPECT_EQ(Red.Bottom - Page.Padding.Top, C.Bottom) << C.Style;
    // Nothing outside the box.
    EXPECT_EQ(At(Page.R.Picture, Page.Padding.Right, Page.Padding.Top), 0xFFFFFFu) << C.Style;
  }
}

TEST(BlockPaintTest, MissingBackgroundPictureIsDroppedAndTheBoxStillPaints)
{
  const TPictureFolder F = Pictures();
  TBoxPage Page(F, "background-image:url(nothing.png)");
  EXPECT_EQ(BodyBlocks(*Page.Doc).at(0)->BGImage(), nullptr);
  EXPECT_EQ(At(Page.R.Picture, Page.Padding.Left + 5, Page.Padding.Top + 5), 0x00FF00u);
}

TEST(BlockPaintTest, BodyBackgroundPictureGoesToTheDocument)
{
  const TPictureFolder F = Pictures();
  for (const char* Source : {"red4.png", "nothing.png"}) {
    auto Doc = MakeDocument();
    F.AllowIn(*Doc);
    ParseHtmlIntoSections(std::string("<BODY style=\"background-image:url(") + Source +
                              "); background-position:right top; background-repeat:no-repeat\">x",
                          *Doc);
    EXPECT_EQ(Doc->BackgroundImage, Source);
    EXPECT_EQ(Doc->BackgroundPos.X.Kind, bpRight);
    EXPECT_FALSE(Doc->BackgroundPos.Y.Repeat);
    TImageObj* Picture = Doc->BackgroundPicture();
    if (std::string(Source) == "red4.png") {
      ASSERT_NE(Picture, nullptr);
      EXPECT_EQ(Picture->ImageWidth, 4);
    } else {
      EXPECT_EQ(Picture, nullptr) << "a picture that cannot be had is no background";
    }
  }
}

// The first pixel of a colour in reading order.
bool FirstPixel(const TPixelImage& P, std::uint32_t Colour, int& X, int& Y)
{
  for (Y = 0; Y < P.Height; ++Y)
    for (X = 0; X < P.Width; ++X)
      if (At(P, X, Y) == Colour)
        return true;
  return false;
}

TEST(BlockPaintTest, RelativeBoxPaintsItsBoxAndTextShiftedOnce)
{
  int BoxX[2], BoxY[2], TextX[2], TextY[2];
  int I = 0;
  for (const char* Shift : {"", "position:relative; left:7px; top:5px;"}) {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(std::string("<BODY><DIV style=\"") + Shift +
                              "width:60px; background-color:#00FF00; color:#0000FF\">Ab</DIV>",
                          *Doc);
    const TRendered R = Render(*Doc, 200, 80);
    ASSERT_TRUE(FirstPixel(R.Picture, 0x00FF00u, BoxX[I], BoxY[I])) << Shift;
    ASSERT_TRUE(FirstPixel(R.Picture, 0x0000FFu, TextX[I], TextY[I])) << Shift;
    ++I;
  }
  EXPECT_EQ(BoxX[1] - BoxX[0], 7);
  EXPECT_EQ(BoxY[1] - BoxY[0], 5);
  EXPECT_EQ(TextX[1] - TextX[0], 7);
  EXPECT_EQ(TextY[1] - TextY[0], 5);
}

TEST(BlockPaintTest, ATitledBoxAnswersTheMouseWhereItsBorderIsPainted)
{
  // Shifted down, the bottom of the box lies below where the flow left it;
  // shifted up, its top lies above.
  for (const char* Shift : {"", "position:relative; left:7px; top:5px;", "position:relative; left:-4px; top:-3px;"}) {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(std::string("<BODY><DIV title=\"Bulle\" style=\"") + Shift +
                              "width:60px; height:30px; padding:6px; border:2px solid #FF0000\">Ab</DIV>",
                          *Doc);
    const TRendered R = Render(*Doc, 200, 80);
    int Left = 0, Top = 0;
    ASSERT_TRUE(FirstPixel(R.Picture, 0xFF0000u, Left, Top)) << Shift;
    const int Right = Left + 2 + 6 + 60 + 6 + 2, Bottom = Top + 2 + 6 + 30 + 6 + 2;  // past the border
    const std::pair<int, int> Inside[] = {{Left, Top}, {Right - 1, Bottom - 1}, {Left + 3, Bottom - 4}};
    for (auto [X, Y] : Inside) {
      THitLink Hit;
      EXPECT_TRUE(Doc->HitLink(X, Y, Hit)) << Shift << " at " << X << "," << Y;
      EXPECT_EQ(Hit.Title, "Bulle") << Shift;
    }
    const std::pair<int, int> Outside[] = {{Left - 1, Top}, {Right, Top + 3}, {Left + 3, Bottom}};
    for (auto [X, Y] : Outside) {
      THitLink Hit;
      EXPECT_FALSE(Doc->HitLink(X, Y, Hit)) << Shift << " at " << X << "," << Y;
    }
  }
}

TEST(BlockPaintTest, StateImagesFollowTheMouse)
{
  // smiley00 has 2 frames, smiley01 3 and smiley04 6.
  struct {
    const char* File;
    int Hovered;  // the frame while hovered; 0: animating
  } Cases[] = {{"smiley00.gif", 2}, {"smiley01.gif", 2}, {"smiley04.gif", 0}};
  for (const auto& C : Cases) {
    auto Doc = MakeDocument();
    Doc->OnExpandName = nullptr;
    ParseHtmlIntoSections(std::string("<BODY>x <IMG ACTIVE SRC=\"") + SmileyDir + "/" + C.File + "\"> y", *Doc);
    Render(*Doc, 300, 60);
    auto* Text = dynamic_cast<TSection*>(dynamic_cast<TBlock*>(Doc->Sections.front().get())->MyCell->Sections.front().get());
    ASSERT_NE(Text, nullptr);
    TImageObj& Image = *Text->Images.Items.at(0);
    auto* Gif = dynamic_cast<TGIFImage*>(Image.Image);
    ASSERT_NE(Gif, nullptr) << C.File;
    EXPECT_FALSE(Gif->Animate()) << C.File << ": a state image stands still";
    EXPECT_TRUE(Doc->AnimList.empty()) << C.File;

    THitLink Hit;
    Doc->LinkAtPoint(Image.DrawX + 2, Image.DrawY + 2, Hit);
    ASSERT_EQ(Doc->HoverImage, &Image) << C.File;
    if (C.Hovered) {
      EXPECT_EQ(Gif->CurrentFrame(), C.Hovered) << C.File;
      Doc->MouseButton(true);
      EXPECT_EQ(Gif->CurrentFrame(), Gif->NumFrames() == 3 ? 3 : 2) << C.File << " pressed";
      Doc->MouseButton(false);
      EXPECT_EQ(Gif->CurrentFrame(), 2) << C.File << " released";
    } else {
      EXPECT_TRUE(Gif->Animate()) << C.File;
      EXPECT_EQ(Doc->AnimList.size(), 1u) << C.File;
      Gif->SetCurrentFrame(4);
    }
    Doc->LinkAtPoint(0, 0, Hit);  // the mouse leaves it
    EXPECT_EQ(Doc->HoverImage, nullptr);
    EXPECT_FALSE(Gif->Animate()) << C.File;
    EXPECT_TRUE(Doc->AnimList.empty()) << C.File;
    if (C.Hovered) {
      EXPECT_EQ(Gif->CurrentFrame(), 1) << C.File;
    }
  }
}

// A long body is painted near its clip only, by runs of its sections: what
// a paint shows through any band of any scroll position is what the whole
// page painted at once shows there, also where a float from far above
// reaches down into the band, and where z-indexes reorder the content.
TEST(BlockPaintTest, ALongBodyPaintsInEveryBandWhatTheWholePageShows)
{
  const char* Heads[] = {
      "",
      // A block painted far below its place in the flow, over the runs after it.
      "<DIV style=\"position:relative; top:900px; background-color:#FF0000\">loin</DIV>",
      // Content reordered by z-index, painted whole.
      "<DIV style=\"position:relative; z-index:-1; background-color:#0000FF\">sous</DIV><DIV style=\"float:right; width:20px; height:700px; background-color:#00FF00\"></DIV>",
  };
  for (const char* Head : Heads) {
    std::string Page = std::string("<BODY>") + Head;
    for (int I = 0; I < 90; ++I)
      Page += "<DIV>message " + std::to_string(I) + "</DIV>";
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(Page, *Doc);
    const TRendered Whole = Render(*Doc, 200);
    ASSERT_GT(Whole.Height, 1000) << Head;
    const int W = 200, H = 120;
    for (int YOff = 0; YOff + H <= Whole.Height; YOff += 173)
      for (const TRect& Band : {TRect{0, 0, W, H}, TRect{0, 37, W, 61}, TRect{0, H - 5, W, H}}) {
        Doc->YOff = YOff;
        const TPixelImage Shown = PaintOnWhite(*Doc, W, H, Band);
        int Wrong = 0;
        for (int Y = Band.Top; Y < Band.Bottom; ++Y)
          for (int X = 0; X < W; ++X)
            Wrong += At(Shown, X, Y) != At(Whole.Picture, X, Y + YOff);
        EXPECT_EQ(Wrong, 0) << Head << " at " << YOff << " band " << Band.Top << ".." << Band.Bottom;
      }
  }
}

}  // namespace
