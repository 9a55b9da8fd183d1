// The dock's properties, membership, row queries, painting of its bound lines
// and background, and the relay of menu keys. The arrangement itself is in
// TBDockArrange.cpp.
#include "controls/toolbar/TBDock.h"

#include <algorithm>

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/base/Exception.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/win/win.h"

TTBDock::TTBDock(TComponent* AOwner) : TCustomControl(AOwner)
{
  TControlStyle style = ControlStyle();
  style += csAcceptsControls;
  style += csMenuEvents;
  style -= csCaptureMouse;
  style -= csClickEvents;
  style -= csOpaque;
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetAlign(alTop);
}

TTBDock::~TTBDock()
{
  if (FBackground)
    FBackground->UnregisterChanges(TNotifyEvent(this, &TTBDock::BackgroundChanged));
  // The windows docked here are destroyed with the dock's children, after
  // this destructor: they must no longer reach a dock that is half gone.
  std::vector<TTBCustomDockableWindow*> windows = FMemberList;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* w = dynamic_cast<TTBCustomDockableWindow*>(Controls(i)))
      windows.push_back(w);
  FMemberList.clear();
  FShownList.clear();
  for (TTBCustomDockableWindow* w : windows)
    w->DockDestroying(this);
}

void TTBDock::SetAllowDrag(bool Value)
{
  if (FAllowDrag == Value)
    return;
  FAllowDrag = Value;
  RefreshChildFrames();
}

void TTBDock::RefreshChildFrames()
{
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* window = dynamic_cast<TTBCustomDockableWindow*>(Controls(i)))
      window->RefreshFrame();
}

void TTBDock::SetBackground(TTBBasicBackground* Value)
{
  if (FBackground == Value)
    return;
  if (FBackground) {
    FBackground->UnregisterChanges(TNotifyEvent(this, &TTBDock::BackgroundChanged));
    FBackground->RemoveFreeNotification(this);
  }
  FBackground = Value;
  if (FBackground) {
    FBackground->FreeNotification(this);
    FBackground->RegisterChanges(TNotifyEvent(this, &TTBDock::BackgroundChanged));
  }
  InvalidateDockAndWindows();
}

void TTBDock::BackgroundChanged(TObject*) { InvalidateDockAndWindows(); }

void TTBDock::SetBackgroundOnToolbars(bool Value)
{
  if (FBackgroundOnToolbars == Value)
    return;
  FBackgroundOnToolbars = Value;
  InvalidateDockAndWindows();
}

void TTBDock::SetBoundLines(TTBDockBoundLines Value)
{
  if (FBoundLines == Value)
    return;
  FBoundLines = Value;
  FBoundLineWidth = int(Value.Contains(blLeft)) + int(Value.Contains(blRight));
  FBoundLineHeight = int(Value.Contains(blTop)) + int(Value.Contains(blBottom));
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeWindows();
}

void TTBDock::SetFixAlign(bool Value)
{
  if (FFixAlign == Value)
    return;
  FFixAlign = Value;
  ArrangeWindows();
}

void TTBDock::SetPosition(TTBDockPosition Value)
{
  if (FPosition == Value)
    return;
  if (ControlCount() != 0)
    throw EInvalidOperation(STBDockCannotChangePosition);
  FPosition = Value;
  static const TAlign aligns[] = {alTop, alBottom, alLeft, alRight};
  SetAlign(aligns[Value]);
}

void TTBDock::SetParent(TWinControl* AParent)
{
  if (dynamic_cast<TTBCustomDockableWindow*>(AParent) || dynamic_cast<TTBDock*>(AParent))
    throw EInvalidOperation(STBDockParentNotAllowed);
  TCustomControl::SetParent(AParent);
}

void TTBDock::EndUpdate()
{
  if (FArrangeLock > 0 && --FArrangeLock == 0 && FArrangePending)
    ArrangeWindows();
}

void TTBDock::EndArrangeRun()
{
  if (FArrangeLock > 0)
    --FArrangeLock;
  FArrangePending = false;
  FStoreArrangedPositions = false;
}

void TTBDock::SetArrangedPlace(TTBCustomDockableWindow* Window, int Row, int Pos)
{
  Window->FArrangedRow = Row;
  Window->FArrangedPos = Pos;
}

void TTBDock::SetWantedPlace(TTBCustomDockableWindow* Window, int Row, int Pos)
{
  Window->FDockRow = Row;
  Window->FDockPos = Pos;
}

void TTBDock::SetImposedLength(TTBCustomDockableWindow* Window, int Length) { Window->FCurrentLength = Length; }

void TTBDock::PlaceWindow(TTBCustomDockableWindow* Window, int ALeft, int ATop, int AWidth, int AHeight)
{
  ++Window->FBoundsLock;
  ScopeExit unlock([Window] { --Window->FBoundsLock; });
  Window->SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TTBDock::ShownInDock(TTBCustomDockableWindow* Window) const
{
  return Window->Parent() == this && Window->Visible();
}

bool TTBDock::HasVisibleWindows() const
{
  return std::any_of(FMemberList.begin(), FMemberList.end(), [this](auto* w) { return ShownInDock(w); });
}

bool TTBDock::IsMember(TTBCustomDockableWindow* Window) const
{
  return std::find(FMemberList.begin(), FMemberList.end(), Window) != FMemberList.end();
}

void TTBDock::ChangeSize(int NewWidth, int NewHeight)
{
  int left = Left(), top = Top();
  switch (Align()) {
  case alBottom:
    top += Height() - NewHeight;
    break;
  case alRight:
    left += Width() - NewWidth;
    break;
  case alClient:
  case alCustom:
    return;
  default:
    break;
  }
  SetBounds(left, top, NewWidth, NewHeight);
}

int TTBDock::RowThickness(int Row, bool* HasFullSize) const
{
  if (HasFullSize)
    *HasFullSize = false;
  if (Row < 0)
    return 0;
  int result = 0;
  for (TTBCustomDockableWindow* w : FMemberList) {
    if (!ShownInDock(w) || w->FArrangedRow != Row)
      continue;
    result = std::max(result, IsVertical() ? w->Width() : w->Height());
    if (HasFullSize)
      *HasFullSize = w->FFullSize;
  }
  return result;
}

int TTBDock::RowAt(int Offset) const
{
  int highest = HighestRow(true), sum = 0;
  for (int row = 0; row <= highest; ++row) {
    sum += RowThickness(row);
    if (sum > Offset)
      return row;
  }
  return highest + 1;
}

int TTBDock::HighestRow(bool Arranged) const
{
  int result = -1;
  for (TTBCustomDockableWindow* w : FMemberList)
    result = std::max(result, Arranged ? w->FArrangedRow : w->FDockRow);
  return result;
}

int TTBDock::OtherRowExtent(int Row, TTBCustomDockableWindow* Except) const
{
  if (Row < 0)
    return 0;
  int result = 0;
  for (TTBCustomDockableWindow* w : FMemberList)
    if (w != Except && ShownInDock(w) && w->FArrangedRow == Row)
      result = std::max(result, w->FLastRowExtent);
  return result;
}

void TTBDock::CommitArrangedPositions()
{
  for (TTBCustomDockableWindow* w : FMemberList) {
    w->FDockRow = w->FArrangedRow;
    w->FDockPos = w->FArrangedPos;
  }
}

void TTBDock::AddMember(TTBCustomDockableWindow* Window, bool Add)
{
  auto it = std::find(FMemberList.begin(), FMemberList.end(), Window);
  if (Add && it == FMemberList.end()) {
    FMemberList.push_back(Window);
    Window->FreeNotification(this);
  } else if (!Add && it != FMemberList.end()) {
    FMemberList.erase(it);
  }
  UpdateShownEntry(Window, false);
}

void TTBDock::ForgetWindow(TTBCustomDockableWindow* Window)
{
  Notification(Window, opRemove);
  if (!ComponentState().Contains(csDestroying))
    ArrangeWindows();
}

void TTBDock::UpdateShownEntry(TTBCustomDockableWindow* Window, bool ForceRemove)
{
  bool wanted = !ForceRemove && IsMember(Window) && ShownInDock(Window);
  auto it = std::find(FShownList.begin(), FShownList.end(), Window);
  bool present = it != FShownList.end();
  if (wanted == present)
    return;
  if (wanted) {
    FShownList.push_back(Window);
    SortedByRowAndPos(FShownList);
  } else {
    FShownList.erase(it);
  }
  ArrangeWindows();
  if (OnInsertRemoveBar)
    OnInsertRemoveBar(this, wanted, Window);
}

void TTBDock::SortedByRowAndPos(std::vector<TTBCustomDockableWindow*>& List) const
{
  // Stable: windows wanting the same place keep their order.
  std::stable_sort(List.begin(), List.end(), [](auto* a, auto* b) {
    return a->FDockRow != b->FDockRow ? a->FDockRow < b->FDockRow : a->FDockPos < b->FDockPos;
  });
}

void TTBDock::InvalidateDockAndWindows()
{
  Invalidate();
  for (TTBCustomDockableWindow* w : FMemberList)
    if (ShownInDock(w))
      w->RepaintWhole();
}

bool TTBDock::RelayMenuMessage(TMessage& Message)
{
  for (TTBCustomDockableWindow* w : std::vector(FMemberList)) {
    if (!w->ControlStyle().Contains(csMenuEvents) || !w->Floating() || !w->Showing() || !w->Enabled())
      continue;
    w->Dispatch(Message);
    if (Message.Result != 0)
      return true;
  }
  return false;
}

void TTBDock::DrawBackground(HDC DC, const TRect& DrawRect)
{
  if (FBackground)
    FBackground->Draw(DC, DrawRect);
}

bool TTBDock::UsesBackground() { return FBackground && FBackground->UsesTBBackground(); }

void TTBDock::Loaded()
{
  TCustomControl::Loaded();
  ArrangeWindows();
}

void TTBDock::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FBackground)
    FBackground = nullptr;
  auto* window = static_cast<TTBCustomDockableWindow*>(static_cast<void*>(AComponent));
  auto drop = [window](std::vector<TTBCustomDockableWindow*>& list) {
    auto it = std::find(list.begin(), list.end(), window);
    if (it != list.end())
      list.erase(it);
  };
  // Compared by address: the window may already be partly destroyed.
  for (TTBCustomDockableWindow* w : FMemberList)
    if (static_cast<TComponent*>(w) == AComponent) {
      window = w;
      drop(FMemberList);
      drop(FShownList);
      if (FDraggedWindow == w)
        FDraggedWindow = nullptr;
      break;
    }
}

void TTBDock::AlignControls(TControl*, TRect&) { ArrangeWindows(); }

void TTBDock::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_VREDRAW | CS_HREDRAW);
}

void TTBDock::WMNCCalcSize(TMessage& Message)
{
  TCustomControl::Dispatch(Message);
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  TRect& r = params->rgrc[0];
  if (FBoundLines.Contains(blTop))
    ++r.Top;
  if (FBoundLines.Contains(blBottom))
    --r.Bottom;
  if (FBoundLines.Contains(blLeft))
    ++r.Left;
  if (FBoundLines.Contains(blRight))
    --r.Right;
}

void TTBDock::DrawDockNCArea(bool ForPrint, HDC DC, HRGN Clip)
{
  if (!HandleAllocated())
    return;
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  if (!ForPrint)
    ClipToNCUpdateRegion(wnd, dc, Clip);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  TRect client = ClientRect();
  TPoint origin = ClientOrigin();
  TRect wr;
  GetWindowRect(wnd, &wr);
  OffsetRect(&client, origin.x - wr.Left, origin.y - wr.Top);
  if (!FBoundLines.Empty() && HasVisibleWindows()) {
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW), highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    auto line = [dc](int l, int t, int rr, int b, HBRUSH brush) {
      TRect lr(l, t, rr, b);
      FillRect(dc, &lr, brush);
    };
    if (FBoundLines.Contains(blTop)) {
      line(r.Left, r.Top, r.Right, r.Top + 1, shadow);
      ++r.Top;
    }
    if (FBoundLines.Contains(blLeft)) {
      line(r.Left, r.Top, r.Left + 1, r.Bottom, shadow);
      ++r.Left;
    }
    if (FBoundLines.Contains(blBottom)) {
      line(r.Left, r.Bottom - 1, r.Right, r.Bottom, highlight);
      --r.Bottom;
    }
    if (FBoundLines.Contains(blRight)) {
      line(r.Right - 1, r.Top, r.Right, r.Bottom, highlight);
      --r.Right;
    }
  }
  if (!EqualRect(&r, &client)) {
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    RestoreDC(dc, saved);
  }
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}

static void DockFramePainter(HWND, HDC DC, void* Data)
{
  static_cast<TTBDock*>(Data)->DrawDockNCArea(true, DC, nullptr);
}

void TTBDock::DrawBackgroundAligned(TWinControl* Control, HDC DC)
{
  TRect client = Control->ClientRect();
  TPoint origin = Control->ClientOrigin();
  TPoint parentOrigin = Parent() ? Parent()->ClientOrigin() : origin;
  TRect aligned = client;
  OffsetRect(&aligned, origin.x - parentOrigin.x, origin.y - parentOrigin.y);
  int saved = SaveDC(DC);
  IntersectClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
  SetWindowOrgEx(DC, aligned.Left, aligned.Top, nullptr);
  DrawBackground(DC, aligned);
  RestoreDC(DC, saved);
}

void TTBDock::WMEraseBkgnd(TMessage& Message)
{
  if (!UsesBackground()) {
    TCustomControl::Dispatch(Message);
    return;
  }
  DrawBackgroundAligned(this, HDC(Message.WParam));
  Message.Result = 1;
}

void TTBDock::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_NCCALCSIZE:
    WMNCCalcSize(Message);
    return;
  case WM_NCPAINT:
    DrawDockNCArea(false, nullptr, HRGN(Message.WParam));
    return;
  case WM_PRINT:
    Message.Result = PaintWindowToDC(Handle(), HDC(Message.WParam), Message.LParam, &DockFramePainter, this);
    return;
  case WM_ERASEBKGND:
    WMEraseBkgnd(Message);
    return;
  case WM_MOVE:
    TCustomControl::Dispatch(Message);
    if (UsesBackground())
      InvalidateDockAndWindows();
    return;
  case CM_SYSCOLORCHANGE:
    TCustomControl::Dispatch(Message);
    if (FBackground)
      FBackground->SysColorChanged();
    return;
  case CM_DIALOGKEY:
  case CM_DIALOGCHAR:
    if (RelayMenuMessage(Message))
      return;
    TCustomControl::Dispatch(Message);
    return;
  case WM_SYSCOMMAND:
    if (RelayMenuMessage(Message))
      return;
    TCustomControl::Dispatch(Message);
    return;
  default:
    TCustomControl::Dispatch(Message);
  }
}
