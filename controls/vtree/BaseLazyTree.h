// TBaseLazyTree: a tree that stores only node structure, heights and states
// and asks its owner for everything it shows through events. Its operations
// live in one source per concern (BaseLazyTree*.cpp).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "controls/vtree/LazyTreeEvents.h"
#include "controls/vtree/LazyTreeHintWindow.h"
#include "controls/vtree/LazyTreePanningWindow.h"
#include "controls/vtree/LazyTreeOptions.h"
#include "controls/vtree/LazyTreeTypes.h"
#include "controls/vtree/PaintPassInfo.h"
#include "controls/vtree/PositionCache.h"
#include "platform/classes/ShiftState.h"
#include "controls/vtree/StepAnimation.h"
#include "platform/base/Utf.h"
#include "platform/classes/controls/CustomControl.h"
#include "platform/classes/forms/FormTypes.h"

class TCustomImageList;
class TLTHeader;
class TStream;
class TFiler;
class TReader;
class TWriter;
class TClipboardFormats;
class TLTDragManager;
class TLTDragImage;
struct ILTDragManager;

// The window message through which finished cache validation reaches the tree.
constexpr UINT WM_CHANGESTATE = 0x8000 + 0x20;

// The names of a set value in a form resource (up to the empty one).
std::vector<std::string> ReadSetNames(TReader* Reader);

class TBaseLazyTree : public TCustomControl {
public:
  explicit TBaseLazyTree(TComponent* AOwner);
  ~TBaseLazyTree() override;

  // --- node model (BaseLazyTreeNodes.cpp) ---
  PLazyNode HiddenRoot() const { return FRoot; }
  Cardinal RootNodeCount() const { return FRoot->ChildCount; }
  void SetRootNodeCount(Cardinal Value);
  void SetNodeChildCount(PLazyNode Node, Cardinal Count);
  void InitializeNode(PLazyNode Node);
  void InitializeChildren(PLazyNode Node);
  virtual void ReinitializeNode(PLazyNode Node, bool Recursive);
  virtual void ReinitializeChildren(PLazyNode Node, bool Recursive);
  std::size_t ReserveInternalData(std::size_t Size);
  void RemoveNode(PLazyNode Node, bool Reindex = true);
  void RemoveChildren(PLazyNode Node, bool ResetHasChildren = false);
  virtual void ClearTree();
  bool SetNodeCheckState(PLazyNode Node, TCheckState Value);
  void ConnectNode(PLazyNode Node, PLazyNode Target, TLTNodeAttachMode Mode, TBaseLazyTree* TargetTree);
  void DisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex);
  PLazyNode AllocateNode();
  int NodeDataSize() const { return FNodeDataSize; }
  void SetNodeDataSize(int Value);
  // Offset of the owner's data from the start of a node record.
  std::size_t UserDataOffset() const { return sizeof(TLazyNode) + FTotalInternalDataSize; }
  Cardinal VisibleNodeCount() const { return FVisibleCount; }

  unsigned NodeLevel(PLazyNode Node) const;
  bool HasAncestor(PLazyNode Node, PLazyNode Ancestor) const;
  int CompareNodePositions(PLazyNode Node1, PLazyNode Node2) const;
  static TBaseLazyTree* TreeOfNode(PLazyNode Node);
  bool IsNodeVisible(PLazyNode Node);
  // Shows or hides a node; a hidden node and its subtree take no room.
  void SetNodeVisible(PLazyNode Node, bool Value);
  bool IsNodeFullyVisible(PLazyNode Node) const;
  bool IsFirstShownChild(PLazyNode Parent, PLazyNode Node) const;
  bool IsLastShownChild(PLazyNode Parent, PLazyNode Node) const;
  bool HasShownFollowingSibling(PLazyNode Node) const;

  // --- navigation (BaseLazyTreeNavigation.cpp) ---
  PLazyNode FirstTopLevelNode();
  PLazyNode FirstTopLevelNodeRaw() const { return FRoot->FirstChildNode; }
  PLazyNode FirstChildOf(PLazyNode Node);
  PLazyNode FirstInitializedNode() const;
  PLazyNode FirstSelectedNode();
  PLazyNode FirstClipMarkedNode();
  PLazyNode FirstVisibleNode();
  PLazyNode FirstVisibleNodeRaw() const;
  PLazyNode FirstVisibleChildOf(PLazyNode Node);
  PLazyNode LastChildOf(PLazyNode Node);
  PLazyNode LastChildOfRaw(PLazyNode Node) const;
  PLazyNode LastDescendantOf(PLazyNode Node);
  PLazyNode LastDescendantOfRaw(PLazyNode Node) const;
  PLazyNode LastVisibleChildOf(PLazyNode Node);
  PLazyNode LastVisibleChildOfRaw(PLazyNode Node) const;
  PLazyNode LastVisibleDescendantOf(PLazyNode Node);
  PLazyNode LastVisibleDescendantOfRaw(PLazyNode Node) const;
  PLazyNode NextNode(PLazyNode Node);
  PLazyNode NextNodeRaw(PLazyNode Node) const;
  PLazyNode NextInitializedNode(PLazyNode Node) const;
  PLazyNode NextSelectedNode(PLazyNode Node);
  PLazyNode NextClipMarkedNode(PLazyNode Node);
  PLazyNode NextSiblingNode(PLazyNode Node);
  PLazyNode NextVisibleSiblingNode(PLazyNode Node);
  PLazyNode NextVisibleNode(PLazyNode Node);
  PLazyNode NextVisibleNodeRaw(PLazyNode Node) const;
  PLazyNode PreviousNode(PLazyNode Node);
  PLazyNode PreviousNodeRaw(PLazyNode Node) const;
  PLazyNode PreviousSiblingNode(PLazyNode Node);
  PLazyNode PreviousVisibleSiblingNode(PLazyNode Node);
  PLazyNode PreviousVisibleSiblingNodeRaw(PLazyNode Node) const;
  PLazyNode PreviousVisibleNode(PLazyNode Node);
  PLazyNode PreviousVisibleNodeRaw(PLazyNode Node) const;
  PLazyNode NearestVisibleAncestor(PLazyNode Node) const;
  PLazyNode NextAfterHidden(PLazyNode Node) const;
  PLazyNode HiddenBoundary(PLazyNode Node) const;

  // --- lifecycle, update state, notification (BaseLazyTreeUpdate.cpp) ---
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  void Change(PLazyNode Node);
  void StructureChange(PLazyNode Node, TChangeReason Reason);
  void StopTimer(UINT_PTR Id);
  TLazyTreeStates TreeStates() const { return FStates; }
  virtual void ChangeStates(TLazyTreeStates Enter, TLazyTreeStates Leave);
  int ChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(int Value) { FChangeDelay = Value; }
  void Loaded() override;
  // A removed image list or header popup is forgotten (a custom check kind falls back to light checks).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "Columns" and the old "Options" in form resources (BaseLazyTreeFormProperties.cpp).
  void DefineProperties(TFiler* Filer) override;
  // Under toAutoChangeScale the default node height and the header follow the form's scaling.
  void ChangeScale(int M, int D) override;
  // From another tree (and not read-only): its settings and its root count;
  // the nodes themselves are not copied.
  void Assign(TPersistent* Source) override;

  // --- options, colours and published settings (BaseLazyTreeSettings.cpp) ---
  TCustomLazyTreeOptions* TreeOptions() const { return FOptions.get(); }
  TScrollBarOptions* ScrollBarOptions() const { return FScrollBarOptions.get(); }
  TLTColors* Colors() const { return FColors.get(); }
  bool HasPaintOption(TLTPaintOption O) const { return FOptions->PaintOptions().Contains(O); }
  bool HasAutoOption(TLTAutoOption O) const { return FOptions->AutoOptions().Contains(O); }
  bool HasSelectionOption(TLTSelectionOption O) const { return FOptions->SelectionOptions().Contains(O); }
  bool HasMiscOption(TLTMiscOption O) const { return FOptions->MiscOptions().Contains(O); }
  unsigned DefaultNodeHeight() const { return FDefaultNodeHeight; }
  void SetDefaultNodeHeight(unsigned Value);
  unsigned Indent() const { return FIndent; }
  void SetIndent(unsigned Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int TextMargin() const { return FTextMargin; }
  void SetTextMargin(int Value) { FTextMargin = Value; }
  unsigned AnimationDuration() const { return FAnimationDuration; }
  void SetAnimationDuration(unsigned Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // bsSingle: a client edge (a plain border without Ctl3D); bsNone: none.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  TLTButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TLTButtonStyle Value);
  TLTButtonFillMode ButtonFillMode() const { return FButtonFillMode; }
  void SetButtonFillMode(TLTButtonFillMode Value);
  TLTLineStyle LineStyle() const { return FLineStyle; }
  void SetLineStyle(TLTLineStyle Value);
  TLTLineMode LineMode() const { return FLineMode; }
  void SetLineMode(TLTLineMode Value);
  TLTNodeAlignment NodeAlignment() const { return FNodeAlignment; }
  void SetNodeAlignment(TLTNodeAlignment Value);
  // The picture tiled behind the nodes under toShowBackground (not owned).
  HBITMAP Background() const { return FBackground; }
  void SetBackground(HBITMAP Value);
  int BackgroundOffsetX() const { return FBackgroundOffsetX; }
  int BackgroundOffsetY() const { return FBackgroundOffsetY; }
  void SetBackgroundOffset(int X, int Y);
  // Repeats the background over R of DC; Offset is the content position of R's coordinate origin.
  void TileBackground(HDC DC, const TRect& R, TPoint Offset);
  TLTDrawSelectionMode DrawSelectionMode() const { return FDrawSelectionMode; }
  void SetDrawSelectionMode(TLTDrawSelectionMode Value) { FDrawSelectionMode = Value; }
  int SelectionCurveRadius() const { return FSelectionCurveRadius; }
  void SetSelectionCurveRadius(int Value);
  int SelectionBlendFactor() const { return FSelectionBlendFactor; }
  void SetSelectionBlendFactor(int Value) { FSelectionBlendFactor = Value; }
  TCheckImageKind CheckImageKind() const { return FCheckImageKind; }
  void SetCheckImageKind(TCheckImageKind Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);
  TCustomImageList* CustomCheckImages() const { return FCustomCheckImages; }
  void SetCustomCheckImages(TCustomImageList* Value);
  // The check image list in use: the shared set of the kind, or the custom list.
  TCustomImageList* CheckImages() const;
  PLazyNode FocusedNode() const { return FFocusedNode; }
  void SetFocusedNode(PLazyNode Value);
  TColumnIndex FocusedColumn() const { return FFocusedColumn; }
  void SetFocusedColumn(TColumnIndex Value);
  PLazyNode DropTargetNode() const { return FDropTargetNode; }
  TDropMode DropMode() const { return FDropMode; }
  void SetDropTarget(PLazyNode Node, TDropMode Mode);
  PLazyNode HotNode() const { return FHotNode; }
  void SetHotNode(PLazyNode Node);
  // Called by the option objects when a value moved.
  void OptionsChanged(int Which, std::uint32_t OldBits, std::uint32_t NewBits);
  void ColorsChanged(TLTColorIndex Index);
  void ScrollBarSettingsChanged();

  // --- heights, expansion, positions (BaseLazyTreePositions.cpp) ---
  unsigned NodeHeightOf(PLazyNode Node);
  void MeasureNodeHeight(TCanvas* Canvas, PLazyNode Node);
  void SetNodeHeight(PLazyNode Node, int Height);
  void ToggleExpansion(PLazyNode Node);
  void SetExpanded(PLazyNode Node, bool Value);
  virtual void ExpandSubtree(PLazyNode Node);
  virtual void CollapseSubtree(PLazyNode Node);
  virtual void ResetNode(PLazyNode Node);
  PLazyNode NodeAtOffset(int Y, bool Relative, int* NodeTop = nullptr);
  PLazyNode NodeAtPoint(int X, int Y);
  PLazyNode TopNode() { return NodeAtOffset(0, true); }
  TRect NodeDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped = false);
  bool BringNodeIntoView(PLazyNode Node, bool Center, bool Horizontally);
  void ScrollNodeToTop(PLazyNode Node);
  virtual void RepaintNode(PLazyNode Node);
  void RepaintFromNode(PLazyNode Node);
  virtual void UpdateScrollBars(bool DoRepaint);
  int OffsetX() const { return FOffsetX; }
  int OffsetY() const { return FOffsetY; }
  void SetOffsetX(int Value) { SetOffsetXY(Value, FOffsetY); }
  void SetOffsetY(int Value) { SetOffsetXY(FOffsetX, Value); }
  void SetOffsetXY(int X, int Y);
  int RangeX() const { return FRangeX; }
  int RangeY() const { return int(FRoot->SubtreeHeight) - int(FRoot->NodeHeight); }

  // --- animation (BaseLazyTreeAnimation.cpp) ---
  // The step loop inside tsInAnimation; nothing while one runs already.
  void Animate(int Steps, unsigned Duration, const TAnimationStep& Step);

  // --- position cache and worker thread (BaseLazyTreeCache.cpp) ---
  void MarkCacheStale();
  void RequestCacheValidation();
  void HaltCacheValidation();
  // Takes over a finished rebuild; true when the cache is in use afterwards.
  bool UseCache();
  const std::vector<TCacheEntry>& PositionCache() const { return FPositionCache; }

  // --- stream (BaseLazyTreeStream.cpp) ---
  virtual void WriteTreeStream(TStream* Stream, PLazyNode Node = nullptr);
  virtual void ReadTreeStream(TStream* Stream);
  virtual void ReadTreeFile(const std::string& FileName);
  virtual void WriteNodeChunk(TStream* Stream, PLazyNode Node);
  virtual void WriteNodeBody(TStream* Stream, PLazyNode Node);
  virtual void ReadNodeChunk(TStream* Stream, int Version, PLazyNode Node, std::int64_t Limit);
  virtual bool ReadSubChunk(TStream* Stream, int Version, PLazyNode Node, int ChunkType, int ChunkSize);
  void AddNodesFromStream(TStream* Stream, int Version, PLazyNode Node, std::int64_t Limit);
  // The text tree's caption chunk behind a node's other chunks; none here.
  virtual void WriteNodeCaption(TStream* Stream, PLazyNode Node);

  // --- sorting and moving (BaseLazyTreeSortMove.cpp) ---
  virtual void SortChildren(PLazyNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
  void SortWholeTree(TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
  void MoveNodeTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly);

  // --- selection (BaseLazyTreeSelection.cpp) ---
  void SetNodeSelected(PLazyNode Node, bool Value);
  void ClearSelection();
  void SelectAllNodes(bool VisibleOnly);
  std::vector<PLazyNode> SortedSelection(bool Resolve);
  std::vector<PLazyNode> SortedClipMarked(bool Resolve);
  static int CompactSelection(std::vector<PLazyNode>& Array, int Count);
  Cardinal SelectedCount() const { return Cardinal(FSelectionCount); }
  PLazyNode SelectionAnchor() const { return FSelectionAnchor; }
  void HandleClickSelection(PLazyNode LastFocused, PLazyNode NewNode, unsigned Shift, bool DragPending);
  // The rubber band, old and new rectangle in tree coordinates; the Ctrl state of the press.
  void SetBand(TRect OldRect, TRect NewRect, bool Toggle) { FLastSelRect = OldRect; FNewSelRect = NewRect; FBandToggle = Toggle; }
  bool HandleBandSelection();
  bool IsMouseSelecting() const { return FStates.Contains(tsDrawSelPending) || FStates.Contains(tsDrawSelecting); }

  // --- hit testing (BaseLazyTreeHitTest.cpp) ---
  void HitTestAt(int X, int Y, bool Relative, TLTHitInfo& HitInfo);
  virtual void HitPositionLeftToRight(TLTHitInfo& HitInfo, int X, int ColumnRight, TAlignment Alignment);
  virtual void HitPositionRightToLeft(TLTHitInfo& HitInfo, int X, int ColumnRight, TAlignment Alignment);

  // --- painting (BaseLazyTreePaint.cpp, LazyTreePainters.cpp) ---
  void PaintTreeArea(TCanvas* TargetCanvas, TRect Window, TPoint Target, std::uint8_t PaintOptions);
  void PrepareButtonBitmaps(bool Buttons, bool Lines);
  int NodeVerticalAnchor(PLazyNode Node, int& ButtonY);
  int TreeLineImage(PLazyNode Node, std::vector<TLTLineType>& LineImage);
  int CheckImageIndex(PLazyNode Node);
  // Counts what one paint asked of the owner (for the paint benchmark).
  unsigned PaintEventCount() const { return FPaintEventCount; }

  // --- events and dispatchers (BaseLazyTreeEvents.cpp) ---
  TLTChangeEvent OnChange, OnChecked, OnCollapsed, OnExpanded, OnResetNode;
  TLTChangingEvent OnCollapsing, OnExpanding;
  TLTCheckChangingEvent OnChecking;
  TLTStructureChangeEvent OnStructureChange;
  TLTUpdatingEvent OnUpdating;
  TLTStateChangeEvent OnStateChange;
  TLTInitNodeEvent OnInitNode;
  TLTInitChildrenEvent OnInitChildren;
  TLTFreeNodeEvent OnFreeNode;
  TLTGetNodeDataSizeEvent OnGetNodeDataSize;
  TLTMeasureItemEvent OnMeasureItem;
  TLTCompareEvent OnCompareNodes;
  TLTNodeMovingEvent OnNodeMoving, OnNodeCopying;
  TLTNodeMovedEvent OnNodeMoved, OnNodeCopied;
  TLTSaveNodeEvent OnSaveNode, OnLoadNode;
  TLTFocusChangingEvent OnFocusChanging;
  TLTFocusChangeEvent OnFocusChanged;
  TLTGetImageEvent OnGetImageIndex;
  TLTPaintEvent OnBeforePaint, OnAfterPaint;
  TLTBeforeItemPaintEvent OnBeforeItemPaint;
  TLTAfterItemPaintEvent OnAfterItemPaint;
  TLTBeforeItemEraseEvent OnBeforeItemErase;
  TLTAfterItemEraseEvent OnAfterItemErase;
  TLTCellPaintEvent OnBeforeCellPaint, OnAfterCellPaint;
  TLTBackgroundPaintEvent OnPaintBackground;
  TLTGetLineStyleEvent OnGetLineStyle;
  TLTGetCellIsEmptyEvent OnGetCellIsEmpty;
  TLTPopupEvent OnGetPopupMenu;
  TLTScrollEvent OnScroll;
  TLTHotNodeChangeEvent OnHotChange;

  virtual void DoInitNode(PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates& InitStates);
  virtual void DoInitChildren(PLazyNode Node, Cardinal& ChildCount);
  virtual void DoFreeNode(PLazyNode Node);
  virtual void DoChange(PLazyNode Node);
  virtual void DoStructureChange(PLazyNode Node, TChangeReason Reason);
  virtual void DoUpdating(TLTUpdateState State);
  virtual bool DoCollapsing(PLazyNode Node);
  virtual void DoCollapsed(PLazyNode Node);
  virtual bool DoExpanding(PLazyNode Node);
  virtual void DoExpanded(PLazyNode Node);
  virtual bool DoChecking(PLazyNode Node, TCheckState& NewState);
  virtual void DoChecked(PLazyNode Node);
  virtual void DoCheckClick(PLazyNode Node, TCheckState NewCheckState);
  virtual int DoCompare(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column);
  virtual bool DoNodeMoving(PLazyNode Node, PLazyNode Target);
  virtual void DoNodeMoved(PLazyNode Node);
  virtual bool DoNodeCopying(PLazyNode Node, PLazyNode Target);
  virtual void DoNodeCopied(PLazyNode Node);
  virtual void DoSaveUserData(PLazyNode Node, TStream* Stream);
  virtual void DoLoadUserData(PLazyNode Node, TStream* Stream);
  virtual bool DoFocusChanging(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn, TColumnIndex NewColumn);
  virtual void DoFocusChange(PLazyNode Node, TColumnIndex Column);
  virtual void DoReset(PLazyNode Node);
  virtual int DoGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted);
  virtual int DoGetNodeDataSize();
  virtual void DoMeasureItem(TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight);
  virtual bool DoGetCellIsEmpty(PLazyNode Node, TColumnIndex Column);
  // The menu for a node: the handler is asked for the node and up its ancestors.
  virtual TPopupMenu* DoGetPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint Position);
  virtual void DoBeforePaint(TCanvas* Canvas);
  virtual void DoAfterPaint(TCanvas* Canvas);
  virtual bool DoBeforeItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
  virtual void DoAfterItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
  virtual void DoBeforeItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect, TColor& Color,
                                 TItemEraseAction& EraseAction);
  virtual void DoAfterItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
  virtual void DoBeforeCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect);
  virtual void DoAfterCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect);
  virtual bool DoPaintBackground(TCanvas* Canvas, const TRect& R);
  virtual void DoGetLineStyle(const void*& Bits);
  virtual void DoScroll(int DeltaX, int DeltaY);
  // The width of a node's content (its text in the string tree; 0 here).
  virtual int DoGetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas);
  // Paints a node's content (its text) into the cell; nothing in the base tree.
  virtual void DoPaintNode(TLtPaintInfo& PaintInfo);

  // --- input: mouse, keyboard, scrolling and window messages
  //     (BaseLazyTreeMouse.cpp, BaseLazyTreeKeyboard.cpp, BaseLazyTreeScroll.cpp, BaseLazyTreeMessages.cpp) ---
  TLTKeyActionEvent OnKeyAction;
  TLTIncrementalSearchEvent OnIncrementalSearch;
  // The text of one search step in the forms a compare needs, converted once
  // per step rather than once per node offered.
  struct TSearchText {
    std::string Utf8;
    WideString Wide;
    explicit TSearchText(const std::u32string& Typed);
  };
  // 0 when Node matches: OnIncrementalSearch decides; without it every node
  // matches here (the string tree compares its text).
  virtual int DoIncrementalSearch(PLazyNode Node, const TSearchText& Text);
  TLTGetHelpContextEvent OnGetHelpContext;
  TLTDragAllowedEvent OnDragAllowed;
  TLTIncrementalSearch IncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(TLTIncrementalSearch Value);
  TLTSearchDirection IncrementalSearchDirection() const { return FSearchDirection; }
  void SetIncrementalSearchDirection(TLTSearchDirection Value) { FSearchDirection = Value; }
  TLTSearchStart IncrementalSearchStart() const { return FSearchStart; }
  void SetIncrementalSearchStart(TLTSearchStart Value) { FSearchStart = Value; }
  unsigned IncrementalSearchTimeout() const { return FSearchTimeout; }
  void SetIncrementalSearchTimeout(unsigned Value) { FSearchTimeout = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  unsigned AutoScrollDelay() const { return FAutoScrollDelay; }
  void SetAutoScrollDelay(unsigned Value) { FAutoScrollDelay = Value; }
  unsigned AutoScrollInterval() const { return FAutoScrollInterval; }
  void SetAutoScrollInterval(unsigned Value) { FAutoScrollInterval = Value; }
  // The typed text of the running incremental search (UTF-8).
  std::string SearchText() const;
  PLazyNode SearchHitNode() const { return FSearchHitNode; }
  PLazyNode PressedCheckNode() const { return FPressedCheckNode; }
  // Clamps, moves the offsets and answers whether anything moved.
  virtual bool DoSetOffsetXY(TPoint Value, unsigned Options, const TRect* ClipRect = nullptr);
  virtual TCheckState NextCheckState(PLazyNode Node);
  virtual bool DoDragAllowed(PLazyNode Node, TColumnIndex Column);
  // The node (and its ancestors) asked for a help context; 0 for none.
  int DoGetHelpContext(PLazyNode Node);
  // The sides toward which automatic scrolling runs for a client point.
  unsigned AutoScrollSidesAt(TPoint P);
  unsigned AutoScrollSides() const { return FAutoScrollSides; }
  virtual bool CanAutoScroll();
  void StartWheelPanning(TPoint Anchor);
  void StopWheelPanning();
  TPoint PanningAnchor() const { return FPanningAnchor; }
  // The name of the panning cursor for a client point.
  const char* PanningCursorName(TPoint P);
  // The main-column text that screen tools read (UTF-8); none in the base tree.
  virtual std::string QueryNodeText(PLazyNode Node);

  // --- columns and header (BaseLazyTreeColumns.cpp) ---
  TLTHeader& Header() { return *FHeader; }
  const TLTHeader& Header() const { return *FHeader; }
  // Whether the header has any columns; without, the tree is one column (-1).
  bool UseColumns() const;
  // The column that shows the tree lines, buttons and check boxes; NoColumn without columns.
  TColumnIndex MainColumn() const;
  // The widest content of the shown nodes in a column (for auto-sizing it).
  int ColumnContentWidth(TColumnIndex Column);
  // Header events; the header is their Sender and gives header points (y = 0 at its top).
  TLTHeaderClickEvent OnHeaderClick, OnHeaderDblClick;
  TLTColumnClickEvent OnColumnClick;
  TLTColumnDblClickEvent OnColumnDblClick;
  virtual void DoColumnClick(TColumnIndex Column, TShiftState Shift);
  virtual void DoColumnDblClick(TColumnIndex Column, TShiftState Shift);
  TLTHeaderMouseEvent OnHeaderMouseDown, OnHeaderMouseUp;
  TLTHeaderMouseMoveEvent OnHeaderMouseMove;
  TLTHeaderNotifyEvent OnColumnResize;
  TLTHeaderDraggingEvent OnHeaderDragging;
  TLTHeaderDraggedEvent OnHeaderDragged;
  TLTHeaderDraggedOutEvent OnHeaderDraggedOut;
  TLTGetHeaderCursorEvent OnGetHeaderCursor;
  TLTHeaderPaintEvent OnHeaderDraw;
  TLTHeaderPaintQueryElementsEvent OnHeaderDrawQueryElements;
  TLTAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
  virtual void DoHeaderClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoHeaderDblClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoHeaderMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoHeaderMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoHeaderMouseMove(TShiftState Shift, int X, int Y);
  // Whether a column may be dragged (true without a handler).
  virtual bool DoHeaderDragging(TColumnIndex Column);
  virtual void DoHeaderDragged(TColumnIndex Column, int OldPosition);
  virtual void DoHeaderDraggedOut(TColumnIndex Column, TPoint DropPosition);
  virtual void DoGetHeaderCursor(HCURSOR& Cursor);
  virtual void DoColumnResize(TColumnIndex Column);
  virtual void DoHeaderDraw(TCanvas* Canvas, TLazyTreeColumn* Column, const TRect& R, bool Hover, bool Pressed,
                            TLTDropMarkMode DropMark);
  virtual void DoHeaderDrawQueryElements(THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements);
  virtual void DoAdvancedHeaderDraw(THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements);
  // Which owner drawing the header uses now (none at design time or without hoOwnerDraw).
  bool HeaderOwnerDraws() const;
  bool HeaderAdvancedOwnerDraws() const;
  // After the header's main column changed: the focus follows it unless any
  // column may be focused, and the tree is repainted.
  virtual void MainColumnChanged();

  // --- in-place editing (BaseLazyTreeEditing.cpp; the editor is the edit link's) ---
  TLTCreateEditorEvent OnCreateEditor;
  TLTEditChangingEvent OnEditing;
  TLTEditChangeEvent OnEdited;
  TLTEditCancelEvent OnEditCancelled;
  // Milliseconds from the release of a click on the focused node to the start of its edit.
  unsigned EditDelay() const { return FEditDelay; }
  void SetEditDelay(unsigned Value) { FEditDelay = Value; }
  // Focuses Node and starts editing Column when allowed; answers whether an edit runs.
  bool EditNode(PLazyNode Node, TColumnIndex Column);
  // Ends a pending or running edit through the link; true when it ended (or none ran).
  bool EndEditNode();
  bool CancelEditNode();
  bool IsEditing() const { return FStates.Contains(tsEditing); }
  TColumnIndex EditColumn() const { return FEditColumn; }
  ILTEditLink* EditLink() const { return FEditLink.get(); }
  // Asks the owner whether a cell may be edited (toEditable, enabled, not read-only by default).
  virtual bool DoCanEdit(PLazyNode Node, TColumnIndex Column);
  virtual std::shared_ptr<ILTEditLink> DoCreateEditor(PLazyNode Node, TColumnIndex Column);
  // Starts editing the focused node in the edit column (the edit timer, F2).
  virtual void DoEdit();
  virtual bool DoEndEdit();
  virtual bool DoCancelEdit();
  // Places the editor over the focused cell.
  void UpdateEditBounds();
  // --- hints and animations (BaseLazyTreeHints.cpp, LazyTreeHintWindow.*; the step loop is Animate's) ---
  TLTHintMode HintMode() const { return FHintMode; }
  void SetHintMode(TLTHintMode Value) { FHintMode = Value; }
  THintAnimationType HintAnimation() const { return FHintAnimation; }
  void SetHintAnimation(THintAnimationType Value) { FHintAnimation = Value; }
  // The animation a hint gets now: none, fade or slide.
  virtual THintAnimationType AnimationKind();
  // The text of a node's tooltip (its cell text) or hint (none here).
  virtual std::string HintTextOf(PLazyNode Node, TColumnIndex Column, bool Tooltip);
  // The font a node's tooltip is measured and drawn in: the tree's Font here;
  // the text tree lets OnPaintText adjust it as for the cell.
  virtual void ApplyTooltipFont(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column);
  // The owner-drawn tree sizes and draws node hints itself: an empty size shows none.
  virtual bool OwnerDrawsHints() const { return false; }
  virtual TRect DoGetHintSize(PLazyNode, TColumnIndex) { return TRect(); }
  virtual void DoDrawHint(TCanvas*, PLazyNode, TRect, TColumnIndex) {}
  TRect HintValidRect() const { return FHintValidRect; }
  TLTHintData& HintData() { return FHintData; }
  // The hint window went: the valid rectangle is emptied.
  void ForgetHint() { FHintValidRect = TRect(); }
  HWND PanningWindow() const;
  // The cursor over a hot node under toHotTrack; OnGetCursor may change the one chosen.
  TCursor HotCursor() const { return FHotCursor; }
  void SetHotCursor(TCursor Value) { FHotCursor = Value; }
  Method<void(TBaseLazyTree* Sender, TCursor& Cursor)> OnGetCursor;

  // --- clipboard (BaseLazyTreeClipboard.cpp) ---
  // The name under which this tree's references travel (LazyTreeRegistry.h).
  std::uint32_t TreeToken() const { return FTreeToken; }
  // The formats the tree enables (all registered ones of its class at creation).
  TClipboardFormats* ClipboardFormats() const { return FClipboardFormats.get(); }
  TLTNodeAttachMode DefaultPasteMode() const { return FDefaultPasteMode; }
  void SetDefaultPasteMode(TLTNodeAttachMode Value) { FDefaultPasteMode = Value; }
  // The registry's formats enabled for this tree, then the owner's extra ones.
  std::vector<FORMATETC> NativeClipboardFormats();
  virtual void CopySelection();
  virtual void CutSelection();
  virtual bool PasteClipboard();
  void RemoveCutNodes();
  void ClearClipboardMarks();
  virtual void RemoveSelectedNodes();
  // Inserts the nodes of a data object carrying "Lazy Tree Data"; true when
  // nodes came in. Optimized moves the source tree's nodes instead of reading.
  bool ProcessTreeData(TBaseLazyTree* SourceTree, IDataObject* DataObject, bool Optimized, TLTNodeAttachMode Mode,
                       PLazyNode Target);
  // The tree's own format ("Lazy Tree Data"), else OnRenderOLEData.
  virtual HRESULT RenderOLEData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard);
  // The tree of this process that a data object names, or null.
  static TBaseLazyTree* TreeFromDataObject(IDataObject* DataObject);
  // The owner's data object (OnCreateDataObject), or null.
  InterfacePtr<IDataObject> DoCreateDataObject();
  // A data object of this tree is being freed.
  void DataObjectGone(IDataObject* Object);
  TLTCreateDataObjectEvent OnCreateDataObject;
  TLTGetUserClipboardFormatsEvent OnGetUserClipboardFormats;
  TLTRenderOLEDataEvent OnRenderOLEData;

  // --- drag and drop (BaseLazyTreeDragDrop.cpp) ---
  // Made on first use: the owner's (OnCreateDragManager) or the tree's own.
  ILTDragManager* DragManager();
  void DragManagerGone(TLTDragManager* Manager);
  TDragOperations DragOperations() const { return FDragOperations; }
  void SetDragOperations(TDragOperations Value) { FDragOperations = Value; }
  TLTDragType DragType() const { return FDragType; }
  void SetDragType(TLTDragType Value) { FDragType = Value; }
  TLTDragImageKind DragImageKind() const { return FDragImageKind; }
  void SetDragImageKind(TLTDragImageKind Value) { FDragImageKind = Value; }
  unsigned AutoExpandDelay() const { return FAutoExpandDelay; }
  void SetAutoExpandDelay(unsigned Value) { FAutoExpandDelay = Value; }
  // The nodes of the OLE drag that started here, in tree order (live ones only).
  std::vector<PLazyNode> DragSelection() const;
  TLTDragImage* DragImage() const { return FDragImage.get(); }
  // The size of the drag picture, centred on the pointer.
  int DragWidth() const { return FDragWidth; }
  void SetDragWidth(int Value) { FDragWidth = Value; }
  int DragHeight() const { return FDragHeight; }
  void SetDragHeight(int Value) { FDragHeight = Value; }
  // The drag picture of an OLE drag started at a client point.
  void PrepareDragImage(TPoint HotSpot, IDataObject* DataObject);
  // With dtOLE: at once from the press point, or once the mouse has left the
  // drag threshold; with dtLib the class library's drag.
  void BeginDrag(bool Immediate, int Threshold = -1) override;
  // Runs an OLE drag of the selection from a client point (the modal loop).
  virtual void StartOLEDrag(TPoint ClientPoint);
  // The drop-target side, called by the drag manager (screen points).
  virtual HRESULT OLEDragEnter(DWORD KeyState, TPoint ScreenPt, DWORD& Effect);
  virtual HRESULT OLEDragOver(TBaseLazyTree* Source, DWORD KeyState, TDragState State, TPoint ScreenPt, DWORD& Effect);
  virtual void OLEDragLeave();
  virtual HRESULT OLEDrop(IDataObject* DataObject, DWORD KeyState, TPoint ScreenPt, DWORD& Effect);
  virtual DWORD SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint Pt, DWORD AllowedEffects);
  virtual bool DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                          DWORD& Effect);
  virtual void DoDragDropEvent(TObject* Source, IDataObject* DataObject, const TFormatArray& Formats,
                               TShiftState Shift, TPoint Pt, DWORD& Effect, TDropMode Mode);
  TLTCreateDragManagerEvent OnCreateDragManager;
  TLTDragOverEvent OnDragOver;
  TLTDragDropEvent OnDragDrop;

  // Font-change watch: while attached to a canvas, any change of the
  // canvas's font sets FontChanged (the canvas still hears the change).
  // Detaching restores the canvas's own handler.
  void AttachFontChangeWatch(TCanvas* Canvas);
  void DetachFontChangeWatch();
  bool FontChanged() const { return FFontChanged; }
  void ResetFontChanged() { FFontChanged = false; }

protected:
  // The options object of the tree's class; each class's constructor adopts
  // its own, as a constructor cannot ask its descendants.
  virtual std::unique_ptr<TCustomLazyTreeOptions> CreateOptions();
  void AdoptOptions(std::unique_ptr<TCustomLazyTreeOptions> Options) { FOptions = std::move(Options); }
  // The class library's drag (dtLib): a drag object made by the owner is
  // noted; when the drag ends or is cancelled, the release of the button
  // that the drag took is given back to the tree.
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Resize() override;

private:
  // Keeps the worker off this tree while node bits that it reads change, and
  // queues an interrupted rebuild again afterwards.
  class TWorkerPause {
  public:
    explicit TWorkerPause(TBaseLazyTree* Tree);
    ~TWorkerPause();
    TWorkerPause(const TWorkerPause&) = delete;
    TWorkerPause& operator=(const TWorkerPause&) = delete;

  private:
    TBaseLazyTree* FTree;
    bool FResume;
  };

  // Bookkeeping (BaseLazyTreeNodes.cpp).
  void AdjustTotalCount(PLazyNode Node, std::int64_t Value, bool Relative);
  void AdjustTotalHeight(PLazyNode Node, std::int64_t Value, bool Relative);
  Cardinal CountVisibleChildren(PLazyNode Node) const;
  void InternalConnectNode(PLazyNode Node, PLazyNode Destination, TBaseLazyTree* Tree, TLTNodeAttachMode Mode);
  void InternalDisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex);
  void FreeNode(PLazyNode Node);
  void DetermineHiddenChildrenFlag(PLazyNode Node);
  void SetChildrenHiddenState(PLazyNode Node, bool Hidden);
  void ForgetPendingNode(PLazyNode Node);
  bool IsUpdating() const { return FUpdateCount > 0; }
  bool HasWindow() const { return HandleAllocated(); }
  bool ReadOnly() const { return HasMiscOption(toReadOnly) && !FDestroying; }
  // Cache marked stale; outside an update: validation, scroll bars and a repaint.
  void AfterStructureChange();

  // Selection internals (BaseLazyTreeSelection.cpp).
  void AddToSelection(PLazyNode Node);
  void AddToSelection(const std::vector<PLazyNode>& Nodes);
  void RemoveFromSelection(PLazyNode Node);
  void InternalClearSelection();
  int FindInSelection(PLazyNode Node) const;
  void CompactOwnSelection();
  void SelectNodes(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly);
  bool BandSelect(bool RightToLeft, TRect OldRect, TRect NewRect, int ColumnLeft, int ColumnRight, TAlignment Alignment);
  void MakeSelectionConsistent(PLazyNode Node);
  // Nodes with a state bit in tree order; with Resolve without the subtrees of the nodes taken.
  std::vector<PLazyNode> NodesWith(std::uint16_t Bit, bool Resolve) const;

  // Position internals (BaseLazyTreePositions.cpp).
  int NodeTop(PLazyNode Node);
  int NodeTopWithoutCache(PLazyNode Node) const;
  int ImagesWidth(PLazyNode Node, bool WithCheck, TColumnIndex Column);
  void ToggleCallback(PLazyNode Node, bool Expand);
  // Slides the rows below Node's row by up to Height pixels (down to open).
  void AnimateToggle(PLazyNode Node, bool Expand, std::int64_t Height);

  // Cache internals (BaseLazyTreeCache.cpp).
  void AdoptFinishedCache();

  // Stream internals (BaseLazyTreeStream.cpp).
  void WriteChunks(TStream* Stream, PLazyNode Node);

  // Sorting (BaseLazyTreeSortMove.cpp).
  PLazyNode MergeSort(PLazyNode First, Cardinal Count, TColumnIndex Column, TSortDirection Direction);

  // Painting internals.
  void EraseRow(TLtPaintInfo& Info, const TRect& R);
  void PaintCellSelection(TLtPaintInfo& Info, TRect R);
  void PaintTreeLines(TLtPaintInfo& Info, int Levels, const std::vector<TLTLineType>& Lines, int Anchor);
  void PaintLineType(HDC DC, TLTLineType Type, int X, int Top, int Bottom, int Anchor, bool RightToLeft);
  void PaintButton(TLtPaintInfo& Info, int ButtonX, int ButtonY);
  void PaintCheckImage(TLtPaintInfo& Info);
  void PaintImage(TLtPaintInfo& Info, TLtImageInfo& Image, TCustomImageList* List, bool DoOverlay);
  void PaintDropMark(TLtPaintInfo& Info, const TRect& R);
  void PaintBand(HDC DC, TRect Band, int ShiftX, TRect Target);
  void PaintRemainingArea(TCanvas* Target, TRect Window, TPoint TargetPt, int Top, std::uint8_t Options);
  bool TreeFocused();

  PLazyNode FRoot = nullptr;
  std::size_t FTotalInternalDataSize = 0;
  int FNodeDataSize = -1;
  unsigned FDefaultNodeHeight = 18;
  unsigned FIndent = 18;
  int FMargin = 4;
  int FTextMargin = 4;
  unsigned FAnimationDuration = 200;
  int FChangeDelay = 0;
  TLazyTreeStates FStates;
  int FUpdateCount = 0;
  bool FDestroying = false;
  Cardinal FVisibleCount = 0;
  int FOffsetX = 0;
  int FOffsetY = 0;
  int FRangeX = 0;
  PLazyNode FFocusedNode = nullptr;
  TColumnIndex FFocusedColumn = NoColumn;
  PLazyNode FDropTargetNode = nullptr;
  TDropMode FDropMode = dmNowhere;
  PLazyNode FHotNode = nullptr;
  PLazyNode FLastChangedNode = nullptr;
  PLazyNode FLastStructureChangeNode = nullptr;
  TChangeReason FLastStructureChangeReason = crIgnore;
  std::unique_ptr<TCustomLazyTreeOptions> FOptions;
  std::unique_ptr<TScrollBarOptions> FScrollBarOptions;
  std::unique_ptr<TLTColors> FColors;
  TAlignment FAlignment = taLeftJustify;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TBorderStyle FBorderStyle = bsSingle;
  TCanvas* FWatchedCanvas = nullptr;
  TNotifyEvent FCanvasFontChange;
  bool FFontChanged = false;
  TLTButtonStyle FButtonStyle = bsRectangle;
  TLTButtonFillMode FButtonFillMode = fmTreeColor;
  TLTLineStyle FLineStyle = lsDotted;
  TLTLineMode FLineMode = lmNormal;
  TLTNodeAlignment FNodeAlignment = naProportional;
  TLTDrawSelectionMode FDrawSelectionMode = smDottedRectangle;
  int FSelectionCurveRadius = 0;
  int FSelectionBlendFactor = 128;
  TCheckImageKind FCheckImageKind = ckLightCheck;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  TCustomImageList* FCustomCheckImages = nullptr;

  // Selection: node pointers sorted by address; during an update a removed
  // node stays with its lowest bit set until the array is compacted.
  std::vector<PLazyNode> FSelection;
  int FSelectionCount = 0;
  PLazyNode FSelectionAnchor = nullptr;
  int FLastSelectionLevel = -1;
  TRect FLastSelRect, FNewSelRect;
  bool FBandToggle = false;

  // Position cache.
  std::vector<TCacheEntry> FPositionCache;
  std::shared_ptr<TCacheValidation> FValidation;
  bool FWorkerUser = false;

  // Painting.
  HBITMAP FBackground = nullptr;
  int FBackgroundOffsetX = 0, FBackgroundOffsetY = 0;
  bool FUseBackground = false;  // during a paint pass
  HBITMAP FPlusBM = nullptr, FMinusBM = nullptr;
  HBRUSH FDottedBrush = nullptr;
  unsigned FPaintEventCount = 0;

  // Input internals (BaseLazyTreeMouse.cpp, BaseLazyTreeKeyboard.cpp, BaseLazyTreeScroll.cpp,
  // BaseLazyTreeMessages.cpp).
  bool DispatchInputMessage(TMessage& Message);
  void HandleButtonMessage(TMessage& Message);
  void HandleMouseDown(TMessage& Message, const TLTHitInfo& Hit);
  void HandleMouseUp(TMessage& Message, const TLTHitInfo& Hit);
  void HandleMouseDblClick(TMessage& Message, const TLTHitInfo& Hit);
  void HandleMouseMove(TMessage& Message);
  void HandleHotTrack(int X, int Y);
  void HandleMouseLeave();
  bool PressCheckBox(PLazyNode Node);
  void ReleasePressedCheck(bool Complete);
  void AddWithConstraints(std::vector<PLazyNode>& Nodes, bool Force);
  void ToggleVisibleRange(PLazyNode StartNode, PLazyNode EndNode);
  void ShowNodePopup(PLazyNode Node, TColumnIndex Column, TPoint ClientPoint);
  bool HandleKeyDown(TMessage& Message);
  void HandleKeyUp(TMessage& Message);
  void HandleChar(TMessage& Message);
  void HandleNavigationKey(WORD Key, TShiftState Shift);
  void HandleOtherKey(WORD Key, TShiftState Shift);
  void TabToNextCell(bool Backward);
  void IncrementalSearchStep(char32_t Character);
  void StopIncrementalSearch();
  PLazyNode SearchWalkNext(PLazyNode Node, bool Forward);
  PLazyNode SearchWalkFirst(bool Forward);
  void HandleScrollMessage(TMessage& Message, bool Horizontal);
  void HandleMouseWheel(TMessage& Message);
  void AutoScrollCheck(TPoint P);
  void AutoScrollTimerElapsed();
  void TimerScrollStep();
  void StopAutoScroll();
  void HandleTreeViewMessage(TMessage& Message);
  void StopInputTimers();
  // System settings, read on use.
  static int DragThreshold();
  static UINT WheelScrollLines();

  TLTIncrementalSearch FIncrementalSearch = isNone;
  TLTSearchDirection FSearchDirection = sdForward;
  TLTSearchStart FSearchStart = ssFocusedNode;
  unsigned FSearchTimeout = 1000;
  bool FWantTabs = false;
  std::u32string FTypedSearchText;
  PLazyNode FSearchHitNode = nullptr;
  PLazyNode FPressedCheckNode = nullptr;
  TCheckState FReleaseCheckState = csUncheckedNormal;
  TPoint FPanningAnchor;
  TShiftState FDrawSelShiftState;
  unsigned FAutoScrollDelay = 1000;
  unsigned FAutoScrollInterval = 1;
  unsigned FAutoScrollSides = 0;
  std::uint64_t FAutoScrollStart = 0;
  std::unique_ptr<TPanningWindow> FPanningWindow;
  HCURSOR FPanningCursor = nullptr;
  void UpdatePanningCursor(TPoint P);
  bool FMouseInside = false;

  // Columns and header (BaseLazyTreeColumns.cpp).
  void ColumnWidthChanged(TColumnIndex Column);
  void HeaderClientWidthChanged();
  // The header's place in window coordinates: a band as high as the header
  // right above the client area (empty while the header is hidden).
  TRect HeaderRectInWindow();
  void HeaderLayoutChanged();
  void WMNCCalcSizeWithHeader(TMessage& Message);
  // The frame: default painting (edges, scroll bars), then the header and
  // the border and bevels, all clipped to the update region.
  void WMNCPaintFrame(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void ReplaceImageList(TCustomImageList*& Field, TCustomImageList* Value);
  // Whether a list is in use other than in the field Except.
  bool UsesImageList(TCustomImageList* List, TCustomImageList* const* Except) const;
  void ReadColumnsProperty(TReader* Reader);
  void WriteColumnsProperty(TWriter* Writer);
  void ReadOldOptionsProperty(TReader* Reader);
  // Colour, font, enabled, system-colour and theme changes (BaseLazyTreeLookChanges.cpp).
  bool DispatchLookMessage(TMessage& Message);
  // tsUseThemes: on while toThemeAware is set and the visual styles are on.
  void UpdateThemeState();
  void RedrawFrame();
  // Unless loading: the button and line bitmaps again, and a repaint.
  void LookColorsChanged();
  void WatchedFontChange(TObject* Sender);
  void RecreateWindowIfShown();
  int WidestRowInView();
  void PaintCell(TLtPaintInfo& Info, const TRect& Row, int Levels, const std::vector<TLTLineType>& Lines, int Anchor,
                 int ButtonY, bool LastColumn);
  std::unique_ptr<TLTHeader> FHeader;
  void ColumnChanged(TColumnIndex Column, bool Layout);
  void SortChanged();
  // In-place editing (BaseLazyTreeEditing.cpp).
  std::shared_ptr<ILTEditLink> FEditLink;
  TColumnIndex FEditColumn = NoColumn;
  unsigned FEditDelay = 1000;
  // Hints (BaseLazyTreeHints.cpp).
  bool HandleHintShow(THintInfo& Info);
  // Columns in use, hoShowHint, and a client point on the header.
  bool OverHeaderWithHints(TPoint P) const;
  void HandleHintMessage(TMessage& Message);
  TLTHintMode FHintMode = hmDefault;
  THintAnimationType FHintAnimation = hatSystemDefault;
  TLTHintData FHintData;
  TRect FHintValidRect;
  TCursor FHotCursor = crDefault;
  bool HandleSetCursor(TMessage& Message);

  // Clipboard and drag and drop (BaseLazyTreeClipboard.cpp, BaseLazyTreeDragDrop.cpp).
  void MarkCutCopyNodes();
  HRESULT RenderTreeData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard);
  bool ReadTreeData(const std::uint8_t* Data, std::size_t Size, PLazyNode Target, TLTNodeAttachMode Mode,
                    TChangeReason Reason);
  void ForgetDraggedNode(PLazyNode Node);
  // The drag-over steps shared by OLE and class-library drags; Image is the
  // source's own drag image to keep out of the repaints (null: none).
  HRESULT DragOverStep(TObject* Source, TLTDragImage* Image, DWORD KeyState, TDragState State, TPoint ScreenPt,
                       DWORD& Effect);
  // CM_DRAG: the class library's drag over, onto and through the tree.
  void LibDragMessage(TMessage& Message);
  void FinishLibDrag();
  void RegisterAsDropTarget(bool Register);
  void StartAutoExpand(PLazyNode Node);
  void AutoExpandTimerElapsed();
  void RepaintDropArea(PLazyNode Node);
  void ClearDropNode();
  TDropMode DropModeAt(PLazyNode Node, const TLTHitInfo& Hit, TPoint ClientPt, bool Strict);
  std::uint32_t FTreeToken = 0;
  std::unique_ptr<TClipboardFormats> FClipboardFormats;
  TLTNodeAttachMode FDefaultPasteMode = amAddChildLast;
  IDataObject* FClipboardObject = nullptr;  // not held: the object tells when it goes
  InterfacePtr<ILTDragManager> FDragManager;
  TLTDragManager* FOwnDragManager = nullptr;
  bool FDropTargetRegistered = false;
  TDragOperations FDragOperations{doCopy, doMove};
  TLTDragType FDragType = dtOLE;
  TLTDragImageKind FDragImageKind = diComplete;
  int FDragWidth = 200, FDragHeight = 350;
  unsigned FAutoExpandDelay = 1000;
  std::vector<PLazyNode> FDragSelection;
  std::unordered_set<PLazyNode> FDraggedNodes;
  std::unique_ptr<TLTDragImage> FDragImage;
  // The last class-library drag-over's drop node and effect, kept for its drop.
  PLazyNode FLibDropNode = nullptr;
  DWORD FLibDropEffect = 0;
};
