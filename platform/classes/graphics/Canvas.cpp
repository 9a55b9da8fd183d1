#include "platform/classes/graphics/Canvas.h"

#include "platform/base/Exception.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Graphic.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/gdi/gdi.h"

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush), FCopyMode(SRCCOPY)
{
  FFont->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  FPen->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  FBrush->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas()
{
  SetHandle(nullptr);
}

HDC TCanvas::Handle()
{
  RequiredState({csHandleValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
  if (FHandle == Value)
    return;
  if (FHandle) {
    DeselectHandles();
    TPoint pos;
    if (GetCurrentPositionEx(FHandle, &pos))
      FPenPos = pos;
    FHandle = nullptr;
    State.Exclude(csHandleValid);
  }
  if (Value) {
    State.Include(csHandleValid);
    FHandle = Value;
    MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::DeselectHandles()
{
  if (FHandle && !(State * TCanvasStates{csPenValid, csBrushValid, csFontValid}).Empty()) {
    SelectObject(FHandle, GetStockObject(BLACK_PEN));
    SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    State -= TCanvasStates{csPenValid, csBrushValid, csFontValid};
  }
}

void TCanvas::RequiredState(TCanvasStates ReqState)
{
  TCanvasStates need = ReqState - State;
  if (need.Empty())
    return;
  if (need.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle)
      throw EInvalidOperation(SNoCanvasHandle);
  }
  if (need.Contains(csFontValid))
    CreateFont();
  if (need.Contains(csPenValid))
    CreatePen();
  if (need.Contains(csBrushValid))
    CreateBrush();
  State += need;
}

void TCanvas::CreateFont()
{
  SelectObject(FHandle, FFont->Handle());
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
}

void TCanvas::CreatePen()
{
  SelectObject(FHandle, FPen->Handle());
  SetROP2(FHandle, TPen::RasterOp(FPen->Mode()));
}

void TCanvas::CreateBrush()
{
  SelectObject(FHandle, FBrush->Handle());
  if (FBrush->Style() == bsSolid) {
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches show the background between their lines only on an opaque brush.
    SetBkColor(FHandle, ~ColorToRGB(FBrush->Color()) & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
}

void TCanvas::FontChanged(TObject*)
{
  if (State.Contains(csFontValid)) {
    State.Exclude(csFontValid);
    SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
  }
}

void TCanvas::PenChanged(TObject*)
{
  if (State.Contains(csPenValid)) {
    State.Exclude(csPenValid);
    SelectObject(FHandle, GetStockObject(BLACK_PEN));
  }
}

void TCanvas::BrushChanged(TObject*)
{
  if (State.Contains(csBrushValid)) {
    State.Exclude(csBrushValid);
    SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
  }
}

void TCanvas::SetFont(TFont* Value)
{
  FFont->Assign(Value);
}

void TCanvas::SetPen(TPen* Value)
{
  FPen->Assign(Value);
}

void TCanvas::SetBrush(TBrush* Value)
{
  FBrush->Assign(Value);
}

void TCanvas::Changing()
{
  if (OnChanging)
    OnChanging(this);
}

void TCanvas::Changed()
{
  if (OnChange)
    OnChange(this);
}

TPoint TCanvas::PenPos()
{
  RequiredState({csHandleValid});
  TPoint p;
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

TRect TCanvas::ClipRect()
{
  RequiredState({csHandleValid});
  TRect r;
  GetClipBox(FHandle, &r);
  return r;
}

TColor TCanvas::Pixels(int X, int Y)
{
  RequiredState({csHandleValid});
  COLORREF c = GetPixel(FHandle, X, Y);
  return c == CLR_INVALID ? clNone : TColor(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::MoveTo(int X, int Y)
{
  RequiredState({csHandleValid});
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutA(FHandle, X, Y, FTextFlags, nullptr, Text.data(), UINT(Text.size()), nullptr);
  TSize extent;
  GetTextExtentPoint32A(FHandle, Text.data(), int(Text.size()), &extent);
  MoveToEx(FHandle, X + extent.cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | FTextFlags;
  if (FBrush->Style() != bsClear)
    options |= ETO_OPAQUE;
  ExtTextOutA(FHandle, X, Y, options, &Rect, Text.data(), UINT(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& Text)
{
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  GetTextExtentPoint32A(FHandle, Text.data(), int(Text.size()), &size);
  return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
  Graphic->Draw(this, TRect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Right - Dest.Left, Dest.Bottom - Dest.Top, Canvas->FHandle,
             Source.Left, Source.Top, Source.Right - Source.Left, Source.Bottom - Source.Top, FCopyMode);
  Changed();
}

void TCanvas::Refresh()
{
  DeselectHandles();
}

void TCanvas::Lock()
{
  FLock.lock();
  ++FLockCount;
}

void TCanvas::Unlock()
{
  --FLockCount;
  FLock.unlock();
}

bool TCanvas::TryLock()
{
  if (!FLock.try_lock())
    return false;
  ++FLockCount;
  return true;
}
