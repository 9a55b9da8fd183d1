// Drag and drop: drop sources and targets, the registration of windows as
// targets, and the modal loop that carries a data object from a source to
// the registered window under the pointer.
#pragma once

#include "platform/win/ole/DataObject.h"
#include "platform/win/window/WindowTypes.h"

constexpr DWORD DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4,
                DROPEFFECT_SCROLL = 0x80000000;
// The Alt key in a drag's key state (the mouse messages do not carry it).
constexpr DWORD MK_ALT = 0x20;

struct IDropSource : IUnknown {
  static constexpr GUID IID = MakeGUID("{00000121-0000-0000-C000-000000000046}");
  // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to stop.
  virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
  // DRAGDROP_S_USEDEFAULTCURSORS lets the loop show the standard cursor of the effect.
  virtual HRESULT GiveFeedback(DWORD effect) = 0;
};

struct IDropTarget : IUnknown {
  static constexpr GUID IID = MakeGUID("{00000122-0000-0000-C000-000000000046}");
  // effect: in, the effects the source allows; out, the one the target would take.
  virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;
};

// Makes the window a drop target, holding a reference to the target until
// revoked. DRAGDROP_E_INVALIDHWND, DRAGDROP_E_ALREADYREGISTERED, E_INVALIDARG
// for no target; CO_E_NOTINITIALIZED without OleInitialize.
HRESULT RegisterDragDrop(HWND window, IDropTarget* target);
// DRAGDROP_E_NOTREGISTERED when it was not registered.
HRESULT RevokeDragDrop(HWND window);

// Runs the drag until the source drops or cancels. While the loop runs it
// holds the mouse capture; after each mouse or key input (and every 50 ms) it
// asks the source QueryContinueDrag (Escape pressed since the last question,
// the key state MK_*), finds the registered window under the pointer (the
// window there or its nearest registered ancestor), tells targets DragEnter,
// DragOver and DragLeave, and asks the source for feedback. The effect a
// target answers is narrowed to the allowed ones; when several remain, the
// keys choose: Ctrl+Shift link, Ctrl copy, Shift move, none move, then copy,
// then link. Answers DRAGDROP_S_DROP with the target's final effect, or
// DRAGDROP_S_CANCEL with DROPEFFECT_NONE (also when dropped where no target
// accepts), or the source's failure.
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect);

// The standard cursors of a drag: IDC_NO for no effect, else the move, copy or
// link cursor (DragCursor.h).
HCURSOR DefaultDragCursor(DWORD effect);
