#include "TreeTestSupport.h"

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/BufferedString.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "controls/vtree/SharedResources.h"
#include "controls/vtree/TextShortening.h"
#include "controls/vtree/WheelScroll.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

using OptionsTest = TreeFixture;

TEST_F(OptionsTest, ANewTreeHasItsDefaultOptionsAndColours)
{
  TCustomLazyTreeOptions* o = Tree->TreeOptions();
  EXPECT_EQ(o->PaintOptions().ToInteger(), 0x1B60u);
  EXPECT_EQ(o->AutoOptions().ToInteger(), 0x149u);
  EXPECT_EQ(o->MiscOptions().ToInteger(), 0x1A9u);
  EXPECT_TRUE(o->AnimationOptions().Empty());
  EXPECT_TRUE(o->SelectionOptions().Empty());
  EXPECT_EQ(std::uint32_t(Tree->Colors()->Color(DropMarkColor)), 0xFF00000Du);
  EXPECT_EQ(std::uint32_t(Tree->Colors()->Color(TreeLineColor)), 0xFF000010u);
  EXPECT_EQ(std::uint32_t(Tree->Colors()->Color(HotColor)), 0xFF000008u);
  EXPECT_EQ(std::uint32_t(Tree->Colors()->Color(GridLineColor)), 0xFF00000Fu);
  EXPECT_EQ(Tree->ScrollBarOptions()->ScrollBars(), ssBoth);
  EXPECT_EQ(Tree->ScrollBarOptions()->VerticalIncrement(), 20);
  EXPECT_EQ(Tree->Indent(), 18u);
  EXPECT_EQ(Tree->Margin(), 4);
  EXPECT_EQ(Tree->SelectionBlendFactor(), 128);
}

TEST_F(OptionsTest, LegacyOptionsReplaceEverySet)
{
  Tree->TreeOptions()->ReadLegacyOptions({"voMultiSelect", "voShowRoot"});
  EXPECT_EQ(Tree->TreeOptions()->SelectionOptions(), TLTSelectionOptions{toMultiSelect});
  EXPECT_EQ(Tree->TreeOptions()->PaintOptions(), TLTPaintOptions{toShowRoot});
  EXPECT_TRUE(Tree->TreeOptions()->AutoOptions().Empty());
  EXPECT_TRUE(Tree->TreeOptions()->MiscOptions().Empty());
}

// Scaling a form scales the default node height and the header font only
// under toAutoChangeScale, and not while the form is being read (unless the
// height was set then).
TEST_F(OptionsTest, AutoChangeScaleScalesTheNodeHeightAndTheHeader)
{
  struct TCase {
    bool AutoScale, Loading;
    unsigned Height;
    int FontSize;
  } cases[] = {{true, false, 36, 16}, {false, false, 18, 8}, {true, true, 18, 8}};
  for (const TCase& c : cases) {
    TBaseLazyTree* tree = NewTree();
    tree->Header().Font().SetSize(8);
    if (c.AutoScale)
      tree->TreeOptions()->SetAutoOptions(tree->TreeOptions()->AutoOptions() + toAutoChangeScale);
    if (c.Loading) {
      tree->Loading();
      tree->ChangeStates({}, {tsNeedScale});
    }
    tree->ChangeScale(2, 1);
    EXPECT_EQ(tree->DefaultNodeHeight(), c.Height) << c.AutoScale << c.Loading;
    EXPECT_EQ(tree->Header().Font().Size(), c.FontSize) << c.AutoScale << c.Loading;
    if (c.Loading)
      tree->Loaded();
  }
}

TEST_F(OptionsTest, OnlyRegularScrollBarsExist)
{
  EXPECT_THROW(Tree->ScrollBarOptions()->SetScrollBarStyle(sbmFlat), EAssertionFailed);
  EXPECT_EQ(Tree->ScrollBarOptions()->ScrollBarStyle(), sbmRegular);
}

TEST_F(OptionsTest, SelectionConstraintsClearTheSelection)
{
  Tree->SetNodeChildCount(nullptr, 2);
  struct TCase {
    TLTSelectionOptions Before, After;
    bool Clears;
  } cases[] = {{{}, {toMultiSelect}, true},
               {{toMultiSelect}, {}, true},
               {{toMultiSelect}, {toMultiSelect, toLevelSelectConstraint}, true},
               {{toMultiSelect, toLevelSelectConstraint}, {toMultiSelect}, false},
               {{}, {toSiblingSelectConstraint}, true},
               {{}, {toCenterScrollIntoView}, false}};
  for (const TCase& c : cases) {
    Tree->TreeOptions()->SetSelectionOptions(c.Before);
    Tree->SetNodeSelected(At("0"), true);
    Tree->TreeOptions()->SetSelectionOptions(c.After);
    EXPECT_EQ(Tree->SelectedCount() == 0, c.Clears);
    Tree->ClearSelection();
  }
}

TEST(SharedRoutines, RowBlendingFollowsItsFormula)
{
  struct TCase {
    std::uint8_t D, S;
    int Alpha, Bias;
    std::uint8_t Result;
  } cases[] = {{200, 100, 0, 0, 200}, {200, 100, 255, 0, 100}, {200, 100, 128, 0, 150}, {250, 250, 128, 20, 255}};
  for (const TCase& c : cases) {
    std::uint32_t s = c.S * 0x01010101u, d = c.D * 0x01010101u;
    BlendRowConstant(&s, &d, 1, c.Alpha, c.Bias);
    EXPECT_EQ(d, c.Result * 0x01010101u) << int(c.D) << " " << int(c.S) << " " << c.Alpha;
  }
  std::uint32_t pixel = 0x00000000;
  BlendRowColor(&pixel, 1, 128, 0x0000FF);  // red
  EXPECT_EQ(pixel, 0x007F0000u);
}

TEST(SharedRoutines, BlendRectAddressesBottomUpRowsAndRejectsOtherDepths)
{
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = 2;  // bottom-up
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BlendRect(nullptr, dc, TRect(0, 0, 2, 1), TPoint(), 0xFFFFFF, 255, bmConstantAlphaAndColor);
  auto* p = static_cast<std::uint32_t*>(bits);
  EXPECT_EQ(p[0], 0u) << "row 0 of a bottom-up bitmap is stored last";
  EXPECT_EQ(p[2] & 0xFFFFFF, 0xFEFEFEu);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  HBITMAP shallow = CreateBitmap(2, 2, 1, 1, nullptr);
  old = SelectObject(dc, shallow);
  EXPECT_THROW(BlendRect(nullptr, dc, TRect(0, 0, 1, 1), TPoint(), 0, 10, bmConstantAlphaAndColor), EAssertionFailed);
  SelectObject(dc, old);
  DeleteObject(shallow);
  DeleteDC(dc);
}

TEST(SharedRoutines, ShorteningKeepsThePrefixOrTheSuffix)
{
  auto fixedPitch = [](const std::u16string& s) { return int(s.size()) * 7; };
  EXPECT_EQ(ShortenText(fixedPitch, u"abcdef", 42), u"abc...");
  EXPECT_EQ(ShortenText(fixedPitch, u"abcdef", 42, 0, true), u"...def");
  EXPECT_EQ(ShortenText(fixedPitch, u"abcdef", 20), u"");
  EXPECT_EQ(ShortenText(fixedPitch, u"abcdef", 0), u"");
}

TEST(SharedRoutines, BuffersGrowInWholeSteps)
{
  TBufferedString b;
  b.Add(std::string(10000, 'x'));
  EXPECT_EQ(b.BlockSize(), 12288u);
  TBufferedString exact;
  exact.Add(std::string(4094, 'x'));
  exact.AddNewLine();
  EXPECT_EQ(exact.BlockSize(), 8192u) << "two bytes free grow the block";
  EXPECT_EQ(exact.AsString().size(), 4096u);
  // The wide buffer keeps four characters in hand before a line break.
  for (std::size_t text : {4092u, 4091u}) {
    TWideBufferedString wide;
    wide.Add(std::u16string(text, u'x'));
    wide.AddNewLine();
    EXPECT_EQ(wide.BlockSize(), text == 4092u ? 8192u : 4096u) << text << " characters before the line break";
  }
}

// Text spread over several storage chunks comes back whole and in order,
// with a head put in front afterwards.
TEST(SharedRoutines, BuffersKeepTheirTextAcrossChunks)
{
  TBufferedString b;
  std::string expected;
  for (std::size_t i = 0; expected.size() < 3 * TBufferedString::ChunkSize; ++i) {
    std::string piece(i % 997 + (i % 50 == 0 ? TBufferedString::ChunkSize / 3 : 0), char('a' + i % 26));
    b.Add(piece);
    expected += piece;
    if (i % 7 == 0) {
      b.AddNewLine();
      expected += "\r\n";
    }
  }
  b.Prepend("head");
  EXPECT_EQ(b.Size(), expected.size() + 4);
  EXPECT_TRUE(b.AsString() == "head" + expected);
}

TEST(SharedRoutines, PointersSortAscendingAsUnsignedValues)
{
  std::vector<void*> v;
  for (std::uintptr_t x : {0x30u, 0x10u, 0xFFFFFFF0u, 0x20u, 0x10u})
    v.push_back(reinterpret_cast<void*>(x));
  SortPointers(v.data(), 0, std::ptrdiff_t(v.size()) - 1);
  EXPECT_TRUE(std::is_sorted(v.begin(), v.end(), [](void* a, void* b) {
    return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
  }));
  EXPECT_EQ(NormalizeRect(TRect(5, 9, 1, 2)), TRect(1, 2, 5, 9));
  EXPECT_EQ(PlatformColorOf(clNone), 0xFFFFFFFFu);
  EXPECT_EQ(PlatformColorOf(clDefault), 0xFF000000u);
}

TEST(SharedRoutines, CheckImageIndicesFollowTheVisualStyleStates)
{
  struct TCase {
    std::uint8_t Kind;
    TCheckState State;
    bool Enabled, Hot;
    int Index;
  } cases[] = {{3, csCheckedNormal, true, true, 6},     {3, csCheckedNormal, false, false, 8},
               {1, csMixedPressed, true, false, 19},    {2, csUncheckedNormal, true, false, 9},
               {2, csUncheckedNormal, true, true, 10},  {1, csCheckedPressed, false, true, 16},
               {4, csUncheckedPressed, true, false, 23}, {0, csCheckedNormal, true, false, -1}};
  for (const TCase& c : cases)
    EXPECT_EQ(CheckImageIndexOf(c.Kind, c.State, c.Enabled, c.Hot), c.Index) << int(c.Kind) << " " << int(c.State);
}

TEST(SharedRoutines, TheCheckStripsHoldTwentyFiveSixteenPixelImages)
{
  TreeUnitSetup();
  for (TCheckImageKind kind : {ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP}) {
    TCustomImageList* list = SharedCheckImages(kind);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Count(), 25) << int(kind);
    EXPECT_EQ(list->Width(), 16);
  }
  for (TCheckImageKind kind : {ckSystem, ckSystemFlat}) {
    TCustomImageList* list = SharedCheckImages(kind);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Count(), 25);
    EXPECT_EQ(list->Width(), GetSystemMetrics(SM_CXMENUCHECK) + 3);
    // A checked box draws a frame and a mark; image 0 draws nothing.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bm);
    auto inked = [&](int index) {
      TRect all(0, 0, 32, 32);
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      ImageList_Draw(list->Handle(), index, dc, 0, 0, ILD_TRANSPARENT);
      int n = 0;
      for (int i = 0; i < 32 * 32; ++i)
        n += (static_cast<std::uint32_t*>(bits)[i] & 0xFFFFFF) != 0xFFFFFF;
      return n;
    };
    EXPECT_EQ(inked(0), 0);
    EXPECT_GT(inked(13), 20);
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  TCustomImageList missing(nullptr);
  try {
    LoadImageStrip(&missing, "X", false);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(std::string(e.Message()).find("Internal image \"X\" is missing or corrupt."), std::string::npos);
  }
}

TEST(SharedRoutines, TheWheelsPageSettingScrollsOnePage)
{
  struct TCase {
    int Delta;
    UINT Lines;
    int Pixels;
  } cases[] = {{120, 3, 54}, {-240, 3, -108}, {120, WheelPageScroll, 300}, {-120, WheelPageScroll, -300},
               {60, 3, 18}, {120, 0, 0}};
  for (const TCase& c : cases)
    EXPECT_EQ(WheelScrollPixels(c.Delta, c.Lines, 18, 300), c.Pixels) << c.Delta << " " << c.Lines;
}
