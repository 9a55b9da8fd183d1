// The builder's literal readers and the elements it hands on: SELECT options,
// TEXTAREA text, SCRIPT, MAP areas, PANEL sizing, text files in a code page,
// and documents in the Japanese encodings read end to end.
#include <gtest/gtest.h>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/MapItem.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/forms/PanelObj.h"
#include "controls/html/parser/UrlTarget.h"
#include "controls/html/tables/TableBlock.h"
#include "controls/html/tables/TableLayout.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

std::unique_ptr<TSectionList> NewDocument()
{
  THeadlessDisplay::Use();
  auto Doc = std::make_unique<TSectionList>(TestFonts());
  Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  return Doc;
}

// The text of every section, in document order, one entry per section
// (cells of tables included).
void CollectText(TCellBasic& Cell, std::vector<std::u16string>& Out)
{
  for (auto& S : Cell.Sections) {
    if (auto* T = dynamic_cast<TSection*>(S.get())) {
      Out.push_back(T->Text.Str());
    } else if (auto* Table = dynamic_cast<TTableBlock*>(S.get())) {
      for (auto& Row : Table->Table->Rows)
        for (auto& Slot : Row->Slots)
          if (Slot.Cell)
            CollectText(*Slot.Cell->Cell, Out);
    } else if (auto* B = dynamic_cast<TBlock*>(S.get())) {
      CollectText(*B->MyCell, Out);
    }
  }
}

std::u16string AllText(TSectionList& Doc)
{
  std::vector<std::u16string> Parts;
  CollectText(Doc, Parts);
  std::u16string Joined;
  for (auto& P : Parts)
    Joined += (Joined.empty() ? u"" : u"|") + P;
  return Joined;
}

}  // namespace

TEST(BuilderLiteralTest, SelectOptionsAndWhereASelectEnds)
{
  auto Doc = NewDocument();
  ParseHtmlIntoSections("<select name=s><option value=\"v1\"> First  <option selected>Second</option>"
                        "<option></select>after",
                        *Doc);
  auto* S = dynamic_cast<TComboFormControlObj*>(Doc->Forms->ControlList.at(0));
  ASSERT_TRUE(S);
  ASSERT_EQ(S->Options.size(), 3u);
  EXPECT_EQ(S->Options[0].Text, "First");
  EXPECT_EQ(S->Options[0].Value, "v1");
  EXPECT_EQ(S->Options[1].Value, "Second");
  EXPECT_TRUE(S->Options[1].Selected);
  EXPECT_EQ(S->Options[2].Text, " ") << "an empty option shows a space";
  EXPECT_EQ(S->Control()->Perform(CB_GETCURSEL, 0, 0), 1);
  EXPECT_NE(AllText(*Doc).find(u"after"), std::u16string::npos);
  // A SELECT left open in a cell ends at the next cell, which is still read.
  Doc->Clear();
  ParseHtmlIntoSections("<table><tr><td><select name=t><option>a<td>next cell</table>", *Doc);
  EXPECT_NE(AllText(*Doc).find(u"next cell"), std::u16string::npos);
  ASSERT_EQ(Doc->Forms->ControlList.size(), 1u);
  EXPECT_EQ(dynamic_cast<TSelectFormControlObj*>(Doc->Forms->ControlList[0])->Options.size(), 1u);
  // A chat message that leaves a SELECT open keeps the later messages.
  Doc->Clear();
  ParseHtmlIntoSections("<div><select name=s><option>a</div><br>\r\n<div>later message</div>", *Doc);
  EXPECT_NE(AllText(*Doc).find(u"later message"), std::u16string::npos);
  EXPECT_EQ(dynamic_cast<TSelectFormControlObj*>(Doc->Forms->ControlList.at(0))->Options.size(), 1u);
}

TEST(BuilderLiteralTest, TextAreaContentGoesIntoItsControl)
{
  struct TCase {
    const char* Html;
    const char* Text;
  } Cases[] = {
      {"<textarea name=t>one\ntwo &amp; <b>three</b></textarea>after", "one\r\ntwo & <b>three</b>"},
      {"<textarea name=t>left open <p>to the end", "left open <p>to the end"},
      {"<textarea name=t></textareax></TEXTAREA>", "</textareax>"},
  };
  for (const TCase& C : Cases) {
    auto Doc = NewDocument();
    ParseHtmlIntoSections(C.Html, *Doc);
    auto* T = dynamic_cast<TTextAreaFormControlObj*>(Doc->Forms->ControlList.at(0));
    ASSERT_TRUE(T) << C.Html;
    EXPECT_EQ(T->Control()->Text(), C.Text) << C.Html;
  }
}

TEST(BuilderLiteralTest, ScriptIsHandedToTheViewerEvent)
{
  auto Doc = NewDocument();
  std::vector<std::string> Heard;
  Doc->OnScript = [&](const std::string& Name, const std::string& Language, const std::string& Text) {
    Heard.push_back(Name + "|" + Language + "|" + Text);
  };
  ParseHtmlIntoSections("<script name=n language=js>if (a < b) x();\n</SCRIPT >shown<script>open to the end", *Doc);
  ASSERT_EQ(Heard.size(), 2u);
  EXPECT_EQ(Heard[0], "n|js|if (a < b) x();\r\n");
  EXPECT_EQ(Heard[1], "||open to the end");
  EXPECT_EQ(AllText(*Doc), u"shown");
}

TEST(BuilderLiteralTest, MapAreasReachTheImageMaps)
{
  auto Doc = NewDocument();
  ParseHtmlIntoSections("<map name=nav>ignored text<area shape=rect coords=0,0,10,10 href=a.htm>"
                        "<area shape=circle coords=30,30,5 href=b.htm></map><img src=x.gif usemap=#nav>",
                        *Doc);
  TMapItem* Map = Doc->FindMap("NAV");
  ASSERT_TRUE(Map);
  ASSERT_EQ(Map->Areas.size(), 2u);
  TUrlTarget Link;
  std::string Title;
  ASSERT_TRUE(Map->GetURL(31, 29, Link, Title));
  EXPECT_EQ(Link.URL, "b.htm");
  EXPECT_EQ(AllText(*Doc).find(u"ignored"), std::u16string::npos);
  // A circle far larger than any picture still covers it.
  Doc->Clear();
  ParseHtmlIntoSections("<map name=big><area shape=circle coords=5,5,900000 href=c.htm></map>", *Doc);
  ASSERT_TRUE(Doc->FindMap("BIG"));
  ASSERT_TRUE(Doc->FindMap("BIG")->GetURL(16000, 9, Link, Title));
  EXPECT_EQ(Link.URL, "c.htm");
}

TEST(BuilderLiteralTest, AMapLeftOpenDoesNotSwallowTheSymbolThatEndsIt)
{
  auto Doc = NewDocument();
  ParseHtmlIntoSections("<map name=m><area shape=rect coords=0,0,5,5 href=a.htm><b>x</b>"
                        "<table><tr><td>kept cell</td></tr></table>",
                        *Doc);
  EXPECT_EQ(Doc->FindMap("M"), nullptr) << "a map without its end is dropped";
  std::vector<TTableBlock*> Tables;
  for (auto& S : Doc->Sections)
    if (auto* B = dynamic_cast<TBlock*>(S.get()))
      for (auto& In : B->MyCell->Sections)
        if (auto* T = dynamic_cast<TTableBlock*>(In.get()))
          Tables.push_back(T);
  ASSERT_EQ(Tables.size(), 1u) << "the TABLE that stopped the map is read";
  EXPECT_NE(AllText(*Doc).find(u"kept cell"), std::u16string::npos);
}

TEST(BuilderLiteralTest, TextFilesAreReadInTheirCodePage)
{
  struct TCase {
    unsigned CodePage;
    std::string Bytes;
    std::u16string Text;
  } Cases[] = {
      {1252, "\x80 \x93q\x94\r\nline 2", u"\u20AC \u201Cq\u201D|line 2"},
      {65001, "caf\xC3\xA9\nx", u"caf\u00E9|x"},
      {932, "\x88\x9F", u"\u4E9C"},
  };
  for (const TCase& C : Cases) {
    auto Doc = NewDocument();
    ParseTextIntoSections(C.Bytes, *Doc, C.CodePage);
    EXPECT_EQ(AllText(*Doc), C.Text) << C.CodePage;
  }
}

TEST(BuilderLiteralTest, JapaneseDocumentsEndToEnd)
{
  // The same two characters (U+4E9C U+3042) in three encodings.
  struct TCase {
    const char* What;
    std::string Html;
  } Cases[] = {
      {"ISO-2022-JP", "<p>\x1B$B0!$\"\x1B(B ok"},
      {"EUC-JP by META", "<meta http-equiv=content-type content=\"text/html; charset=euc-jp\"><p>\xB0\xA1\xA4\xA2 ok"},
      {"Shift-JIS by META", "<meta http-equiv=content-type content=\"text/html; charset=shift_jis\"><p>\x88\x9F\x82\xA0 ok"},
  };
  for (const TCase& C : Cases) {
    auto Doc = NewDocument();
    ParseHtmlIntoSections(C.Html, *Doc);
    EXPECT_NE(AllText(*Doc).find(u"\u4E9C\u3042 ok"), std::u16string::npos) << C.What;
  }
}

TEST(BuilderLiteralTest, PanelSizing)
{
  struct TCase {
    const char* Html;
    int AvailWidth;
    int Width, Height, HSpace;
  } Cases[] = {
      {"<panel width=50%>", 400, 200, 133, 0},      // keeps the natural 30 x 20 proportion
      {"<panel>", 400, 30, 20, 0},                  // the size the creation event left
      {"<panel hspace=-60 width=60>", 400, 60, 40, 40},
      {"<panel align=left>", 400, 30, 20, 3},
      {"<panel height=0%>", 400, 30, 20, 0},        // ignored
      {"<panel height=0 width=9>", 400, 9, 1, 0},   // at least one pixel
      {"<panel height=10>", 400, 15, 10, 0},
  };
  for (const TCase& C : Cases) {
    auto Doc = NewDocument();
    Doc->Forms->OnPanelCreate = [](const std::string&, const std::string&, const std::string&, ThvPanel* P) {
      PanelAsWindow(P)->SetBounds(0, 0, 30, 20);
    };
    ParseHtmlIntoSections(C.Html, *Doc);
    ASSERT_EQ(Doc->Forms->PanelList.size(), 1u) << C.Html;
    TPanelObj* P = Doc->Forms->PanelList[0];
    P->Measure(300, C.AvailWidth, nullptr);
    EXPECT_EQ(P->ClientWidth, C.Width) << C.Html;
    EXPECT_EQ(P->ClientHeight, C.Height) << C.Html;
    EXPECT_EQ(P->HSpaceL, C.HSpace) << C.Html;
    EXPECT_EQ(PanelAsWindow(P->Panel)->Width(), C.Width) << C.Html;
  }
  // A panel the host leaves without a size gives nothing to divide by.
  auto Doc = NewDocument();
  Doc->Forms->OnPanelCreate = [](const std::string&, const std::string&, const std::string&, ThvPanel* P) {
    PanelAsWindow(P)->SetBounds(0, 0, 0, 0);
  };
  ParseHtmlIntoSections("<panel width=50><panel height=50><panel width=20%>", *Doc);
  for (TPanelObj* P : Doc->Forms->PanelList) {
    P->Measure(300, 400, nullptr);
    EXPECT_GE(P->ClientWidth, 0);
    EXPECT_GE(P->ClientHeight, 0);
  }
}

TEST(BuilderLiteralTest, PanelEventsAndPrinting)
{
  auto Doc = NewDocument();
  std::vector<std::string> Heard;
  Doc->Forms->OnPanelCreate = [&](const std::string& Name, const std::string& Type, const std::string& Src, ThvPanel*) {
    Heard.push_back("create " + Name + " " + Type + " " + Src);
  };
  Doc->Forms->OnPanelDestroy = [&](ThvPanel*) { Heard.push_back("destroy"); };
  ParseHtmlIntoSections("<panel name=p1 type=t src=s alt=\"Panel text\" width=60 height=50>", *Doc);
  ASSERT_EQ(Heard, (std::vector<std::string>{"create p1 t s"}));
  TPanelObj* P = Doc->Forms->PanelList.at(0);
  P->Measure(0, 400, nullptr);
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(100, 80, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  PanelAsWindow(P->Panel)->SetColor(0x00FF00);
  P->PrintTo(DC, 10, 10);
  EXPECT_EQ(GetPixel(DC, 10, 10), 0x000000u) << "black outline";
  EXPECT_EQ(GetPixel(DC, 12, 12), 0x00FF00u) << "the panel's colour";
  EXPECT_EQ(GetPixel(DC, 69, 59), 0x000000u) << "the far corner of the outline";
  EXPECT_EQ(GetPixel(DC, 71, 61), 0x000000u) << "nothing outside";
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  Doc->Clear();
  EXPECT_EQ(Heard.back(), "destroy");
  EXPECT_TRUE(Doc->Forms->PanelList.empty());
}
