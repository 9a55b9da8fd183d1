// TWinControl: a control with a window of its own. The window is made on
// demand (Handle, or when the control starts showing) from CreateParams, by
// CreateWnd, through a window class of the control's class name whose
// procedure hands every message to the control (MainWndProc -> WindowProc ->
// WndProc -> Dispatch -> DefaultHandler -> the class's original procedure).
// Re-creating the window keeps the control's state: DestroyWnd saves what
// the window held (text, items), CreateWnd puts it back.
//
// Children: windowed children and graphic controls (painted by this control
// and fed its mouse messages); alignment (AlignControls) places the aligned
// and anchored ones; focus moves in tab order.
#pragma once

#include <string>
#include <vector>

#include "platform/classes/controls/Control.h"

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, made when first asked for (EInvalidOperation without a parent window).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  bool Showing() const { return FShowing; }

  int ControlCount() const { return int(FControls.size() + FWinControls.size()); }
  // Graphic controls first, then windowed ones, each in z-order (bottom first).
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The child under a client point (graphic controls; windowed ones too when asked).
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  TControl* FindChildControl(const std::string& ControlName) const;
  // Sends the message to every child until one answers nonzero.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel != 0; }
  void Realign() { AlignControl(nullptr); }
  // Places the aligned and anchored children (AControl, when given, keeps
  // its place among the controls of its alignment).
  void AlignControl(TControl* AControl);

  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // The windowed children in tab order, depth first; a container may leave
  // out controls that cannot be reached.
  virtual void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TBrush* Brush() const { return FBrush.get(); }
  // A frame of BorderWidth pixels and the bevel are non-client parts.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind Value);
  TBevelCut BevelInner() const { return FBevelInnerCut; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuterCut; }
  void SetBevelOuter(TBevelCut Value);
  TBevelEdges BevelEdges() const { return FBevelEdges; }
  void SetBevelEdges(TBevelEdges Value);
  int BevelWidth() const { return FBevelWidthValue; }
  void SetBevelWidth(int Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetZOrder(bool TopMost) override;
  void ScrollBy(int DeltaX, int DeltaY);
  // Paints the control and its children into DC at (X, Y).
  void PaintTo(HDC DC, int X, int Y);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Every message of the window comes here; an exception goes to the application.
  void MainWndProc(TMessage& Message);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  TAlignInsertBeforeEvent OnAlignInsertBefore;
  TAlignPositionEvent OnAlignPosition;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // Graphic controls: a paint of this control paints them (from First on).
  void PaintControls(HDC DC, TControl* First);
  // Moves a graphic child to the top or bottom of the graphic controls.
  void MoveGraphicControl(TControl* Control, bool TopMost);
  HDC GetDeviceContext(HWND& WindowHandle) override;
  void UpdateControlState();
  // Key messages as the class library sees them (also a form's KeyPreview).
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);

protected:
  friend class TControl;
  friend class TCustomForm;
  friend LRESULT ControlInitWndProc(HWND, UINT, WPARAM, LPARAM);

  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  void DestroyHandle();
  void RecreateWnd();
  // Makes the window a subclass of a built-in window class (its original
  // procedure becomes the default handler).
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  HWND WindowHandle() const { return FHandle; }
  void SetWindowHandle(HWND Value) { FHandle = Value; }
  void UpdateBounds();
  virtual void UpdateShowing();
  // The children first (alignment held until the control is scaled too).
  void ChangeScale(int M, int D) override;
  void ScaleControls(int M, int D);
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  virtual bool CustomAlignInsertBefore(TControl* C1, TControl* C2);
  virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                   TRect& AlignRect, const TAlignInfo& AlignInfo);
  virtual void ControlsAligned() {}
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  virtual bool IsMenuKey(TMessage& Message);
  void RemoveFocus(bool Removing);
  void SetChildOrder(TComponent* Child, int Order) override;
  bool DoControlMsg(HWND ControlHandle, TMessage& Message);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Message handlers.
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  void WMMeasureItem(TMessage& Message);
  void WMDeleteItem(TMessage& Message);
  void WMCompareItem(TMessage& Message);
  void WMScroll(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMSysColorChange(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  // Moves R inward by the bevel on each of its edges.
  void InsetByBevel(TRect& R) const;
  // The window rectangle (window coordinates) inside the frame that the
  // window styles give: where the bevel and the BorderWidth band begin.
  TRect FrameInnerRect();
  // Paints the bevel and the BorderWidth band into a DC of the whole window,
  // the band (and what the bevel rings leave of their room) in Fill.
  void PaintBorderAndBevel(HDC WindowDC, HBRUSH Fill);
  void FrameChanged();
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMEnter(TMessage&) { DoEnter(); }
  void CMExit(TMessage&) { DoExit(); }
  void CMRecreateWnd(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMChildKey(TMessage& Message);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::unique_ptr<TBrush> FBrush;
  bool FShowing = false;

private:
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);

  HWND FParentWindow = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  int FAlignLevel = 0;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  int FBorderWidth = 0;
  TBevelKind FBevelKind = bkNone;
  TBevelCut FBevelInnerCut = bvRaised;
  TBevelCut FBevelOuterCut = bvLowered;
  TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
  int FBevelWidthValue = 1;
};

// Releases the window contexts that canvases of controls took during a message.
void FreeDeviceContexts();
