// TTBCustomItemActionLink: shows a TCustomAction's properties on an item,
// except those the item was given a value of its own for.
#pragma once

#include "platform/classes/actions/ActionLink.h"

class TTBCustomItem;

class TTBCustomItemActionLink : public TActionLink {
public:
  explicit TTBCustomItemActionLink(TTBCustomItem* AClient) : FClient(AClient) {}

  bool IsAutoCheckLinked() const override;
  bool IsCaptionLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHelpContextLinked() const override;
  bool IsHintLinked() const override;
  bool IsImageIndexLinked() const override;
  bool IsShortCutLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsOnExecuteLinked() override;

  void SetAutoCheck(bool Value) override;
  void SetCaption(const std::string& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const std::string& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(TNotifyEvent Value) override;

private:
  TTBCustomItem* FClient;
};
