#include "HostLikeTree.h"

#include <algorithm>

#include "platform/base/Utf.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
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
  return Kind == ikState ? ContactStatusImage(this, Node) : -1;
}

int ContactStatusImage(TBaseLazyTree* Tree, PLazyNode Node)
{
  return Tree->NodeLevel(Node) < 2 ? 0 : 1 + int(Node->SiblingIndex % 2);
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

void TContactTexts::Bind(TLazyStringTree* Tree)
{
  Tree->OnGetText = TLSTGetTextEvent(this, &TContactTexts::GetText);
  Tree->OnPaintText = TLTPaintText(this, &TContactTexts::PaintText);
  Tree->OnGetImageIndex = TLTGetImageEvent(this, &TContactTexts::GetImageIndex);
}

void TContactTexts::GetImageIndex(TBaseLazyTree* Tree, PLazyNode Node, TLTImageKind Kind, TColumnIndex, bool&,
                                  int& ImageIndex)
{
  if (Kind == ikState)
    ImageIndex = ContactStatusImage(Tree, Node);
}

void TContactTexts::GetText(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex, TLSTTextType Type, WideString& Text)
{
  ++GetTextCalls;
  if (Type == ttStatic) {
    Text = Static;
    return;
  }
  static const char16_t* kinds[] = {u"Reseau ", u"Groupe ", u"Contact "};
  Text = kinds[std::min(2u, Tree->NodeLevel(Node))] + UTF8Decode(std::to_string(Node->SiblingIndex + 1));
}

void TContactTexts::PaintText(TBaseLazyTree* Tree, TCanvas* Canvas, PLazyNode Node, TColumnIndex, TLSTTextType Type)
{
  if (Type == ttStatic) {
    Canvas->Font()->SetColor(TColor(0xFF8000));
    return;
  }
  if (Tree->NodeLevel(Node) == 2)
    Canvas->Font()->SetColor(TColor(Node->SiblingIndex % 2 ? 0x0000C0 : 0x008000));
}

void BuildContactList(TBaseLazyTree* Tree)
{
  Tree->SetNodeChildCount(nullptr, 2);
  for (PLazyNode net = Tree->HiddenRoot()->FirstChildNode; net; net = net->FollowingSibling) {
    Tree->SetNodeChildCount(net, 2);
    Tree->SetNodeChildCount(net->FirstChildNode, 3);
    Tree->SetNodeChildCount(net->LastChildNode, 2);
    Tree->SetExpanded(net->FirstChildNode, true);
    Tree->SetExpanded(net, true);
  }
}
