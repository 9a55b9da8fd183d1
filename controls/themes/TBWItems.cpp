#include "controls/themes/TBWItems.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWViewers.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "platform/classes/graphics/Font.h"

// Font settings

void TFontSettings::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TFontSettings::Assign(TPersistent* Source)
{
  auto* other = dynamic_cast<TFontSettings*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  const bool differs = FBold != other->FBold || FItalic != other->FItalic || FUnderline != other->FUnderline ||
                       FStrikeOut != other->FStrikeOut || FSize != other->FSize || FColor != other->FColor ||
                       FName != other->FName;
  FBold = other->FBold;
  FItalic = other->FItalic;
  FUnderline = other->FUnderline;
  FStrikeOut = other->FStrikeOut;
  FSize = other->FSize;
  FColor = other->FColor;
  FName = other->FName;
  if (differs)
    Changed();
}

void ApplyFontSettings(const TFontSettings& Settings, TFont* Font)
{
  if (Settings.Size() != 100)
    Font->SetSize((Font->Size() * Settings.Size() + 50) / 100);
  if (Settings.Color() != clNone)
    Font->SetColor(Settings.Color());
  if (!Settings.Name().empty())
    Font->SetName(Settings.Name());
  TFontStyles style = Font->Style();
  auto apply = [&style](TTriState State, TFontStyle Style) {
    if (State == tsTrue)
      style.Include(Style);
    else if (State == tsFalse)
      style.Exclude(Style);
  };
  apply(Settings.Bold(), fsBold);
  apply(Settings.Italic(), fsItalic);
  apply(Settings.Underline(), fsUnderline);
  apply(Settings.StrikeOut(), fsStrikeOut);
  Font->SetStyle(style);
}

// Items

TTBWCustomItem::TTBWCustomItem(TComponent* AOwner) : TTBCustomItem(AOwner), FFontSettings(new TFontSettings)
{
  FFontSettings->OnChange = TNotifyEvent(this, &TTBWCustomItem::FontSettingsChanged);
}

TTBWCustomItem::~TTBWCustomItem() { delete FFontSettings; }

void TTBWCustomItem::FontSettingsChanged(TObject*) { ItemChanged(true); }

void TTBWCustomItem::ChangeFlag(TTBItemFlags Flag, bool Value)
{
  if (bool(ItemStyle() & Flag) == Value)
    return;
  SetItemStyle(TTBItemFlags(Value ? ItemStyle() | Flag : ItemStyle() & ~Flag));
  ItemChanged(true);
}

TTBItemViewer* TTBWCustomItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBWItemViewer(AView, this, InlineDepth);
}

TTBPopupWindow* TTBWCustomItem::NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing)
{
  return NewThemedPopupWindow<TTBWPopupWindow>(ParentView, ShownItem, Customizing);
}

TTBPopupWindow* TTBWCustomItem::CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                            bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                                            TTBPopupAlignment Alignment)
{
  return TTBCustomItem::CreatePopup(ParentView, ParentViewer, PositionAsSubmenu,
                                    SelectFirstItem || FAlwaysSelectFirst, Customizing, PopupPoint, Alignment);
}

void TTBWCustomItem::FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement)
{
  FitPopupPositionOverlapping(this, ParentView, PopupWindow, Placement);
}

TTBWSubmenuItem::TTBWSubmenuItem(TComponent* AOwner) : TTBWCustomItem(AOwner)
{
  // 0x0080 marks the sub-items as editable in a designer; nothing here reads it.
  SetItemStyle(TTBItemFlags(ItemStyle() | tbsfOpensSubmenu | 0x0080));
}

void TTBWSeparatorItem::SetSize(int Value)
{
  if (Value < -1)
    Value = -1;
  if (FSize == Value)
    return;
  FSize = Value;
  ItemChanged(true);
}

TTBItemViewer* TTBWSeparatorItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBWSeparatorItemViewer(AView, this, InlineDepth);
}

void FitPopupPositionOverlapping(TTBCustomItem* Item, TTBView* ParentView, TTBPopupWindow* PopupWindow,
                                 TTBPopupPlacement& Pl)
{
  if (!ActiveTheme().HasFeature(TBF_SUBMENUOVERLAP)) {
    Item->TTBCustomItem::FitPopupPosition(ParentView, PopupWindow, Pl);
    return;
  }
  if (Pl.PositionAsSubmenu) {
    Pl.X += Pl.FrameWidth;
    Pl.Y += Pl.FrameHeight;
    Pl.FrameWidth = Pl.FrameHeight = 0;
    Item->TTBCustomItem::FitPopupPosition(ParentView, PopupWindow, Pl);
    return;
  }
  // The popup's edge lies on the item's last row or column: it shares that
  // line instead of starting one pixel beyond it.
  Pl.FrameWidth = Pl.FrameHeight = 0;
  TRect& P = Pl.ParentItemRect;
  if (Pl.X == P.Right)
    --Pl.X;
  if (Pl.Y == P.Bottom)
    --Pl.Y;
  if (Pl.X + Pl.W <= P.Left)
    ++Pl.X;
  if (Pl.Y + Pl.H <= P.Top)
    ++Pl.Y;
  --P.Right;
  --P.Bottom;
  --Pl.W;
  --Pl.H;
  Item->TTBCustomItem::FitPopupPosition(ParentView, PopupWindow, Pl);
  ++Pl.W;
  ++Pl.H;
}
