#include "platform/classes/controls/Control.h"

#include <cstring>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Format.h"
#include "platform/base/Utf.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

TShiftState MouseShift(const TMessage& Message)
{
  return KeysToShiftState(WORD(Message.WParam));
}

}  // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
  FFont = new TFont();
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
  FColor = clWindow;
  FConstraints = new TSizeConstraints(this);
  FConstraints->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
  FWindowProc = TWndMethod(this, &TControl::WndProc);
}

TControl::~TControl()
{
  Destroying();
  if (TApplication* app = ApplicationIfAny())
    app->ControlDestroyed(this);
  if (TScreen* screen = ScreenIfAny())
    screen->ControlDestroyed(this);
  ForgetCaptureControl(this);
  DragControlDestroyed(this);
  SetParent(nullptr);
  delete FConstraints;
  delete FFont;
}

// Bounds

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (!CheckNewSize(AWidth, AHeight))
    return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!ComponentState().Contains(csLoading))
    Resize();
}

TRect TControl::ClientRect()
{
  return TRect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(TPoint Value)
{
  TRect client = ClientRect();
  SetBounds(FLeft, FTop, FWidth - client.Right + Value.x, FHeight - client.Bottom + Value.y);
}

TPoint TControl::ClientOrigin()
{
  if (!FParent)
    throw EInvalidOperation(Format(SParentRequired, Name()));
  TPoint origin = static_cast<TControl*>(FParent)->ClientOrigin();
  return TPoint(origin.x + FLeft, origin.y + FTop);
}

void TControl::SetParent(TWinControl* AParent)
{
  if (FParent == AParent)
    return;
  if (static_cast<TControl*>(AParent) == this)
    throw EInvalidOperation(SControlParentSetToSelf);
  if (FParent)
    FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

void TControl::SetAlign(TAlign Value)
{
  if (FAlign == Value)
    return;
  FAlign = Value;
  static const TAnchors anchorAlign[] = {
      {akLeft, akTop},          {akLeft, akTop, akRight}, {akLeft, akRight, akBottom},
      {akLeft, akTop, akBottom}, {akRight, akTop, akBottom}, {akLeft, akTop, akRight, akBottom},
      {akLeft, akTop}};
  FAnchors = anchorAlign[int(Value)];
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
  if (FAnchors == Value)
    return;
  FAnchors = Value;
  if (!ComponentState().Contains(csLoading))
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
  if (FAnchorMove || ComponentState().Contains(csLoading))
    return;
  if (FAnchors == TAnchors{akLeft, akTop}) {
    FOriginalParentSize = TPoint(0, 0);
    return;
  }
  if (FAnchors.Contains(akRight))
    FAnchorRules.x = FAnchors.Contains(akLeft) ? FWidth : FLeft;
  else
    FAnchorRules.x = FLeft + FWidth / 2;
  if (FAnchors.Contains(akBottom))
    FAnchorRules.y = FAnchors.Contains(akTop) ? FHeight : FTop;
  else
    FAnchorRules.y = FTop + FHeight / 2;
  if (FParent) {
    if (FParent->HandleAllocated()) {
      TRect r = FParent->ClientRect();
      FOriginalParentSize = TPoint(r.Right, r.Bottom);
    } else {
      FOriginalParentSize = TPoint(FParent->Width(), FParent->Height());
    }
  }
}

void TControl::SetAutoSize(bool Value)
{
  if (FAutoSize == Value)
    return;
  FAutoSize = Value;
  if (Value)
    AdjustSize();
}

void TControl::AdjustSize()
{
  if (!ComponentState().Contains(csLoading))
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::RequestAlign()
{
  if (FParent)
    FParent->AlignControl(this);
}

void TControl::Resize()
{
  if (OnResize)
    OnResize(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
  bool result = true;
  if (OnCanResize)
    OnCanResize(this, NewWidth, NewHeight, result);
  return result;
}

bool TControl::CanAutoSize(int&, int&)
{
  return true;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
  if (OnConstrainedResize)
    OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight)
{
  auto canResize = [this](int& w, int& h) {
    if (!CanResize(w, h))
      return false;
    int minW = FConstraints->MinWidth(), minH = FConstraints->MinHeight();
    int maxW = FConstraints->MaxWidth(), maxH = FConstraints->MaxHeight();
    ConstrainedResize(minW, minH, maxW, maxH);
    if (maxW > 0 && w > maxW)
      w = maxW;
    else if (minW > 0 && w < minW)
      w = minW;
    if (maxH > 0 && h > maxH)
      h = maxH;
    else if (minH > 0 && h < minH)
      h = minH;
    return true;
  };
  int w = NewWidth, h = NewHeight;
  if (!canResize(w, h))
    return false;
  int w2 = w, h2 = h;
  bool ok = !FAutoSize;
  if (!ok) {
    bool autoOk = true;
    if (FAlign != alClient) {
      int aw = w2, ah = h2;
      autoOk = CanAutoSize(aw, ah);
      if (FAlign == alNone || FAlign == alLeft || FAlign == alRight)
        w2 = aw;
      if (FAlign == alNone || FAlign == alTop || FAlign == alBottom)
        h2 = ah;
    }
    ok = (autoOk && w2 == w && h2 == h) || canResize(w2, h2);
  }
  if (ok) {
    NewWidth = w2;
    NewHeight = h2;
  }
  return ok;
}

void TControl::ConstraintsChanged(TObject*)
{
  if (!ComponentState().Contains(csLoading))
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

// Appearance

void TControl::Show()
{
  if (FParent)
    static_cast<TControl*>(FParent)->Show();
  SetVisible(true);
}

void TControl::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
  if (FColor == Value)
    return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
  if (FParentColor == Value)
    return;
  FParentColor = Value;
  if (FParent && !ComponentState().Contains(csReading))
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* Value)
{
  FFont->Assign(Value);
}

void TControl::FontChanged(TObject*)
{
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
  if (FParentFont == Value)
    return;
  FParentFont = Value;
  if (FParent && !ComponentState().Contains(csReading))
    Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
  if (FShowHint == Value)
    return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value)
{
  if (FParentShowHint == Value)
    return;
  FParentShowHint = Value;
  if (FParent && !ComponentState().Contains(csReading))
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
  if (FPopupMenu == Value)
    return;
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

void TControl::Changed()
{
  Perform(CM_CHANGED, 0, LPARAM(static_cast<TComponent*>(this)));
}

void TControl::Loaded()
{
  TComponent::Loaded();
  UpdateAnchorRules();
  if (FParent) {
    if (FParentColor)
      Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont)
      Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint)
      Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  RequestAlign();
}

// Text

int TControl::GetTextLen()
{
  return int(Perform(WM_GETTEXTLENGTH, 0, 0));
}

std::string TControl::Text()
{
  int len = GetTextLen();
  if (len <= 0)
    return {};
  std::string buffer(std::size_t(len) + 1, '\0');
  int got = int(Perform(WM_GETTEXT, WPARAM(buffer.size()), LPARAM(buffer.data())));
  buffer.resize(std::size_t(got < 0 ? 0 : std::min(got, len)));
  return buffer;
}

void TControl::SetText(const std::string& Value)
{
  if (Text() == Value)
    return;
  Perform(WM_SETTEXT, 0, LPARAM(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& NewName)
{
  bool changeText = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) &&
                    Name() == Text();
  if (Owner()) {
    if (auto* owner = dynamic_cast<TControl*>(Owner()); owner && owner->ComponentState().Contains(csLoading))
      changeText = false;
  }
  TComponent::SetName(NewName);
  if (changeText)
    SetText(NewName);
}

// Parent component (streaming)

TComponent* TControl::GetParentComponent() const
{
  return static_cast<TControl*>(FParent);
}

void TControl::SetParentComponent(TComponent* Value)
{
  if (auto* parent = dynamic_cast<TWinControl*>(Value))
    SetParent(parent);
}

// Painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
  if (!IsVisible || !FParent || !FParent->HandleAllocated())
    return;
  TRect r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !(IsOpaque || FParent->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate()
{
  InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update()
{
  if (FParent)
    FParent->Update();
}

void TControl::Repaint()
{
  if (FVisible && FParent && FParent->HandleAllocated()) {
    Invalidate();
    Update();
  }
}

void TControl::SetZOrder(bool TopMost)
{
  if (!FParent)
    return;
  FParent->MoveGraphicControl(this, TopMost);
  Invalidate();
}

bool TControl::PaletteChanged(bool Foreground)
{
  HPALETTE palette = GetPalette();
  if (!palette || !FVisible || !FParent || !FParent->HandleAllocated())
    return false;
  HDC dc = GetDC(FParent->Handle());
  HPALETTE old = SelectPalette(dc, palette, !Foreground);
  if (RealizePalette(dc) != 0)
    Invalidate();
  SelectPalette(dc, old, TRUE);
  ReleaseDC(FParent->Handle(), dc);
  return true;
}

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
  if (!FParent)
    throw EInvalidOperation(Format(SParentRequired, Name()));
  HDC dc = FParent->GetDeviceContext(WindowHandle);
  SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

// Messages

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message;
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  message.Result = 0;
  if (FWindowProc)
    FWindowProc(message);
  else
    WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message)
{
  if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->WantChildKey(this, Message))
      return;
  } else if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        break;
      }
    }
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
      if (Application())
        Application()->HintMouseMessage(this, Message);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FDragMode == dmAutomatic) {
        BeginAutoDrag();
        return;
      }
      FControlState.Include(csLButtonDown);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
  case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
  case WM_LBUTTONUP: WMLButtonUp(Message); return;
  case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
  case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
  case WM_RBUTTONUP: WMRButtonUp(Message); return;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK: WMMButtonDown(Message); return;
  case WM_MBUTTONUP: WMMButtonUp(Message); return;
  case WM_MOUSEMOVE: WMMouseMove(Message); return;
  case WM_CONTEXTMENU: WMContextMenu(Message); return;
  case WM_CANCELMODE: WMCancelMode(Message); return;
  case WM_MOUSEWHEEL: {
    TCustomForm* form = GetParentForm(this);
    if (form && static_cast<TControl*>(form) != this)
      form->MouseWheelHandler(Message);
    else
      Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    if (Message.Result == 0)
      DefaultHandler(Message);
    return;
  }
  case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
  case CM_HITTEST: CMHitTest(Message); return;
  case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
  case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
  case CM_FONTCHANGED: CMFontChanged(Message); return;
  case CM_COLORCHANGED: CMColorChanged(Message); return;
  case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
  case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
  case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
  case CM_HINTSHOW: CMHintShow(Message); return;
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE:
    // The parent hears of it too, with the control in LParam.
    if (FParent && Message.LParam == 0)
      FParent->Perform(Message.Msg, 0, LPARAM(this));
    return;
  default: TMessageDispatcher::Dispatch(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_GETTEXT: {
    char* buffer = reinterpret_cast<char*>(Message.LParam);
    std::size_t size = std::size_t(Message.WParam);
    if (!buffer || size == 0) {
      Message.Result = 0;
      return;
    }
    std::size_t n = std::min(FText.size(), size - 1);
    // Never cut a character in two.
    while (n > 0 && n < FText.size() && (static_cast<unsigned char>(FText[n]) & 0xC0) == 0x80)
      --n;
    std::memcpy(buffer, FText.data(), n);
    buffer[n] = '\0';
    Message.Result = LRESULT(n);
    return;
  }
  case WM_GETTEXTLENGTH:
    Message.Result = LRESULT(FText.size());
    return;
  case WM_SETTEXT:
    FText = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
    Message.Result = 1;
    return;
  }
}

void TControl::SendCancelMode(TControl* Sender)
{
  TControl* control = this;
  while (control) {
    if (auto* form = dynamic_cast<TCustomForm*>(control))
      form->SendCancelMode(Sender);
    control = static_cast<TControl*>(control->FParent);
  }
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  auto& mouse = MessageAs<TWMMouse>(Message);
  MouseDown(Button, MouseShift(Message) + Shift, mouse.XPos, mouse.YPos);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  auto& mouse = MessageAs<TWMMouse>(Message);
  MouseUp(Button, MouseShift(Message), mouse.XPos, mouse.YPos);
}

void TControl::WMLButtonDown(TMessage& Message)
{
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    FControlState.Include(csClicked);
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message)
{
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    auto& mouse = MessageAs<TWMMouse>(Message);
    TRect client = ClientRect();
    if (PtInRect(&client, mouse.Pos()))
      Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message)
{
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TMessage& Message)
{
  DefaultHandler(Message);
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TMessage& Message)
{
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, Message.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
}

void TControl::WMMButtonUp(TMessage& Message)
{
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message)
{
  DefaultHandler(Message);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    auto& mouse = MessageAs<TWMMouse>(Message);
    MouseMove(MouseShift(Message), mouse.XPos, mouse.YPos);
  }
}

void TControl::WMCancelMode(TMessage& Message)
{
  DefaultHandler(Message);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) {
      // The press ends here: the control sees a release where the mouse is.
      TPoint p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      Perform(WM_LBUTTONUP, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
    }
  } else {
    FControlState.Exclude(csLButtonDown);
  }
}

void TControl::WMContextMenu(TMessage& Message)
{
  if (Message.Result != 0)
    return;
  auto& menu = MessageAs<TWMContextMenu>(Message);
  TPoint pt(menu.XPos, menu.YPos);
  bool fromKeyboard = pt.x == -1 && pt.y == -1;
  TPoint local = pt;
  if (!fromKeyboard) {
    local = ScreenToClient(pt);
    TRect client = ClientRect();
    if (!PtInRect(&client, local)) {
      DefaultHandler(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled;
  if (handled)
    return;
  TPopupMenu* popup = GetPopupMenu();
  if (popup && popup->AutoPopup()) {
    SendCancelMode(nullptr);
    popup->SetPopupComponent(this);
    if (fromKeyboard)
      pt = ClientToScreen(TPoint(0, 0));
    popup->Popup(pt.x, pt.y);
    Message.Result = 1;
  }
  if (Message.Result == 0)
    DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
  if (OnContextPopup)
    OnContextPopup(this, MousePos, Handled);
}

void TControl::CMMouseWheel(TMessage& Message)
{
  auto& wheel = MessageAs<TWMMouseWheel>(Message);
  Message.Result = 0;
  if (DoMouseWheel(KeysToShiftState(wheel.Keys), wheel.WheelDelta, TPoint(wheel.XPos, wheel.YPos)))
    Message.Result = 1;
  else if (FParent)
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
  bool handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
  if (OnClick)
    OnClick(this);
}

void TControl::DblClick()
{
  if (OnDblClick)
    OnDblClick(this);
}

bool TControl::MouseCapture() const
{
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
  if (MouseCapture() == Value)
    return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::CMVisibleChanged(TMessage&)
{
  InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMParentFontChanged(TMessage& Message)
{
  if (!FParentFont || !FParent)
    return;
  TFont* source = Message.WParam ? reinterpret_cast<TFont*>(Message.LParam) : FParent->Font();
  FFont->Assign(source);
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message)
{
  if (!FParentColor || !FParent)
    return;
  TColor color = Message.WParam ? TColor(Message.LParam) : FParent->Color();
  SetColor(color);
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
  if (!FParentShowHint || !FParent)
    return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::CMHintShow(TMessage& Message)
{
  // Nothing to add: the hint is the control's own Hint (short part).
  Message.Result = 0;
}

// The control under the mouse, its capture and the forms.

TCustomForm* GetParentForm(TControl* Control)
{
  while (Control && Control->Parent())
    Control = static_cast<TControl*>(Control->Parent());
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control)
{
  TCustomForm* form = GetParentForm(Control);
  if (!form)
    throw EInvalidOperation(Format(SNoParentForm, Control ? Control->Name() : std::string()));
  return form;
}

bool IsAccel(WORD VK, const std::string& Str)
{
  std::string key;
  AppendUtf8(key, char32_t(VK));
  std::string hotkey = GetHotkey(Str);
  return !hotkey.empty() && AnsiSameText(key, hotkey);
}

int DragThreshold()
{
  return GetSystemMetrics(SM_CXDRAG);
}
