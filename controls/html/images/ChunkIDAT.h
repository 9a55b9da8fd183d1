// TChunkIDAT: the image data of a PNG file, a zlib stream of filtered rows
// (the file's IDAT chunks joined). ProcessChunk decodes the pixels into the
// image; SaveChunk encodes the image's pixels.
#pragma once

#include "controls/html/images/PngChunk.h"

class TChunkIDAT : public TChunk {
public:
  explicit TChunkIDAT(TChunkList* Owner) : TChunk(Owner, &TChunkIDAT::Create) {}
  static TChunk* Create(TChunkList* Owner) { return new TChunkIDAT(Owner); }
  void ProcessChunk() override;
  void SaveChunk(TStream* Stream) override;
};
