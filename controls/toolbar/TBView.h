// TTBView: shows the children of one item in one window (a toolbar, a menu
// bar, a popup menu or a toolbar's chevron popup). It keeps one viewer per
// shown item, follows the item tree through the change callbacks, lays the
// viewers out, paints them, and holds the selection and menu-loop state.
#pragma once

#include <vector>

#include "controls/toolbar/TBTypes.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/graphics/GraphicsTypes.h"

class TCanvas;
class TFont;
class TWinControl;
class TTBViewAccObject;

class TTBView : public TComponent {
public:
  TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* ASourceItem, TWinControl* AWindow,
          bool AIsToolbar, bool ACustomizing, bool AUsePriorityList);
  ~TTBView() override;

  // Virtual operations.
  virtual void SizeChanged(int AWidth, int AHeight) { (void)AWidth; (void)AHeight; }
  virtual void ApplyLayout(TPoint& Size);
  virtual TTBCustomItem* ChevronItemForView() { return nullptr; }
  virtual void LayoutMargins(TTBViewAxis AAxis, TRect& Margins);
  virtual TTBCustomItem* TrailingItemsSource() { return nullptr; }
  virtual TTBCustomItem* LeadingItem() { return nullptr; }
  virtual void HandleMenuKey(WORD& Key, TShiftState Shift);
  virtual TFont* CaptionFont();
  virtual void InvalidateLayout();

  // Layout.
  void EnsureLayout();
  void RecalcLayout(TPoint& Size);
  void BeginUpdate() { ++FUpdateLock; }
  void EndUpdate();
  bool ComputeLayout(bool MoveControls, TTBViewAxis AAxis, int AWrapLimit, int AChevronPos, int AChevronExtent,
                     TPoint& NaturalSize, TPoint& TotalSize, int& LineCount);
  TTBItemViewer* ViewerFromPoint(const TPoint& P);
  TTBItemViewer* FindViewerOfItem(TTBCustomItem* AItem);
  int ViewerIndex(TTBItemViewer* Viewer) const;
  int ViewerCount() const { return int(FViewers.size()); }
  TTBItemViewer* Viewers(int Index) const { return FViewers[size_t(Index)]; }
  void InvalidateViewer(TTBItemViewer* Viewer);
  void PaintAllViewers(TCanvas* Canvas);
  void PaintViewer(TTBItemViewer* Viewer, TCanvas* Canvas, bool Offscreen);
  void PromoteViewer(TTBItemViewer* Viewer);
  TTBItemViewer* TopPriorityViewer();
  // The window controls of control items that the chevron hides.
  void CollectHiddenControls(std::vector<TWinControl*>& List);
  void SetPriorityOrdering(bool Value);
  // Whether viewers of items inserted later go first in the priority order.
  void SetNewViewersFirst(bool Value) { FNewViewersFirst = Value; }
  bool ContainsView(TTBView* AView);
  TTBView* RootView();
  TTBView* ToolbarViewAbove();

  // Selection, submenus and keyboard.
  void SetSelectedViewer(TTBItemViewer* Viewer, bool ByMouse);
  void TrackMousePosition(const TPoint* ScreenPoint, bool AllowNewSelection);
  bool OpenSubmenu(bool SelectFirst);
  void CloseSubmenus();
  void LeaveDropDownMode();
  void ArmTimer(TTBViewTimer Kind, UINT Milliseconds);
  void DisarmTimer(TTBViewTimer Kind);
  void DisarmAllTimers();
  void TimerExpired(TTBViewTimer Kind);
  bool TimerRunning(TTBViewTimer Kind) const { return FRunningTimers & (1u << Kind); }
  void BeginCapture();
  void EndCapture();
  void AnnounceFocus();
  void ShowAccelerators(bool Show);
  TTBItemViewer* InitialSelection();
  TTBItemViewer* NextSelectable(TTBItemViewer* Current, bool Forward);
  TTBItemViewer* FindByAccelerator(TTBItemViewer* Current, char32_t Char, bool RequirePrimary, bool& IsOnlyMatch);
  void MoveSelection(bool Forward);
  void ActivateSelected(bool GivePriority);
  void FinishCancel();
  void FinishWithClick(TTBItemViewer* Viewer);
  void FinishWithHelp(int HelpContext);
  void FinishWithSystemMenu(HWND Window, int Key);
  void ScrollByViewer(bool Down);
  void ScrollSelectionIntoView();
  // Runs the menu loop on this (toolbar) view and performs its outcome.
  void RunToolbarMenuLoop(TTBMenuLoopOptions Options);

  // The view's accessible object, made on demand (null without the
  // accessibility run-time); the view holds one reference to it.
  TTBViewAccObject* AccObject();
  void ForgetAccObject() { FAccObject = nullptr; }

  // State.
  TTBViewAxis Axis() const { return FAxis; }
  void SetAxis(TTBViewAxis Value) { FAxis = Value; InvalidateLayout(); }
  int WrapLimit() const { return FWrapLimit; }
  void SetWrapLimit(int Value) { FWrapLimit = Value; InvalidateLayout(); }
  int ChevronPos() const { return FChevronPos; }
  void SetChevronPos(int Value) { FChevronPos = Value; InvalidateLayout(); }
  int ChevronExtent() const { return FChevronExtent; }
  void SetChevronExtent(int Value) { FChevronExtent = Value; InvalidateLayout(); }
  int HeightLimit() const { return FHeightLimit; }
  void SetHeightLimit(int Value) { FHeightLimit = Value; InvalidateLayout(); }
  int ScrollPosition() const { return FScrollPosition; }
  bool UpArrowShown() const { return FUpArrowShown; }
  bool DownArrowShown() const { return FDownArrowShown; }
  TPoint NaturalSize() const { return FNaturalSize; }
  TTBItemViewer* Selected() const { return FSelected; }
  bool SelectedByMouse() const { return FSelectedByMouse; }
  bool MouseOnSelected() const { return FMouseOnSelected; }
  bool MouseCaptured() const { return FMouseCaptured; }
  TTBViewFlags Flags() const { return FFlags; }
  void SetFlags(TTBViewFlags Value) { FFlags = Value; }
  void IncludeFlags(TTBViewFlags F) { FFlags |= F; }
  void ExcludeFlags(TTBViewFlags F) { FFlags &= TTBViewFlags(~F); }
  TTBViewTraits Traits() const { return FTraits; }
  void SetTraits(TTBViewTraits Value) { FTraits = Value; }
  bool IsPopup() const { return FIsPopup; }
  bool IsToolbar() const { return FIsToolbar; }
  void SetIsToolbar(bool Value) { FIsToolbar = Value; FIsPopup = !Value; }
  bool Customizing() const { return FCustomizing; }
  TTBView* ParentView() const { return FParentView; }
  TTBCustomItem* SourceItem() const { return FSourceItem; }
  TTBCustomItem* ShownItem() const { return FShownItem; }
  TWinControl* Window() const { return FWindow; }
  TTBItemViewer* OpenViewer() const { return FOpenViewer; }
  TTBView* OpenViewerView() const { return FOpenViewerView; }
  TTBPopupWindow* OpenViewerWindow() const { return FOpenViewerWindow; }
  void SetOpenSubmenu(TTBItemViewer* Viewer, TTBView* View, TTBPopupWindow* Window);
  TTBMenuOutcome& PendingOutcome() { return FPendingOutcome; }
  TRect MonitorRect() const { return FMonitorRect; }
  void SetMonitorRect(const TRect& Value) { FMonitorRect = Value; }
  TTBView* ChevronSourceView() const { return FChevronSourceView; }
  void SetChevronSourceView(TTBView* Value);
  HWND CaptureWnd() const { return FCaptureWnd; }
  void SetCaptureWnd(HWND Value) { FCaptureWnd = Value; }
  TColor FillColor() const { return FFillColor; }
  void SetFillColor(TColor Value) { FFillColor = Value; }
  bool LayoutValid() const { return FLayoutValid; }
  int LineCount() const { return FLineCount; }

  // Makes every viewer again: a derived view calls it once its own virtual
  // operations (the chevron item) answer, and its owner when the leading or
  // trailing items change. Leaving, a trailing item about to be deleted,
  // gets no viewer.
  void RecreateAllViewers(TTBCustomItem* Leaving = nullptr) { RebuildViewers(Leaving); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void FollowSourceItem();
  void OnSourceItemChange(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action, int Index,
                          TTBCustomItem* Item);
  void OnShownItemChange(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action, int Index,
                         TTBCustomItem* Item);
  void ValidateDeferred();
  void RebuildViewers(TTBCustomItem* Leaving = nullptr);
  int AddViewersForItem(int Index, TTBCustomItem* AItem, bool ToFront, bool ToPriorityList, int Depth);
  void InsertViewersForNewItem(TTBCustomItem* Ancestor, TTBCustomItem* Item);
  void RemoveViewersOfItem(TTBCustomItem* Item);
  void RecreateViewersOfItem(TTBCustomItem* Item);
  void FreeViewer(int Index);
  void InvalidateLayoutChain();
  void RepaintAfterLayout();
  bool IsLoadingSource() const;
  void HostTimer(UINT_PTR Id, UINT Ms, bool Arm);
  void ReleaseAccObject();

  TTBViewAccObject* FAccObject = nullptr;

  UINT FRunningTimers = 0;
  TColor FFillColor;
  TPoint FNaturalSize;
  bool FMouseCaptured = false;
  HWND FCaptureWnd = nullptr;
  int FChevronPos = 0;
  TTBView* FChevronSourceView = nullptr;
  int FChevronExtent = 0;
  TTBCustomItem* FShownItem = nullptr;
  bool FCustomizing;
  TTBMenuOutcome FPendingOutcome;
  int FTrailingInternal = 0;
  int FLeadingInternal = 0;
  bool FIsPopup;
  bool FIsToolbar;
  int FHeightLimit = 0;
  TRect FMonitorRect;
  bool FMouseOnSelected = false;
  bool FNewViewersFirst = true;
  TTBItemViewer* FOpenViewer = nullptr;
  TTBView* FOpenViewerView = nullptr;
  TTBPopupWindow* FOpenViewerWindow = nullptr;
  TTBView* FParentView;
  TTBCustomItem* FSourceItem;
  std::vector<TTBItemViewer*> FPriorityList;
  TTBViewAxis FAxis = tbaHorizontal;
  int FScrollPosition = 0;
  TTBItemViewer* FSelected = nullptr;
  bool FSelectedByMouse = false;
  bool FDownArrowShown = false;
  bool FUpArrowShown = false;
  TTBViewFlags FFlags = 0;
  TTBViewTraits FTraits = 0;
  int FUpdateLock = 0;
  bool FUsePriorityList;
  bool FLayoutValid = false;
  std::vector<TTBItemViewer*> FViewers;
  TWinControl* FWindow;
  int FWrapLimit = 0;
  int FLineCount = 1;
};

// The last mouse position of the menu code of the thread; X at the smallest
// integer forces the menu loop to read the cursor again.
extern thread_local TPoint LastMousePos;
constexpr LONG ForceMouseReread = INT32_MIN;
