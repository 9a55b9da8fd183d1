// TColorQuantizer: an octree of the colours of an image, reduced after every
// pixel so that it never holds more leaves than the colours asked for.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

class TDIB;

struct TOctreeNode {
  bool IsLeaf = false;
  DWORD PixelCount = 0;
  DWORD RedSum = 0, GreenSum = 0, BlueSum = 0;
  TOctreeNode* Next = nullptr;  // the next reducible node of the same level
  std::unique_ptr<TOctreeNode> Child[8];
};

class TColorQuantizer {
public:
  TColorQuantizer(int MaxColors, int ColorBits);

  // Every pixel of the 24-bit rows, top to bottom, left to right.
  void AccumulateImage(TDIB* Image, int Width, int Height);
  void InsertColor(BYTE Red, BYTE Green, BYTE Blue);
  // The leaves' colours, depth first, children in index order (black for an
  // empty leaf).
  std::vector<PALETTEENTRY> ColorTable() const;
  int LeafCount() const { return FLeafCount; }

private:
  void Insert(std::unique_ptr<TOctreeNode>& Node, BYTE Red, BYTE Green, BYTE Blue, int Level);
  void MergeNodes();
  static void Fill(const TOctreeNode* Node, std::vector<PALETTEENTRY>& Table);

  std::unique_ptr<TOctreeNode> FTree;
  int FLeafCount = 0;
  int FMaxColors;
  int FColorBits;
  TOctreeNode* FReducible[9] = {};
};
