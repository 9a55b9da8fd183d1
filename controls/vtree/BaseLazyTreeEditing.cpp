// The tree's side of in-place editing: starting an edit (F2, the edit timer
// after a click on the focused node, EditNode), ending and cancelling it
// through the edit link, and keeping the editor over its cell.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeEditLink.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/forms/Application.h"

std::shared_ptr<ILTEditLink> TBaseLazyTree::DoCreateEditor(PLazyNode Node, TColumnIndex Column)
{
  std::shared_ptr<ILTEditLink> link;
  if (OnCreateEditor) {
    OnCreateEditor(this, Node, Column, link);
    if (!link)
      RaiseTreeError(hcTFEditLinkIsNil);
  }
  return link;
}

bool TBaseLazyTree::EditNode(PLazyNode Node, TColumnIndex Column)
{
  LT_ASSERT(Node, "Node must not be nil.");
  LT_ASSERT(Column >= NoColumn && Column < FHeader->Columns().Count(),
            "Column must be a valid column index (-1 if no header is shown).");
  if (FStates.Contains(tsEditing) || HasMiscOption(toReadOnly))
    return FStates.Contains(tsEditing);
  SetFocusedNode(Node);
  if (Node == FFocusedNode && DoCanEdit(Node, Column)) {
    FEditColumn = Column;
    if (!Node->Has(nfInitialized))
      InitializeNode(Node);
    DoEdit();
  }
  return FStates.Contains(tsEditing);
}

void TBaseLazyTree::DoEdit()
{
  if (Application())
    Application()->CancelHint();
  StopTimer(kScrollTimer);
  StopTimer(kEditTimer);
  ChangeStates({}, {tsEditPending});
  if (!FFocusedNode || FFocusedNode->Has(nfDisabled) || HasMiscOption(toReadOnly) || FEditLink)
    return;
  FEditLink = DoCreateEditor(FFocusedNode, FEditColumn);
  if (!FEditLink)
    return;
  ChangeStates({tsEditing}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting,
                             tsMouseCheckPending, tsOLEDragging, tsOLEDragPending, tsScrolling, tsScrollPending});
  BringNodeIntoView(FFocusedNode, HasSelectionOption(toCenterScrollIntoView), true);
  // The link may run the tree's messages: keep it alive until this call is done.
  std::shared_ptr<ILTEditLink> link = FEditLink;
  if (link->PrepareEdit(this, FFocusedNode, FEditColumn)) {
    UpdateEditBounds();
    RepaintNode(FFocusedNode);
    if (!link->BeginEdit())
      ChangeStates({}, {tsEditing});
  } else {
    ChangeStates({}, {tsEditing});
  }
  if (!FStates.Contains(tsEditing))
    FEditLink.reset();
}

bool TBaseLazyTree::DoEndEdit()
{
  bool result = false;
  if (FStates.Contains(tsEditing) && FEditLink) {
    std::shared_ptr<ILTEditLink> link = FEditLink;
    result = link->EndEdit();
    if (result) {
      ChangeStates({}, {tsEditing});
      FEditLink.reset();
      if (OnEdited)
        OnEdited(this, FFocusedNode, FEditColumn);
    }
  }
  ChangeStates({}, {tsEditPending});
  return result;
}

bool TBaseLazyTree::DoCancelEdit()
{
  StopTimer(kEditTimer);
  ChangeStates({}, {tsEditPending});
  bool result = false;
  if (FStates.Contains(tsEditing) && FEditLink) {
    std::shared_ptr<ILTEditLink> link = FEditLink;
    result = link->CancelEdit();
    if (result) {
      ChangeStates({}, {tsEditing});
      if (OnEditCancelled && !FDestroying)
        OnEditCancelled(this, FEditColumn);
      if (!FDestroying)
        FEditLink.reset();
    }
  }
  return result;
}

bool TBaseLazyTree::EndEditNode()
{
  if (FStates.Contains(tsEditing) || FStates.Contains(tsEditPending))
    return DoEndEdit();
  return true;
}

bool TBaseLazyTree::CancelEditNode()
{
  if (HasWindow() && (FStates.Contains(tsEditing) || FStates.Contains(tsEditPending)))
    return DoCancelEdit();
  return true;
}

void TBaseLazyTree::UpdateEditBounds()
{
  if (!FStates.Contains(tsEditing) || !FEditLink || !FFocusedNode)
    return;
  bool multiLine = FFocusedNode->Has(nfMultiline);
  TRect r = NodeDisplayRect(FFocusedNode, FEditColumn, !multiLine, true);
  if (HasMiscOption(toGridExtensions) && UseColumns() && FHeader->Columns().IsValidColumn(FEditColumn)) {
    const TLazyTreeColumn* column = FHeader->Columns().Item(FEditColumn);
    TAlignment alignment = column->Alignment();
    if (column->BiDiMode() != bdLeftToRight && alignment != taCenter)
      alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    int left = FOffsetX + column->Left(), right = left + column->Width();
    if (alignment == taLeftJustify)
      r.Right = right;
    else
      r.Left = left;
  }
  if (HasPaintOption(toShowHorzGridLines))
    r.Bottom -= 1;
  FEditLink->SetBounds(r);
}
