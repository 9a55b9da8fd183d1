#include "platform/classes/menus/PopupMenu.h"

#include <atomic>

#include "platform/base/Exception.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/menus/MenuItem.h"

namespace {
std::atomic<TPopupMenuPresenter> CurrentPresenter{nullptr};
}

void TPopupMenu::SetPresenter(TPopupMenuPresenter Presenter)
{
  CurrentPresenter = Presenter;
}

TPopupMenuPresenter TPopupMenu::Presenter()
{
  return CurrentPresenter;
}

UINT TPopupMenu::PopupFlags() const
{
  static constexpr UINT Alignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  return Alignments[FAlignment] | (FTrackButton == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON);
}

void TPopupMenu::Popup(int X, int Y)
{
  TPopupMenuPresenter presenter = CurrentPresenter;
  if (!presenter)
    throw EInvalidOperation(SNoPopupPresenter);
  FPopupPoint = TPoint(X, Y);
  DoPopup(this);
  if (TMenuItem* chosen = presenter(this, X, Y, PopupFlags()))
    chosen->Click();
}

void TPopupMenu::DoPopup(TObject* Sender)
{
  if (OnPopup)
    OnPopup(Sender);
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
  if (Value == FPopupComponent)
    return;
  if (FPopupComponent)
    FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (FPopupComponent)
    FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent)
    FPopupComponent = nullptr;
}
