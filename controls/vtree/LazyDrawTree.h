// TCustomLazyDrawTree: the owner-drawn variant of the tree. Everything a cell
// shows, and a node's hint, is drawn by the owner through the events below;
// the tree keeps structure, selection and the rest of the engine.
#pragma once

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/PaintPassInfo.h"

class TCustomLazyDrawTree;

using TLTDrawNodeEvent = Method<void(TBaseLazyTree* Sender, const TLtPaintInfo& PaintInfo)>;
using TLTGetNodeWidthEvent =
    Method<void(TBaseLazyTree* Sender, TCanvas* HintCanvas, PLazyNode Node, TColumnIndex Column, int& NodeWidth)>;
using TLTGetHintSizeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, TRect& R)>;
using TLTDrawHintEvent =
    Method<void(TBaseLazyTree* Sender, TCanvas* HintCanvas, PLazyNode Node, TRect R, TColumnIndex Column)>;

class TCustomLazyDrawTree : public TBaseLazyTree {
public:
  using TBaseLazyTree::TBaseLazyTree;

  // The cell's content: OnDrawNode with the paint information.
  void DoPaintNode(TLtPaintInfo& PaintInfo) override;
  // 2 x TextMargin unless OnGetNodeWidth says otherwise.
  int DoGetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas) override;
  // Hints are the owner's: their size from OnGetHintSize, their picture from OnDrawHint.
  bool OwnerDrawsHints() const override { return true; }
  TRect DoGetHintSize(PLazyNode Node, TColumnIndex Column) override;
  void DoDrawHint(TCanvas* Canvas, PLazyNode Node, TRect R, TColumnIndex Column) override;

  TLTDrawNodeEvent OnDrawNode;
  TLTGetNodeWidthEvent OnGetNodeWidth;
  TLTGetHintSizeEvent OnGetHintSize;
  TLTDrawHintEvent OnDrawHint;
};

class TLazyDrawTree : public TCustomLazyDrawTree {
public:
  using TCustomLazyDrawTree::TCustomLazyDrawTree;
};
