// A tree shaped like the host's contact list, for the paint tests and the
// benchmarks: networks, groups and contacts with a status image each and their
// text painted through the minimal text hook.
#pragma once

#include <memory>
#include <string>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyStringTree.h"
#include "platform/classes/graphics/CustomImageList.h"

class THostLikeTree : public TBaseLazyTree {
public:
  using TBaseLazyTree::TBaseLazyTree;

  std::string TextOf(PLazyNode Node);
  int DoGetNodeWidth(PLazyNode Node, TColumnIndex, TCanvas* Canvas) override;
  int DoGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex, bool& Ghosted) override;
  void DoPaintNode(TLtPaintInfo& Info) override;
  bool RightToLeftDrawing() const { return BiDiMode() != bdLeftToRight; }
};

// The status image of a node of the contact list: networks and groups the
// grey square, contacts alternately the green and the red disc.
int ContactStatusImage(TBaseLazyTree* Tree, PLazyNode Node);

// Three 16x16 status images: a grey square, a green and a red disc.
std::unique_ptr<TCustomImageList> NewStatusImages();

// The same list in the text tree: the owner gives texts by level, the status
// images, and paints contacts in the colour of their status (green, red).
struct TContactTexts {
  int GetTextCalls = 0;
  WideString Static;  // the text beside every node, when shown

  void Bind(TLazyStringTree* Tree);
  void GetText(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex, TLSTTextType Type, WideString& Text);
  void PaintText(TBaseLazyTree* Tree, TCanvas* Canvas, PLazyNode Node, TColumnIndex, TLSTTextType Type);
  void GetImageIndex(TBaseLazyTree* Tree, PLazyNode Node, TLTImageKind Kind, TColumnIndex, bool&, int& ImageIndex);
};

// Two networks, each with a group of three contacts (expanded) and one of two.
void BuildContactList(TBaseLazyTree* Tree);
