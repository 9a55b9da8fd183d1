#include "controls/html/viewer/PaintPanel.h"

#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/HtmlView.h"
#include "platform/base/Exception.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

TPaintPanel::TPaintPanel(TComponent* AOwner, THtmlView* AViewer) : TCustomPanel(AOwner), FViewer(AViewer)
{
  FControlStyle.Include(csDoubleClicks);
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetParentFont(false);
}

TPaintPanel::~TPaintPanel() = default;

void TPaintPanel::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_ERASEBKGND:
    Message.Result = 1;  // the paint covers everything
    return;
  case WM_LBUTTONDBLCLK:
    if (Message.WParam & MK_LBUTTON) {
      FViewer->HTMLDblClick(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam),
                            KeysToShiftState(WORD(Message.WParam)));
      return;
    }
    break;
  }
  TCustomPanel::Dispatch(Message);
}

void TPaintPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  FViewer->HTMLMouseDown(this, Button, Shift, X, Y);
}

void TPaintPanel::MouseMove(TShiftState Shift, int X, int Y)
{
  FViewer->HTMLMouseMove(this, Shift, X, Y);
}

void TPaintPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  FViewer->HTMLMouseUp(this, Button, Shift, X, Y);
}

void TPaintPanel::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
  Accept = false;
  if (FViewer->OnDragOver) {
    Accept = true;
    FViewer->OnDragOver(FViewer, Source, X, Y, State, Accept);
  }
}

void TPaintPanel::DragDrop(TObject* Source, int X, int Y)
{
  if (FViewer->OnDragDrop)
    FViewer->OnDragDrop(FViewer, Source, X, Y);
}

void TPaintPanel::Paint()
{
  if (FViewer->Busy() || FPainting)
    return;
  FViewer->UpdateBorder();
  HDC PanelDC = Canvas()->Handle();
  TRect R;
  GetClipBox(PanelDC, &R);
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  if (W <= 0 || H <= 0)
    return;
  HDC Mem = CreateCompatibleDC(PanelDC);
  HBITMAP Bitmap = CreateCompatibleBitmap(PanelDC, W, H);
  if (!Bitmap) {
    DeleteDC(Mem);
    throw EOutOfResources("Out of Resources");
  }
  HGDIOBJ Old = SelectObject(Mem, Bitmap);
  SetWindowOrgEx(Mem, R.Left, R.Top, nullptr);
  FPainting = true;
  try {
    DrawBackground(Mem, R);
    FViewer->DrawDocument(Mem, R);
    BitBlt(PanelDC, R.Left, R.Top, W, H, Mem, R.Left, R.Top, SRCCOPY);
  } catch (...) {
    FPainting = false;
    SelectObject(Mem, Old);
    DeleteDC(Mem);
    DeleteObject(Bitmap);
    throw;
  }
  FPainting = false;
  SelectObject(Mem, Old);
  DeleteDC(Mem);
  DeleteObject(Bitmap);
}

void TPaintPanel::DrawBackground(HDC DC, const TRect& R)
{
  TBitmap* Image = nullptr;
  TBitmap* Mask = nullptr;
  TSectionList& Doc = FViewer->SectionList();
  if (Doc.ShowImages)
    FViewer->BackgroundBitmap(Image, Mask);
  if (!Image) {
    FViewer->FFixedBackground = false;
    TileBackground(DC, R, Color(), nullptr, nullptr, TTiling{});
    return;
  }
  const TBackgroundPlacement& Pos = FViewer->BackgroundPosition;
  FViewer->FFixedBackground = Pos.X.Fixed;
  int XO = 0, YO = 0, AW = ClientWidth(), AH = ClientHeight();
  if (!Pos.X.Fixed) {
    XO = FViewer->HScrollPos();
    YO = Doc.YOff;
    AW = FViewer->HScrollMax();
    AH = std::max(FViewer->DocumentHeight(), ClientHeight());
  }
  TileBackground(DC, R, Color(), Image, Mask, CalcBackgroundTiling(Pos, Image->Width(), Image->Height(), AW, AH, XO, YO, R));
}

void TileBackground(HDC DC, const TRect& R, TColor Fill, TBitmap* Image, TBitmap* Mask, const TTiling& T)
{
  HBRUSH Brush = CreateSolidBrush(ColorToRGB(Fill));
  FillRect(DC, &R, Brush);
  DeleteObject(Brush);
  if (!Image || Image->Width() <= 0 || Image->Height() <= 0)
    return;
  const int W = Image->Width(), H = Image->Height();
  HDC ImageDC = Image->Canvas()->Handle();
  HDC MaskDC = Mask ? Mask->Canvas()->Handle() : nullptr;
  const COLORREF OldBk = SetBkColor(DC, 0xFFFFFF);
  const COLORREF OldText = SetTextColor(DC, 0x000000);
  auto Tile = [&](int X, int Y, int TW, int TH) {
    if (MaskDC) {
      // Image xor, mask and, image xor: the transparent part keeps what was
      // there, the opaque part becomes the image.
      StretchBlt(DC, X, Y, TW, TH, ImageDC, 0, 0, W, H, SRCINVERT);
      StretchBlt(DC, X, Y, TW, TH, MaskDC, 0, 0, W, H, SRCAND);
      StretchBlt(DC, X, Y, TW, TH, ImageDC, 0, 0, W, H, SRCINVERT);
    } else {
      StretchBlt(DC, X, Y, TW, TH, ImageDC, 0, 0, W, H, SRCCOPY);
    }
  };
  if (W == 1 && H == 1) {
    if (T.XLast > T.X && T.YLast > T.Y)
      Tile(T.X, T.Y, T.XLast - T.X, T.YLast - T.Y);
  } else {
    for (int Y = T.Y; Y < T.YLast; Y += H)
      for (int X = T.X; X < T.XLast; X += W)
        Tile(X, Y, W, H);
  }
  SetBkColor(DC, OldBk);
  SetTextColor(DC, OldText);
}
