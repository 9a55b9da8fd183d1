// THtmlView printing: the document laid out at the width of a printed page
// and painted page after page onto the platform's printer. Each page is
// painted at the document's own scale into a bitmap, which goes onto the
// printer's page scaled by the printer's resolution and PrintScale. A page
// ends above the first line it would cut (and where a table row asks), so
// no line is ever printed in two halves.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/base/Exception.h"
#include "platform/base/Utf.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/gdi/Printing.h"

struct THtmlView::TPrintGeometry {
  int PageWidth = 0, PageHeight = 0;  // printer pixels
  int Left = 0, Right = 0, Top = 0, Bottom = 0;  // margins, printer pixels
  double Scale = 1;                   // printer pixels per document pixel
  int DocWidth = 0, DocPageHeight = 0;  // the printed area in document pixels
};

namespace HtmlViewPrintDetail {

// A 32-bit bitmap of the document's scale to paint a page in.
class TPageCanvas {
public:
  TPageCanvas(int Width, int Height) : FWidth(std::max(1, Width)), FHeight(std::max(1, Height))
  {
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateBitmap(FWidth, FHeight, 1, 32, nullptr);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TPageCanvas()
  {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TPageCanvas(const TPageCanvas&) = delete;
  TPageCanvas& operator=(const TPageCanvas&) = delete;
  HDC DC() const { return FDC; }
  void Fill(const TRect& R, TColor Color) { FillSolid(FDC, R, Color); }
  // The first Rows rows stretched onto Target at (X, Y) in W x H, through a
  // device-independent copy of their pixels.
  void CopyTo(HDC Target, int X, int Y, int W, int H, int Rows) const
  {
    Rows = std::clamp(Rows, 0, FHeight);
    if (Rows == 0 || W <= 0 || H <= 0)
      return;
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = FWidth;
    Info.bmiHeader.biHeight = -FHeight;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> Pixels(std::size_t(FWidth) * std::size_t(FHeight));
    if (!GetDIBits(FDC, FBitmap, 0, UINT(FHeight), Pixels.data(), &Info, DIB_RGB_COLORS))
      return;
    Info.bmiHeader.biHeight = -Rows;
    const int OldMode = SetStretchBltMode(Target, COLORONCOLOR);
    StretchDIBits(Target, X, Y, W, H, 0, 0, FWidth, Rows, Pixels.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(Target, OldMode);
  }

private:
  int FWidth, FHeight;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
};

int Scaled(double V) { return int(std::lround(V)); }

}  // namespace HtmlViewPrintDetail

int THtmlView::PaintPage(HDC DC, const TPrintGeometry& G, int PageTop)
{
  TSectionList& Doc = *FSectionList;
  Doc.YOff = PageTop;
  Doc.PageHeight = G.DocPageHeight;
  Doc.PageBottom = PageTop + G.DocPageHeight;
  Doc.PageShortened = false;
  FillSolid(DC, {0, 0, G.DocWidth, G.DocPageHeight}, Doc.PrintBackground ? Doc.Background : TColor(0xFFFFFF));
  Doc.Draw(DC, {0, 0, G.DocWidth, G.DocPageHeight}, 0);
  const int End = std::clamp(Doc.PageBottom, PageTop, PageTop + G.DocPageHeight);
  // What lies below the page's end is printed on the next page.
  FillSolid(DC, {0, End - PageTop, G.DocWidth, G.DocPageHeight},
            Doc.PrintBackground ? Doc.Background : TColor(0xFFFFFF));
  return End;
}

void THtmlView::DrawHeaderViewer(HDC Printer, const TPrintGeometry& G, int Number, bool LastPage, bool Footer,
                                 bool& Stop)
{
  using namespace HtmlViewPrintDetail;
  const TPrintHTMLHeaderEvent& Event = Footer ? OnPrintHTMLFooter : OnPrintHTMLHeader;
  if (!Event)
    return;
  // A viewer of the program's own header or footer, made for the page.
  auto Owned = std::make_unique<THtmlView>(nullptr, FFonts);
  THtmlView* HF = Owned.get();
  HF->SetVisible(false);
  HF->SetParent(this);
  HF->SetDefBackground(clWhite);
  int XL = G.Left, XR = G.PageWidth - G.Right;
  Event(this, HF, Number, LastPage, XL, XR, Stop);
  const int Height = Footer ? G.Bottom : G.Top;
  TSectionList& HFDoc = HF->SectionList();
  if (HFDoc.Sections.empty() || XR <= XL || Height <= 0)
    return;
  const int W = std::max(1, Scaled((XR - XL) / G.Scale)), H = std::max(1, Scaled(Height / G.Scale));
  HFDoc.DoLogic(W, H);
  HFDoc.YOff = 0;
  TPageCanvas Page(W, H);
  Page.Fill({0, 0, W, H}, 0xFFFFFF);
  HFDoc.Draw(Page.DC(), {0, 0, W, H}, 0);
  Page.CopyTo(Printer, XL, Footer ? G.PageHeight - G.Bottom : 0, XR - XL, Height, H);
}

bool THtmlView::PrintPage(HDC Printer, const TPrintGeometry& G, int Number, int PageTop, int PageEnd, bool LastPage)
{
  using namespace HtmlViewPrintDetail;
  bool Stop = false;
  DrawHeaderViewer(Printer, G, Number, LastPage, false, Stop);
  TCanvas Canvas;
  Canvas.SetHandle(Printer);
  if (OnPrintHeader)
    OnPrintHeader(this, &Canvas, Number, G.PageWidth, G.Top, Stop);
  TPageCanvas Page(G.DocWidth, G.DocPageHeight);
  PaintPage(Page.DC(), G, PageTop);
  // Only what this page holds: the rows from PageTop to PageEnd.
  const int Rows = std::clamp(PageEnd - PageTop, 0, G.DocPageHeight);
  Page.CopyTo(Printer, G.Left, G.Top, Scaled(G.DocWidth * G.Scale), Scaled(Rows * G.Scale), Rows);
  DrawHeaderViewer(Printer, G, Number, LastPage, true, Stop);
  if (OnPrintFooter) {
    TPoint Old;
    SetViewportOrgEx(Printer, 0, G.PageHeight - G.Bottom, &Old);
    OnPrintFooter(this, &Canvas, Number, G.PageWidth, G.Bottom, Stop);
    SetViewportOrgEx(Printer, Old.x, Old.y, nullptr);
  }
  Canvas.SetHandle(nullptr);
  return !Stop;
}

int THtmlView::Print(int FromPage, int ToPage, const std::string& OutputFile)
{
  using namespace HtmlViewPrintDetail;
  if (FProcessing || FSectionList->Sections.empty())
    return 0;
  HDC Printer = CreateDC("WINSPOOL", nullptr, nullptr, nullptr);
  if (!Printer)
    throw Exception("Aucune imprimante n'est disponible");
  TPrintGeometry G;
  G.PageWidth = GetDeviceCaps(Printer, PHYSICALWIDTH);
  G.PageHeight = GetDeviceCaps(Printer, PHYSICALHEIGHT);
  const int Dpi = std::max(1, GetDeviceCaps(Printer, LOGPIXELSX));
  const int OffsetX = GetDeviceCaps(Printer, PHYSICALOFFSETX), OffsetY = GetDeviceCaps(Printer, PHYSICALOFFSETY);
  auto Margin = [&](double Centimetres, int Offset) { return std::max(0, Scaled(Centimetres / 2.54 * Dpi) - Offset); };
  G.Left = Margin(PrintMarginLeft, OffsetX);
  G.Right = Margin(PrintMarginRight, OffsetX);
  G.Top = Margin(PrintMarginTop, OffsetY);
  G.Bottom = Margin(PrintMarginBottom, OffsetY);
  G.Scale = double(Dpi) / std::max(1, FFonts.PixelsPerInch()) * FPrintScale;
  G.DocWidth = Scaled((G.PageWidth - G.Left - G.Right) / G.Scale);
  G.DocPageHeight = Scaled((G.PageHeight - G.Top - G.Bottom) / G.Scale);
  if (G.DocWidth < 20 || G.DocPageHeight < 20) {
    DeleteDC(Printer);
    throw Exception("Les marges ne laissent pas de place pour imprimer");
  }

  TSectionList& Doc = *FSectionList;
  const int Position = GetPosition();
  const int OldYOff = Doc.YOff;
  int Printed = 0;
  FBusy = true;
  SetProcessing(true);
  auto Restore = [&] {
    Doc.Printing = false;
    Doc.YOff = OldYOff;
    FBusy = false;
    FormatDocument();
    SetPosition(Position);
    SetProcessing(false);
    FPaintPanel->Invalidate();
    DeleteDC(Printer);
  };
  try {
    Doc.Printing = true;
    Doc.PrintBackground = FOptions.Contains(htPrintBackground) || FOptions.Contains(htPrintTableBackground);
    Doc.PrintMonoBlack = FOptions.Contains(htPrintMonochromeBlack);
    Doc.MonochromePrinter = GetDeviceCaps(Printer, BITSPIXEL) * GetDeviceCaps(Printer, PLANES) == 1;
    const int Height = Doc.DoLogic(G.DocWidth, G.DocPageHeight);
    FPrintedWidth = G.DocWidth;
    // The pages: painting finds where each one ends.
    FPageTops.clear();
    std::vector<int> Ends;
    {
      TPageCanvas Scratch(G.DocWidth, G.DocPageHeight);
      for (int Top = 0; Top < Height || FPageTops.empty();) {
        int End = PaintPage(Scratch.DC(), G, Top);
        if (End <= Top)
          End = Top + G.DocPageHeight;  // nothing fitted: the page is cut where it ends
        FPageTops.push_back(Top);
        Ends.push_back(End);
        Top = End;
      }
    }
    const int Last = ToPage <= 0 ? int(FPageTops.size()) : std::min(ToPage, int(FPageTops.size()));
    const int First = std::max(1, FromPage);
    DOCINFO Info;
    const std::string Title = FTitle.empty() ? std::string("document") : UTF8Encode(FTitle);
    Info.lpszDocName = Title.c_str();
    Info.lpszOutput = OutputFile.empty() ? nullptr : OutputFile.c_str();
    if (First <= Last) {
      if (StartDoc(Printer, &Info) <= 0)
        throw Exception("Impossible d'ouvrir le document d'impression");
      for (int N = First; N <= Last; ++N) {
        StartPage(Printer);
        const bool GoOn = PrintPage(Printer, G, N, FPageTops[std::size_t(N - 1)], Ends[std::size_t(N - 1)],
                                    N == int(FPageTops.size()));
        if (EndPage(Printer) <= 0) {
          AbortDoc(Printer);
          throw Exception("L'impression a échoué");
        }
        ++Printed;
        if (!GoOn)
          break;
      }
      if (EndDoc(Printer) <= 0)
        throw Exception("L'impression a échoué");
    }
  } catch (...) {
    Restore();
    throw;
  }
  Restore();
  return Printed;
}
