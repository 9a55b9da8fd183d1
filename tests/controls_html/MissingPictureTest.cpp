// A picture that cannot be had keeps a sunken frame with the error picture
// and its alt text inside, and grows to hold them; with pictures switched
// off every picture shows the placeholder the same way.
#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/paint/ViewerResources.h"
#include "platform/base/Utf.h"
#include "platform/classes/graphics/Bitmap.h"

namespace {

std::vector<TImageObj*> Pictures(TSectionList& Doc)
{
  std::vector<TImageObj*> Out;
  for (TSection* S : AllOf<TSection>(Doc))
    for (auto& I : S->Images.Items)
      Out.push_back(I.get());
  return Out;
}

int AltWidth(TSectionList& Doc, const std::string& Alt)
{
  const std::u16string W = UTF8Decode(Alt);
  std::vector<int> Ext(W.size());
  Doc.Fonts.TextExtents(AltTextFont(Doc.Fonts), W.data(), int(W.size()), Ext.data());
  return Ext.back();
}

bool AnyPixel(const TPixelImage& P, const TRect& R, std::uint32_t Colour)
{
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X)
      if (At(P, X, Y) == Colour)
        return true;
  return false;
}

}  // namespace

TEST(MissingPictureTest, AMissingPictureGrowsToHoldItsAltText)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><IMG src=\"none.png\" alt=\"abcd\"> <IMG src=\"none.png\">"
                        " <IMG src=\"none.png\" alt=\"abcd\" width=20 height=20>"
                        " <IMG src=\"none.png\" alt=\"a much longer text\" height=60>",
                        *Doc);
  Render(*Doc, 600);
  const auto P = Pictures(*Doc);
  ASSERT_EQ(P.size(), 4u);
  for (TImageObj* I : P) {
    EXPECT_TRUE(I->Missing);
    EXPECT_EQ(I->Image, static_cast<TPersistent*>(ErrorBitmap()));
  }
  EXPECT_EQ(P[0]->ImageWidth, AltWidth(*Doc, "abcd") + 26);
  EXPECT_EQ(P[0]->ImageHeight, 24);
  // Without alt text the frame still holds the error picture: 26 by 24.
  EXPECT_EQ(P[1]->ImageWidth, 26);
  EXPECT_EQ(P[1]->ImageHeight, 24);
  // Both sizes given: kept as written.
  EXPECT_EQ(P[2]->ImageWidth, 20);
  EXPECT_EQ(P[2]->ImageHeight, 20);
  // One size alone is not taken: the frame is as for none.
  EXPECT_EQ(P[3]->ImageWidth, AltWidth(*Doc, "a much longer text") + 26);
  EXPECT_EQ(P[3]->ImageHeight, 24);
}

TEST(MissingPictureTest, TheFrameHoldsTheErrorPictureAndTheAltText)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><IMG src=\"none.png\" alt=\"Logo\"><BR>"
                        "<IMG src=\"none.png\" alt=\"Small\" width=20 height=20>",
                        *Doc);
  const TRendered R = Render(*Doc, 300);
  const auto P = Pictures(*Doc);
  ASSERT_EQ(P.size(), 2u);
  const TRect Box{P[0]->DrawX, P[0]->DrawY, P[0]->DrawX + P[0]->ImageWidth, P[0]->DrawY + P[0]->ImageHeight};
  // The sunken frame: grey on the left and top, silver (a white page) on the right and bottom.
  EXPECT_EQ(At(R.Picture, Box.Left, Box.Top + 10), 0x808080u);
  EXPECT_EQ(At(R.Picture, Box.Left + 10, Box.Top), 0x808080u);
  EXPECT_EQ(At(R.Picture, Box.Right - 1, Box.Top + 10), 0xC0C0C0u);
  EXPECT_EQ(At(R.Picture, Box.Left + 10, Box.Bottom - 1), 0xC0C0C0u);
  // The error picture 4 pixels in: its red cross.
  EXPECT_TRUE(AnyPixel(R.Picture, {Box.Left + 4, Box.Top + 4, Box.Left + 20, Box.Top + 20}, 0xDC1E1Eu));
  // The alt text in black from 24 pixels right of the left edge, inside the box.
  EXPECT_TRUE(AnyPixel(R.Picture, {Box.Left + 24, Box.Top + 1, Box.Right - 1, Box.Bottom - 1}, 0x000000u));
  EXPECT_FALSE(AnyPixel(R.Picture, {Box.Left + 21, Box.Top + 1, Box.Left + 24, Box.Bottom - 1}, 0x000000u));
  // Smaller than 24 by 24: the frame without the picture.
  const TRect Small{P[1]->DrawX, P[1]->DrawY, P[1]->DrawX + 20, P[1]->DrawY + 20};
  EXPECT_EQ(At(R.Picture, Small.Left, Small.Top + 5), 0x808080u);
  EXPECT_FALSE(AnyPixel(R.Picture, {Small.Left + 1, Small.Top + 1, Small.Right - 1, Small.Bottom - 1}, 0xDC1E1Eu));
}

TEST(MissingPictureTest, WithPicturesOffEveryPictureShowsThePlaceholder)
{
  TPictureFolder Folder("missing-off", {{"blue.png", 30, 30, 0x0000FF}});
  auto Doc = MakeDocument();
  Folder.AllowIn(*Doc);
  Doc->ShowImages = false;
  ParseHtmlIntoSections("<BODY><IMG src=\"blue.png\" alt=\"blue\">", *Doc);
  const TRendered R = Render(*Doc, 300);
  const auto P = Pictures(*Doc);
  ASSERT_EQ(P.size(), 1u);
  EXPECT_TRUE(P[0]->Missing);
  EXPECT_EQ(P[0]->Image, static_cast<TPersistent*>(DefBitmap()));
  EXPECT_EQ(Doc->DecodeCount, 0);  // the file was not read
  // The placeholder's sky, 4 pixels into the frame.
  const TRect Box{P[0]->DrawX, P[0]->DrawY, P[0]->DrawX + P[0]->ImageWidth, P[0]->DrawY + P[0]->ImageHeight};
  EXPECT_TRUE(AnyPixel(R.Picture, {Box.Left + 4, Box.Top + 4, Box.Left + 20, Box.Top + 20}, 0x96C8F0u));
  EXPECT_FALSE(AnyPixel(R.Picture, {0, 0, 300, R.Height}, 0x0000FFu));
}
