// The items a multiple-document form may give its menu bar. The bar shows
// viewers of the system-menu item and of the buttons item's subitems, so it
// follows both: a freed item leaves the bar, and a change among the buttons
// rebuilds the viewers before any of them can show a freed subitem.
#include "controls/toolbar/TBToolbar.h"

void TTBCustomToolbar::SetMDISystemMenuItem(TTBCustomItem* Value) { SetMDIItem(FMDISystemMenuItem, Value); }

void TTBCustomToolbar::SetMDIButtonsItem(TTBCustomItem* Value)
{
  if (FMDIButtonsItem == Value)
    return;
  TTBItemChangedProc follow(this, &TTBCustomToolbar::MDIButtonsChanged);
  if (FMDIButtonsItem)
    FMDIButtonsItem->UnregisterNotification(follow);
  SetMDIItem(FMDIButtonsItem, Value);
  if (FMDIButtonsItem)
    FMDIButtonsItem->RegisterNotification(follow);
}

void TTBCustomToolbar::SetMDIItem(TTBCustomItem*& Field, TTBCustomItem* Value)
{
  if (Field == Value)
    return;
  TTBCustomItem* old = Field;
  Field = Value;
  if (old && old != FMDISystemMenuItem && old != FMDIButtonsItem)
    old->RemoveFreeNotification(this);
  if (Value)
    Value->FreeNotification(this);
  if (FView)
    FView->RecreateAllViewers();
}

void TTBCustomToolbar::MDIButtonsChanged(TTBCustomItem*, bool, TTBItemChangedAction Action, int,
                                         TTBCustomItem* Item)
{
  switch (Action) {
  case tbicDeleting:
    FView->RecreateAllViewers(Item);
    break;
  case tbicInserted:
  case tbicSubitemsChanged:
  case tbicRecreateItemViewers:
    FView->RecreateAllViewers();
    break;
  case tbicInvalidate:
  case tbicInvalidateAndResize:
    FView->InvalidateLayout();
    break;
  default:
    break;
  }
}

void TTBCustomToolbar::Notification(TComponent* AComponent, TOperation Operation)
{
  TTBCustomDockableWindow::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (static_cast<TComponent*>(FMDIButtonsItem) == AComponent) {
    // Its notifications end with it.
    FMDIButtonsItem = nullptr;
    if (FView)
      FView->RecreateAllViewers();
  }
  if (static_cast<TComponent*>(FMDISystemMenuItem) == AComponent) {
    FMDISystemMenuItem = nullptr;
    if (FView)
      FView->RecreateAllViewers();
  }
}
