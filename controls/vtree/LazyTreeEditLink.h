// What the tree asks of an in-place editor: the edit link. The tree gets one
// from its owner (OnCreateEditor) or, in the text tree, makes a string edit
// link, then drives it: prepare, place, begin, and end or cancel.
#pragma once

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/base/Geometry.h"

class TBaseLazyTree;
struct TMessage;

class ILTEditLink {
public:
  virtual ~ILTEditLink() = default;
  // Shows the editor and gives it the focus; false once stopped.
  virtual bool BeginEdit() = 0;
  // Hides the editor without taking its text; false when already stopped.
  virtual bool CancelEdit() = 0;
  // Hands a changed text to the tree and hides the editor; false when already stopped.
  virtual bool EndEdit() = 0;
  // Takes the cell to edit; false when this link cannot edit in that tree.
  virtual bool PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column) = 0;
  virtual TRect GetBounds() = 0;
  virtual void ProcessMessage(TMessage& Message) = 0;
  virtual void SetBounds(TRect R) = 0;
};
