#include "controls/themes/XTBToolbars.h"

#include <vector>

#include "controls/themes/XTBAnchoring.h"
#include "controls/themes/XTBViewers.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/graphics/Canvas.h"

namespace {

// A control that grows with the toolbar's dock.
TControl* StretchedControl(TTBCustomItem* Item)
{
  auto* controlItem = dynamic_cast<TTBControlItem*>(Item);
  TControl* control = controlItem ? controlItem->Control() : nullptr;
  if (control && (control->Align() == alClient || control->Anchors().Contains(akRight)))
    return control;
  return nullptr;
}

}  // namespace

TXTBToolbar::TXTBToolbar(TComponent* AOwner) : TTBWToolbar(AOwner), FItemCache(new TXTBItemCacheCollection)
{
  Items()->RegisterNotification(TTBItemChangedProc(this, &TXTBToolbar::DoItemNotification));
}

TXTBToolbar::~TXTBToolbar()
{
  Items()->UnregisterNotification(TTBItemChangedProc(this, &TXTBToolbar::DoItemNotification));
  delete FItemCache;
  FItemCache = nullptr;
}

bool TXTBToolbar::InHorizontalDock() const
{
  return Docked() && CurrentDock() && !CurrentDock()->IsVertical();
}

void TXTBToolbar::AnchorItems()
{
  if (!InHorizontalDock())
    return;
  TTBView* view = View();
  const TPoint dockSize(CurrentDock()->Width(), CurrentDock()->Height());
  view->EnsureLayout();
  view->BeginUpdate();
  ScopeExit endUpdate([view] { view->EndUpdate(); });
  for (int i = 0; i < view->ViewerCount(); ++i) {
    TTBItemViewer* viewer = view->Viewers(i);
    auto* extended = dynamic_cast<TXTBItemViewer*>(viewer);
    auto* anchoredItem = dynamic_cast<TXTBCustomItem*>(viewer->Item());
    if (extended && anchoredItem && anchoredItem->Anchored()) {
      TPoint point = extended->AnchorPoint(), delta;
      AnchorToDock(point, delta, dockSize);
      extended->SetAnchorPoint(point);
      extended->SetAnchorDelta(delta);
      continue;
    }
    const int index = FItemCache->IndexOfItem(viewer->Item());
    if (TControl* control = StretchedControl(viewer->Item())) {
      TXTBItemCache* entry = nullptr;
      if (index < 0) {
        entry = FItemCache->Items(FItemCache->AddCache(viewer->Item(), TRect(0, 0, control->Width(), control->Height())));
        entry->SetParentWidth(dockSize.x);
        entry->SetParentHeight(dockSize.y);
      } else {
        entry = FItemCache->Items(index);
      }
      control->SetWidth(AnchoredControlWidth(entry->Width(), entry->ParentWidth(), dockSize.x,
                                             control->Constraints()->MinWidth()));
    } else if (index >= 0) {
      FItemCache->Delete(index);
    }
  }
  TPoint size;
  view->RecalcLayout(size);
}

void TXTBToolbar::RightAlignItems()
{
  // No item of this system is a right-align spacer, so the items only need
  // laying out again for the dock's width.
  if (!InHorizontalDock() || CurrentDock()->Width() <= 0 || ShrinkMode() != tbsmNone)
    return;
  TTBView* view = View();
  if (!view->NextSelectable(nullptr, true))
    return;
  view->EnsureLayout();
  view->BeginUpdate();
  ScopeExit endUpdate([view] { view->EndUpdate(); });
  TPoint size;
  view->RecalcLayout(size);
}

void TXTBToolbar::DoDrawBackground(TCanvas* Canvas, const TRect& ARect, TXTBPaintStage PaintStage,
                                   bool& PaintDefault)
{
  if (OnDrawBackground)
    OnDrawBackground(this, Canvas, ARect, PaintStage, PaintDefault);
}

void TXTBToolbar::DoDrawHint(TBitmap* HintBitmap, WideString& Hint, bool& PaintDefault)
{
  if (OnDrawHint)
    OnDrawHint(this, HintBitmap, Hint, PaintDefault);
}

void TXTBToolbar::DoItemNotification(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action, int Index,
                                     TTBCustomItem* Item)
{
  if (OnItemNotification)
    OnItemNotification(this, Ancestor, Relayed, Action, Index, Item);
  if (FInResize)
    return;
  if (Action == tbicInserted || Action == tbicInvalidateAndResize) {
    RightAlignItems();
  } else if (Action == tbicDeleting) {
    const int index = FItemCache->IndexOfItem(Item);
    if (index >= 0)
      FItemCache->Delete(index);
    RightAlignItems();
  }
}

void TXTBToolbar::Resize()
{
  {
    FInResize = true;
    ScopeExit done([this] { FInResize = false; });
    RightAlignItems();
    AnchorItems();
  }
  TTBWToolbar::Resize();
}

// The dock

void TXTBDock::DoDrawBackground(TCanvas* Canvas, const TRect& ARect, TXTBPaintStage PaintStage, bool& PaintDefault)
{
  if (OnDrawBackground)
    OnDrawBackground(this, Canvas, ARect, PaintStage, PaintDefault);
}

bool TXTBDock::CanResize(int& NewWidth, int& NewHeight)
{
  FPrevWidth = Width();
  FPrevHeight = Height();
  return TTBWDock::CanResize(NewWidth, NewHeight);
}

void TXTBDock::Resize()
{
  TTBWDock::Resize();
  // A growing dock widens its toolbars through their own resize; a
  // shrinking one does not resize them, so they are told here.
  if (Width() >= FPrevWidth)
    return;
  for (TTBCustomDockableWindow* window : std::vector<TTBCustomDockableWindow*>(Members()))
    if (auto* toolbar = dynamic_cast<TXTBToolbar*>(window))
      toolbar->Resize();
}

void TXTBDock::DrawBackground(HDC DC, const TRect& R)
{
  TCanvas canvas;
  canvas.SetHandle(DC);
  ScopeExit release([&canvas] { canvas.SetHandle(nullptr); });
  bool paintDefault = true;
  DoDrawBackground(&canvas, R, pstPrePaint, paintDefault);
  if (paintDefault)
    TTBWDock::DrawBackground(DC, R);
  paintDefault = true;
  DoDrawBackground(&canvas, R, pstPostPaint, paintDefault);
}

bool TXTBDock::UsesBackground() { return OnDrawBackground ? true : TTBWDock::UsesBackground(); }
