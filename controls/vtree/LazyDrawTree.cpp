#include "controls/vtree/LazyDrawTree.h"

void TCustomLazyDrawTree::DoPaintNode(TLtPaintInfo& PaintInfo)
{
  if (OnDrawNode)
    OnDrawNode(this, PaintInfo);
}

int TCustomLazyDrawTree::DoGetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas)
{
  int width = 2 * TextMargin();
  if (OnGetNodeWidth)
    OnGetNodeWidth(this, Canvas ? Canvas : this->Canvas(), Node, Column, width);
  return width;
}

TRect TCustomLazyDrawTree::DoGetHintSize(PLazyNode Node, TColumnIndex Column)
{
  TRect r;
  if (OnGetHintSize)
    OnGetHintSize(this, Node, Column, r);
  return r;
}

void TCustomLazyDrawTree::DoDrawHint(TCanvas* Canvas, PLazyNode Node, TRect R, TColumnIndex Column)
{
  if (OnDrawHint)
    OnDrawHint(this, Canvas, Node, R, Column);
}
