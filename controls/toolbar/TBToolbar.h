// TTBCustomToolbar: the dockable window that shows an item tree. It owns a
// root item, the chevron item for the buttons that do not fit and a toolbar
// view that lays the items out and takes mouse and keys. It can act as its
// form's menu bar (Alt, F10 and Alt+letter open it) and run the shortcuts of
// its items for its form. Menu-bar keys and the shortcut hook live in
// TBToolbarKeys.cpp, the chevron in TBChevronItem.cpp.
#pragma once

#include "controls/toolbar/TBCustomItem.h"
#include <memory>

#include "controls/toolbar/TBDockableWindow.h"
#include "controls/toolbar/TBFloatingSteps.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBThreadHooks.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/forms/FormTypes.h"

class TTBCustomToolbar;

enum TTBChevronPriorityForNewItems : uint8_t { tbcpHighest, tbcpLowest };

// The chevron at the end of a shortened toolbar: its submenu shows the
// toolbar's hidden items.
class TTBChevronItem : public TTBCustomItem {
public:
  explicit TTBChevronItem(TTBCustomToolbar* AToolbar);
  TTBView* GetChevronOwnerView() override;
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;

private:
  TTBCustomToolbar* FToolbar;
};

class TTBChevronItemViewer : public TTBItemViewer {
public:
  using TTBItemViewer::TTBItemViewer;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

class TTBToolbarView : public TTBView {
public:
  TTBToolbarView(TTBCustomToolbar* AToolbar, TTBCustomItem* ARootItem, bool AUsePriorityList);

  void SizeChanged(int AWidth, int AHeight) override;
  void ApplyLayout(TPoint& Size) override;
  TTBCustomItem* ChevronItemForView() override;
  TTBCustomItem* TrailingItemsSource() override;
  TTBCustomItem* LeadingItem() override;
  TFont* CaptionFont() override;
  void InvalidateLayout() override;

private:
  TTBCustomToolbar* FToolbar;
};

// The classes of a toolbar's parts. A constructor cannot reach a derived
// class's virtual operations, so a derived toolbar names its parts here.
struct TTBToolbarClasses {
  TTBChevronItem* (*NewChevronItem)(TTBCustomToolbar* Toolbar);
  TTBToolbarView* (*NewView)(TTBCustomToolbar* Toolbar, TTBCustomItem* RootItem, bool UsePriorityList);
};

class TTBCustomToolbar : public TTBCustomDockableWindow {
public:
  explicit TTBCustomToolbar(TComponent* AOwner);
  ~TTBCustomToolbar() override;

  // Properties.
  TTBRootItem* Items() const { return FItem; }
  TTBToolbarView* View() const { return FView; }
  TTBChevronItem* ChevronItem() const { return FChevronItem; }
  const std::string& ChevronHint() const { return FChevronItem->Hint(); }
  void SetChevronHint(const std::string& Value);
  bool ChevronMoveItems() const { return FChevronMoveItems; }
  void SetChevronMoveItems(bool Value);
  TTBChevronPriorityForNewItems ChevronPriorityForNewItems() const { return FChevronPriorityForNewItems; }
  void SetChevronPriorityForNewItems(TTBChevronPriorityForNewItems Value)
  {
    FChevronPriorityForNewItems = Value;
    FView->SetNewViewersFirst(Value == tbcpHighest);
  }
  TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  TTBCustomItem* LinkSubitems() const { return FItem->LinkSubitems(); }
  void SetLinkSubitems(TTBCustomItem* Value) { FItem->SetLinkSubitems(Value); }
  TTBItemOptions Options() const { return FItem->Options(); }
  void SetOptions(TTBItemOptions Value) { FItem->SetOptions(Value); }
  bool MenuBar() const { return FMenuBar; }
  void SetMenuBar(bool Value);
  bool ProcessShortCuts() const { return FProcessShortCuts; }
  void SetProcessShortCuts(bool Value);
  TTBShrinkMode ShrinkMode() const { return FShrinkMode; }
  void SetShrinkMode(TTBShrinkMode Value);
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value);
  bool UpdateActions() const { return FUpdateActions; }
  void SetUpdateActions(bool Value) { FUpdateActions = Value; }
  int FloatWrapWidth() const { return FFloatWrapWidth; }
  void SetFloatWrapWidth(int Value);
  // Items a multiple-document form may give its menu bar: the active child's
  // system menu, shown first, and an item whose subitems (the child's window
  // buttons) are shown after the bar's own items. Nil unless set.
  TTBCustomItem* MDISystemMenuItem() const { return FMDISystemMenuItem; }
  void SetMDISystemMenuItem(TTBCustomItem* Value);
  TTBCustomItem* MDIButtonsItem() const { return FMDIButtonsItem; }
  void SetMDIButtonsItem(TTBCustomItem* Value);
  int LastWrappedLines() const { return FLastWrappedLines; }
  TShortCutEvent OnShortCut;

  void BeginUpdate() { FView->BeginUpdate(); }
  void EndUpdate() { FView->EndUpdate(); }
  // Opens the bar from the keyboard: Key 0 selects the first item; else the
  // item with that accelerator (true when a menu loop ran).
  bool OpenByKeyboard(char32_t Key, bool RequirePrimary);
  void UpdateViewLimits();
  int WrapLimit(TTBDock* Dock);
  int ChevronLimit(TTBDock* Dock, TTBViewAxis Orientation);

  // Dockable window operations.
  void SizeForPlacement(bool Arranging, TTBDockType DockType, TPoint& Size, TTBDock* Dock, bool Floating) override;
  void NaturalContentSize(TPoint& Size) override;
  void MinimumRowLength(int& Length) override;
  TTBShrinkMode ShrinkBehaviour() override { return FShrinkMode; }
  bool HitsChildControl(const TPoint& P) override;
  // The floating wrap width is kept as "FloatRightX" under the toolbar's Name.
  void LoadPlacementValues(const TTBPlacementValueAccess& Access) override;
  void SavePlacementValues(const TTBPlacementValueAccess& Access) override;
  void InitiateAction() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  // Controls behind the chevron, and whatever lies inside them, take no focus.
  void GetTabOrderList(std::vector<TWinControl*>& List) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Dispatch(TMessage& Message) override;

  // Control items: child controls shown among the items (TBToolbarControls.cpp).
  TTBControlItem* AppendControlItem(int Index, TControl* Control) { return AppendControlItem(Index, Control, Owner()); }
  // The item owned by ItemOwner (named after the first free number there
  // at design time).
  TTBControlItem* AppendControlItem(int Index, TControl* Control, TComponent* ItemOwner);
  TTBControlItem* ControlItemOf(TControl* Control);

  // The content sizes a floating toolbar steps through when resized by its
  // frame (TBToolbarFloating.cpp).
  std::vector<TPoint> FloatingSizeSteps();

  // Toolbars that run their shortcuts for their forms (the shortcut hook's members).
  static int ShortCutMemberCount();

protected:
  TTBCustomToolbar(TComponent* AOwner, const TTBToolbarClasses& Classes);
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Stepped floating resize.
  void ResizeStarted(int Edge) override;
  void ResizeTracking(TRect& NewRect, const TRect& StartRect) override;
  void ResizeApplying() override;
  void ResizeEnded() override;

private:
  friend class TTBToolbarView;
  // Menu-bar keys and the shortcut hook (TBToolbarKeys.cpp).
  void RefreshShortCutMembership();
  bool SysCommandMessage(TMessage& Message);
  static void MenuBarKeyHookProc(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM LParam);
  static bool ShortCutMainWindowHook(TMessage& Message);
  static bool TryShortCutsOfForm(TCustomForm* Form, TMessage& Message);
  static bool RelaySysCommand(TWinControl* Container, TMessage& SysCommand);
  void ClearSelectionUnlessCaptured();
  void AdoptChildControls();
  bool ControlMessage(TMessage& Message);
  void HintShow(TMessage& Message);
  TTBViewAxis OrientationFor(TTBDock* Dock, bool Floating) const;
  // The multiple-document items (TBToolbarMDIItems.cpp).
  void SetMDIItem(TTBCustomItem*& Field, TTBCustomItem* Value);
  void MDIButtonsChanged(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action, int Index,
                         TTBCustomItem* Item);

  // The content size without the chevron's shortening, from the last layout.
  TPoint FNaturalContentSize;
  TTBChevronItem* FChevronItem = nullptr;
  bool FChevronMoveItems = true;
  TTBChevronPriorityForNewItems FChevronPriorityForNewItems = tbcpHighest;
  int FDisableAlignArrange = 0;
  int FSettingLimits = 0;
  int FFloatWrapWidth = 0;
  bool FMenuBarHooked = false;
  bool FIgnoreMouseLeave = false;
  TTBRootItem* FItem = nullptr;
  int FLastWrappedLines = 1;
  bool FMenuBar = false;
  bool FProcessShortCuts = false;
  bool FShortCutsHooked = false;
  TTBShrinkMode FShrinkMode = tbsmChevron;
  bool FSystemFont = true;
  bool FUpdateActions = true;
  TTBCustomItem* FMDISystemMenuItem = nullptr;
  TTBCustomItem* FMDIButtonsItem = nullptr;
  TTBToolbarView* FView = nullptr;
  std::unique_ptr<TTBResizeTrackRecord> FResizeTrack;
};

// The concrete toolbar of form descriptions.
class TTBToolbar : public TTBCustomToolbar {
public:
  using TTBCustomToolbar::TTBCustomToolbar;
};

inline constexpr const char* STBChevronHint = "More Buttons|";
