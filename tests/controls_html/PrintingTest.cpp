// Printing a long document on the platform's printer, which writes a PDF
// file: the pages are read back (their count, and page pictures made by
// pdftoppm compared with the screen's rendering of the same layout), no
// line is cut by a page's end, a table row low on a page goes to the next,
// and the print events come in order for every page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "../platform_classes/ClassesTestSupport.h"
#include "ChatViewer.h"
#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/HtmlView.h"
#include "platform/classes/classes.h"
#include "platform/win/win.h"
#include "platform/win/gdi/Screenshot.h"
#include "tests/support/GoldenImage.h"

namespace {

std::string LongDocument()
{
  std::string Page = "<BODY><H1>Printed report</H1><H2>Every paragraph</H2>";
  for (int I = 1; I <= 70; ++I) {
    Page += "<P>Paragraph " + std::to_string(I) + ": some words that fill a line of the page and go on to wrap";
    if (I % 3 == 0)
      Page += " onto a second line of text, and sometimes onto a third one when it is long enough for that";
    Page += ".</P>";
    if (I == 40)
      Page += "<IMG src=\"none.png\" alt=\"missing chart\" width=120 height=60>";
  }
  return Page + "</BODY>";
}

std::string Run(const std::string& Command)
{
  std::string Out;
  if (FILE* P = popen(Command.c_str(), "r")) {
    char Buffer[256];
    while (fgets(Buffer, sizeof Buffer, P))
      Out += Buffer;
    pclose(P);
  }
  return Out;
}

int PdfPages(const std::string& File)
{
  const std::string Info = Run("pdfinfo '" + File + "' 2>/dev/null");
  const std::size_t At = Info.find("Pages:");
  return At == std::string::npos ? -1 : std::atoi(Info.c_str() + At + 6);
}

struct TPrintJournal {
  std::vector<std::string> Events;
  int StopAfter = 0;
  void HTMLHeader(TObject*, THtmlView* HF, int Page, bool Last, int& XL, int& XR, bool&)
  {
    Events.push_back("html-header " + std::to_string(Page) + (Last ? " last" : ""));
    EXPECT_LT(XL, XR);
    HF->LoadFromString("<BODY><B>Header</B></BODY>");
  }
  void HTMLFooter(TObject*, THtmlView*, int Page, bool Last, int&, int&, bool&)
  {
    Events.push_back("html-footer " + std::to_string(Page) + (Last ? " last" : ""));
  }
  void Header(TObject*, TCanvas* Canvas, int Page, int W, int H, bool&)
  {
    EXPECT_NE(Canvas, nullptr);
    EXPECT_GT(W, H);
    Events.push_back("header " + std::to_string(Page));
  }
  void Footer(TObject*, TCanvas*, int Page, int, int, bool& Stop)
  {
    Events.push_back("footer " + std::to_string(Page));
    Stop = StopAfter > 0 && Page >= StopAfter;
  }
};

class PrintingTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Viewer = MakeChatViewerOnForm(Form);
    Form->Show();
    Pump();
    Dir = std::filesystem::temp_directory_path() / ("html-print-" + std::to_string(getpid()));
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override
  {
    if (!std::getenv("CORVANE_KEEP_PRINTS"))  // set it to look at the printed files
      std::filesystem::remove_all(Dir);
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }
  // The line boxes of the document laid out as it was printed: [top, bottom).
  std::vector<std::pair<int, int>> PrintedLines()
  {
    TSectionList& Doc = Viewer->SectionList();
    Render(Doc, Viewer->PrintedWidth());
    std::vector<std::pair<int, int>> Lines;
    for (TSection* S : AllOf<TSection>(Doc))
      for (const LineRec& L : S->Lines)
        Lines.emplace_back(L.PaintY - L.LeadAbove, L.PaintY - L.LeadAbove + L.BoxHeight());
    return Lines;
  }

  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;
  std::filesystem::path Dir;
};

}  // namespace

TEST_F(PrintingTest, ALongDocumentPrintsOnPagesThatCutNoLineAndMatchTheScreen)
{
  Viewer->LoadFromString(LongDocument());
  Pump();
  const int ScreenHeight = Viewer->DocumentHeight();
  const std::string File = (Dir / "long.pdf").string();
  const int Printed = Viewer->Print(1, 0, File);
  ASSERT_GE(Printed, 3);
  EXPECT_EQ(PdfPages(File), Printed);
  EXPECT_EQ(Viewer->DocumentHeight(), ScreenHeight);  // the screen's layout is back

  const std::vector<int> Tops = Viewer->PrintedPageTops();
  ASSERT_EQ(int(Tops.size()), Printed);
  const auto Lines = PrintedLines();
  ASSERT_FALSE(Lines.empty());
  for (std::size_t P = 1; P < Tops.size(); ++P) {
    EXPECT_GT(Tops[P], Tops[P - 1]);
    for (auto [Top, Bottom] : Lines)
      EXPECT_FALSE(Top < Tops[P] && Tops[P] < Bottom) << "page " << P + 1 << " starts inside a line";
  }

  // Page 2 read back at the printer's resolution (150 pixels per inch, the
  // document's 96 scaled by 150/96 after a 2-centimetre margin) against the
  // screen's rendering of the same rows, scaled the same way.
  ASSERT_EQ(std::system(("pdftoppm -r 150 -png -f 2 -l 2 -singlefile '" + File + "' '" +
                         (Dir / "page2").string() + "'").c_str()), 0);
  TPixelImage Page;
  ASSERT_TRUE(ReadPng((Dir / "page2.png").string(), Page));
  ASSERT_EQ(Page.Width, 1240);
  ASSERT_EQ(Page.Height, 1754);
  const int Width = Viewer->PrintedWidth();
  const TRendered Screen = Render(Viewer->SectionList(), Width);
  if (std::getenv("CORVANE_KEEP_PRINTS"))
    WritePng((Dir / "screen.png").string(), Screen.Picture);
  const double Scale = 150.0 / 96.0;
  const int Margin = 118, Rows = Tops[2] - Tops[1];
  // Each document pixel is read at the centre of the printed cell it became
  // (the page reader smooths edges: light and dark are compared, away from edges).
  const double ScaleX = std::lround(Width * Scale) / double(Width), ScaleY = std::lround(Rows * Scale) / double(Rows);
  auto Dark = [](std::uint32_t C) { return ((C >> 16 & 0xFF) + (C >> 8 & 0xFF) + (C & 0xFF)) < 3 * 128; };
  int Same = 0, Total = 0, Ink = 0;
  for (int SY = 1; SY + 1 < Rows; ++SY)
    for (int SX = 1; SX + 1 < Width; ++SX) {
      // Pixels on an edge between light and dark are left out.
      const bool Want = Dark(At(Screen.Picture, SX, Tops[1] + SY));
      bool Edge = false;
      for (auto [DX, DY] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}})
        Edge = Edge || Dark(At(Screen.Picture, SX + DX, Tops[1] + SY + DY)) != Want;
      if (Edge)
        continue;
      const int X = Margin + int((SX + 0.5) * ScaleX), Y = Margin + int((SY + 0.5) * ScaleY);
      const bool Got = Dark(At(Page, X, Y));
      ++Total;
      Same += Want == Got;
      Ink += Got;
    }
  EXPECT_GT(Ink, Total / 20);  // the page is not blank
  EXPECT_GE(Same * 1000, Total * 995) << Same << " of " << Total;
  // The margins stay white.
  for (int X = 0; X < Page.Width; X += 7)
    EXPECT_EQ(At(Page, X, Margin / 2) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PrintingTest, PrintEventsComeInOrderAndStopPrintingEndsTheDocument)
{
  Viewer->LoadFromString(LongDocument());
  Pump();
  TPrintJournal Journal;
  Viewer->OnPrintHTMLHeader = TPrintHTMLHeaderEvent(&Journal, &TPrintJournal::HTMLHeader);
  Viewer->OnPrintHTMLFooter = TPrintHTMLHeaderEvent(&Journal, &TPrintJournal::HTMLFooter);
  Viewer->OnPrintHeader = TPrintHeaderEvent(&Journal, &TPrintJournal::Header);
  Viewer->OnPrintFooter = TPrintHeaderEvent(&Journal, &TPrintJournal::Footer);
  const std::string File = (Dir / "events.pdf").string();
  const int Printed = Viewer->Print(2, 3, File);
  ASSERT_EQ(Printed, 2);
  const int Total = int(Viewer->PrintedPageTops().size());
  const std::vector<std::string> Expected{"html-header 2", "header 2", "html-footer 2", "footer 2",
                                          "html-header 3" + std::string(Total == 3 ? " last" : ""),
                                          "header 3",
                                          "html-footer 3" + std::string(Total == 3 ? " last" : ""),
                                          "footer 3"};
  EXPECT_EQ(Journal.Events, Expected);
  EXPECT_EQ(PdfPages(File), 2);

  Journal.Events.clear();
  Journal.StopAfter = 1;
  EXPECT_EQ(Viewer->Print(1, 0, File), 1);
  EXPECT_EQ(PdfPages(File), 1);
}

TEST_F(PrintingTest, ATableRowLowOnAPageGoesWholeToTheNext)
{
  std::string Page = "<BODY>";
  for (int I = 0; I < 30; ++I)
    Page += "<P>Lead paragraph " + std::to_string(I) + "</P>";
  Page += "<TABLE border=1>";
  for (int R = 0; R < 40; ++R)
    Page += "<TR><TD>row " + std::to_string(R) + "<BR>second line<BR>third line</TD><TD>cell</TD></TR>";
  Page += "</TABLE>";
  Viewer->LoadFromString(Page);
  Pump();
  Viewer->Print(1, 0, (Dir / "table.pdf").string());
  const std::vector<int> Tops = Viewer->PrintedPageTops();
  ASSERT_GE(Tops.size(), 2u);
  // Where the table's rows lie in the printed layout: each page after the
  // first starts at a row's top (less half the spacing), never inside a row.
  Render(Viewer->SectionList(), Viewer->PrintedWidth());
  const std::vector<TRowSpan> Rows = TableRows(Viewer->SectionList());
  ASSERT_EQ(Rows.size(), 40u);
  for (std::size_t P = 1; P < Tops.size(); ++P)
    for (const TRowSpan& R : Rows)
      EXPECT_FALSE(R.Top + R.Spacing < Tops[P] && Tops[P] < R.Bottom) << "page " << P + 1 << " cuts a row";
}
