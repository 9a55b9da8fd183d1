// Child controls of a toolbar take their places among the items through
// control items: one per child, made when the child arrives and freed when
// it leaves; those behind the chevron leave the tab order. Also the hint of
// the item under the mouse.
#include <algorithm>
#include <string>

#include "controls/toolbar/TBToolbar.h"
#include "platform/base/Format.h"
#include "platform/classes/Messages.h"

TTBControlItem* TTBCustomToolbar::ControlItemOf(TControl* Control)
{
  for (int i = 0; i < FItem->Count(); ++i)
    if (auto* item = dynamic_cast<TTBControlItem*>(FItem->Items(i)); item && item->Control() == Control)
      return item;
  return nullptr;
}

TTBControlItem* TTBCustomToolbar::AppendControlItem(int Index, TControl* Control, TComponent* ItemOwner)
{
  TComponent* owner = ItemOwner;
  auto* item = new TTBControlItem(owner, Control);
  if (ComponentState().Contains(csDesigning) && owner) {
    for (int n = 1;; ++n) {
      std::string name = Format("TBControlItem%d", n);
      if (!owner->FindComponent(name)) {
        item->SetName(name);
        break;
      }
    }
  }
  FItem->Insert(Index, item);
  return item;
}

void TTBCustomToolbar::GetTabOrderList(std::vector<TWinControl*>& List)
{
  const std::size_t first = List.size();
  TTBCustomDockableWindow::GetTabOrderList(List);
  std::vector<TWinControl*> hidden;
  FView->CollectHiddenControls(hidden);
  if (hidden.empty())
    return;
  auto isHidden = [&hidden](TWinControl* Control) {
    return std::any_of(hidden.begin(), hidden.end(),
                       [Control](TWinControl* H) { return H == Control || H->ContainsControl(Control); });
  };
  List.erase(std::remove_if(List.begin() + long(first), List.end(), isHidden), List.end());
}

void TTBCustomToolbar::AdoptChildControls()
{
  for (int i = 0; i < ControlCount(); ++i)
    if (TControl* control = Controls(i); !ControlItemOf(control))
      AppendControlItem(FItem->Count(), control);
}

void TTBCustomToolbar::Loaded()
{
  AdoptChildControls();
  TTBCustomDockableWindow::Loaded();
}

// CM_CONTROLCHANGE (a control inserted, lParam 1) and CM_CONTROLLISTCHANGE
// (a control removed, lParam 0). False for any other message.
bool TTBCustomToolbar::ControlMessage(TMessage& Message)
{
  auto* control = reinterpret_cast<TControl*>(Message.WParam);
  if (Message.Msg == CM_CONTROLCHANGE) {
    TTBCustomDockableWindow::Dispatch(Message);
    if (Message.LParam != 0 && control && !ComponentState().Contains(csLoading) && !ControlItemOf(control))
      AppendControlItem(FItem->Count(), control);
    return true;
  }
  if (Message.Msg == CM_CONTROLLISTCHANGE) {
    TTBCustomDockableWindow::Dispatch(Message);
    if (Message.LParam == 0 && control)
      while (TTBControlItem* item = ControlItemOf(control)) {
        // The item must not free the control that is leaving.
        item->SetControl(nullptr);
        delete item;
      }
    return true;
  }
  return false;
}

void TTBCustomToolbar::HintShow(TMessage& Message)
{
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  Message.Result = 1;
  if (!info)
    return;
  TTBItemViewer* viewer = FView->ViewerFromPoint(info->CursorPos);
  if (!viewer || viewer->BoundsRect.IsEmpty())
    return;
  info->CursorRect = viewer->BoundsRect;
  info->HintStr = viewer->GetHintText();
  Message.Result = 0;
}
