// A tree shaped like the host's contact list, for the paint tests and the
// benchmarks: networks, groups and contacts with a status image each and their
// text painted through the minimal text hook.
#pragma once

#include <memory>
#include <string>

#include "controls/vtree/BaseLazyTree.h"
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

// Three 16x16 status images: a grey square, a green and a red disc.
std::unique_ptr<TCustomImageList> NewStatusImages();
