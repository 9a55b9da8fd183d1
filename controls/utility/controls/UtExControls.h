// The extended control message layer: TUtExWinControl turns the class
// library's component messages and a few window messages (size, focus,
// erase background, dialog codes) into overridable operations. Each default
// passes the message on to the ordinary handling (PassToInherited), so a
// control that overrides nothing behaves exactly like a plain TWinControl.
#pragma once

#include <string>

#include "platform/base/Set.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/controls/WinControl.h"

class TCanvas;
struct THintInfo;

enum TDialogCode : std::uint8_t { dcWantAllKeys, dcWantArrows, dcWantTab, dcWantChars, dcButton, dcNative };
CORVANE_ENUM_RANGE(TDialogCode, 0, 5);
using TDialogCodes = Set<TDialogCode>;

// Builds a message record and hands it to the control's own message
// dispatch (not to its window); answers the record's result. The routine
// that extended controls (and the chat window's extended panel) send their
// notifications through.
LRESULT UtExDispatch(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam);

// Edit notifications: a control that also derives from this class has
// WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR and WM_UNDO answered through it.
class IUtEditNotifyEvents {
public:
  virtual ~IUtEditNotifyEvents() = default;
  virtual void HandlePaste() = 0;
  virtual void HandleCopy() = 0;
  virtual void HandleCut() = 0;
  virtual void HandleUndo() = 0;
  virtual void HandleClear() = 0;
};

class TUtExWinControl : public TWinControl {
public:
  explicit TUtExWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

  void Dispatch(TMessage& Message) override;

  // Fired after the default mouse-enter and mouse-leave handling (Sender = the control).
  TNotifyEvent OnMouseEnterControl;
  TNotifyEvent OnMouseLeaveControl;

protected:
  // The ordinary dispatch of the class library for one message; its result.
  LRESULT PassToInherited(UINT Msg, WPARAM WParam, LPARAM LParam);

  virtual bool HandleDialogChar(int Key, TShiftState Shift, const std::u16string& KeyText);
  virtual void HandleDialogCode(TDialogCodes& Codes);
  virtual bool HandleEraseBackground(TCanvas* Canvas, LPARAM Param);
  virtual void HandleVisibleChanged();
  virtual void HandleEnabledChanged();
  virtual void HandleTextChanged();
  virtual void HandleFontChanged();
  virtual void HandleColorChanged();
  virtual void HandleParentFontChanged();
  virtual void HandleParentColorChanged();
  virtual void HandleParentShowHintChanged();
  virtual bool HandleHintShow(THintInfo& HintInfo);
  virtual bool HandleHitTest(int X, int Y);
  virtual void HandleMouseEnter(TControl* Control);
  virtual void HandleMouseLeave(TControl* Control);
  virtual void HandleCursorChanged();
  virtual void HandleShowingChanged();
  virtual void HandleShowHintChanged();
  virtual void HandleControlListChanging(TControl* Control, bool Inserting);
  virtual void HandleControlListChanged(TControl* Control, bool Inserting);
  virtual void HandleFocusChanged(TControl*) {}
  virtual void HandleFocusGained(HWND) {}
  virtual void HandleFocusLost(HWND) {}
  virtual void HandleResize() {}

private:
  bool DispatchControlNotify(TMessage& Message);
  bool DispatchWinControlNotify(TMessage& Message);
  bool DispatchEditNotify(TMessage& Message);
};

// Publishes the drag and bi-di properties; no code of its own.
class TUtExPubWinControl : public TUtExWinControl {
public:
  using TUtExWinControl::TUtExWinControl;
};

class TUtWinControl : public TUtExPubWinControl {
public:
  using TUtExPubWinControl::TUtExPubWinControl;
};
