#include "controls/html/images/PngChunks.h"

#include <cmath>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ChunkList.h"
#include "controls/html/images/PngErrors.h"
#include "controls/html/images/PngImage.h"

// IHDR

TChunkIHDR::TChunkIHDR(TChunkList* Owner) : TChunk(Owner, &TChunkIHDR::Create)
{
  FData.assign(13, 0);
}

std::uint32_t TChunkIHDR::Width() const
{
  return Valid() ? ReadBigEndian32(FData.data()) : 0;
}

std::uint32_t TChunkIHDR::Height() const
{
  return Valid() ? ReadBigEndian32(FData.data() + 4) : 0;
}

void TChunkIHDR::SetField(std::size_t Offset, BYTE Value)
{
  FData.resize(13);
  FData[Offset] = Value;
}

void TChunkIHDR::SetWidth(std::uint32_t Value)
{
  FData.resize(13);
  WriteBigEndian32(FData.data(), Value);
  if (TPNGImage* image = Image(); image && std::uint32_t(image->Width()) != Value)
    image->SetWidth(int(Value));
}

void TChunkIHDR::SetHeight(std::uint32_t Value)
{
  FData.resize(13);
  WriteBigEndian32(FData.data() + 4, Value);
  if (TPNGImage* image = Image(); image && std::uint32_t(image->Height()) != Value)
    image->SetHeight(int(Value));
}

void TChunkIHDR::SaveChunk(TStream* Stream)
{
  TPNGImage* image = Image();
  FData.assign(13, 0);
  WriteBigEndian32(FData.data(), std::uint32_t(image->Width()));
  WriteBigEndian32(FData.data() + 4, std::uint32_t(image->Height()));
  SetInterlaceMethod(image->Interlacing() ? 1 : 0);
  switch (image->PixelFormat()) {
  case pf1bit:
    SetBitDepth(1);
    SetColorType(3);
    break;
  case pf4bit:
    SetBitDepth(4);
    SetColorType(3);
    break;
  case pf8bit:
    SetBitDepth(8);
    SetColorType(3);
    break;
  default:
    image->SetPixelFormat(pf24bit);
    SetBitDepth(8);
    SetColorType(2);
    break;
  }
  WriteChunk(Stream);
}

// gAMA

TChunkGAMA::TChunkGAMA(TChunkList* Owner) : TChunk(Owner, &TChunkGAMA::Create)
{
  FData.assign(4, 0);
  WriteBigEndian32(FData.data(), 1);
}

std::uint32_t TChunkGAMA::Gamma() const
{
  return FData.size() == 4 ? ReadBigEndian32(FData.data()) : 0;
}

void TChunkGAMA::SetGamma(std::uint32_t Value)
{
  FData.assign(4, 0);
  WriteBigEndian32(FData.data(), Value);
}

void TChunkGAMA::ProcessChunk()
{
  const std::uint32_t gamma = Gamma();
  FHasTables = false;
  if (gamma == 0)
    return;
  const double exponent = 1.0 / (double(gamma) / 100000.0 * 2.2);
  for (int i = 0; i < 256; ++i) {
    double v = std::round(255.0 * std::pow(i / 255.0, exponent));
    FGammaTable[i] = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
  }
  for (int i = 0; i < 256; ++i)
    FInverseTable[FGammaTable[i]] = BYTE(i);
  FHasTables = true;
}

void TChunkGAMA::AssignChunk(TChunk* Source)
{
  TChunk::AssignChunk(Source);
  if (auto* gama = dynamic_cast<TChunkGAMA*>(Source)) {
    FHasTables = gama->FHasTables;
    std::copy(gama->FGammaTable, gama->FGammaTable + 256, FGammaTable);
    std::copy(gama->FInverseTable, gama->FInverseTable + 256, FInverseTable);
  }
}

// PLTE

void TChunkPLTE::ProcessChunk()
{
  // A palette holds at most 256 entries: a longer one is refused as invalid.
  if (FData.size() % 3 != 0 || FData.size() > 768)
    RaisePNGError(SPngInvalidPalette);
  const auto* gama = static_cast<TChunkGAMA*>(Owner()->FindChunk(&TChunkGAMA::Create));
  const BYTE* table = gama && gama->HasTables() ? gama->GammaTable() : nullptr;
  std::vector<PALETTEENTRY> entries(FData.size() / 3);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    BYTE r = FData[3 * i], g = FData[3 * i + 1], b = FData[3 * i + 2];
    if (table) {
      r = table[r];
      g = table[g];
      b = table[b];
    }
    entries[i] = PALETTEENTRY{r, g, b, 0};
  }
  Image()->SetFilePalette(std::move(entries));
}

void TChunkPLTE::SaveChunk(TStream* Stream)
{
  TPNGImage* image = Image();
  std::vector<PALETTEENTRY> entries = PaletteEntries(image->Palette());
  if (entries.empty())
    for (const RGBQUAD& q : ReadColorTable(image))
      entries.push_back(PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
  if (entries.empty())
    return;
  const auto* gama = static_cast<TChunkGAMA*>(Owner()->FindChunk(&TChunkGAMA::Create));
  const BYTE* inverse = gama && gama->HasTables() ? gama->InverseTable() : nullptr;
  FData.clear();
  for (const PALETTEENTRY& e : entries) {
    FData.push_back(inverse ? inverse[e.peRed] : e.peRed);
    FData.push_back(inverse ? inverse[e.peGreen] : e.peGreen);
    FData.push_back(inverse ? inverse[e.peBlue] : e.peBlue);
  }
  WriteChunk(Stream);
}

// tRNS

void TChunkTRNS::SaveChunk(TStream* Stream)
{
  auto* header = static_cast<TChunkIHDR*>(Owner()->FindChunk(&TChunkIHDR::Create));
  if (!header || header->ColorType() != 2)
    return;
  const TColor color = Image()->TransparentColor();
  const BYTE r = BYTE(color), g = BYTE(color >> 8), b = BYTE(color >> 16);
  FData = {0, r, 0, g, 0, b};
  WriteChunk(Stream);
}

// tEXt

TChunkTEXT::TChunkTEXT(TChunkList* Owner) : TChunk(Owner, &TChunkTEXT::Create)
{
  FData.assign(2, 0);
}
