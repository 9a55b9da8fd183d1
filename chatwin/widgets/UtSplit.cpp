#include "chatwin/widgets/UtSplit.h"

#include <algorithm>

#include "platform/base/ScopeGuard.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/win/win.h"

namespace {

bool IsVertical(TAlign a) { return a == alTop || a == alBottom; }
bool IsHorizontal(TAlign a) { return a == alLeft || a == alRight; }

}  // namespace

TUtxSplitter::TUtxSplitter(TComponent* AOwner) : TUtCustomPanel(AOwner)
{
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 185, 3);
  SetParentCtl3D(false);
  SetCtl3D(false);
}

TUtxSplitter::~TUtxSplitter()
{
  // A splitter freed in the middle of a drag gives back what it borrowed.
  if (FTracking)
    EndDrag(false, 0, 0);
}

int TUtxSplitter::Style() const
{
  if (!FControlFirst)
    return 0;
  const TAlign a = FControlFirst->Align();
  const bool secondFree = !FControlSecond || FControlSecond->Align() == alClient;
  int style = 0;
  TControl* resized = nullptr;
  if (IsVertical(a) && secondFree) {
    style = 1;
    resized = FControlFirst;
  } else if (a == alClient && FControlSecond && IsVertical(FControlSecond->Align())) {
    style = 2;
    resized = FControlSecond;
  } else if (IsHorizontal(a) && secondFree) {
    style = 3;
    resized = FControlFirst;
  } else if (a == alClient && FControlSecond && IsHorizontal(FControlSecond->Align())) {
    style = 4;
    resized = FControlSecond;
  }
  // The bar must lie along the side of the control it resizes.
  if (!resized || resized->Align() != Align())
    return 0;
  return style;
}

TCursor TUtxSplitter::StyleCursor() const
{
  switch (Style()) {
  case 1:
  case 2: return crVSplit;
  case 3:
  case 4: return crHSplit;
  default: return crDefault;
  }
}

void TUtxSplitter::UpdateCursor() { SetCursor(StyleCursor()); }

void TUtxSplitter::Loaded()
{
  TUtCustomPanel::Loaded();
  UpdateCursor();
}

TControl* TUtxSplitter::StoredControl(TControl* Value)
{
  // The bar itself or a form can never be resized by it.
  if (Value == this || dynamic_cast<TCustomForm*>(Value))
    return nullptr;
  if (Value)
    Value->FreeNotification(this);
  return Value;
}

void TUtxSplitter::SetControlFirst(TControl* Value)
{
  if (Value == FControlFirst)
    return;
  FControlFirst = StoredControl(Value);
  UpdateCursor();
}

void TUtxSplitter::SetControlSecond(TControl* Value)
{
  if (Value == FControlSecond)
    return;
  FControlSecond = StoredControl(Value);
  UpdateCursor();
}

void TUtxSplitter::SetLimitOffset(int Value)
{
  FTopLeftLimit = Value;
  FBottomRightLimit = Value;
}

void TUtxSplitter::SetAlign(TAlign Value)
{
  const TAlign old = Align();
  TControl::SetAlign(Value);
  if (!IsVertical(old) && !IsHorizontal(old)) {
    if (!ComponentState().Contains(csReading)) {
      if (IsVertical(Value))
        SetHeight(3);
      else if (IsHorizontal(Value))
        SetWidth(3);
    }
    if (!FControlFirst && !FControlSecond && Parent()) {
      // The control just outside the bar on its aligned side.
      TPoint outside;
      switch (Value) {
      case alTop: outside = TPoint(Left(), Top() - 1); break;
      case alBottom: outside = TPoint(Left(), Top() + Height()); break;
      case alLeft: outside = TPoint(Left() - 1, Top()); break;
      case alRight: outside = TPoint(Left() + Width(), Top()); break;
      default: outside = TPoint(-1, -1); break;
      }
      for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* child = Parent()->Controls(i);
        if (child != this && PtInRect(child->BoundsRect(), outside)) {
          SetControlFirst(child);
          break;
        }
      }
    }
  }
  UpdateCursor();
}

void TUtxSplitter::Notification(TComponent* AComponent, TOperation Operation)
{
  TUtCustomPanel::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FControlFirst)
    FControlFirst = nullptr;
  if (AComponent == FControlSecond)
    FControlSecond = nullptr;
  if (AComponent == FForm || AComponent == FBorrowed) {
    // The form or the borrowed control goes while a drag runs: nothing of
    // theirs may be touched any more.
    FBorrowed = nullptr;
    if (FTracking)
      EndDrag(false, 0, 0);
  }
  UpdateCursor();
}

bool TUtxSplitter::DoPosChanging(int X, int Y)
{
  bool allow = true;
  if (OnPosChanging)
    OnPosChanging(this, X, Y, allow);
  return allow;
}

void TUtxSplitter::DoPosChanged()
{
  if (OnPosChanged)
    OnPosChanged(this);
}

void TUtxSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TUtCustomPanel::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && !FTracking && !ComponentState().Contains(csDesigning) && Style() != 0 && Parent())
    StartDrag(X, Y);
}

void TUtxSplitter::StartDrag(int X, int Y)
{
  // 1. Tracking, with the mouse captured.
  FDragStyle = Style();
  FTracking = true;
  FSavedShowHint = Application()->ShowHint();
  SetMouseCapture(true);

  // 2. The keyboard during the drag: any key on the active control cancels.
  FForm = GetParentForm(this);
  FBorrowed = FForm ? (FForm->ActiveControl() ? FForm->ActiveControl() : FForm) : nullptr;
  if (FBorrowed) {
    FBorrowed->FreeNotification(this);
    FForm->FreeNotification(this);
    FSavedKeyDown = FBorrowed->OnKeyDown;
    FBorrowed->OnKeyDown = TKeyEvent(this, &TUtxSplitter::BorrowedKeyDown);
  }
  Application()->SetShowHint(false);

  // 3. Where the bar was taken.
  FOffset = TPoint(X, Y);

  // 4. The limits, from the parent's client area into the bar's coordinates.
  const TRect r = Parent()->ClientRect();
  FMinimum = TPoint(r.Left + FTopLeftLimit - Left(), r.Top + FTopLeftLimit - Top());
  FMaximum = TPoint(r.Right - r.Left - FBottomRightLimit - Left(), r.Bottom - r.Top - FBottomRightLimit - Top());

  // 5. An inverting pen on the form: drawing a line twice takes it away.
  if (FForm) {
    FLineDC = GetDCEx(FForm->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    const int thickness = Horizontal() ? Height() : Width();
    SelectObject(FLineDC, CreatePen(PS_SOLID, thickness < 4 ? 2 : thickness - 2, RGB(255, 255, 255)));
    SetROP2(FLineDC, R2_XORPEN);
  }

  // 6. The first line, through the middle of the bar.
  FLastLine = LinePoint(TPoint(Width() / 2, Height() / 2));
  DrawLine(FLastLine);
}

TPoint TUtxSplitter::LinePoint(TPoint P)
{
  TPoint screen = ClientToScreen(P);
  const TPoint parentOrigin = Parent()->ClientToScreen(TPoint(0, 0));
  const TRect client = Parent()->ClientRect();
  screen.x = std::clamp(screen.x, parentOrigin.x + client.Left, parentOrigin.x + client.Right);
  screen.y = std::clamp(screen.y, parentOrigin.y + client.Top, parentOrigin.y + client.Bottom);
  return screen;
}

void TUtxSplitter::DrawLine(TPoint Screen)
{
  if (!FLineDC)
    return;
  const TPoint origin = ClientToScreen(TPoint(0, 0));
  TPoint from;
  TPoint to;
  if (Horizontal()) {
    from = TPoint(origin.x, Screen.y);
    to = TPoint(origin.x + Width(), Screen.y);
  } else {
    from = TPoint(Screen.x, origin.y);
    to = TPoint(Screen.x, origin.y + Height());
  }
  from = FForm->ScreenToClient(from);
  to = FForm->ScreenToClient(to);
  MoveToEx(FLineDC, from.x, from.y, nullptr);
  LineTo(FLineDC, to.x, to.y);
}

void TUtxSplitter::MoveLine(TPoint P)
{
  const TPoint line = LinePoint(P);
  if (Horizontal() ? line.y == FLastLine.y : line.x == FLastLine.x)
    return;
  DrawLine(FLastLine);
  DrawLine(line);
  FLastLine = line;
}

void TUtxSplitter::ClampToLimits(int& X, int& Y) const
{
  if (X - FOffset.x < FMinimum.x)
    X = FOffset.x + FMinimum.x;
  else if (X + Width() - FOffset.x > FMaximum.x)
    X = FMaximum.x + FOffset.x - Width();
  if (Y - FOffset.y < FMinimum.y)
    Y = FOffset.y + FMinimum.y;
  else if (Y + Height() - FOffset.y > FMaximum.y)
    Y = FMaximum.y + FOffset.y - Height();
}

void TUtxSplitter::ShowNoDrop(bool NoDrop)
{
  if (NoDrop == FNoDrop)
    return;
  FNoDrop = NoDrop;
  SetCursor(NoDrop ? crNoDrop : StyleCursor());
}

void TUtxSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
  TUtCustomPanel::MouseMove(Shift, X, Y);
  if (!FTracking || !MouseCapture())
    return;
  // 1. The owner may refuse the place.
  FRefused = !DoPosChanging(X, Y);
  if (FRefused) {
    ShowNoDrop(true);
    return;
  }
  // 2-3. Held within the limits; the no-drop cursor tells when it is.
  const int wantedX = X;
  const int wantedY = Y;
  ClampToLimits(X, Y);
  ShowNoDrop(Horizontal() ? Y != wantedY : X != wantedX);
  // 4. The line follows the bar's middle.
  MoveLine(TPoint(X + Width() / 2 - FOffset.x, Y + Height() / 2 - FOffset.y));
}

void TUtxSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (FTracking)
    EndDrag(true, X, Y);
  TUtCustomPanel::MouseUp(Button, Shift, X, Y);
}

void TUtxSplitter::BorrowedKeyDown(TObject* Sender, WORD& Key, TShiftState Shift)
{
  if (FSavedKeyDown)
    FSavedKeyDown(Sender, Key, Shift);
  if (FTracking)
    EndDrag(false, 0, 0);
}

void TUtxSplitter::EndDrag(bool Apply, int X, int Y)
{
  // 1. The mouse goes free; the owner is asked about the release place.
  SetMouseCapture(false);
  if (Apply)
    FRefused = !DoPosChanging(X, Y);

  // 2. The line goes, with its drawing context.
  DrawLine(FLastLine);
  if (FLineDC) {
    DeleteObject(SelectObject(FLineDC, GetStockObject(BLACK_PEN)));
    ReleaseDC(FForm->Handle(), FLineDC);
    FLineDC = nullptr;
  }
  FForm = nullptr;
  ShowNoDrop(false);

  // 3. A refused release falls back on the last line drawn.
  if (Apply && Parent()) {
    if (FRefused) {
      const TPoint line = ScreenToClient(FLastLine);
      X = FOffset.x + line.x - Width() / 2;
      Y = FOffset.y + line.y - Height() / 2;
    }
    // 4. The new size.
    ApplySize(X, Y);
  }

  // 5. Everything borrowed goes back.
  FTracking = false;
  Application()->SetShowHint(FSavedShowHint);
  if (FBorrowed) {
    FBorrowed->OnKeyDown = FSavedKeyDown;
    FBorrowed = nullptr;
  }
  FSavedKeyDown = nullptr;

  // 6. Told after a completed resize.
  if (Apply && Parent())
    DoPosChanged();
}

void TUtxSplitter::ApplySize(int X, int Y)
{
  ClampToLimits(X, Y);
  int offsetX = FOffset.x;
  int offsetY = FOffset.y;
  auto aligned = [&](TAlign a) {
    return (FControlFirst && FControlFirst->Align() == a) || (FControlSecond && FControlSecond->Align() == a);
  };
  // A control on the right or at the bottom grows when the bar moves back.
  if (aligned(alRight)) {
    X = -X;
    offsetX = -offsetX;
  }
  if (aligned(alBottom)) {
    Y = -Y;
    offsetY = -offsetY;
  }
  TControl* resized = FDragStyle == 1 || FDragStyle == 3 ? FControlFirst : FControlSecond;
  if (!resized)
    return;
  TWinControl* parent = Parent();
  parent->DisableAlign();
  ScopeExit resume([&] { parent->EnableAlign(); });
  const bool height = Horizontal();
  const int current = height ? resized->Height() : resized->Width();
  int size = current + (height ? Y - offsetY : X - offsetX);
  if (size <= 0)
    size = 1;
  const int available = height ? parent->ClientHeight() - Height() : parent->ClientWidth() - Width();
  if (size >= available)
    size = available - 3;
  if (height)
    resized->SetHeight(size);
  else
    resized->SetWidth(size);
}
