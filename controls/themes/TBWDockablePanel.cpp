// The dockable panel's properties, sizes for each kind of place, limits and
// placement values. Its messages and frame painting are in
// TBWPanelMessages.cpp, the loops in TBWPanelResize.cpp and TBWSplitDrag.cpp.
#include "controls/themes/TBWDockablePanel.h"

#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWFloating.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPanelGeometry.h"
#include "controls/toolbar/TBDock.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Pen.h"

namespace {

// Stored sizes never go beyond what a window can be; a settings store may
// hold anything.
constexpr int LargestStoredSize = 32767;

int StoredSize(int Value) { return std::clamp(Value, -LargestStoredSize, LargestStoredSize); }

}  // namespace

TTBWDockablePanel::TTBWDockablePanel(TComponent* AOwner) : TTBCustomDockableWindow(AOwner)
{
  SetCloseButtonWhenDocked(true);
  SetDblClickUndock(false);
  {
    FSelfSizing = true;
    ScopeExit done([this] { FSelfSizing = false; });
    SetBounds(Left(), Top(), 128, 128);
  }
  SetFullSize(true);
  SetColor(clNone);
  RecomputeColor();
  AddThemeClient(this);
}

TTBWDockablePanel::~TTBWDockablePanel() { RemoveThemeClient(this); }

// Geometry

int TTBWDockablePanel::CaptionHeight() const { return GetSystemMetrics(SM_CYSMCAPTION); }

std::uint32_t TTBWDockablePanel::ViewKind() const
{
  std::uint32_t kind = Floating() ? VT_DOCKPANEL | VT_FLOATING | 1 : VT_DOCKPANEL | 1;
  if (Resizable())
    kind |= VT_RESIZABLE;
  return kind;
}

bool TTBWDockablePanel::IsCaptionVertical()
{
  switch (FCaptionRotation) {
  case dpcrAlwaysHorz:
    return false;
  case dpcrAlwaysVert:
    return Docked();
  default:
    return Docked() && !CurrentDock()->IsVertical();
  }
}

TPoint TTBWDockablePanel::FrameSizeIn(TTBDock* Dock)
{
  if (!Dock)
    return TPoint(0, 0);
  TPoint size(4, 4);
  if (FShowCaptionWhenDocked) {
    bool vertical = FCaptionRotation == dpcrAlwaysVert || (FCaptionRotation == dpcrAuto && !Dock->IsVertical());
    (vertical ? size.x : size.y) += CaptionHeight();
  }
  return size;
}

void TTBWDockablePanel::DockedFrameSize(TPoint& Size) { Size = FrameSizeIn(Docked() ? CurrentDock() : nullptr); }

bool TTBWDockablePanel::CanDockTo(TTBDock* Dock)
{
  if (!TTBCustomDockableWindow::CanDockTo(Dock))
    return false;
  return FSupportedDocks.Contains(dynamic_cast<TTBWMultiDock*>(Dock) ? dkMultiDock : dkStandardDock);
}

void TTBWDockablePanel::SizeForPlacement(bool, TTBDockType DockType, TPoint& Size, TTBDock* Dock, bool Floating)
{
  if (Floating || DockType == dtFloating || (!Dock && DockType != dtNotDocked)) {
    const TPoint frame = FrameSizeIn(Docked() ? CurrentDock() : nullptr);
    if (FFloatingWidth == 0)
      FFloatingWidth = Docked() && !CurrentDock()->IsVertical() ? Width() - frame.x : FDockedWidth;
    if (FFloatingHeight == 0)
      FFloatingHeight = Docked() && CurrentDock()->IsVertical() ? Height() - frame.y : FDockedHeight;
    Size = TPoint(FFloatingWidth, FFloatingHeight);
    return;
  }
  if (!Dock) {
    Size = TPoint(Width(), Height());
    return;
  }
  const TPoint frame = FrameSizeIn(Dock);
  if (Dock->IsVertical())
    Size = TPoint(FDockedWidth, Dock->ClientHeight() - frame.y);
  else
    Size = TPoint(Dock->ClientWidth() - frame.x, FDockedHeight);
}

void TTBWDockablePanel::NaturalContentSize(TPoint& Size)
{
  SizeForPlacement(false, CurrentDockType(), Size, CurrentDock(), Floating());
}

void TTBWDockablePanel::DockedCloseBox(bool Vertical, TRect& R)
{
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  R = PanelCloseBox(Vertical, IsCaptionVertical(), Width() - frame.x, Height() - frame.y, CaptionHeight());
}

void TTBWDockablePanel::FloatingSizeBounds(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
  MinWidth = FMinClientWidth;
  MinHeight = FMinClientHeight;
  MaxWidth = FMaxClientWidth;
  MaxHeight = FMaxClientHeight;
}

void TTBWDockablePanel::FloatingFrameSize(TPoint& Size)
{
  Size = TPoint(0, 0);
  if (TTBWTheme* theme = CurrentTheme())
    theme->GetViewFrameSize(ViewKind() | VT_FLOATING, Size);
}

void TTBWDockablePanel::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
  TTBCustomDockableWindow::ConstrainedResize(MinWidth, MinHeight, MaxWidth, MaxHeight);
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  if (FMinClientWidth > 0)
    MinWidth = FMinClientWidth + frame.x;
  if (FMinClientHeight > 0)
    MinHeight = FMinClientHeight + frame.y;
  if (FMaxClientWidth > 0)
    MaxWidth = FMaxClientWidth + frame.x;
  if (FMaxClientHeight > 0)
    MaxHeight = FMaxClientHeight + frame.y;
}

void TTBWDockablePanel::SizeLimits(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
  MinWidth = MinHeight = MaxWidth = MaxHeight = 0;
  ConstrainedResize(MinWidth, MinHeight, MaxWidth, MaxHeight);
}

// A size the panel is given from outside becomes the size it keeps for that
// kind of place, stored as given (the setters' limits are not applied).
void TTBWDockablePanel::BeforeResize(int NewWidth, int NewHeight)
{
  if (FSelfSizing)
    return;
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  const int w = NewWidth - frame.x;
  const int h = NewHeight - frame.y;
  if (Floating()) {
    FFloatingWidth = w;
    FFloatingHeight = h;
  } else if (Docked()) {
    if (CurrentDock()->IsVertical())
      FDockedWidth = w;
    else
      FDockedHeight = h;
  }
}

bool TTBWDockablePanel::CanAutoSize(int&, int&) { return true; }

void TTBWDockablePanel::AdjustClientRect(TRect& Rect)
{
  TTBCustomDockableWindow::AdjustClientRect(Rect);
  InflateRect(&Rect, -FBorderSize, -FBorderSize);
}

TTBWMultiDock* TTBWDockablePanel::CurrentMultiDock() const
{
  return Docked() ? dynamic_cast<TTBWMultiDock*>(CurrentDock()) : nullptr;
}

bool TTBWDockablePanel::IsSplitEdge(int Side) const
{
  TTBWMultiDock* dock = CurrentMultiDock();
  if (!dock || !HandleAllocated())
    return false;
  const bool vertical = dock->IsVertical();
  const bool nearSide = vertical ? Side == psTop : Side == psLeft;
  const bool farSide = vertical ? Side == psBottom : Side == psRight;
  if (!nearSide && !farSide)
    return false;
  if (nearSide)
    return ArrangedPos() > 0;
  // Not the last shown window along the dock.
  for (int i = 0; i < dock->VisibleWindowCount(); ++i)
    if (dock->VisibleWindows(i)->ArrangedPos() > ArrangedPos())
      return true;
  return false;
}

// Properties

void TTBWDockablePanel::SetBoundsSelf(int ALeft, int ATop, int AWidth, int AHeight)
{
  const bool was = FSelfSizing;
  FSelfSizing = true;
  ScopeExit done([this, was] { FSelfSizing = was; });
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TTBWDockablePanel::SetBorderSize(int Value)
{
  if (FBorderSize == Value)
    return;
  FBorderSize = Value;
  Realign();
}

void TTBWDockablePanel::SetCaptionRotation(TDPCaptionRotation Value)
{
  if (FCaptionRotation == Value)
    return;
  FCaptionRotation = Value;
  if (Docked())
    RefreshFrame();
}

void TTBWDockablePanel::SetShowCaptionWhenDocked(bool Value)
{
  if (FShowCaptionWhenDocked == Value)
    return;
  FShowCaptionWhenDocked = Value;
  if (Docked())
    RefreshFrame();
}

void TTBWDockablePanel::SetDockedWidth(int Value)
{
  Value = std::max(Value, FMinClientWidth);
  if (FDockedWidth == Value)
    return;
  FDockedWidth = Value;
  if (Docked() && CurrentDock()->IsVertical()) {
    TPoint frame(0, 0);
    DockedFrameSize(frame);
    SetBoundsSelf(Left(), Top(), Value + frame.x, Height());
  }
}

void TTBWDockablePanel::SetDockedHeight(int Value)
{
  Value = std::max(Value, FMinClientHeight);
  if (FDockedHeight == Value)
    return;
  FDockedHeight = Value;
  if (Docked() && !CurrentDock()->IsVertical()) {
    TPoint frame(0, 0);
    DockedFrameSize(frame);
    SetBoundsSelf(Left(), Top(), Width(), Value + frame.y);
  }
}

void TTBWDockablePanel::SetFloatingWidth(int Value)
{
  Value = std::max(Value, 0);
  if (Floating())
    Value = std::max(Value, FMinClientWidth);
  if (FFloatingWidth == Value)
    return;
  FFloatingWidth = Value;
  if (Floating())
    SetBoundsSelf(Left(), Top(), Value, Height());
}

void TTBWDockablePanel::SetFloatingHeight(int Value)
{
  Value = std::max(Value, 0);
  if (Floating())
    Value = std::max(Value, FMinClientHeight);
  if (FFloatingHeight == Value)
    return;
  FFloatingHeight = Value;
  if (Floating())
    SetBoundsSelf(Left(), Top(), Width(), Value);
}

void TTBWDockablePanel::SetSnapDistance(int Value)
{
  FSnapDistance = std::max(Value, 0);
  HandSnapDistance(Parent(), FSnapDistance);
}

void TTBWDockablePanel::SetParent(TWinControl* AParent)
{
  TTBCustomDockableWindow::SetParent(AParent);
  HandSnapDistance(Parent(), FSnapDistance);
}

TTBFloatingWindowParent* TTBWDockablePanel::NewFloatingFrame() { return new TTBWFloatingWindowParent(nullptr); }

void TTBWDockablePanel::SetSplitWidth(int Value)
{
  Value = std::max(Value, 0);
  if (FSplitWidth == Value)
    return;
  FSplitWidth = Value;
  if (TTBWMultiDock* dock = CurrentMultiDock(); dock && !dock->IsVertical())
    dock->ArrangeWindows();
}

void TTBWDockablePanel::SetSplitHeight(int Value)
{
  Value = std::max(Value, 0);
  if (FSplitHeight == Value)
    return;
  FSplitHeight = Value;
  if (TTBWMultiDock* dock = CurrentMultiDock(); dock && dock->IsVertical())
    dock->ArrangeWindows();
}

// Placement values

namespace {

constexpr const char* PlacementNames[6] = {"DPDockedWidth",    "DPDockedHeight", "DPFloatingWidth",
                                           "DPFloatingHeight", "DPSplitWidth",   "DPSplitHeight"};

}  // namespace

// Stored values go through the setters: a store edited by hand or damaged
// cannot give the panel a size below its minimum or a negative one.
void TTBWDockablePanel::LoadPlacementValues(const TTBPlacementValueAccess& Access)
{
  if (!Access.Integer)
    return;
  const int current[6] = {FDockedWidth, FDockedHeight, FFloatingWidth, FFloatingHeight, FSplitWidth, FSplitHeight};
  int stored[6];
  for (int i = 0; i < 6; ++i)
    stored[i] = StoredSize(Access.Integer(Name(), PlacementNames[i], current[i]));
  SetDockedWidth(stored[0]);
  SetDockedHeight(stored[1]);
  SetFloatingWidth(stored[2]);
  SetFloatingHeight(stored[3]);
  SetSplitWidth(stored[4]);
  SetSplitHeight(stored[5]);
}

void TTBWDockablePanel::SavePlacementValues(const TTBPlacementValueAccess& Access)
{
  if (!Access.Integer)
    return;
  const int values[6] = {FDockedWidth, FDockedHeight, FFloatingWidth, FFloatingHeight, FSplitWidth, FSplitHeight};
  for (int i = 0; i < 6; ++i)
    Access.Integer(Name(), PlacementNames[i], values[i]);
}

// Painting of the client area: the background comes from WM_ERASEBKGND; at
// design time the client area is outlined.
void TTBWDockablePanel::Paint()
{
  if (!ComponentState().Contains(csDesigning))
    return;
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->Pen()->SetStyle(psDot);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Rectangle(ClientRect());
}
