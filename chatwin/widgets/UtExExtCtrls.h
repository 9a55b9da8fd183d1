// TUtExCustomPanel: the class library's custom panel with its control
// notifications turned into overridable operations. The panel's own message
// dispatch calls the operation; each operation's default hands the message
// on to the ordinary panel handling, so a panel that overrides nothing
// behaves like a plain TCustomPanel. TUtCustomPanel adds nothing.
#pragma once

#include "platform/base/Method.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/stdctrls/CustomPanel.h"

class TCanvas;
struct THintInfo;

class TUtExCustomPanel : public TCustomPanel {
public:
  explicit TUtExCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

  void Dispatch(TMessage& Message) override;

  // Fired after the default mouse-enter and mouse-leave handling.
  TNotifyEvent OnMouseEnterControl;
  TNotifyEvent OnMouseLeaveControl;

protected:
  // The ordinary panel handling of one message; its result.
  LRESULT PassToInherited(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

  virtual void VisibleChanged() { PassToInherited(CM_VISIBLECHANGED); }
  virtual void EnabledChanged() { PassToInherited(CM_ENABLEDCHANGED); }
  virtual void TextChanged() { PassToInherited(CM_TEXTCHANGED); }
  virtual void FontChanged() { PassToInherited(CM_FONTCHANGED); }
  virtual void ColorChanged() { PassToInherited(CM_COLORCHANGED); }
  virtual void ParentColorChanged() { PassToInherited(CM_PARENTCOLORCHANGED); }
  virtual void ParentFontChanged() { PassToInherited(CM_PARENTFONTCHANGED); }
  virtual void ParentShowHintChanged() { PassToInherited(CM_PARENTSHOWHINTCHANGED); }
  virtual void CursorChanged() { PassToInherited(CM_CURSORCHANGED); }
  virtual void ShowHintChanged() { PassToInherited(CM_SHOWHINTCHANGED); }
  virtual void ShowingChanged() { PassToInherited(CM_SHOWINGCHANGED); }
  virtual void MouseEnter(TControl* Control);
  virtual void MouseLeave(TControl* Control);
  // The point travels as two 16-bit values.
  virtual bool HitTest(int X, int Y);
  virtual bool HintShow(THintInfo& HintInfo);
  // True when the key was handled.
  virtual bool WantKey(int Key, TShiftState Shift);
  virtual bool DoEraseBackground(TCanvas* Canvas, LPARAM Param);
  // After the usual focus-change handling, with the newly focused control.
  virtual void FocusChanged(TControl*) {}
};

class TUtCustomPanel : public TUtExCustomPanel {
public:
  using TUtExCustomPanel::TUtExCustomPanel;
};
