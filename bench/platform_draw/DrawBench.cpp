// The raster's hot paths beside the memory operations they are measured
// against: fills and copies of a 1920x1080 area, the masked-brush blit,
// text with a warm glyph cache, and alpha blending.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/win/gdi/gdi.h"

namespace {

constexpr int W = 1920, H = 1080;

struct TTarget {
  TTarget(int w, int h, int bits = 32)
  {
    Bitmap = bits == 1 ? CreateBitmap(w, h, 1, 1, nullptr) : CreateBitmap(w, h, 1, 32, nullptr);
    DC = CreateCompatibleDC(nullptr);
    SelectObject(DC, Bitmap);
  }
  ~TTarget()
  {
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
  HBITMAP Bitmap;
  HDC DC;
};

void BM_Memset(benchmark::State& state)
{
  std::vector<uint32_t> buffer(std::size_t(W) * H);
  for (auto _ : state) {
    std::memset(buffer.data(), 0x5A, buffer.size() * 4);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_Memset);

void BM_FillRect(benchmark::State& state)
{
  TTarget t(W, H);
  HBRUSH brush = CreateSolidBrush(RGB(90, 90, 90));
  TRect r{0, 0, W, H};
  for (auto _ : state)
    FillRect(t.DC, &r, brush);
  DeleteObject(brush);
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_FillRect);

void BM_Memcpy(benchmark::State& state)
{
  std::vector<uint32_t> a(std::size_t(W) * H, 1), b(std::size_t(W) * H);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::DoNotOptimize(b.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_Memcpy);

void BM_BitBltSrcCopy(benchmark::State& state)
{
  TTarget src(W, H), dst(W, H);
  for (auto _ : state)
    BitBlt(dst.DC, 0, 0, W, H, src.DC, 0, 0, SRCCOPY);
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_BitBltSrcCopy);

// A 16x16 monochrome glyph painted in the brush colour through itself (the
// toolbars' chevrons and close crosses), and the same over a full screen.
void BM_MaskBlitGlyph(benchmark::State& state)
{
  TTarget mask(16, 16, 1), dst(64, 64);
  PatBlt(mask.DC, 0, 0, 16, 16, WHITENESS);
  PatBlt(mask.DC, 4, 4, 8, 8, BLACKNESS);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 128));
  SelectObject(dst.DC, brush);
  SetTextColor(dst.DC, RGB(0, 0, 0));
  SetBkColor(dst.DC, RGB(255, 255, 255));
  for (auto _ : state)
    BitBlt(dst.DC, 8, 8, 16, 16, mask.DC, 0, 0, ROP_DSPDXAX);
  SelectObject(dst.DC, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
  state.SetItemsProcessed(int64_t(state.iterations()) * 256);
}
BENCHMARK(BM_MaskBlitGlyph);

void BM_MaskBlitScreen(benchmark::State& state)
{
  TTarget mask(W, H), dst(W, H);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 128));
  SelectObject(dst.DC, brush);
  for (auto _ : state)
    BitBlt(dst.DC, 0, 0, W, H, mask.DC, 0, 0, ROP_DSPDXAX);
  SelectObject(dst.DC, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_MaskBlitScreen);

template <bool Builtin>
void BM_DrawText40(benchmark::State& state)
{
  TTarget t(400, 20);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, Builtin ? "Corvane Fixed" : "MS Sans Serif");
  SelectObject(t.DC, font);
  SetBkMode(t.DC, TRANSPARENT);
  const char* line = "Nouveau message de Quentin : a bientot !";  // 40 characters
  TRect r{0, 0, 400, 20};
  DrawText(t.DC, line, 40, &r, DT_SINGLELINE | DT_NOPREFIX);  // warm the cache
  for (auto _ : state)
    DrawText(t.DC, line, 40, &r, DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(t.DC, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  state.SetItemsProcessed(int64_t(state.iterations()) * 40);
  state.counters["glyphs/s"] = benchmark::Counter(double(state.iterations()) * 40, benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_DrawText40, false)->Name("BM_DrawText40/outline");
BENCHMARK_TEMPLATE(BM_DrawText40, true)->Name("BM_DrawText40/builtin");

void BM_AlphaBlend256(benchmark::State& state)
{
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 256;
  info.bmiHeader.biHeight = -256;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP src = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  for (int i = 0; i < 256 * 256; ++i)
    static_cast<uint32_t*>(bits)[i] = uint32_t(i & 0xFF) << 24;
  HDC srcDC = CreateCompatibleDC(nullptr);
  SelectObject(srcDC, src);
  TTarget dst(256, 256);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 61, AC_SRC_ALPHA};
  for (auto _ : state)
    AlphaBlend(dst.DC, 0, 0, 256, 256, srcDC, 0, 0, 256, 256, blend);
  DeleteDC(srcDC);
  DeleteObject(src);
  state.SetItemsProcessed(int64_t(state.iterations()) * 256 * 256);
}
BENCHMARK(BM_AlphaBlend256);

}  // namespace
