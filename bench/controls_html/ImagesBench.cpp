// The image decoders side by side with Debian's: PNG against libpng with the
// same reductions, GIF (decoding and the strip) against giflib's whole-file
// read plus compositing, JPEG against djpeg and bare libjpeg, and the
// end-to-end loading of chat smileys. Files come from the generated corpus.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "ReferenceDecoders.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/DisplayState.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/Gif.h"
#include "controls/html/images/ImageLoading.h"
#include "controls/html/images/JpegMod.h"
#include "controls/html/images/PngImage.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/DeviceContext.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

std::string Corpus(const std::string& Name)
{
  return std::string(CORVANE_IMAGE_CORPUS_DIR) + "/" + Name;
}

TBytes Read(const std::string& Path)
{
  std::ifstream in(Path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// PNG

void OwnPng(benchmark::State& State, const std::string& Name)
{
  const TBytes data = Read(Corpus(Name));
  for (auto _ : State) {
    TByteViewStream stream(data.data(), data.size());
    TPNGImage png;
    png.LoadFromStream(&stream);
    benchmark::DoNotOptimize(png.ScanLine(0));
  }
}

struct TLibpngSource {
  const TBytes* Data;
  std::size_t Pos;
};

void ReadFromBytes(png_structp Png, png_bytep Out, png_size_t Count)
{
  auto* s = static_cast<TLibpngSource*>(png_get_io_ptr(Png));
  std::memcpy(Out, s->Data->data() + s->Pos, Count);
  s->Pos += Count;
}

// libpng with the reductions the own decoder makes: 16 bits to 8, alpha
// dropped, RGB stored as BGR, palette and grey samples kept as they are.
void Libpng(benchmark::State& State, const std::string& Name)
{
  const TBytes data = Read(Corpus(Name));
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  for (auto _ : State) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    TLibpngSource source{&data, 0};
    png_set_read_fn(png, &source, ReadFromBytes);
    png_read_info(png, info);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    pixels.resize(rowBytes * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
      rows[y] = pixels.data() + y * rowBytes;
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// GIF

void StripMemory(benchmark::State& State, const TGif& Gif)
{
  const int w = Gif.ScreenWidth(), h = Gif.ScreenHeight(), n = Gif.ImageCount(), per = Gif.FramesPerStrip();
  double strip = 0, mask = 0;
  for (int first = 0; first < n; first += per) {
    const int across = w * std::min(per, n - first);
    strip += double(((across * 24 + 31) / 32) * 4) * h;
    if (Gif.AnyTransparent())
      mask += double(((across + 31) / 32) * 4) * h;
  }
  State.counters["strip_bytes"] = strip;
  State.counters["mask_bytes"] = mask;
}

void OwnGif(benchmark::State& State, std::vector<std::string> Names)
{
  std::vector<TBytes> files;
  for (const auto& n : Names)
    files.push_back(Read(Corpus(n)));
  for (auto _ : State)
    for (const TBytes& data : files) {
      TByteViewStream stream(data.data(), data.size());
      TGif gif;
      gif.LoadGif(&stream);
      std::vector<TGif::TStrip> strips = gif.BuildStrips();
      benchmark::DoNotOptimize(strips.data());
    }
  if (files.size() == 1) {
    TByteViewStream stream(files[0].data(), files[0].size());
    TGif gif;
    gif.LoadGif(&stream);
    StripMemory(State, gif);
  }
}

void Giflib(benchmark::State& State, std::vector<std::string> Names)
{
  std::vector<TBytes> files;
  for (const auto& n : Names)
    files.push_back(Read(Corpus(n)));
  std::vector<std::uint8_t> bgr, clear;
  for (auto _ : State)
    for (const TBytes& data : files) {
      TGifFrames frames;
      ReferenceGifDecode(data.data(), data.size(), frames);
      ComposeReferenceStrip(frames, frames.ScreenWidth, frames.ScreenHeight, bgr, clear);
      benchmark::DoNotOptimize(bgr.data());
    }
}

std::vector<std::string> Smileys(const char* Extension)
{
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(Corpus("smileys")))
    if (e.path().extension() == Extension)
      names.push_back("smileys/" + e.path().filename().string());
  return names;
}

// JPEG

void OwnJpeg(benchmark::State& State, const std::string& Name)
{
  const TBytes data = Read(Corpus(Name));
  for (auto _ : State) {
    TByteViewStream stream(data.data(), data.size());
    TJpegMod jpeg;
    jpeg.LoadFromStream(&stream);
    benchmark::DoNotOptimize(jpeg.Bitmap());
  }
}

// libjpeg alone into a new zeroed buffer (as a new bitmap is): what any
// wrapper costs at least.
void BareLibjpeg(benchmark::State& State, const std::string& Name)
{
  const TBytes data = Read(Corpus(Name));
  for (auto _ : State) {
    std::vector<std::uint8_t> pixels;
    jpeg_decompress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t stride = std::size_t(info.output_width) * 3;
    pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = pixels.data() + info.output_scanline * stride;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// The djpeg program writing a BMP to nowhere (process start included).
void Djpeg(benchmark::State& State, const std::string& Name)
{
  const std::string command = "djpeg -bmp -outfile /dev/null '" + Corpus(Name) + "'";
  for (auto _ : State)
    if (std::system(command.c_str()) != 0)
      State.SkipWithError("djpeg failed");
}

// A picture as the viewer loads it: decoded, masked and prepared for the display.
std::unique_ptr<TBitmap> Decode(const TBytes& Data, TTransparency Transparent)
{
  TMemoryStream stream;
  stream.WriteBuffer(Data.data(), Integer(Data.size()));
  TBitmap* mask = nullptr;
  std::unique_ptr<TBitmap> bitmap(DecodeImageStream(&stream, Transparent, mask));
  delete mask;
  return bitmap;
}

// End to end: detection, loading and preparing each smiley for display.
void EndToEnd(benchmark::State& State, std::vector<std::string> Names)
{
  std::vector<TBytes> files;
  for (const auto& n : Names)
    files.push_back(Read(Corpus(n)));
  for (auto _ : State)
    for (const TBytes& data : files) {
      const TImageKind kind = ImageKind(data.data(), data.size());
      if (kind == TImageKind::Gif87a || kind == TImageKind::Gif89a) {
        TByteViewStream stream(data.data(), data.size());
        bool still = false;
        std::unique_ptr<TGIFImage> image(GifStreamToImage(still, &stream));
        benchmark::DoNotOptimize(image.get());
      } else {
        std::unique_ptr<TBitmap> bitmap = Decode(data, LLCorner);
        benchmark::DoNotOptimize(bitmap.get());
      }
    }
  State.counters["per_smiley_us"] =
      benchmark::Counter(double(State.iterations()) * double(files.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One large picture of 256 colours written three ways: with a palette (plain,
// and with entry 0 marked transparent) and as RGBA (alpha 0 where the palette
// form is transparent). Loading them shows what a palette costs over the
// same pixels in 32-bit colour.
enum class TLargeForm { Palette, PaletteKey, Rgba };

void AppendPng(png_structp Png, png_bytep Data, png_size_t Count)
{
  auto* out = static_cast<TBytes*>(png_get_io_ptr(Png));
  out->insert(out->end(), Data, Data + Count);
}

TBytes LargePicture(TLargeForm Form)
{
  const int width = 3840, height = 2160;
  png_color palette[256];
  for (int i = 0; i < 256; ++i)
    palette[i] = png_color{png_byte(i * 37 + 11), png_byte(255 - i), png_byte((i * 101) ^ 0x5A)};
  // Smooth bands with some texture, so the file compresses like a drawing.
  auto index = [](int x, int y) { return std::uint8_t((x / 15 + y / 9 + ((x ^ y) & 3)) & 255); };
  TBytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendPng, nullptr);
  const bool rgba = Form == TLargeForm::Rgba;
  png_set_IHDR(png, info, width, height, 8, rgba ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!rgba)
    png_set_PLTE(png, info, palette, 256);
  if (Form == TLargeForm::PaletteKey) {
    png_byte alpha[1] = {0};
    png_set_tRNS(png, info, alpha, 1, nullptr);
  }
  png_write_info(png, info);
  std::vector<std::uint8_t> row(std::size_t(width) * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t i = index(x, y);
      if (!rgba) {
        row[std::size_t(x)] = i;
        continue;
      }
      std::uint8_t* p = &row[std::size_t(x) * 4];
      p[0] = palette[i].red;
      p[1] = palette[i].green;
      p[2] = palette[i].blue;
      p[3] = i == 0 ? 0 : 255;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Detection, decoding, the mask and the preparation for the display, as the
// viewer loads a picture; on a 24-bit display or an 8-bit one.
void LoadLarge(benchmark::State& State, TLargeForm Form, bool LowColor)
{
  const TBytes data = LargePicture(Form);
  SetLowColorDisplay(LowColor);
  MeasureDisplay();
  for (auto _ : State) {
    std::unique_ptr<TBitmap> bitmap = Decode(data, NotTransp);
    if (!bitmap)
      State.SkipWithError("the picture did not load");
    benchmark::DoNotOptimize(bitmap.get());
  }
  SetLowColorDisplay(false);
  MeasureDisplay();
}

void RegisterAll()
{
  RegisterPngFormat();
  for (const char* kind : {"c0-d8", "c0-d16", "c0-d2", "c2-d8", "c2-d16", "c3-d8", "c3-d4", "c4-d8", "c6-d8", "c6-d16"})
    for (int interlace : {0, 1}) {
      const std::string name = std::string("png/") + kind + "-i" + std::to_string(interlace) + "-256x256.png";
      benchmark::RegisterBenchmark(("Png/own/" + name).c_str(), OwnPng, name)->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("Png/libpng/" + name).c_str(), Libpng, name)->Unit(benchmark::kMicrosecond);
    }
  const std::string large = "png/large-rgb-2048x2048.png";
  benchmark::RegisterBenchmark(("Png/own/" + large).c_str(), OwnPng, large)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("Png/libpng/" + large).c_str(), Libpng, large)->Unit(benchmark::kMillisecond);

  for (bool lowColor : {false, true}) {
    const std::string display = lowColor ? "/8-bit-display" : "/24-bit-display";
    const std::pair<const char*, TLargeForm> forms[] = {
        {"palette", TLargeForm::Palette}, {"palette-key", TLargeForm::PaletteKey}, {"rgba", TLargeForm::Rgba}};
    for (const auto& [name, form] : forms)
      benchmark::RegisterBenchmark(("Load/3840x2160-" + std::string(name) + display).c_str(), LoadLarge, form, lowColor)
          ->Unit(benchmark::kMillisecond);
  }

  const std::vector<std::string> gifs = Smileys(".gif");
  benchmark::RegisterBenchmark("Gif/own/smileys", OwnGif, gifs)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Gif/giflib/smileys", Giflib, gifs)->Unit(benchmark::kMicrosecond);
  const std::vector<std::string> anim = {"gif/anim-200x200x50.gif"};
  benchmark::RegisterBenchmark("Gif/own/anim-200x200x50", OwnGif, anim)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Gif/giflib/anim-200x200x50", Giflib, anim)->Unit(benchmark::kMillisecond);

  for (const char* name : {"jpeg/large-4000x3000.jpg", "jpeg/photo-640x480.jpg", "jpeg/photo-640x480-progressive.jpg"}) {
    benchmark::RegisterBenchmark((std::string("Jpeg/own/") + name).c_str(), OwnJpeg, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("Jpeg/libjpeg/") + name).c_str(), BareLibjpeg, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("Jpeg/djpeg/") + name).c_str(), Djpeg, std::string(name))
        ->Unit(benchmark::kMillisecond);
  }

  std::vector<std::string> all = gifs;
  for (const char* ext : {".png", ".jpg"})
    for (const auto& n : Smileys(ext))
      all.push_back(n);
  benchmark::RegisterBenchmark("EndToEnd/smileys", EndToEnd, all)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv)
{
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
