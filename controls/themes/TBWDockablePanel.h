// TTBWDockablePanel: a dockable window that holds ordinary controls. Docked,
// the current theme draws its frame and small caption bar with a close box;
// the user resizes it by its free edge (TBWPanelResize.cpp) and, in a
// multi-dock, shares the dock's length with its neighbours by split edges
// (TBWSplitDrag.cpp). It keeps separate client sizes for docking at the top
// or bottom, at the left or right, floating and inside a multi-dock.
#pragma once

#include <cstdint>

#include "controls/themes/TBWTheme.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/base/Set.h"

class TTBWMultiDock;

enum TDPCaptionRotation : std::uint8_t { dpcrAuto, dpcrAlwaysHorz, dpcrAlwaysVert };
enum TDockKind : std::uint8_t { dkStandardDock, dkMultiDock };
CORVANE_ENUM_RANGE(TDockKind, 0, 1);
using TDockKinds = Set<TDockKind>;
enum TTBWResizingStage : std::uint8_t { rsBeginResizing, rsResizing, rsEndResizing };
using TTBWDockedResizing =
    Method<void(TObject* Sender, bool Vertical, int& NewSize, TTBWResizingStage Stage, bool& AllowResize)>;

class TTBWDockablePanel : public TTBCustomDockableWindow {
public:
  explicit TTBWDockablePanel(TComponent* AOwner);
  ~TTBWDockablePanel() override;

  int BorderSize() const { return FBorderSize; }
  void SetBorderSize(int Value);
  TDPCaptionRotation CaptionRotation() const { return FCaptionRotation; }
  void SetCaptionRotation(TDPCaptionRotation Value);
  int DockedWidth() const { return FDockedWidth; }
  void SetDockedWidth(int Value);
  int DockedHeight() const { return FDockedHeight; }
  void SetDockedHeight(int Value);
  int FloatingWidth() const { return FFloatingWidth; }
  void SetFloatingWidth(int Value);
  int FloatingHeight() const { return FFloatingHeight; }
  void SetFloatingHeight(int Value);
  int MinClientWidth() const { return FMinClientWidth; }
  void SetMinClientWidth(int Value) { FMinClientWidth = Value < 8 ? 8 : Value; }
  int MinClientHeight() const { return FMinClientHeight; }
  void SetMinClientHeight(int Value) { FMinClientHeight = Value < 8 ? 8 : Value; }
  int MaxClientWidth() const { return FMaxClientWidth; }
  void SetMaxClientWidth(int Value) { FMaxClientWidth = Value; }
  int MaxClientHeight() const { return FMaxClientHeight; }
  void SetMaxClientHeight(int Value) { FMaxClientHeight = Value; }
  bool SmoothDockedResize() const { return FSmoothDockedResize; }
  void SetSmoothDockedResize(bool Value) { FSmoothDockedResize = Value; }
  int SnapDistance() const { return FSnapDistance; }
  // Handed to the floating frame, which snaps to the work area's edges.
  void SetSnapDistance(int Value);
  bool ShowCaptionWhenDocked() const { return FShowCaptionWhenDocked; }
  void SetShowCaptionWhenDocked(bool Value);
  int SplitWidth() const { return FSplitWidth; }
  void SetSplitWidth(int Value);
  int SplitHeight() const { return FSplitHeight; }
  void SetSplitHeight(int Value);
  TDockKinds SupportedDocks() const { return FSupportedDocks; }
  void SetSupportedDocks(TDockKinds Value) { FSupportedDocks = Value; }
  TColor ResolvedColor() const { return FResolvedColor; }
  bool EdgeResizeActive() const { return FEdgeResizeActive; }
  bool SplitDragActive() const { return FSplitDragActive; }

  TTBWDockedResizing OnDockedResizing;

  // 0x4001 docked, 0x4801 floating, with 0x400 when resizable.
  std::uint32_t ViewKind() const;
  virtual bool IsCaptionVertical();
  virtual void FillCaptionState(PanelCaptionState& State);
  // The panel's minimum and maximum window size (0: none) from its client
  // limits and frame.
  void SizeLimits(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  TTBWMultiDock* CurrentMultiDock() const;
  // Whether a side (TPanelSide) of the docked panel is a split edge.
  bool IsSplitEdge(int Side) const;

  void DockedFrameSize(TPoint& Size) override;
  bool CanDockTo(TTBDock* Dock) override;
  void SizeForPlacement(bool Arranging, TTBDockType DockType, TPoint& Size, TTBDock* Dock, bool Floating) override;
  void PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip) override;
  void NaturalContentSize(TPoint& Size) override;
  void DockedCloseBox(bool Vertical, TRect& R) override;
  void FloatingSizeBounds(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) override;
  void BeforeResize(int NewWidth, int NewHeight) override;
  void FloatingFrameSize(TPoint& Size) override;
  void LoadPlacementValues(const TTBPlacementValueAccess& Access) override;
  void SavePlacementValues(const TTBPlacementValueAccess& Access) override;

  // The loops: resizing the docked panel by an edge, moving a split edge.
  void RunDockedResize(int Edge);
  void RunSplitDrag(int HitCode);

  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

protected:
  // A floating panel lives in the themed frame.
  TTBFloatingWindowParent* NewFloatingFrame() override;
  virtual bool DockedResizeStarting(bool Vertical);
  virtual bool DockedResizeTracking(bool Vertical, int& NewSize);
  virtual bool DockedResizeEnding(bool Vertical);

  void Loaded() override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;

private:
  friend class TTBWMultiDock;
  // The frame size the panel would have in Dock (null: floating).
  TPoint FrameSizeIn(TTBDock* Dock);
  int CaptionHeight() const;
  void RecomputeColor();
  void BroadcastParentColor();
  // A new frame that keeps the client size where it can.
  void RefreshFrameKeepingClient();
  // Own changes of bounds that must not be taken for the user's sizes.
  void SetBoundsSelf(int ALeft, int ATop, int AWidth, int AHeight);
  void ApplyDockedLength(bool Vertical, int Length);
  bool AskResize(bool Vertical, int& NewSize, TTBWResizingStage Stage);
  void WMNCHitTest(TMessage& Message);
  bool WMSetCursor(TMessage& Message);
  void ThemeChanged(TMessage& Message);

  int FBorderSize = 0;
  TDPCaptionRotation FCaptionRotation = dpcrAuto;
  int FDockedWidth = 128, FDockedHeight = 128;
  TColor FResolvedColor = clBtnFace;
  int FFloatingWidth = 0, FFloatingHeight = 0;
  bool FEdgeResizeActive = false, FSplitDragActive = false;
  int FMinClientWidth = 32, FMinClientHeight = 32;
  int FMaxClientWidth = 0, FMaxClientHeight = 0;
  bool FSmoothDockedResize = true;
  int FSnapDistance = 0;
  bool FShowCaptionWhenDocked = true;
  int FSplitHeight = 0, FSplitWidth = 0;
  TDockKinds FSupportedDocks{dkStandardDock, dkMultiDock};
  bool FSelfSizing = false;
};
