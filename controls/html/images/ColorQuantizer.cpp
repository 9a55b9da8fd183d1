#include "controls/html/images/ColorQuantizer.h"

#include "controls/html/images/DIBAccess.h"

TColorQuantizer::TColorQuantizer(int MaxColors, int ColorBits)
    : FMaxColors(MaxColors), FColorBits(ColorBits < 1 ? 1 : ColorBits > 8 ? 8 : ColorBits)
{
}

void TColorQuantizer::AccumulateImage(TDIB* Image, int Width, int Height)
{
  for (int y = 0; y < Height; ++y) {
    const auto* p = static_cast<const BYTE*>(Image->RowPointer(y));
    for (int x = 0; x < Width; ++x, p += 3)
      InsertColor(p[2], p[1], p[0]);
  }
}

void TColorQuantizer::InsertColor(BYTE Red, BYTE Green, BYTE Blue)
{
  Insert(FTree, Red, Green, Blue, 0);
  while (FLeafCount > FMaxColors)
    MergeNodes();
}

void TColorQuantizer::Insert(std::unique_ptr<TOctreeNode>& Node, BYTE Red, BYTE Green, BYTE Blue, int Level)
{
  if (!Node) {
    Node = std::make_unique<TOctreeNode>();
    if (Level == FColorBits) {
      Node->IsLeaf = true;
      ++FLeafCount;
    } else {
      Node->Next = FReducible[Level];
      FReducible[Level] = Node.get();
    }
  }
  if (Node->IsLeaf) {
    ++Node->PixelCount;
    Node->RedSum += Red;
    Node->GreenSum += Green;
    Node->BlueSum += Blue;
    return;
  }
  const int shift = 7 - Level;
  const int mask = 0x80 >> Level;
  const int index = (((Red & mask) >> shift) << 2) | (((Green & mask) >> shift) << 1) | ((Blue & mask) >> shift);
  Insert(Node->Child[index], Red, Green, Blue, Level + 1);
}

void TColorQuantizer::MergeNodes()
{
  int level = FColorBits - 1;
  while (level > 0 && !FReducible[level])
    --level;
  TOctreeNode* node = FReducible[level];
  if (!node)
    return;
  FReducible[level] = node->Next;
  DWORD red = 0, green = 0, blue = 0;
  int children = 0;
  for (auto& child : node->Child) {
    if (!child)
      continue;
    red += child->RedSum;
    green += child->GreenSum;
    blue += child->BlueSum;
    node->PixelCount += child->PixelCount;
    child.reset();
    ++children;
  }
  node->RedSum = red;
  node->GreenSum = green;
  node->BlueSum = blue;
  node->IsLeaf = true;
  FLeafCount -= children - 1;
}

void TColorQuantizer::Fill(const TOctreeNode* Node, std::vector<PALETTEENTRY>& Table)
{
  if (!Node)
    return;
  if (Node->IsLeaf) {
    if (Node->PixelCount == 0)
      Table.push_back(PALETTEENTRY{0, 0, 0, 0});
    else
      Table.push_back(PALETTEENTRY{BYTE(Node->RedSum / Node->PixelCount), BYTE(Node->GreenSum / Node->PixelCount),
                                   BYTE(Node->BlueSum / Node->PixelCount), 0});
    return;
  }
  for (const auto& child : Node->Child)
    Fill(child.get(), Table);
}

std::vector<PALETTEENTRY> TColorQuantizer::ColorTable() const
{
  std::vector<PALETTEENTRY> table;
  Fill(FTree.get(), table);
  return table;
}
