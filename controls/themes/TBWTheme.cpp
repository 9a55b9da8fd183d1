#include "controls/themes/TBWTheme.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWThemeManager.h"

unsigned ItemStateFlags(const TTBWItemInfo& Info)
{
  unsigned flags = 0;
  if (!Info.Enabled)
    flags |= 1;
  if (Info.HoverKind == HK_HOVER)
    flags |= 2;
  if (Info.Pushed)
    flags |= 4;
  if (Info.Checked)
    flags |= 8;
  return flags;
}

TTBWItemInfo CaptionButtonItemInfo(const ButtonPaintState& State)
{
  TTBWItemInfo info;
  info.Enabled = 1;
  info.Pushed = (State.State & BPS_PUSHED) != 0;
  info.HoverKind = (State.State & BPS_HOT) ? HK_HOVER : HK_NONE;
  return info;
}

TTBWTheme::TTBWTheme(const std::string& Name) : FName(Name) { AddThemeNotification(this); }

TTBWTheme::~TTBWTheme() { RemoveThemeNotification(this); }

// The defaults: the system's plain colours, no margins, no frame and no
// shadow; the painting operations leave the canvas as it is.
TPoint TTBWTheme::GetImageShift(TCanvas*, const TTBWItemInfo&, TCustomImageList*) { return TPoint(); }
TColor TTBWTheme::GetItemFillColor(const TTBWItemInfo&) { return clBtnFace; }
TColor TTBWTheme::GetItemTextColor(const TTBWItemInfo& Info) { return Info.Enabled ? clBtnText : clGrayText; }
TColor TTBWTheme::GetImageBackColor(const TTBWItemInfo&) { return clBtnFace; }
void TTBWTheme::GetItemMargins(int, ItemMarginSet& Margins) { Margins = ItemMarginSet(); }
int TTBWTheme::GetPopupShadowKind() { return PST_NONE; }
void TTBWTheme::GetViewFrameSize(std::uint32_t, TPoint& Size) { Size = TPoint(); }
TColor TTBWTheme::GetViewColor(std::uint32_t) { return clBtnFace; }
void TTBWTheme::GetViewMargins(std::uint32_t, ItemMarginSet& Margins) { Margins = ItemMarginSet(); }
void TTBWTheme::DrawViewBackground(TCanvas*, const TRect&, const TRect&, const TRect&, TColor, bool,
                                   std::uint32_t) {}
void TTBWTheme::DrawItemFrame(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawItemCaption(TCanvas*, const TRect&, const TTBWItemInfo&, const std::string&, UINT, bool) {}
void TTBWTheme::DrawCheckGlyph(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawChevronGlyph(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawEditField(TCanvas*, const TRect&, const TTBWItemInfo&, const EditFieldPaintState&) {}
void TTBWTheme::DrawEditButton(TCanvas*, const TRect&, const TTBWItemInfo&, const ButtonPaintState&) {}
void TTBWTheme::DrawDockBackground(TCanvas*, const TRect&, const TRect&, int) {}
void TTBWTheme::DrawPanelCaptionBar(TCanvas*, const TRect&, const PanelCaptionState&) {}
void TTBWTheme::DrawDropdownArrow(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawFloatingFrame(TCanvas*, const TRect&, const FloatingPaintState&) {}
void TTBWTheme::DrawEditBorder(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawItemImage(TCanvas*, const TRect&, const TTBWItemInfo&, TCustomImageList*, int) {}
void TTBWTheme::DrawCaptionButton(TCanvas*, const TRect&, const ButtonPaintState&, int) {}
void TTBWTheme::DrawMenuItemFrame(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawMenuImageHighlight(TCanvas*, const TRect&, const TTBWItemInfo&) {}
void TTBWTheme::DrawScrollArrowButton(TCanvas*, const TRect&, int, bool) {}
void TTBWTheme::DrawPopupFrame(TCanvas*, const TRect&, const PopupFramePaintState&) {}
void TTBWTheme::DrawSeparatorLine(TCanvas*, const TRect&, const TTBWItemInfo&, bool, bool) {}
void TTBWTheme::DrawDockableFrame(TCanvas*, const TRect&, const WindowPaintState&) {}
int TTBWTheme::DrawCheckControl(TCanvas*, const TRect&, bool, unsigned, int) { return 0; }
void TTBWTheme::DrawStatusBarPart(TCanvas*, const TRect&, int) {}
int TTBWTheme::GetMetric(int) { return -1; }
bool TTBWTheme::HasFeature(int) { return false; }

void TTBWTheme::Dispatch(TMessage& Message)
{
  if (Message.Msg == TBWM_SYSCHANGE && Message.WParam == TSC_VIEWCHANGE)
    RecomputeColors();
  TMessageDispatcher::Dispatch(Message);
}

TRect GetFloatingCaptionRect(const FloatingPaintState& State, bool AddBorder, bool LeaveOutCloseButton)
{
  TRect r(0, 0, State.ClientWidth, GetSystemMetrics(SM_CYSMCAPTION) - 1);
  if (LeaveOutCloseButton)
    r.Right -= r.Bottom - r.Top;
  if (AddBorder)
    r = TRect(r.Left + State.BorderSize.x, r.Top + State.BorderSize.y, r.Right + State.BorderSize.x, r.Bottom + State.BorderSize.y);
  return r;
}

TRect GetFloatingCloseButtonRect(const FloatingPaintState& State, bool AddBorder)
{
  TRect r = GetFloatingCaptionRect(State, AddBorder, false);
  r.Left = r.Right - r.Bottom + r.Top;
  return r;
}

int GetDragHandleSize(const WindowPaintState& State)
{
  if (!State.AllowDrag)
    return 0;
  if (State.CloseButtonState & CDBS_VISIBLE)
    return 14;
  switch (State.DragHandleStyle) {
    case dhDouble: return 9;
    case dhNone: return 0;
    case dhSingle: return 6;
    default: return 0;
  }
}

TRect GetDockedCloseButtonRect(const WindowPaintState& State)
{
  const int side = GetDragHandleSize(State) - 1;
  const int x = State.IsVertical ? State.ClientWidth + State.BorderSize.x - side : State.BorderSize.x;
  return TRect(x, State.BorderSize.y, x + side, State.BorderSize.y + side);
}
