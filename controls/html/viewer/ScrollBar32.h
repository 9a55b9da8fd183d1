// T32ScrollBar: the viewer's vertical bar. It keeps its own 32-bit position,
// page and range in step with the bar window and takes the thumb's 32-bit
// track position from the window rather than from the message, so documents
// taller than 32767 pixels scroll all the way.
#pragma once

#include "platform/classes/stdctrls/ScrollBar.h"

class THtmlView;

class T32ScrollBar : public TScrollBar {
public:
  T32ScrollBar(TComponent* AOwner, THtmlView* AViewer);

  int Position32() const { return FPos; }
  int Page32() const { return FPage; }
  int Min32() const { return FMin; }
  int Max32() const { return FMax; }
  // Sends all four to the bar window (nothing when unchanged). With the
  // viewer's htShowVScroll a bar with nothing to scroll is disabled rather
  // than hidden.
  void SetParams32(int APos, int APage, int AMin, int AMax);
  // Moves the position; OnChange follows a change.
  void SetBarPosition(int APos);
  void SetMax32(int AMax) { SetParams32(FPos, FPage, FMin, AMax); }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;

private:
  void SendParams();
  THtmlView* FViewer;
  int FPos = 0, FPage = 0, FMin = 0, FMax = 0;
};
