// The platform's printer: a printer DC draws pages like a memory DC, and its
// document is a PDF file whose pages, read back with pdftoppm at the
// printer's resolution, hold what was drawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "platform/win/gdi/gdi.h"
#include "platform/win/gdi/Printing.h"
#include "tests/support/GoldenImage.h"

namespace {

std::filesystem::path TempDir()
{
  auto Dir = std::filesystem::temp_directory_path() / ("draw-print-" + std::to_string(getpid()));
  std::filesystem::create_directories(Dir);
  return Dir;
}

}  // namespace

TEST(PrintingTest, PagesDrawnOnThePrinterComeBackFromThePdf)
{
  const auto Dir = TempDir();
  const std::string File = (Dir / "out.pdf").string();
  HDC Printer = CreateDC("WINSPOOL", nullptr, nullptr, nullptr);
  ASSERT_NE(Printer, nullptr);
  EXPECT_EQ(GetDeviceCaps(Printer, LOGPIXELSX), 150);
  EXPECT_EQ(GetDeviceCaps(Printer, PHYSICALWIDTH), 1240);
  EXPECT_EQ(GetDeviceCaps(Printer, PHYSICALHEIGHT), 1754);
  EXPECT_EQ(GetDeviceCaps(Printer, TECHNOLOGY), DT_RASPRINTER);
  DOCINFO Info;
  Info.lpszDocName = "test";
  Info.lpszOutput = File.c_str();
  ASSERT_GT(StartDoc(Printer, &Info), 0);
  EXPECT_EQ(StartDoc(Printer, &Info), SP_ERROR);  // one document at a time
  const COLORREF Colours[2] = {RGB(200, 0, 0), RGB(0, 0, 200)};
  for (COLORREF C : Colours) {
    ASSERT_GT(StartPage(Printer), 0);
    HBRUSH Brush = CreateSolidBrush(C);
    const TRect R{100, 200, 400, 300};
    FillRect(Printer, &R, Brush);
    DeleteObject(Brush);
    ASSERT_GT(EndPage(Printer), 0);
  }
  ASSERT_GT(EndDoc(Printer), 0);
  DeleteDC(Printer);

  for (int Page = 1; Page <= 2; ++Page) {
    const std::string Png = (Dir / ("p" + std::to_string(Page))).string();
    ASSERT_EQ(std::system(("pdftoppm -r 150 -png -f " + std::to_string(Page) + " -l " + std::to_string(Page) +
                           " -singlefile '" + File + "' '" + Png + "'").c_str()), 0);
    TPixelImage Image;
    ASSERT_TRUE(ReadPng(Png + ".png", Image));
    ASSERT_EQ(Image.Width, 1240);
    ASSERT_EQ(Image.Height, 1754);
    const COLORREF C = Colours[Page - 1];
    const std::uint32_t Want = (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C);
    EXPECT_EQ(Image.Pixels[std::size_t(250 * Image.Width + 250)] & 0xFFFFFF, Want) << Page;
    EXPECT_EQ(Image.Pixels[std::size_t(150 * Image.Width + 250)] & 0xFFFFFF, 0xFFFFFFu) << Page;  // a white page
    EXPECT_EQ(Image.Pixels[std::size_t(250 * Image.Width + 99)] & 0xFFFFFF, 0xFFFFFFu) << Page;
  }
  std::filesystem::remove_all(Dir);
}

TEST(PrintingTest, AnAbandonedOrUnwritableDocumentLeavesNoFile)
{
  const auto Dir = TempDir();
  const std::string File = (Dir / "gone.pdf").string();
  HDC Printer = CreateDC(nullptr, DefaultPrinterName, nullptr, nullptr);
  ASSERT_NE(Printer, nullptr);
  DOCINFO Info;
  Info.lpszOutput = File.c_str();
  ASSERT_GT(StartDoc(Printer, &Info), 0);
  StartPage(Printer);
  EXPECT_GT(AbortDoc(Printer), 0);
  EXPECT_FALSE(std::filesystem::exists(File));
  // A file in a folder that does not exist cannot be made.
  const std::string Nowhere = (Dir / "no-such-folder" / "x.pdf").string();
  Info.lpszOutput = Nowhere.c_str();
  EXPECT_EQ(StartDoc(Printer, &Info), SP_ERROR);
  // Pages outside a document go nowhere.
  EXPECT_EQ(StartPage(Printer), SP_ERROR);
  EXPECT_EQ(EndDoc(Printer), SP_ERROR);
  DeleteDC(Printer);
  EXPECT_EQ(CreateDC("WINSPOOL", "Some other printer", nullptr, nullptr), nullptr);
  std::filesystem::remove_all(Dir);
}
