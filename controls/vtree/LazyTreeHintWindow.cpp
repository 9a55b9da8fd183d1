#include "controls/vtree/LazyTreeHintWindow.h"

#include <algorithm>
#include <atomic>

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/BaseLazyTree.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/win.h"

namespace {

std::atomic<bool> gHintWindowGone{false};

std::unique_ptr<TBitmap> MakeBitmap()
{
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  return b;
}

}  // namespace

bool HintWindowGone()
{
  return gHintWindowGone;
}

void SetHintWindowGone(bool Value)
{
  gHintWindowGone = Value;
}

TLazyTreeHintWindow::TLazyTreeHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), FHintBitmap(MakeBitmap()), FBackground(MakeBitmap()), FBlend(MakeBitmap())
{
  SetHintWindowGone(false);
}

TLazyTreeHintWindow::~TLazyTreeHintWindow()
{
  SetHintWindowGone(true);
}

void TLazyTreeHintWindow::CreateParams(TCreateParams& Params)
{
  THintWindow::CreateParams(Params);
  // The frame is part of the drawn bitmap.
  Params.Style = WS_POPUP;
  Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

bool TLazyTreeHintWindow::IsNodeTooltip() const
{
  return FHintData.Tree && FHintData.Node && FHintData.Tree->HintMode() == hmTooltip;
}

TRect TLazyTreeHintWindow::CalcHintRect(int MaxWidth, const std::string&, void* AData)
{
  if (!AData)
    return TRect();
  FHintData = *static_cast<TLTHintData*>(AData);
  TBaseLazyTree* tree = FHintData.Tree;
  if (!tree)
    return TRect();
  bool tooltip = IsNodeTooltip();
  if (tree->OwnerDrawsHints() && FHintData.Node) {
    // The owner's size; the owner draws all of it.
    TRect r = FHintData.HintRect;
    OffsetRect(&r, -r.Left, -r.Top);
    return r;
  }
  if (!FHintData.DefaultHint.empty())
    FHintData.HintText = FHintData.DefaultHint;
  else if (FHintData.Node)
    FHintData.HintText = tree->HintTextOf(FHintData.Node, FHintData.Column, tooltip);
  else
    FHintData.HintText.clear();
  if (FHintData.HintText.empty())
    return TRect();
  TRect r;
  if (!tooltip) {
    Canvas()->SetFont(Screen()->HintFont());
    r = TRect(0, 0, MaxWidth, 0);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Canvas()->Font()->Handle());
    DrawText(dc, FHintData.HintText.c_str(), int(FHintData.HintText.size()), &r,
             DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    r.Bottom += 6;
    r.Right += 2 * tree->TextMargin() + 2;
  } else if (FHintData.Node->Has(nfMultiline)) {
    r = tree->NodeDisplayRect(FHintData.Node, FHintData.Column, false);
    TRect measured = r;
    tree->ApplyTooltipFont(Canvas(), FHintData.Node, FHintData.Column);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Canvas()->Font()->Handle());
    DrawText(dc, FHintData.HintText.c_str(), int(FHintData.HintText.size()), &measured,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    r.Bottom = r.Top + measured.Height();
    r.Right += 1;
    TRect client = tree->ClientRect();
    TRect inside;
    if (int(FHintData.Node->NodeHeight) + 2 >= r.Height() && IntersectRect(&inside, &r, &client) && inside == r)
      return TRect();
  } else {
    // The whole text, also the part beyond the client area.
    r = tree->NodeDisplayRect(FHintData.Node, FHintData.Column, true, true);
    if (tree->HasPaintOption(toShowHorzGridLines))
      r.Bottom -= 1;
  }
  // A one-pixel frame around the text, so that the window covers the text exactly.
  InflateRect(&r, 1, 1);
  OffsetRect(&r, -1 - r.Left, -1 - r.Top);
  return r;
}

void TLazyTreeHintWindow::ActivateHint(TRect Rect, const std::string& AHint)
{
  if (IsRectEmpty(&Rect)) {
    Application()->CancelHint();
    return;
  }
  TBaseLazyTree* tree = FHintData.Tree;
  bool abandoned = false;
  if (tree && tree->TreeStates().Contains(tsInAnimation)) {
    tree->ChangeStates({}, {tsInAnimation});
    abandoned = true;
  }
  SetCaption(AHint);
  int width = Rect.Width(), height = Rect.Height();
  Rect = KeptOnDesktop(Rect);
  HandleNeeded();
  FLeft = Rect.Left;
  FTop = Rect.Top;
  FWidth = width;
  FHeight = height;
  for (TBitmap* b : {FHintBitmap.get(), FBackground.get(), FBlend.get()})
    b->SetSize(width, height);
  if (tree && tree->HandleAllocated())
    UpdateWindow(tree->Handle());
  HDC screen = GetDC(nullptr);
  BitBlt(FBackground->Canvas()->Handle(), 0, 0, width, height, screen, Rect.Left, Rect.Top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  DrawHint();
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FAnimation = tree ? tree->AnimationKind() : hatNone;
  if (FAnimation == hatNone || !tree) {
    Invalidate();
  } else {
    ValidateRect(Handle(), nullptr);
    if (FAnimation == hatFade)
      tree->Animate(255, 2 * tree->AnimationDuration(), [this](int s, int z) { return AnimationStep(s, z); });
    else
      tree->Animate(height, tree->AnimationDuration(), [this](int s, int z) { return AnimationStep(s, z); });
  }
  if (abandoned && tree)
    tree->ChangeStates({tsCancelHintAnimation}, {});
}

bool TLazyTreeHintWindow::AnimationStep(int Step, int StepSize)
{
  // No message is processed here: the tree and this window stay as they are
  // for the whole loop.
  if (HintWindowGone() || !IsWindowVisible(Handle()) || !FHintData.Tree ||
      FHintData.Tree->TreeStates().Contains(tsCancelHintAnimation))
    return false;
  PaintStep(Step, StepSize);
  return true;
}

void TLazyTreeHintWindow::DrawHint()
{
  TCanvas* c = FHintBitmap->Canvas();
  TRect r(0, 0, FHintBitmap->Width(), FHintBitmap->Height());
  TBaseLazyTree* tree = FHintData.Tree;
  if (tree && tree->OwnerDrawsHints() && FHintData.Node) {
    tree->DoDrawHint(c, FHintData.Node, r, FHintData.Column);
    return;
  }
  bool tooltip = IsNodeTooltip();
  if (tooltip)
    tree->ApplyTooltipFont(c, FHintData.Node, FHintData.Column);
  else
    c->SetFont(Screen()->HintFont());
  c->Font()->SetColor(clInfoText);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clInfoBk);
  c->Pen()->SetColor(clBlack);
  c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  int margin = tree ? tree->TextMargin() : 4;
  TRect text = r;
  InflateRect(&text, -(margin + 1), -1);
  UINT format = DT_NOPREFIX;
  bool multiline = tooltip && FHintData.Node->Has(nfMultiline);
  if (multiline) {
    format |= DT_WORDBREAK;
    text.Top += 1;
  } else if (tooltip) {
    format |= DT_VCENTER | DT_SINGLELINE;
  } else {
    text.Top = 2;
    format |= DT_WORDBREAK;
  }
  if (FHintData.BidiMode != bdLeftToRight)
    format |= DT_RIGHT | DT_RTLREADING;
  SetBkMode(c->Handle(), TRANSPARENT);
  c->RequiredState({csHandleValid, csFontValid});
  DrawText(c->Handle(), FHintData.HintText.c_str(), int(FHintData.HintText.size()), &text, format);
}

void TLazyTreeHintWindow::PaintStep(int Step, int StepSize)
{
  int w = FHintBitmap->Width(), h = FHintBitmap->Height();
  HDC window = GetDC(Handle());
  if (StepSize < 1) {
    // The final state is the whole hint in every mode, a fade included.
    BitBlt(window, 0, 0, w, h, FHintBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  } else if (FAnimation == hatFade) {
    HDC blend = FBlend->Canvas()->Handle();
    BitBlt(blend, 0, 0, w, h, FBackground->Canvas()->Handle(), 0, 0, SRCCOPY);
    BlendRect(FHintBitmap->Canvas()->Handle(), blend, TRect(0, 0, w, h), TPoint(0, 0), 0, Step * 256 / 255,
              bmConstantAlpha);
    BitBlt(window, 0, 0, w, h, blend, 0, 0, SRCCOPY);
  } else {
    int rows = std::min(Step, h);
    BitBlt(window, 0, 0, w, rows, FHintBitmap->Canvas()->Handle(), 0, h - rows, SRCCOPY);
    BitBlt(window, 0, rows, w, h - rows, FBackground->Canvas()->Handle(), 0, rows, SRCCOPY);
  }
  ReleaseDC(Handle(), window);
}

void TLazyTreeHintWindow::Paint()
{
  PaintStep(0, 0);
}

bool TLazyTreeHintWindow::IsHintMsg(const MSG& Msg)
{
  UINT m = Msg.message;
  bool key = m >= WM_KEYFIRST && m <= WM_KEYLAST;
  if (key && FHintData.Tree && FHintData.Tree->TreeStates().Contains(tsInAnimation)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
    return false;
  }
  if (key || m == WM_NCMOUSEMOVE)
    return false;
  return THintWindow::IsHintMsg(Msg);
}

void TLazyTreeHintWindow::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      Message.Result = 0;
      return;
    case CM_TEXTCHANGED:
      return;
    case WM_SHOWWINDOW:
      if (Message.WParam == 0) {
        if (FHintData.Tree)
          FHintData.Tree->ForgetHint();
        FHintData = TLTHintData();
        SetHintWindowGone(false);
      }
      break;
  }
  THintWindow::Dispatch(Message);
}
