// TControl: the base of everything shown on a form: bounds within the parent,
// alignment and anchors, visibility, colour, font, hints, the popup menu,
// mouse events and the class library's drag and drop. A control without a
// window of its own (TGraphicControl) is painted and fed mouse messages by its
// windowed parent; TWinControl adds the window.
//
// Messages: Perform calls WindowProc (WndProc unless replaced), which passes
// to Dispatch: each class's Dispatch handles the numbers it knows and passes
// the rest up; what nobody handles reaches DefaultHandler.
#pragma once

#include <memory>
#include <string>

#include "platform/classes/MessageDispatch.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/controls/SizeConstraints.h"

class TControl : public TComponent, public TMessageDispatcher {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Bounds, in the parent's client coordinates.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Right; }
  int ClientHeight() { return ClientRect().Bottom; }
  void SetClientWidth(int Value) { SetClientSize(TPoint(Value, ClientHeight())); }
  void SetClientHeight(int Value) { SetClientSize(TPoint(ClientWidth(), Value)); }
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& Point) { TPoint o = ClientOrigin(); return TPoint(Point.x + o.x, Point.y + o.y); }
  TPoint ScreenToClient(const TPoint& Point) { TPoint o = ClientOrigin(); return TPoint(Point.x - o.x, Point.y - o.y); }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  // Scales the control by M/D where it stands: its size, constraints and own
  // font, and with it every child (their places too). A font taken from the
  // parent follows the parent's.
  void ScaleBy(int M, int D);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  THelpContext HelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  TBiDiMode BiDiMode() const { return bdLeftToRight; }
  // Always left to right here: the flags come back as they are.
  unsigned DrawTextBiDiModeFlags(unsigned Flags) const { return Flags; }
  unsigned DrawTextBiDiModeFlagsReadingOnly() const { return 0; }
  bool UseRightToLeftAlignment() const { return false; }

  // The caption or text (the window's text once there is a window).
  std::string Text();
  void SetText(const std::string& Value);
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  int GetTextLen();

  TDragMode DragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  // Starts a drag: at once, or once the mouse moved Threshold pixels (-1: the
  // system's drag distance) with the left button held. Controls with a drag
  // of their own (the lazy tree's OLE drag) take it over.
  virtual void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;

  // Messages: Perform hands the message to WindowProc and answers its result.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  TWndMethod WindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod Value) { FWindowProc = Value; }
  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // Painting: Invalidate asks for a repaint, Update paints what is pending
  // now, Repaint does both.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool TopMost);

  // The action the control shows and runs on a click (null: none).
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TActionLink* ActionLink() const { return FActionLink.get(); }

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  virtual void Click();
  virtual void DblClick();
  // Idle time: a linked action updates itself and so the control.
  virtual void InitiateAction();
  virtual HPALETTE GetPalette() { return nullptr; }
  // A context to draw on the control now (the parent's, moved and clipped,
  // for a graphic control); WindowHandle gets the window it belongs to.
  virtual HDC GetDeviceContext(HWND& WindowHandle);
  virtual bool PaletteChanged(bool Foreground);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const std::string& NewName) override;

  // Positions kept for anchors; used by the parent's alignment.
  void UpdateAnchorRules();
  TPoint AnchorRules() const { return FAnchorRules; }
  TPoint OriginalParentSize() const { return FOriginalParentSize; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TConstrainedResizeEvent OnConstrainedResize;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;

  // True while the control lives. Code that runs a user handler (which may
  // free the control) holds a copy and looks at it before touching the
  // control again.
  using TAliveToken = std::shared_ptr<const bool>;
  TAliveToken AliveToken() const { return FAlive; }

protected:
  friend class TWinControl;
  friend struct TDragAccess;

  void SetClientSize(TPoint Value);
  // Scaling as a part of a scaled parent: place, size, constraints and own
  // font by M/D. The edges are scaled, not the extents, so that controls
  // that touched still touch.
  virtual void ChangeScale(int M, int D);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  virtual TPopupMenu* GetPopupMenu() { return FPopupMenu; }
  virtual void Resize();
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  // Applies OnCanResize, autosizing and the constraints; false refuses the size.
  bool CheckNewSize(int& NewWidth, int& NewHeight);
  virtual void AdjustSize();
  virtual void RequestAlign();
  virtual void Changed();
  virtual void VisibleChanging() {}
  virtual void FontChanged(TObject* Sender);
  virtual void ConstraintsChanged(TObject* Sender);
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  virtual bool IsFontStored() const { return !FParentFont; }
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SendCancelMode(TControl* Sender);
  // The action's properties, onto those the control has not set itself when CheckDefaults.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

  // Drag and drop (the class library's own, inside the process).
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DragCanceled() {}
  void BeginAutoDrag() { BeginDrag(false); }

  // Message handlers.
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage&) { Invalidate(); }
  void CMFontChanged(TMessage&) { Invalidate(); }
  void CMColorChanged(TMessage&) { Invalidate(); }
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMHintShow(TMessage& Message);
  // CM_DRAG: the drag steps go to DragOver and DragDrop; a control finds itself.
  void CMDrag(TMessage& Message);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  std::unique_ptr<TFont> FFont;
  TColor FColor;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FVisible = true;
  bool FEnabled = true;
  bool FAutoSize = false;
  bool FAnchorMove = false;
  TAlign FAlign = alNone;
  std::string FText;

private:
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  void DoMouseUp(TMessage& Message, TMouseButton Button);

  TAnchors FAnchors{akLeft, akTop};
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  std::unique_ptr<TSizeConstraints> FConstraints;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
  THelpContext FHelpContext = 0;
  TWndMethod FWindowProc;
  std::unique_ptr<TActionLink> FActionLink;

  void DoActionChange(TObject* Sender);
};

// The control of a window of this class library (null for other windows).
TControl* FindControl(HWND Handle);
// The innermost control of this library under a screen point.
TWinControl* FindWinControlAtPoint(const TPoint& Pos);
// The control under a screen point that a drop would go to (graphic
// controls included); disabled ones only when AllowDisabled.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control that holds the mouse (a graphic control through its parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The form a control sits on (null when it is on none).
TCustomForm* GetParentForm(TControl* Control);
// The same, raising EInvalidOperation "Le contrôle '%s' n'a pas de fiche parente" without one.
TCustomForm* ValidParentForm(TControl* Control);
// The drag distance of the system (SM_CXDRAG).
int DragThreshold();
// True when VK (a character code) is the accelerator ("&x") of Str, case ignored.
bool IsAccel(WORD VK, const std::string& Str);
// A graphic control going away stops holding the capture.
void ForgetCaptureControl(TControl* Control);
