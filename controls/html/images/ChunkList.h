// TChunkList: the chunks of one PNG image in file order (owned), and
// TChunkClasses, the unit-wide registry that pairs chunk types with classes.
#pragma once

#include <vector>

#include "controls/html/images/PngChunk.h"

class TChunkList {
public:
  explicit TChunkList(TPNGImage* Owner) : FOwner(Owner) {}
  ~TChunkList();
  TChunkList(const TChunkList&) = delete;
  TChunkList& operator=(const TChunkList&) = delete;

  int Count() const { return int(FList.size()); }
  TChunk* Item(int Index) const;
  // The first chunk whose class is exactly Class; -1 when none.
  int IndexOfClass(TChunkClass Class) const;
  TChunk* FindChunk(TChunkClass Class) const;
  // A new chunk of the class, appended.
  TChunk* Add(TChunkClass Class);
  void Move(int CurIndex, int NewIndex);
  // Frees a chunk of this list and removes it.
  void RemoveChunk(TChunk* Chunk);
  // Frees every chunk, the last first.
  void Clear();
  // Reads one chunk at the stream's position and appends it (a second or later
  // IDAT joins the first one's data). Answers the chunk read.
  TChunk* ReadChunk(TStream* Stream);

  TPNGImage* Owner() const { return FOwner; }

private:
  TPNGImage* FOwner;
  std::vector<TChunk*> FList;
};

struct TChunkClassInfo {
  TChunkType Type;
  TChunkClass Class;
};

class TChunkClasses {
public:
  void Add(const TChunkType& Type, TChunkClass Class);
  int IndexOfClass(TChunkClass Class) const;
  int IndexOfType(const TChunkType& Type) const;
  const TChunkClassInfo& Item(int Index) const;
  int Count() const { return int(FList.size()); }

private:
  std::vector<TChunkClassInfo> FList;
};

// The registry: IEND, IHDR, gAMA, IDAT, PLTE, tEXt, tRNS and tIME (held as a
// plain chunk), in that order.
TChunkClasses& ChunkClasses();
TChunkType MakeChunkType(const char* Type);
