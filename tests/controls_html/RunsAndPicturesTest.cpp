// What font runs and pictures share so that a long conversation stays small:
// the document's pooled fonts (hover and visited states included), the
// sources of pictures, and the cache's GIF that a picture uses until it is
// first shown; and what they keep apart: each shown picture animates on its
// own, as from the time it was placed.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/PictureSource.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/SmallOwnerList.h"
#include "controls/html/images/BitmapCache.h"
#include "controls/html/images/GIFImage.h"
#include "platform/base/VirtualClock.h"

namespace {

// Counts the objects alive, to see that the list frees each exactly once.
struct TCountedRunObject {
  explicit TCountedRunObject(int AValue, int& ALive) : Value(AValue), Live(ALive) { ++Live; }
  ~TCountedRunObject() { --Live; }
  int Value;
  int& Live;
};

TEST(RunsAndPicturesTest, ASmallOwnerListKeepsOrderAndFreesEachObjectOnce)
{
  struct {
    int Count;          // objects pushed, 0, 1, ...
    int Erase;          // index erased (-1: none)
    bool Shrink;        // shrink_to_fit afterwards
  } Cases[] = {{0, -1, false}, {0, -1, true}, {1, -1, false}, {1, 0, false}, {1, 0, true},  {2, 0, true},
               {2, 1, true},   {3, 1, false}, {5, 4, true},   {5, 0, false}, {9, 3, true}, {2, -1, true}};
  for (const auto& Case : Cases) {
    int Live = 0;
    {
      TSmallOwnerList<TCountedRunObject> List;
      std::vector<int> Expected;
      for (int I = 0; I < Case.Count; ++I) {
        List.push_back(std::make_unique<TCountedRunObject>(I, Live));
        Expected.push_back(I);
      }
      if (Case.Erase >= 0) {
        auto Next = List.erase(List.begin() + Case.Erase);
        Expected.erase(Expected.begin() + Case.Erase);
        EXPECT_EQ(Next - List.begin(), Case.Erase);
      }
      if (Case.Shrink)
        List.shrink_to_fit();
      // Growing again after a shrink keeps what is there.
      List.push_back(std::make_unique<TCountedRunObject>(100, Live));
      Expected.push_back(100);
      ASSERT_EQ(List.size(), Expected.size()) << Case.Count << " " << Case.Erase;
      EXPECT_EQ(Live, int(Expected.size()));
      std::vector<int> Seen;
      for (const auto& Item : List)
        Seen.push_back(Item->Value);
      EXPECT_EQ(Seen, Expected) << Case.Count << " " << Case.Erase;
      EXPECT_EQ(List.front()->Value, Expected.front());
      EXPECT_EQ(List.back()->Value, 100);
      EXPECT_EQ(List.at(Expected.size() - 1)->Value, 100);
      EXPECT_THROW(List.at(Expected.size()), std::out_of_range);
    }
    EXPECT_EQ(Live, 0) << "every object freed once: " << Case.Count << " " << Case.Erase;
  }
  int Live = 0;
  TSmallOwnerList<TCountedRunObject> List;
  EXPECT_TRUE(List.empty());
  List.push_back(std::make_unique<TCountedRunObject>(1, Live));
  List.push_back(std::make_unique<TCountedRunObject>(2, Live));
  List.clear();
  EXPECT_TRUE(List.empty());
  EXPECT_EQ(Live, 0);
}

TEST(RunsAndPicturesTest, PictureSourcesShareOneTextPerSource)
{
  TPictureSource A("smileys/sourire.gif");
  TPictureSource B(std::string("smileys/sourire.gif"));
  TPictureSource C("smileys/clin.gif");
  EXPECT_EQ(&A.str(), &B.str());
  EXPECT_NE(&A.str(), &C.str());
  EXPECT_EQ(C.str(), "smileys/clin.gif");

  struct {
    const char* Before;
    const char* After;
  } Cases[] = {{"", "a.gif"}, {"a.gif", ""}, {"a.gif", "b.gif"}, {"a.gif", "a.gif"}};
  for (const auto& Case : Cases) {
    TPictureSource S(Case.Before);
    TPictureSource Copy(S);
    S = std::string(Case.After);
    EXPECT_EQ(S.str(), Case.After) << Case.Before << " -> " << Case.After;
    EXPECT_EQ(S.empty(), std::string(Case.After).empty());
    EXPECT_EQ(Copy.str(), Case.Before) << "a copy keeps its text";
    Copy = S;
    EXPECT_EQ(Copy.str(), Case.After);
  }
  // The last user of a text let it go: a new user of the same text gets it whole.
  {
    TPictureSource Once("gone.gif");
  }
  TPictureSource Again("gone.gif");
  EXPECT_EQ(Again.str(), "gone.gif");
  const std::string& AsString = Again;
  EXPECT_EQ(AsString, "gone.gif");
}

TEST(RunsAndPicturesTest, PictureAttributesReadBackAndPlainPicturesHoldNone)
{
  struct {
    const char* Markup;
    const char* Alt;
    const char* Title;
    const char* MapName;
    bool UseMap;
  } Cases[] = {
      {"<IMG SRC=\"x.gif\">", "", "", "", false},
      {"<IMG SRC=\"x.gif\" ALT=\"un sourire\">", "un sourire", "un sourire", "", false},
      {"<IMG SRC=\"x.gif\" ALT=\"a\" TITLE=\"t\">", "a", "t", "", false},
      {"<IMG SRC=\"x.gif\" TITLE=\"t\">", "", "t", "", false},
      {"<IMG SRC=\"x.gif\" USEMAP=\"#carte\">", "", "", "CARTE", true},
      {"<IMG SRC=\" x.gif \" TITLE=\"t\" USEMAP=\"m\">", "", "t", "M", true},
  };
  for (const auto& Case : Cases) {
    auto Doc = MakeDocument();
    Doc->ShowImages = false;
    ParseHtmlIntoSections(std::string("<BODY>") + Case.Markup, *Doc);
    TImageObj* Image = nullptr;
    for (TSection* S : AllOf<TSection>(*Doc))
      if (!S->Images.Items.empty())
        Image = S->Images.Items.front().get();
    ASSERT_NE(Image, nullptr) << Case.Markup;
    EXPECT_EQ(Image->Alt(), Case.Alt) << Case.Markup;
    EXPECT_EQ(Image->Title(), Case.Title) << Case.Markup;
    EXPECT_EQ(Image->MapName(), Case.MapName) << Case.Markup;
    EXPECT_EQ(Image->UseMap, Case.UseMap) << Case.Markup;
    EXPECT_EQ(Image->FormControl(), nullptr) << Case.Markup;
    EXPECT_EQ(Image->Source.str(), "x.gif") << Case.Markup;
  }
}

class RunsAndPicturesClockTest : public ::testing::Test {
protected:
  void SetUp() override { EnableVirtualClock(); }
  void TearDown() override { DisableVirtualClock(); }

  // Every picture of the document, in document order.
  static std::vector<TImageObj*> Pictures(TSectionList& Doc)
  {
    std::vector<TImageObj*> Result;
    for (TSection* S : AllOf<TSection>(Doc))
      for (auto& I : S->Images.Items)
        Result.push_back(I.get());
    return Result;
  }
};

TEST_F(RunsAndPicturesClockTest, HoveringALinkTakesPooledFontsAndComesBack)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY>avant <A HREF=\"http://exemple.fr/\">un lien</A> "
                        "et <A HREF=\"http://exemple.fr/b\">un autre</A> apr\xC3\xA8s",
                        *Doc);
  Render(*Doc, 300, 100);
  ASSERT_EQ(Doc->LinkList.size(), 2u);
  TFontObj& First = *Doc->LinkList[0];
  TFontObj& Second = *Doc->LinkList[1];
  ASSERT_NE(First.FIArray(), nullptr);
  const TMyFont* Plain = First.Font;
  EXPECT_EQ(Second.Font, Plain) << "runs of one style share the pooled font";
  First.SetHover(true);
  const TMyFont* Hovered = First.Font;
  const std::size_t Fonts = Doc->FontPool.Count();
  First.SetHover(false);
  EXPECT_EQ(First.Font, Plain);
  for (int I = 0; I < 50; ++I) {
    First.SetAllHovered(*Doc, I % 2 == 0);
    Second.SetVisited(I % 3 == 0);
  }
  First.SetAllHovered(*Doc, true);
  EXPECT_EQ(First.Font, Hovered) << "a state's font is taken again from the pool";
  Second.SetVisited(false);
  First.SetAllHovered(*Doc, false);
  EXPECT_EQ(First.Font, Plain);
  EXPECT_EQ(Second.Font, Plain);
  EXPECT_LE(Doc->FontPool.Count(), Fonts + 2) << "hover and visited states add a font each, once";
  // The run's metrics are those of the font it shows.
  EXPECT_EQ(First.FontHeight(), Plain->tmHeight);

  // A run that is no link carries none of a link's parts.
  TFontObj* Text = nullptr;
  for (TSection* S : AllOf<TSection>(*Doc))
    for (auto& F : S->Fonts.Items)
      if (!F->IsLink())
        Text = F.get();
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Text->FIArray(), nullptr);
  EXPECT_EQ(Text->TabControl(), nullptr);
  EXPECT_EQ(Text->YValue(), 0);
  EXPECT_TRUE(Text->UrlTarget().URL.empty());
}

TEST_F(RunsAndPicturesClockTest, LinksOfOneStyleShareTheirStateFontsAndAnotherStyleKeepsItsOwn)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<STYLE>A.autre:hover { color: #00FF00 }</STYLE><BODY>"
                        "<A HREF=\"a\">un</A> <A HREF=\"b\">deux</A> <A CLASS=\"autre\" HREF=\"c\">trois</A> "
                        "<A HREF=\"d\">quatre</A> <A CLASS=\"autre\" HREF=\"e\">cinq</A>",
                        *Doc);
  Render(*Doc, 400, 100);
  ASSERT_EQ(Doc->LinkList.size(), 5u);
  std::vector<const TFontInfoArray*> States;
  for (TFontObj* Run : Doc->LinkList) {
    ASSERT_NE(Run->FIArray(), nullptr);
    States.push_back(Run->FIArray());
  }
  EXPECT_EQ(States[1], States[0]);
  EXPECT_EQ(States[3], States[0]) << "shared again after a link of another style";
  EXPECT_EQ(States[4], States[2]);
  EXPECT_NE(States[2], States[0]);
  EXPECT_FALSE(*States[2] == *States[0]);
  const TColor Green = States[2]->Ar(TFontInfoArray::HLFont).Color;
  EXPECT_NE(Green, States[0]->Ar(TFontInfoArray::HLFont).Color);

  // Each link still takes its own state's font: hovering one changes no other.
  TFontObj& Plain = *Doc->LinkList[0];
  TFontObj& Other = *Doc->LinkList[2];
  const TMyFont* PlainFont = Plain.Font;
  const TColor OtherColor = Other.Font->Color;
  Other.SetAllHovered(*Doc, true);
  EXPECT_EQ(Other.Font->Color, Green);
  EXPECT_EQ(Doc->LinkList[4]->Font->Color, OtherColor);
  EXPECT_EQ(Plain.Font, PlainFont);
  Plain.SetAllHovered(*Doc, true);
  EXPECT_EQ(Doc->LinkList[1]->Font, PlainFont);
  Other.SetAllHovered(*Doc, false);
  EXPECT_EQ(Other.Font->Color, OtherColor);
}

TEST_F(RunsAndPicturesClockTest, PicturesShareTheCachedGifUntilShownThenAnimateOnTheirOwn)
{
  auto Doc = MakeDocument();
  Doc->OnExpandName = nullptr;
  const std::string Img = "<IMG SRC=\"" + SmileyDir + "/smiley04.gif\">";
  std::string Html = "<BODY>";
  for (int I = 0; I < 30; ++I)
    Html += "<P>ligne " + std::to_string(I) + " " + Img + "</P>";
  ParseHtmlIntoSections(Html, *Doc);
  // Only the top of the page is painted.
  Render(*Doc, 300, 40);
  const std::vector<TImageObj*> Images = Pictures(*Doc);
  ASSERT_EQ(Images.size(), 30u);
  EXPECT_EQ(Doc->AnimList.size(), 30u) << "every picture animates, shown or not";
  TImageObj* Top = Images.front();
  TImageObj* Bottom = Images.back();
  auto* TopGif = dynamic_cast<TGIFImage*>(Top->Image);
  auto* BottomGif = dynamic_cast<TGIFImage*>(Bottom->Image);
  ASSERT_NE(TopGif, nullptr);
  ASSERT_NE(BottomGif, nullptr);
  EXPECT_TRUE(TopGif->IsCopy()) << "a shown picture has its own copy";
  EXPECT_FALSE(BottomGif->IsCopy()) << "one not shown yet uses the cache's";
  EXPECT_EQ(dynamic_cast<TGIFImage*>(Images[Images.size() - 2]->Image), BottomGif);
  TStringBitmapList* Cache = Doc->ImageCache();
  ASSERT_EQ(Cache->Count(), 1);
  int Unshown = 0;
  for (TImageObj* Image : Images)
    Unshown += dynamic_cast<TGIFImage*>(Image->Image)->IsCopy() ? 0 : 1;
  EXPECT_GT(Unshown, 20);
  EXPECT_EQ(Cache->Item(0)->UserCount, Unshown) << "each picture not shown yet holds a use of the entry";

  // Much later the whole page is shown: the pictures shown late step on the
  // next tick as those shown at once do, as if each had its copy all along.
  AdvanceVirtualClock(60000);
  Render(*Doc, 300);
  BottomGif = dynamic_cast<TGIFImage*>(Bottom->Image);
  ASSERT_TRUE(BottomGif->IsCopy());
  EXPECT_NE(BottomGif, TopGif);
  EXPECT_EQ(Cache->Item(0)->UserCount, 0) << "every picture now uses its own copy";
  EXPECT_EQ(TopGif->CurrentFrame(), 1);
  EXPECT_EQ(BottomGif->CurrentFrame(), 1);
  Doc->TimerTick();
  EXPECT_EQ(TopGif->CurrentFrame(), 2);
  EXPECT_EQ(BottomGif->CurrentFrame(), 2);
  // Each animates by itself: stopping one leaves the others running.
  BottomGif->SetAnimate(false);
  AdvanceVirtualClock(60000);
  Render(*Doc, 300);
  Doc->TimerTick();
  EXPECT_EQ(TopGif->CurrentFrame(), 3);
  EXPECT_EQ(BottomGif->CurrentFrame(), 2);

  Doc->Clear();
  EXPECT_EQ(Cache->Item(0)->UserCount, 0);
}

TEST_F(RunsAndPicturesClockTest, AStateImageTakesItsOwnCopyWhenHoveredBeforeItIsShown)
{
  auto Doc = MakeDocument();
  Doc->OnExpandName = nullptr;
  ParseHtmlIntoSections("<BODY><IMG ACTIVE SRC=\"" + SmileyDir + "/smiley00.gif\"> <IMG ACTIVE SRC=\"" + SmileyDir +
                            "/smiley00.gif\">",
                        *Doc);
  Doc->DoLogic(300, 400);
  const std::vector<TImageObj*> Images = Pictures(*Doc);
  ASSERT_EQ(Images.size(), 2u);
  auto* Shared = dynamic_cast<TGIFImage*>(Images[0]->Image);
  ASSERT_NE(Shared, nullptr);
  EXPECT_EQ(Images[1]->Image, Shared);
  EXPECT_TRUE(Doc->AnimList.empty()) << "a state image stands still";
  Images[0]->SetHover(1);
  auto* Own = dynamic_cast<TGIFImage*>(Images[0]->Image);
  ASSERT_NE(Own, Shared);
  EXPECT_EQ(Own->CurrentFrame(), 2);
  EXPECT_EQ(Shared->CurrentFrame(), 1) << "the cache's picture never moves";
  EXPECT_EQ(dynamic_cast<TGIFImage*>(Images[1]->Image)->CurrentFrame(), 1);
  Images[0]->SetHover(0);
  EXPECT_EQ(Own->CurrentFrame(), 1);
}

}  // namespace
