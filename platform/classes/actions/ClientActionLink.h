// TClientActionLink: the action link of a client that shows a TCustomAction's
// caption, state, hint, image, shortcut and click handler (menu items and
// toolbar items). A property stays linked while the client still shows the
// action's value; once the client was given a value of its own, the action's
// changes no longer reach it. The member definitions are in
// ClientActionLinkImpl.h, instantiated once per client class.
#pragma once

#include <string>

#include "platform/classes/actions/ActionLink.h"

template <class Client>
class TClientActionLink : public TActionLink {
public:
  explicit TClientActionLink(Client* AClient) : FClient(AClient) {}

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

protected:
  Client* FClient;
};
