// TUtxSplitter: a thin bar the user drags to share space between two aligned
// controls of one parent. Which control it resizes, and along which axis,
// follows from the alignments of ControlFirst and ControlSecond (its style).
// The drag shows as an inverted line drawn over the form; on release the
// control gets its new size, kept away from the parent's edges by the limits.
// A key pressed during the drag cancels it.
#pragma once

#include "chatwin/widgets/UtExExtCtrls.h"
#include "platform/classes/controls/ControlTypes.h"

class TCustomForm;

// AllowChange starts true; clearing it refuses the position.
using TSplitterPosChangingEvent = Method<void(TObject* Sender, int X, int Y, bool& AllowChange)>;

class TUtxSplitter : public TUtCustomPanel {
public:
  explicit TUtxSplitter(TComponent* AOwner);
  ~TUtxSplitter() override;

  TControl* ControlFirst() const { return FControlFirst; }
  void SetControlFirst(TControl* Value);
  TControl* ControlSecond() const { return FControlSecond; }
  void SetControlSecond(TControl* Value);
  // Hides TControl::SetAlign: a new alignment sets the bar's thickness and
  // may pick ControlFirst.
  void SetAlign(TAlign Value);
  int TopLeftLimit() const { return FTopLeftLimit; }
  void SetTopLeftLimit(int Value) { FTopLeftLimit = Value; }
  int BottomRightLimit() const { return FBottomRightLimit; }
  void SetBottomRightLimit(int Value) { FBottomRightLimit = Value; }
  // The older single limit of stored forms: sets both.
  void SetLimitOffset(int Value);

  // 0 (nothing to resize), 1 and 2 (a height), 3 and 4 (a width).
  int Style() const;
  bool Tracking() const { return FTracking; }

  TSplitterPosChangingEvent OnPosChanging;
  TNotifyEvent OnPosChanged;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual bool DoPosChanging(int X, int Y);
  virtual void DoPosChanged();

private:
  TControl* StoredControl(TControl* Value);
  void UpdateCursor();
  TCursor StyleCursor() const;
  bool Horizontal() const { return FDragStyle == 1 || FDragStyle == 2; }
  void StartDrag(int X, int Y);
  void EndDrag(bool Apply, int X, int Y);
  void ClampToLimits(int& X, int& Y) const;
  void ShowNoDrop(bool NoDrop);
  // The line through the bar point P, in screen coordinates, clamped to the
  // parent's client area.
  TPoint LinePoint(TPoint P);
  void DrawLine(TPoint Screen);
  void MoveLine(TPoint P);
  void BorrowedKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ApplySize(int X, int Y);

  TControl* FControlFirst = nullptr;
  TControl* FControlSecond = nullptr;
  int FTopLeftLimit = 20;
  int FBottomRightLimit = 20;

  // The drag in progress.
  bool FTracking = false;
  int FDragStyle = 0;
  TPoint FLastLine;
  TPoint FOffset;
  bool FNoDrop = false;
  bool FRefused = false;
  TPoint FMinimum;
  TPoint FMaximum;
  TCustomForm* FForm = nullptr;
  HDC FLineDC = nullptr;
  TWinControl* FBorrowed = nullptr;
  TKeyEvent FSavedKeyDown;
  bool FSavedShowHint = true;
};
