#include "controls/toolbar/TBPopupMenu.h"

namespace {

TTBRootItem* NewPlainRootItem(TTBPopupMenu* Menu) { return new TTBRootItem(Menu); }

}  // namespace

TTBPopupMenu::TTBPopupMenu(TComponent* AOwner) : TTBPopupMenu(AOwner, &NewPlainRootItem) {}

TTBPopupMenu::TTBPopupMenu(TComponent* AOwner, TRootItemClass RootItemClass) : TPopupMenu(AOwner)
{
  FItem = RootItemClass(this);
  FItem->SetRootParentComponent(this);
  FItem->OnClick = TNotifyEvent(this, &TTBPopupMenu::RootItemClick);
}

TTBPopupMenu::~TTBPopupMenu()
{
  delete FItem;
  FItem = nullptr;
}

void TTBPopupMenu::RootItemClick(TObject* Sender)
{
  // Opening fires the root item's click: that is the menu's popup event.
  DoPopup(Sender == FItem ? static_cast<TObject*>(this) : Sender);
}

void TTBPopupMenu::Popup(int X, int Y)
{
  static const TTBPopupAlignment alignments[] = {tbpaLeft, tbpaRight, tbpaCenter};
  SetPopupPoint(TPoint(X, Y));
  FItem->PopupAtPoint(X, Y, TrackButton() == tbRightButton, alignments[int(Alignment())]);
}

bool TTBPopupMenu::IsShortCut(TWMKey& Message) { return FItem->IsShortCut(Message); }

void TTBPopupMenu::GetChildren(TGetChildProc Proc, TComponent* Root) { FItem->GetChildren(Proc, Root); }

void TTBPopupMenu::SetChildOrder(TComponent* Child, int Order) { FItem->SetChildOrder(Child, Order); }
