// Published settings of the engine and the side effects of option, colour and
// scroll-bar changes.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/menus/PopupMenu.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/graphics/CustomImageList.h"

namespace {

bool FormLoading(const TComponent* C)
{
  return C->ComponentState().Contains(csLoading);
}

}  // namespace

void TBaseLazyTree::SetDefaultNodeHeight(unsigned Value)
{
  if (Value == 0)
    Value = 18;
  if (Value > 65535)
    Value = 65535;
  if (Value == FDefaultNodeHeight)
    return;
  HaltCacheValidation();
  std::int64_t diff = std::int64_t(Value) - std::int64_t(FDefaultNodeHeight);
  FDefaultNodeHeight = Value;
  ChangeStates({tsNeedScale}, {});
  FRoot->SubtreeHeight = std::uint32_t(std::int64_t(FRoot->SubtreeHeight) + diff);
  FRoot->NodeHeight = std::uint16_t(Value);
  MarkCacheStale();
  if (!IsUpdating() && HasWindow() && !FormLoading(this)) {
    RequestCacheValidation();
    UpdateScrollBars(true);
    if (FFocusedNode)
      BringNodeIntoView(FFocusedNode, HasSelectionOption(toCenterScrollIntoView), true);
    Invalidate();
  }
}

void TBaseLazyTree::SetIndent(unsigned Value)
{
  if (Value == FIndent)
    return;
  FIndent = Value;
  if (!FormLoading(this) && !IsUpdating() && HasWindow()) {
    UpdateScrollBars(true);
    Invalidate();
  }
}

void TBaseLazyTree::SetMargin(int Value)
{
  if (Value == FMargin)
    return;
  FMargin = Value;
  if (HasWindow() && !FormLoading(this))
    Invalidate();
}

void TBaseLazyTree::SetAnimationDuration(unsigned Value)
{
  FAnimationDuration = Value;
  TLTAnimationOptions a = FOptions->AnimationOptions();
  FOptions->SetAnimationOptions(Value ? a + toAnimatedToggle : a - toAnimatedToggle);
}

void TBaseLazyTree::SetAlignment(TAlignment Value)
{
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  if (HasWindow() && !FormLoading(this))
    Invalidate();
}

void TBaseLazyTree::SetBiDiMode(TBiDiMode Value)
{
  if (Value == FBiDiMode)
    return;
  FBiDiMode = Value;
  // The side of the vertical scroll bar is a window style.
  RecreateWindowIfShown();
}

void TBaseLazyTree::SetButtonStyle(TLTButtonStyle Value)
{
  if (Value == FButtonStyle)
    return;
  FButtonStyle = Value;
  if (!FormLoading(this)) {
    PrepareButtonBitmaps(true, false);
    if (HasWindow())
      Invalidate();
  }
}

void TBaseLazyTree::SetButtonFillMode(TLTButtonFillMode Value)
{
  if (Value == FButtonFillMode)
    return;
  FButtonFillMode = Value;
  if (!FormLoading(this)) {
    PrepareButtonBitmaps(true, false);
    if (HasWindow())
      Invalidate();
  }
}

void TBaseLazyTree::SetLineStyle(TLTLineStyle Value)
{
  if (Value == FLineStyle)
    return;
  FLineStyle = Value;
  if (!FormLoading(this)) {
    PrepareButtonBitmaps(false, true);
    if (HasWindow())
      Invalidate();
  }
}

void TBaseLazyTree::SetLineMode(TLTLineMode Value)
{
  if (Value == FLineMode)
    return;
  FLineMode = Value;
  if (HasWindow() && !FormLoading(this))
    Invalidate();
}

void TBaseLazyTree::SetNodeAlignment(TLTNodeAlignment Value)
{
  if (Value == FNodeAlignment)
    return;
  FNodeAlignment = Value;
  if (HasWindow() && !FormLoading(this))
    Invalidate();
}

void TBaseLazyTree::SetSelectionCurveRadius(int Value)
{
  if (Value == FSelectionCurveRadius)
    return;
  FSelectionCurveRadius = Value;
  if (HasWindow() && !FormLoading(this))
    Invalidate();
}

void TBaseLazyTree::SetCheckImageKind(TCheckImageKind Value)
{
  if (Value == FCheckImageKind)
    return;
  FCheckImageKind = Value;
  if (HasWindow() && !IsUpdating() && !FormLoading(this))
    Invalidate();
}

TCustomImageList* TBaseLazyTree::CheckImages() const
{
  if (FCheckImageKind == ckCustom)
    return FCustomCheckImages;
  return SharedCheckImages(FCheckImageKind);
}

void TBaseLazyTree::ReplaceImageList(TCustomImageList*& Field, TCustomImageList* Value)
{
  if (Value == Field)
    return;
  // A list in use tells the tree when it goes, so that no freed list is drawn.
  if (Field && !UsesImageList(Field, &Field))
    RemoveFreeNotification(Field);
  Field = Value;
  if (Value)
    FreeNotification(Value);
  if (HasWindow())
    Invalidate();
}

bool TBaseLazyTree::UsesImageList(TCustomImageList* List, TCustomImageList* const* Except) const
{
  for (TCustomImageList* const* field : {&FImages, &FStateImages, &FCustomCheckImages})
    if (field != Except && *field == List)
      return true;
  return FHeader && FHeader->Images() == List;
}

void TBaseLazyTree::SetImages(TCustomImageList* Value)
{
  ReplaceImageList(FImages, Value);
}

void TBaseLazyTree::SetStateImages(TCustomImageList* Value)
{
  ReplaceImageList(FStateImages, Value);
}

void TBaseLazyTree::SetCustomCheckImages(TCustomImageList* Value)
{
  ReplaceImageList(FCustomCheckImages, Value);
}

void TBaseLazyTree::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent)
    return;
  bool forgot = false;
  for (TCustomImageList** field : {&FImages, &FStateImages, &FCustomCheckImages})
    if (*field && static_cast<TComponent*>(*field) == AComponent) {
      *field = nullptr;
      forgot = true;
    }
  if (forgot && !FCustomCheckImages && FCheckImageKind == ckCustom)
    FCheckImageKind = ckLightCheck;
  if (FHeader && FHeader->Images() && static_cast<TComponent*>(FHeader->Images()) == AComponent) {
    FHeader->SetImages(nullptr);
    forgot = true;
  }
  if (FHeader && FHeader->PopupMenu() && static_cast<TComponent*>(FHeader->PopupMenu()) == AComponent) {
    FHeader->SetPopupMenu(nullptr);
    forgot = true;
  }
  if (forgot && !FDestroying && HasWindow())
    Invalidate();
}

void TBaseLazyTree::SetNodeDataSize(int Value)
{
  if (Value < -1)
    Value = -1;
  if (Value == FNodeDataSize)
    return;
  FNodeDataSize = Value;
  if (!FormLoading(this) && !ComponentState().Contains(csDesigning)) {
    // Every node is made again with records of the new size.
    Cardinal count = FRoot->ChildCount;
    ClearTree();
    SetRootNodeCount(count);
  }
}

void TBaseLazyTree::SetFocusedNode(PLazyNode Value)
{
  if (Value == FRoot)
    Value = nullptr;
  if (Value == FFocusedNode)
    return;
  if (!DoFocusChanging(FFocusedNode, Value, FFocusedColumn, FFocusedColumn))
    return;
  PLazyNode old = FFocusedNode;
  FFocusedNode = Value;
  if (old)
    RepaintNode(old);
  if (Value) {
    if (HasWindow())
      BringNodeIntoView(Value, HasSelectionOption(toCenterScrollIntoView), false);
    RepaintNode(Value);
  }
  DoFocusChange(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::SetFocusedColumn(TColumnIndex Value)
{
  if (Value == FFocusedColumn)
    return;
  if (!DoFocusChanging(FFocusedNode, FFocusedNode, FFocusedColumn, Value))
    return;
  FFocusedColumn = Value;
  if (FFocusedNode)
    RepaintNode(FFocusedNode);
  DoFocusChange(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::SetDropTarget(PLazyNode Node, TDropMode Mode)
{
  PLazyNode old = FDropTargetNode;
  FDropTargetNode = Node;
  FDropMode = Node ? Mode : dmNowhere;
  if (old)
    RepaintNode(old);
  if (Node)
    RepaintNode(Node);
}

void TBaseLazyTree::SetHotNode(PLazyNode Node)
{
  if (Node == FHotNode)
    return;
  PLazyNode old = FHotNode;
  FHotNode = Node;
  if (OnHotChange)
    OnHotChange(this, old, Node);
  if (HasMiscOption(toCheckSupport)) {
    if (old)
      RepaintNode(old);
    if (Node)
      RepaintNode(Node);
  }
}

void TBaseLazyTree::OptionsChanged(int Which, std::uint32_t OldBits, std::uint32_t NewBits)
{
  std::uint32_t changed = OldBits ^ NewBits;
  bool repaint = HasWindow() && !ComponentState().Contains(csLoading);
  switch (Which) {
    case 0:  // paint
      if (changed & (1u << toThemeAware)) {
        UpdateThemeState();
        PrepareButtonBitmaps(true, false);
        if (repaint)
          RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
      } else if (repaint) {
        Invalidate();
      }
      break;
    case 2:  // auto
      if ((changed & (1u << toAutoSpanColumns)) && repaint)
        Invalidate();
      break;
    case 3:  // selection
      if ((changed & (1u << toMultiSelect)) || ((changed & NewBits) & (1u << toLevelSelectConstraint)) ||
          ((changed & NewBits) & (1u << toSiblingSelectConstraint)))
        ClearSelection();
      if ((changed & (1u << toExtendedFocus)) && !(NewBits & (1u << toExtendedFocus)) && FFocusedColumn > 0 &&
          HasWindow()) {
        SetFocusedColumn(MainColumn());
        Invalidate();
      }
      if (!(NewBits & (1u << toExtendedFocus)))
        FFocusedColumn = MainColumn();
      break;
    case 4:  // misc
      if ((changed & (1u << toCheckSupport)) && repaint)
        Invalidate();
      if (changed & (1u << toAcceptOLEDrop))
        RegisterAsDropTarget((NewBits & (1u << toAcceptOLEDrop)) != 0);
      if ((changed & (1u << toFullRepaintOnResize)) && !ComponentState().Contains(csDesigning))
        RecreateWindowIfShown();
      break;
    default:
      break;
  }
}

void TBaseLazyTree::ColorsChanged(TLTColorIndex Index)
{
  if (Index == TreeLineColor)
    PrepareButtonBitmaps(true, false);
  if (!HasWindow() || IsUpdating())
    return;
  if (Index == BorderColor)
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN);
  else
    Invalidate();
}

void TBaseLazyTree::ScrollBarSettingsChanged()
{
  if (HasWindow() && !ComponentState().Contains(csLoading))
    UpdateScrollBars(true);
}

void TBaseLazyTree::Assign(TPersistent* Source)
{
  auto* tree = dynamic_cast<TBaseLazyTree*>(Source);
  if (!tree || HasMiscOption(toReadOnly)) {
    TCustomControl::Assign(Source);
    return;
  }
  SetBackground(tree->FBackground);
  SetBackgroundOffset(tree->FBackgroundOffsetX, tree->FBackgroundOffsetY);
  SetBevelEdges(tree->BevelEdges());
  SetBevelInner(tree->BevelInner());
  SetBevelKind(tree->BevelKind());
  SetBevelOuter(tree->BevelOuter());
  SetBevelWidth(tree->BevelWidth());
  SetBiDiMode(tree->FBiDiMode);
  SetBorderStyle(tree->FBorderStyle);
  SetBorderWidth(tree->BorderWidth());
  SetChangeDelay(tree->FChangeDelay);
  SetCheckImageKind(tree->FCheckImageKind);
  SetColor(tree->Color());
  FColors->Assign(*tree->FColors);
  SetCtl3D(tree->Ctl3D());
  SetDefaultNodeHeight(tree->FDefaultNodeHeight);
  SetEnabled(tree->Enabled());
  SetImages(tree->FImages);
  SetIndent(tree->FIndent);
  SetMargin(tree->FMargin);
  SetNodeAlignment(tree->FNodeAlignment);
  SetNodeDataSize(tree->FNodeDataSize);
  FOptions->Assign(*tree->FOptions);
  SetRootNodeCount(tree->RootNodeCount());
  FScrollBarOptions->Assign(*tree->FScrollBarOptions);
  SetStateImages(tree->FStateImages);
  SetTabStop(tree->TabStop());
  SetVisible(tree->Visible());
  SetSelectionCurveRadius(tree->FSelectionCurveRadius);
  SetSelectionBlendFactor(tree->FSelectionBlendFactor);
}
