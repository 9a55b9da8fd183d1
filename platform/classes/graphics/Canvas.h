// TCanvas: drawing on a device context through a pen, a brush and a font.
// The canvas selects each object into the context only when a drawing call
// needs it (RequiredState) and deselects it when the object changes, so the
// objects can be edited freely between calls. Descendants supply the context
// in CreateHandle (a bitmap's memory context, a control's window context).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/Method.h"
#include "platform/base/Persistent.h"
#include "platform/base/Types.h"
#include "platform/classes/Forward.h"
#include "platform/classes/graphics/GraphicsTypes.h"

using TCopyMode = DWORD;

class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context (made by CreateHandle when there is none; EInvalidOperation
  // when none can be made).
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  TPen* Pen() const { return FPen; }
  void SetPen(TPen* Value);
  TBrush* Brush() const { return FBrush; }
  void SetBrush(TBrush* Value);
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  // ETO_* options added to every TextOut and TextRect.
  UINT TextFlags() const { return FTextFlags; }
  void SetTextFlags(UINT Value) { FTextFlags = Value; }
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }
  TRect ClipRect();
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const std::vector<TPoint>& Points);
  void Polygon(const std::vector<TPoint>& Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);
  // Text at (X, Y) in the font, on the brush unless the brush is clear; the
  // pen position moves to the end of the text.
  void TextOut(int X, int Y, const std::string& Text);
  // The same clipped to Rect (filled with the brush unless it is clear).
  void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Source of Canvas into Dest of this canvas, stretched, with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  void Refresh();

  // Serialises drawing from several threads; calls nest.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }

  // Selects what the next call needs: the context, the font, pen or brush.
  void RequiredState(TCanvasStates ReqState);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  // Puts the stock objects back, so that the context holds none of ours.
  void DeselectHandles();

  TCanvasStates State;

private:
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC FHandle = nullptr;
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  TPoint FPenPos;
  TCopyMode FCopyMode;
  UINT FTextFlags = 0;
  std::recursive_mutex FLock;
  int FLockCount = 0;
};

// Lends a canvas a context for painting: locks the canvas and hands it DC, and
// on leaving the scope, by an exception too, takes the context back (the stock
// objects selected again) and unlocks.
class TCanvasPaintScope {
public:
  TCanvasPaintScope(TCanvas* Canvas, HDC DC) : FCanvas(Canvas)
  {
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
  }
  ~TCanvasPaintScope()
  {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  }
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
  TCanvas* FCanvas;
};
