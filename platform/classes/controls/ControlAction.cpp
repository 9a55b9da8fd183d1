// A control's action: the link that shows the action's properties.
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/ControlActionLink.h"

TBasicAction* TControl::Action() const
{
  return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value)
{
  if (!Value) {
    FActionLink.reset();
    FControlStyle.Exclude(csActionClient);
    return;
  }
  FControlStyle.Include(csActionClient);
  if (!FActionLink)
    FActionLink = std::make_unique<TControlActionLink>(this);
  if (FActionLink->Action() == Value)
    return;
  FActionLink->SetAction(Value);
  FActionLink->OnChange = TNotifyEvent(this, &TControl::DoActionChange);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

void TControl::DoActionChange(TObject* Sender)
{
  if (FActionLink && Sender == FActionLink->Action())
    ActionChange(Sender, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
  auto* action = dynamic_cast<TCustomAction*>(static_cast<TBasicAction*>(Sender));
  if (!action)
    return;
  std::string caption = Caption();
  if (!CheckDefaults || caption.empty() || caption == Name())
    SetCaption(action->Caption());
  if (!CheckDefaults || Enabled())
    SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty())
    SetHint(action->Hint());
  if (!CheckDefaults || Visible())
    SetVisible(action->Visible());
  if (!CheckDefaults || HelpContext() == 0)
    SetHelpContext(action->HelpContext());
  if (!CheckDefaults || !OnClick)
    OnClick = action->OnExecute;
}

void TControl::InitiateAction()
{
  if (FActionLink)
    FActionLink->Update();
}
