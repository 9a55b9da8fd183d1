// THintWindow: the small topmost window that shows a hint next to the mouse,
// its size taken from the text (CalcHintRect), shown without taking the
// activation (ActivateHint).
#pragma once

#include <string>

#include "platform/classes/controls/CustomControl.h"

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* AOwner);

  // The window rectangle the text needs, at most MaxWidth wide, at (0, 0).
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  // Shows the hint over Rect (screen), kept on the screen.
  virtual void ActivateHint(TRect Rect, const std::string& AHint);
  virtual void ActivateHintData(TRect Rect, const std::string& AHint, void* AData);
  // Messages that make a shown hint go (keys, clicks, activation, commands).
  virtual bool IsHintMsg(const MSG& Msg);

protected:
  // Rect moved so that it lies on the desktop (its top-left corner wins when
  // it is larger).
  static TRect KeptOnDesktop(TRect Rect);
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};
