#include "platform/win/gdi/Printing.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/PrintJob.h"

namespace gdi {

struct TPrintJob {
  // A4 at the printer's resolution.
  static constexpr int Dpi = 150;
  static constexpr int PageWidth = 1240;   // 210 mm
  static constexpr int PageHeight = 1754;  // 297 mm
  HBITMAP Page = nullptr;
  HGDIOBJ OldBitmap = nullptr;
  cairo_surface_t* Pdf = nullptr;
  std::string FileName;
  bool InPage = false;
  int PageCount = 0;

  ~TPrintJob()
  {
    if (Pdf) {
      cairo_surface_destroy(Pdf);
      std::remove(FileName.c_str());  // a document never ended is not left half written
    }
  }
};

int PrinterDeviceCaps(const TPrintJob&, int index)
{
  switch (index) {
  case DRIVERVERSION: return 0x4000;
  case TECHNOLOGY: return DT_RASPRINTER;
  case HORZRES: case PHYSICALWIDTH: return TPrintJob::PageWidth;
  case VERTRES: case PHYSICALHEIGHT: return TPrintJob::PageHeight;
  case PHYSICALOFFSETX: case PHYSICALOFFSETY: return 0;
  case HORZSIZE: return 210;
  case VERTSIZE: return 297;
  case BITSPIXEL: return 32;
  case PLANES: return 1;
  case NUMCOLORS: return -1;
  case RASTERCAPS: return RC_BITBLT | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
  case ASPECTX: case ASPECTY: return 36;
  case LOGPIXELSX: case LOGPIXELSY: return TPrintJob::Dpi;
  case COLORRES: return 24;
  default: return 0;
  }
}

namespace {

std::shared_ptr<TPrintJob> JobOf(HDC h, std::shared_ptr<TDC>* dcOut = nullptr)
{
  auto dc = LookupDC(h);
  if (!dc || !dc->Printer)
    return nullptr;
  if (dcOut)
    *dcOut = dc;
  return dc->Printer;
}

std::string DefaultOutput(LPCSTR title)
{
  std::string name = title && *title ? title : "document";
  for (char& c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32)
      c = '_';
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/" + name + ".pdf";
}

}  // namespace

}  // namespace gdi

using namespace gdi;

HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR, const void*)
{
  const std::string drv = driver ? driver : "";
  const std::string name = device ? device : "";
  if ((!drv.empty() && drv != "WINSPOOL") || (!name.empty() && name != DefaultPrinterName)) {
    SetLastError(1801);  // the printer name is invalid
    return nullptr;
  }
  HDC h = CreateCompatibleDC(nullptr);
  auto dc = LookupDC(h);
  auto job = std::make_shared<TPrintJob>();
  job->Page = CreateBitmap(TPrintJob::PageWidth, TPrintJob::PageHeight, 1, 32, nullptr);
  if (!dc || !job->Page) {
    if (job->Page)
      DeleteObject(job->Page);
    DeleteDC(h);
    SetLastError(8);  // not enough memory
    return nullptr;
  }
  job->OldBitmap = SelectObject(h, job->Page);
  dc->Printer = job;
  return h;
}

int StartDoc(HDC h, const DOCINFO* info)
{
  auto job = JobOf(h);
  if (!job || job->Pdf)
    return SP_ERROR;
  job->FileName = info && info->lpszOutput && *info->lpszOutput ? std::string(info->lpszOutput)
                                                                 : DefaultOutput(info ? info->lpszDocName : nullptr);
  // PDF units are points: the page in pixels at the printer's resolution.
  const double w = TPrintJob::PageWidth * 72.0 / TPrintJob::Dpi, hgt = TPrintJob::PageHeight * 72.0 / TPrintJob::Dpi;
  cairo_surface_t* pdf = cairo_pdf_surface_create(job->FileName.c_str(), w, hgt);
  if (cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(pdf);
    SetLastError(5);  // access denied
    return SP_ERROR;
  }
  if (info && info->lpszDocName)
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, info->lpszDocName);
  job->Pdf = pdf;
  job->PageCount = 0;
  return 1;
}

int StartPage(HDC h)
{
  auto job = JobOf(h);
  if (!job || !job->Pdf || job->InPage)
    return SP_ERROR;
  job->InPage = true;
  const TRect page{0, 0, TPrintJob::PageWidth, TPrintJob::PageHeight};
  SaveDC(h);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillRect(h, &page, white);
  return 1;
}

int EndPage(HDC h)
{
  auto job = JobOf(h);
  if (!job || !job->Pdf || !job->InPage)
    return SP_ERROR;
  job->InPage = false;
  RestoreDC(h, -1);
  // The page's pixels become an image that fills the PDF page.
  const int w = TPrintJob::PageWidth, hgt = TPrintJob::PageHeight;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, hgt);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return SP_ERROR;
  }
  cairo_surface_flush(image);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -hgt;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(std::size_t(w) * std::size_t(hgt));
  GetDIBits(h, job->Page, 0, UINT(hgt), pixels.data(), &bi, DIB_RGB_COLORS);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < hgt; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + std::ptrdiff_t(y) * stride);
    for (int x = 0; x < w; ++x)
      row[x] = pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] & 0x00FFFFFF;
  }
  cairo_surface_mark_dirty(image);
  cairo_t* cr = cairo_create(job->Pdf);
  cairo_scale(cr, 72.0 / TPrintJob::Dpi, 72.0 / TPrintJob::Dpi);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_show_page(cr);
  const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_destroy(image);
  if (!ok)
    return SP_ERROR;
  ++job->PageCount;
  return 1;
}

int EndDoc(HDC h)
{
  auto job = JobOf(h);
  if (!job || !job->Pdf)
    return SP_ERROR;
  if (job->InPage)
    EndPage(h);
  cairo_surface_finish(job->Pdf);
  const bool ok = cairo_surface_status(job->Pdf) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(job->Pdf);
  job->Pdf = nullptr;
  if (!ok) {
    std::remove(job->FileName.c_str());
    return SP_ERROR;
  }
  return 1;
}

int AbortDoc(HDC h)
{
  auto job = JobOf(h);
  if (!job || !job->Pdf)
    return SP_ERROR;
  if (job->InPage) {
    job->InPage = false;
    RestoreDC(h, -1);
  }
  cairo_surface_destroy(job->Pdf);
  job->Pdf = nullptr;
  std::remove(job->FileName.c_str());
  return 1;
}
