// The view's bookkeeping: following the item tree and keeping the viewers.
#include "controls/toolbar/TBView.h"

#include <algorithm>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBMenuFont.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

thread_local TPoint LastMousePos;

namespace {
constexpr int MaxInlineDepth = 10;
}

TTBView::TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* ASourceItem, TWinControl* AWindow,
                 bool AIsToolbar, bool ACustomizing, bool AUsePriorityList)
    : TComponent(AOwner),
      FFillColor(clDefault),
      FCustomizing(ACustomizing),
      FIsPopup(!AIsToolbar),
      FIsToolbar(AIsToolbar),
      FParentView(AParentView),
      FSourceItem(ASourceItem),
      FUsePriorityList(AUsePriorityList),
      FWindow(AWindow)
{
  if (FSourceItem) {
    FSourceItem->RegisterNotification(TTBItemChangedProc(this, &TTBView::OnSourceItemChange));
    FSourceItem->FreeNotification(this);
  }
  FollowSourceItem();
}

TTBView::~TTBView()
{
  Destroying();
  ReleaseAccObject();
  CloseSubmenus();
  if (FParentView && FParentView->IsToolbar()) {
    FParentView->IncludeFlags(vfNoAnimation);
    if (FParentView->FOpenViewer)
      FParentView->FOpenViewer->RepaintViewer();
  }
  if (FSourceItem)
    FSourceItem->UnregisterNotification(TTBItemChangedProc(this, &TTBView::OnSourceItemChange));
  if (FShownItem)
    FShownItem->UnregisterNotification(TTBItemChangedProc(this, &TTBView::OnShownItemChange));
  FPriorityList.clear();
  FSelected = nullptr;
  for (TTBItemViewer* v : FViewers)
    delete v;
  FViewers.clear();
  if (FParentView)
    FParentView->AnnounceFocus();
}

void TTBView::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FSourceItem) {
    // The item is going: its callback list goes with it.
    FSourceItem = nullptr;
    FShownItem = nullptr;
    RebuildViewers();
    if (FParentView)
      FParentView->CloseSubmenus();
  } else if (AComponent == FShownItem) {
    FShownItem = nullptr;
    RebuildViewers();
  } else if (FOpenViewerWindow && AComponent == FOpenViewerWindow) {
    FOpenViewer = nullptr;
    FOpenViewerView = nullptr;
    FOpenViewerWindow = nullptr;
  } else if (AComponent == FChevronSourceView) {
    FChevronSourceView = nullptr;
  }
}

void TTBView::SetChevronSourceView(TTBView* Value)
{
  FChevronSourceView = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TTBView::SetOpenSubmenu(TTBItemViewer* Viewer, TTBView* View, TTBPopupWindow* Window)
{
  FOpenViewer = Viewer;
  FOpenViewerView = View;
  FOpenViewerWindow = Window;
}

void TTBView::FollowSourceItem()
{
  TTBCustomItem* shown = FSourceItem ? FSourceItem->GetItemList() : nullptr;
  if (shown == FShownItem)
    return;
  CloseSubmenus();
  if (FShownItem) {
    FShownItem->UnregisterNotification(TTBItemChangedProc(this, &TTBView::OnShownItemChange));
    if (FShownItem != FSourceItem)
      FShownItem->RemoveFreeNotification(this);
  }
  FShownItem = shown;
  if (FShownItem) {
    FShownItem->RegisterNotification(TTBItemChangedProc(this, &TTBView::OnShownItemChange));
    if (FShownItem != FSourceItem)
      FShownItem->FreeNotification(this);
  }
  RebuildViewers();
  if (!ComponentState().Contains(csDesigning))
    for (TTBItemViewer* v : std::vector<TTBItemViewer*>(FViewers))
      v->Item()->RefreshFromAction();
}

void TTBView::OnSourceItemChange(TTBCustomItem*, bool, TTBItemChangedAction Action, int, TTBCustomItem*)
{
  if (Action == tbicSubitemsChanged)
    FollowSourceItem();
  else if (Action == tbicSubMenuImagesChanged && FShownItem != FSourceItem)
    InvalidateLayoutChain();
}

bool TTBView::IsLoadingSource() const
{
  return FSourceItem && (FSourceItem->ComponentState().Contains(csLoading) ||
                         (FSourceItem->Owner() && FSourceItem->Owner()->ComponentState().Contains(csLoading)));
}

void TTBView::ValidateDeferred()
{
  if (FUpdateLock > 0 || IsLoadingSource())
    return;
  EnsureLayout();
}

void TTBView::OnShownItemChange(TTBCustomItem* Ancestor, bool, TTBItemChangedAction Action, int,
                                TTBCustomItem* Item)
{
  switch (Action) {
  case tbicInserted:
    InvalidateLayout();
    InsertViewersForNewItem(Ancestor, Item);
    break;
  case tbicDeleting:
    InvalidateLayout();
    RemoveViewersOfItem(Item);
    break;
  case tbicSubitemsChanged:
    RebuildViewers();
    break;
  case tbicSubitemsBeginUpdate:
    BeginUpdate();
    break;
  case tbicSubitemsEndUpdate:
    EndUpdate();
    break;
  case tbicInvalidate:
    for (TTBItemViewer* v : FViewers)
      if (v->Item() == Item)
        InvalidateViewer(v);
    break;
  case tbicInvalidateAndResize:
    InvalidateLayout();
    break;
  case tbicRecreateItemViewers:
    InvalidateLayout();
    RecreateViewersOfItem(Item);
    break;
  case tbicNameChanged:
    return;
  case tbicSubMenuImagesChanged:
    InvalidateLayoutChain();
    break;
  }
  if (!FSourceItem) {
    EnsureLayout();
    return;
  }
  ValidateDeferred();
}

void TTBView::InvalidateLayoutChain()
{
  for (TTBView* v = this; v; v = v->FOpenViewerView)
    v->InvalidateLayout();
}

void TTBView::EndUpdate()
{
  if (--FUpdateLock == 0)
    ValidateDeferred();
}

void TTBView::RebuildViewers(TTBCustomItem* Leaving)
{
  CloseSubmenus();
  FSelected = nullptr;
  InvalidateLayout();
  FPriorityList.clear();
  for (TTBItemViewer* v : FViewers)
    delete v;
  FViewers.clear();
  FLeadingInternal = FTrailingInternal = 0;
  if (TTBCustomItem* leading = LeadingItem())
    FLeadingInternal += AddViewersForItem(int(FViewers.size()), leading, false, false, 0);
  if (FShownItem)
    for (int i = 0; i < FShownItem->Count(); ++i)
      AddViewersForItem(int(FViewers.size()), FShownItem->GetItem(i), false, true, 0);
  if (TTBCustomItem* trailing = TrailingItemsSource())
    for (int i = 0; i < trailing->Count(); ++i)
      if (trailing->GetItem(i) != Leaving)
        FTrailingInternal += AddViewersForItem(int(FViewers.size()), trailing->GetItem(i), false, false, 0);
  if (TTBCustomItem* chevron = ChevronItemForView())
    FTrailingInternal += AddViewersForItem(int(FViewers.size()), chevron, false, false, 0);
}

int TTBView::AddViewersForItem(int Index, TTBCustomItem* AItem, bool ToFront, bool ToPriorityList, int Depth)
{
  if (Depth > MaxInlineDepth)
    return 0;
  TTBItemViewer* viewer = AItem->CreateViewer(this, Depth);
  FViewers.insert(FViewers.begin() + Index, viewer);
  if (ToPriorityList && FUsePriorityList) {
    if (ToFront)
      FPriorityList.insert(FPriorityList.begin(), viewer);
    else
      FPriorityList.push_back(viewer);
  }
  int added = 1;
  if (!FCustomizing && (AItem->ItemStyle() & tbsfInlineGroup)) {
    TTBCustomItem* list = AItem->GetItemList();
    for (int i = 0; i < list->Count(); ++i)
      added += AddViewersForItem(Index + added, list->GetItem(i), ToFront, ToPriorityList, Depth + 1);
  }
  return added;
}

void TTBView::InsertViewersForNewItem(TTBCustomItem* Ancestor, TTBCustomItem* Item)
{
  int insertAt = int(FViewers.size());
  int depth = 0;
  int rangeStart = 0, rangeEnd = int(FViewers.size());
  if (Ancestor != FShownItem) {
    // A notice relayed from an inline group: find the group's viewer whose
    // range does not hold the item yet.
    int groupIndex = -1;
    for (int i = 0; i < int(FViewers.size()); ++i) {
      if (FViewers[size_t(i)]->Item() != Ancestor)
        continue;
      int d = FViewers[size_t(i)]->InlineDepth() + 1;
      int end = i + 1;
      bool holdsItem = false;
      while (end < int(FViewers.size()) && FViewers[size_t(end)]->InlineDepth() >= d) {
        if (FViewers[size_t(end)]->Item() == Item && FViewers[size_t(end)]->InlineDepth() == d)
          holdsItem = true;
        ++end;
      }
      if (holdsItem)
        continue;
      groupIndex = i;
      depth = d;
      rangeStart = i + 1;
      rangeEnd = end;
      break;
    }
    if (groupIndex < 0)
      return;
    insertAt = rangeEnd;
  }
  if (insertAt >= int(FViewers.size()) - FTrailingInternal && Ancestor == FShownItem)
    insertAt = int(FViewers.size()) - FTrailingInternal;
  TTBCustomItem* parent = Item->Parent();
  if (parent) {
    int index = parent->IndexOf(Item);
    if (index >= 0 && index < parent->Count() - 1) {
      TTBCustomItem* next = parent->GetItem(index + 1);
      for (int i = rangeStart; i < rangeEnd && i < int(FViewers.size()); ++i)
        if (FViewers[size_t(i)]->Item() == next && FViewers[size_t(i)]->InlineDepth() == depth) {
          insertAt = i;
          break;
        }
    }
  }
  bool toFront = FNewViewersFirst && !Item->ComponentState().Contains(csLoading);
  AddViewersForItem(insertAt, Item, toFront, true, depth);
}

void TTBView::FreeViewer(int Index)
{
  TTBItemViewer* viewer = FViewers[size_t(Index)];
  if (viewer == FSelected)
    FSelected = nullptr;
  if (viewer == FOpenViewer)
    CloseSubmenus();
  std::erase(FPriorityList, viewer);
  FViewers.erase(FViewers.begin() + Index);
  delete viewer;
}

void TTBView::RemoveViewersOfItem(TTBCustomItem* Item)
{
  for (int i = int(FViewers.size()) - 1; i >= 0; --i) {
    if (i >= int(FViewers.size()) || FViewers[size_t(i)]->Item() != Item)
      continue;
    int depth = FViewers[size_t(i)]->InlineDepth();
    // What is shown inline below the item goes with it.
    while (i + 1 < int(FViewers.size()) && FViewers[size_t(i + 1)]->InlineDepth() > depth)
      FreeViewer(i + 1);
    FreeViewer(i);
  }
}

void TTBView::RecreateViewersOfItem(TTBCustomItem* Item)
{
  for (size_t i = 0; i < FViewers.size(); ++i) {
    TTBItemViewer* old = FViewers[i];
    if (old->Item() != Item)
      continue;
    if (old == FSelected)
      FSelected = nullptr;
    if (old == FOpenViewer)
      CloseSubmenus();
    TTBItemViewer* replacement = Item->CreateViewer(this, old->InlineDepth());
    FViewers[i] = replacement;
    std::replace(FPriorityList.begin(), FPriorityList.end(), old, replacement);
    delete old;
  }
}

TFont* TTBView::CaptionFont() { return MenuFont(); }

void TTBView::LayoutMargins(TTBViewAxis AAxis, TRect& Margins)
{
  Margins = AAxis == tbaFloating ? TRect(4, 2, 4, 1) : TRect();
}

void TTBView::InvalidateLayout()
{
  if (!FLayoutValid)
    return;
  FLayoutValid = false;
  if (FWindow && FWindow->HandleAllocated())
    InvalidateRect(FWindow->Handle(), nullptr, TRUE);
}

void TTBView::EnsureLayout()
{
  if (FLayoutValid)
    return;
  TPoint size;
  RecalcLayout(size);
}

void TTBView::RecalcLayout(TPoint& Size)
{
  Size = TPoint(0, 0);
  ApplyLayout(Size);
}

TTBItemViewer* TTBView::ViewerFromPoint(const TPoint& P)
{
  EnsureLayout();
  for (TTBItemViewer* v : FViewers)
    if (v->Shown() && v->BoundsRect.Contains(P))
      return v;
  return nullptr;
}

TTBItemViewer* TTBView::FindViewerOfItem(TTBCustomItem* AItem)
{
  for (TTBItemViewer* v : FViewers)
    if (v->Item() == AItem)
      return v;
  throw ETBItemError(STBViewerNotFound);
}

int TTBView::ViewerIndex(TTBItemViewer* Viewer) const
{
  if (!Viewer)
    return -1;
  auto it = std::find(FViewers.begin(), FViewers.end(), Viewer);
  return it == FViewers.end() ? -1 : int(it - FViewers.begin());
}

void TTBView::PromoteViewer(TTBItemViewer* Viewer)
{
  if (FChevronSourceView) {
    int index = ViewerIndex(Viewer);
    int sourceIndex = index - FLeadingInternal + FChevronSourceView->FLeadingInternal;
    if (index >= 0 && sourceIndex >= 0 && sourceIndex < int(FChevronSourceView->FViewers.size()))
      FChevronSourceView->PromoteViewer(FChevronSourceView->FViewers[size_t(sourceIndex)]);
  } else if (FUsePriorityList && Viewer) {
    std::erase(FPriorityList, Viewer);
    FPriorityList.insert(FPriorityList.begin(), Viewer);
    if (!FLayoutValid || Viewer->HiddenByChevron()) {
      FLayoutValid = false;
      EnsureLayout();
    }
  }
  if (FParentView && FParentView->FOpenViewer)
    FParentView->PromoteViewer(FParentView->FOpenViewer);
}

TTBItemViewer* TTBView::TopPriorityViewer()
{
  EnsureLayout();
  const std::vector<TTBItemViewer*>& order = FUsePriorityList ? FPriorityList : FViewers;
  for (TTBItemViewer* v : order)
    if (v->Shown() && !(v->Item()->ItemStyle() & tbsfIsSeparator))
      return v;
  return nullptr;
}

void TTBView::CollectHiddenControls(std::vector<TWinControl*>& List)
{
  for (TTBItemViewer* v : FViewers)
    if (v->HiddenByChevron())
      if (auto* item = dynamic_cast<TTBControlItem*>(v->Item()))
        if (auto* control = dynamic_cast<TWinControl*>(item->Control()))
          List.push_back(control);
}

void TTBView::SetPriorityOrdering(bool Value)
{
  if (FUsePriorityList == Value)
    return;
  FUsePriorityList = Value;
  RebuildViewers();
}

bool TTBView::ContainsView(TTBView* AView)
{
  for (TTBView* v = AView; v; v = v->FParentView)
    if (v == this)
      return true;
  return false;
}

TTBView* TTBView::RootView()
{
  TTBView* v = this;
  while (v->FParentView)
    v = v->FParentView;
  return v;
}

TTBView* TTBView::ToolbarViewAbove()
{
  for (TTBView* v = this; v; v = v->FParentView)
    if (v->FIsToolbar)
      return v;
  return nullptr;
}
