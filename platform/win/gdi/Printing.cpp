#include "platform/win/gdi/Printing.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <dlfcn.h>

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

namespace PrintingDetail {

// The cairo calls the printer makes, found in the library when the first
// printer is made; none when the library cannot be loaded (no printer then).
struct TCairo {
#define CORVANE_CAIRO_CALLS(X)                                                                                   \
  X(cairo_pdf_surface_create) X(cairo_pdf_surface_set_metadata) X(cairo_surface_status) X(cairo_surface_destroy)  \
  X(cairo_surface_finish) X(cairo_surface_flush) X(cairo_surface_mark_dirty) X(cairo_image_surface_create)        \
  X(cairo_image_surface_get_data) X(cairo_image_surface_get_stride) X(cairo_create) X(cairo_destroy)             \
  X(cairo_scale) X(cairo_set_source_surface) X(cairo_get_source) X(cairo_pattern_set_filter) X(cairo_paint)      \
  X(cairo_show_page) X(cairo_status)
#define CORVANE_CAIRO_FIELD(name) decltype(&::name) name = nullptr;
  CORVANE_CAIRO_CALLS(CORVANE_CAIRO_FIELD)
#undef CORVANE_CAIRO_FIELD
  bool Loaded = false;
};

const TCairo* Cairo()
{
  static const TCairo* Api = [] {
    static TCairo C;
    void* Module = dlopen("libcairo.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!Module)
      return static_cast<const TCairo*>(nullptr);
    bool All = true;
#define CORVANE_CAIRO_FIND(name)                                                  \
  C.name = reinterpret_cast<decltype(&::name)>(dlsym(Module, #name));              \
  All = All && C.name;
    CORVANE_CAIRO_CALLS(CORVANE_CAIRO_FIND)
#undef CORVANE_CAIRO_FIND
    C.Loaded = All;
    return All ? &C : static_cast<const TCairo*>(nullptr);
  }();
  return Api;
}
#undef CORVANE_CAIRO_CALLS

}  // namespace PrintingDetail

using PrintingDetail::Cairo;

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
      Cairo()->cairo_surface_destroy(Pdf);
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
  if ((!drv.empty() && drv != "WINSPOOL") || (!name.empty() && name != DefaultPrinterName) || !Cairo()) {
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
  cairo_surface_t* pdf = Cairo()->cairo_pdf_surface_create(job->FileName.c_str(), w, hgt);
  if (Cairo()->cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
    Cairo()->cairo_surface_destroy(pdf);
    SetLastError(5);  // access denied
    return SP_ERROR;
  }
  if (info && info->lpszDocName)
    Cairo()->cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, info->lpszDocName);
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
  cairo_surface_t* image = Cairo()->cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, hgt);
  if (Cairo()->cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    Cairo()->cairo_surface_destroy(image);
    return SP_ERROR;
  }
  Cairo()->cairo_surface_flush(image);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -hgt;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(std::size_t(w) * std::size_t(hgt));
  GetDIBits(h, job->Page, 0, UINT(hgt), pixels.data(), &bi, DIB_RGB_COLORS);
  unsigned char* data = Cairo()->cairo_image_surface_get_data(image);
  const int stride = Cairo()->cairo_image_surface_get_stride(image);
  for (int y = 0; y < hgt; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + std::ptrdiff_t(y) * stride);
    for (int x = 0; x < w; ++x)
      row[x] = pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] & 0x00FFFFFF;
  }
  Cairo()->cairo_surface_mark_dirty(image);
  cairo_t* cr = Cairo()->cairo_create(job->Pdf);
  Cairo()->cairo_scale(cr, 72.0 / TPrintJob::Dpi, 72.0 / TPrintJob::Dpi);
  Cairo()->cairo_set_source_surface(cr, image, 0, 0);
  Cairo()->cairo_pattern_set_filter(Cairo()->cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  Cairo()->cairo_paint(cr);
  Cairo()->cairo_show_page(cr);
  const bool ok = Cairo()->cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  Cairo()->cairo_destroy(cr);
  Cairo()->cairo_surface_destroy(image);
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
  Cairo()->cairo_surface_finish(job->Pdf);
  const bool ok = Cairo()->cairo_surface_status(job->Pdf) == CAIRO_STATUS_SUCCESS;
  Cairo()->cairo_surface_destroy(job->Pdf);
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
  Cairo()->cairo_surface_destroy(job->Pdf);
  job->Pdf = nullptr;
  std::remove(job->FileName.c_str());
  return 1;
}
