// TPopupMenu: a menu shown at a point, usually by a control's context menu.
// Popup runs OnPopup, then hands the menu to the popup presenter (the menu
// window and its modal loop, installed by the application part of the
// library) and clicks the item chosen there, after the menu has closed.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/classes/menus/Menu.h"
#include "platform/win/controls/Menus.h"

// Shows Menu at screen point (X, Y) with the TPM_ flags and runs its loop;
// answers the chosen item (null when the menu was dismissed).
using TPopupMenuPresenter = TMenuItem* (*)(TPopupMenu* Menu, int X, int Y, UINT Flags);

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

  // EInvalidOperation when no presenter is installed.
  virtual void Popup(int X, int Y);
  // The TPM_ flags Popup passes: alignment and tracking button.
  UINT PopupFlags() const;

  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control that asked for the menu (set by the control before Popup).
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TTrackButton TrackButton() const { return FTrackButton; }
  void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }
  TPoint PopupPoint() const { return FPopupPoint; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  static void SetPresenter(TPopupMenuPresenter Presenter);
  static TPopupMenuPresenter Presenter();

  TNotifyEvent OnPopup;

protected:
  virtual void DoPopup(TObject* Sender);
  // A menu that shows itself its own way records where it was opened.
  void SetPopupPoint(TPoint Value) { FPopupPoint = Value; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TTrackButton FTrackButton = tbRightButton;
  TPoint FPopupPoint;
  int FHelpContext = 0;
};
