// Lifecycle of the tree, the update bracket, delayed change and structure
// notices with their timers, and the tree-state set.
#include <cstdlib>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "controls/vtree/LazyTreeDragManager.h"
#include "controls/vtree/LazyTreeRegistry.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/SharedResources.h"
#include "platform/base/MulDiv.h"
#include "platform/classes/forms/Application.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

constexpr UINT_PTR kChangeTimer = 5, kStructureChangeTimer = 6;

}  // namespace

TBaseLazyTree::TBaseLazyTree(TComponent* AOwner) : TCustomControl(AOwner)
{
  TreeUnitSetup();
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csClickEvents, csDoubleClicks});
  SetBounds(0, 0, 200, 100);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FOptions = TBaseLazyTree::CreateOptions();
  FScrollBarOptions = std::make_unique<TScrollBarOptions>(this);
  FColors = std::make_unique<TLTColors>(this);
  FHeader = std::make_unique<TLTHeader>();
  FHeader->OnColumnResized = [this](TColumnIndex Column) { ColumnWidthChanged(Column); };
  FHeader->OnLayoutChanged = [this] { HeaderLayoutChanged(); };
  FHeader->OnColumnChanged = [this](TColumnIndex Column, bool Layout) { ColumnChanged(Column, Layout); };
  FHeader->OnSortChanged = [this] { SortChanged(); };
  FHeader->SetTree(this);
  FValidation = std::make_shared<TCacheValidation>();
  TLtWorkerThread::EnsureWorkerThread();
  FWorkerUser = true;

  FRoot = static_cast<PLazyNode>(std::calloc(1, sizeof(TLazyNode)));
  if (!FRoot)
    throw std::bad_alloc();
  FRoot->ParentNode = reinterpret_cast<PLazyNode>(this);
  FRoot->PriorSibling = FRoot->FollowingSibling = FRoot;
  FRoot->StateBits = nfInitialized | nfExpanded | nfHasChildren | nfVisible;
  FRoot->NodeHeight = std::uint16_t(FDefaultNodeHeight);
  FRoot->SubtreeHeight = FDefaultNodeHeight;
  FRoot->SubtreeCount = 1;
  FRoot->LineAlignment = 50;
  FTreeToken = RegisterLiveTree(this);
  FClipboardFormats = std::make_unique<TClipboardFormats>(this);
  for (const TClipboardFormatEntry& e : TClipboardFormatList::Entries())
    FClipboardFormats->Add(e.Description);
  FDragImage = std::make_unique<TLTDragImage>(this);
  FDragImage->Fade = true;
  FDragImage->Transparency = 200;
}

TBaseLazyTree::~TBaseLazyTree()
{
  FDestroying = true;
  FHeader->SetTree(nullptr);
  if (FEditLink) {
    DoCancelEdit();
    FEditLink.reset();
  }
  // From here on a reference to this tree names nothing: a data object left
  // on the clipboard answers E_FAIL instead of reaching a freed tree.
  UnregisterLiveTree(FTreeToken);
  if (Application())
    if (auto* hint = dynamic_cast<TLazyTreeHintWindow*>(Application()->HintWindow()))
      hint->ForgetTree(this);
  FClipboardObject = nullptr;
  RegisterAsDropTarget(false);
  if (FOwnDragManager)
    FOwnDragManager->DetachOwner();
  FDragManager.Reset();
  if (FValidation)
    TLtWorkerThread::Halt(*FValidation);
  StopWheelPanning();
  FStates -= tsChangePending;
  FStates -= tsStructureChangePending;
  // Nodes go first, while the owner's handlers can still free their data.
  {
    TLTMiscOptions misc = FOptions->MiscOptions();
    misc -= toReadOnly;
    FOptions->SetMiscOptions(misc);
  }
  RemoveChildren(FRoot, true);
  std::free(FRoot);
  FRoot = nullptr;
  if (FPlusBM)
    DeleteObject(FPlusBM);
  if (FMinusBM)
    DeleteObject(FMinusBM);
  if (FDottedBrush)
    DeleteObject(FDottedBrush);
  if (FWorkerUser)
    TLtWorkerThread::ReleaseWorkerThread(FValidation);
}

std::unique_ptr<TCustomLazyTreeOptions> TBaseLazyTree::CreateOptions()
{
  return std::make_unique<TCustomLazyTreeOptions>(this);
}

void TBaseLazyTree::Loaded()
{
  TCustomControl::Loaded();
  if (FStates.Contains(tsNeedRootCountUpdate)) {
    ChangeStates({}, {tsNeedRootCountUpdate});
    Cardinal count = FRoot->ChildCount;
    if (count > 0) {
      TLTMiscOptions misc = FOptions->MiscOptions();
      bool readOnly = misc.Contains(toReadOnly);
      FOptions->SetMiscOptions(misc - toReadOnly);
      auto restore = ScopeExit([&] {
        if (readOnly)
          FOptions->SetMiscOptions(FOptions->MiscOptions() + toReadOnly);
      });
      FRoot->ChildCount = 0;
      BeginUpdate();
      auto done = ScopeExit([&] { EndUpdate(); });
      SetNodeChildCount(FRoot, count);
    }
  }
  // The header's stored values were taken as they stood while loading.
  Updating();
  auto updated = ScopeExit([&] { Updated(); });
  FHeader->UpdateMainColumn();
  FHeader->Columns().UpdatePositions();
  HeaderLayoutChanged();
  if (FHeader->Options().Contains(hoAutoResize))
    FHeader->Columns().AutoSize(NoColumn);
}

void TBaseLazyTree::ChangeScale(int M, int D)
{
  TCustomControl::ChangeScale(M, D);
  if (M == D || D == 0 || !HasAutoOption(toAutoChangeScale))
    return;
  if (ComponentState().Contains(csLoading) && !FStates.Contains(tsNeedScale))
    return;
  FDefaultNodeHeight = unsigned(MulDiv(int(FDefaultNodeHeight), M, D));
  FHeader->ChangeScale(M, D);
}

void TBaseLazyTree::ChangeStates(TLazyTreeStates Enter, TLazyTreeStates Leave)
{
  if (OnStateChange) {
    TLazyTreeStates effective = (Enter - FStates) + (FStates * Leave);
    if (!effective.Empty())
      OnStateChange(this, Enter, Leave);
  }
  FStates = (FStates + Enter) - Leave;
}

void TBaseLazyTree::BeginUpdate()
{
  if (FDestroying)
    return;
  if (FUpdateCount > 0) {
    DoUpdating(usUpdate);
  } else {
    DoUpdating(usBegin);
    if (HasWindow() && Visible())
      SendMessage(Handle(), WM_SETREDRAW, FALSE, 0);
  }
  ++FUpdateCount;
  ChangeStates({tsUpdating}, {});
}

void TBaseLazyTree::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  if (FDestroying)
    return;
  if (FUpdateCount == 0 && FStates.Contains(tsUpdating)) {
    if (FStates.Contains(tsUpdateHiddenChildrenNeeded)) {
      for (PLazyNode n = FRoot->FirstChildNode; n; n = NextNodeRaw(n))
        DetermineHiddenChildrenFlag(n);
      ChangeStates({}, {tsUpdateHiddenChildrenNeeded});
    }
    ChangeStates({}, {tsUpdating});
    CompactOwnSelection();
    RequestCacheValidation();
    if (HasWindow())
      UpdateScrollBars(true);
    if (FStates.Contains(tsStructureChangePending)) {
      PLazyNode node = FLastStructureChangeNode;
      TChangeReason reason = FLastStructureChangeReason;
      StopTimer(kStructureChangeTimer);
      ChangeStates({}, {tsStructureChangePending});
      FLastStructureChangeNode = nullptr;
      FLastStructureChangeReason = crIgnore;
      DoStructureChange(node, reason);
    }
    if (FStates.Contains(tsChangePending)) {
      PLazyNode node = FLastChangedNode;
      StopTimer(kChangeTimer);
      ChangeStates({}, {tsChangePending});
      FLastChangedNode = nullptr;
      DoChange(node);
    }
    if (HasAutoOption(toAutoSort))
      SortWholeTree(NoColumn, sdAscending, true);
    if (HasWindow()) {
      SendMessage(Handle(), WM_SETREDRAW, TRUE, 0);
      Invalidate();
    }
  }
  DoUpdating(FUpdateCount == 0 ? usEnd : usUpdate);
}

void TBaseLazyTree::Change(PLazyNode Node)
{
  if (FDestroying)
    return;
  if (FStates.Contains(tsChangePending))
    StopTimer(kChangeTimer);
  else
    ChangeStates({tsChangePending}, {});
  FLastChangedNode = Node;
  if (IsUpdating())
    return;
  // Without a window there is no timer to wait for: the notice goes out now.
  if (FChangeDelay <= 0 || FStates.Contains(tsSynchMode) || !HasWindow()) {
    FLastChangedNode = nullptr;
    ChangeStates({}, {tsChangePending});
    DoChange(Node);
  } else {
    SetTimer(Handle(), kChangeTimer, UINT(FChangeDelay), nullptr);
  }
}

void TBaseLazyTree::StructureChange(PLazyNode Node, TChangeReason Reason)
{
  if (FDestroying)
    return;
  if (FStates.Contains(tsStructureChangePending))
    StopTimer(kStructureChangeTimer);
  else
    ChangeStates({tsStructureChangePending}, {});
  FLastStructureChangeNode = Node;
  if (FLastStructureChangeReason == crIgnore)
    FLastStructureChangeReason = Reason;
  else if (Reason != crIgnore)
    FLastStructureChangeReason = crAccumulated;
  if (IsUpdating())
    return;
  if (FChangeDelay <= 0 || FStates.Contains(tsSynchMode) || !HasWindow()) {
    TChangeReason reason = FLastStructureChangeReason;
    PLazyNode node = FLastStructureChangeNode;
    ChangeStates({}, {tsStructureChangePending});
    FLastStructureChangeNode = nullptr;
    FLastStructureChangeReason = crIgnore;
    DoStructureChange(node, reason);
  } else {
    SetTimer(Handle(), kStructureChangeTimer, UINT(FChangeDelay), nullptr);
  }
}

void TBaseLazyTree::StopTimer(UINT_PTR Id)
{
  if (HasWindow())
    KillTimer(Handle(), Id);
}

void TBaseLazyTree::WndProc(TMessage& Message)
{
  // The header sees every message first; one it handled goes no further.
  if (FHeader && FHeader->HandleMessage(Message))
    return;
  if ((Message.Msg == WM_NCLBUTTONDOWN || Message.Msg == WM_NCMBUTTONDOWN || Message.Msg == WM_NCRBUTTONDOWN) &&
      !Focused() && CanFocus())
    SetFocus();
  if (DispatchInputMessage(Message) || DispatchLookMessage(Message))
    return;
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == kChangeTimer) {
        StopTimer(kChangeTimer);
        if (FStates.Contains(tsChangePending)) {
          PLazyNode node = FLastChangedNode;
          FLastChangedNode = nullptr;
          ChangeStates({}, {tsChangePending});
          DoChange(node);
        }
        return;
      }
      if (Message.WParam == kStructureChangeTimer) {
        StopTimer(kStructureChangeTimer);
        if (FStates.Contains(tsStructureChangePending)) {
          PLazyNode node = FLastStructureChangeNode;
          TChangeReason reason = FLastStructureChangeReason;
          FLastStructureChangeNode = nullptr;
          FLastStructureChangeReason = crIgnore;
          ChangeStates({}, {tsStructureChangePending});
          DoStructureChange(node, reason);
        }
        return;
      }
      break;
    case WM_CHANGESTATE: {
      // Bits of the first parameter are entered, of the second left.
      static constexpr TLazyTreeState kBits[] = {tsStopValidation, tsUseCache, tsValidating, tsValidationNeeded};
      TLazyTreeStates enter, leave;
      for (unsigned i = 0; i < 4; ++i) {
        if (Message.WParam & (1u << i))
          enter += kBits[i];
        if (Message.LParam & (1u << i))
          leave += kBits[i];
      }
      if (!enter.Empty() || !leave.Empty())
        ChangeStates(enter, leave);
      AdoptFinishedCache();
      return;
    }
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCCALCSIZE:
      WMNCCalcSizeWithHeader(Message);
      return;
    case WM_NCPAINT:
      WMNCPaintFrame(Message);
      return;
    case CM_CTL3DCHANGED:
      CMCtl3DChanged(Message);
      return;
  }
  TCustomControl::WndProc(Message);
}

void TBaseLazyTree::Resize()
{
  TCustomControl::Resize();
  HeaderClientWidthChanged();
  if (HasWindow())
    UpdateScrollBars(true);
}
