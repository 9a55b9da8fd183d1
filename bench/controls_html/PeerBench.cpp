// Our document against a peer engine, side by side on the same documents:
// parse plus layout at width 600, and the peak memory each takes, in one
// run. The peer is linked as a black box and only timed: a small document
// container over our drawing layer's fonts hands it the same text widths
// that ours measures with.
//
// Documents: the chat window's document at 1,000 and 5,000 messages, and a
// generic page of 1 MiB made below (headings, paragraphs with inline markup
// and links, lists, divisions with classes, a style sheet; no tables, which
// ours does not lay out yet).
#include <benchmark/benchmark.h>

#include <litehtml.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "ChatDocument.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/text/RasterFontService.h"
#include "platform/base/Utf.h"

// --- heap in use and its peak, for both engines alike
namespace {
std::atomic<std::size_t> InUse{0}, Peak{0};
}

// The replacements take their blocks from malloc and count what malloc
// gives (its usable size), so every block is counted the same way.
void* operator new(std::size_t Size)
{
  void* P = std::malloc(Size ? Size : 1);
  if (!P)
    throw std::bad_alloc();
  const std::size_t Now = InUse += malloc_usable_size(P);
  std::size_t Old = Peak;
  while (Now > Old && !Peak.compare_exchange_weak(Old, Now)) {
  }
  return P;
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* P) noexcept
{
  if (!P)
    return;
  InUse -= malloc_usable_size(P);
  std::free(P);
}
#pragma GCC diagnostic pop
void operator delete(void* P, std::size_t) noexcept { operator delete(P); }
void* operator new[](std::size_t Size) { return operator new(Size); }
void operator delete[](void* P) noexcept { operator delete(P); }
void operator delete[](void* P, std::size_t) noexcept { operator delete(P); }

namespace {

const TRasterFontService& Fonts()
{
  static const TRasterFontService Service;
  return Service;
}

// --- the generic page
std::string GenericPage(std::size_t Bytes)
{
  static const char* const Words[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing", "elit",
                                      "sed", "do", "eiusmod", "tempor", "incididunt", "ut", "labore", "et", "dolore",
                                      "magna", "aliqua", "enim", "ad", "minim", "veniam", "quis", "nostrud"};
  unsigned Seed = 12345;
  auto Next = [&] { return Seed = Seed * 1103515245u + 12345u, (Seed >> 16) & 0x7FFF; };
  auto Text = [&](int N) {
    std::string S;
    for (int I = 0; I < N; ++I) {
      const unsigned R = Next();
      const std::string W = Words[R % 25];
      if (R % 17 == 0)
        S += "<b>" + W + "</b> ";
      else if (R % 19 == 0)
        S += "<i>" + W + "</i> ";
      else if (R % 23 == 0)
        S += "<a href=\"page" + std::to_string(R % 100) + ".html\">" + W + "</a> ";
      else if (R % 29 == 0)
        S += "<span class=\"note\">" + W + "</span> ";
      else
        S += W + " ";
    }
    return S;
  };
  std::string S = "<html><head><title>Page</title><style>\n"
                  "body { font-family: serif; font-size: 16px; margin: 8px }\n"
                  "h1 { font-size: 32px } h2 { font-size: 24px; color: #333366 }\n"
                  ".box { border: 1px solid #999999; background-color: #EEEEEE; padding: 4px; margin: 6px 0 }\n"
                  ".note { color: #AA0000 } .wide { margin-left: 40px }\n"
                  "</style></head><body>\n";
  int Section = 0;
  while (S.size() < Bytes) {
    S += "<h2>Section " + std::to_string(++Section) + "</h2>\n";
    for (int P = 0; P < 4; ++P)
      S += "<p>" + Text(40 + int(Next() % 60)) + "</p>\n";
    S += "<ul>";
    for (int L = 0; L < 5; ++L)
      S += "<li>" + Text(8) + "</li>";
    S += "</ul>\n<div class=\"box\"><div class=\"wide\">" + Text(30) + "</div>" + Text(20) + "</div>\n";
    if (Section % 10 == 0)
      S += "<h1>Part " + std::to_string(Section / 10) + "</h1>\n";
  }
  return S + "</body></html>\n";
}

const std::string& Document(int Which)
{
  static std::map<int, std::string> Made;
  std::string& S = Made[Which];
  if (S.empty())
    S = Which == 0 ? ChatDocument(1000) : Which == 1 ? ChatDocument(5000) : GenericPage(1 << 20);
  return S;
}

const char* DocumentName(int Which) { return Which == 0 ? "chat-1000" : Which == 1 ? "chat-5000" : "page-1MiB"; }

// --- the peer's container: fonts and widths from our drawing layer,
// nothing drawn (only parse and layout are measured)
struct TPeerFont {
  THtmlFontDesc Desc;
};

class TPeerContainer : public litehtml::document_container {
public:
  litehtml::uint_ptr create_font(const litehtml::tchar_t* FaceName, int Size, int Weight, litehtml::font_style Italic,
                                 unsigned int, litehtml::font_metrics* Fm) override
  {
    auto* F = new TPeerFont;
    std::string Face = FaceName ? FaceName : "";
    if (const std::size_t Comma = Face.find(','); Comma != std::string::npos)
      Face.erase(Comma);
    F->Desc.Name = Face;
    F->Desc.Height = -Size;
    if (Weight >= 600)
      F->Desc.Style.Include(fsBold);
    if (Italic == litehtml::fontStyleItalic)
      F->Desc.Style.Include(fsItalic);
    const THtmlTextMetrics M = Fonts().Metrics(F->Desc);
    if (Fm) {
      Fm->height = M.Height;
      Fm->ascent = M.Ascent;
      Fm->descent = M.Descent;
      Fm->x_height = M.Ascent / 2;
      Fm->draw_spaces = false;
    }
    return reinterpret_cast<litehtml::uint_ptr>(F);
  }
  void delete_font(litehtml::uint_ptr Font) override { delete reinterpret_cast<TPeerFont*>(Font); }
  int text_width(const litehtml::tchar_t* Text, litehtml::uint_ptr Font) override
  {
    const std::u16string W = UTF8Decode(Text);
    if (W.empty())
      return 0;
    Extents.resize(W.size());
    Fonts().TextExtents(reinterpret_cast<TPeerFont*>(Font)->Desc, W.data(), int(W.size()), Extents.data());
    return Extents.back();
  }
  void draw_text(litehtml::uint_ptr, const litehtml::tchar_t*, litehtml::uint_ptr, litehtml::web_color,
                 const litehtml::position&) override {}
  int pt_to_px(int Pt) const override { return Pt * Fonts().PixelsPerInch() / 72; }
  int get_default_font_size() const override { return 16; }
  const litehtml::tchar_t* get_default_font_name() const override { return "Times New Roman"; }
  void draw_list_marker(litehtml::uint_ptr, const litehtml::list_marker&) override {}
  void load_image(const litehtml::tchar_t*, const litehtml::tchar_t*, bool) override {}
  void get_image_size(const litehtml::tchar_t*, const litehtml::tchar_t*, litehtml::size& Sz) override
  {
    Sz.width = 16;
    Sz.height = 16;
  }
  void draw_background(litehtml::uint_ptr, const litehtml::background_paint&) override {}
  void draw_borders(litehtml::uint_ptr, const litehtml::borders&, const litehtml::position&, bool) override {}
  void set_caption(const litehtml::tchar_t*) override {}
  void set_base_url(const litehtml::tchar_t*) override {}
  void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
  void on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) override {}
  void set_cursor(const litehtml::tchar_t*) override {}
  void transform_text(litehtml::tstring&, litehtml::text_transform) override {}
  void import_css(litehtml::tstring&, const litehtml::tstring&, litehtml::tstring&) override {}
  void set_clip(const litehtml::position&, const litehtml::border_radiuses&, bool, bool) override {}
  void del_clip() override {}
  void get_client_rect(litehtml::position& Client) const override
  {
    Client.x = 0;
    Client.y = 0;
    Client.width = 600;
    Client.height = 400;
  }
  std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                                                    const std::shared_ptr<litehtml::document>&) override
  {
    return nullptr;
  }
  void get_media_features(litehtml::media_features& Media) const override
  {
    Media.type = litehtml::media_type_screen;
    Media.width = 600;
    Media.height = 400;
    Media.device_width = 1024;
    Media.device_height = 768;
    Media.color = 8;
    Media.monochrome = 0;
    Media.color_index = 256;
    Media.resolution = 96;
  }
  void get_language(litehtml::tstring& Language, litehtml::tstring& Culture) const override
  {
    Language = "fr";
    Culture = "";
  }

private:
  std::vector<int> Extents;
};

// The defaults the peer starts from, written here to match what ours gives
// every document: block elements, their margins, the heading sizes, list
// items and line breaks.
const char* const PeerDefaults =
    "html, body, div, p, h1, h2, h3, h4, h5, h6, ul, ol, li, pre, blockquote, address, center, form, hr, "
    "dl, dt, dd { display: block }\n"
    "head, style, script, title, meta, link { display: none }\n"
    "li { display: list-item }\n"
    "body { margin: 5px 10px }\n"
    "p, ul, ol, pre, blockquote, dl { margin-top: 1em; margin-bottom: 1em }\n"
    "ul, ol { padding-left: 40px }\n"
    "h1 { font-size: 2em; font-weight: bold; margin: 0.67em 0 } h2 { font-size: 1.5em; font-weight: bold; margin: 0.83em 0 }\n"
    "h3 { font-size: 1.17em; font-weight: bold } b, strong { font-weight: bold } i, em { font-style: italic }\n"
    "a { color: blue; text-decoration: underline } pre { white-space: pre; font-family: monospace }\n"
    "br { display: block }\n";

// --- the two engines
void OursOnce(const std::string& Text, int& Height)
{
  TSectionList Doc(Fonts());
  Doc.SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  Doc.LoadLinkedSheets = false;
  Doc.RestrictFiles = true;  // no pictures read: the peer gets none either
  ParseHtmlIntoSections(Text, Doc);
  Height = Doc.DoLogic(600, 400);
}

void PeerOnce(const std::string& Text, int& Height)
{
  static TPeerContainer Container;
  static litehtml::context Context;
  static bool Ready = false;
  if (!Ready) {
    Context.load_master_stylesheet(PeerDefaults);
    Ready = true;
  }
  litehtml::document::ptr Doc = litehtml::document::createFromString(Text.c_str(), &Container, &Context);
  Doc->render(600);
  Height = Doc->height();
}

void BM_SideBySide(benchmark::State& State)
{
  const int Engine = int(State.range(0)), Which = int(State.range(1));
  const std::string& Text = Document(Which);
  auto Once = Engine == 0 ? OursOnce : PeerOnce;
  int Height = 0;
  // Peak heap of one parse and layout, above what was in use before.
  Once(Text, Height);
  const std::size_t Before = InUse;
  Peak = Before;
  Once(Text, Height);
  const double PeakBytes = double(Peak - Before);
  for (auto _ : State) {
    Once(Text, Height);
    benchmark::DoNotOptimize(Height);
  }
  State.SetLabel(std::string(Engine == 0 ? "ours " : "peer ") + DocumentName(Which));
  State.counters["height"] = Height;
  State.counters["peak_MiB"] = PeakBytes / (1 << 20);
  State.counters["doc_KiB"] = double(Text.size()) / 1024;
}
BENCHMARK(BM_SideBySide)->ArgsProduct({{0, 1}, {0, 1, 2}})->ArgNames({"engine", "doc"})->Unit(benchmark::kMillisecond);

}  // namespace
