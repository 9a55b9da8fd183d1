// The enumerations, sets, cursors and event types of controls, described for
// the run-time type information.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/base/Types.h"
#include "platform/classes/Forward.h"
#include "platform/classes/Messages.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"
#include "platform/win/window/WindowTypes.h"

class TDragObject;

CORVANE_ENUM(TAlign, "Controls", alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
using TAlignSet = Set<TAlign>;
CORVANE_ENUM(TAnchorKind, "Controls", akLeft, akTop, akRight, akBottom);
using TAnchors = Set<TAnchorKind>;
CORVANE_DESCRIBE_SET(TAnchors);

CORVANE_ENUM(TControlStyleFlag, "Controls", csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
             csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
             csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents);
using TControlStyle = Set<TControlStyleFlag>;
CORVANE_DESCRIBE_SET(TControlStyle);

CORVANE_ENUM(TControlStateFlag, "Controls", csLButtonDown, csClicked, csPalette, csReadingState,
             csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking);
using TControlState = Set<TControlStateFlag>;
CORVANE_DESCRIBE_SET(TControlState);

CORVANE_ENUM(TMouseButton, "Controls", mbLeft, mbRight, mbMiddle);
CORVANE_ENUM(TDragMode, "Controls", dmManual, dmAutomatic);
CORVANE_ENUM(TDragKind, "Controls", dkDrag, dkDock);
CORVANE_ENUM(TDragState, "Controls", dsDragEnter, dsDragLeave, dsDragMove);
CORVANE_ENUM(TDragMessage, "Controls", dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel,
             dmFindTarget);
CORVANE_ENUM(TBevelCut, "Controls", bvNone, bvLowered, bvRaised, bvSpace);
CORVANE_ENUM(TBevelEdge, "Controls", beLeft, beTop, beRight, beBottom);
using TBevelEdges = Set<TBevelEdge>;
CORVANE_DESCRIBE_SET(TBevelEdges);
CORVANE_ENUM(TBevelKind, "Controls", bkNone, bkTile, bkSoft, bkFlat);
CORVANE_ENUM(TAlignment, "Classes", taLeftJustify, taRightJustify, taCenter);
CORVANE_ENUM(TBiDiMode, "Classes", bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
CORVANE_ENUM(TScrollStyle, "StdCtrls", ssNone, ssHorizontal, ssVertical, ssBoth);
CORVANE_ENUM(TScrollCode, "StdCtrls", scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop,
             scBottom, scEndScroll);
CORVANE_ENUM(TScrollBarKind, "Forms", sbHorizontal, sbVertical);

// Cursors: the screen's table of shapes (negative numbers are the standard ones).
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22, crSize = -22;

using THelpContext = int;

// What CreateParams fills in before CreateWnd makes the window.
struct TCreateParams {
  const char* Caption = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASS WindowClass;
  char WinClassName[64] = {};
  // A class is registered once with the styles of its first window: windows
  // whose class styles differ take a class name of their own.
  void AddClassNameSuffix(char Suffix)
  {
    const std::size_t length = std::strlen(WinClassName);
    if (length + 1 < sizeof(WinClassName)) {
      WinClassName[length] = Suffix;
      WinClassName[length + 1] = '\0';
    }
  }
};

using TMouseEvent = Method<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = Method<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    Method<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = Method<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// Key is the character typed (a Unicode code point); setting it to 0 swallows the key.
using TKeyPressEvent = Method<void(TObject* Sender, char32_t& Key)>;
using TContextPopupEvent = Method<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragOverEvent = Method<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = Method<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = Method<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = Method<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TCanResizeEvent = Method<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    Method<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
// Custom alignment (alCustom): where the control goes among the others, and its bounds.
using TAlignInsertBeforeEvent = Method<bool(TWinControl* Sender, TControl* Control1, TControl* Control2)>;
struct TAlignInfo {
  std::vector<TControl*>* AlignList = nullptr;
  int ControlIndex = 0;
  TAlign Align = alNone;
  int Scratch = 0;
};
using TAlignPositionEvent = Method<void(TWinControl* Sender, TControl* Control, int& NewLeft, int& NewTop,
                                        int& NewWidth, int& NewHeight, TRect& AlignRect, TAlignInfo AlignInfo)>;
using TWndMethod = Method<void(TMessage& Message)>;
