#include "controls/html/images/ChunkIDAT.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ByteViewStream.h"
#include "controls/html/images/ChunkList.h"
#include "controls/html/images/ImageLimits.h"
#include "controls/html/images/PngChunks.h"
#include "controls/html/images/PngErrors.h"
#include "controls/html/images/PngFilters.h"
#include "controls/html/images/PngImage.h"
#include "controls/html/images/ZCompressionStream.h"
#include "controls/html/images/ZDecompressionStream.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/gdi/GdiConsts.h"

namespace {

// Adam7: row start, column start, row step, column step of passes 1 to 7.
constexpr int PassRowStart[7] = {0, 0, 4, 0, 2, 0, 1};
constexpr int PassColStart[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr int PassRowStep[7] = {8, 8, 8, 4, 4, 2, 2};
constexpr int PassColStep[7] = {8, 8, 4, 4, 2, 2, 1};

int Channels(int ColorType)
{
  switch (ColorType) {
  case 0:
  case 3:
    return 1;
  case 2:
    return 3;
  case 4:
    return 2;
  case 6:
    return 4;
  default:
    return 0;
  }
}

bool DepthAllowed(int ColorType, int Depth)
{
  switch (ColorType) {
  case 0:
    return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8 || Depth == 16;
  case 3:
    return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8;
  default:
    return Depth == 8 || Depth == 16;
  }
}

// Everything the row loop needs, fixed before the first row.
struct TDecoder {
  int Width = 0, Height = 0, Depth = 0, ColorType = 0, Channels = 0;
  std::size_t Bpp = 1;
  int BitmapBits = 0;
  std::uint8_t* Pixels = nullptr;  // row 0 of the bitmap
  std::size_t Stride = 0;
  const BYTE* Gamma = nullptr;     // decoding table, or null
  // Transparency: alpha channel, or one key sample set (full depth).
  bool HasAlpha = false;
  bool HasKey = false;
  unsigned Key[3] = {};
  std::vector<std::uint8_t> Mask;  // 1-bit rows, 1 where transparent
  std::size_t MaskStride = 0;
  bool AnyTransparent = false;

  std::size_t RowBytes(int W) const { return (std::size_t(W) * std::size_t(Channels) * std::size_t(Depth) + 7) / 8; }

  unsigned Sample(const std::uint8_t* Row, std::size_t I) const
  {
    switch (Depth) {
    case 1:
      return (Row[I >> 3] >> (7 - (I & 7))) & 1u;
    case 2:
      return (Row[I >> 2] >> (6 - 2 * (I & 3))) & 3u;
    case 4:
      return (Row[I >> 1] >> (4 - 4 * (I & 1))) & 15u;
    case 8:
      return Row[I];
    default:
      return unsigned(Row[2 * I]) << 8 | Row[2 * I + 1];
    }
  }

  // The high byte of sample I (8- and 16-bit samples).
  BYTE High(const std::uint8_t* Row, std::size_t I) const { return Depth == 16 ? Row[2 * I] : Row[I]; }
  BYTE G(BYTE V) const { return Gamma ? Gamma[V] : V; }

  void Place(const std::uint8_t* Src, int PassWidth, int Y, int X0, int Dx);
  void PlaceMask(const std::uint8_t* Src, int PassWidth, int Y, int X0, int Dx);
};

void TDecoder::Place(const std::uint8_t* Src, int PassWidth, int Y, int X0, int Dx)
{
  std::uint8_t* row = Pixels + std::size_t(Y) * Stride;
  const std::size_t n = std::size_t(PassWidth);
  if (ColorType == 2 || ColorType == 6) {
    const std::size_t step = std::size_t(Channels) * (Depth == 16 ? 2 : 1);
    const std::size_t bs = Depth == 16 ? 2 : 1;
    std::uint8_t* d = row + std::size_t(X0) * 3;
    const std::size_t dstep = std::size_t(Dx) * 3;
    if (!Gamma && bs == 1 && Channels == 3) {
      for (std::size_t i = 0; i < n; ++i, Src += 3, d += dstep) {
        d[0] = Src[2];
        d[1] = Src[1];
        d[2] = Src[0];
      }
      return;
    }
    for (std::size_t i = 0; i < n; ++i, Src += step, d += dstep) {
      d[0] = G(Src[2 * bs]);
      d[1] = G(Src[bs]);
      d[2] = G(Src[0]);
    }
    return;
  }
  if (ColorType == 4) {
    const std::size_t step = Depth == 16 ? 4 : 2;
    for (std::size_t i = 0; i < n; ++i, Src += step)
      row[std::size_t(X0) + i * std::size_t(Dx)] = Src[0];
    return;
  }
  // Grey and palette samples.
  if (Dx == 1 && X0 == 0 && (Depth == 1 || Depth == 4 || Depth == 8)) {
    std::memcpy(row, Src, RowBytes(PassWidth));
    return;
  }
  if (Dx == 1 && X0 == 0 && Depth == 2) {
    // Four 2-bit samples make two bytes of nibbles times 5 (the row's
    // padding takes the extra nibbles of the last byte).
    static const auto Widen = [] {
      std::array<std::uint16_t, 256> t{};
      for (unsigned b = 0; b < 256; ++b)
        t[b] = std::uint16_t(((b >> 6) * 5) << 12 | (((b >> 4) & 3) * 5) << 8 | (((b >> 2) & 3) * 5) << 4 |
                             (b & 3) * 5);
      return t;
    }();
    const std::size_t bytes = RowBytes(PassWidth);
    for (std::size_t i = 0; i < bytes; ++i) {
      row[2 * i] = std::uint8_t(Widen[Src[i]] >> 8);
      row[2 * i + 1] = std::uint8_t(Widen[Src[i]]);
    }
    return;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t x = std::size_t(X0) + i * std::size_t(Dx);
    switch (BitmapBits) {
    case 1: {
      const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
      if (Sample(Src, i))
        row[x >> 3] |= bit;
      else
        row[x >> 3] &= std::uint8_t(~bit);
      break;
    }
    case 4: {
      unsigned v = Sample(Src, i);
      if (Depth == 2)
        v *= 5;
      std::uint8_t& b = row[x >> 1];
      b = (x & 1) ? std::uint8_t((b & 0xF0) | v) : std::uint8_t((b & 0x0F) | (v << 4));
      break;
    }
    default:
      row[x] = High(Src, i);
      break;
    }
  }
}

void TDecoder::PlaceMask(const std::uint8_t* Src, int PassWidth, int Y, int X0, int Dx)
{
  const std::size_t n = std::size_t(PassWidth);
  const std::size_t bs = Depth == 16 ? 2 : 1;
  std::uint8_t* row = Mask.data() + std::size_t(Y) * MaskStride;
  bool any = false;
  auto mark = [&](std::size_t I) {
    const std::size_t x = std::size_t(X0) + I * std::size_t(Dx);
    row[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
    any = true;
  };
  if (HasAlpha) {
    // The alpha sample is the last of the pixel; its high byte decides.
    const std::size_t step = std::size_t(Channels) * bs;
    const std::uint8_t* alpha = Src + (std::size_t(Channels) - 1) * bs;
    for (std::size_t i = 0; i < n; ++i, alpha += step)
      if (*alpha < 128)
        mark(i);
  } else if (ColorType == 2) {
    for (std::size_t i = 0; i < n; ++i)
      if (Sample(Src, i * 3) == Key[0] && Sample(Src, i * 3 + 1) == Key[1] && Sample(Src, i * 3 + 2) == Key[2])
        mark(i);
  } else {
    for (std::size_t i = 0; i < n; ++i)
      if (Sample(Src, i) == Key[0])
        mark(i);
  }
  AnyTransparent = AnyTransparent || any;
}

// Reads exactly Count bytes or fails: a short row means the data ended early.
void ReadRow(TZDecompressionStream& Stream, std::uint8_t* Buffer, std::size_t Count)
{
  if (std::size_t(Stream.Read(Buffer, Integer(Count))) != Count)
    RaisePNGError(SPngTruncatedData);
}

}  // namespace

void TChunkIDAT::ProcessChunk()
{
  TPNGImage* image = Image();
  auto* header = static_cast<TChunkIHDR*>(Owner()->FindChunk(&TChunkIHDR::Create));
  if (!header || !header->Valid() || header->CompressionMethod() != 0 || header->FilterMethod() != 0)
    RaisePNGError(SPngInvalidHeader);

  TDecoder d;
  d.ColorType = header->ColorType();
  d.Depth = header->BitDepth();
  d.Channels = Channels(d.ColorType);
  if (d.Channels == 0)
    RaisePNGError(SPngUnknownColorType);
  if (!DepthAllowed(d.ColorType, d.Depth))
    RaisePNGError(SPngInvalidBitDepth);
  if (!image_limits::SizeFits(header->Width(), header->Height()))
    RaisePNGError(SPngInvalidSize);
  const int interlace = header->InterlaceMethod();
  if (interlace > 1)
    RaisePNGError(SPngUnknownInterlace);
  d.Width = int(header->Width());
  d.Height = int(header->Height());
  d.Bpp = std::max<std::size_t>(1, std::size_t(d.Channels * d.Depth) / 8);

  const auto* gama = static_cast<TChunkGAMA*>(Owner()->FindChunk(&TChunkGAMA::Create));
  d.Gamma = gama && gama->HasTables() ? gama->GammaTable() : nullptr;

  // The bitmap: its depth and colour table.
  std::vector<RGBQUAD> table;
  std::vector<PALETTEENTRY> palette;
  if (d.ColorType == 2 || d.ColorType == 6) {
    d.BitmapBits = 24;
  } else {
    d.BitmapBits = d.ColorType == 4 || d.Depth >= 8 ? 8 : d.Depth == 1 ? 1 : 4;
    if (d.ColorType == 3) {
      palette = image->FilePalette();
      if (palette.empty())
        RaisePNGError(SPngMissingPalette);
    } else {
      // A grey ramp of 2^depth entries (256 for 16 bits), through the gamma table.
      const int n = d.ColorType == 4 || d.Depth >= 8 ? 256 : 1 << d.Depth;
      for (int i = 0; i < n; ++i) {
        const BYTE v = d.G(BYTE((i * 255 + (n - 1) / 2) / (n - 1)));
        palette.push_back(PALETTEENTRY{v, v, v, PC_NOCOLLAPSE});
      }
    }
    // A 2-bit picture lives in a 4-bit bitmap as sample times 5: entry i has
    // the colour of entry i mod 4. Entries the file does not give are black.
    const int size = 1 << d.BitmapBits;
    table.assign(std::size_t(size), RGBQUAD{});
    for (int i = 0; i < size; ++i) {
      const int from = d.Depth == 2 ? i % 4 : i;
      if (from < int(palette.size()))
        table[std::size_t(i)] = RGBQUAD{palette[std::size_t(from)].peBlue, palette[std::size_t(from)].peGreen,
                                        palette[std::size_t(from)].peRed, 0};
    }
    if (d.Depth == 2 && palette.size() < 16) {
      std::vector<PALETTEENTRY> repeated(16);
      for (int i = 0; i < 16; ++i)
        if (i % 4 < int(palette.size()))
          repeated[std::size_t(i)] = palette[std::size_t(i % 4)];
      palette = repeated;
    }
  }

  // Transparency the picture brings itself: alpha, or a key sample set.
  d.HasAlpha = d.ColorType == 4 || d.ColorType == 6;
  if (auto* trns = Owner()->FindChunk(&TChunkTRNS::Create)) {
    const auto& t = trns->Data();
    const unsigned limit = d.Depth == 16 ? 0xFFFFu : (1u << d.Depth) - 1;
    if (d.ColorType == 0 && t.size() == 2) {
      d.Key[0] = unsigned(t[0]) << 8 | t[1];
      d.HasKey = d.Key[0] <= limit;
    } else if (d.ColorType == 2 && t.size() == 6) {
      for (int c = 0; c < 3; ++c)
        d.Key[c] = unsigned(t[2 * c]) << 8 | t[2 * c + 1];
      d.HasKey = d.Key[0] <= limit && d.Key[1] <= limit && d.Key[2] <= limit;
    }
  }

  HBITMAP handle = CreateTopDownDIB(d.Width, d.Height, d.BitmapBits, table.data(), int(table.size()));
  if (!handle)
    RaisePNGError(SPngInvalidSize);
  image->FMask.reset();
  image->SetHandle(handle);
  if (!palette.empty())
    image->SetPalette(PaletteFromEntries(palette.data(), int(palette.size())));
  d.Pixels = static_cast<std::uint8_t*>(image->ScanLine(0));
  d.Stride = std::size_t(((d.Width * d.BitmapBits + 31) / 32) * 4);
  if (d.HasAlpha || d.HasKey) {
    d.MaskStride = std::size_t(((d.Width + 31) / 32) * 4);
    d.Mask.assign(d.MaskStride * std::size_t(d.Height), 0);
  }

  TByteViewStream source(FData.data(), FData.size());
  TZDecompressionStream stream(&source);
  const std::size_t fullRow = d.RowBytes(d.Width);
  std::vector<std::uint8_t> current(fullRow + 1), previous(fullRow + 1);
  const bool progress = bool(image->OnProgress);
  const TRect whole(0, 0, d.Width, d.Height);

  if (interlace == 0) {
    for (int y = 0; y < d.Height; ++y) {
      ReadRow(stream, current.data(), fullRow + 1);
      if (!UnfilterRow(current[0], current.data() + 1, previous.data() + 1, fullRow, d.Bpp))
        RaisePNGError(SPngUnknownFilter);
      d.Place(current.data() + 1, d.Width, y, 0, 1);
      if (!d.Mask.empty())
        d.PlaceMask(current.data() + 1, d.Width, y, 0, 1);
      std::swap(current, previous);
      if (progress)
        image->Progress(image, psRunning, BYTE(std::int64_t(y) * 100 / d.Height), true,
                        TRect(0, y, d.Width, y + 1), "Drawing...");
    }
  } else {
    for (int pass = 0; pass < 7; ++pass) {
      const int passWidth = (d.Width + PassColStep[pass] - PassColStart[pass] - 1) / PassColStep[pass];
      // A pass without columns or rows has no bytes in the data at all.
      if (passWidth > 0 && PassRowStart[pass] < d.Height) {
        const std::size_t rowBytes = d.RowBytes(passWidth);
        std::fill(previous.begin(), previous.end(), 0);
        for (int y = PassRowStart[pass]; y < d.Height; y += PassRowStep[pass]) {
          ReadRow(stream, current.data(), rowBytes + 1);
          if (!UnfilterRow(current[0], current.data() + 1, previous.data() + 1, rowBytes, d.Bpp))
            RaisePNGError(SPngUnknownFilter);
          d.Place(current.data() + 1, passWidth, y, PassColStart[pass], PassColStep[pass]);
          if (!d.Mask.empty())
            d.PlaceMask(current.data() + 1, passWidth, y, PassColStart[pass], PassColStep[pass]);
          std::swap(current, previous);
        }
      }
      if (progress)
        image->Progress(image, psRunning, BYTE(pass * 100 / 6), true, whole, "Drawing...");
    }
  }

  if (d.AnyTransparent) {
    HBITMAP maskHandle = CreateTopDownDIB(d.Width, d.Height, 1);
    if (maskHandle) {
      auto mask = std::make_unique<TBitmap>();
      mask->SetHandle(maskHandle);
      auto* bits = static_cast<std::uint8_t*>(mask->ScanLine(0));
      std::memcpy(bits, d.Mask.data(), d.Mask.size());
      image->FMask = std::move(mask);
    }
  }
  image->Changed(image);
}

void TChunkIDAT::SaveChunk(TStream* Stream)
{
  TPNGImage* image = Image();
  image->SetInterlacing(false);
  const int width = image->Width(), height = image->Height();
  const int bits = BitmapBitCount(image);
  const std::size_t rowBytes = bits == 24 ? std::size_t(width) * 3 : (std::size_t(width) * std::size_t(bits) + 7) / 8;
  const std::size_t bpp = bits == 24 ? 3 : 1;
  const auto* gama = static_cast<TChunkGAMA*>(Owner()->FindChunk(&TChunkGAMA::Create));
  const BYTE* inverse = gama && gama->HasTables() ? gama->InverseTable() : nullptr;
  const TFilterSet filters = image->Filters();

  TMemoryStream compressed;
  {
    TZCompressionStream z(TCompressionLevel::clDefault, &compressed);
    std::vector<std::uint8_t> raw(rowBytes), prev(rowBytes, 0), out(rowBytes + 1), best(rowBytes + 1);
    for (int y = 0; y < height; ++y) {
      const auto* src = static_cast<const std::uint8_t*>(image->ScanLine(y));
      if (bits == 24) {
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = src + 3 * x;
          raw[3 * std::size_t(x)] = inverse ? inverse[p[2]] : p[2];
          raw[3 * std::size_t(x) + 1] = inverse ? inverse[p[1]] : p[1];
          raw[3 * std::size_t(x) + 2] = inverse ? inverse[p[0]] : p[0];
        }
      } else {
        std::memcpy(raw.data(), src, rowBytes);
      }
      // The filter whose output repeats itself most (five equal bytes in a
      // row), the lowest type on ties, None when nothing repeats.
      int bestType = 0, bestCount = 0;
      best[0] = 0;
      std::memcpy(best.data() + 1, raw.data(), rowBytes);
      if (filters != 1) {
        for (std::uint8_t type = 0; type <= 4; ++type) {
          if (!(filters & (1 << type)))
            continue;
          FilterRow(type, raw.data(), prev.data(), out.data() + 1, rowBytes, bpp);
          int count = 0;
          for (std::size_t k = 4; k < rowBytes; ++k) {
            const std::uint8_t* f = out.data() + 1 + k;
            if (f[0] == f[-1] && f[0] == f[-2] && f[0] == f[-3] && f[0] == f[-4])
              ++count;
          }
          if (count > bestCount) {
            bestCount = count;
            bestType = type;
            out[0] = type;
            std::swap(out, best);
          }
        }
      }
      if (bestType == 0) {
        best[0] = 0;
        std::memcpy(best.data() + 1, raw.data(), rowBytes);
      }
      z.WriteBuffer(best.data(), Integer(rowBytes + 1));
      std::swap(raw, prev);
    }
    z.Finish();
  }
  FData.assign(static_cast<const std::uint8_t*>(compressed.Memory()),
               static_cast<const std::uint8_t*>(compressed.Memory()) + compressed.Size());
  WriteChunk(Stream);
}
