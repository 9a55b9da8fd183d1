// The small chunk classes of the PNG image: IHDR (the header), gAMA, PLTE,
// tRNS, tEXt and IEND. The image data chunk is in ChunkIDAT.h.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/html/images/PngChunk.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

// 13 bytes: width, height (big-endian), bit depth, colour type, compression,
// filter and interlace methods.
class TChunkIHDR : public TChunk {
public:
  explicit TChunkIHDR(TChunkList* Owner);
  static TChunk* Create(TChunkList* Owner) { return new TChunkIHDR(Owner); }
  void SaveChunk(TStream* Stream) override;

  // False when the data is not 13 bytes long (the fields then read as 0).
  bool Valid() const { return FData.size() == 13; }
  std::uint32_t Width() const;
  std::uint32_t Height() const;
  // Both resize the image when the value differs.
  void SetWidth(std::uint32_t Value);
  void SetHeight(std::uint32_t Value);
  BYTE BitDepth() const { return Field(8); }
  BYTE ColorType() const { return Field(9); }
  BYTE CompressionMethod() const { return Field(10); }
  BYTE FilterMethod() const { return Field(11); }
  BYTE InterlaceMethod() const { return Field(12); }
  void SetBitDepth(BYTE Value) { SetField(8, Value); }
  void SetColorType(BYTE Value) { SetField(9, Value); }
  void SetCompressionMethod(BYTE Value) { SetField(10, Value); }
  void SetFilterMethod(BYTE Value) { SetField(11, Value); }
  void SetInterlaceMethod(BYTE Value) { SetField(12, Value); }

private:
  BYTE Field(std::size_t Offset) const { return Valid() ? FData[Offset] : 0; }
  void SetField(std::size_t Offset, BYTE Value);
};

// Gamma times 100000, big-endian (a new chunk holds 1). Processing builds the
// decoding table and its inverse; a chunk of another length or a gamma of 0
// builds none.
class TChunkGAMA : public TChunk {
public:
  explicit TChunkGAMA(TChunkList* Owner);
  static TChunk* Create(TChunkList* Owner) { return new TChunkGAMA(Owner); }
  void ProcessChunk() override;
  void AssignChunk(TChunk* Source) override;

  std::uint32_t Gamma() const;
  void SetGamma(std::uint32_t Value);
  bool HasTables() const { return FHasTables; }
  const BYTE* GammaTable() const { return FGammaTable; }
  const BYTE* InverseTable() const { return FInverseTable; }

private:
  bool FHasTables = false;
  BYTE FGammaTable[256] = {};
  BYTE FInverseTable[256] = {};
};

// Red, green, blue per entry. Processing hands the entries (through the gamma
// table when there is one) to the image.
class TChunkPLTE : public TChunk {
public:
  explicit TChunkPLTE(TChunkList* Owner) : TChunk(Owner, &TChunkPLTE::Create) {}
  static TChunk* Create(TChunkList* Owner) { return new TChunkPLTE(Owner); }
  void ProcessChunk() override;
  void SaveChunk(TStream* Stream) override;
};

// For an RGB image: the transparent colour as three 16-bit samples; for a
// grey image one sample; for a palette image an alpha byte per entry.
class TChunkTRNS : public TChunk {
public:
  explicit TChunkTRNS(TChunkList* Owner) : TChunk(Owner, &TChunkTRNS::Create) {}
  static TChunk* Create(TChunkList* Owner) { return new TChunkTRNS(Owner); }
  void SaveChunk(TStream* Stream) override;
};

// Keyword, a zero byte, the text (a new chunk holds two zero bytes).
class TChunkTEXT : public TChunk {
public:
  explicit TChunkTEXT(TChunkList* Owner);
  static TChunk* Create(TChunkList* Owner) { return new TChunkTEXT(Owner); }
};

class TChunkIEND : public TChunk {
public:
  explicit TChunkIEND(TChunkList* Owner) : TChunk(Owner, &TChunkIEND::Create) {}
  static TChunk* Create(TChunkList* Owner) { return new TChunkIEND(Owner); }
};
