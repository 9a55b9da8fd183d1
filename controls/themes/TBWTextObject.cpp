#include "controls/themes/TBWTextObject.h"

#include "controls/themes/TBWStockObjects.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"

UINT PaintingWrapFlags(TTextWrapping Wrapping)
{
  switch (Wrapping) {
  case twEndEllipsis: return DT_SINGLELINE | DT_END_ELLIPSIS;
  case twPathEllipsis: return DT_SINGLELINE | DT_PATH_ELLIPSIS;
  case twWrap: return DT_WORDBREAK;
  case twNone: break;
  }
  return DT_SINGLELINE;
}

UINT MeasuringWrapFlags(TTextWrapping Wrapping)
{
  switch (Wrapping) {
  case twEndEllipsis: return DT_END_ELLIPSIS;
  case twPathEllipsis: return DT_PATH_ELLIPSIS;
  case twWrap: return DT_WORDBREAK;
  case twNone: break;
  }
  return 0;
}

UINT AlignmentTextFlag(TAlignment Alignment, bool RightToLeft)
{
  if (RightToLeft && Alignment != taCenter)
    Alignment = Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  switch (Alignment) {
  case taRightJustify: return DT_RIGHT;
  case taCenter: return DT_CENTER;
  case taLeftJustify: break;
  }
  return DT_LEFT;
}

namespace {

void Shrink(TRect& R, const TRect& By)
{
  R.Left += By.Left;
  R.Top += By.Top;
  R.Right -= By.Right;
  R.Bottom -= By.Bottom;
}

}  // namespace

TTBWTextObject::TTBWTextObject(TComponent* AOwner)
    : TTBWPanelObject(AOwner), FMargins(std::make_unique<TTBWControlMargins>())
{
  TControlStyle style = ControlStyle();
  style.Exclude(csDoubleClicks);
  style.Include(csSetCaption);
  SetControlStyle(style);
  FMargins->OnChange = TNotifyEvent(this, &TTBWTextObject::MarginsChanged);
  SetBufferedPaint(true);
  SetAutoSize(true);
  SetWidth(100);
}

TTBWTextObject::~TTBWTextObject() = default;

void TTBWTextObject::CreateParams(TCreateParams& Params)
{
  TTBWPanelObject::CreateParams(Params);
  if (!ComponentState().Contains(csDesigning))
    Params.WindowClass.style |= CS_HREDRAW;
}

void TTBWTextObject::CreateWnd()
{
  TTBWPanelObject::CreateWnd();
  // A caption or font changed before the window existed was not measured.
  FitHeightToText();
}

void TTBWTextObject::Loaded()
{
  TTBWPanelObject::Loaded();
  FitHeightToText();
}

// Properties

void TTBWTextObject::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Invalidate();
}

void TTBWTextObject::SetWrapping(TTextWrapping Value)
{
  FWrapping = Value;
  Invalidate();
  FitHeightToText();
}

void TTBWTextObject::SetShowAccelChar(bool Value)
{
  if (FShowAccelChar == Value)
    return;
  FShowAccelChar = Value;
  FitHeightToText();
  Invalidate();
}

void TTBWTextObject::MarginsChanged(TObject*)
{
  Invalidate();
  FitHeightToText();
}

void TTBWTextObject::FocusFrameRect(const TRect&, TRect& FocusRect) { FocusRect = TRect(0, 0, 0, 0); }

// Measuring

bool TTBWTextObject::MayFitHeight() const
{
  const TComponentState state = ComponentState();
  return !FAutoSizing && !state.Contains(csLoading) && !state.Contains(csReading) && AutoSize();
}

int TTBWTextObject::MeasuredHeightAt(int Width)
{
  FAutoSizing = true;
  FMeasuringWidth = Width;
  ScopeExit done([this] {
    FAutoSizing = false;
    FMeasuringWidth = -1;
  });
  // Measured on a context of its own, so it works before the window exists.
  TCanvas canvas;
  canvas.SetHandle(StockObjects().ColorDC);
  ScopeExit release([&canvas] { canvas.SetHandle(nullptr); });
  int height = Height();
  MeasureTextHeight(&canvas, height);
  return height;
}

bool TTBWTextObject::CanAutoSize(int& NewWidth, int& NewHeight)
{
  if (!MayFitHeight())
    return false;
  // At the width being given, not the present one: a narrower label needs
  // more lines now, not at the next resize.
  NewHeight = MeasuredHeightAt(NewWidth);
  return true;
}

void TTBWTextObject::FitHeightToText()
{
  if (!HandleAllocated() || !MayFitHeight())
    return;
  const int height = MeasuredHeightAt(Width());
  FAutoSizing = true;
  ScopeExit done([this] { FAutoSizing = false; });
  SetBounds(Left(), Top(), Width(), height);
}

void TTBWTextObject::MeasureTextHeight(TCanvas* Canvas, int& Height)
{
  // A panel object has no frame: its client area is its size, known before
  // the window is.
  TRect r(0, 0, FMeasuringWidth >= 0 ? FMeasuringWidth : Width(), this->Height());
  TRect extra;
  ExtraTextMargins(extra);
  TRect p(extra.Left + FMargins->Left(), extra.Top + FMargins->Top(), extra.Right + FMargins->Right(),
          extra.Bottom + FMargins->Bottom());
  Shrink(r, p);
  // Measured with the same prefix rule as painted, so that an ampersand
  // shown as a character takes its room in the wrapping.
  UINT flags = MeasuringWrapFlags(FWrapping) | DT_CALCRECT | DT_EXPANDTABS;
  if (!FShowAccelChar)
    flags |= DT_NOPREFIX;
  Height = p.Top + p.Bottom + DrawCaptionText(Canvas, r, flags);
}

// Painting

TRect TTBWTextObject::TextArea()
{
  TRect r = ClientRect();
  Shrink(r, TRect(FMargins->Left(), FMargins->Top(), FMargins->Right(), FMargins->Bottom()));
  return r;
}

int TTBWTextObject::DrawCaptionText(TCanvas* Canvas, TRect& Rect, UINT Flags)
{
  std::string text;
  GetCaptionText(text);
  // An empty caption keeps the height of one line.
  if ((Flags & DT_CALCRECT) && (text.empty() || text == "&"))
    text += ' ';
  Flags = DrawTextBiDiModeFlags(Flags);
  Canvas->SetFont(Font());
  AdjustTextFont(Canvas->Font());
  auto draw = [&](TRect& r, UINT f) {
    Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    return DrawText(Canvas->Handle(), text.c_str(), int(text.size()), &r, f);
  };
  if (Flags & DT_CALCRECT)
    return draw(Rect, Flags & ~UINT(DT_VCENTER));
  if (Enabled())
    return draw(Rect, Flags);
  // Disabled: embossed, a highlight one pixel down and right under the shadow.
  TRect moved = Rect;
  OffsetRect(&moved, 1, 1);
  Canvas->Font()->SetColor(clBtnHighlight);
  draw(moved, Flags);
  Canvas->Font()->SetColor(clBtnShadow);
  return draw(Rect, Flags);
}

void TTBWTextObject::Paint()
{
  TCanvas* canvas = Canvas();
  TRect r = TextArea();
  if (Focused()) {
    TRect focus;
    FocusFrameRect(r, focus);
    if (!IsRectEmpty(&focus)) {
      HDC dc = canvas->Handle();
      const COLORREF text = SetTextColor(dc, 0x000000);
      const COLORREF back = SetBkColor(dc, 0xFFFFFF);
      DrawFocusRect(dc, &focus);
      SetTextColor(dc, text);
      SetBkColor(dc, back);
    }
  }
  UINT flags = AlignmentTextFlag(TextAlignmentOf(), UseRightToLeftAlignment()) | PaintingWrapFlags(FWrapping) |
               DT_EXPANDTABS;
  if (!FShowAccelChar)
    flags |= DT_NOPREFIX;
  canvas->Brush()->SetStyle(bsClear);
  TRect extra;
  ExtraTextMargins(extra);
  Shrink(r, extra);
  TRect measured = r;
  const int h = DrawCaptionText(canvas, measured, flags | DT_CALCRECT);
  r.Top = (r.Top + r.Bottom - h) / 2;
  r.Bottom = r.Top + h;
  DrawCaptionText(canvas, r, flags);
  canvas->Brush()->SetStyle(bsSolid);
}

void TTBWTextObject::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CM_ENABLEDCHANGED:
    TTBWPanelObject::Dispatch(Message);
    Invalidate();
    return;
  case CM_FONTCHANGED:
  case CM_TEXTCHANGED:
    TTBWPanelObject::Dispatch(Message);
    Invalidate();
    FitHeightToText();
    return;
  default:
    TTBWPanelObject::Dispatch(Message);
  }
}
