// TScrollBar: a scroll bar control over the "ScrollBar" window class.
// Scrolling (CN_HSCROLL/CN_VSCROLL) moves Position by SmallChange or
// LargeChange, or to the thumb's track position; OnScroll may change the new
// position, OnChange follows every change.
#pragma once

#include "platform/classes/controls/WinControl.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  // EInvalidOperation "Propriété Scrollbar hors limites" when Max < Min or Max < PageSize.
  void SetParams(int APosition, int AMin, int AMax);
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
  void DoScroll(TMessage& Message);
  void SendInfo(UINT Mask, bool Redraw);

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int FSmallChange = 1, FLargeChange = 1;
};
