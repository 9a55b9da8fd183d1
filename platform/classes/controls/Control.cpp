#include "platform/classes/controls/Control.h"

#include <cstring>

#include "platform/base/AnsiStrings.h"
#include "platform/classes/actions/ActionLink.h"
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

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
  FFont = std::make_unique<TFont>();
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
  FColor = clWindow;
  FConstraints = std::make_unique<TSizeConstraints>(this);
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
  *FAlive = false;
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
