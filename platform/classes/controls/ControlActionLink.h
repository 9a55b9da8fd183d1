// TControlActionLink: shows an action's caption, enabled state, hint,
// visibility and help context on a control, and runs the action on a click,
// except for what the control was given a value of its own for.
#pragma once

#include "platform/classes/actions/ActionLink.h"

class TControlActionLink : public TActionLink {
public:
  explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}

  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHelpContextLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsOnExecuteLinked() override;

  void SetCaption(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const std::string& Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(TNotifyEvent Value) override;

private:
  TControl* FClient;
};
