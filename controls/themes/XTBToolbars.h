// The extended toolbar and dock: toolbars docked at the top or bottom
// stretch their anchored items and right-anchored controls with the dock,
// and the dock's background event paints behind the toolbars docked in it.
#pragma once

#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/themes/XTBItemCache.h"
#include "controls/themes/XTBItems.h"

class TXTBDock;

using TXTBItemNotificationEvent = Method<void(TObject* Sender, TTBCustomItem* Ancestor, bool Relayed,
                                              TTBItemChangedAction Action, int Index, TTBCustomItem* Item)>;

class TXTBToolbar : public TTBWToolbar {
public:
  explicit TXTBToolbar(TComponent* AOwner);
  ~TXTBToolbar() override;

  // A control dropped onto the toolbar gets a control item of its own.
  bool AutoControlItems() const { return FAutoControlItems; }
  void SetAutoControlItems(bool Value) { FAutoControlItems = Value; }
  bool InResize() const { return FInResize; }
  TXTBItemCacheCollection* ItemCache() const { return FItemCache; }

  TXTBDrawHintEvent OnDrawHint;
  TXTBDrawEvent OnDrawBackground;
  TXTBItemNotificationEvent OnItemNotification;

  // Anchored items take the dock's growth; right-anchored controls their
  // cached width plus that growth.
  virtual void AnchorItems();
  // Lays the items out again for the dock's width.
  virtual void RightAlignItems();
  virtual int RightAlignMargin() { return 10; }
  virtual void DoDrawBackground(TCanvas* Canvas, const TRect& ARect, TXTBPaintStage PaintStage, bool& PaintDefault);
  virtual void DoDrawHint(TBitmap* HintBitmap, WideString& Hint, bool& PaintDefault);
  virtual void DoItemNotification(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action, int Index,
                                  TTBCustomItem* Item);

  void Resize() override;
  void PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip) override;
  void Dispatch(TMessage& Message) override;

private:
  // The messages (XTBToolbarMessages.cpp).
  void DialogCharMessage(TMessage& Message);
  void ControlListChanged(TMessage& Message);
  void EraseBackground(TMessage& Message);
  void HintShow(TMessage& Message);
  // The dock's client rectangle in the toolbar's client coordinates.
  TRect DockClientHere();
  // The dock whose background event paints behind the toolbar, if any.
  TXTBDock* PaintingDock() const;

  // Docked in a dock at the top or bottom (the only docks it follows).
  bool InHorizontalDock() const;

  bool FAutoControlItems = false;
  bool FInResize = false;
  TXTBItemCacheCollection* FItemCache;
};

class TXTBDock : public TTBWDock {
public:
  using TTBWDock::TTBWDock;

  TXTBDrawEvent OnDrawBackground;

  virtual void DoDrawBackground(TCanvas* Canvas, const TRect& ARect, TXTBPaintStage PaintStage, bool& PaintDefault);

  bool CanResize(int& NewWidth, int& NewHeight) override;
  void Resize() override;
  void DrawBackground(HDC DC, const TRect& R) override;
  bool UsesBackground() override;

private:
  int FPrevWidth = 0;
  int FPrevHeight = 0;
};
