// Shared pieces of the tree tests: a tree on the headless display with an
// owner that records the events it is asked and answers from small tables.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/vtree/BaseLazyTree.h"
#include "platform/win/gdi/Screenshot.h"

// Records events as text lines ("init 0", "structure - 3", ...) and answers
// child counts and initial states from maps keyed by node.
class TTreeOwner {
public:
  std::vector<std::string> Journal;
  std::map<PLazyNode, Cardinal> ChildCounts;
  std::map<PLazyNode, TLazyNodeInitStates> InitStates;
  std::function<void(PLazyNode)> OnInit;
  bool CheckFreed = false;  // a structure notice naming a freed node fails the test
  int InitCount = 0;
  int InitChildrenCount = 0;
  int FreeCount = 0;
  std::vector<PLazyNode> Freed;  // addresses only: never read through
  std::vector<std::string> FreedNames;

  void Bind(TBaseLazyTree* Tree);
  // The node's path of sibling indices ("1.0.2"), or "-" for nil.
  static std::string Name(PLazyNode Node);
  void Clear() { Journal.clear(); }
  int Count(const std::string& Prefix) const;

  void InitNode(TBaseLazyTree*, PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates& States);
  void InitChildren(TBaseLazyTree*, PLazyNode Node, Cardinal& Count);
  void FreeNode(TBaseLazyTree*, PLazyNode Node);
  void Change(TBaseLazyTree*, PLazyNode Node);
  void StructureChange(TBaseLazyTree*, PLazyNode Node, TChangeReason Reason);
  void Updating(TBaseLazyTree*, TLTUpdateState State);
  void Expanded(TBaseLazyTree*, PLazyNode Node);
  void Collapsed(TBaseLazyTree*, PLazyNode Node);
  void NodeMoved(TBaseLazyTree*, PLazyNode Node);
};

class TreeFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A new windowless tree bound to Owner (the fixture keeps it).
  TBaseLazyTree* NewTree();
  // Node by path of sibling indices from the top level ("1.0").
  PLazyNode At(const std::string& Path, TBaseLazyTree* T = nullptr);

  TTreeOwner Owner;
  TBaseLazyTree* Tree = nullptr;
  std::vector<std::unique_ptr<TBaseLazyTree>> Trees;
};

// The picture of the tree's area (0, 0, Width, Height) painted into a 32-bit bitmap.
TPixelImage PaintToPicture(TBaseLazyTree* Tree, int Width, int Height, std::uint8_t Options);

class TCustomForm;
class THeadlessDisplay;

// Input tests: the headless display on the virtual clock and a form at
// Bounds holding Control (placed at ControlBounds); the form is shown.
struct TInputStage {
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  void Open(const TRect& Bounds, TControl* Control, const TRect& ControlBounds);
  // Takes Control off the form and frees the form.
  void Close(TControl* Control);
};
