#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "DrawFixture.h"

namespace {
// Selects the built-in font into a fixture for the life of the object.
struct TFixedFont {
  explicit TFixedFont(HDC dc, int weight = FW_NORMAL, int escapement = 0, bool underline = false) : DC(dc)
  {
    Font = CreateFontW(-11, 0, escapement, escapement, weight, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Corvane Fixed");
    Old = SelectObject(dc, Font);
  }
  ~TFixedFont()
  {
    SelectObject(DC, Old);
    DeleteObject(Font);
  }
  HDC DC;
  HFONT Font;
  HGDIOBJ Old;
};

// The black pixels of a row as a string.
std::string Row(const TDrawFixture& f, int y, int width)
{
  std::string s;
  for (int x = 0; x < width; ++x)
    s += f.At(x, y) == 0 ? '#' : '.';
  return s;
}
}  // namespace

TEST(Text, BuiltinFontHasFixedMetricsAndDrawsItsGlyphs)
{
  TDrawFixture f(12, 13);
  TFixedFont font(f.DC);
  TEXTMETRICA tm;
  ASSERT_TRUE(GetTextMetrics(f.DC, &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAscent, 10);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmAveCharWidth, 6);
  TSize size;
  GetTextExtentPoint32(f.DC, "Hé", 3, &size);  // two characters, three bytes
  EXPECT_EQ(size, TSize(12, 13));
  SetBkMode(f.DC, TRANSPARENT);
  TextOut(f.DC, 0, 0, "Hi", 2);
  // "H" rows 3..9 of the cell (ascent 10, glyph 7 high), the "i" dot at row 3.
  const char* expected[] = {"#...#...#...", "#...#.......", "#...#..##...", "#####...#...",
                            "#...#...#...", "#...#...#...", "#...#..###.."};
  for (int y = 0; y < 7; ++y)
    EXPECT_EQ(Row(f, 3 + y, 12), expected[y]) << "row " << 3 + y;
  EXPECT_EQ(Row(f, 2, 12), "............");
}

TEST(Text, ExtentFitsCountUnits)
{
  TDrawFixture f(1, 1);
  TFixedFont font(f.DC);
  int fit = 0, dx[5] = {};
  TSize size;
  // "aéb": a (1 byte), é (2 bytes), b: extents 6, 12, 12, 18.
  ASSERT_TRUE(GetTextExtentExPoint(f.DC, "a\xC3\xA9" "b", 4, 13, &fit, dx, &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(size.cx, 18);
  EXPECT_EQ(dx[0], 6);
  EXPECT_EQ(dx[1], 12);
  EXPECT_EQ(dx[2], 12);
  EXPECT_EQ(dx[3], 18);
  // Character extra and justification widen the measure as they widen drawing.
  SetTextCharacterExtra(f.DC, 1);
  SetTextJustification(f.DC, 5, 2);
  GetTextExtentPoint32(f.DC, u"a b c", 5, &size);
  EXPECT_EQ(size.cx, 5 * 7 + 5);
}

TEST(Text, ExtentsOfUtf16CountEveryUnitOfAPair)
{
  TDrawFixture f(1, 1);
  TFixedFont font(f.DC);
  TSize size;
  // A longer text first: the measuring storage kept between calls must not
  // carry its characters into the next measure.
  ASSERT_TRUE(GetTextExtentPoint32W(f.DC, u"abcdefghij", 10, &size));
  EXPECT_EQ(size.cx, 60);
  struct TCase {
    std::u16string Text;
    std::vector<int> Dx;
  };
  const TCase cases[] = {
      {u"a\U0001F600b", {6, 12, 12, 18}},             // both units of a pair end where the character ends
      {{u'a', char16_t(0xDC00), u'b'}, {6, 12, 18}},  // a lone low surrogate is one character
      {{u'a', char16_t(0xD800)}, {6, 12}},             // so is a high one cut at the end
  };
  for (const TCase& c : cases) {
    std::vector<int> dx(c.Text.size());
    ASSERT_TRUE(GetTextExtentExPointW(f.DC, c.Text.data(), int(c.Text.size()), 0, nullptr, dx.data(), &size));
    EXPECT_EQ(dx, c.Dx);
    EXPECT_EQ(size.cx, c.Dx.back());
  }
}

TEST(Text, AFontFollowsTheBuiltinOnlySwitchAfterItsFirstUse)
{
  TDrawFixture f(1, 1);
  HFONT outline = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Liberation Sans");
  HGDIOBJ old = SelectObject(f.DC, outline);
  TSize before, builtin, after;
  GetTextExtentPoint32W(f.DC, u"WWW", 3, &before);
  SetBuiltinFontOnly(true);
  GetTextExtentPoint32W(f.DC, u"WWW", 3, &builtin);
  SetBuiltinFontOnly(false);
  GetTextExtentPoint32W(f.DC, u"WWW", 3, &after);
  SelectObject(f.DC, old);
  DeleteObject(outline);
  EXPECT_EQ(builtin, TSize(18, 13));  // the fixed face, whatever the size asked
  EXPECT_NE(before, builtin);
  EXPECT_EQ(after, before);
}

TEST(Text, DrawTextEndEllipsisAndPrefixOnTheFixedFont)
{
  TDrawFixture f(40, 13);
  TFixedFont font(f.DC);
  SetBkMode(f.DC, TRANSPARENT);
  // 40 pixels hold 6 cells: "Fic" + "..." .
  char16_t text[32] = u"&Fichier && plus";
  TRect r{0, 0, 40, 13};
  int h = DrawTextExW(f.DC, text, 16, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(std::u16string(text), u"Fic...");
  // The prefixed F is underlined one row below the baseline (row 11), cells 0-5.
  EXPECT_EQ(Row(f, 11, 40), "######..................................");
  // Hidden prefix: the same text without the underline.
  f.Fill(RGB(255, 255, 255));
  DrawText(f.DC, "&Fichier", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(Row(f, 11, 40), "........................................");
  EXPECT_EQ(Row(f, 3, 8), "#####...");  // the F is there
  // "&&" is one "&" and underlines nothing.
  TRect calc{0, 0, 0, 0};
  DrawText(f.DC, "a&&b", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc, TRect(0, 0, 18, 13));
}

TEST(Text, DrawTextBreaksWordsAndMeasures)
{
  TDrawFixture f(1, 1);
  TFixedFont font(f.DC);
  struct Case {
    const char* text;
    TRect start;
    UINT format;
    TRect result;
    int height;
  } cases[] = {
      // Single line: the right side bounds the text.
      {"abc", {0, 0, 1, 0}, DT_CALCRECT | DT_SINGLELINE, {0, 0, 18, 13}, 13},
      // Breaking in 30 pixels (5 cells): "un deux" -> "un", "deux".
      {"un deux trois", {0, 0, 30, 0}, DT_CALCRECT | DT_WORDBREAK, {0, 0, 30, 39}, 39},
      // A word wider than the rectangle widens it.
      {"a abcdefgh", {0, 1, 12, 1}, DT_CALCRECT | DT_WORDBREAK, {0, 1, 48, 27}, 26},
      // Lines of the text itself.
      {"ab\r\ncde\nf", {5, 5, 6, 5}, DT_CALCRECT, {5, 5, 23, 44}, 39},
      // Tabs every 8 cells.
      {"a\tb", {0, 0, 1, 1}, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE, {0, 0, 54, 13}, 13},
  };
  for (const auto& c : cases) {
    TRect r = c.start;
    EXPECT_EQ(DrawText(f.DC, c.text, -1, &r, c.format), c.height) << c.text;
    EXPECT_EQ(r, c.result) << c.text;
  }
}

TEST(Text, PathEllipsisKeepsTheLastPart)
{
  TDrawFixture f(1, 1);
  TFixedFont font(f.DC);
  char text[64] = "C:\\Programmes\\Corvane\\fichier.txt";
  TRect r{0, 0, 6 * 20, 13};
  DrawTextExA(f.DC, text, int(std::strlen(text)), &r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, nullptr);
  EXPECT_STREQ(text, "C:\\Pr...\\fichier.txt");  // 20 cells: 5 of the head, then "..." and the tail
}

TEST(Text, RotatedTextRunsDownwardsFromTheReferencePoint)
{
  // Escapement 2700 with TA_BOTTOM: the text runs down from (x, y) and its
  // cell bottom (descent) lies on the reference column; glyph tops face right.
  TDrawFixture f(13, 12);
  TFixedFont font(f.DC, FW_NORMAL, 2700);
  SetBkMode(f.DC, TRANSPARENT);
  SetTextAlign(f.DC, TA_BOTTOM);
  TextOut(f.DC, 0, 0, "L", 1);
  // "L" is a column at the glyph's left (along the run: the top rows) and a
  // bar at its bottom row. Rotated, the vertical stroke becomes the first row
  // of the run, spanning the cap height; the bar becomes a column.
  TSize size;
  GetTextExtentPoint32(f.DC, "L", 1, &size);
  int black = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 13; ++x)
      black += f.At(x, y) == 0;
  EXPECT_EQ(black, 11);  // 7 + 4 pixels of the "L"
  EXPECT_EQ(Row(f, 0, 13), "...#######...");  // the stem, across the run
  for (int y = 1; y < 5; ++y)
    EXPECT_EQ(f.At(3, y), 0u) << y;  // the bar, along the run at the baseline side
  EXPECT_EQ(f.At(3, 5), RGB(255, 255, 255));
}

TEST(Text, OutlineFontsAntialiasOverTheBackground)
{
  TDrawFixture f(40, 20, RGB(255, 255, 255));
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(f.DC, font);
  TEXTMETRICW tm;
  GetTextMetrics(f.DC, &tm);
  EXPECT_GE(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  SetBkMode(f.DC, TRANSPARENT);
  TextOut(f.DC, 1, 1, "Wo", 2);
  int black = 0, grey = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      COLORREF c = f.At(x, y);
      black += c == 0;
      grey += c != 0 && c != RGB(255, 255, 255);
    }
  EXPECT_GT(black, 0);
  EXPECT_GT(grey, 0);  // edges blended, not thresholded
  SelectObject(f.DC, old);
  DeleteObject(font);
}

// Glyphs are rasterised at the em size the metrics describe: tall letters
// stay inside the cell, between its top and the baseline.
TEST(Text, OutlineGlyphsFitTheCellTheirMetricsDescribe)
{
  for (int height : {-13, -16, -32}) {
    TDrawFixture f(80, 60, RGB(255, 255, 255));
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(f.DC, font);
    TEXTMETRICW tm;
    GetTextMetrics(f.DC, &tm);
    SetBkMode(f.DC, TRANSPARENT);
    TextOut(f.DC, 1, 10, "Hdl", 3);
    int top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x)
        if (f.At(x, y) != RGB(255, 255, 255)) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    EXPECT_GE(top, 10 + tm.tmInternalLeading - 1) << height;  // one row of hinting
    EXPECT_LT(bottom, 10 + tm.tmAscent) << height;
    SelectObject(f.DC, old);
    DeleteObject(font);
  }
}

TEST(Text, DrawTextPlacesSingleLinesInTheRectangle)
{
  struct Case {
    UINT format;
    TPoint firstInk;  // the top-left pixel of "I" (a bar 3 wide at its top, 1 pixel right of the cell's left)
  } cases[] = {
      {DT_SINGLELINE, {1, 3}},
      {DT_SINGLELINE | DT_RIGHT, {15, 3}},
      {DT_SINGLELINE | DT_CENTER, {8, 3}},
      {DT_SINGLELINE | DT_VCENTER, {1, 6}},
      {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, {15, 10}},
  };
  for (const auto& c : cases) {
    TDrawFixture f(20, 20);
    TFixedFont font(f.DC);
    SetBkMode(f.DC, TRANSPARENT);
    TRect r{0, 0, 20, 20};
    DrawText(f.DC, "I", 1, &r, c.format);
    TPoint first(-1, -1);
    for (int y = 0; y < 20 && first.x < 0; ++y)
      for (int x = 0; x < 20; ++x)
        if (f.At(x, y) == 0) {
          first = {x, y};
          break;
        }
    EXPECT_EQ(first, c.firstInk) << c.format;
  }
}

TEST(Text, EscapementNinetyRunsUpwards)
{
  // 900: the run goes up from the reference point and the glyph tops face
  // left; with TA_TOP the cell's top edge lies on the reference column.
  TDrawFixture f(14, 14);
  TFixedFont font(f.DC, FW_NORMAL, 900);
  SetBkMode(f.DC, TRANSPARENT);
  TextOut(f.DC, 0, 13, "L", 1);
  // The stem of the "L" (its left column, cap height 7) lies along the bottom row of the run.
  EXPECT_EQ(Row(f, 12, 14), "...#######....");
  for (int y = 8; y < 12; ++y)
    EXPECT_EQ(f.At(9, y), 0u) << y;  // the bar, along the baseline side
}

TEST(Text, FamiliesIncludeTheMappedPlatformNamesAndTheBuiltinFace)
{
  TDrawFixture f(1, 1);
  std::vector<std::u16string> names;
  auto collect = [](const LOGFONTW* log, const TEXTMETRICW*, DWORD, LPARAM param) {
    reinterpret_cast<std::vector<std::u16string>*>(param)->push_back(log->lfFaceName);
    return 1;
  };
  EnumFontFamiliesW(f.DC, nullptr, collect, LPARAM(&names));
  auto has = [&](const std::u16string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
  EXPECT_TRUE(has(u"Corvane Fixed"));
  EXPECT_TRUE(has(u"Arial"));  // Liberation Sans is installed by the project's setup
  names.clear();
  EnumFontFamiliesW(f.DC, u"corvane fixed", collect, LPARAM(&names));
  EXPECT_EQ(names, std::vector<std::u16string>{u"Corvane Fixed"});
  names.clear();
  EnumFontFamiliesW(f.DC, u"No Such Face", collect, LPARAM(&names));
  EXPECT_TRUE(names.empty());
}

TEST(Text, FaceNamesBeyondAsciiComeWholeInBothForms)
{
  ASSERT_TRUE(FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(CORVANE_DRAW_FONTS_DIR "/pelican-test.pfa")));
  TDrawFixture f(1, 1);
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"P\u00e9lican Test");
  HGDIOBJ old = SelectObject(f.DC, font);
  char narrow[32] = {};
  ASSERT_EQ(GetTextFaceA(f.DC, 32, narrow), 13);
  EXPECT_EQ(std::string(narrow), "P\xc3\xa9lican Test");
  char16_t wide[32] = {};
  EXPECT_EQ(GetTextFaceW(f.DC, 0, nullptr), 13);  // the units needed, with the zero
  EXPECT_EQ(GetTextFaceW(f.DC, 32, wide), 12);
  EXPECT_EQ(std::u16string(wide), u"P\u00e9lican Test");
  // A buffer too short for the whole name keeps whole characters only.
  EXPECT_EQ(GetTextFaceA(f.DC, 3, narrow), 1);
  EXPECT_EQ(std::string(narrow), "P");
  SelectObject(f.DC, old);
  DeleteObject(font);
}

// The ABC widths describe where each glyph's ink lies: drawn alone, its first
// inked column is at A, the ink is B wide, and A + B + C is the advance.
TEST(Text, AbcWidthsBoundTheInkAndSumToTheAdvance)
{
  struct Case {
    const char* face;
    DWORD italic;
    char32_t ch;
  } cases[] = {{"Arial", 0, U'W'}, {"Arial", 0, U'j'}, {"Arial", 1, U'f'}, {"Times New Roman", 1, U'y'}};
  for (const auto& c : cases) {
    TDrawFixture f(80, 40);
    HFONT font = CreateFontA(-24, 0, 0, 0, FW_NORMAL, c.italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, c.face);
    HGDIOBJ old = SelectObject(f.DC, font);
    ABC abc;
    INT advance = 0;
    ASSERT_TRUE(GetCharABCWidthsW(f.DC, c.ch, c.ch, &abc));
    ASSERT_TRUE(GetCharWidth32W(f.DC, c.ch, c.ch, &advance));
    EXPECT_EQ(abc.abcA + int(abc.abcB) + abc.abcC, advance) << c.face << char(c.ch);
    SetBkMode(f.DC, TRANSPARENT);
    char16_t text[2] = {char16_t(c.ch), 0};
    TextOutW(f.DC, 20, 4, text, 1);
    int first = 80, last = -1;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x)
        if (f.At(x, y) != RGB(255, 255, 255)) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    EXPECT_EQ(first, 20 + abc.abcA) << c.face << char(c.ch);
    EXPECT_EQ(last + 1, 20 + abc.abcA + int(abc.abcB)) << c.face << char(c.ch);
    SelectObject(f.DC, old);
    DeleteObject(font);
  }
  // An italic f overhangs its advance; a space is all advance.
  TDrawFixture f(1, 1);
  HFONT font = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 1, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(f.DC, font);
  ABC abc[2];
  ASSERT_TRUE(GetCharABCWidthsA(f.DC, 'f', 'f', &abc[0]));
  EXPECT_LT(abc[0].abcC, 0);
  ASSERT_TRUE(GetCharABCWidthsW(f.DC, ' ', ' ', &abc[1]));
  INT space = 0;
  GetCharWidth32W(f.DC, ' ', ' ', &space);
  EXPECT_EQ(abc[1].abcA, 0);
  EXPECT_EQ(int(abc[1].abcB), space);
  EXPECT_FALSE(GetCharABCWidthsW(f.DC, 'b', 'a', abc));  // an empty range
  SelectObject(f.DC, old);
  DeleteObject(font);
  // The built-in raster face answers its whole cells.
  TFixedFont fixed(f.DC);
  ASSERT_TRUE(GetCharABCWidthsW(f.DC, 'A', 'A', abc));
  EXPECT_EQ(abc[0].abcA, 0);
  EXPECT_EQ(abc[0].abcB, 6u);
  EXPECT_EQ(abc[0].abcC, 0);
}

TEST(Text, FamiliesExListEachCharacterSetAFaceCovers)
{
  TDrawFixture f(1, 1);
  struct TSeen {
    std::vector<std::pair<BYTE, std::u16string>> sets;  // charset, script
    std::vector<std::u16string> faces;
  } seen;
  auto collect = [](const ENUMLOGFONTEXW* log, const NEWTEXTMETRICEXW* tm, DWORD, LPARAM param) {
    auto* s = reinterpret_cast<TSeen*>(param);
    EXPECT_EQ(log->elfLogFont.lfCharSet, tm->ntmTm.tmCharSet);
    s->sets.push_back({log->elfLogFont.lfCharSet, log->elfScript});
    s->faces.push_back(log->elfLogFont.lfFaceName);
    return 1;
  };
  LOGFONTW filter;
  filter.lfCharSet = DEFAULT_CHARSET;
  std::u16string arial = u"arial";
  std::copy(arial.begin(), arial.end(), filter.lfFaceName);
  ASSERT_EQ(EnumFontFamiliesExW(f.DC, &filter, collect, LPARAM(&seen), 0), 1);
  auto has = [&](BYTE set, const std::u16string& script) {
    return std::find(seen.sets.begin(), seen.sets.end(), std::make_pair(set, script)) != seen.sets.end();
  };
  // Liberation Sans, behind "Arial", covers Western, Central European, Cyrillic and Greek letters, not Hebrew.
  EXPECT_TRUE(has(ANSI_CHARSET, u"Western"));
  EXPECT_TRUE(has(EASTEUROPE_CHARSET, u"Central European"));
  EXPECT_TRUE(has(RUSSIAN_CHARSET, u"Cyrillic"));
  EXPECT_TRUE(has(GREEK_CHARSET, u"Greek"));
  EXPECT_FALSE(has(HEBREW_CHARSET, u"Hebrew"));
  EXPECT_EQ(std::count(seen.faces.begin(), seen.faces.end(), u"Arial"), std::ptrdiff_t(seen.faces.size()));
  // One character set asked: the built-in face, Latin only, answers for
  // Western and not for Cyrillic.
  std::u16string fixed = u"Corvane Fixed";
  filter = LOGFONTW{};
  std::copy(fixed.begin(), fixed.end(), filter.lfFaceName);
  for (auto [set, count] : {std::pair<BYTE, std::size_t>{ANSI_CHARSET, 1}, {RUSSIAN_CHARSET, 0}}) {
    seen = {};
    filter.lfCharSet = set;
    EnumFontFamiliesExW(f.DC, &filter, collect, LPARAM(&seen), 0);
    EXPECT_EQ(seen.sets.size(), count) << int(set);
  }
  // A callback answering 0 stops the enumeration with that answer.
  filter.lfFaceName[0] = 0;
  filter.lfCharSet = DEFAULT_CHARSET;
  int calls = 0;
  auto stop = [](const ENUMLOGFONTEXW*, const NEWTEXTMETRICEXW*, DWORD, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return 0;
  };
  EXPECT_EQ(EnumFontFamiliesExW(f.DC, &filter, stop, LPARAM(&calls), 0), 0);
  EXPECT_EQ(calls, 1);
}

// The interface faces stand in at their own widths: a caption that the
// forms' fixed layouts were made for fits them ("Enregistrer la
// conversation" in the 146-pixel check box of a chat window, whose text
// starts 17 pixels in), while "Arial" keeps its stand-in's full width and
// both keep the same height.
TEST(Text, InterfaceFacesAreNarrowedToTheWidthsLayoutsWereMadeFor)
{
  TDrawFixture f(1, 1);
  auto measure = [&](const char* face, const char* text, TEXTMETRICA& tm) {
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(f.DC, font);
    TSize size;
    GetTextExtentPoint32A(f.DC, text, int(std::strlen(text)), &size);
    GetTextMetricsA(f.DC, &tm);
    SelectObject(f.DC, old);
    DeleteObject(font);
    return size.cx;
  };
  const char* caption = "Enregistrer la conversation";
  TEXTMETRICA arialMetrics{};
  const int arial = measure("Arial", caption, arialMetrics);
  for (const char* face : {"MS Sans Serif", "Tahoma", "Microsoft Sans Serif"}) {
    TEXTMETRICA tm{};
    const int width = measure(face, caption, tm);
    EXPECT_LE(width, 146 - 17) << face;
    EXPECT_LT(width, arial) << face;
    EXPECT_EQ(tm.tmHeight, arialMetrics.tmHeight) << face;
    EXPECT_LE(tm.tmAveCharWidth, arialMetrics.tmAveCharWidth) << face;
  }
  EXPECT_GT(arial, 146 - 17) << "Arial has the wider widths of its own";
}

// Measuring and drawing use one advance per character: the ink of a run
// drawn at x ends inside the extent measured for it, and a run drawn after
// it starts where that extent ends (no gap, no overlap).
TEST(Text, OutlineTextIsDrawnAtTheAdvancesItIsMeasuredWith)
{
  for (const char* face : {"MS Sans Serif", "Arial", "Times New Roman"}) {
    TDrawFixture f(300, 30, RGB(255, 255, 255));
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(f.DC, font);
    SetBkMode(f.DC, TRANSPARENT);
    const char* text = "Enregistrer la conversation";
    TSize size;
    GetTextExtentPoint32A(f.DC, text, int(std::strlen(text)), &size);
    INT widths[256] = {};
    GetCharWidth32A(f.DC, 0, 255, widths);
    int sum = 0;
    for (const char* p = text; *p; ++p)
      sum += widths[static_cast<unsigned char>(*p)];
    EXPECT_EQ(size.cx, sum) << face;
    TextOutA(f.DC, 10, 5, text, int(std::strlen(text)));
    int last = -1;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 300; ++x)
        if (f.At(x, y) != RGB(255, 255, 255))
          last = std::max(last, x);
    EXPECT_GT(last, 10 + size.cx - 8) << face;
    EXPECT_LT(last, 10 + size.cx) << face;
    SelectObject(f.DC, old);
    DeleteObject(font);
  }
}
