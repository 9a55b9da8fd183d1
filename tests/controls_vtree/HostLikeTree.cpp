#include "HostLikeTree.h"

#include <algorithm>

#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

std::string THostLikeTree::TextOf(PLazyNode Node)
{
  static const char* kinds[] = {"Reseau ", "Groupe ", "Contact "};
  // Numbers stay below 100, so texts are as long in large trees as in small ones.
  return kinds[std::min(2u, NodeLevel(Node))] + std::to_string(Node->SiblingIndex % 99 + 1);
}

int THostLikeTree::DoGetNodeWidth(PLazyNode Node, TColumnIndex, TCanvas* Canvas)
{
  if (!Canvas || !Canvas->HandleAllocated())
    return int(TextOf(Node).size()) * 6;
  return Canvas->TextWidth(TextOf(Node));
}

int THostLikeTree::DoGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted)
{
  TBaseLazyTree::DoGetImageIndex(Node, Kind, Column, Ghosted);  // counts the question
  if (Kind != ikState)
    return -1;
  return NodeLevel(Node) < 2 ? 0 : 1 + int(Node->SiblingIndex % 2);
}

void THostLikeTree::DoPaintNode(TLtPaintInfo& Info)
{
  HDC dc = Info.Canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Info.Node->Has(nfSelected) && !HasPaintOption(toUseBlendedSelection) ? 0xFFFFFF : 0);
  std::string text = TextOf(Info.Node);
  int x = RightToLeftDrawing() ? Info.ContentRect.Right - Info.NodeWidth : Info.ContentRect.Left;
  TextOutA(dc, x, Info.CellRect.Top + 3, text.c_str(), int(text.size()));
}

std::unique_ptr<TCustomImageList> NewStatusImages()
{
  auto list = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  for (COLORREF c : {0x808080u, 0x00A000u, 0x0000D0u}) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        bool inside = c == 0x808080u ? (x >= 3 && x < 13 && y >= 3 && y < 13)
                                    : (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 36;
        COLORREF v = inside ? c : 0xFF00FF;
        p[y * 16 + x] = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
      }
    ImageList_AddMasked(list->Handle(), bm, 0xFF00FF);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  return list;
}
