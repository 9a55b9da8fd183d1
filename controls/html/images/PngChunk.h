// TChunk: one chunk of a PNG file as the image keeps it: its four-letter
// type and its data. Known types have classes of their own (PngChunks.h,
// ChunkIDAT.h); any other chunk keeps its bytes in a plain TChunk. A chunk
// class is named by its constructor function (TChunkClass), which the
// registry (ChunkList.h) pairs with a type.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/base/Object.h"

class TChunk;
class TChunkList;
class TPNGImage;
class TStream;

using TChunkClass = TChunk* (*)(TChunkList* Owner);
using TChunkType = std::array<char, 4>;

class TChunk : public TObject {
public:
  // The type is the registry's first type for the class (blank when none).
  explicit TChunk(TChunkList* Owner, TChunkClass Class = &TChunk::Create);
  ~TChunk() override = default;
  TChunk(const TChunk&) = delete;
  TChunk& operator=(const TChunk&) = delete;

  static TChunk* Create(TChunkList* Owner) { return new TChunk(Owner); }

  // Acts on the image once the whole file is read (nothing for a plain chunk).
  virtual void ProcessChunk() {}
  // Takes the data and the type of Source.
  virtual void AssignChunk(TChunk* Source);
  // Writes length, type, data and CRC.
  virtual void SaveChunk(TStream* Stream);

  TChunkClass ChunkClass() const { return FClass; }
  const TChunkType& ChunkType() const { return FType; }
  void SetChunkType(const TChunkType& Value) { FType = Value; }
  std::vector<std::uint8_t>& Data() { return FData; }
  const std::vector<std::uint8_t>& Data() const { return FData; }
  TChunkList* Owner() const { return FOwner; }
  TPNGImage* Image() const;

protected:
  void WriteChunk(TStream* Stream);

  std::vector<std::uint8_t> FData;

private:
  TChunkList* FOwner;
  TChunkClass FClass;
  TChunkType FType{' ', ' ', ' ', ' '};
};

std::uint32_t ReadBigEndian32(const std::uint8_t* p);
void WriteBigEndian32(std::uint8_t* p, std::uint32_t v);
