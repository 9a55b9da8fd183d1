// The method types of the tree's published events. Every event passes the
// tree as Sender; "in/out" parameters are references.
#pragma once

#include <memory>
#include <string>

#include "controls/vtree/HeaderPaintInfo.h"
#include "controls/vtree/LazyTreeTypes.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/base/Method.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/ole/DataObject.h"

#include <vector>

class TCanvas;
class TStream;
class TPopupMenu;
class TLTHeader;
class ILTEditLink;

using TLTChangeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTChangingEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, bool& Allowed)>;
using TLTStructureChangeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TChangeReason Reason)>;
using TLTUpdatingEvent = Method<void(TBaseLazyTree* Sender, TLTUpdateState State)>;
using TLTStateChangeEvent = Method<void(TBaseLazyTree* Sender, TLazyTreeStates Enter, TLazyTreeStates Leave)>;
using TLTInitNodeEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode ParentNode, PLazyNode Node, TLazyNodeInitStates& InitialStates)>;
using TLTInitChildrenEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, Cardinal& ChildCount)>;
using TLTFreeNodeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTGetNodeDataSizeEvent = Method<void(TBaseLazyTree* Sender, int& NodeDataSize)>;
using TLTMeasureItemEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight)>;
using TLTCheckChangingEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node, TCheckState& NewState, bool& Allowed)>;
using TLTCompareEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node1, PLazyNode Node2, TColumnIndex Column, int& Result)>;
using TLTNodeMovingEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, PLazyNode Target, bool& Allowed)>;
using TLTNodeMovedEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTSaveNodeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TStream* Stream)>;
using TLTFocusChangingEvent = Method<void(TBaseLazyTree* Sender, PLazyNode OldNode, PLazyNode NewNode,
                                          TColumnIndex OldColumn, TColumnIndex NewColumn, bool& Allowed)>;
using TLTFocusChangeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column)>;
using TLTGetImageEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TLTImageKind Kind, TColumnIndex Column,
                                     bool& Ghosted, int& ImageIndex)>;
using TLTPaintEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas)>;
using TLTBeforeItemPaintEvent =
    Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TRect ItemRect, bool& CustomDraw)>;
using TLTAfterItemPaintEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TRect ItemRect)>;
using TLTBeforeItemEraseEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node,
                                            TRect ItemRect, TColor& ItemColor, TItemEraseAction& EraseAction)>;
using TLTAfterItemEraseEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TRect ItemRect)>;
using TLTCellPaintEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node,
                                      TColumnIndex Column, TRect CellRect)>;
using TLTBackgroundPaintEvent = Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, TRect R, bool& Handled)>;
using TLTGetLineStyleEvent = Method<void(TBaseLazyTree* Sender, const void*& Bits)>;
using TLTGetCellIsEmptyEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, bool& IsEmpty)>;
using TLTPopupEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, TPoint P,
                                  bool& AskParent, TPopupMenu*& PopupMenu)>;
using TLTScrollEvent = Method<void(TBaseLazyTree* Sender, int DeltaX, int DeltaY)>;
using TLTHotNodeChangeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode OldNode, PLazyNode NewNode)>;
using TLTKeyActionEvent =
    Method<void(TBaseLazyTree* Sender, WORD& CharCode, TShiftState& Shift, bool& DoDefault)>;
// Result 0 means Node matches SearchText (UTF-8).
using TLTIncrementalSearchEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node, const std::string& SearchText, int& Result)>;
using TLTGetHelpContextEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, int& HelpContext)>;
using TLTDragAllowedEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, bool& Allowed)>;

// A release (or double click) in the column of the press; Sender is the tree.
using TLTColumnClickEvent = Method<void(TBaseLazyTree* Sender, TColumnIndex Column, TShiftState Shift)>;
using TLTColumnDblClickEvent = Method<void(TBaseLazyTree* Sender, TColumnIndex Column, TShiftState Shift)>;

// Header events: the header is the Sender; points are in header coordinates
// (y = 0 is the header's top).
using TLTHeaderClickEvent =
    Method<void(TLTHeader* Sender, TColumnIndex Column, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TLTHeaderMouseEvent = Method<void(TLTHeader* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TLTHeaderMouseMoveEvent = Method<void(TLTHeader* Sender, TShiftState Shift, int X, int Y)>;
using TLTHeaderNotifyEvent = Method<void(TLTHeader* Sender, TColumnIndex Column)>;
using TLTHeaderDraggingEvent = Method<void(TLTHeader* Sender, TColumnIndex Column, bool& Allowed)>;
using TLTHeaderDraggedEvent = Method<void(TLTHeader* Sender, TColumnIndex Column, int OldPosition)>;
using TLTHeaderDraggedOutEvent = Method<void(TLTHeader* Sender, TColumnIndex Column, TPoint DropPosition)>;
using TLTGetHeaderCursorEvent = Method<void(TLTHeader* Sender, HCURSOR& Cursor)>;
// Owner drawing of the header: a whole owner-drawn column, or (advanced) the
// elements an owner claimed for the background or a column.
using TLTHeaderPaintEvent = Method<void(TLTHeader* Sender, TCanvas* HeaderCanvas, TLazyTreeColumn* Column,
                                        const TRect& R, bool Hover, bool Pressed, TLTDropMarkMode DropMark)>;
using TLTHeaderPaintQueryElementsEvent =
    Method<void(TLTHeader* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements)>;
using TLTAdvancedHeaderPaintEvent =
    Method<void(TLTHeader* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements)>;

// In-place editing.
using TLTCreateEditorEvent =
    Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, std::shared_ptr<ILTEditLink>& EditLink)>;
using TLTEditChangingEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, bool& Allowed)>;
using TLTEditChangeEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column)>;
using TLTEditCancelEvent = Method<void(TBaseLazyTree* Sender, TColumnIndex Column)>;
struct ILTDragManager;
using TFormatEtcArray = std::vector<FORMATETC>;
using TFormatArray = std::vector<CLIPFORMAT>;
using TLTCreateDataObjectEvent = Method<void(TBaseLazyTree* Sender, IDataObject*& DataObject)>;
using TLTCreateDragManagerEvent = Method<void(TBaseLazyTree* Sender, ILTDragManager*& DragManager)>;
using TLTGetUserClipboardFormatsEvent = Method<void(TBaseLazyTree* Sender, TFormatEtcArray& Formats)>;
using TLTRenderOLEDataEvent = Method<void(TBaseLazyTree* Sender, const FORMATETC& FormatEtcIn, STGMEDIUM& Medium,
                                          bool ForClipboard, HRESULT& Result)>;
using TLTDragOverEvent = Method<void(TBaseLazyTree* Sender, TObject* Source, TShiftState Shift, TDragState State,
                                     TPoint Pt, TDropMode Mode, DWORD& Effect, bool& Accept)>;
using TLTDragDropEvent = Method<void(TBaseLazyTree* Sender, TObject* Source, IDataObject* DataObject,
                                     const TFormatArray& Formats, TShiftState Shift, TPoint Pt, DWORD& Effect,
                                     TDropMode Mode)>;
