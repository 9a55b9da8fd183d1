// Writes the image corpus of the tests, benchmarks and fuzz seeds with
// Debian's libpng and giflib (and PPM/PGM sources that cjpeg turns into
// JPEG files): PNG in every colour type and depth, interlaced or not, GIF
// smileys and a long animation, BMP files of every depth.
//
//   html_image_corpus OUTPUT-FOLDER
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <png.h>

namespace {

namespace fs = std::filesystem;

// A fixed pseudo-random sequence, so the corpus is the same on every machine.
struct TRandom {
  std::uint32_t State;
  std::uint32_t Next()
  {
    State = State * 1664525u + 1013904223u;
    return State >> 8;
  }
};

// A picture of gradients and a little noise: realistic for filters.
std::uint16_t Sample(int X, int Y, int Channel, int Width, int Height, TRandom& R)
{
  const int base = (X * 255 / (Width > 1 ? Width - 1 : 1) * (Channel + 1) + Y * 255 / (Height > 1 ? Height - 1 : 1) *
                    (3 - Channel)) / 3;
  return std::uint16_t(((base & 0xFF) << 8) | (R.Next() & 0xFF)) ^ std::uint16_t((R.Next() % 5 == 0) ? 0x0300 : 0);
}

bool WritePng(const fs::path& Path, int Width, int Height, int ColorType, int Depth, bool Interlace, int Trns,
              std::uint32_t Seed)
{
  FILE* f = std::fopen(Path.c_str(), "wb");
  if (!f)
    return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(Width), png_uint_32(Height), Depth, ColorType,
               Interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  const int levels = 1 << (Depth > 8 ? 8 : Depth);
  if (ColorType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette(static_cast<std::size_t>(levels));
    for (int i = 0; i < levels; ++i)
      palette[std::size_t(i)] = png_color{png_byte(i * 37), png_byte(255 - i * 11), png_byte(i * 91)};
    png_set_PLTE(png, info, palette.data(), levels);
    if (Trns) {
      // Entry 3 (or the last) fully transparent, entry 1 half.
      std::vector<png_byte> alpha(std::size_t(levels < 4 ? levels : 4), 255);
      alpha[alpha.size() - 1] = 0;
      if (alpha.size() > 2)
        alpha[1] = 128;
      png_set_tRNS(png, info, alpha.data(), int(alpha.size()), nullptr);
    }
  } else if (Trns && (ColorType == PNG_COLOR_TYPE_GRAY || ColorType == PNG_COLOR_TYPE_RGB)) {
    png_color_16 key{};
    key.gray = png_uint_16(levels > 2 ? 1 : 0);
    key.red = 200;
    key.green = 100;
    key.blue = 50;
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  const int channels = ColorType == 2 ? 3 : ColorType == 4 ? 2 : ColorType == 6 ? 4 : 1;
  const std::size_t rowBytes = (std::size_t(Width) * std::size_t(channels) * std::size_t(Depth) + 7) / 8;
  std::vector<std::uint8_t> image(rowBytes * std::size_t(Height), 0);
  TRandom r{Seed};
  for (int y = 0; y < Height; ++y) {
    std::uint8_t* row = image.data() + std::size_t(y) * rowBytes;
    for (int x = 0; x < Width; ++x)
      for (int c = 0; c < channels; ++c) {
        std::uint16_t v = Sample(x, y, c, Width, Height, r);
        if (Trns && ColorType == PNG_COLOR_TYPE_RGB && Depth == 8 && (x + y) % 7 == 0)
          v = std::uint16_t(c == 0 ? 200 << 8 : c == 1 ? 100 << 8 : 50 << 8);
        if ((ColorType == 4 || ColorType == 6) && c == channels - 1)
          v = std::uint16_t(((x * 3 + y) % 4) * 0x5555);
        const std::size_t i = std::size_t(x) * std::size_t(channels) + std::size_t(c);
        if (Depth == 16) {
          row[2 * i] = std::uint8_t(v >> 8);
          row[2 * i + 1] = std::uint8_t(v);
        } else if (Depth == 8) {
          row[i] = std::uint8_t(v >> 8);
        } else {
          const unsigned s = (v >> 8) * unsigned(levels) / 256;
          const std::size_t bit = i * std::size_t(Depth);
          row[bit / 8] |= std::uint8_t(s << (8 - Depth - bit % 8));
        }
      }
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(Height));
  for (int y = 0; y < Height; ++y)
    rows[std::size_t(y)] = image.data() + std::size_t(y) * rowBytes;
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

// An animation: frames move a disc over a field; transparency and disposal
// vary with the seed.
bool WriteGif(const fs::path& Path, int Width, int Height, int Frames, std::uint32_t Seed, bool Loop,
              bool Interlace)
{
  int error = 0;
  GifFileType* gif = EGifOpenFileName(Path.c_str(), false, &error);
  if (!gif)
    return false;
  EGifSetGifVersion(gif, true);
  TRandom r{Seed};
  GifColorType colors[256];
  for (int i = 0; i < 256; ++i)
    colors[i] = GifColorType{GifByteType(i * 7), GifByteType(255 - i), GifByteType(i * 13)};
  ColorMapObject* map = GifMakeMapObject(256, colors);
  EGifPutScreenDesc(gif, Width, Height, 8, 0, map);
  if (Loop) {
    const GifByteType netscape[] = "NETSCAPE2.0";
    const GifByteType loops[3] = {1, GifByteType(Seed % 3), 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, netscape);
    EGifPutExtensionBlock(gif, 3, loops);
    EGifPutExtensionTrailer(gif);
  }
  const bool transparent = Seed % 2 == 0;
  for (int k = 0; k < Frames; ++k) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = int((Seed + unsigned(k)) % 4);
    gcb.DelayTime = int(r.Next() % 12);
    gcb.TransparentColor = transparent ? 0 : NO_TRANSPARENT_COLOR;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    // Later frames cover part of the screen only.
    const int left = k == 0 ? 0 : int(r.Next() % unsigned(Width / 2 + 1));
    const int top = k == 0 ? 0 : int(r.Next() % unsigned(Height / 2 + 1));
    const int w = k == 0 ? Width : Width - left, h = k == 0 ? Height : Height - top;
    EGifPutImageDesc(gif, left, top, w, h, Interlace, nullptr);
    std::vector<GifPixelType> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    const int cx = (k * 5) % Width, cy = Height / 2, rad = Width / 3 + 1;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int dx = left + x - cx, dy = top + y - cy;
        GifPixelType v = dx * dx + dy * dy < rad * rad ? GifPixelType(1 + (k * 17 + x / 3) % 200)
                                                       : GifPixelType(transparent && (x + y + k) % 3 ? 0 : 220 + y % 30);
        rows[std::size_t(y) * std::size_t(w) + std::size_t(x)] = v;
      }
    if (Interlace) {
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < h; y += step[pass])
          EGifPutLine(gif, rows.data() + std::size_t(y) * std::size_t(w), w);
    } else {
      for (int y = 0; y < h; ++y)
        EGifPutLine(gif, rows.data() + std::size_t(y) * std::size_t(w), w);
    }
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK;
}

bool WritePnm(const fs::path& Path, int Width, int Height, bool Grey, std::uint32_t Seed)
{
  FILE* f = std::fopen(Path.c_str(), "wb");
  if (!f)
    return false;
  std::fprintf(f, "%s\n%d %d\n255\n", Grey ? "P5" : "P6", Width, Height);
  TRandom r{Seed};
  std::vector<std::uint8_t> row(std::size_t(Width) * (Grey ? 1 : 3));
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x)
      for (int c = 0; c < (Grey ? 1 : 3); ++c)
        row[std::size_t(x) * (Grey ? 1 : 3) + std::size_t(c)] = std::uint8_t(Sample(x, y, c, Width, Height, r) >> 8);
    std::fwrite(row.data(), 1, row.size(), f);
  }
  std::fclose(f);
  return true;
}

void Put16(std::vector<std::uint8_t>& B, unsigned V)
{
  B.push_back(std::uint8_t(V));
  B.push_back(std::uint8_t(V >> 8));
}
void Put32(std::vector<std::uint8_t>& B, std::uint32_t V)
{
  Put16(B, V & 0xFFFF);
  Put16(B, V >> 16);
}

// A BMP file, bottom-up, 40-byte header, a grey-blue colour table.
bool WriteBmp(const fs::path& Path, int Width, int Height, int Bits, std::uint32_t Seed)
{
  const std::uint32_t table = Bits <= 8 ? (4u << Bits) : 0;
  const std::uint32_t stride = std::uint32_t(((Width * Bits + 31) / 32) * 4);
  std::vector<std::uint8_t> b = {'B', 'M'};
  Put32(b, 54 + table + stride * std::uint32_t(Height));
  Put32(b, 0);
  Put32(b, 54 + table);
  Put32(b, 40);
  Put32(b, std::uint32_t(Width));
  Put32(b, std::uint32_t(Height));
  Put16(b, 1);
  Put16(b, unsigned(Bits));
  for (int i = 0; i < 6; ++i)
    Put32(b, 0);
  for (std::uint32_t i = 0; i < table / 4; ++i) {
    b.push_back(std::uint8_t(255 - i * 5));
    b.push_back(std::uint8_t(i * 9));
    b.push_back(std::uint8_t(i * 3));
    b.push_back(0);
  }
  TRandom r{Seed};
  for (int y = 0; y < Height; ++y)
    for (std::uint32_t i = 0; i < stride; ++i)
      b.push_back(std::uint8_t(r.Next()));
  FILE* f = std::fopen(Path.c_str(), "wb");
  if (!f)
    return false;
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
  return true;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  for (const char* sub : {"png", "gif", "jpeg", "bmp", "smileys"})
    fs::create_directories(out / sub);
  bool ok = true;
  struct TKind {
    int ColorType;
    int Depths[5];
  } kinds[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  const int sizes[5][2] = {{1, 1}, {3, 3}, {5, 5}, {17, 13}, {256, 256}};
  std::uint32_t seed = 1;
  for (const TKind& kind : kinds)
    for (int depth : kind.Depths) {
      if (depth == 0)
        continue;
      for (int il = 0; il < 2; ++il)
        for (const auto& size : sizes) {
          const std::string name = "c" + std::to_string(kind.ColorType) + "-d" + std::to_string(depth) + "-i" +
                                   std::to_string(il) + "-" + std::to_string(size[0]) + "x" +
                                   std::to_string(size[1]) + ".png";
          ok &= WritePng(out / "png" / name, size[0], size[1], kind.ColorType, depth, il, 0, seed++);
        }
      ok &= WritePng(out / "png" / ("trns-c" + std::to_string(kind.ColorType) + "-d" + std::to_string(depth) + ".png"),
                     9, 7, kind.ColorType, depth, false, 1, seed++);
    }
  ok &= WritePng(out / "png" / "large-rgb-2048x2048.png", 2048, 2048, 2, 8, false, 0, 99);

  // 40 chat smileys: GIF animations with transparency, palette PNG with a
  // transparent entry, RGBA PNG, and the JPEG sources.
  for (int i = 0; i < 40; ++i) {
    const int size = 15 + i % 10;
    char name[32];
    switch (i % 4) {
    case 0:
    case 1:
      std::snprintf(name, sizeof(name), "smiley%02d.gif", i);
      ok &= WriteGif(out / "smileys" / name, size, size, 2 + i % 9, std::uint32_t(i) * 2, i % 3 == 0, i % 5 == 0);
      break;
    case 2:
      std::snprintf(name, sizeof(name), "smiley%02d.png", i);
      ok &= WritePng(out / "smileys" / name, size, size, i % 8 == 2 ? 3 : 6, 8, false, 1, std::uint32_t(i));
      break;
    default:
      std::snprintf(name, sizeof(name), "smiley%02d.ppm", i);
      ok &= WritePnm(out / "smileys" / name, size, size, false, std::uint32_t(i));
      break;
    }
  }
  ok &= WriteGif(out / "gif" / "anim-200x200x50.gif", 200, 200, 50, 7, true, false);
  ok &= WriteGif(out / "gif" / "opaque-disposal.gif", 40, 30, 6, 1, false, false);
  ok &= WriteGif(out / "gif" / "interlaced.gif", 31, 17, 3, 4, true, true);
  ok &= WriteGif(out / "gif" / "interlaced-tiny.gif", 5, 3, 2, 6, false, true);

  ok &= WritePnm(out / "jpeg" / "photo-640x480.ppm", 640, 480, false, 5);
  ok &= WritePnm(out / "jpeg" / "grey-640x480.pgm", 640, 480, true, 6);
  ok &= WritePnm(out / "jpeg" / "large-4000x3000.ppm", 4000, 3000, false, 7);

  for (int bits : {1, 4, 8, 24, 32})
    ok &= WriteBmp(out / "bmp" / ("bmp" + std::to_string(bits) + ".bmp"), 13, 7, bits, std::uint32_t(bits));
  return ok ? 0 : 1;
}
