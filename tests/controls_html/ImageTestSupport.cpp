#include "ImageTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <gif_lib.h>
#include <zlib.h>

#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/gdi.h"

namespace image_test {

namespace {

void Put32(TBytes& Out, std::uint32_t V)
{
  Out.push_back(std::uint8_t(V >> 24));
  Out.push_back(std::uint8_t(V >> 16));
  Out.push_back(std::uint8_t(V >> 8));
  Out.push_back(std::uint8_t(V));
}

int WriteToVector(GifFileType* File, const GifByteType* Data, int Count)
{
  auto* out = static_cast<TBytes*>(File->UserData);
  out->insert(out->end(), Data, Data + Count);
  return Count;
}

}  // namespace

TBytes GiflibAnimation(int Width, int Height, const std::vector<TFrameSpec>& Frames, int Loops)
{
  TBytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  EGifSetGifVersion(gif, true);
  GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  ColorMapObject* map = GifMakeMapObject(4, colors);
  EGifPutScreenDesc(gif, Width, Height, 2, 0, map);
  if (Loops >= 0) {
    const GifByteType netscape[] = "NETSCAPE2.0";
    const GifByteType loops[3] = {1, GifByteType(Loops), 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, netscape);
    EGifPutExtensionBlock(gif, 3, loops);
    EGifPutExtensionTrailer(gif);
  }
  std::vector<GifPixelType> row(static_cast<std::size_t>(Width));
  for (const TFrameSpec& f : Frames) {
    GraphicsControlBlock gcb{};
    gcb.DelayTime = f.Delay;
    gcb.TransparentColor = f.Transparent;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    EGifPutImageDesc(gif, 0, 0, Width, Height, false, nullptr);
    for (int y = 0; y < Height; ++y) {
      std::fill(row.begin(), row.end(), GifPixelType(f.Color));
      if (y == 0)
        row[0] = 0;
      EGifPutLine(gif, row.data(), Width);
    }
  }
  GifFreeMapObject(map);
  EGifCloseFile(gif, &error);
  return out;
}

TBytes Chunk(const char* Type, const TBytes& Data)
{
  TBytes out;
  Put32(out, std::uint32_t(Data.size()));
  out.insert(out.end(), Type, Type + 4);
  out.insert(out.end(), Data.begin(), Data.end());
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(Type), 4);
  if (!Data.empty())  // crc32 of a null buffer answers the initial value
    crc = crc32(crc, Data.data(), uInt(Data.size()));
  Put32(out, std::uint32_t(crc));
  return out;
}

TBytes Ihdr(std::uint32_t Width, std::uint32_t Height, int Depth, int ColorType, int Interlace)
{
  TBytes data;
  Put32(data, Width);
  Put32(data, Height);
  data.push_back(std::uint8_t(Depth));
  data.push_back(std::uint8_t(ColorType));
  data.push_back(0);
  data.push_back(0);
  data.push_back(std::uint8_t(Interlace));
  return Chunk("IHDR", data);
}

TBytes Deflate(const TBytes& Raw)
{
  uLongf size = compressBound(uLong(Raw.size()));
  TBytes out(size);
  compress(out.data(), &size, Raw.data(), uLong(Raw.size()));
  out.resize(size);
  return out;
}

TBytes Png(const std::vector<TBytes>& Chunks)
{
  TBytes out = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const TBytes& c : Chunks)
    out.insert(out.end(), c.begin(), c.end());
  return out;
}

TBytes SimplePng(std::uint32_t Width, std::uint32_t Height, int Depth, int ColorType, const TBytes& Rows,
                 const std::vector<TBytes>& Extra)
{
  std::vector<TBytes> chunks = {Ihdr(Width, Height, Depth, ColorType)};
  chunks.insert(chunks.end(), Extra.begin(), Extra.end());
  chunks.push_back(Chunk("IDAT", Deflate(Rows)));
  chunks.push_back(Chunk("IEND", {}));
  return Png(chunks);
}

std::vector<std::uint32_t> Pixels(TBitmap* Bitmap)
{
  const int w = Bitmap->Width(), h = Bitmap->Height();
  std::vector<std::uint32_t> out(std::size_t(w) * std::size_t(h));
  BITMAPINFO info{};
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  if (!out.empty())
    GetDIBits(nullptr, Bitmap->Handle(), 0, UINT(h), out.data(), &info, DIB_RGB_COLORS);
  for (auto& p : out)
    p &= 0xFFFFFF;
  return out;
}

TBytes ReadFile(const std::string& Path)
{
  std::ifstream in(Path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string CorpusFile(const std::string& Relative)
{
  return std::string(CORVANE_IMAGE_CORPUS_DIR) + "/" + Relative;
}

}  // namespace image_test
