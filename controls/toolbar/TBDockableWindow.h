// TTBCustomDockableWindow: a window that lives docked in a TTBDock or
// floating in its own tool-window frame (TTBFloatingWindowParent). Every
// dock, undock and float goes through SetParent, which keeps the window's
// handle (and so its child windows). The docked non-client area is in
// TBDockedFrame.cpp, the drag and resize loops in TBDragLoop.cpp and
// TBResizeLoop.cpp. Descendants give the content size (SizeForPlacement,
// NaturalContentSize).
#pragma once

#include <memory>
#include <vector>

#include "controls/toolbar/TBDockTypes.h"
#include "platform/classes/controls/CustomControl.h"
#include "platform/classes/forms/FormTypes.h"

class TCustomForm;

class TTBCustomDockableWindow : public TCustomControl {
public:
  explicit TTBCustomDockableWindow(TComponent* AOwner);
  ~TTBCustomDockableWindow() override;

  // Properties.
  bool AutoResize() const { return FAutoResize; }
  void SetAutoResize(bool Value);
  bool DblClickUndock() const { return FDblClickUndock; }
  void SetDblClickUndock(bool Value) { FDblClickUndock = Value; }
  int DockPos() const { return FDockPos; }
  void SetDockPos(int Value);
  int DockRow() const { return FDockRow; }
  void SetDockRow(int Value);
  TTBDock* CurrentDock() const { return FCurrentDock; }
  void SetCurrentDock(TTBDock* Value);
  TTBDock* DefaultDock() const { return FDefaultDock; }
  void SetDefaultDock(TTBDock* Value);
  TTBDock* LastDock() const { return FLastDock; }
  void SetLastDock(TTBDock* Value);
  bool ActivateParent() const { return FActivateParent; }
  void SetActivateParent(bool Value) { FActivateParent = Value; }
  bool HideWhenInactive() const { return FHideWhenInactive; }
  void SetHideWhenInactive(bool Value);
  bool CloseButton() const { return FCloseButton; }
  void SetCloseButton(bool Value);
  bool CloseButtonWhenDocked() const { return FCloseButtonWhenDocked; }
  void SetCloseButtonWhenDocked(bool Value);
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool Value);
  bool Resizable() const { return FResizable; }
  void SetResizable(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool UseLastDock() const { return FUseLastDock; }
  void SetUseLastDock(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TTBDockMode DockMode() const { return FDockMode; }
  void SetDockMode(TTBDockMode Value) { FDockMode = Value; }
  TTBDragHandleStyle DragHandleStyle() const { return FDragHandleStyle; }
  void SetDragHandleStyle(TTBDragHandleStyle Value);
  TTBDockableTo DockableTo() const { return FDockableTo; }
  void SetDockableTo(TTBDockableTo Value) { FDockableTo = Value; }
  TTBFloatingMode FloatingMode() const { return FFloatingMode; }
  void SetFloatingMode(TTBFloatingMode Value);
  bool SmoothDrag() const { return FSmoothDrag; }
  void SetSmoothDrag(bool Value) { FSmoothDrag = Value; }
  TTBResizeBehaviour ResizeBehaviour() const { return FResizeBehaviour; }
  void SetResizeBehaviour(TTBResizeBehaviour Value) { FResizeBehaviour = Value; }

  TNotifyEvent OnClose, OnDockChanged, OnMove, OnRecreated, OnRecreating, OnVisibleChanged;
  TCloseQueryEvent OnCloseQuery;
  TTBDockChangingEvent OnDockChanging, OnDockChangingHidden;

  // State.
  bool Docked() const { return FDocked; }
  bool Floating() const { return FFloating; }
  int ArrangedRow() const { return FArrangedRow; }
  int ArrangedPos() const { return FArrangedPos; }
  int CurrentLength() const { return FCurrentLength; }
  bool CaptionDimmed() const { return FCaptionDimmed; }
  bool CloseBoxPressed() const { return FCloseBoxPressed; }
  bool CloseBoxHot() const { return FCloseBoxHot; }
  TTBFloatingWindowParent* FloatFrame() const { return FFloatFrame; }
  // Whether the window was read from a stream written at run time (a form
  // designed with a floating window holds its place in form coordinates).
  bool SavedAtRunTime() const { return FSavedAtRunTime; }
  TTBDockType CurrentDockType() const;
  TCustomForm* TopForm() const;

  void BeginArrange() { ++FArrangeLock; }
  void EndArrange();
  void Arrange();
  void ChangeSize(int AWidth, int AHeight);
  bool CanDrag() const;
  void ToggleDocking();
  void MakeFloating(bool Value);
  void MoveFrameTo(const TRect& R);
  void KeepFrameOnScreen(bool OnlyIfFullyOff);
  void RequestClose();
  bool ShouldBeVisible();
  void RefreshVisibility();
  void SyncTopmost();
  // Paints the whole window, non-client area included.
  void RepaintWhole();
  void RefreshFrame();

  // The loops (TBDragLoop.cpp, TBResizeLoop.cpp).
  void RunDragLoop(int X, int Y);
  void RunResizeLoop(int Edge);
  // The modal loop of a pressed button: true when released inside ScreenRect.
  static bool TrackButton(HWND Window, const TRect& ScreenRect, Method<void(bool Pressed)> SetPressed);
  // The drag-handle width of the docked frame (0 without a handle).
  int DragHandleSize() const;
  // The close box and the caption state the frame paints (TBFloatingWindowParent.cpp).
  void SetCloseBoxPressed(bool Value);

  // Virtual operations.
  virtual void DockedFrameSize(TPoint& Size);
  virtual bool CanDockTo(TTBDock* Dock);
  virtual bool HitsChildControl(const TPoint& P);
  virtual void SizeForPlacement(bool Arranging, TTBDockType DockType, TPoint& Size, TTBDock* Dock, bool Floating) = 0;
  virtual void PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip);
  virtual void NaturalContentSize(TPoint& Size) = 0;
  virtual void DockedCloseBox(bool Vertical, TRect& R);
  virtual void MinimumRowLength(int& Length) { (void)Length; }
  virtual void FloatingSizeBounds(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
  {
    (void)MinWidth, (void)MinHeight, (void)MaxWidth, (void)MaxHeight;
  }
  virtual TTBShrinkMode ShrinkBehaviour() { return tbsmNone; }
  virtual void BeforeResize(int NewWidth, int NewHeight) { (void)NewWidth, (void)NewHeight; }
  virtual void FloatingFrameSize(TPoint& Size);
  // Values of the window's own kept with the positions of a form's windows.
  virtual void LoadPlacementValues(const TTBPlacementValueAccess& Access) { (void)Access; }
  virtual void SavePlacementValues(const TTBPlacementValueAccess& Access) { (void)Access; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;
  HPALETTE GetPalette() override;

  // Every floating dockable window (the hook client walks it).
  static const std::vector<TTBCustomDockableWindow*>& FloatingWindows();
  // Shared hook client: application activation, position changes and windows being destroyed.
  static void DockWindowHookProc(int Code, WPARAM WParam, LPARAM LParam);
  enum { hnActivateAppSent, hnPosChangedSent, hnWindowDestroying };

protected:
  // The length the dock imposes (0: the natural length); a toolbar clears it
  // when its content changes.
  void SetCurrentLength(int Value) { FCurrentLength = Value; }
  virtual bool IgnoredChildControl(TControl* Control) { (void)Control; return false; }
  virtual void NotifyHiddenDockChange(bool Floating, TTBDock* DockingTo);
  // Resize loop hooks.
  virtual void ResizeStarted(int Edge) { (void)Edge; }
  virtual void ResizeEnded() {}
  virtual void ResizeTracking(TRect& NewRect, const TRect& StartRect) { (void)NewRect, (void)StartRect; }
  virtual void ResizeApplying() {}
  // Makes the frame a floating window lives in; NewFloatingFrame names its class.
  virtual TTBFloatingWindowParent* CreateFloatingFrame(TCustomForm* ParentForm);
  virtual TTBFloatingWindowParent* NewFloatingFrame();

  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  friend class TTBDock;
  friend class TTBFloatingWindowParent;
  friend struct TTBDragSession;

  // The dock is being destroyed: every reference to it goes.
  void DockDestroying(TTBDock* Dock);
  void SetFloatingState(TWinControl* NewParent);
  void UpdateFloatingList();
  void ShowFloatingFrame(bool Show);
  // Docked frame messages (TBDockedFrame.cpp).
  bool DockedFrameMessage(TMessage& Message);
  void SetCloseBoxHot(bool Value);
  void ContextMenuMessage(TMessage& Message);
  void ReadSavedAtRunTime(TReader* Reader);
  void WriteSavedAtRunTime(TWriter* Writer);

  bool FAutoResize = true, FDblClickUndock = true;
  int FDockPos = -1, FDockRow = 0;
  TTBDock* FCurrentDock = nullptr;
  TTBDock* FDefaultDock = nullptr;
  TTBDock* FLastDock = nullptr;
  bool FActivateParent = true, FHideWhenInactive = true, FCloseButton = true, FCloseButtonWhenDocked = false;
  bool FFullSize = false, FResizable = true, FShowCaption = true, FStretch = false, FUseLastDock = true;
  TBorderStyle FBorderStyle = bsSingle;
  TTBDockMode FDockMode = dmCanFloat;
  TTBDragHandleStyle FDragHandleStyle = dhSingle;
  TTBDockableTo FDockableTo{dpTop, dpBottom, dpLeft, dpRight};
  TTBFloatingMode FFloatingMode = fmOnTopOfParentForm;
  bool FSmoothDrag = true;

  // Arrangement (read and written by the dock).
  int FArrangedPos = 0, FArrangedRow = -1;
  bool FDocked = false, FFloating = false;
  int FCurrentLength = 0;
  TTBResizeBehaviour FResizeBehaviour{rbCornerHandles, rbClipCursor};
  int FLastRowExtent = 0;
  bool FOwnRowRequest = false;
  int FBoundsLock = 0, FArrangeLock = 0, FMoveEventLock = 0, FHideLock = 0;
  bool FArrangePending = false;
  bool FCaptionDimmed = false;
  TPoint FFrameOrigin;
  bool FSavedAtRunTime = false;
  bool FLiveDragActive = false;
  bool FCloseBoxPressed = false, FCloseBoxHot = false;
  TTBFloatingWindowParent* FFloatFrame = nullptr;
};

inline constexpr const char* STBNoParentWindow = "Le contrôle '%s' n'a pas de fenêtre parente";
