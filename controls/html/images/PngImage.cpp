#include "controls/html/images/PngImage.h"

#include <algorithm>
#include <cstring>

#include "controls/html/images/ChunkIDAT.h"
#include "controls/html/images/PngChunks.h"
#include "controls/html/images/PngErrors.h"
#include "platform/base/Stream.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Picture.h"

namespace {

constexpr std::uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

TGraphic* NewPngImage()
{
  return new TPNGImage;
}

// Registers the format while the library is loaded.
struct TPngRegistration {
  TPngRegistration() { TPicture::RegisterFileFormat("PNG", "Portable Network Graphics", &NewPngImage); }
  ~TPngRegistration() { TPicture::UnregisterGraphicClass(&NewPngImage); }
};
TPngRegistration PngRegistration;

// Moves the chunk at From to To (the list's own guards check both).
void MoveTo(TChunkList& List, TChunk* Chunk, int To)
{
  for (int i = 0; i < List.Count(); ++i)
    if (List.Item(i) == Chunk) {
      List.Move(i, To);
      return;
    }
}

}  // namespace

void RegisterPngFormat()
{
  (void)PngRegistration;
}

TPNGImage::TPNGImage() : FChunkList(this)
{
  CreateDefaultChunks();
}

TPNGImage::~TPNGImage()
{
  FChunkList.Clear();
}

void TPNGImage::CreateDefaultChunks()
{
  FChunkList.Clear();
  auto* header = static_cast<TChunkIHDR*>(FChunkList.Add(&TChunkIHDR::Create));
  header->SetBitDepth(2);
  header->SetColorType(3);
  FFilePalette.clear();
  SetPalette(nullptr);
  FChunkList.Add(&TChunkIDAT::Create);
  FChunkList.Add(&TChunkIEND::Create);
}

void TPNGImage::LoadFromStream(TStream* Stream)
{
  CreateDefaultChunks();
  FChunkList.Clear();
  FMask.reset();

  std::uint8_t signature[8];
  if (Stream->Read(signature, 8) != 8 || std::memcmp(signature, Signature, 8) != 0)
    RaisePNGError(SPngInvalidFileHeader);

  const auto iend = MakeChunkType("IEND");
  while (Stream->Position() < Stream->Size()) {
    TChunk* chunk = FChunkList.ReadChunk(Stream);
    if (chunk->ChunkType() == iend)
      break;
  }

  if (FChunkList.Count() == 0 || FChunkList.Item(0)->ChunkClass() != &TChunkIHDR::Create)
    RaisePNGError(SPngIHDRNotFirst);
  if (FChunkList.IndexOfClass(&TChunkIDAT::Create) < 0)
    RaisePNGError(SPngNoImageData);

  for (int i = 0; i < FChunkList.Count(); ++i)
    FChunkList.Item(i)->ProcessChunk();

  auto* header = static_cast<TChunkIHDR*>(FChunkList.Item(0));
  TChunk* trns = FChunkList.FindChunk(&TChunkTRNS::Create);
  if (trns && header->ColorType() == 2 && trns->Data().size() == 6) {
    // The samples reduced to 8 bits as the pixels are.
    const auto& t = trns->Data();
    const int low = header->BitDepth() == 16 ? 0 : 1;
    SetTransparentColor(TColor(RGB(t[low], t[2 + low], t[4 + low])));
    SetTransparent(true);
  }
}

void TPNGImage::SaveToStream(TStream* Stream)
{
  Stream->WriteBuffer(Signature, 8);
  if (FChunkList.Count() == 0)
    CreateDefaultChunks();
  if (FChunkList.Item(0)->ChunkClass() != &TChunkIHDR::Create) {
    TChunk* header = FChunkList.Add(&TChunkIHDR::Create);
    MoveTo(FChunkList, header, 0);
  }
  // Chunks go where the format wants them: PLTE before the data and after
  // gAMA, tRNS after PLTE and before the data.
  const TPixelFormat format = PixelFormat();
  const bool paletted = format == pf1bit || format == pf4bit || format == pf8bit;
  auto indexOf = [this](TChunkClass cls) { return FChunkList.IndexOfClass(cls); };
  if (paletted && indexOf(&TChunkPLTE::Create) < 0) {
    TChunk* plte = FChunkList.Add(&TChunkPLTE::Create);
    const int gama = indexOf(&TChunkGAMA::Create);
    MoveTo(FChunkList, plte, gama >= 0 ? gama + 1 : 1);
  }
  if (!paletted)
    while (TChunk* plte = FChunkList.FindChunk(&TChunkPLTE::Create))
      FChunkList.RemoveChunk(plte);
  if (Transparent() && !paletted) {
    if (indexOf(&TChunkTRNS::Create) < 0) {
      TChunk* trns = FChunkList.Add(&TChunkTRNS::Create);
      const int after = std::max({indexOf(&TChunkIHDR::Create), indexOf(&TChunkGAMA::Create),
                                  indexOf(&TChunkPLTE::Create)});
      MoveTo(FChunkList, trns, after + 1);
    }
  } else {
    while (TChunk* trns = FChunkList.FindChunk(&TChunkTRNS::Create))
      FChunkList.RemoveChunk(trns);
  }
  if (indexOf(&TChunkIEND::Create) < 0)
    FChunkList.Add(&TChunkIEND::Create);
  if (indexOf(&TChunkIDAT::Create) < 0) {
    TChunk* idat = FChunkList.Add(&TChunkIDAT::Create);
    MoveTo(FChunkList, idat, indexOf(&TChunkIEND::Create));
  }

  for (int i = 0; i < FChunkList.Count(); ++i) {
    TChunk* chunk = FChunkList.Item(i);
    // Chunks of no known class describe the old pixels: only those marked
    // safe to copy (fourth letter lower case) are written again.
    if (chunk->ChunkClass() == &TChunk::Create && !(chunk->ChunkType()[3] & 0x20))
      continue;
    chunk->SaveChunk(Stream);
  }
}

void TPNGImage::Assign(TPersistent* Source)
{
  if (auto* source = dynamic_cast<TPNGImage*>(Source); source && source != this) {
    FChunkList.Clear();
    for (int i = 0; i < source->FChunkList.Count(); ++i) {
      TChunk* from = source->FChunkList.Item(i);
      const int index = ChunkClasses().IndexOfType(from->ChunkType());
      TChunk* to = FChunkList.Add(index < 0 ? &TChunk::Create : ChunkClasses().Item(index).Class);
      to->AssignChunk(from);
    }
    FFilters = source->FFilters;
    FInterlacing = source->FInterlacing;
    FFilePalette = source->FFilePalette;
  }
  TBitmap::Assign(Source);
}
