// TTBDock: a strip on one side of a form holding dockable windows in rows.
// It decides each docked window's row, place along the row, length and the
// row thicknesses (ArrangeWindows, TBDockArrange.cpp), and its own thickness.
// Members are the docked windows and the floating ones whose last dock it is;
// menu keys reach floating members through RelayMenuMessage.
#pragma once

#include <vector>

#include "controls/toolbar/TBDockTypes.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/controls/CustomControl.h"

// A painter of dock backgrounds; the dock only calls it.
class TTBBasicBackground : public TComponent {
public:
  using TComponent::TComponent;
  virtual void Draw(HDC DC, const TRect& DrawRect) = 0;
  virtual HPALETTE GetPalette() = 0;
  virtual void RegisterChanges(TNotifyEvent Proc) = 0;
  virtual void SysColorChanged() = 0;
  virtual void UnregisterChanges(TNotifyEvent Proc) = 0;
  virtual bool UsesTBBackground() = 0;
};

class TTBDock : public TCustomControl {
public:
  explicit TTBDock(TComponent* AOwner);
  ~TTBDock() override;

  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value);
  TTBBasicBackground* Background() const { return FBackground; }
  void SetBackground(TTBBasicBackground* Value);
  bool BackgroundOnToolbars() const { return FBackgroundOnToolbars; }
  void SetBackgroundOnToolbars(bool Value);
  TTBDockBoundLines BoundLines() const { return FBoundLines; }
  void SetBoundLines(TTBDockBoundLines Value);
  bool FixAlign() const { return FFixAlign; }
  void SetFixAlign(bool Value);
  bool LimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool Value) { FLimitToOneRow = Value; }
  TTBDockPosition Position() const { return FPosition; }
  void SetPosition(TTBDockPosition Value);
  bool IsVertical() const { return IsVerticalPosition(FPosition); }
  // The bound lines' share of the dock's width and height.
  int BoundLineWidth() const { return FBoundLineWidth; }
  int BoundLineHeight() const { return FBoundLineHeight; }

  TTBInsertRemoveEvent OnInsertRemoveBar;
  TTBRequestDockEvent OnRequestDock;

  void BeginUpdate() { ++FArrangeLock; }
  void EndUpdate();
  bool HasVisibleWindows() const;
  int VisibleWindowCount() const { return int(FShownList.size()); }
  TTBCustomDockableWindow* VisibleWindows(int Index) const { return FShownList.at(std::size_t(Index)); }
  const std::vector<TTBCustomDockableWindow*>& Members() const { return FMemberList; }
  bool IsMember(TTBCustomDockableWindow* Window) const;
  void ChangeSize(int NewWidth, int NewHeight);
  int RowThickness(int Row, bool* HasFullSize = nullptr) const;
  int RowAt(int Offset) const;
  int HighestRow(bool Arranged) const;
  int OtherRowExtent(int Row, TTBCustomDockableWindow* Except) const;
  void CommitArrangedPositions();
  void AddMember(TTBCustomDockableWindow* Window, bool Add);
  // Drops a window being destroyed from both lists without asking it
  // anything, then arranges the others.
  void ForgetWindow(TTBCustomDockableWindow* Window);
  void UpdateShownEntry(TTBCustomDockableWindow* Window, bool ForceRemove);
  void InvalidateDockAndWindows();
  // Menu keys for floating members; true when one answered.
  bool RelayMenuMessage(TMessage& Message);

  virtual bool AcceptsDockableWindow(TTBCustomDockableWindow* Window) { (void)Window; return FAllowDrag; }
  virtual void DrawBackground(HDC DC, const TRect& DrawRect);
  virtual bool UsesBackground();
  virtual void ArrangeWindows();
  // Paints the background over the client area of Control (the dock or a
  // window docked in it) as seen from the dock's parent, so the dock and its
  // windows show one continuous picture.
  void DrawBackgroundAligned(TWinControl* Control, HDC DC);

  // The bound lines and the rest of the non-client area.
  void DrawDockNCArea(bool ForPrint, HDC DC, HRGN Clip);

  // Drag state the loops of the dockable windows set (TBDragLoop.cpp).
  TTBCustomDockableWindow* DraggedWindow() const { return FDraggedWindow; }
  void SetDraggedWindow(TTBCustomDockableWindow* Value) { FDraggedWindow = Value; }
  bool SplitAllowed() const { return FSplitAllowed; }
  void SetSplitAllowed(bool Value) { FSplitAllowed = Value; }
  bool SplitDragging() const { return FSplitDragging; }
  void SetSplitDragging(bool Value) { FSplitDragging = Value; }
  void SetStoreArrangedPositions(bool Value) { FStoreArrangedPositions = Value; }

  void Dispatch(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CreateParams(TCreateParams& Params) override;

  // For docks that arrange their windows their own way (ArrangeWindows
  // overridden): the lock and lists the arrangement works on, and the
  // arranged state of a window.
  int ArrangeLock() const { return FArrangeLock; }
  void SetArrangePending() { FArrangePending = true; }
  // Undoes one BeginUpdate without arranging; pending requests and the
  // request to store positions are dropped, as at the end of an arrangement.
  void EndArrangeRun();
  bool StoreArrangedPositions() const { return FStoreArrangedPositions; }
  std::vector<TTBCustomDockableWindow*>& MemberListRef() { return FMemberList; }
  std::vector<TTBCustomDockableWindow*>& ShownListRef() { return FShownList; }
  bool ShownInDock(TTBCustomDockableWindow* Window) const;
  static void SetArrangedPlace(TTBCustomDockableWindow* Window, int Row, int Pos);
  // The wanted row and position, without arranging again.
  static void SetWantedPlace(TTBCustomDockableWindow* Window, int Row, int Pos);
  static void SetImposedLength(TTBCustomDockableWindow* Window, int Length);
  // Bounds given by the dock, which the window does not take as its own
  // choice of size.
  static void PlaceWindow(TTBCustomDockableWindow* Window, int ALeft, int ATop, int AWidth, int AHeight);

private:
  friend class TTBCustomDockableWindow;
  void SortedByRowAndPos(std::vector<TTBCustomDockableWindow*>& List) const;
  void BackgroundChanged(TObject* Sender);
  void RefreshChildFrames();
  void WMNCCalcSize(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);

  TTBDockPosition FPosition = dpTop;
  bool FAllowDrag = true;
  TTBDockBoundLines FBoundLines;
  TTBBasicBackground* FBackground = nullptr;
  bool FBackgroundOnToolbars = true;
  bool FSplitAllowed = false;
  bool FSplitDragging = false;
  TTBCustomDockableWindow* FDraggedWindow = nullptr;
  bool FFixAlign = false;
  bool FStoreArrangedPositions = false;
  bool FLimitToOneRow = false;
  int FArrangeLock = 0;
  bool FArrangePending = false;
  int FBoundLineWidth = 0, FBoundLineHeight = 0;
  std::vector<TTBCustomDockableWindow*> FMemberList;
  std::vector<TTBCustomDockableWindow*> FShownList;
};

inline constexpr const char* STBDockCannotChangePosition =
    "Cannot change Position of a TTBDock if it already contains controls";
inline constexpr const char* STBDockParentNotAllowed =
    "A TTBDock control cannot be placed inside a tool window or another TTBDock";
